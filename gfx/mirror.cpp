#include "gfx/mirror.h"

#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/scene.h"

bool CreateMirror(DDSURFACEDATA* target, DDSURFACEDATA* source, int mirrorWidth,
                  int mirrorHeight)
{
    if (!Display.lpDTCon || !target || !source || mirrorWidth <= 0 || mirrorHeight != 0) return true;
    if (target->lpDT && target->lpDT->bRenderTarget) {
        if (DDSetRenderTarget(0, target))
            Display.lpDevice->Clear(0, nullptr, D3DCLEAR_TARGET, Display.lpDTCon->dwTransmitTex, 1.0f, 0);
        if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
    }
    const int m = mirrorWidth, height = source->nHeight;
    for (int k = 0; k < source->nWidth / m; ++k)
        DDBltStretch(target, k * m, 0, m, height, source, k * m + m, 0, -m, height, 0);
    return true;
}
