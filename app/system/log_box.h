#pragma once
// The log operations that reach the user interface.
#include <windows.h>
#include "app/base/log.h"

// As ReportLogAndTrace, then shows the text in an error box.
int ReportLogBox(const char* format, ...) GAME_PRINTF(1, 2);
// A trace line, then WM_CLOSE to the window, whether tracing is enabled or not.
int TraceLogFatal(HWND hWnd, const char* format, ...) GAME_PRINTF(2, 3);
