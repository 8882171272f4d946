#include <gtest/gtest.h>

#include <cstring>

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/scene.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"

namespace {

// A 4 x 2 picture: red, green, blue, magenta / white, black, grey, yellow.
const std::vector<uint32_t> kPicture = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF,
                                        0xFFFFFF, 0x000000, 0x808080, 0xFFFF00};

void WriteFixtures()
{
    WriteBmp("p24.bmp", 4, 2, 24, kPicture);
    WriteBmp("p32.bmp", 4, 2, 32, kPicture);
    // The same picture through a colour table whose entries are the colours.
    std::vector<uint32_t> indices, palette(256, 0);
    for (size_t i = 0; i < kPicture.size(); ++i) {
        palette[10 + i] = kPicture[i];
        indices.push_back(10 + i);
    }
    WriteBmp("p8.bmp", 4, 2, 8, indices, palette);
    WriteBmp("wide.bmp", 100, 50, 24, std::vector<uint32_t>(100 * 50, 0x123456));
    WriteFileText("broken.bmp", "BM not a bitmap");
}

}  // namespace

TEST_F(DisplayTest, TextureSizesFollowTheDeviceRules)
{
    const struct {
        DWORD caps;
        int blankW, blankH, imageW, imageH;
    } rows[] = {
        {0, 640, 480, 100, 50},
        {D3DPTEXTURECAPS_POW2, 1024, 512, 128, 64},
        {D3DPTEXTURECAPS_SQUAREONLY, 640, 640, 100, 100},
        {D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY, 1024, 1024, 128, 128},
    };
    WriteFixtures();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caps);
        dwForceTextureCaps = row.caps;
        ASSERT_TRUE(Up(1));
        // The virtual back buffer is one of these surfaces too.
        EXPECT_EQ(Display.VirBackBuffer.nTexWidth, row.blankW);
        EXPECT_EQ(Display.VirBackBuffer.nTexHeight, row.blankH);
        DDSURFACEDATA blank, image;
        ASSERT_TRUE(DDCreateSurface(&blank, 640, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        EXPECT_EQ(blank.nWidth, 640);
        EXPECT_EQ(blank.nHeight, 480);
        EXPECT_EQ(blank.nTexWidth, row.blankW);
        EXPECT_EQ(blank.nTexHeight, row.blankH);
        EXPECT_EQ(blank.lpDT->descLevel0.Width, static_cast<UINT>(row.blankW));
        ASSERT_EQ(DDCreateSurfaceFromFile(&image, "wide.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(image.nWidth, 100);
        EXPECT_EQ(image.nHeight, 50);
        EXPECT_EQ(image.nTexWidth, row.imageW);
        EXPECT_EQ(image.nTexHeight, row.imageH);
        EXPECT_EQ(ReadPixel(&image, 99, 49), 0xFF123456u);
        DDReleaseSurface(&blank);
        DDReleaseSurface(&image);
        DDUnInit();
    }
}

TEST_F(DisplayTest, BlankDirect3DSurfacesByMemoryType)
{
    ASSERT_TRUE(Up(1));
    Display.lpDTCon->dwTransmitBack = 0xFF00FF00;
    DDSURFACEDATA video, system, nort, shared;
    ASSERT_TRUE(DDCreateSurface(&video, 64, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    EXPECT_STREQ(video.szSurfaceType, "OffScreen");
    EXPECT_STREQ(video.szFileName, "E");
    EXPECT_EQ(video.lpDT->bRenderTarget, 1);
    EXPECT_EQ(video.lpDT->bColorKey, 1);
    EXPECT_NE(video.lpDT->lpSystemSurface, nullptr);
    EXPECT_NE(video.lpDT->lpVertexBuffer, nullptr);
    // A new render target starts as the opaque transparent colour.
    EXPECT_EQ(ReadPixel(&video, 63, 31), 0xFF00FF00u);

    ASSERT_TRUE(DDCreateSurface(&system, 64, 32, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    EXPECT_EQ(system.lpDT->bRenderTarget, 0);
    EXPECT_EQ(system.lpDT->nMemoryType, DTMEMORYTYPE_SYSTEM);
    EXPECT_EQ(system.lpDT->lpSystemSurface, nullptr);

    ASSERT_TRUE(DDCreateSurface(&nort, 16, 16, 1, 0, DTMEMORYTYPE_VIDEO_NORT, 0, 0));
    EXPECT_EQ(nort.lpDT->nMemoryType, DTMEMORYTYPE_VIDEO_RT);
    EXPECT_EQ(nort.lpDT->bRenderTarget, 1);

    ASSERT_TRUE(DDCreateSurface(&shared, 16, 8, 1, 1, DTMEMORYTYPE_VIDEO_RT, 1, 0));
    EXPECT_EQ(shared.lpDT->lpTexture, nullptr);
    EXPECT_EQ(shared.lpDT->lpVertexBuffer, nullptr);
    EXPECT_EQ(shared.nTexWidth, 16);
    EXPECT_EQ(shared.nDDMemory, 1);

    // Ids in creation order; only records with a texture are listed.
    EXPECT_EQ(video.lpDT->nId, 3);
    EXPECT_EQ(system.lpDT->nId, 4);
    EXPECT_EQ(nort.lpDT->nId, 5);
    const std::vector<DDSURFACEDATA*> listed = {&Display.VirBackBuffer, &Display.WorkSD, &video, &system, &nort};
    EXPECT_EQ(Display.RestoreList, listed);

    // Made anew, a record stays listed once.
    ASSERT_TRUE(DDCreateSurface(&video, 64, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    EXPECT_EQ(Display.RestoreList.size(), 5u);
    for (DDSURFACEDATA* sd : {&video, &system, &nort, &shared}) DDReleaseSurface(sd);
    EXPECT_EQ(Display.RestoreList.size(), 2u);
    EXPECT_EQ(video.nWidth, 64);  // the record keeps what it was
    DDReleaseSurface(&video);     // an empty record: nothing
}

using BothBackEndsSurface = OnBothBackEnds<DisplayTest>;

TEST_P(BothBackEndsSurface, ImagesLoadFromBmpOfEachDepthOnBothBackEnds)
{
    const int d3d = GetParam();
    WriteFixtures();
    ASSERT_TRUE(Up(d3d));
    for (const char* file : {"p8.bmp", "p24.bmp", "p32.bmp"}) {
        SCOPED_TRACE(testing::Message() << file << " d3d " << d3d);
        DDSURFACEDATA sd;
        ASSERT_EQ(DDCreateSurfaceFromFile(&sd, file, 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(sd.nWidth, 4);
        EXPECT_EQ(sd.nHeight, 2);
        EXPECT_STREQ(sd.szFileName, file);
        const std::vector<uint32_t> pixels = ReadPixels(&sd, 0, 0, 4, 2);
        ASSERT_EQ(pixels.size(), kPicture.size());
        for (size_t i = 0; i < pixels.size(); ++i) {
            // Direct3D: the image loader keys out the transparent colour
            // (black here) to transparent black; everything else is opaque.
            const uint32_t expected =
                d3d ? (kPicture[i] ? 0xFF000000 | kPicture[i] : 0) : kPicture[i];
            EXPECT_EQ(d3d ? pixels[i] : pixels[i] & 0xFFFFFF, expected) << i;
        }
        if (d3d) {
            EXPECT_STREQ(sd.szSurfaceType, "OffScreenFromFile");
            EXPECT_EQ(sd.lpDT->bRenderTarget, 0);
            EXPECT_EQ(Display.RestoreList.back(), &sd);
        }
        DDReleaseSurface(&sd);
    }
    DDUnInit();
}

TEST_F(DisplayTest, ImageLoadFailuresAreReportedAndLeaveNothingDrawable)
{
    WriteFixtures();
    for (int d3d : {1, 0}) {
        SCOPED_TRACE(d3d);
        ASSERT_TRUE(Up(d3d));
        DDSURFACEDATA sd;
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "missing.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 8);
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "broken.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 8);
        DDReleaseSurface(&sd);
        DDUnInit();
    }
    const std::string report = ReportText();
    EXPECT_NE(report.find("LoadImage Err missing.bmp\n"), std::string::npos);
    EXPECT_NE(report.find("LoadImage Err broken.bmp\n"), std::string::npos);
}

TEST_F(DisplayTest, SurfaceResultsThatLeaveNoUsableSurfaceFail)
{
    const struct {
        int code;
        bool ok;
        const char* trace;
    } rows[] = {
        {0, true, ""},
        {1, true, ""},
        {4, false, "CREATESURFACE_ERR\n"},
        {8, false, "LOADIMAGE_ERR\n"},
        {9, false, "SETCOLORKEY_ERR\n"},
        {static_cast<int>(D3DERR_INVALIDCALL), false, "CREATESURFACE_ERR 8876086c\n"},
    };
    std::string expected;
    for (const auto& row : rows) {
        EXPECT_EQ(DDCheckSurfaceResult(row.code), row.ok) << row.code;
        expected += row.trace;
    }
    EXPECT_EQ(TraceText(), expected);
}

TEST_P(BothBackEndsSurface, SurfacesLoadFromTheirDescriptorsAndAreMadeAgainFromThem)
{
    const int d3d = GetParam();
    WriteFixtures();
    m_params[0].Set("p24.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    m_params[1].Set("p24.bmp", 1, 1, 0, 1, 0, 0, 32, 0, 0, 0);   // duplicate of 0
    m_params[2].Set("E", 1, 0, 0, 0, 0, 0, 0, 0, 320, 240);
    m_params[3].Set("missing.bmp", 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);  // optional
    m_params[4].Set("missing.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);  // required
    const int first[] = {0, 1, 2, 3};
    ASSERT_TRUE(Up(d3d));
    m_surfaces[1].lpShareSD = &m_surfaces[0];
    ASSERT_TRUE(DDLoadSurfaces(m_surfaces, first, 4));
    EXPECT_EQ(m_surfaces[2].nWidth, 320);
    EXPECT_EQ(m_surfaces[1].nWidth, 4);
    EXPECT_EQ(m_surfaces[1].nMirrorWidth, 32);
    // The optional image that failed leaves an empty record, which every
    // drawing operation passes over.
    EXPECT_EQ(m_surfaces[3].lpDT, nullptr);
    EXPECT_EQ(m_surfaces[3].lpDD, nullptr);
    DDFill(&m_surfaces[3], 0xFFFFFFFF);
    DDFillPal(&m_surfaces[5], 1);  // never loaded
    EXPECT_EQ(DDSetRenderTarget(0, &m_surfaces[3]), 0);
    if (d3d) {
        // The duplicate has no texture of its own and is not listed.
        EXPECT_EQ(m_surfaces[1].lpDT->lpTexture, nullptr);
        EXPECT_EQ(m_surfaces[1].lpDT->lpVertexBuffer, nullptr);
        EXPECT_EQ(Display.RestoreList.size(), 4u);
        // Loading again releases and re-creates: still listed once each.
        ASSERT_TRUE(DDLoadSurfaces(m_surfaces, first, 4));
        EXPECT_EQ(Display.RestoreList.size(), 4u);
        EXPECT_EQ(ReadPixel(&m_surfaces[0], 0, 0), 0xFFFF0000u);
    } else {
        // Under DirectDraw the duplicate loads its own surface.
        ASSERT_NE(m_surfaces[1].lpDD, nullptr);
        EXPECT_NE(m_surfaces[1].lpDD->lpSurface, nullptr);
        EXPECT_EQ(m_surfaces[1].nDDMemory, 1);
        // The image's first 32-pixel cell mirrored: only 4 columns, so no
        // whole cell; the picture stays as created.
        EXPECT_EQ(ReadPixel(&m_surfaces[0], 0, 0) & 0xFFFFFF, 0xFF0000u);
    }
    const int required[] = {4, 2};
    EXPECT_FALSE(DDLoadSurfaces(m_surfaces, required, 2));
    ASSERT_EQ(BoxCapture::texts.size(), 1u);
    EXPECT_EQ(BoxCapture::texts[0], "エラー|missing.bmp の読み込みに失敗！");
    BoxCapture::texts.clear();
    DDUnInit();
}

// The screens add work surfaces one at a time while the restore list holds
// the addresses of the earlier ones: they must not move.
TEST_F(DisplayTest, AddedSurfacesKeepTheirPlaceWhileTheContainerGrows)
{
    ASSERT_TRUE(Up(1));
    DDSurfaceVector surfaces;
    DDSurfaceParamVector params;
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(DDAddSurface(surfaces, params, 8 + i, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0));
    ASSERT_EQ(params.size(), 40u);
    EXPECT_EQ(params[7].bColorKey, 1);
    EXPECT_STREQ(params[7].szFileName, "");
    ASSERT_EQ(Display.RestoreList.size(), 42u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(Display.RestoreList[2 + i], &surfaces[i]);
        EXPECT_EQ(Display.RestoreList[2 + i]->nWidth, 8 + i);
    }
    DDReleaseSurfaceVector(surfaces);
    EXPECT_EQ(Display.RestoreList.size(), 2u);

    std::list<DDSURFACEDATA> list;
    std::list<DDSURFACEPARAM> listParams;
    ASSERT_TRUE(DDAddSurfaceToList(list, listParams, 16, 16, 0, 1, DTMEMORYTYPE_SYSTEM, 0));
    ASSERT_TRUE(DDAddSurfaceToList(list, listParams, 32, 16, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0));
    DDSURFACEDATA stranger;
    EXPECT_EQ(DDRemoveSurfaceFromList(list, listParams, &stranger), 0);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(DDRemoveSurfaceFromList(list, listParams, &list.front()), 1);
    ASSERT_EQ(list.size(), 1u);
    ASSERT_EQ(listParams.size(), 1u);
    EXPECT_EQ(list.front().nWidth, 32);
    EXPECT_EQ(listParams.front().bColorKey, 1);
    EXPECT_EQ(Display.RestoreList.size(), 3u);
    DDReleaseSurfaceList(list);
}

TEST_F(DisplayTest, DirectDrawSheetsAreMirroredCellByCellWhenLoaded)
{
    std::vector<uint32_t> ramp;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 100; ++col) ramp.push_back(0x010000 * (row + 1) + col + 1);
    WriteBmp("sheet.bmp", 100, 2, 24, ramp);
    ASSERT_TRUE(Up(0));
    DDSURFACEDATA sheet;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "sheet.bmp", 1, 32, 0, 0, 0, 0, 32, 0, 0), 0);
    EXPECT_EQ(sheet.nMirrorWidth, 32);
    const std::vector<uint32_t> pixels = ReadPixels(&sheet, 0, 0, 100, 2);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 100; ++col) {
            // Three whole cells turned around; the last four columns stay as created.
            const uint32_t expected =
                col < 96 ? 0x010000 * (row + 1) + (32 * (col / 32 + 1) - col % 32 - 1) + 1 : 0;
            EXPECT_EQ(pixels[row * 100 + col] & 0xFFFFFF, expected) << row << "," << col;
        }
    DDReleaseSurface(&sheet);
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsSurface);
