#include "files/file_error_box.h"

#include <cstdarg>
#include <string>

#include "app/base/log.h"

int (*lpFileErrorBox)(const char* text) = nullptr;

void FileErrorBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    ReportLogText(text.c_str());
    if (lpFileErrorBox) lpFileErrorBox(text.c_str());
}
