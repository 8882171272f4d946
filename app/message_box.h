#pragma once
// Message boxes that also work over a full-screen display.
#include <windows.h>
#include "app/format.h"

// Test seam: when set, every box goes here. Null in the game, where a box over
// a full-screen display goes through the display's dialog mode (DDMesBox) and
// any other is a plain MessageBoxA. Threads: set by a test's set-up before
// the threads that show boxes run.
extern int (*lpFullScreenMesBox)(const char* text, const char* caption, UINT type);

int MesBox(const char* text, const char* caption, UINT type);
// Caption "エラー", MB_OK.
int ErrorBox(const char* text);
int ErrorBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// As ErrorBoxF, only while the trace log is enabled.
int DebugBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// "メモリが不足しています！", then WM_CLOSE to the main window.
void OutOfMemoryExit();
