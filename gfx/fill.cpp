#include "gfx/fill.h"

#include <algorithm>

#include "app/base/log.h"
#include "gfx/batch.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_format.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/scene.h"
#include "gfx/surface_lock.h"

namespace {

struct CLIPPEDRECT {
    int left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

// Each edge by itself: left and top not below 0, right and bottom not beyond the surface.
CLIPPEDRECT ClipToSurface(const DDSURFACEDATA* record, int x, int y, int width, int height)
{
    return {std::max(x, 0), std::max(y, 0), std::min(x + width, record->nWidth),
            std::min(y + height, record->nHeight)};
}

void FillRenderTarget(DDSURFACEDATA* record, int x, int y, int width, int height, DWORD color)
{
    DTSURFACEDATA* dt = record->lpDT.get();
    CLIPPEDRECT r = ClipToSurface(record, x, y, width, height);
    if (r.Empty()) return;
    x = r.left, y = r.top, width = r.right - r.left, height = r.bottom - r.top;

    // Filling a keyed surface with its transparent form makes those pixels
    // transparent again (alpha included), which only a Clear can do.
    if (dt->bColorKey && (Display.nBpp == 16 || Display.nBpp == 32) && color == DTKeyClearColor(record)) {
        if (!DDBeginScene() || !DDSetRenderTarget(0, record)) return;
        DTClearRect(x, y, width, height, color);
        if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
        return;
    }
    if (Batches.RectBatch.bBatching) {
        DDCollectRect(record, x, y, width, height, color);
        return;
    }
    // Drawn with the fills next to it in one call, before anything else is.
    DTHoldFill(record, x, y, width, height, color);
}

template <class T>
void FillRows(const cSurfaceLock& lock, const CLIPPEDRECT& r, T pixel)
{
    for (int row = r.top; row < r.bottom; ++row)
        std::fill(lock.Row<T>(row) + r.left, lock.Row<T>(row) + r.right, pixel);
}

// Textures that cannot be rendered to get the colour written into their pixels.
void FillPixels(DDSURFACEDATA* record, int x, int y, int width, int height, DWORD color)
{
    const CLIPPEDRECT r = ClipToSurface(record, x, y, width, height);
    if (r.Empty()) return;
    cSurfaceLock lock(record);
    if (!lock.Locked()) return;
    if (Display.nBpp == 32) {
        FillRows<DWORD>(lock, r, color);
    } else if (Display.nBpp == 16) {
        const COLORSHIFTS& f = Display.SurfaceFormat;
        const PIXELRGB c = {static_cast<int>((color >> 16) & 255),
                            static_cast<int>((color >> 8) & 255), static_cast<int>(color & 255)};
        FillRows<WORD>(lock, r,
                       static_cast<WORD>(
                           ChannelFrom255(static_cast<int>(color >> 24), f.nAlphaMask) << f.nAlphaShift |
                           PackChannels(ChannelsFrom255(c, f), f)));
    }
}

void FillDDraw(DDSURFACEDATA* record, int x, int y, int width, int height, DWORD value)
{
    if (!record->lpDD || !record->lpDD->lpSurface) return;
    CLIPPEDRECT r = ClipToSurface(record, x, y, width, height);
    if (r.Empty()) return;
    RECT rect = {r.left, r.top, r.right, r.bottom};
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = value;
    record->lpDD->lpSurface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

}  // namespace

void DDFillRect(DDSURFACEDATA* record, int x, int y, int width, int height, DWORD color)
{
    if (!record) return;
    if (!Display.lpDTCon) {
        FillDDraw(record, x, y, width, height, color);
        return;
    }
    DDGetShareSD(&record);
    DDRedirectBackBuffer(&record);
    if (!record->lpDT) return;
    if (record->lpDT->bRenderTarget)
        FillRenderTarget(record, x, y, width, height, color);
    else
        FillPixels(record, x, y, width, height, color);
}

void DDFill(DDSURFACEDATA* record, DWORD color)
{
    if (record) DDFillRect(record, 0, 0, record->nWidth, record->nHeight, color);
}

void DDFillRectPal(DDSURFACEDATA* record, int x, int y, int width, int height, int index)
{
    if (!record) return;
    if (Display.lpDTCon) {
        DWORD color = 0;
        if (index < 0 || index > 255)
            TraceLogF("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", index);
        else if (index == 0)
            color = Display.lpDTCon->dwTransmitTex;
        else
            color = D3DCOLOR_ARGB(255, Display.Palette[index].peRed, Display.Palette[index].peGreen,
                                  Display.Palette[index].peBlue);
        DDFillRect(record, x, y, width, height, color);
        return;
    }
    // An index beyond the palette is held to its nearest entry.
    index = std::clamp(index, 0, 255);
    const PALETTEENTRY& entry = Display.Palette[index];
    DWORD value = 0;
    if (Display.nBpp == 8) {
        value = static_cast<DWORD>(index);
    } else if (Display.nBpp == 16) {
        value = PaletteEntryToPixel16(entry, Display.SurfaceFormat);
    } else if (Display.nBpp == 24 || Display.nBpp == 32) {
        value = static_cast<DWORD>(entry.peRed) << 16 | static_cast<DWORD>(entry.peGreen) << 8 |
                entry.peBlue;
    }
    FillDDraw(record, x, y, width, height, value);
}

void DDFillPal(DDSURFACEDATA* record, int index)
{
    if (record) DDFillRectPal(record, 0, 0, record->nWidth, record->nHeight, index);
}
