#pragma once
// The one 256-colour palette every picture of the sample game shares. The
// game takes it from "bmp\plt\Palette.bmp", whose top-left pixel names the
// transparent colour, so entry 0 is that colour and the palette picture
// starts with it.
//
// Most colours come in ramps of eight shades, darkest first: a ramp's base
// index + 0 is the shadow, + 7 the highlight.
#include <cstdint>

namespace pal {
constexpr uint8_t KEY = 0;          // the transparent colour
constexpr uint8_t GREY = 1;         // 1..15: black to white
constexpr uint8_t BLACK = 1;
constexpr uint8_t WHITE = 15;
constexpr uint8_t EMPTY = 16;       // the play screen's empty colour, the fades' end
constexpr uint8_t RED = 24;
constexpr uint8_t ORANGE = 32;
constexpr uint8_t YELLOW = 40;
constexpr uint8_t GREEN = 48;
constexpr uint8_t TEAL = 56;
constexpr uint8_t SKY = 64;
constexpr uint8_t BLUE = 72;
constexpr uint8_t PURPLE = 80;
constexpr uint8_t PINK = 88;
constexpr uint8_t BROWN = 96;
constexpr uint8_t SKIN = 104;
constexpr uint8_t GRASS = 112;
constexpr uint8_t STONE = 120;
constexpr uint8_t SAND = 128;
constexpr uint8_t LEAF = 136;
constexpr uint8_t GOLD = 144;
constexpr uint8_t NAVY = 152;
constexpr uint8_t BRICK = 160;
constexpr uint8_t CLOUD = 168;
constexpr uint8_t WATER = 176;
constexpr uint8_t MOSS = 184;
constexpr uint8_t PLUM = 192;
constexpr uint8_t DUSK = 200;
constexpr uint8_t CYCLE = 208;      // 208..239: a hue circle the palette animation turns
constexpr uint8_t FRAME = 240;      // the windows' frame colour
constexpr uint8_t TEXT = 241;       // the fonts' colour
constexpr uint8_t WINDOW = 242;     // 242..249: the windows' blue, dark to light
}  // namespace pal

// The 256 colours, red, green, blue.
extern const uint8_t (&GamePalette())[256][3];
