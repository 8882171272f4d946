#include "tools/sample/game_palette.h"

namespace {
struct cRgb {
    int r, g, b;
};

// A ramp of eight shades from dark to light.
void Ramp(uint8_t (&p)[256][3], int base, cRgb dark, cRgb light)
{
    for (int i = 0; i < 8; ++i) {
        p[base + i][0] = static_cast<uint8_t>(dark.r + (light.r - dark.r) * i / 7);
        p[base + i][1] = static_cast<uint8_t>(dark.g + (light.g - dark.g) * i / 7);
        p[base + i][2] = static_cast<uint8_t>(dark.b + (light.b - dark.b) * i / 7);
    }
}

void Set(uint8_t (&p)[256][3], int i, cRgb c)
{
    p[i][0] = static_cast<uint8_t>(c.r);
    p[i][1] = static_cast<uint8_t>(c.g);
    p[i][2] = static_cast<uint8_t>(c.b);
}

// One of six sectors of the hue circle, in integers: position 0..191 around it.
cRgb Hue(int pos)
{
    const int sector = pos / 32, f = (pos % 32) * 255 / 32;
    switch (sector) {
    case 0: return {255, f, 64};
    case 1: return {255 - f, 255, 64};
    case 2: return {64, 255, f};
    case 3: return {64, 255 - f, 255};
    case 4: return {f, 64, 255};
    default: return {255, 64, 255 - f};
    }
}

struct cPaletteTable {
    uint8_t p[256][3] = {};
    cPaletteTable()
    {
        Set(p, pal::KEY, {255, 0, 255});
        for (int i = 0; i < 15; ++i) {
            int v = i * 255 / 14;
            Set(p, pal::GREY + i, {v, v, v});
        }
        Set(p, pal::EMPTY, {12, 14, 30});
        for (int i = 17; i < 24; ++i) Set(p, i, {12 + (i - 17) * 6, 14 + (i - 17) * 6, 30 + (i - 17) * 10});
        Ramp(p, pal::RED, {72, 8, 16}, {255, 128, 120});
        Ramp(p, pal::ORANGE, {96, 40, 8}, {255, 200, 112});
        Ramp(p, pal::YELLOW, {112, 88, 0}, {255, 250, 170});
        Ramp(p, pal::GREEN, {8, 56, 24}, {160, 240, 120});
        Ramp(p, pal::TEAL, {0, 56, 64}, {136, 240, 224});
        Ramp(p, pal::SKY, {56, 104, 184}, {200, 232, 255});
        Ramp(p, pal::BLUE, {16, 24, 96}, {128, 168, 255});
        Ramp(p, pal::PURPLE, {40, 16, 72}, {200, 160, 255});
        Ramp(p, pal::PINK, {96, 24, 64}, {255, 184, 216});
        Ramp(p, pal::BROWN, {48, 24, 8}, {200, 140, 80});
        Ramp(p, pal::SKIN, {136, 72, 48}, {255, 224, 192});
        Ramp(p, pal::GRASS, {24, 80, 16}, {168, 232, 88});
        Ramp(p, pal::STONE, {40, 44, 64}, {200, 208, 224});
        Ramp(p, pal::SAND, {120, 96, 56}, {248, 232, 176});
        Ramp(p, pal::LEAF, {8, 40, 24}, {88, 168, 96});
        Ramp(p, pal::GOLD, {120, 72, 0}, {255, 240, 128});
        Ramp(p, pal::NAVY, {8, 12, 40}, {64, 80, 152});
        Ramp(p, pal::BRICK, {80, 24, 16}, {232, 136, 96});
        Ramp(p, pal::CLOUD, {152, 176, 216}, {255, 255, 255});
        Ramp(p, pal::WATER, {16, 48, 120}, {120, 200, 248});
        Ramp(p, pal::MOSS, {40, 64, 24}, {176, 200, 96});
        Ramp(p, pal::PLUM, {56, 24, 56}, {216, 144, 200});
        Ramp(p, pal::DUSK, {64, 40, 96}, {255, 176, 136});
        for (int i = 0; i < 32; ++i) Set(p, pal::CYCLE + i, Hue(i * 6));
        Set(p, pal::FRAME, {232, 240, 255});
        Set(p, pal::TEXT, {255, 255, 255});
        Ramp(p, pal::WINDOW, {16, 24, 88}, {64, 96, 200});
        for (int i = 250; i < 256; ++i) Set(p, i, {255, 255, 255});
    }
};
}  // namespace

const uint8_t (&GamePalette())[256][3]
{
    static const cPaletteTable table;
    return table.p;
}
