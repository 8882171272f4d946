#include "stage/scene/stage_boxes.h"

#include <cstdarg>
#include <string>

#include "app/base/log.h"

void (*lpStageBoxSink)(const char* text, int debugOnly) = nullptr;
void (*lpStageBoxShow)(const char* text) = nullptr;

namespace {

void ShowBox(const std::string& text, int debugOnly)
{
    if (lpStageBoxSink) {
        lpStageBoxSink(text.c_str(), debugOnly);
        return;
    }
    if (debugOnly && !IsTraceLogEnabled()) return;
    if (lpStageBoxShow)
        lpStageBoxShow(text.c_str());
    else
        ReportLog("%s", text.c_str());
}

} // namespace

void StageErrorBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    ShowBox(text, 0);
}

void StageDebugBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    ShowBox(text, 1);
}
