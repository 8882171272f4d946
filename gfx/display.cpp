#include "gfx/display.h"

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "gfx/com_release.h"
#include "app/system/timing.h"
#include "gfx/batch.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/dialog_mode.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/scene.h"
#include "gfx/surface.h"

DISPLAY Display;

bool DDInit(int bD3D, HWND hwnd, int width, int height, int bpp, int vsync, int windowed,
            int backBuffers, int refreshRate, int setRefreshRate, DDSURFACEDATA* surfaces,
            DDSURFACEPARAM* params, int count, int reserved)
{
    ReportLog("VSync : %d", vsync);

    // A display that is still up is released before anything new is created,
    // with the surface array it was given, so that nothing new is torn down
    // with it.
    if (Display.lpDTCon || Display.lpDDCon || Display.lpDirect3D || Display.lpDirectDraw) {
        if (Display.lpDirectDraw && !bD3D && windowed) Display.lpDirectDraw->RestoreDisplayMode();
        DDUnInit();
    }

    Display.bDirect3D = bD3D;
    Display.hDDWnd = hwnd;
    Display.nScreenWidth = width;
    Display.nScreenHeight = height;
    Display.nBpp = bpp;
    Display.bVSync = vsync;
    Display.bWindowMode = windowed;
    Display.nRefreshRate = refreshRate;
    Display.bSetRefreshRate = setRefreshRate;
    Display.lpSurfaceArray = surfaces;
    Display.lpSurfaceParams = params;
    Display.nSurfaceCount = surfaces ? count : 0;

    if (bD3D) {
        if (!DTInit(hwnd, width, height, bpp, backBuffers)) return false;
    } else {
        CreateDDContext();
        if (!windowed) {
            SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOPMOST);
            SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP);
            if (!DDCheckInitResult(DDInitFullScreen(hwnd, width, height, bpp, backBuffers)))
                return false;
        } else {
            if (!DDCheckInitResult(DDInitWindow(hwnd))) return false;
        }
    }
    Display.bDDInit = 1;
    Display.bDDCreated = 1;
    // Over a full-screen display a box shows only in the display's dialog mode.
    if (!windowed) Display.bFullScreenBoxes = 1;
    return true;
}

void DDUnInit()
{
    // Boxes from here on (the leak report among them) must not reach a display
    // that is going.
    Display.bFullScreenBoxes = 0;
    if (Display.lpDirectDraw) {
        for (int i = 0; i < Display.nSurfaceCount; ++i) DDReleaseSurface(&Display.lpSurfaceArray[i]);
        ReleaseCom(Display.lpClipper);
        ReleaseCom(Display.lpDDPalette);
        DDReleaseSurface(&Display.BackBuffer);
        DDReleaseSurface(&Display.PrimarySD);
        DDReleaseSurface(&Display.DDWorkSD);
        if (Display.lpDirectDraw->Release() != 0)
            MesBox("解放漏れがあります", "DirectDraw", MB_ICONHAND);
        Display.lpDirectDraw = nullptr;
    }
    // The context goes even when the DirectDraw object was never created.
    DeleteDDContext();

    if (Display.lpDirect3D) {
        DTDropHeldFills();
        for (int i = 0; i < Display.nSurfaceCount; ++i) DDReleaseSurface(&Display.lpSurfaceArray[i]);
        DDReleaseSurface(&Display.WorkSD);
        DDReleaseSurface(&Display.VirBackBuffer);
        DDReleaseSurface(&Display.BackBuffer);
        ReleaseCom(Display.lpDevice);
        ReleaseCom(Display.lpDirect3D);
        // Ids start again with the next device: nothing of this one may stay listed.
        Display.RestoreList.clear();
    }
    DeleteDTContext();
}

void DDSetVirBackBuffer(int on)
{
    if (!Display.lpDTCon) return;
    if (Display.lpDTCon->bVirBackBuffer && !on && Display.VirBackBuffer.lpDT && Display.VirBackBuffer.lpDT->lpSurface)
        DDCopyVirBackBuffer(&Display.BackBuffer, &Display.VirBackBuffer);
    Display.lpDTCon->bVirBackBuffer = on;
    Display.lpDTCon->lpDefaultTarget = on ? &Display.BackBuffer : &Display.VirBackBuffer;
    if (Display.lpDTCon->lpDefaultTarget->lpDT && Display.lpDTCon->lpDefaultTarget->lpDT->lpSurface)
        DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
}

int DDRedirectBackBuffer(DDSURFACEDATA** surface)
{
    if (Display.lpDTCon && Display.lpDTCon->bVirBackBuffer && *surface == &Display.BackBuffer) {
        *surface = &Display.VirBackBuffer;
        return 1;
    }
    return 0;
}

void DDCopyVirBackBuffer(DDSURFACEDATA* target, DDSURFACEDATA* source)
{
    if (!Display.lpDTCon || !target || !source) return;
    Display.lpDTCon->bCopyVirBackBuffer = 1;
    DDSetAlphaOp(D3DTOP_DISABLE);
    // An opaque copy at the source's own size; the copying flag keeps the
    // target from being redirected to the source itself.
    DTDrawQuad(target, 0, 0, source->nWidth, source->nHeight, source, 0, 0, source->nWidth,
               source->nHeight, 0);
    DDResetAlphaOp();
    Display.lpDTCon->bCopyVirBackBuffer = 0;
}

int DDPresent(unsigned fps)
{
    if (!Display.lpDTCon) return 1;
    if (Display.lpDTCon->bVirBackBuffer) DDCopyVirBackBuffer(&Display.BackBuffer, &Display.VirBackBuffer);
    // Paced here with VSync on as well: a device asked to wait for the
    // display's refresh may not (a virtual display has none), and the game
    // would run as fast as it can draw, its frames and the driver's wait on a
    // full present queue taking every core they get. Where the refresh is
    // waited for, the frames keep its timing and the pacing only holds a
    // frame that comes early.
    while (!PaceFrame(fps, true)) Sleep(1);
    DDEndScene();
    HRESULT hr = Display.lpDevice ? Display.lpDevice->Present(nullptr, nullptr, nullptr, nullptr) : D3D_OK;
    if (hr == D3DERR_DEVICELOST) {
        if (!Display.bWindowMode) ShowWindow(Display.hDDWnd, SW_SHOWMINNOACTIVE);
        return 0;
    }
    return 1;
}
