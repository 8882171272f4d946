#include "app/system/message_box.h"

#include "app/base/close_request.h"
#include "app/base/log.h"

int (*lpFullScreenMesBox)(const char* text, const char* caption, UINT type) = nullptr;

int MesBox(const char* text, const char* caption, UINT type)
{
    if (lpFullScreenMesBox) return lpFullScreenMesBox(text, caption, type);
    return MessageBoxA(GetActiveWindow(), text, caption, type);
}

int ErrorBox(const char* text)
{
    return MesBox(text, "エラー", MB_OK);
}

int ErrorBoxF(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ErrorBox(text.c_str());
}

int DebugBoxF(const char* format, ...)
{
    if (!IsTraceLogEnabled()) return 0;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ErrorBox(text.c_str());
}

void OutOfMemoryExit()
{
    ErrorBox("メモリが不足しています！");
    PostCloseToMainWindow();
}
