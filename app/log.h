#pragma once
// The report log ("Report_Game.txt", rewritten at each start) and the trace log
// ("EC_Game.txt", named at start-up and normally disabled). Each line opens,
// appends and closes the file, so a crash loses nothing already written.
// Lines are written in text mode: each ends with CR LF on disk.
#include <cstdio>

#include "app/format.h"

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
// Opens the report log for appending a block of lines of the caller's own
// making (fprintf, then fclose); null when it cannot be opened.
FILE* OpenReportLog();

void TraceLogInit(int enabled, const char* path);
bool IsTraceLogEnabled();
// When tracing is enabled: the first line of a run empties the file, later lines append.
int TraceLog(const char* text);
int TraceLogText(const char* text);
int TraceLogF(const char* format, ...) GAME_PRINTF(1, 2);
