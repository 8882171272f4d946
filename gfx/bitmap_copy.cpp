#include "gfx/bitmap_copy.h"

#include "app/base/log.h"
#include "app/base/whole_file.h"
#include "gfx/bmp_header.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_copy.h"
#include "gfx/pixel_format.h"
#include "gfx/surface_lock.h"

namespace {

// Position i inside cells of size m, turned around within its cell.
int MirrorIndex(int i, int m)
{
    return m ? m * (i / m + 1) - (i % m) - 1 : i;
}

// Row j of the picture. DIB rows are padded to whole 32-bit words and stored
// bottom-up unless the height is negative.
const BYTE* DibRow(const DIBSECTION& dib, int j)
{
    const BYTE* base = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const LONG width = dib.dsBmih.biWidth, height = dib.dsBmih.biHeight;
    const size_t stride = (static_cast<size_t>(width) * dib.dsBmih.biBitCount + 31) / 32 * 4;
    const size_t row = height > 0 ? static_cast<size_t>(height - 1 - j) : static_cast<size_t>(j);
    return base + row * stride;
}

void CopyIndices(DDSURFACEDATA* record, const DIBSECTION& dib, int w, int h, int mw, int mh,
                 const char* fileName)
{
    cSurfaceLock lock(record);
    if (!lock.Locked()) return;
    if (record->nWidth != w || record->nHeight != h) {
        TraceLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", fileName, record->nWidth,
                  record->nHeight, w, h);
        return;
    }
    for (int j = 0; j < h; ++j) {
        const int tj = MirrorIndex(j, mh);
        if (tj >= lock.Height()) return;
        const BYTE* src = DibRow(dib, j);
        BYTE* dst = lock.Row<BYTE>(tj);
        for (int i = 0; i < w; ++i) {
            const int ti = MirrorIndex(i, mw);
            if (ti >= lock.Width()) break;
            dst[ti] = src[i];
        }
    }
}

void CopyReducedTo16(DDSURFACEDATA* record, const DIBSECTION& dib, int w, int h, int mw, int mh)
{
    cSurfaceLock lock(record);
    if (!lock.Locked()) return;
    const COLORSHIFTS& f = Display.SurfaceFormat;
    const RGBTRIPLE key = Display.lpDDCon ? Display.lpDDCon->rgbKey_16 : RGBTRIPLE{};
    const int bytes = dib.dsBm.bmBitsPixel / 8;
    for (int j = 0; j < h; ++j) {
        const int tj = MirrorIndex(j, mh);
        if (tj >= lock.Height()) return;
        const BYTE* src = DibRow(dib, j);
        WORD* dst = lock.Row<WORD>(tj);
        for (int i = 0; i < w; ++i) {
            const int ti = MirrorIndex(i, mw);
            if (ti >= lock.Width()) break;
            const BYTE b = src[i * bytes], g = src[i * bytes + 1], r = src[i * bytes + 2];
            DWORD pixel;
            if (r == key.rgbtRed && g == key.rgbtGreen && b == key.rgbtBlue) {
                pixel = Display.dwTransmit;
            } else {
                pixel = PackChannels(ChannelsFrom255({r, g, b}, f), f);
                // An opaque pixel must never become the transparent one.
                if (pixel == Display.dwTransmit)
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

HBITMAP LoadBitmapFile(const char* fileName)
{
    std::vector<uint8_t> image;
    if (!ReadWholeFile(fileName, image)) return nullptr;
    if (const char* fault = CheckBmpImage(image.data(), image.size())) {
        ReportLog("err picture file \"%s\": %s", fileName, fault);
        return nullptr;
    }
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

bool ReadColourTable(HBITMAP bitmap, RGBQUAD (&colours)[256])
{
    DIBSECTION dib = {};
    if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 8)
        return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const UINT count = GetDIBColorTable(dc, 0, 256, colours);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (UINT i = count; i < 256; ++i) colours[i] = {};
    return true;
}

bool DDReadBitmapSize(const char* fileName, int* width, int* height)
{
    HBITMAP bitmap = fileName ? LoadBitmapFile(fileName) : nullptr;
    if (!bitmap) return false;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    *width = info.bmWidth;
    *height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return true;
}

bool CopyBitmap(DDSURFACEDATA* record, const char* fileName, int bpp, int pixelCopy,
                int mirrorWidth, int mirrorHeight)
{
    if (Display.lpDTCon || !fileName || !*fileName) return true;
    if (!record || !record->lpDD || !record->lpDD->lpSurface) return false;
    HBITMAP bitmap = LoadBitmapFile(fileName);
    if (!bitmap) return false;
    DIBSECTION dib = {};
    GetObjectA(bitmap, sizeof dib, &dib);
    const int w = dib.dsBm.bmWidth;
    const int h = dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight;
    const int depth = dib.dsBm.bmBitsPixel;
    // In 8-bit colour the surface holds palette indices, and only an 8-bit
    // image has them (a 1- or 4-bit row is not even as long as the picture
    // is wide): any other image is refused rather than shown as noise.
    if (bpp == 8 && (depth != 8 || !dib.dsBm.bmBits)) {
        ReportLog("CopyBitmap Err %s Bpp(%d)", fileName, depth);
        DeleteObject(bitmap);
        return false;
    }
    if (bpp == 8)
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
    if (fileName != record->szFileName)
        lstrcpynA(record->szFileName, fileName, sizeof record->szFileName);
    if (pixelCopy && bpp != 8) return DDMakePixelCopy(&record->lpDD->lpPixelCopy, record) != 0;
    record->lpDD->lpPixelCopy.reset();
    return true;
}

bool DDReloadBitmap(DDSURFACEDATA* record, int bpp)
{
    if (Display.lpDTCon) return true;
    if (!record || !record->lpDD) return false;
    return CopyBitmap(record, record->szFileName, bpp, record->lpDD->lpPixelCopy != nullptr,
                      record->nMirrorWidth, record->nMirrorHeight);
}

int DDCheckBitmapSize(int* larger, const char* fileName, int width, int height)
{
    if (Display.lpDTCon) return 1;
    int w = 0, h = 0;
    const bool loaded = DDReadBitmapSize(fileName, &w, &h);
    const int isLarger = loaded && (w > width || h > height);
    if (larger) *larger = isLarger;
    return loaded;
}
