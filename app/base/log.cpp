#include "app/base/log.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

// Both logs and their settings. The window, game and loader threads all
// write lines, and a line is one open-append-close: every field but
// traceEnabled is read and written under the lock; traceEnabled is atomic
// so that a caller can ask whether tracing is on without taking it.
struct Logs {
    std::mutex logLock;
    std::string reportPath;
    std::string tracePath;
    std::atomic<int> traceEnabled{0};
    bool traceWrittenThisRun = false;
};
Logs logs;

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
    std::lock_guard<std::mutex> hold(logs.logLock);
    FILE* fp = std::fopen(path, "wt");
    if (!fp) return 0;
    std::fclose(fp);
    logs.reportPath = path;
    return 1;
}

cReportLogBlock::cReportLogBlock() : m_Hold(logs.logLock)
{
    if (!logs.reportPath.empty()) m_pFile = std::fopen(logs.reportPath.c_str(), "at");
}

cReportLogBlock::~cReportLogBlock()
{
    if (m_pFile) std::fclose(m_pFile);
}

int ReportLogText(const char* text)
{
    std::lock_guard<std::mutex> hold(logs.logLock);
    if (logs.reportPath.empty()) return 0;
    return AppendLine(logs.reportPath, "at", text);
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
    std::lock_guard<std::mutex> hold(logs.logLock);
    logs.traceEnabled = enabled;
    logs.tracePath = path ? path : "";
}

bool IsTraceLogEnabled() { return logs.traceEnabled != 0; }

int TraceLog(const char* text)
{
    std::lock_guard<std::mutex> hold(logs.logLock);
    if (!logs.traceEnabled) return 0;
    const char* mode = logs.traceWrittenThisRun ? "at" : "wt";
    logs.traceWrittenThisRun = true;
    return AppendLine(logs.tracePath, mode, text);
}

int TraceLogText(const char* text) { return TraceLog(text); }

int TraceLogF(const char* format, ...)
{
    if (!logs.traceEnabled) return 0;
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return TraceLog(text.c_str());
}
