#pragma once
#include <windows.h>

// The main window, to which every part of the program posts WM_CLOSE.
extern HWND hMainWnd;
