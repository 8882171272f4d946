#include "gfx/scene.h"

#include "app/base/log.h"
#include "gfx/batch.h"
#include "gfx/d3d_backend.h"

int DDBeginScene()
{
    if (!lpDevice || !lpDTCon) return 0;
    if (lpDTCon->bInScene) return 1;
    HRESULT hr = lpDevice->BeginScene();
    if (FAILED(hr)) {
        ReportLogAndTrace("BeginScene Err %x", static_cast<unsigned>(hr));
        return 0;
    }
    lpDTCon->bInScene = 1;
    return 1;
}

void DDEndScene()
{
    DTDrawHeldFills();
    if (!lpDevice || !lpDTCon || !lpDTCon->bInScene) return;
    lpDevice->EndScene();
    lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int index, DDSURFACEDATA* surface)
{
    if (!lpDevice || !surface || !surface->lpDT) return 0;
    DTSURFACEDATA* dt = surface->lpDT.get();
    if (!dt->bRenderTarget || !dt->lpSurface) return 0;
    // Whatever is drawn next comes after the fills made before it.
    DTDrawHeldFills();
    HRESULT hr = lpDevice->SetRenderTarget(0, dt->lpSurface);
    if (FAILED(hr)) {
        ReportLogAndTrace("SetRenderTarget Err %x (%s)", static_cast<unsigned>(hr),
                          surface->szFileName);
        return 0;
    }
    return 1;
}
