#include "tests/gfx/font_support.h"

#include <algorithm>
#include <cstdlib>

#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"

ScopedSurface::~ScopedSurface()
{
    DDReleaseSurface(&sd);
}

bool FontTest::UpWithText(int d3d, int windowed)
{
    Display.Palette[kTextColour] = {0xFF, 0xFF, 0x00, 0};
    Display.Palette[kFrameColour] = {0x00, 0xFF, 0xFF, 0};
    if (!Up(d3d, 32, windowed)) return false;
    ClearBackBuffer();
    return true;
}

void FontTest::ClearBackBuffer()
{
    DDFill(&Display.BackBuffer, (Display.lpDTCon ? 0xFF000000u : 0u) | kBackgroundRgb);
}

void FontTest::MakeFont(Font& font, int height, int pitch, int fast, DDSURFACEDATA* window,
                        DDSURFACEDATA* icons)
{
    font.Create("ＭＳ ゴシック", 0, height, pitch, pitch, kTextColour, window, 1, kFrameColour, icons,
                fast);
}

bool IsInk(uint32_t pixel, uint32_t background)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((pixel >> shift) & 255) - int((background >> shift) & 255)) > kFaint) return true;
    return false;
}

std::string InkMap(DDSURFACEDATA* surface, int x, int y, int columns, int rows, int pitchX,
                   int pitchY, uint32_t background)
{
    std::vector<uint32_t> pixels = ReadPixels(surface, x, y, columns * pitchX, rows * pitchY);
    std::string map;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            bool ink = false;
            // A glyph's edge may reach a pixel into the next cell.
            for (int py = 1; py < pitchY - 1 && !ink; ++py)
                for (int px = 1; px < pitchX - 1 && !ink; ++px)
                    ink = IsInk(pixels[(row * pitchY + py) * columns * pitchX + column * pitchX + px],
                                background);
            map += ink ? '#' : '.';
        }
        map += '\n';
    }
    return map;
}

int CountInk(DDSURFACEDATA* surface, int x, int y, int width, int height, uint32_t background)
{
    std::vector<uint32_t> pixels = ReadPixels(surface, x, y, width, height);
    return static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [&](uint32_t p) { return IsInk(p, background); }));
}

int CountInkAround(DDSURFACEDATA* surface, int x, int y, int width, int height, int band,
                   uint32_t background)
{
    return CountInk(surface, x - band, y - band, width + 2 * band, height + 2 * band, background) -
           CountInk(surface, x, y, width, height, background);
}

int NearestInkDistance(DDSURFACEDATA* surface, int x, int y, int width, int height, uint32_t rgb,
                       uint32_t background)
{
    int best = 256;
    for (uint32_t p : ReadPixels(surface, x, y, width, height)) {
        if (!IsInk(p, background)) continue;
        int distance = 0;
        for (int shift : {0, 8, 16})
            distance = std::max(distance, std::abs(int((p >> shift) & 255) - int((rgb >> shift) & 255)));
        best = std::min(best, distance);
    }
    return best;
}
