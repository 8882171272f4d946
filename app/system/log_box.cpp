#include "app/system/log_box.h"
#include "app/system/message_box.h"

int ReportLogBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    int result = ReportLogAndTraceText(text.c_str());
    // The user is told even when the log cannot be written.
    ErrorBox(text.c_str());
    return result;
}

int TraceLogFatal(HWND hWnd, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    int result = TraceLog(text.c_str());
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return result;
}
