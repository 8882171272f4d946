#include "gfx/scene.h"

#include "app/base/log.h"
#include "gfx/batch.h"
#include "gfx/d3d_backend.h"

int DDBeginScene()
{
    if (!Display.lpDevice || !Display.lpDTCon) return 0;
    if (Display.lpDTCon->bInScene) return 1;
    HRESULT hr = Display.lpDevice->BeginScene();
    if (FAILED(hr)) {
        ReportLogAndTrace("BeginScene Err %x", static_cast<unsigned>(hr));
        return 0;
    }
    Display.lpDTCon->bInScene = 1;
    return 1;
}

void DDEndScene()
{
    DTDrawHeldFills();
    if (!Display.lpDevice || !Display.lpDTCon || !Display.lpDTCon->bInScene) return;
    Display.lpDevice->EndScene();
    Display.lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int index, DDSURFACEDATA* surface)
{
    if (!Display.lpDevice || !surface || !surface->lpDT) return 0;
    DTSURFACEDATA* dt = surface->lpDT.get();
    if (!dt->bRenderTarget || !dt->lpSurface) return 0;
    // Whatever is drawn next comes after the fills made before it.
    DTDrawHeldFills();
    HRESULT hr = Display.lpDevice->SetRenderTarget(0, dt->lpSurface);
    if (FAILED(hr)) {
        ReportLogAndTrace("SetRenderTarget Err %x (%s)", static_cast<unsigned>(hr),
                          surface->szFileName);
        return 0;
    }
    return 1;
}
