#include "gfx/bitmap_copy.h"

#include "app/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"

namespace {

// Position i inside cells of size m, turned around within its cell.
int MirrorIndex(int i, int m)
{
    return m ? m * (i / m + 1) - (i % m) - 1 : i;
}

struct LOCKEDSURFACE {
    IDirectDrawSurface7* surface = nullptr;
    BYTE* bits = nullptr;
    int pitch = 0;  // bytes
    explicit LOCKEDSURFACE(IDirectDrawSurface7* s) : surface(s)
    {
        DDSURFACEDESC2 desc = {};
        desc.dwSize = sizeof desc;
        if (SUCCEEDED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
            bits = static_cast<BYTE*>(desc.lpSurface);
            pitch = static_cast<int>(desc.lPitch);
        }
    }
    ~LOCKEDSURFACE()
    {
        if (bits) surface->Unlock(nullptr);
    }
};

// Bottom-up DIB rows: row j of the picture.
const BYTE* DibRow(const DIBSECTION& dib, int j)
{
    const BYTE* base = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const int stride = dib.dsBm.bmWidthBytes;
    const int height = dib.dsBm.bmHeight;
    return dib.dsBmih.biHeight > 0 ? base + (height - 1 - j) * stride : base + j * stride;
}

void CopyIndices(DDSURFACEDATA* record, const DIBSECTION& dib, int w, int h, int mw, int mh,
                 const char* fileName)
{
    LOCKEDSURFACE lock(record->lpDD->lpSurface);
    if (!lock.bits) return;
    if (record->nWidth != w || record->nHeight != h) {
        TraceLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", fileName, record->nWidth,
                  record->nHeight, w, h);
        return;
    }
    for (int j = 0; j < h; ++j) {
        const int tj = MirrorIndex(j, mh);
        if (tj >= h) return;
        const BYTE* src = DibRow(dib, j);
        BYTE* dst = lock.bits + tj * lock.pitch;
        for (int i = 0; i < w; ++i) {
            const int ti = MirrorIndex(i, mw);
            if (ti >= w) break;
            dst[ti] = src[i];
        }
    }
}

void CopyReducedTo16(DDSURFACEDATA* record, const DIBSECTION& dib, int w, int h, int mw, int mh)
{
    LOCKEDSURFACE lock(record->lpDD->lpSurface);
    if (!lock.bits) return;
    const COLORSHIFTS& f = SurfaceFormat;
    const RGBTRIPLE key = lpDDCon ? lpDDCon->rgbKey_16 : RGBTRIPLE{};
    const int bytes = dib.dsBm.bmBitsPixel / 8;
    for (int j = 0; j < h; ++j) {
        const int tj = MirrorIndex(j, mh);
        if (tj >= record->nHeight) return;
        const BYTE* src = DibRow(dib, j);
        WORD* dst = reinterpret_cast<WORD*>(lock.bits + tj * lock.pitch);
        for (int i = 0; i < w; ++i) {
            const int ti = MirrorIndex(i, mw);
            if (ti >= record->nWidth) break;
            const BYTE b = src[i * bytes], g = src[i * bytes + 1], r = src[i * bytes + 2];
            DWORD pixel;
            if (r == key.rgbtRed && g == key.rgbtGreen && b == key.rgbtBlue) {
                pixel = dwTransmit;
            } else {
                pixel = (r * f.nRedMask / 255) << f.nRedShift |
                        (g * f.nGreenMask / 255) << f.nGreenShift |
                        (b * f.nBlueMask / 255) << f.nBlueShift;
                // An opaque pixel must never become the transparent one.
                if (pixel == dwTransmit)
                    pixel += ((pixel >> f.nBlueShift) & f.nBlueMask) == static_cast<DWORD>(f.nBlueMask) ? -1 : 1;
            }
            dst[ti] = static_cast<WORD>(pixel);
        }
    }
}

void CopyThroughGdi(DDSURFACEDATA* record, HBITMAP bitmap, int w, int h, int m, int n)
{
    HDC surfaceDc = nullptr;
    if (FAILED(record->lpDD->lpSurface->GetDC(&surfaceDc))) return;
    HDC memoryDc = CreateCompatibleDC(surfaceDc);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    if (!m && !n) {
        BitBlt(surfaceDc, 0, 0, w, h, memoryDc, 0, 0, SRCCOPY);
    } else {
        const int columns = m ? w / m : 1, rows = n ? h / n : 1;
        const int cw = m ? m : w, ch = n ? n : h;
        for (int k = 0; k < columns; ++k)
            for (int l = 0; l < rows; ++l) {
                const int x = k * cw, y = l * ch;
                StretchBlt(surfaceDc, m ? x + m - 1 : x, n ? y + n - 1 : y, m ? -m : cw,
                           n ? -n : ch, memoryDc, x, y, cw, ch, SRCCOPY);
            }
    }
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    record->lpDD->lpSurface->ReleaseDC(surfaceDc);
}

}  // namespace

bool CopyBitmap(DDSURFACEDATA* record, const char* fileName, int bpp, int pixelCopy,
                int mirrorWidth, int mirrorHeight)
{
    if (lpDTCon || !fileName || !*fileName) return true;
    if (!record || !record->lpDD || !record->lpDD->lpSurface) return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    DIBSECTION dib = {};
    GetObjectA(bitmap, sizeof dib, &dib);
    const int w = dib.dsBm.bmWidth;
    const int h = dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight;
    const int depth = dib.dsBm.bmBitsPixel;
    if (bpp == 8 && dib.dsBm.bmBits)
        CopyIndices(record, dib, w, h, mirrorWidth, mirrorHeight, fileName);
    else if (bpp == 16 && (depth == 24 || depth == 32) && dib.dsBm.bmBits)
        CopyReducedTo16(record, dib, w, h, mirrorWidth, mirrorHeight);
    else
        CopyThroughGdi(record, bitmap, w, h, mirrorWidth, mirrorHeight);
    DeleteObject(bitmap);
    record->nWidth = w;
    record->nHeight = h;
    record->nMirrorWidth = mirrorWidth;
    record->nMirrorHeight = mirrorHeight;
    lstrcpynA(record->szFileName, fileName, sizeof record->szFileName);
    // The pixel copy (palette index per pixel) is built by its own code.
    record->lpDD->lpPixelCopy = nullptr;
    (void)pixelCopy;
    return true;
}
