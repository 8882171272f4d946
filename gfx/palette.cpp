#include "gfx/palette.h"

#include <algorithm>

#include "app/base/log.h"
#include "gfx/bitmap_copy.h"
#include "gfx/colour_ops.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/pixel_format.h"
#include "gfx/surface.h"

namespace {

// first..last inside the table; false when nothing is left of the range.
bool ClampRange(int* first, int* last)
{
    *first = std::max(*first, 0);
    *last = std::min(*last, 255);
    return *first <= *last;
}

}  // namespace

bool DDLoadPaletteFromFile(PALETTEENTRY* table, const char* fileName, int windowMode)
{
    (void)windowMode;
    if (!table || !fileName) return false;
    HBITMAP bitmap = LoadBitmapFile(fileName);
    if (!bitmap) return false;
    RGBQUAD colours[256];
    const bool indexed = ReadColourTable(bitmap, colours);
    DeleteObject(bitmap);

    bool fromTable = false;
    if (Display.lpDTCon && indexed) {
        for (int i = 0; i < 256; ++i)
            table[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 255};
    } else if (!Display.lpDTCon && Display.nBpp == 8 && indexed) {
        for (int i = 0; i < 256; ++i)
            table[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue,
                        static_cast<BYTE>(i >= 10 && i <= 245 ? PC_RESERVED : PC_EXPLICIT)};
        fromTable = true;
    }
    if (!Display.lpDTCon && Display.nBpp == 8 && Display.lpDDPalette) Display.lpDDPalette->SetEntries(0, 0, 256, table);

    if (!fromTable && (Display.nBpp == 16 || Display.nBpp == 24 || Display.nBpp == 32)) {
        DDSURFACEDATA image;
        const int result = DDCreateSurfaceFromFile(&image, fileName, 0, Display.nBpp, 1,
                                                   DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0);
        if (result == SURFACE_OK || result == SURFACE_MIRROR_ERR) DDSetPalette_UnPal(table, &image);
        DDReleaseSurface(&image);
    }
    return true;
}

void DDBlendPalette(PALETTEENTRY* target, int first, int last, int level, BYTE red, BYTE green,
                    BYTE blue, const PALETTEENTRY* source)
{
    if (!target || !source || !ClampRange(&first, &last)) return;
    level = std::clamp(level, 0, 256);
    auto mix = [level](int k, int v) { return static_cast<BYTE>((k * (256 - level) + level * v) >> 8); };
    for (int i = first; i <= last; ++i) {
        const PALETTEENTRY from = source[i];
        target[i] = {mix(red, from.peRed), mix(green, from.peGreen), mix(blue, from.peBlue), 1};
    }
}

void DDRotatePalette(PALETTEENTRY* table, int first, int last, int count, int direction,
                     const PALETTEENTRY* source)
{
    if (!table || !source) return;
    if (Display.nBpp != 8 && Display.nBpp != 16 && Display.nBpp != 32) return;
    PALETTEENTRY copy[256];
    std::copy(source, source + 256, copy);
    std::copy(copy, copy + 256, table);
    if (!ClampRange(&first, &last) || (direction != 0 && direction != 1)) return;
    const int length = last - first + 1;
    int shift = count % length;
    if (shift < 0) shift += length;
    // Up: entry i moves to i + count, so the range turns right.
    if (direction == 0) shift = (length - shift) % length;
    std::rotate(table + first, table + first + shift, table + last + 1);
}

WORD DDPalToRGB16(const PALETTEENTRY* entry)
{
    if (Display.lpDTCon) {
        TraceLog("DDPalToRGB16はDirect3Dでは未対応");
        return 0;
    }
    return entry ? PaletteEntryToPixel16(*entry, Display.SurfaceFormat) : 0;
}
