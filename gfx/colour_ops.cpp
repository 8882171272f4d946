#include "gfx/colour_ops.h"

#include <cstring>

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/pixel_format.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/scene.h"
#include "gfx/surface_lock.h"

namespace {

// Where the 16 x 16 colour grid sits in a palette image.
constexpr int kGridTop = 8;
constexpr int kGridSize = 16;

}  // namespace

void ReadPaletteGrid(PALETTEENTRY* table, const PIXELVIEW& image)
{
    for (int row = kGridTop; row < kGridTop + kGridSize; ++row)
        for (int col = 0; col < kGridSize; ++col)
            if (image.Inside(col, row))
                PaletteEntryFromPixel(image.Layout, image.Read(col, row),
                                      &table[kGridSize * (row - kGridTop) + col]);
}

void FadePixels(const PIXELVIEW& target, const PIXELVIEW& source, int level, int red, int green,
                int blue)
{
    const PIXELLAYOUT& layout = target.Layout;
    if (layout.nKind != PIXEL_DD16 && layout.nKind != PIXEL_DD32) return;
    if (source.Layout.nBytes != layout.nBytes) return;
    for (int y = 0; y < target.nHeight; ++y)
        for (int x = 0; x < target.nWidth; ++x)
            if (source.Inside(x, y))
                target.Write(x, y, FadePixel(layout, source.Read(x, y), target.Read(x, y), level,
                                             red, green, blue));
}

bool DDSetPalette_UnPal(PALETTEENTRY* table, DDSURFACEDATA* surface)
{
    if (!table) return true;
    cSurfaceLock lock(surface);
    if (!lock.Locked()) {
        if (Display.lpDTCon) TraceLog("DDSetPalette_UnPal Lock Err");
        return true;
    }
    ReadPaletteGrid(table, lock.View());
    return true;
}

bool DDFade_UnPal(DDSURFACEDATA* target, int level, BYTE red, BYTE green, BYTE blue,
                  DDSURFACEDATA* source)
{
    if (Display.lpDTCon) {
        TraceLog("D3DではDDFade_UnPalは未対応");
        return true;
    }
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    FadePixels(locks.Target().View(), locks.Source().View(), level, red, green, blue);
    return true;
}

bool DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha,
                   BYTE bRed, BYTE bGreen, BYTE bBlue)
{
    return DDChangeColorBlt(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}

bool DDChangeColorBlt(DDSURFACEDATA* target, int x, int y, int width, int height,
                      DDSURFACEDATA* source, int alpha, BYTE red, BYTE green, BYTE blue)
{
    (void)x, (void)y, (void)width, (void)height;
    if (!Display.lpDTCon) {
        TraceLog("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int "
                 "nHeight,int nAlpha,BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応");
        return true;
    }
    if (!target || !source || !Display.lpDevice) return true;
    DDGetShareSD(&target);
    DDGetShareSD(&source);
    DDRedirectBackBuffer(&target);
    DDRedirectBackBuffer(&source);
    if (!target->lpDT || !source->lpDT || !source->lpDT->lpVertexBuffer) return true;

    // The colour's opacity is the complement of the given transparency.
    const DWORD diffuse = static_cast<DWORD>(~alpha & 0xFF) << 24 | static_cast<DWORD>(red) << 16 |
                          static_cast<DWORD>(green) << 8 | blue;
    const float u1 = source->nTexWidth ? static_cast<float>(target->nWidth) / source->nTexWidth : 0.0f;
    const float v1 =
        source->nTexHeight ? static_cast<float>(target->nHeight) / source->nTexHeight : 0.0f;
    QUADVERTEX v[4];
    DTSetPlainQuad(v, 0, 0, target->nWidth, target->nHeight, diffuse, u1, v1);
    if (!DTBeginQuad(target, source, v)) return true;
    // BackBuffer has no texture: the plain colour is drawn.
    DTFinishQuad(source, D3DTOP_MODULATE, D3DTOP_MODULATE);
    return true;
}
