#include "gfx/dialog_mode.h"

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/scene.h"

void HideCursor()
{
    while (ShowCursor(FALSE) >= 0) {
    }
}

int DDSetDialogBoxMode(int on)
{
    if (bWindowMode) return 1;
    if (lpDTCon) {
        if (!lpDevice) return 0;
        if (on) {
            DDEndScene();
            if (lpDevice->SetDialogBoxMode(TRUE) != D3D_OK) {
                TraceLogF("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)");
                return 0;
            }
            ShowCursor(TRUE);
            return 1;
        }
        HideCursor();
        return lpDevice->SetDialogBoxMode(FALSE) == D3D_OK ? 1 : 0;
    }
    if (lpDDCon) {
        if (!lpDirectDraw) return 0;
        if (on) {
            if (FAILED(lpDirectDraw->FlipToGDISurface())) return 0;
            ShowCursor(TRUE);
            return 1;
        }
        HideCursor();
        return 1;
    }
    return 1;
}

int DDMesBox(const char* text, const char* caption, UINT type)
{
    if (!DDSetDialogBoxMode(1)) {
        TraceLogF("DDMesBox 失敗! %s, %s", text, caption);
        return 0;
    }
    // The box's own answer: a question asked in full screen must be told
    // apart from a plain acknowledgement.
    int result = MessageBoxA(hDDWnd, text, caption, type);
    DDSetDialogBoxMode(0);
    return result;
}
