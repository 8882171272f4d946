#include "app/checked.h"

#include "app/close_request.h"
#include "app/log.h"

void ReportBadIndex(char kind, int index, int count, int elementSize)
{
    ReportLogAndTrace("err %c[%d] ( %d , %d )", kind, index, count, elementSize);
    PostCloseToMainWindow();
}
