#include "app/base/format.h"

#include <cstdio>

std::string FormatTextV(const char* format, va_list args)
{
    char small[512];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, n);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(n);
    return text;
}

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

int FormatString(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    out = FormatTextV(format, args);
    va_end(args);
    return static_cast<int>(out.size());
}
