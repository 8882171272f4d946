#pragma once
// Reference versions of the pixel effects, written straight from their rules
// and kept apart from the library's own pixel maths, so that the library can
// be checked against them at every depth, including those the test display
// cannot show.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "gfx/display.h"
#include "gfx/pixel_format.h"

// The DirectDraw 16-bit channel layouts a display may have.
extern const COLORSHIFTS kRefFormat565;
extern const COLORSHIFTS kRefFormat555;

// A source layout and the target layout it is drawn into, with the
// DirectDraw 16-bit channels and the transparent colour as a pixel value.
struct LAYOUTPAIR {
    const char* name;
    int sourceKind, targetKind;
    COLORSHIFTS dd16;
    DWORD transmit;
};

// A picture of one layout: pixel values row by row.
struct REFIMAGE {
    int nKind = PIXEL_NONE;   // PIXELKIND
    int nWidth = 0, nHeight = 0;
    COLORSHIFTS dd16 = {};    // PIXEL_DD16 only: the display's channels
    std::vector<uint32_t> pixels;

    uint32_t& At(int x, int y) { return pixels[y * nWidth + x]; }
    uint32_t At(int x, int y) const { return pixels[y * nWidth + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < nWidth && y < nHeight; }
};

// Filled with values from a fixed sequence; about one pixel in four is made
// transparent for the layout (transmit: the DirectDraw transparent colour).
REFIMAGE MakeRefImage(int kind, int width, int height, uint32_t seed, uint32_t transmit,
                      const COLORSHIFTS& dd16 = {});

// The picture in memory as the library sees a locked surface (with a row
// pitch wider than the picture), and back.
struct VIEWBUFFER {
    std::vector<BYTE> bytes;
    PIXELVIEW view;
};
VIEWBUFFER ToView(const REFIMAGE& image);
// A loaded surface read back as a picture of the given layout (gfx_support.h's ReadPixels).
REFIMAGE ReadRef(DDSURFACEDATA* surface, int kind);
REFIMAGE FromView(const VIEWBUFFER& buffer, const REFIMAGE& like);
// Pixel-by-pixel equality over the expected picture, naming the first few differences.
::testing::AssertionResult SameImage(const REFIMAGE& actual, const REFIMAGE& expected);

void RefBlur(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
             int radiusX, int radiusY, int sx, int sy, int mode, uint32_t transmit);
void RefMosaic(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
               int blockSize, int sx, int sy, int mode, uint32_t transmit);
// The lens: the disc of radius around (tcx, tcy) read through a sphere of the
// given depth; the keying follows the target's depth (see shaped_blit.h).
void RefLens(REFIMAGE& target, const REFIMAGE& source, int tcx, int tcy, int radius, int depth,
             int scx, int scy, int mode, int clear, uint32_t transmit);
// The fixed-point rotation, each target pixel mapped back on its own.
void RefRotate(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
               int pivotX, int pivotY, int angle, int sx, int sy, int mode, uint32_t transmit);
