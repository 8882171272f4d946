#include "gfx/transparent_colour.h"

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "gfx/bitmap_copy.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_format.h"
#include "gfx/surface.h"
#include "gfx/surface_lock.h"

namespace {

// The colour of index 0 of an 8-bit image; false when the image cannot be
// loaded. *indexed tells whether it is an 8-bit image at all.
bool ReadFirstTableColour(const char* fileName, bool* indexed, RGBQUAD* colour)
{
    HBITMAP bitmap = LoadBitmapFile(fileName);
    if (!bitmap) return false;
    RGBQUAD colours[256];
    *indexed = ReadColourTable(bitmap, colours);
    *colour = *indexed ? colours[0] : RGBQUAD{};
    DeleteObject(bitmap);
    return true;
}

// Reads the top-left pixel of a locked image into the forms of the back end.
// False when a second look at the file fails (Direct3D 16-bit).
bool TakeTopLeftPixel(const cSurfaceLock& lock, const char* fileName)
{
    const DWORD pixel = lock.Read(0, 0);
    if (Display.lpDTCon) {
        if (Display.nBpp == 16) {
            Display.dwTransmit = pixel & 0xFFFF;
            bool indexed = false;
            RGBQUAD first = {};
            if (!ReadFirstTableColour(fileName, &indexed, &first)) return false;
            if (indexed) Display.lpDTCon->rgbKey_16 = {first.rgbBlue, first.rgbGreen, first.rgbRed};
            const PIXELRGB c = SplitChannels(pixel, Display.SurfaceFormat);
            DDSetTransmit(static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b));
            TraceLogF("SetTrans(filename) lpDTCon->wTransmit_16 = (%x)", Display.lpDTCon->wTransmit_16);
        } else if (Display.nBpp == 32) {
            DDSetTransmit(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8),
                          static_cast<BYTE>(pixel));
        }
        return true;
    }
    Display.dwTransmit = pixel;
    if (Display.nBpp == 32)
        Display.lpDDCon->rgbTransmit = {static_cast<BYTE>(pixel), static_cast<BYTE>(pixel >> 8),
                                static_cast<BYTE>(pixel >> 16)};
    return true;
}

}  // namespace

int DDSetTransmit(const char* fileName)
{
    if (!Display.lpDTCon && !Display.lpDDCon) return 0;
    DDSURFACEDATA image;
    // The image loads with the transparent colour then current as its key.
    const int result = DDCreateSurfaceFromFile(&image, fileName, 0, Display.nBpp, 1, DTMEMORYTYPE_SYSTEM,
                                               0, 0, 0, 0, 0);
    if (result == SURFACE_CREATE_ERR || result == SURFACE_LOADIMAGE_ERR ||
        result == SURFACE_COLORKEY_ERR || result < 0) {
        TraceLogF("%s 作成失敗！", fileName ? fileName : "");
        DDReleaseSurface(&image);
        return 0;
    }
    int ok = 1;
    {
        cSurfaceLock lock(&image);
        if (!lock.Locked() || !lock.Inside(0, 0)) {
            TraceLog("Lock 失敗！");
            ok = 0;
        } else if (!TakeTopLeftPixel(lock, fileName)) {
            ok = 0;
        }
    }
    DDReleaseSurface(&image);
    return ok;
}

void DDSetTransmit(BYTE red, BYTE green, BYTE blue)
{
    if (Display.lpDTCon) {
        DTCONTEXT& con = *Display.lpDTCon;
        con.rgbTransmit = {blue, green, red};
        TraceLogF("SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = "
                  "%d,lpDTCon->rgbTransmit.rgbtBlue = %d",
                  red, green, blue);
        if (Display.nBpp != 16 && Display.nBpp != 32) return;
        con.dwTransmitTex = 0;
        con.dwTransmitBack = 0xFF000000 | static_cast<DWORD>(red) << 16 |
                             static_cast<DWORD>(green) << 8 | blue;
        con.wTransmit_16 = 0;
        if (Display.nBpp == 32) {
            con.wTransmitBack_16 = 0;
            Display.dwTransmit = 0;
        } else {
            // Masked, not scaled: the file form passes 5-bit components.
            con.wTransmitBack_16 = static_cast<WORD>(
                PackChannels({red, green, blue}, Display.SurfaceFormat) | 1u << Display.SurfaceFormat.nAlphaShift);
        }
        return;
    }
    if (!Display.lpDDCon) return;
    const COLORSHIFTS& f = Display.SurfaceFormat;
    if (Display.nBpp == 32) {
        // A pixel of a 32-bit surface is 0x00RRGGBB, and so is the colour key.
        Display.dwTransmit = static_cast<DWORD>(red) << 16 | static_cast<DWORD>(green) << 8 | blue;
        Display.lpDDCon->rgbTransmit = {blue, green, red};
    } else if (Display.nBpp == 16) {
        Display.dwTransmit = PackChannels(ChannelsFrom255({red, green, blue}, f), f) & 0xFFFF;
        TraceLog("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！");
        const PIXELRGB c = ChannelsTo255(SplitChannels(Display.dwTransmit, f), f);
        DebugBoxF("Tr %d RGB32(%d,%d,%d) -> RGB16(%d,%d,%d)", static_cast<int>(Display.dwTransmit), red,
                  green, blue, c.r, c.g, c.b);
    }
}
