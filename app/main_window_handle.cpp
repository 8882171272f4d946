#include "app/main_window_handle.h"
#include "app/close_request.h"

HWND hMainWnd = nullptr;

void PostCloseToMainWindow()
{
    PostMessageA(hMainWnd, WM_CLOSE, 0, 0);
}
