#include "app/base/checked.h"

#include "app/base/close_request.h"
#include "app/base/log.h"

void ReportBadIndex(char kind, int index, int count, int elementSize)
{
    ReportLogAndTrace("err %c[%d] ( %d , %d )", kind, index, count, elementSize);
    PostCloseToMainWindow();
}
