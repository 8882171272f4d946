#pragma once
// What the text tests share: a display with a known background and font
// colours, fonts made like the game's three, and ink maps of drawn text.
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/font.h"
#include "tests/gfx/gfx_support.h"

// Palette entries the fonts use: text (yellow), frame (cyan).
constexpr int kTextColour = 241;
constexpr int kFrameColour = 240;
constexpr uint32_t kTextRgb = 0xFFFF00;
constexpr uint32_t kFrameRgb = 0x00FFFF;
constexpr uint32_t kBackgroundRgb = 0x000040;

// A surface record released when the test leaves its scope (before the display goes).
struct ScopedSurface {
    DDSURFACEDATA sd;
    ~ScopedSurface();
};

class FontTest : public DisplayTest {
protected:
    // The display up with the font colours in the palette and the back buffer
    // filled with the background colour.
    bool UpWithText(int d3d, int windowed = 1);
    void ClearBackBuffer();
    // A font of the game's kind: face "ＭＳ ゴシック", cell = pitch.
    static void MakeFont(Font& font, int height, int pitch, int fast,
                         DDSURFACEDATA* window = nullptr, DDSURFACEDATA* icons = nullptr);
};

// Antialiased glyph edges may overhang their cell by a pixel of faint ink
// (Direct3D); ink is what differs from the background by more than this.
constexpr int kFaint = 48;
constexpr int kNearColour = 80;
// Whether a pixel differs visibly from the background.
bool IsInk(uint32_t pixel, uint32_t background = kBackgroundRgb);
// One character per cell of a columns x rows grid of pitch-sized cells at
// (x, y): '#' when the cell carries ink inside its one-pixel border, '.'
// otherwise; rows end with '\n'.
std::string InkMap(DDSURFACEDATA* surface, int x, int y, int columns, int rows, int pitchX,
                   int pitchY, uint32_t background = kBackgroundRgb);
// Ink pixels in the rectangle.
int CountInk(DDSURFACEDATA* surface, int x, int y, int width, int height,
             uint32_t background = kBackgroundRgb);
// Ink in the band of the given width around the rectangle (outside it).
int CountInkAround(DDSURFACEDATA* surface, int x, int y, int width, int height, int band,
                   uint32_t background = kBackgroundRgb);
// The ink pixel closest to the colour, as its largest channel distance.
// Small antialiased glyphs reach their colour only roughly: text counts as in
// the font's colour within kNearColour.
int NearestInkDistance(DDSURFACEDATA* surface, int x, int y, int width, int height, uint32_t rgb,
                       uint32_t background = kBackgroundRgb);
