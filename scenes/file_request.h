#pragma once
// The game thread's side of a file dialog served by the window thread: it
// sends the request and waits, sleeping 1 ms at a time, until the window
// thread has finished with it.
#include <windows.h>

enum {
    FILE_REQUEST_CANCELLED = 0,  // no file chosen
    FILE_REQUEST_LOADED = 1,     // chosen and loaded (or saved)
    FILE_REQUEST_REFUSED = 2,    // chosen, but it could not be used; the game is as it was
};

// WM_GAME_LOADSTAGE, WM_GAME_LOADREPLAY or WM_GAME_SAVEREPLAY (wParam).
int WaitFileRequest(UINT message, WPARAM wParam = 0);
