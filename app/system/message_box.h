#pragma once
// Message boxes that also work over a full-screen display.
#include <windows.h>
#include "app/base/format.h"

// Set by the graphics library while a full-screen display is up: shows the box
// through the display's dialog mode. Null otherwise (a plain MessageBoxA).
extern int (*lpFullScreenMesBox)(const char* text, const char* caption, UINT type);

int MesBox(const char* text, const char* caption, UINT type);
// Caption "エラー", MB_OK.
int ErrorBox(const char* text);
int ErrorBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// As ErrorBoxF, only while the trace log is enabled.
int DebugBoxF(const char* format, ...) GAME_PRINTF(1, 2);
// "メモリが不足しています！", then WM_CLOSE to the main window.
void OutOfMemoryExit();
