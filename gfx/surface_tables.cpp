#include "gfx/surface_tables.h"

#include <cstdio>
#include <cstring>

namespace {

enum { VIDEO = 0, SYSTEM = 1 };

// One row of the fixed table; the pixel-copy flag is 0 in every row.
void Row(int index, const char* file, int colorKey, int ddMemory, int share, int optional,
         int mirrorWidth = 0, int memoryType = DTMEMORYTYPE_VIDEO_RT, int width = 0, int height = 0)
{
    SurfaceTables.SurfaceParam[index].Set(file, colorKey, ddMemory, memoryType, share, 0, optional, mirrorWidth, 0,
                            width, height);
}

// A sheet's plain record and its mirror record (always a duplicate).
void SheetPair(int index, const char* file, int ddMemory, int share, int optional, int mirrorWidth)
{
    Row(index, file, 1, ddMemory, share, optional);
    Row(index + 1, file, 1, ddMemory, 1, optional, mirrorWidth);
}

// Each character and shot sheet is a plain record, a mirror record and a
// system-memory pair of both; all four draw from the plain record's texture
// under Direct3D. Pairs (duplicate, shared record).
const int ShareLinks[][2] = {
    {3, 2},   {5, 4},   {7, 6},   {9, 8},   {11, 10}, {13, 12}, {15, 14}, {17, 16},
    {19, 18}, {21, 20}, {22, 4},  {23, 4},  {24, 6},  {25, 6},  {26, 8},  {27, 8},
    {28, 10}, {29, 10}, {30, 12}, {31, 12}, {32, 14}, {33, 14}, {34, 16}, {35, 16},
    {36, 18}, {37, 18}, {38, 20}, {39, 20}, {41, 40}, {44, 43}, {68, 67},
};

void SetFont(FONTPARAM& param, int height, int pitch, int fast)
{
    std::strcpy(param.szFace, "ＭＳ ゴシック");
    param.nWidth = 0;
    param.nHeight = height;
    param.nPitchX = param.nPitchY = pitch;
    param.nColor = 241;
    param.nWindowSurface = 45;   // "bmp\Window.bmp"
    param.nFrameThickness = 1;
    param.nFrameColor = 240;
    param.nIconSurface = 50;     // "bmp\Symbol.bmp"
    param.nFast = fast;          // 2: the back end's System.ini key decides
}

} // namespace

void InitSurfaceParams()
{
    char name[64];
    Row(0, "bmp\\plt\\Palette.bmp", 0, SYSTEM, 0, 0);
    Row(1, "bmp\\Debug.bmp", 1, VIDEO, 0, 0);
    Row(2, "bmp\\Block.bmp", 1, VIDEO, 0, 0);
    Row(3, "bmp\\Block.bmp", 1, SYSTEM, 1, 0);
    SheetPair(4, "bmp\\Character1.bmp", VIDEO, 0, 0, 32);
    SheetPair(20, "bmp\\Shot.bmp", VIDEO, 0, 0, 16);
    SheetPair(22, "bmp\\Character1.bmp", SYSTEM, 1, 0, 32);
    SheetPair(38, "bmp\\Shot.bmp", SYSTEM, 1, 0, 16);
    for (int n = 2; n <= 8; ++n) {
        std::snprintf(name, sizeof name, "bmp\\Character%d.bmp", n);
        SheetPair(2 * n + 2, name, VIDEO, 0, 1, 32);
        SheetPair(2 * n + 20, name, SYSTEM, 1, 1, 32);
    }
    Row(40, "bmp\\Item.bmp", 1, VIDEO, 0, 0);
    Row(41, "bmp\\Item.bmp", 1, SYSTEM, 1, 0);
    Row(42, "bmp\\Item_Mini.bmp", 1, VIDEO, 0, 0);
    Row(43, "bmp\\Mark.bmp", 1, VIDEO, 0, 0);
    Row(44, "bmp\\Mark.bmp", 1, SYSTEM, 1, 0);
    Row(45, "bmp\\Window.bmp", 0, VIDEO, 0, 0);
    Row(46, "bmp\\StatusWindow.bmp", 1, VIDEO, 0, 0);
    Row(47, "bmp\\Title.bmp", 0, VIDEO, 0, 0);
    Row(48, "bmp\\GameMode.bmp", 1, VIDEO, 0, 1);
    Row(49, "bmp\\Accessory.bmp", 1, VIDEO, 0, 0);
    Row(50, "bmp\\Symbol.bmp", 1, VIDEO, 0, 0);
    Row(51, "bmp\\Word.bmp", 1, VIDEO, 0, 0);
    Row(52, "bmp\\WorldMapChip.bmp", 1, VIDEO, 0, 0);
    Row(53, "bmp\\WorldEvent.bmp", 1, SYSTEM, 0, 0);
    Row(54, "bmp\\WorldBack.bmp", 0, SYSTEM, 0, 1);
    // The stage's background layers; the stage names their images itself.
    for (int n = 1; n <= 8; ++n) {
        std::snprintf(name, sizeof name, "背景その%d.bmp", n);
        Row(54 + n, name, 1, VIDEO, 0, 1);
    }
    Row(63, "E", 1, SYSTEM, 0, 0, 0, DTMEMORYTYPE_VIDEO_RT, 256, 960);
    Row(64, "E", 1, SYSTEM, 0, 0, 0, DTMEMORYTYPE_VIDEO_RT, 256, 960);
    Row(65, "E", 1, SYSTEM, 0, 0, 0, DTMEMORYTYPE_VIDEO_RT, 640, 480);
    Row(66, "E", 0, SYSTEM, 0, 0, 0, DTMEMORYTYPE_VIDEO_RT, 640, 480);
    Row(67, "E", 1, VIDEO, 0, 0, 0, DTMEMORYTYPE_VIDEO_RT, 640, 480);
    Row(68, "E", 1, SYSTEM, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 640, 480);
    Row(69, "E", 1, VIDEO, 0, 0, 0, DTMEMORYTYPE_VIDEO_NORT, 1024, 1024);
    Row(70, "E", 1, SYSTEM, 0, 0, 0, DTMEMORYTYPE_SYSTEM, 1024, 1024);
}

void InitFontParams()
{
    SetFont(SurfaceTables.FontParam[0], 9, 10, 2);
    SetFont(SurfaceTables.FontParam[1], 16, 16, 2);
    // The large font never builds glyph caches, whatever System.ini says.
    SetFont(SurfaceTables.FontParam[2], 30, 32, 0);
}

void InitSpareSurfaceParams()
{
    for (DDSURFACEPARAM& param : SurfaceTables.SpareSurfaceParam) param.Set("", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

void LinkShareSurfaces()
{
    for (const auto& link : ShareLinks) SurfaceTables.Surface[link[0]].lpShareSD = &SurfaceTables.Surface[link[1]];
}
