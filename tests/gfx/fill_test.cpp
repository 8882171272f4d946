#include <gtest/gtest.h>

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/render_state.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"

using BothBackEndsFill = OnBothBackEnds<DisplayTest>;

TEST_P(BothBackEndsFill, BackBufferFillsClipBlendAndUseThePalette)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    Display.Palette[5] = {1, 2, 3, 0};
    DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
    // A fill at x = -10, width 30 covers columns 0 to 19.
    DDFillRect(&Display.BackBuffer, -10, 5, 30, 10, d3d ? 0xFFFF0000 : 0xFF0000);
    EXPECT_EQ(ReadPixels(&Display.BackBuffer, 0, 5, 1, 1)[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 19, 14) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 20, 14) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 19, 15) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 19, 4) & 0xFFFFFF, 0u);
    // Entirely outside: nothing.
    DDFillRect(&Display.BackBuffer, 640, 0, 10, 10, d3d ? 0xFFFFFFFF : 0xFFFFFF);
    DDFillRect(&Display.BackBuffer, 0, -20, 10, 10, d3d ? 0xFFFFFFFF : 0xFFFFFF);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 639, 9) & 0xFFFFFF, 0u);

    DDFillRectPal(&Display.BackBuffer, 100, 100, 4, 4, 5);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 103, 103) & 0xFFFFFF, 0x010203u);
    if (d3d) {
        // Half-transparent white over black.
        DDFillRect(&Display.BackBuffer, 200, 0, 4, 4, 0x80FFFFFF);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 201, 1) & 0xFFFFFF, 0x808080u);
        // Index 0 is the transparent colour: alpha 0 leaves the back
        // buffer as it was; an index out of range fills with 0 the same way.
        DDFillRectPal(&Display.BackBuffer, 100, 100, 4, 4, 0);
        DDFillRectPal(&Display.BackBuffer, 100, 100, 4, 4, 300);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 101, 101) & 0xFFFFFF, 0x010203u);
        EXPECT_NE(TraceText().find("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 300\n"),
                  std::string::npos);
    } else {
        // Under DirectDraw index 0 is simply palette entry 0.
        DDFillPal(&Display.BackBuffer, 0);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 101, 101) & 0xFFFFFF, 0u);
    }
    DDUnInit();
}

TEST_F(DisplayTest, KeyedWorkSurfaceFilledWithIndexZeroBecomesTransparentAgain)
{
    ASSERT_TRUE(Up(1));
    Display.Palette[9] = {200, 100, 50, 0};
    DDSURFACEDATA keyed, plain;
    ASSERT_TRUE(DDCreateSurface(&keyed, 32, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&plain, 32, 32, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (DDSURFACEDATA* sd : {&keyed, &plain}) DDFillPal(sd, 9);
    EXPECT_EQ(ReadPixel(&keyed, 5, 5), 0xFFC86432u);
    DDFillRectPal(&keyed, 0, 0, 16, 32, 0);
    DDFillRectPal(&plain, 0, 0, 16, 32, 0);
    EXPECT_EQ(ReadPixel(&keyed, 15, 5), 0u);          // cleared, alpha included
    EXPECT_EQ(ReadPixel(&keyed, 16, 5), 0xFFC86432u);
    EXPECT_EQ(ReadPixel(&plain, 15, 5), 0xFFC86432u);  // drawn with alpha 0: unchanged
    DDReleaseSurface(&keyed);
    DDReleaseSurface(&plain);
}

// Textures that cannot be rendered to get the value written into their pixels,
// alpha included.
TEST_F(DisplayTest, TexturesThatAreNoRenderTargetsAreFilledPixelByPixel)
{
    WriteBmp("grey.bmp", 8, 8, 24, std::vector<uint32_t>(64, 0x808080));
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA image, system;
    ASSERT_EQ(DDCreateSurfaceFromFile(&image, "grey.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&system, 8, 8, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    for (DDSURFACEDATA* sd : {&image, &system}) {
        DDFillRect(sd, -2, 6, 4, 10, 0x80FF0000);
        EXPECT_EQ(ReadPixel(sd, 1, 7), 0x80FF0000u);
        EXPECT_EQ(ReadPixel(sd, 1, 6), 0x80FF0000u);
        EXPECT_EQ(ReadPixel(sd, 2, 7), sd == &image ? 0xFF808080u : 0u);
        EXPECT_EQ(ReadPixel(sd, 1, 5), sd == &image ? 0xFF808080u : 0u);
    }
    DDReleaseSurface(&image);
    DDReleaseSurface(&system);
}

TEST_F(DisplayTest, SixteenBitFillsPackTheirColours)
{
    if (!Up(1, 16)) GTEST_SKIP() << "no 16-bit window on this display";
    EXPECT_EQ(Display.lpDTCon->fmtTexture, D3DFMT_A1R5G5B5);
    EXPECT_EQ(Display.SurfaceFormat.nRedShift, 10);
    EXPECT_EQ(Display.DisplayFormat.nRedShift, 10);
    DDSURFACEDATA target, system;
    ASSERT_TRUE(DDCreateSurface(&target, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&system, 8, 8, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    const struct {
        DWORD argb;
        uint32_t packed;
    } rows[] = {
        {0xFFFF0000, 0xFC00},
        {0xFF00FF00, 0x83E0},
        {0xFF0000FF, 0x801F},
        {0x80FF8040, 0x7DE7},  // alpha 128 has no bit; channels scaled down
    };
    for (const auto& row : rows) {
        DDFill(&system, row.argb);
        EXPECT_EQ(ReadPixel(&system, 3, 3), row.packed) << std::hex << row.argb;
    }
    DDFill(&target, 0xFFFF0000);
    EXPECT_EQ(ReadPixel(&target, 3, 3), 0xFC00u);
    DDReleaseSurface(&target);
    DDReleaseSurface(&system);
}

TEST_F(DisplayTest, BlitSettersChangeOnlyTheDirect3DContext)
{
    ASSERT_TRUE(Up(1));
    DDSetVertexColor(0x80112233);
    DDSetColorOp(D3DTOP_ADD);
    DDSetAlphaOp(D3DTOP_DISABLE);
    EXPECT_EQ(Display.lpDTCon->dwVertexColor, 0x80112233u);
    EXPECT_EQ(Display.lpDTCon->nColorOp, D3DTOP_ADD);
    EXPECT_EQ(Display.lpDTCon->nAlphaOp, D3DTOP_DISABLE);
    DDResetVertexColor();
    DDResetColorOp();
    DDResetAlphaOp();
    EXPECT_EQ(Display.lpDTCon->dwVertexColor, 0xFFFFFFFFu);
    EXPECT_EQ(Display.lpDTCon->nColorOp, D3DTOP_MODULATE);
    EXPECT_EQ(Display.lpDTCon->nAlphaOp, D3DTOP_SELECTARG1);

    DDSURFACEDATA owner, duplicate;
    duplicate.lpShareSD = &owner;
    DDSURFACEDATA* p = &duplicate;
    DDGetShareSD(&p);
    EXPECT_EQ(p, &owner);
    DDUnInit();

    // Under DirectDraw nothing changes (and nothing is there to change).
    ASSERT_TRUE(Up(0));
    DDSetColorOp(D3DTOP_ADD);
    p = &duplicate;
    DDGetShareSD(&p);
    EXPECT_EQ(p, &duplicate);
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsFill);
