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

COLORSHIFTS SurfaceFormat = {};
COLORSHIFTS DisplayFormat = {};

int bDirect3D = 0;
HWND hDDWnd = nullptr;
int nScreenWidth = 0, nScreenHeight = 0;
int nBpp = 0;
int bWindowMode = 0;
int bVSync = 0;
int nRefreshRate = 0;
int bSetRefreshRate = 0;
DDSURFACEDATA* lpSurfaceArray = nullptr;
DDSURFACEPARAM* lpSurfaceParams = nullptr;
int nSurfaceCount = 0;
int bDDInit = 0;
int bDDCreated = 0;
int nDesktopBpp = 0;
// The window procedure keeps it current as the window moves.
cLockedValue<RECT> rcClient;

DDSURFACEDATA BackBuffer;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;
DDSURFACEDATA PrimarySD;
DDSURFACEDATA DDWorkSD;

bool DDInit(int bD3D, HWND hwnd, int width, int height, int bpp, int vsync, int windowed,
            int backBuffers, int refreshRate, int setRefreshRate, DDSURFACEDATA* surfaces,
            DDSURFACEPARAM* params, int count, int reserved)
{
    ReportLog("VSync : %d", vsync);

    // A display that is still up is released before anything new is created,
    // with the surface array it was given, so that nothing new is torn down
    // with it.
    if (lpDTCon || lpDDCon || lpDirect3D || lpDirectDraw) {
        if (lpDirectDraw && !bD3D && windowed) lpDirectDraw->RestoreDisplayMode();
        DDUnInit();
    }

    bDirect3D = bD3D;
    hDDWnd = hwnd;
    nScreenWidth = width;
    nScreenHeight = height;
    nBpp = bpp;
    bVSync = vsync;
    bWindowMode = windowed;
    nRefreshRate = refreshRate;
    bSetRefreshRate = setRefreshRate;
    lpSurfaceArray = surfaces;
    lpSurfaceParams = params;
    nSurfaceCount = surfaces ? count : 0;

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
    bDDInit = 1;
    bDDCreated = 1;
    // Over a full-screen display a box shows only in the display's dialog mode.
    if (!windowed && !lpFullScreenMesBox) lpFullScreenMesBox = DDMesBox;
    return true;
}

void DDUnInit()
{
    // Boxes from here on (the leak report among them) must not reach a display
    // that is going.
    if (lpFullScreenMesBox == DDMesBox) lpFullScreenMesBox = nullptr;
    if (lpDirectDraw) {
        for (int i = 0; i < nSurfaceCount; ++i) DDReleaseSurface(&lpSurfaceArray[i]);
        ReleaseCom(lpClipper);
        ReleaseCom(lpDDPalette);
        DDReleaseSurface(&BackBuffer);
        DDReleaseSurface(&PrimarySD);
        DDReleaseSurface(&DDWorkSD);
        if (lpDirectDraw->Release() != 0)
            MesBox("解放漏れがあります", "DirectDraw", MB_ICONHAND);
        lpDirectDraw = nullptr;
    }
    // The context goes even when the DirectDraw object was never created.
    DeleteDDContext();

    if (lpDirect3D) {
        DTDropHeldFills();
        for (int i = 0; i < nSurfaceCount; ++i) DDReleaseSurface(&lpSurfaceArray[i]);
        DDReleaseSurface(&WorkSD);
        DDReleaseSurface(&VirBackBuffer);
        DDReleaseSurface(&BackBuffer);
        ReleaseCom(lpDevice);
        ReleaseCom(lpDirect3D);
        // Ids start again with the next device: nothing of this one may stay listed.
        RestoreList.clear();
    }
    DeleteDTContext();
}

void DDSetVirBackBuffer(int on)
{
    if (!lpDTCon) return;
    if (lpDTCon->bVirBackBuffer && !on && VirBackBuffer.lpDT && VirBackBuffer.lpDT->lpSurface)
        DDCopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
    lpDTCon->bVirBackBuffer = on;
    lpDTCon->lpDefaultTarget = on ? &BackBuffer : &VirBackBuffer;
    if (lpDTCon->lpDefaultTarget->lpDT && lpDTCon->lpDefaultTarget->lpDT->lpSurface)
        DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

int DDRedirectBackBuffer(DDSURFACEDATA** surface)
{
    if (lpDTCon && lpDTCon->bVirBackBuffer && *surface == &BackBuffer) {
        *surface = &VirBackBuffer;
        return 1;
    }
    return 0;
}

void DDCopyVirBackBuffer(DDSURFACEDATA* target, DDSURFACEDATA* source)
{
    if (!lpDTCon || !target || !source) return;
    lpDTCon->bCopyVirBackBuffer = 1;
    DDSetAlphaOp(D3DTOP_DISABLE);
    // An opaque copy at the source's own size; the copying flag keeps the
    // target from being redirected to the source itself.
    DTDrawQuad(target, 0, 0, source->nWidth, source->nHeight, source, 0, 0, source->nWidth,
               source->nHeight, 0);
    DDResetAlphaOp();
    lpDTCon->bCopyVirBackBuffer = 0;
}

int DDPresent(unsigned fps)
{
    if (!lpDTCon) return 1;
    if (lpDTCon->bVirBackBuffer) DDCopyVirBackBuffer(&BackBuffer, &VirBackBuffer);
    if (!bVSync)
        while (!PaceFrame(fps, lpDTCon != nullptr)) Sleep(1);
    DDEndScene();
    HRESULT hr = lpDevice ? lpDevice->Present(nullptr, nullptr, nullptr, nullptr) : D3D_OK;
    if (hr == D3DERR_DEVICELOST) {
        if (!bWindowMode) ShowWindow(hDDWnd, SW_SHOWMINNOACTIVE);
        return 0;
    }
    return 1;
}
