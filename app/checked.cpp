#include "app/checked.h"

#include "app/close_request.h"
#include "app/log.h"

void ReportBadIndex(char kind, int index, int count, int elementSize)
{
    std::string text;
    FormatString(text, "err %c[%d] ( %d , %d )", kind, index, count, elementSize);
    TraceLog(text.c_str());
    ReportLogText(text.c_str());
    PostCloseToMainWindow();
}
