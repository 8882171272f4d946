#include "app/base/log.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

// One lock over both logs and their settings: the window, game and loader
// threads all write lines, and a line is one open-append-close.
std::mutex logLock;
std::string reportPath;
std::string tracePath;
std::atomic<int> traceEnabled{0};
bool traceWrittenThisRun = false;

// Appends text and a line break to the file; the caller holds logLock.
// Append mode puts every write at the end, whatever another writer did.
int AppendLine(const std::string& path, const char* mode, const char* text)
{
    FILE* fp = std::fopen(path.c_str(), mode);
    if (!fp) return 0;
    std::fputs(text, fp);
    std::fputs("\n", fp);
    std::fclose(fp);
    return 1;
}

} // namespace

int CreateReportLog(const char* path)
{
    std::lock_guard<std::mutex> hold(logLock);
    FILE* fp = std::fopen(path, "wt");
    if (!fp) return 0;
    std::fclose(fp);
    reportPath = path;
    return 1;
}

cReportLogBlock::cReportLogBlock() : m_Hold(logLock)
{
    if (!reportPath.empty()) m_pFile = std::fopen(reportPath.c_str(), "at");
}

cReportLogBlock::~cReportLogBlock()
{
    if (m_pFile) std::fclose(m_pFile);
}

int ReportLogText(const char* text)
{
    std::lock_guard<std::mutex> hold(logLock);
    if (reportPath.empty()) return 0;
    return AppendLine(reportPath, "at", text);
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
    std::lock_guard<std::mutex> hold(logLock);
    traceEnabled = enabled;
    tracePath = path ? path : "";
}

bool IsTraceLogEnabled() { return traceEnabled != 0; }

int TraceLog(const char* text)
{
    std::lock_guard<std::mutex> hold(logLock);
    if (!traceEnabled) return 0;
    const char* mode = traceWrittenThisRun ? "at" : "wt";
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
