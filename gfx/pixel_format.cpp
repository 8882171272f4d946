#include "gfx/pixel_format.h"

#include <cstring>

#include "gfx/d3d_backend.h"

const PIXELLAYOUT kPixelD3D32 = {PIXEL_D3D32, 4, {16, 8, 0, 24, 255, 255, 255, 255}};
const PIXELLAYOUT kPixelD3D1555 = {PIXEL_D3D1555, 2, {10, 5, 0, 15, 31, 31, 31, 1}};
const PIXELLAYOUT kPixelD3D565 = {PIXEL_D3D565, 2, {11, 5, 0, 0, 31, 63, 31, 0}};
const PIXELLAYOUT kPixelIndex8 = {PIXEL_INDEX8, 1, {}};
const PIXELLAYOUT kPixelDD32 = {PIXEL_DD32, 4, {16, 8, 0, 24, 255, 255, 255, 0}};

PIXELLAYOUT PixelLayoutDD16(const COLORSHIFTS& format)
{
    return {PIXEL_DD16, 2, format};
}

bool DDIsFullScreenBackBuffer(const DDSURFACEDATA* surface)
{
    return surface == &Display.BackBuffer && Display.bWindowMode == 0;
}

PIXELLAYOUT DDPixelLayout(const DDSURFACEDATA* surface)
{
    if (Display.lpDTCon) {
        if (Display.nBpp == 32) return kPixelD3D32;
        if (Display.nBpp == 16) return DDIsFullScreenBackBuffer(surface) ? kPixelD3D565 : kPixelD3D1555;
        return {};
    }
    if (!Display.lpDDCon) return {};
    switch (Display.nBpp) {
    case 8: return kPixelIndex8;
    case 16: return PixelLayoutDD16(Display.SurfaceFormat);
    case 32: return kPixelDD32;
    default: return {};
    }
}

PIXELRGB SplitChannels(DWORD pixel, const COLORSHIFTS& f)
{
    return {static_cast<int>((pixel >> f.nRedShift) & f.nRedMask),
            static_cast<int>((pixel >> f.nGreenShift) & f.nGreenMask),
            static_cast<int>((pixel >> f.nBlueShift) & f.nBlueMask)};
}

DWORD PackChannels(PIXELRGB c, const COLORSHIFTS& f)
{
    return static_cast<DWORD>(c.r & f.nRedMask) << f.nRedShift |
           static_cast<DWORD>(c.g & f.nGreenMask) << f.nGreenShift |
           static_cast<DWORD>(c.b & f.nBlueMask) << f.nBlueShift;
}

namespace {

int ConvertChannel(int v, int from, int to)
{
    while (from < to && from) {
        v <<= 1;
        from = from << 1 | 1;
    }
    while (from > to) {
        v >>= 1;
        from >>= 1;
    }
    return v;
}

}  // namespace

PIXELRGB ConvertChannels(PIXELRGB c, const COLORSHIFTS& from, const COLORSHIFTS& to)
{
    return {ConvertChannel(c.r, from.nRedMask, to.nRedMask),
            ConvertChannel(c.g, from.nGreenMask, to.nGreenMask),
            ConvertChannel(c.b, from.nBlueMask, to.nBlueMask)};
}

int ChannelTo255(int value, int mask)
{
    return mask ? value * 255 / mask : 0;
}

int ChannelFrom255(int value, int mask)
{
    return value * mask / 255;
}

PIXELRGB ChannelsTo255(PIXELRGB c, const COLORSHIFTS& f)
{
    return {ChannelTo255(c.r, f.nRedMask), ChannelTo255(c.g, f.nGreenMask),
            ChannelTo255(c.b, f.nBlueMask)};
}

PIXELRGB ChannelsFrom255(PIXELRGB c, const COLORSHIFTS& f)
{
    return {ChannelFrom255(c.r, f.nRedMask), ChannelFrom255(c.g, f.nGreenMask),
            ChannelFrom255(c.b, f.nBlueMask)};
}

bool IsTransparentPixel(const PIXELLAYOUT& layout, DWORD pixel, DWORD transmit)
{
    switch (layout.nKind) {
    case PIXEL_D3D32: return (pixel >> 24) == 0;
    case PIXEL_D3D1555: return (pixel & 0xA000) == 0;
    case PIXEL_INDEX8: return (pixel & 0xFF) == (transmit & 0xFF);
    case PIXEL_DD16: return (pixel & 0xFFFF) == (transmit & 0xFFFF);
    case PIXEL_DD32: return pixel == transmit;
    default: return false;
    }
}

DWORD PackOpaque(const PIXELLAYOUT& layout, PIXELRGB c, DWORD old)
{
    const DWORD rgb = PackChannels(c, layout.Format);
    switch (layout.nKind) {
    case PIXEL_D3D32: return 0xFF000000 | rgb;
    case PIXEL_D3D1555: return 0x8000 | rgb;
    case PIXEL_D3D565:
    case PIXEL_DD16: return rgb;
    case PIXEL_DD32: return (old & 0xFF000000) | rgb;
    default: return old;
    }
}

DWORD ConvertPixel(const PIXELLAYOUT& to, const PIXELLAYOUT& from, DWORD pixel, DWORD old)
{
    if (to.nKind == from.nKind) return pixel;
    return PackOpaque(to, ConvertChannels(SplitChannels(pixel, from.Format), from.Format, to.Format),
                      old);
}

bool PaletteEntryFromPixel(const PIXELLAYOUT& layout, DWORD pixel, PALETTEENTRY* entry)
{
    const COLORSHIFTS& f = layout.Format;
    const PIXELRGB c = SplitChannels(pixel, f);
    switch (layout.nKind) {
    case PIXEL_D3D1555:
        if (!(pixel & 0x8000)) return false;
        entry->peRed = static_cast<BYTE>(ChannelTo255(c.r, f.nRedMask));
        entry->peGreen = static_cast<BYTE>(ChannelTo255(c.g, f.nGreenMask));
        entry->peBlue = static_cast<BYTE>(ChannelTo255(c.b, f.nBlueMask));
        return true;
    case PIXEL_D3D32:
        if (!(pixel >> 24)) return false;
        *entry = {static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b),
                  static_cast<BYTE>(pixel >> 24)};
        return true;
    case PIXEL_DD16:
        entry->peRed = static_cast<BYTE>(c.r);
        entry->peGreen = static_cast<BYTE>(c.g);
        entry->peBlue = static_cast<BYTE>(c.b);
        return true;
    case PIXEL_DD32:
        *entry = {static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b),
                  static_cast<BYTE>(pixel >> 24)};
        return true;
    default: return false;
    }
}

WORD PaletteEntryToPixel16(const PALETTEENTRY& entry, const COLORSHIFTS& format)
{
    return static_cast<WORD>(PackChannels({entry.peRed, entry.peGreen, entry.peBlue}, format));
}

int FadeChannel(int v, int level, int k)
{
    return (v * level + k * (256 - level)) >> 8;
}

DWORD FadePixel(const PIXELLAYOUT& layout, DWORD source, DWORD old, int level, int red, int green,
                int blue)
{
    const COLORSHIFTS& f = layout.Format;
    const PIXELRGB c = SplitChannels(source, f);
    if (layout.nKind == PIXEL_DD16) {
        auto fade = [&](int v, int mask, int k) {
            return ChannelFrom255(FadeChannel(ChannelTo255(v, mask), level, k), mask);
        };
        return PackChannels({fade(c.r, f.nRedMask, red), fade(c.g, f.nGreenMask, green),
                             fade(c.b, f.nBlueMask, blue)},
                            f);
    }
    if (layout.nKind == PIXEL_DD32)
        return PackOpaque(layout,
                          {FadeChannel(c.r, level, red), FadeChannel(c.g, level, green),
                           FadeChannel(c.b, level, blue)},
                          old);
    return old;
}

DWORD LoadPixel(const BYTE* p, int bytes)
{
    DWORD v = 0;
    std::memcpy(&v, p, bytes);
    return v;
}

void StorePixel(BYTE* p, int bytes, DWORD pixel)
{
    std::memcpy(p, &pixel, bytes);
}
