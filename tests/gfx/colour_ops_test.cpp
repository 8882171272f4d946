// The colour operations that stand in for palette hardware, on the back end
// that has each.
#include <gtest/gtest.h>

#include "app/base/log.h"
#include "gfx/colour_ops.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/surface.h"
#include "gfx/surface_lock.h"
#include "tests/gfx/gfx_support.h"

namespace {

// Fills a surface with pixel values through the lock (the fourth byte included).
void Paint(DDSURFACEDATA* sd, uint32_t (*pixel)(int x, int y))
{
    cSurfaceLock lock(sd);
    ASSERT_TRUE(lock.Locked());
    for (int y = 0; y < sd->nHeight; ++y)
        for (int x = 0; x < sd->nWidth; ++x) lock.Write(x, y, pixel(x, y));
}

uint32_t SourcePixel(int x, int y)
{
    return 0x01000000u * (x + 1) | (x * 40) << 16 | (y * 60) << 8 | ((x * y * 9) & 255);
}

}  // namespace

// Per byte (source x level + colour x (256 - level)) >> 8, the target's
// fourth byte kept; target pixels beyond the source stay.
TEST_F(DisplayTest, DirectDrawFadePullsEveryPixelTowardTheColour)
{
    ASSERT_TRUE(Up(0));
    DDSURFACEDATA target, source;
    ASSERT_TRUE(DDCreateSurface(&target, 8, 6, 0, 1, 0, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&source, 6, 4, 0, 1, 0, 0, 0));
    Paint(&source, SourcePixel);
    for (int level : {256, 0, 100}) {
        SCOPED_TRACE(level);
        Paint(&target, [](int, int) { return 0xAB555555u; });
        ASSERT_TRUE(DDFade_UnPal(&target, level, 10, 200, 30, &source));
        const std::vector<uint32_t> pixels = ReadPixels(&target, 0, 0, 8, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                uint32_t expected = 0xAB555555u;
                if (x < 6 && y < 4) {
                    const uint32_t s = SourcePixel(x, y);
                    auto mix = [&](int shift, int k) {
                        return ((((s >> shift) & 255) * level + k * (256 - level)) >> 8) << shift;
                    };
                    expected = 0xAB000000u | mix(16, 10) | mix(8, 200) | mix(0, 30);
                }
                EXPECT_EQ(pixels[y * 8 + x], expected) << x << "," << y;
            }
    }
    DDSURFACEDATA never;
    EXPECT_FALSE(DDFade_UnPal(&target, 128, 0, 0, 0, &never));
    DDReleaseSurface(&target);
    DDReleaseSurface(&source);
}

TEST_F(DisplayTest, EachBackEndRefusesTheColourOperationItLacks)
{
    ASSERT_TRUE(Up(1));
    EXPECT_TRUE(DDFade_UnPal(&Display.BackBuffer, 128, 0, 0, 0, &Display.BackBuffer));
    DDUnInit();
    ASSERT_TRUE(Up(0));
    DDFill(&Display.BackBuffer, 0x123456);
    EXPECT_TRUE(DDChangeColor(&Display.BackBuffer, 0, 0, 640, 480, 0, 1, 2, 3));
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 7, 7) & 0xFFFFFF, 0x123456u);
    EXPECT_EQ(TraceText(),
              "D3DではDDFade_UnPalは未対応\n"
              "DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int "
              "nAlpha,BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応\n");
}

// The back buffer has no texture: the colour is drawn plain, as opaque as
// 255 - alpha says, over the whole screen whatever the rectangle.
TEST_F(DisplayTest, ChangeColorCoversTheBackBufferAsItsAlphaSays)
{
    ASSERT_TRUE(Up(1));
    const struct {
        int alpha;
        uint32_t expected;
    } rows[] = {{0, 0x0A141E}, {255, 0x804020}, {128, 0x45}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.alpha);
        DDFill(&Display.BackBuffer, 0xFF804020);
        EXPECT_TRUE(DDChangeColor(&Display.BackBuffer, 5, 5, 1, 1, row.alpha, 10, 20, 30));
        const uint32_t corner = ReadPixel(&Display.BackBuffer, 0, 0) & 0xFFFFFF;
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 639, 479) & 0xFFFFFF, corner);
        if (row.alpha == 128) {
            // Half and half, give or take the device's rounding.
            const int red = corner >> 16, blue = corner & 255;
            EXPECT_NEAR(red, (0x80 + 10) / 2, 2);
            EXPECT_NEAR(blue, (0x20 + 30) / 2, 2);
        } else {
            EXPECT_EQ(corner, row.expected);
        }
    }
}

// A texture drawn through the colour onto another surface: white at alpha 0
// copies its opaque pixels, and its transparent ones leave the target as it was.
TEST_F(DisplayTest, ChangeColorBltDrawsTheSourceModulatedByTheColour)
{
    WriteBmp("two.bmp", 2, 1, 24, {0x336699, 0x000000});
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA target, image;
    ASSERT_TRUE(DDCreateSurface(&target, 2, 1, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_EQ(DDCreateSurfaceFromFile(&image, "two.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDFill(&target, 0xFF102030);
    EXPECT_TRUE(DDChangeColorBlt(&target, 0, 0, 0, 0, &image, 0, 255, 255, 255));
    EXPECT_EQ(ReadPixel(&target, 0, 0), 0xFF336699u);
    EXPECT_EQ(ReadPixel(&target, 1, 0), 0xFF102030u);
    DDReleaseSurface(&target);
    DDReleaseSurface(&image);
}
