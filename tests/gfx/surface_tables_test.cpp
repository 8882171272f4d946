// The fixed surface and font tables, checked against the table typed out here.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gfx/surface_tables.h"

namespace {

// Every row: file name, colour key, memory (0 video, 1 system), the record it
// shares (-1 none), optional, mirror cell width, memory type, blank size.
struct SURFACEROW {
    const char* lpFile;
    int bColorKey, nDDMemory, nShares, bOptional, nMirrorWidth, nMemoryType, nWidth, nHeight;
};

const SURFACEROW Rows[SURFACE_COUNT] = {
    {"bmp\\plt\\Palette.bmp", 0, 1, -1, 0, 0, 0, 0, 0},
    {"bmp\\Debug.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Block.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Block.bmp", 1, 1, 2, 0, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 0, 4, 0, 32, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 0, 6, 1, 32, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 0, 8, 1, 32, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 0, 10, 1, 32, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 0, 12, 1, 32, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 0, 14, 1, 32, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 0, 16, 1, 32, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 0, 18, 1, 32, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 0, 20, 0, 16, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 1, 4, 0, 0, 0, 0, 0},
    {"bmp\\Character1.bmp", 1, 1, 4, 0, 32, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 1, 6, 1, 0, 0, 0, 0},
    {"bmp\\Character2.bmp", 1, 1, 6, 1, 32, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 1, 8, 1, 0, 0, 0, 0},
    {"bmp\\Character3.bmp", 1, 1, 8, 1, 32, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 1, 10, 1, 0, 0, 0, 0},
    {"bmp\\Character4.bmp", 1, 1, 10, 1, 32, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 1, 12, 1, 0, 0, 0, 0},
    {"bmp\\Character5.bmp", 1, 1, 12, 1, 32, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 1, 14, 1, 0, 0, 0, 0},
    {"bmp\\Character6.bmp", 1, 1, 14, 1, 32, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 1, 16, 1, 0, 0, 0, 0},
    {"bmp\\Character7.bmp", 1, 1, 16, 1, 32, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 1, 18, 1, 0, 0, 0, 0},
    {"bmp\\Character8.bmp", 1, 1, 18, 1, 32, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 1, 20, 0, 0, 0, 0, 0},
    {"bmp\\Shot.bmp", 1, 1, 20, 0, 16, 0, 0, 0},
    {"bmp\\Item.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Item.bmp", 1, 1, 40, 0, 0, 0, 0, 0},
    {"bmp\\Item_Mini.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Mark.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Mark.bmp", 1, 1, 43, 0, 0, 0, 0, 0},
    {"bmp\\Window.bmp", 0, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\StatusWindow.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Title.bmp", 0, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\GameMode.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"bmp\\Accessory.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Symbol.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\Word.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\WorldMapChip.bmp", 1, 0, -1, 0, 0, 0, 0, 0},
    {"bmp\\WorldEvent.bmp", 1, 1, -1, 0, 0, 0, 0, 0},
    {"bmp\\WorldBack.bmp", 0, 1, -1, 1, 0, 0, 0, 0},
    {"背景その1.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その2.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その3.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その4.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その5.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その6.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その7.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"背景その8.bmp", 1, 0, -1, 1, 0, 0, 0, 0},
    {"E", 1, 1, -1, 0, 0, 0, 256, 960},
    {"E", 1, 1, -1, 0, 0, 0, 256, 960},
    {"E", 1, 1, -1, 0, 0, 0, 640, 480},
    {"E", 0, 1, -1, 0, 0, 0, 640, 480},
    {"E", 1, 0, -1, 0, 0, 0, 640, 480},
    {"E", 1, 1, 67, 0, 0, 0, 640, 480},
    {"E", 1, 0, -1, 0, 0, 2, 1024, 1024},
    {"E", 1, 1, -1, 0, 0, 1, 1024, 1024},
};

} // namespace

TEST(SurfaceTables, EveryRowAndEveryShareLinkAsTheTableGives)
{
    LinkShareSurfaces();
    int links = 0;
    for (int i = 0; i < SURFACE_COUNT; ++i) {
        SCOPED_TRACE("surface " + std::to_string(i));
        const SURFACEROW& row = Rows[i];
        const DDSURFACEPARAM& param = SurfaceTables.SurfaceParam[i];
        EXPECT_STREQ(param.szFileName, row.lpFile);
        EXPECT_EQ(param.bColorKey, row.bColorKey);
        EXPECT_EQ(param.nDDMemory, row.nDDMemory);
        EXPECT_EQ(param.nMemoryType, row.nMemoryType);
        EXPECT_EQ(param.bShare, row.nShares >= 0 ? 1 : 0);
        EXPECT_EQ(param.bPixelCopy, 0);
        EXPECT_EQ(param.bOptional, row.bOptional);
        EXPECT_EQ(param.nMirrorWidth, row.nMirrorWidth);
        EXPECT_EQ(param.nMirrorHeight, 0);
        EXPECT_EQ(param.nWidth, row.nWidth);
        EXPECT_EQ(param.nHeight, row.nHeight);
        if (row.nShares < 0) {
            EXPECT_EQ(SurfaceTables.Surface[i].lpShareSD, nullptr);
            continue;
        }
        ++links;
        EXPECT_EQ(SurfaceTables.Surface[i].lpShareSD, &SurfaceTables.Surface[row.nShares]);
        // A duplicate always draws from a record that owns its texture.
        EXPECT_EQ(SurfaceTables.SurfaceParam[row.nShares].bShare, 0);
    }
    EXPECT_EQ(links, 31);
}

TEST(SurfaceTables, FontsAndDigitStrips)
{
    struct FONTROW {
        int nHeight, nPitch, nFast;
    };
    const FONTROW fonts[FONT_COUNT] = {{9, 10, 2}, {16, 16, 2}, {30, 32, 0}};
    for (int i = 0; i < FONT_COUNT; ++i) {
        SCOPED_TRACE("font " + std::to_string(i));
        const FONTPARAM& param = SurfaceTables.FontParam[i];
        EXPECT_STREQ(param.szFace, "ＭＳ ゴシック");
        EXPECT_EQ(param.nWidth, 0);
        EXPECT_EQ(param.nHeight, fonts[i].nHeight);
        EXPECT_EQ(param.nPitchX, fonts[i].nPitch);
        EXPECT_EQ(param.nPitchY, fonts[i].nPitch);
        EXPECT_EQ(param.nColor, 241);
        EXPECT_EQ(param.nWindowSurface, 45);
        EXPECT_EQ(param.nFrameThickness, 1);
        EXPECT_EQ(param.nFrameColor, 240);
        EXPECT_EQ(param.nIconSurface, 50);
        EXPECT_EQ(param.nFast, fonts[i].nFast);

        const DDSURFACEPARAM& strip = SurfaceTables.SpareSurfaceParam[i];
        EXPECT_STREQ(strip.szFileName, "");
        EXPECT_EQ(strip.bColorKey, 1);
        EXPECT_EQ(strip.nDDMemory + strip.nMemoryType + strip.bShare + strip.bOptional + strip.nWidth, 0);
    }
}
