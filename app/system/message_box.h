#pragma once
// Message boxes that also work over a full-screen display.
#include <windows.h>
#include "app/base/format.h"

// The way every box is shown: set by the program before WinMain (over a
// full-screen display through the display's dialog mode, DDMesBox, otherwise a
// plain MessageBoxA: app/message_box_route.cpp); the tests put their capture
// here. Null: a plain MessageBoxA. Threads: set before WinMain or by a test's
// set-up before the threads that show boxes run; read by every thread.
extern int (*lpFullScreenMesBox)(const char* text, const char* caption, UINT type);

int MesBox(const char* text, const char* caption, UINT type);
// Caption "エラー", MB_OK.
int ErrorBox(const char* text);
int ErrorBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// As ErrorBoxF, only while the trace log is enabled.
int DebugBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// "メモリが不足しています！", then WM_CLOSE to the main window.
void OutOfMemoryExit();
