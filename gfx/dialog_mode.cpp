#include "gfx/dialog_mode.h"

#include "app/base/log.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/scene.h"

void HideCursor()
{
    while (ShowCursor(FALSE) >= 0) {
    }
}

namespace {

// The frame last drawn, shown again in the game's window: a closed dialog or
// box leaves the window's background where it was, and nothing else repaints
// the window until the next frame is presented, which may be a while (the
// game inactive) or never (the box came before the end). Called by the thread
// that draws or while that thread waits for the dialog.
void ShowLastFrame()
{
    if (Display.lpDTCon) {
        if (!Display.lpDevice) return;
        DDEndScene();
        Display.lpDevice->Present(nullptr, nullptr, nullptr, nullptr);
        return;
    }
    if (!Display.lpDDCon || !Display.PrimarySD.lpDD || !Display.PrimarySD.lpDD->lpSurface || !Display.BackBuffer.lpDD) return;
    if (Display.bWindowMode) {
        RECT client = Display.rcClient.Load();
        Display.PrimarySD.lpDD->lpSurface->Blt(&client, Display.BackBuffer.lpDD->lpSurface, nullptr, DDBLT_WAIT, nullptr);
    } else {
        DDBlt(&Display.PrimarySD, 0, 0, 640, 480, &Display.BackBuffer, 0, 0, 0);
    }
}

int SwitchDialogBoxMode(int on)
{
    if (Display.bWindowMode) return 1;
    if (Display.lpDTCon) {
        if (!Display.lpDevice) return 0;
        if (on) {
            DDEndScene();
            if (Display.lpDevice->SetDialogBoxMode(TRUE) != D3D_OK) {
                TraceLogF("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)");
                return 0;
            }
            ShowCursor(TRUE);
            return 1;
        }
        HideCursor();
        return Display.lpDevice->SetDialogBoxMode(FALSE) == D3D_OK ? 1 : 0;
    }
    if (Display.lpDDCon) {
        if (!Display.lpDirectDraw) return 0;
        if (on) {
            if (FAILED(Display.lpDirectDraw->FlipToGDISurface())) return 0;
            ShowCursor(TRUE);
            return 1;
        }
        HideCursor();
        return 1;
    }
    return 1;
}

} // namespace

int DDSetDialogBoxMode(int on)
{
    const int result = SwitchDialogBoxMode(on);
    if (!on && result) ShowLastFrame();
    return result;
}

int DDMesBox(const char* text, const char* caption, UINT type)
{
    if (!DDSetDialogBoxMode(1)) {
        TraceLogF("DDMesBox 失敗! %s, %s", text, caption);
        return 0;
    }
    // The box's own answer: a question asked in full screen must be told
    // apart from a plain acknowledgement.
    int result = MessageBoxA(Display.hDDWnd, text, caption, type);
    DDSetDialogBoxMode(0);
    return result;
}

bool FullScreenBoxesNeeded()
{
    return Display.bFullScreenBoxes != 0;
}
