#include "app/base/main_window_handle.h"
#include "app/base/close_request.h"

std::atomic<HWND> hMainWnd{nullptr};

void PostCloseToMainWindow()
{
    // A null window would post the close to the caller's own thread queue,
    // where a worker thread would take it for its own end.
    HWND main = hMainWnd;
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
}
