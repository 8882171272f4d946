// The palette image gives the palette and the transparent colour in each of
// its stored forms, on both back ends.
#include <gtest/gtest.h>

#include <cstring>

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/transparent_colour.h"
#include "tests/gfx/gfx_support.h"

namespace {

const char* const kPaletteFile = "bmp\\plt\\Palette.bmp";
constexpr int kMagenta = 77;  // the table index of the top-left pixel
constexpr int kBlack = 200;   // keyed out by the Direct3D image loader


// Colour table entry i: distinct colours, magenta and black at their indices.
uint32_t TableColour(int i)
{
    if (i == kMagenta) return 0xFF00FF;
    if (i == kBlack) return 0;
    return static_cast<uint32_t>(i) << 16 | (255 - i) << 8 | ((i * 37 + 11) & 255);
}

// A 20 x 24 8-bit image: the grid at rows 8..23 holds the table backwards
// (grid entry k shows table colour 255 - k), so that the pixels and the
// table give different palettes; every other pixel is magenta.
void WritePaletteImage()
{
    CreateDirectoryA("bmp", nullptr);
    CreateDirectoryA("bmp\\plt", nullptr);
    std::vector<uint32_t> table(256), pixels(20 * 24, kMagenta);
    for (int i = 0; i < 256; ++i) table[i] = TableColour(i);
    for (int k = 0; k < 256; ++k) pixels[(8 + k / 16) * 20 + k % 16] = 255 - k;
    WriteBmp(kPaletteFile, 20, 24, 8, pixels, table);
}

PALETTEENTRY Entry(uint32_t rgb, int flags)
{
    return {BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb), BYTE(flags)};
}

void ExpectPalette(const PALETTEENTRY* actual, const PALETTEENTRY* expected)
{
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(std::memcmp(&actual[i], &expected[i], sizeof actual[i]), 0)
            << i << ": " << int(actual[i].peRed) << "," << int(actual[i].peGreen) << ","
            << int(actual[i].peBlue) << "," << int(actual[i].peFlags) << " expected "
            << int(expected[i].peRed) << "," << int(expected[i].peGreen) << ","
            << int(expected[i].peBlue) << "," << int(expected[i].peFlags);
}

}  // namespace

TEST_F(DisplayTest, Direct3DPaletteAndTransparentColourFromThePaletteImage)
{
    WritePaletteImage();
    ASSERT_TRUE(Up(1));
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, kPaletteFile, 1));
    // The pixels override the colour table, except where the image loader
    // keyed a pixel out (black, the transparent colour so far).
    PALETTEENTRY expected[256];
    for (int k = 0; k < 256; ++k)
        expected[k] = 255 - k == kBlack ? Entry(TableColour(k), 255) : Entry(TableColour(255 - k), 255);
    ExpectPalette(Display.Palette, expected);

    ASSERT_EQ(DDSetTransmit(kPaletteFile), 1);
    EXPECT_EQ(Display.lpDTCon->rgbTransmit.rgbtRed, 255);
    EXPECT_EQ(Display.lpDTCon->rgbTransmit.rgbtGreen, 0);
    EXPECT_EQ(Display.lpDTCon->rgbTransmit.rgbtBlue, 255);
    EXPECT_EQ(Display.lpDTCon->dwTransmitTex, 0u);
    EXPECT_EQ(Display.lpDTCon->dwTransmitBack, 0xFFFF00FFu);
    EXPECT_EQ(Display.lpDTCon->wTransmit_16, 0);
    EXPECT_EQ(Display.lpDTCon->wTransmitBack_16, 0);
    EXPECT_EQ(Display.dwTransmit, 0u);
    EXPECT_TRUE(Has(TraceText(), "SetTrans lpDTCon->rgbTransmit.rgbtRed = 255,lpDTCon->rgbTransmit."
                                 "rgbtGreen = 0,lpDTCon->rgbTransmit.rgbtBlue = 255\n"));
    // The temporary images are gone again.
    EXPECT_EQ(Display.RestoreList.size(), 2u);

    // Loaded again with magenta as the key, the magenta pixels of the grid
    // keep what the colour table gave.
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, kPaletteFile, 1));
    expected[255 - kMagenta] = Entry(TableColour(255 - kMagenta), 255);
    expected[255 - kBlack] = Entry(0, 255);
    ExpectPalette(Display.Palette, expected);
}

TEST_F(DisplayTest, DirectDrawPaletteAndTransparentColourFromThePaletteImage)
{
    WritePaletteImage();
    ASSERT_TRUE(Up(0));
    std::memset(Display.Palette, 0x5A, sizeof Display.Palette);
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, kPaletteFile, 1));
    // Only the pixels count; the flags are their fourth byte.
    DDSURFACEDATA image;
    ASSERT_EQ(DDCreateSurfaceFromFile(&image, kPaletteFile, 0, 32, 1, 0, 0, 0, 0, 0, 0), 0);
    const std::vector<uint32_t> grid = ReadPixels(&image, 0, 8, 16, 16);
    const uint32_t topLeft = ReadPixel(&image, 0, 0);
    DDReleaseSurface(&image);
    PALETTEENTRY expected[256];
    for (int k = 0; k < 256; ++k) {
        expected[k] = Entry(TableColour(255 - k), grid[k] >> 24);
        EXPECT_EQ(grid[k] & 0xFFFFFF, TableColour(255 - k)) << k;
    }
    ExpectPalette(Display.Palette, expected);

    ASSERT_EQ(DDSetTransmit(kPaletteFile), 1);
    EXPECT_EQ(Display.dwTransmit, topLeft);
    EXPECT_EQ(Display.dwTransmit & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtRed, 255);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtGreen, 0);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtBlue, 255);
}

// At 8 bits the colour table is the palette, with the flags the palette
// object needs, and it goes to the palette object; an image of another depth
// leaves the table as it was and sets it again.
TEST_F(DisplayTest, EightBitPaletteComesFromTheColourTable)
{
    WritePaletteImage();
    WriteBmp("true.bmp", 16, 24, 24, std::vector<uint32_t>(16 * 24, 0x123456));
    ASSERT_TRUE(Up(0, 8));
    ASSERT_NE(Display.lpDDPalette, nullptr);
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, kPaletteFile, 1));
    PALETTEENTRY expected[256], shown[256];
    for (int i = 0; i < 256; ++i)
        expected[i] = Entry(TableColour(i), i >= 10 && i <= 245 ? PC_RESERVED : PC_EXPLICIT);
    ExpectPalette(Display.Palette, expected);
    ASSERT_EQ(Display.lpDDPalette->GetEntries(0, 0, 256, shown), DD_OK);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(shown[i].peRed, expected[i].peRed) << i;
        EXPECT_EQ(shown[i].peBlue, expected[i].peBlue) << i;
    }

    Display.Palette[3] = {1, 2, 3, PC_RESERVED};
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.Palette, "true.bmp", 1));
    EXPECT_EQ(Display.Palette[3].peRed, 1);
    ASSERT_EQ(Display.lpDDPalette->GetEntries(0, 3, 1, shown), DD_OK);
    EXPECT_EQ(shown[0].peGreen, 2);
}

TEST_F(DisplayTest, MissingPaletteImageFailsBothLoads)
{
    for (int d3d : {1, 0}) {
        ASSERT_TRUE(Up(d3d));
        Display.Palette[9] = {9, 9, 9, 9};
        EXPECT_FALSE(DDLoadPaletteFromFile(Display.Palette, "bmp\\plt\\none.bmp", 1));
        EXPECT_EQ(Display.Palette[9].peRed, 9);
        EXPECT_EQ(DDSetTransmit("bmp\\plt\\none.bmp"), 0);
        DDUnInit();
    }
    const std::string trace = TraceText();
    EXPECT_TRUE(Has(trace, "bmp\\plt\\none.bmp 作成失敗！\n")) << trace;
}

// The component form, per back end and depth. The test display runs at 32
// bits only; the 16-bit forms depend on nBpp and the channel format alone,
// which the test sets as a 16-bit display would.
TEST_F(DisplayTest, TransparentColourFromItsComponents)
{
    ASSERT_TRUE(Up(1));
    Display.nBpp = 16;
    Display.SurfaceFormat = {10, 5, 0, 15, 31, 31, 31, 1};
    Display.dwTransmit = 0x1234;
    DDSetTransmit(31, 0, 31);  // the file form's 5-bit magenta
    EXPECT_EQ(Display.lpDTCon->dwTransmitBack, 0xFF1F001Fu);
    EXPECT_EQ(Display.lpDTCon->wTransmitBack_16, 0xFC1F);
    EXPECT_EQ(Display.lpDTCon->rgbTransmit.rgbtRed, 31);
    EXPECT_EQ(Display.dwTransmit, 0x1234u);  // left to the file form at 16 bits
    Display.nBpp = 32;
    DDSetTransmit(1, 2, 3);
    EXPECT_EQ(Display.lpDTCon->dwTransmitBack, 0xFF010203u);
    EXPECT_EQ(Display.lpDTCon->wTransmitBack_16, 0);
    EXPECT_EQ(Display.dwTransmit, 0u);
    DDUnInit();

    ASSERT_TRUE(Up(0));
    DDSetTransmit(1, 2, 3);
    // The colour key of a 32-bit surface is a pixel value: 0x00RRGGBB.
    EXPECT_EQ(Display.dwTransmit, 0x010203u);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtRed, 1);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtBlue, 3);
    Display.nBpp = 16;
    Display.SurfaceFormat = {11, 5, 0, 0, 31, 63, 31, 0};
    DDSetTransmit(255, 0, 255);
    EXPECT_EQ(Display.dwTransmit, 0xF81Fu);
    EXPECT_EQ(Display.lpDDCon->rgbTransmit.rgbtRed, 1);  // not changed at 16 bits
    EXPECT_TRUE(Has(TraceText(), "※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！\n"))
        << TraceText();
    ASSERT_EQ(BoxCapture::texts.size(), 1u);
    EXPECT_EQ(BoxCapture::texts[0], "エラー|Tr 63519 RGB32(255,0,255) -> RGB16(255,0,255)");
    BoxCapture::texts.clear();
    for (int depth : {8, 24}) {
        Display.nBpp = depth;
        DDSetTransmit(9, 9, 9);
        EXPECT_EQ(Display.dwTransmit, 0xF81Fu);
    }
    Display.nBpp = 32;
}

// Under DirectDraw a palette fill looks its index up in the palette: an index
// outside it takes the nearest entry instead of reading past the table.
TEST_F(DisplayTest, DirectDrawPaletteFillHoldsItsIndexToThePalette)
{
    ASSERT_TRUE(Up(0));
    Display.Palette[0] = {1, 2, 3, 0};
    Display.Palette[255] = {250, 251, 252, 0};
    const struct {
        int index;
        uint32_t expected;
    } rows[] = {{300, 0xFAFBFC}, {256, 0xFAFBFC}, {-5, 0x010203}, {255, 0xFAFBFC}};
    for (const auto& row : rows) {
        DDFill(&Display.BackBuffer, 0);
        DDFillRectPal(&Display.BackBuffer, 0, 0, 4, 4, row.index);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 3, 3) & 0xFFFFFF, row.expected) << row.index;
    }
}
