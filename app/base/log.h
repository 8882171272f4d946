#pragma once
// The report log ("Report_Game.txt", rewritten at each start) and the trace log
// ("EC_Game.txt", named at start-up and normally disabled). Each line opens,
// appends and closes the file, so a crash loses nothing already written.
// Lines are written in text mode: each ends with CR LF on disk. Any thread
// may write: one lock covers both files, and lines are appended, so lines
// from two threads never overwrite one another.
#include <cstdio>
#include <mutex>

#include "app/base/format.h"

// Opens the path for writing (emptying it) and keeps it; 1, or 0 when it cannot be opened.
int CreateReportLog(const char* path);
// Appends one formatted line; 1, or 0 when the file cannot be opened.
int ReportLog(const char* format, ...) GAME_PRINTF(1, 2);
// Appends the formatted text to the report log and passes the same text to TraceLog.
int ReportLogAndTrace(const char* format, ...) GAME_PRINTF(1, 2);
// Appends text as it stands (no formatting) to the report log.
int ReportLogText(const char* text);
// Appends text as it stands to the report log and passes it to TraceLog.
int ReportLogAndTraceText(const char* text);
// The report log opened for appending a block of lines of the caller's own
// making (fprintf to File()); the block holds the logs' lock until it is
// destroyed, so no other line lands inside it. Write no other log line
// while holding it. File() is null when the log cannot be opened.
class cReportLogBlock {
public:
    cReportLogBlock();
    ~cReportLogBlock();
    cReportLogBlock(const cReportLogBlock&) = delete;
    cReportLogBlock& operator=(const cReportLogBlock&) = delete;
    FILE* File() const { return m_pFile; }

private:
    std::lock_guard<std::mutex> m_Hold;
    FILE* m_pFile = nullptr;
};

void TraceLogInit(int enabled, const char* path);
bool IsTraceLogEnabled();
// When tracing is enabled: the first line of a run empties the file, later lines append.
int TraceLog(const char* text);
int TraceLogText(const char* text);
int TraceLogF(const char* format, ...) GAME_PRINTF(1, 2);
