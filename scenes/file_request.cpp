#include "scenes/file_request.h"

#include "app/base/main_window_handle.h"
#include "app/shell/window_requests.h"

int WaitFileRequest(UINT message, WPARAM wParam)
{
    WindowReplies.bDialogDone = 0;
    SendMessageA(hMainWnd, message, wParam, 0);
    while (!WindowReplies.bDialogDone) Sleep(1);
    if (WindowReplies.bDialogLoaded) return FILE_REQUEST_LOADED;
    return WindowReplies.bDialogRefused ? FILE_REQUEST_REFUSED : FILE_REQUEST_CANCELLED;
}
