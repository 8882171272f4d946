// The per-pixel maths of every depth and the palette-table operations, checked
// by tables without a display, so that depths the test display cannot show
// are checked too.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx/colour_ops.h"
#include "gfx/display.h"
#include "gfx/palette.h"
#include "gfx/pixel_format.h"
#include "tests/gfx/pixel_reference.h"

// Found by argument lookup, so beside the type: at global scope.
static bool operator==(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

static void PrintTo(const PALETTEENTRY& e, std::ostream* os)
{
    *os << "{" << int(e.peRed) << "," << int(e.peGreen) << "," << int(e.peBlue) << ","
        << int(e.peFlags) << "}";
}

namespace {

const COLORSHIFTS kFormat565 = {11, 5, 0, 0, 31, 63, 31, 0};
const COLORSHIFTS kFormat555 = {10, 5, 0, 0, 31, 31, 31, 0};

// 256 entries that differ from each other and from any blend result.
void FillDistinct(PALETTEENTRY* table, int salt)
{
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE(i), BYTE(255 - i), BYTE(i * 7 + salt), BYTE(i % 3)};
}

}  // namespace

TEST(PixelFormat, ChannelsInAndOutOfEveryLayout)
{
    const PIXELLAYOUT dd565 = PixelLayoutDD16(kFormat565), dd555 = PixelLayoutDD16(kFormat555);
    const struct {
        const PIXELLAYOUT* layout;
        DWORD pixel;
        PIXELRGB split;
        DWORD old, packed;  // PackOpaque(split, old)
    } rows[] = {
        {&kPixelD3D32, 0x80FF8040, {255, 128, 64}, 0x12345678, 0xFFFF8040},
        {&kPixelD3D1555, 0xFC1F, {31, 0, 31}, 0, 0xFC1F},
        {&kPixelD3D1555, 0x0443, {1, 2, 3}, 0, 0x8443},      // the alpha bit is set
        {&kPixelD3D565, 0xFFE0, {31, 63, 0}, 0xFFFF, 0xFFE0},  // no alpha bit
        {&dd565, 0x0841, {1, 2, 1}, 0, 0x0841},
        {&dd555, 0x7FFF, {31, 31, 31}, 0x8000, 0x7FFF},
        {&kPixelDD32, 0x00010203, {1, 2, 3}, 0xAB000000, 0xAB010203},  // fourth byte kept
        {&kPixelIndex8, 7, {0, 0, 0}, 9, 9},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.pixel);
        const PIXELRGB c = SplitChannels(row.pixel, row.layout->Format);
        EXPECT_EQ(c.r, row.split.r);
        EXPECT_EQ(c.g, row.split.g);
        EXPECT_EQ(c.b, row.split.b);
        EXPECT_EQ(PackOpaque(*row.layout, row.split, row.old), row.packed);
    }
    // A 5-bit green going into the 6-bit field is doubled, and halved back.
    const PIXELRGB wide = ConvertChannels({31, 31, 31}, kPixelD3D1555.Format, kPixelD3D565.Format);
    EXPECT_EQ(wide.g, 62);
    EXPECT_EQ(wide.r, 31);
    EXPECT_EQ(ConvertChannels({31, 63, 31}, kPixelD3D565.Format, kPixelD3D1555.Format).g, 31);
    EXPECT_EQ(ConvertChannels({200, 100, 50}, kPixelD3D32.Format, kPixelDD32.Format).g, 100);
}

TEST(PixelFormat, TransparentPixelsByLayout)
{
    const PIXELLAYOUT dd565 = PixelLayoutDD16(kFormat565);
    const struct {
        const PIXELLAYOUT* layout;
        DWORD pixel, transmit;
        bool transparent;
    } rows[] = {
        {&kPixelD3D32, 0x00FFFFFF, 0, true},
        {&kPixelD3D32, 0x01000000, 0, false},
        {&kPixelD3D1555, 0x0000, 0, true},
        {&kPixelD3D1555, 0x5FFF, 0, true},    // bits 15 and 13 both clear
        {&kPixelD3D1555, 0x2000, 0, false},   // bit 13 alone makes it opaque
        {&kPixelD3D1555, 0x8000, 0, false},
        {&kPixelD3D565, 0x0000, 0, false},    // the back buffer has no transparency
        {&kPixelIndex8, 5, 5, true},
        {&kPixelIndex8, 0x105, 5, true},      // compared as a byte
        {&kPixelIndex8, 6, 5, false},
        {&dd565, 0xF81F, 0xF81F, true},
        {&dd565, 0x1F81F, 0xF81F, true},      // compared as 16 bits
        {&dd565, 0xF81E, 0xF81F, false},
        {&kPixelDD32, 0x00FF00FF, 0x00FF00FF, true},
        {&kPixelDD32, 0x01FF00FF, 0x00FF00FF, false},  // the whole word
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsTransparentPixel(*row.layout, row.pixel, row.transmit), row.transparent)
            << row.layout->nKind << " " << std::hex << row.pixel;
}

TEST(PixelFormat, PaletteEntriesFromPixelsOfEveryDepth)
{
    const PIXELLAYOUT dd565 = PixelLayoutDD16(kFormat565);
    const PALETTEENTRY before = {1, 2, 3, 7};
    const struct {
        const PIXELLAYOUT* layout;
        DWORD pixel;
        bool read;
        PALETTEENTRY after;
    } rows[] = {
        {&kPixelD3D1555, 0xFC1F, true, {255, 0, 255, 7}},  // scaled to 0..255, flags kept
        {&kPixelD3D1555, 0x8421, true, {8, 8, 8, 7}},
        {&kPixelD3D1555, 0x7C1F, false, before},           // no alpha bit: transparent
        {&kPixelD3D32, 0x80102030, true, {0x10, 0x20, 0x30, 0x80}},
        {&kPixelD3D32, 0x00102030, false, before},
        {&dd565, 0xFFE0, true, {31, 63, 0, 7}},            // the display's own values
        {&kPixelDD32, 0x40102030, true, {0x10, 0x20, 0x30, 0x40}},
        {&kPixelIndex8, 3, false, before},
    };
    for (const auto& row : rows) {
        PALETTEENTRY entry = before;
        EXPECT_EQ(PaletteEntryFromPixel(*row.layout, row.pixel, &entry), row.read) << std::hex << row.pixel;
        EXPECT_EQ(entry, row.after) << std::hex << row.pixel;
    }
    // At 16 bits under DirectDraw, every pixel read into an entry packs back to itself.
    for (const COLORSHIFTS& format : {kFormat565, kFormat555}) {
        const PIXELLAYOUT layout = PixelLayoutDD16(format);
        const DWORD used = PackChannels({31, 63, 31}, format);
        for (DWORD pixel = 0; pixel < 0x10000; ++pixel) {
            if (pixel & ~used) continue;
            PALETTEENTRY entry = {};
            PaletteEntryFromPixel(layout, pixel, &entry);
            ASSERT_EQ(PaletteEntryToPixel16(entry, format), pixel);
        }
    }
}

TEST(PixelFormat, PaletteGridIsReadRowByRowAndOnlyInsideTheImage)
{
    // A 16 x 24 DirectDraw 32-bit image: pixel (c, r) = r << 8 | c, fourth byte 0x40.
    REFIMAGE image;
    image.nKind = PIXEL_DD32;
    image.nWidth = 16, image.nHeight = 24;
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 16; ++c) image.pixels.push_back(0x40000000u | r << 8 | c);
    VIEWBUFFER buffer = ToView(image);
    PALETTEENTRY table[256];
    FillDistinct(table, 0);
    ReadPaletteGrid(table, buffer.view);
    EXPECT_EQ(table[0], (PALETTEENTRY{0, 8, 0, 0x40}));
    EXPECT_EQ(table[17], (PALETTEENTRY{0, 9, 1, 0x40}));
    EXPECT_EQ(table[255], (PALETTEENTRY{0, 23, 15, 0x40}));

    // An image too small for the grid: only the pixels it has are read.
    buffer.view.nWidth = 4, buffer.view.nHeight = 10;
    PALETTEENTRY small[256], expected[256];
    FillDistinct(small, 1);
    FillDistinct(expected, 1);
    ReadPaletteGrid(small, buffer.view);
    for (int k : {0, 1, 2, 3, 16, 17, 18, 19}) expected[k] = {0, BYTE(8 + k / 16), BYTE(k % 16), 0x40};
    for (int i = 0; i < 256; ++i) EXPECT_EQ(small[i], expected[i]) << i;
}

TEST(PixelFormat, FadesOfOnePixel)
{
    const PIXELLAYOUT dd565 = PixelLayoutDD16(kFormat565);
    const struct {
        const PIXELLAYOUT* layout;
        DWORD source, old;
        int level, red, green, blue;
        DWORD expected;
    } rows[] = {
        {&kPixelDD32, 0xAA102030, 0x55000000, 256, 9, 9, 9, 0x55102030},  // copy; target's fourth byte
        {&kPixelDD32, 0x00102030, 0xAA000000, 0, 10, 11, 12, 0xAA0A0B0C},  // the colour
        {&kPixelDD32, 0x00FF0000, 0, 128, 0, 0, 255, 0x007F007F},
        {&dd565, 0xF800, 0, 256, 0, 0, 0, 0xF800},
        {&dd565, 0x0841, 0, 256, 0, 0, 0, 0x0020},  // of 1, 2, 1 only green survives the trip to 0..255 and back
        {&dd565, 0x0000, 0, 0, 255, 255, 255, 0xFFFF},
        {&dd565, 0xFFFF, 0, 128, 0, 0, 0, 0x7BEF},
        {&kPixelD3D32, 0x12345678, 0x9ABCDEF0, 0, 0, 0, 0, 0x9ABCDEF0},  // not a DirectDraw layout
    };
    for (const auto& row : rows)
        EXPECT_EQ(FadePixel(*row.layout, row.source, row.old, row.level, row.red, row.green, row.blue),
                  row.expected)
            << std::hex << row.source << " level " << std::dec << row.level;
}

TEST(PaletteTable, BlendTowardAColourOverAClampedRange)
{
    PALETTEENTRY source[256], target[256], untouched[256];
    FillDistinct(source, 3);
    FillDistinct(untouched, 5);
    const struct {
        int first, last, level;
        int changedFirst, changedLast;
    } rows[] = {
        {10, 20, 256, 10, 20}, {10, 20, 0, 10, 20}, {0, 255, 128, 0, 255},
        {-5, 300, 64, 0, 255},  // clamped to the table
        {30, 20, 128, 1, 0},    // nothing
        {40, 40, 300, 40, 40},  // level clamped to 256
        {250, 260, -4, 250, 255},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.first << ".." << row.last << " @" << row.level);
        std::memcpy(target, untouched, sizeof target);
        DDBlendPalette(target, row.first, row.last, row.level, 200, 100, 50, source);
        const int level = std::min(std::max(row.level, 0), 256);
        for (int i = 0; i < 256; ++i) {
            if (i < row.changedFirst || i > row.changedLast) {
                EXPECT_EQ(target[i], untouched[i]) << i;
                continue;
            }
            const PALETTEENTRY expected = {
                BYTE((200 * (256 - level) + level * source[i].peRed) >> 8),
                BYTE((100 * (256 - level) + level * source[i].peGreen) >> 8),
                BYTE((50 * (256 - level) + level * source[i].peBlue) >> 8), 1};
            EXPECT_EQ(target[i], expected) << i;
        }
    }
    // Level 256 keeps the source colours, 0 gives the colour.
    DDBlendPalette(target, 7, 7, 256, 1, 2, 3, source);
    EXPECT_EQ(target[7], (PALETTEENTRY{source[7].peRed, source[7].peGreen, source[7].peBlue, 1}));
    DDBlendPalette(target, 7, 7, 0, 1, 2, 3, source);
    EXPECT_EQ(target[7], (PALETTEENTRY{1, 2, 3, 1}));
}

TEST(PaletteTable, RotationOfARange)
{
    PALETTEENTRY source[256], table[256];
    FillDistinct(source, 9);
    // {first, last, count, direction, which source entry each of a few
    // positions holds afterwards}.
    const struct {
        int first, last, count, direction;
        int at[4][2];
    } rows[] = {
        {208, 239, 1, 0, {{208, 239}, {209, 208}, {239, 238}, {207, 207}}},
        {208, 239, 1, 1, {{208, 209}, {238, 239}, {239, 208}, {240, 240}}},
        {208, 239, 33, 0, {{208, 239}, {209, 208}, {239, 238}, {0, 0}}},   // once round and one more
        {208, 239, -1, 0, {{208, 209}, {239, 208}, {238, 239}, {0, 0}}},  // backwards: down
        {208, 239, 5, 2, {{208, 208}, {239, 239}, {220, 220}, {0, 0}}},   // other direction: a copy
        {250, 400, 2, 0, {{250, 254}, {251, 255}, {252, 250}, {255, 253}}},  // clamped range
        {-3, 1, 1, 1, {{0, 1}, {1, 0}, {2, 2}, {255, 255}}},
    };
    Display.nBpp = 32;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.first << ".." << row.last << " by " << row.count
                                        << " dir " << row.direction);
        std::memset(table, 0, sizeof table);
        DDRotatePalette(table, row.first, row.last, row.count, row.direction, source);
        for (const auto& at : row.at) EXPECT_EQ(table[at[0]], source[at[1]]) << at[0];
    }
    // The table may be its own source.
    std::memcpy(table, source, sizeof table);
    DDRotatePalette(table, 0, 2, 1, 0, table);
    EXPECT_EQ(table[0], source[2]);
    EXPECT_EQ(table[1], source[0]);
    // At 24 bits nothing happens, not even the copy.
    Display.nBpp = 24;
    std::memset(table, 0, sizeof table);
    DDRotatePalette(table, 0, 255, 1, 0, source);
    EXPECT_EQ(table[0], (PALETTEENTRY{0, 0, 0, 0}));
    Display.nBpp = 0;
}

TEST(PaletteTable, EntryAsADirectDrawSixteenBitPixel)
{
    // No display: the DirectDraw rule with the display's format.
    Display.SurfaceFormat = kFormat565;
    const PALETTEENTRY yellow = {31, 63, 0, 0}, odd = {40, 70, 33, 0};
    EXPECT_EQ(DDPalToRGB16(&yellow), 0xFFE0);
    EXPECT_EQ(DDPalToRGB16(&odd), PackChannels({40 & 31, 70 & 63, 33 & 31}, kFormat565));
    Display.SurfaceFormat = kFormat555;
    EXPECT_EQ(DDPalToRGB16(&yellow), 0x7FE0);
    Display.SurfaceFormat = {};
}
