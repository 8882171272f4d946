// The play screen drawn into the back buffer on both back ends and read
// back: blocks in their cells, the status bar's spacing, a character's
// overlay frame and its gauge, and a screen effect moving the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "files/database.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "gfx/transparent_colour.h"
#include "stage/effect.h"
#include "stage/play_links.h"
#include "stage/screen_effect.h"
#include "stage/stage_containers.h"
#include "stage/stage_scene.h"
#include "tests/gfx/gfx_support.h"

namespace {

constexpr uint32_t BLANK = 0x102030;       // palette colour 16
constexpr uint32_t STATUS_BG = 0x204060;

// The accessory sheet: the red channel tells the pair of rows, blue the half.
uint32_t AccColour(int x, int y) { return static_cast<uint32_t>((y >> 1) << 16) | 0x0100u | (x >= 64 ? 0x80u : 0x40u); }
// Chip c of the block sheet.
uint32_t BlockColour(int c) { return 0x300300u + static_cast<uint32_t>(c) * 0x10u; }
// Cell (column, row) of character sheet 1.
uint32_t CharaColour(int column, int row)
{
    return static_cast<uint32_t>((0x20 + column) << 16) | static_cast<uint32_t>((row + 1) << 8) | 0x11u;
}

template <class F>
void WriteSheet(const char* path, int w, int h, F colour)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y * w + x)] = colour(x, y);
    WriteBmp(path, w, h, 24, pixels);
}

class PlayScreenDrawing : public OnBothBackEnds<DisplayTest> {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        m_lpSavedX = lpScrollX;
        m_lpSavedY = lpScrollY;
        m_SavedItems = SystemData.m_StatusItems;
    }
    void TearDown() override
    {
        CharaList.clear();
        Player.clear();
        BlockMap.clear();
        lpScrollX = m_lpSavedX;
        lpScrollY = m_lpSavedY;
        lpStageScene = nullptr;
        m_Scene.reset();
        SystemData.m_StatusItems = m_SavedItems;
        DataBase.m_ScrEffect.clear();
        ScrEffectTemplates.clear();
        ScrEffectTemplatesRev.clear();
        DDUnInit();
        DisplayTest::TearDown();
    }

    void Start()
    {
        InitSurfaceParams();
        LinkShareSurfaces();
        ASSERT_TRUE(DDInit(GetParam(), m_hWnd, 640, 480, 32, 0, 1, 1, 60, 0, Surface, SurfaceParam, SURFACE_COUNT, 0));
        DDSetTransmit(0xFF, 0x00, 0xFF);
        Palette[16] = {0x10, 0x20, 0x30, 0};
        CreateDirectoryA("bmp", nullptr);
        WriteSheet("bmp\\Block.bmp", 64, 480, [](int x, int y) { return BlockColour(x / 32 * 15 + y / 32); });
        WriteSheet("bmp\\Character1.bmp", 640, 480, [](int x, int y) { return CharaColour(x / 32, y / 32); });
        WriteSheet("bmp\\StatusWindow.bmp", 640, 20, [](int, int) { return STATUS_BG; });
        WriteSheet("bmp\\Accessory.bmp", 128, 256, AccColour);
        const int load[] = {2, 3, 4, 5, 22, 23, 46, 49, 63, 64, 65, 66, 67, 68, 69, 70};
        ASSERT_TRUE(DDLoadSurfaces(Surface, load, static_cast<int>(std::size(load))));

        m_Scene = std::make_unique<cStageScene>();
        lpStageScene = m_Scene.get();
        m_Scene->m_CharaLayers.assign(8, {});
        m_Scene->m_ShotLayers.assign(8, {});
        m_Scene->m_StageVars.assign(256, 0);
        m_Scene->m_bTimerOff = 1;
        cScrollAxis& ax = m_Scene->m_ScrollX;
        ax.m_nMargin = 10;
        ax.m_nLimitCells = 32;
        ax.m_nPitch = 32;
        ax.m_nShift = 5;
        ax.m_dPos = 48;
        cScrollAxis& ay = m_Scene->m_ScrollY;
        ay.m_nAxis = 1;
        ay.m_nMargin = 10;
        ay.m_nLimitCells = 20;
        ay.m_nPitch = 20;
        lpScrollX = &ax;
        lpScrollY = &ay;
        BlockMap.assign(32 * 20, cBlockData());
        StageData.Reset();
        StageData.m_Backgrounds.clear();
        StageData.m_bDrawLayers = 0;
        StageData.m_nFrameRate = 60;
        Player.emplace_back();
        Player[P1].m_Def.m_bTransparent = 1;
        Player[P1].m_Def.m_nMaxHp = 10;
        Player[P1].m_nHp = 10;
    }

    cBlockData& Cell(int column, int row) { return *BlockMapCell(column, row); }

    // A character of sheet 1's row 0 at screen (x, y).
    cNpc& Character(int x, int y)
    {
        cNpc& c = CharaList.emplace_back();
        c.m_Def.m_cGraphicKind = 1;
        c.m_Def.m_cSize = 1;
        c.m_nDrawW = c.m_nDrawH = c.m_nBaseDrawW = c.m_nBaseDrawH = 32;
        c.m_dLeft = m_Scene->m_ScrollX.m_dPos + x;
        c.m_dTop = y;
        c.m_dRight = c.m_dLeft + 31;
        c.m_dBottom = c.m_dTop + 31;
        c.m_nSide = 1;
        c.m_bAppeared = 1;
        return c;
    }

    // The picture as it will be shown (under Direct3D a screen effect draws
    // into the virtual back buffer until the frame is presented).
    static uint32_t Pixel(int x, int y)
    {
        DDSURFACEDATA* shown = bDirect3D && lpStageScene->m_ScrEffect.m_sEffect ? &VirBackBuffer : &BackBuffer;
        return ReadPixel(shown, x, y) & 0xFFFFFF;
    }

    std::unique_ptr<cStageScene> m_Scene;
    cScrollAxis* m_lpSavedX = nullptr;
    cScrollAxis* m_lpSavedY = nullptr;
    std::vector<cStatusItem> m_SavedItems;
};

// Cells 3, 4 and 5 of row 2 with the view 48 pixels in: chip 1 behind the
// objects, chip 2 in front, and a hidden block that is not drawn.
TEST_P(PlayScreenDrawing, BlocksInTheirCells)
{
    Start();
    Cell(3, 2).m_sGraphic = 1;
    Cell(4, 2).m_sGraphic = 2;
    Cell(4, 2).m_bFront = 1;
    Cell(5, 2).m_sGraphic = 1;
    Cell(5, 2).m_bHidden = 1;
    m_Scene->DrawPlayScreen(1, 0, 0, 0);
    EXPECT_EQ(Pixel(48, 64), BlockColour(1));
    EXPECT_EQ(Pixel(79, 95), BlockColour(1));
    EXPECT_EQ(Pixel(80, 64), BlockColour(2));
    EXPECT_EQ(Pixel(111, 95), BlockColour(2));
    EXPECT_EQ(Pixel(112, 64), BLANK);
    EXPECT_EQ(Pixel(47, 64), BLANK);
    EXPECT_EQ(Pixel(48, 96), BLANK);
}

// Five visible items without icons: labels of one character, two digits for
// the values: widths 48, 48, 66, 66, 48, so the gap is (638 - 276) / 6 = 60
// and the HP gauge starts at 276 + 16, the SP gauge at 402 + 16.
TEST_P(PlayScreenDrawing, StatusBarSpacing)
{
    Start();
    m_Scene->m_nStatusBarKind = 1;
    SystemData.m_StatusItems.assign(5, cStatusItem());
    const char* labels[5] = {"A", "B", "H", "S", "L"};
    for (int i = 0; i < 5; ++i) {
        cStatusItem& item = SystemData.m_StatusItems[static_cast<size_t>(i)];
        item.m_bVisible = 1;
        item.m_strLabel = labels[i];
        item.m_nDigits = 2;
    }
    m_Scene->DrawPlayScreen(1, 0, 0, 0);
    EXPECT_EQ(Pixel(291, 10), STATUS_BG);
    EXPECT_EQ(Pixel(292, 10), AccColour(0, 144 + 7));   // the full HP fill over its frame
    EXPECT_EQ(Pixel(341, 10), AccColour(0, 144 + 7));
    EXPECT_EQ(Pixel(342, 10), STATUS_BG);
    EXPECT_EQ(Pixel(417, 10), STATUS_BG);
    EXPECT_EQ(Pixel(418, 10), AccColour(64, 128 + 7));  // no SP: the frame alone
    EXPECT_EQ(Pixel(467, 10), AccColour(64, 128 + 7));
    EXPECT_EQ(Pixel(468, 10), STATUS_BG);
    EXPECT_EQ(Pixel(100, 25), BLANK);                   // below the 20-pixel bar
}

// Two timed overlays showing frames 3 and 5: the one with fewer frames to
// play (3) is drawn. An HP loss of 10 of 100: a 45-pixel bar, the lost
// 5 pixels beside it.
TEST_P(PlayScreenDrawing, CharacterOverlayAndGauge)
{
    Start();
    cNpc& c = Character(200, 200);
    for (int frame : {3, 5}) {
        OVERLAYANIM o;
        o.bTimed = 1;
        o.nFrames = frame;
        o.Anime.AddSequence({{frame, 100, 0}, {-2, 0, 0}});
        o.Anime.Set(0, 1);
        c.m_Overlays.push_back(std::move(o));
    }
    c.m_Def.m_nMaxHp = 100;
    c.m_nHp = 100;
    c.ChangeHp(-10, 0, 1);
    m_Scene->DrawPlayScreen(1, 0, 0, 0);
    EXPECT_EQ(Pixel(205, 205), CharaColour(3, 0));
    EXPECT_EQ(Pixel(231, 231), CharaColour(3, 0));
    EXPECT_EQ(Pixel(232, 231), BLANK);
    const int x = 200 + 16 - 25, y = 200 - 3;
    EXPECT_EQ(Pixel(x, y), AccColour(0, 210));          // the bar
    EXPECT_EQ(Pixel(x + 44, y), AccColour(0, 210));
    EXPECT_EQ(Pixel(x + 45, y), AccColour(0, 214));     // the loss
    EXPECT_EQ(Pixel(x + 49, y), AccColour(0, 214));
    EXPECT_EQ(Pixel(x + 50, y), BLANK);
    EXPECT_EQ(Pixel(x, y + 1), AccColour(0, 211));
    EXPECT_EQ(Pixel(x, y + 2), BLANK);
}

// A move of the picture from (0, 0) to (640, 0) in a second: the third
// frame shows it 10 pixels to the right, colour 16 in the strip it left.
TEST_P(PlayScreenDrawing, ScreenEffectMovesThePicture)
{
    Start();
    Cell(3, 2).m_sGraphic = 1;
    DataBase.m_ScrEffect.resize(2);
    DataBase.m_ScrEffect[1].m_nKind = SCRFX_MOVE;
    const int params[5] = {10, 0, 0, 640, 0};
    std::copy(params, params + 5, DataBase.m_ScrEffect[1].m_Param);
    DataBase.CopyReversedEffectLists();
    BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
    m_Scene->m_ScrEffect.StartScr(1, EFFECTRUN_NORMAL, 0);
    for (int i = 0; i < 3; ++i) m_Scene->DrawPlayScreen(1, 0, 0, 0);
    EXPECT_EQ(Pixel(57, 64), BLANK);
    EXPECT_EQ(Pixel(58, 64), BlockColour(1));
    EXPECT_EQ(Pixel(89, 95), BlockColour(1));
    EXPECT_EQ(Pixel(90, 95), BLANK);
    // Frozen frames draw where the next frame would (21 pixels in) and stay there.
    for (int i = 0; i < 2; ++i) {
        m_Scene->DrawPlayScreen(1, 1, 0, 0);
        EXPECT_EQ(Pixel(68, 64), BLANK);
        EXPECT_EQ(Pixel(69, 64), BlockColour(1));
    }
}

INSTANTIATE_BOTH_BACK_ENDS(PlayScreenDrawing);

} // namespace
