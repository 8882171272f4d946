#pragma once
// The pixel layouts that the software paths read and write, and the per-pixel
// maths of every depth as small pure functions: channels in and out of a
// pixel, transparency tests, the opaque form of a written pixel, palette
// entries from pixels, and the fade of one pixel toward a colour.
//
// Promises of this seam:
// - Channel values are kept in the layout's own widths (5, 6 or 8 bits);
//   ConvertChannels is the only place where widths change (a 5-bit green
//   going into a 6-bit field is doubled, as the display expects).
// - Nothing here reads the display state except DDPixelLayout and
//   DDIsFullScreenBackBuffer.
#include <windows.h>

#include "gfx/display.h"
#include "gfx/surface_record.h"

// How the pixels of a surface are laid out and what reading and writing them means.
enum PIXELKIND {
    PIXEL_NONE = 0,  // no software path at this depth (24 bits, or nothing up)
    PIXEL_INDEX8,    // DirectDraw 8-bit: a palette index
    PIXEL_D3D32,     // bytes B, G, R, A; alpha 0 is transparent; opaque writes set alpha 255
    PIXEL_D3D1555,   // A1R5G5B5 (textures, the windowed back buffer); transparent when
                     // bits 15 and 13 are both clear; opaque writes set bit 15
    PIXEL_D3D565,    // R5G6B5 (the full-screen back buffer); no alpha, never transparent
    PIXEL_DD16,      // the display's own channels; transparent when equal to dwTransmit
    PIXEL_DD32,      // bytes B, G, R and a fourth byte that writes leave as it was
};

struct PIXELLAYOUT {
    int nKind;           // PIXELKIND
    int nBytes;          // bytes per pixel (0 for PIXEL_NONE)
    COLORSHIFTS Format;  // a component is (pixel >> shift) & mask
};

// The fixed Direct3D layouts; DirectDraw 16-bit takes its format from the display.
extern const PIXELLAYOUT kPixelD3D32;
extern const PIXELLAYOUT kPixelD3D1555;
extern const PIXELLAYOUT kPixelD3D565;
extern const PIXELLAYOUT kPixelIndex8;
extern const PIXELLAYOUT kPixelDD32;
PIXELLAYOUT PixelLayoutDD16(const COLORSHIFTS& format);

// True exactly for BackBuffer while the display is full screen (the Direct3D
// back buffer is R5G6B5 there at 16 bits); false for VirBackBuffer.
bool DDIsFullScreenBackBuffer(const DDSURFACEDATA* surface);
// The layout of a surface record on the active back end at the current depth.
// Pass the record the lock resolved (see cSurfaceLock::m_lpSD).
PIXELLAYOUT DDPixelLayout(const DDSURFACEDATA* surface);

// Red, green and blue of a pixel, or to be packed into one.
struct PIXELRGB {
    int r, g, b;
};

// The raw channels: (pixel >> shift) & mask.
PIXELRGB SplitChannels(DWORD pixel, const COLORSHIFTS& format);
// (r & mask) << shift | ... : the channels masked, not scaled (no alpha).
DWORD PackChannels(PIXELRGB c, const COLORSHIFTS& format);
// The channels of one format in the widths of another: equal widths stay,
// a narrower channel going into a wider field is doubled per extra bit
// (5-bit green into R5G6B5), a wider one loses its low bits.
PIXELRGB ConvertChannels(PIXELRGB c, const COLORSHIFTS& from, const COLORSHIFTS& to);
// value x 255 / mask and value x mask / 255 (integer; a mask of 0 gives 0).
int ChannelTo255(int value, int mask);
int ChannelFrom255(int value, int mask);
// The same for all three channels at once, with the masks of format.
PIXELRGB ChannelsTo255(PIXELRGB c, const COLORSHIFTS& format);
PIXELRGB ChannelsFrom255(PIXELRGB c, const COLORSHIFTS& format);

// Whether a source pixel counts as transparent for an operation in mode 1.
// transmit is dwTransmit, compared in the layout's width.
bool IsTransparentPixel(const PIXELLAYOUT& layout, DWORD pixel, DWORD transmit);
// The pixel written for channels in the layout's widths: Direct3D 32-bit with
// alpha 255, A1R5G5B5 with bit 15, R5G6B5 and DirectDraw 16-bit without alpha,
// DirectDraw 32-bit keeping the fourth byte of old. PIXEL_INDEX8 and
// PIXEL_NONE give old.
DWORD PackOpaque(const PIXELLAYOUT& layout, PIXELRGB c, DWORD old);

// A pixel of layout from as a target of layout to stores it: unchanged in the
// same layout, otherwise its channels converted and packed opaque (old is the
// target pixel it replaces).
DWORD ConvertPixel(const PIXELLAYOUT& to, const PIXELLAYOUT& from, DWORD pixel, DWORD old);

// The palette entry that a palette-image pixel gives; false leaves the entry
// as it was (a transparent Direct3D pixel, or a depth that is not read).
// Direct3D 16-bit: channels scaled to 0..255, flags kept; 32-bit: bytes, flags
// = alpha. DirectDraw 16-bit: the raw channels; 32-bit: bytes, flags = byte 3.
bool PaletteEntryFromPixel(const PIXELLAYOUT& layout, DWORD pixel, PALETTEENTRY* entry);
// The same entry packed back into a 16-bit pixel of the format (masked, not scaled).
WORD PaletteEntryToPixel16(const PALETTEENTRY& entry, const COLORSHIFTS& format);

// One channel pulled toward k by level (0..256): (v x level + k x (256 - level)) >> 8.
int FadeChannel(int v, int level, int k);
// A DirectDraw pixel faded toward (red, green, blue) by level: 16-bit through
// 0..255 and back, 32-bit on bytes keeping the fourth byte of old. Other
// layouts give old.
DWORD FadePixel(const PIXELLAYOUT& layout, DWORD source, DWORD old, int level, int red, int green,
                int blue);

// Reads or writes one pixel of nBytes (1 to 4) bytes at p.
DWORD LoadPixel(const BYTE* p, int bytes);
void StorePixel(BYTE* p, int bytes, DWORD pixel);

// A block of pixels in memory with its layout: what a surface lock hands out,
// or a buffer of the caller's own (so that the pixel work of every depth can
// run without a display of that depth).
struct PIXELVIEW {
    BYTE* lpPixels = nullptr;
    int nPitch = 0;               // row length in pixels
    int nWidth = 0, nHeight = 0;  // the picture; positions outside it are never touched
    PIXELLAYOUT Layout = {};

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < nWidth && y < nHeight; }
    template <class T>
    T* Row(int y) const
    {
        return reinterpret_cast<T*>(lpPixels) + y * nPitch;
    }
    DWORD Read(int x, int y) const
    {
        return LoadPixel(lpPixels + (y * nPitch + x) * Layout.nBytes, Layout.nBytes);
    }
    void Write(int x, int y, DWORD pixel) const
    {
        StorePixel(lpPixels + (y * nPitch + x) * Layout.nBytes, Layout.nBytes, pixel);
    }
};
