#pragma once
#include <windows.h>

#include <atomic>

// The main window, to which every part of the program posts WM_CLOSE.
// Written by the window thread (set at start-up, cleared at WM_DESTROY);
// read by every thread, so it is atomic.
extern std::atomic<HWND> hMainWnd;
