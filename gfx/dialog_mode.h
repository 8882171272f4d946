#pragma once
// GDI dialogs and message boxes over a full-screen display.
//
// Promises of this seam:
// - In window mode, or with no display up, switching does nothing and
//   succeeds (1).
// - Switching on in full screen makes the GDI surface visible and shows the
//   mouse cursor; switching off hides the cursor again. 0 when the display
//   refused.
// - Switching off, in a window or full screen, shows the last frame drawn
//   again, over what the dialog or box left in the game's window. Only the
//   thread that draws switches, or another while that thread waits for it.
// - From a full-screen DDInit until DDUnInit, FullScreenBoxesNeeded() is true:
//   the program's message boxes (app/system/message_box.h) then go through DDMesBox.
#include <windows.h>

int DDSetDialogBoxMode(int on);
// Hides the mouse cursor however often it was shown (a full-screen display
// shows none).
void HideCursor();
// The box in dialog mode on the display's window: its result (IDOK, IDYES...),
// or 0, with a trace line, when the display cannot switch.
int DDMesBox(const char* text, const char* caption, UINT type);
// True while a full-screen display is up, when a box must use DDMesBox.
bool FullScreenBoxesNeeded();
