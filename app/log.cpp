#include "app/log.h"

#include <cstdio>
#include <string>

namespace {

std::string reportPath;
std::string tracePath;
int traceEnabled = 0;
bool traceWrittenThisRun = false;

// Opens the file positioned at its end; "rt+" keeps what is there.
FILE* OpenAtEnd(const std::string& path, const char* mode)
{
    FILE* fp = std::fopen(path.c_str(), mode);
    if (fp) std::fseek(fp, 0, SEEK_END);
    return fp;
}

// Appends text and a line break to the file.
int AppendLine(const std::string& path, const char* mode, const char* text)
{
    FILE* fp = OpenAtEnd(path, mode);
    if (!fp) return 0;
    std::fputs(text, fp);
    std::fputs("\n", fp);
    std::fclose(fp);
    return 1;
}

} // namespace

int CreateReportLog(const char* path)
{
    FILE* fp = std::fopen(path, "wt");
    if (!fp) return 0;
    std::fclose(fp);
    reportPath = path;
    return 1;
}

FILE* OpenReportLog()
{
    if (reportPath.empty()) return nullptr;
    return OpenAtEnd(reportPath, "rt+");
}

int ReportLogText(const char* text)
{
    if (reportPath.empty()) return 0;
    return AppendLine(reportPath, "rt+", text);
}

int ReportLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ReportLogText(text.c_str());
}

int ReportLogAndTraceText(const char* text)
{
    int result = ReportLogText(text);
    TraceLog(text);
    return result;
}

int ReportLogAndTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return ReportLogAndTraceText(text.c_str());
}

void TraceLogInit(int enabled, const char* path)
{
    traceEnabled = enabled;
    tracePath = path ? path : "";
}

bool IsTraceLogEnabled() { return traceEnabled != 0; }

int TraceLog(const char* text)
{
    if (!traceEnabled) return 0;
    const char* mode = traceWrittenThisRun ? "rt+" : "wt";
    traceWrittenThisRun = true;
    return AppendLine(tracePath, mode, text);
}

int TraceLogText(const char* text) { return TraceLog(text); }

int TraceLogF(const char* format, ...)
{
    if (!traceEnabled) return 0;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return TraceLog(text.c_str());
}
