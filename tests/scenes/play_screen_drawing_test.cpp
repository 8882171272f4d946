// The play screen drawn into the back buffer on both back ends and read
// back: blocks in their cells, the status bar's spacing, a character's
// overlay frame and its gauge, a screen effect moving the picture, the
// score panel of a ranked stage clear, backgrounds wider than the screen,
// and characters drawn through their character effects.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "app/shell/palette_animation.h"
#include "files/database.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/effect_kind_data.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "gfx/transparent_colour.h"
#include "stage/objects/effect.h"
#include "stage/objects/play_links.h"
#include "stage/draw/play_screen_draw.h"
#include "stage/scene/screen_effect.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"
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
        SystemData.m_TextList.clear();
        SystemData.m_ModeSettings.clear();
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
        ASSERT_TRUE(DDInit(GetParam(), m_hWnd, 640, 480, 32, 0, 1, 1, 60, 0, SurfaceTables.Surface, SurfaceTables.SurfaceParam, SURFACE_COUNT, 0));
        DDSetTransmit(0xFF, 0x00, 0xFF);
        Display.Palette[16] = {0x10, 0x20, 0x30, 0};
        CreateDirectoryA("bmp", nullptr);
        WriteSheet("bmp\\Block.bmp", 64, 480, [](int x, int y) { return BlockColour(x / 32 * 15 + y / 32); });
        WriteSheet("bmp\\Character1.bmp", 640, 480, [](int x, int y) { return CharaColour(x / 32, y / 32); });
        WriteSheet("bmp\\StatusWindow.bmp", 640, 20, [](int, int) { return STATUS_BG; });
        WriteSheet("bmp\\Accessory.bmp", 128, 256, AccColour);
        const int load[] = {2, 3, 4, 5, 22, 23, 46, 49, 63, 64, 65, 66, 67, 68, 69, 70};
        ASSERT_TRUE(DDLoadSurfaces(SurfaceTables.Surface, load, static_cast<int>(std::size(load))));

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

    // The screen effect of entry 1, of the kind and with the parameters.
    void StartScreenEffect(int kind, std::vector<int> params)
    {
        DataBase.m_ScrEffect.resize(2);
        DataBase.m_ScrEffect[1].m_nKind = kind;
        std::copy(params.begin(), params.end(), DataBase.m_ScrEffect[1].m_Param);
        DataBase.CopyReversedEffectLists();
        BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
        m_Scene->m_ScrEffect.StartScr(1, EFFECTRUN_NORMAL, 0);
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
        DDSURFACEDATA* shown = Display.bDirect3D && lpStageScene->m_ScrEffect.m_sEffect ? &Display.VirBackBuffer : &Display.BackBuffer;
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
    StartScreenEffect(SCRFX_MOVE, {10, 0, 0, 640, 0});
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

// The rotation screen effect turns the picture about the screen's centre:
// at 0 degrees the picture stays where it was drawn.
TEST_P(PlayScreenDrawing, ScreenRotationTurnsAboutTheCentre)
{
    Start();
    Cell(3, 2).m_sGraphic = 1;
    StartScreenEffect(SCRFX_ROTATE, {100, 0, 360, 0, 0});
    m_Scene->DrawPlayScreen(1, 1, 0, 0);
    EXPECT_EQ(Pixel(47, 64), BLANK);
    EXPECT_EQ(Pixel(48, 64), BlockColour(1));
    EXPECT_EQ(Pixel(79, 95), BlockColour(1));
    EXPECT_EQ(Pixel(80, 95), BLANK);
}

// Each channel within tolerance of the other's.
bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

// A character at (200, 200) whose effect holds at a value (the frames are
// frozen), drawn through the handler of its kind; the probes are pixels and
// what each shows under DirectDraw and under Direct3D. Its chip is cell
// (0, 0) of sheet 1, 0x200111; the cell right of it in the sheet is
// 0x210111; where nothing is drawn the screen shows colour 16, 0x102030.
// A coloured character is an invincible one: it shows its invincible pose,
// 4 chips on (cell (4, 0), 0x240111), coloured under Direct3D only (animated
// colour 1, here 0x404040 added): 0x644151.
TEST_P(PlayScreenDrawing, CharacterEffectsDrawTheChip)
{
    constexpr uint32_t CHIP = 0x200111, POSE = 0x240111, COLOURED = 0x644151;
    struct Probe {
        int x, y;
        uint32_t dd, d3d;
    };
    struct Row {
        const char* name;
        int kind, size, coloured;
        double value;
        int p3;
        std::vector<Probe> probes;
        int tolerance;
    };
    const Row rows[] = {
        // Rotations at 0 degrees turn about the character's centre: the chip
        // stays on its place, 32 or (size 2) 64 pixels.
        {"rotation B", 8, 1, 0, 0, 0, {{199, 230, BLANK, BLANK}, {200, 200, CHIP, CHIP}, {231, 231, CHIP, CHIP}, {232, 230, BLANK, BLANK}}, 0},
        {"rotation B scaled", 8, 2, 0, 0, 0, {{199, 230, BLANK, BLANK}, {200, 200, CHIP, CHIP}, {263, 263, CHIP, CHIP}, {264, 230, BLANK, BLANK}}, 0},
        {"rotation A", 7, 1, 0, 0, 0, {{199, 230, BLANK, BLANK}, {200, 200, CHIP, CHIP}, {231, 231, CHIP, CHIP}, {232, 230, BLANK, BLANK}}, 0},
        // Scaled under DirectDraw: the chip turned in a square of
        // trunc(32 sqrt 2) = 45 pixels (chip at 6..37), stretched to
        // trunc(64 sqrt 2) = 90 pixels from 200 + 32 - 45 = 187: 199..262.
        // Direct3D turns it as rotation B.
        {"rotation A scaled", 7, 2, 0, 0, 0, {{198, 230, BLANK, BLANK}, {199, 230, CHIP, BLANK}, {262, 230, CHIP, CHIP}, {263, 230, BLANK, CHIP}}, 0},
        // The lens of depth 10 and radius trunc(sqrt 2 x 16) = 22 about
        // (216, 216): 21 pixels right of the centre it shows the source 18
        // pixels right of the chip's centre, past the chip's edge, where
        // nothing is (not the next chip of the sheet); the chip inside.
        {"lens", 12, 1, 0, 10, 0, {{237, 216, BLANK, BLANK}, {216, 216, CHIP, CHIP}, {225, 216, CHIP, CHIP}}, 0},
        // Effects drawn by the pixel take the colour from the chip put into
        // a work surface with it. Mosaic cells of 1 pixel and a blur of
        // radius 1 show a plain chip's own colour inside it.
        {"mosaic", 15, 1, 1, 1, 0, {{216, 216, POSE, COLOURED}, {232, 216, BLANK, BLANK}}, 0},
        {"blur", 16, 1, 1, 1, 0, {{216, 216, POSE, COLOURED}, {232, 216, BLANK, BLANK}}, 0},
        {"mosaic scaled", 15, 2, 0, 1, 0, {{216, 216, CHIP, CHIP}, {263, 263, CHIP, CHIP}, {264, 216, BLANK, BLANK}}, 0},
        // Half over colour 16; the tint toward black at level 1 keeps half
        // (128 of 255 under Direct3D).
        {"translucent", 14, 1, 1, 0, 0, {{216, 216, 0x1A1020, 0x3A3040}}, 1},
        {"colour", 13, 1, 1, 1, 5, {{216, 216, 0x120008, 0x322028}}, 1},
    };
    Start();
    Display.Palette[0] = {0xFF, 0x00, 0xFF, 0};  // the transparent colour
    Display.ShownPalette[5] = {0, 0, 0, 0};
    SystemData.m_bD3DCharaColor = 1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CharaList.clear();
        cNpc& c = Character(200, 200);
        c.m_Def.m_cSize = static_cast<int8_t>(row.size);
        c.m_nDrawW = c.m_nDrawH = 32 * row.size;
        c.m_dRight = c.m_dLeft + c.m_nDrawW - 1;
        c.m_dBottom = c.m_dTop + c.m_nDrawH - 1;
        c.m_Def.m_cInvincible = static_cast<int8_t>(row.coloured);
        c.m_Def.m_cInvincibleColor = 1;
        PaletteAnimation.CycleColors[1] = {0xFF404040, 7};  // added
        cEffectKindData entry;
        entry.m_nKind = row.kind;
        entry.m_Param[0] = 10;
        entry.m_Param[3] = row.p3;
        c.m_CharaEffect.m_sEffect = 1;
        c.m_CharaEffect.m_lpData = &entry;
        c.m_CharaEffect.m_dValue = row.value;
        m_Scene->DrawPlayScreen(1, 1, 0, 0);
        for (const Probe& probe : row.probes) {
            const uint32_t expected = GetParam() ? probe.d3d : probe.dd;
            const uint32_t pixel = Pixel(probe.x, probe.y);
            EXPECT_TRUE(Near(pixel, expected, row.tolerance))
                << probe.x << ", " << probe.y << ": " << std::hex << pixel << " for " << expected;
        }
        c.m_CharaEffect.m_lpData = nullptr;
    }
    SystemData.m_bD3DCharaColor = 0;
}

// A background wider than the screen goes into system memory under
// DirectDraw (Direct3D leaves the memory as the table has it) and is drawn
// from there; one of the screen's size stays in video memory.
TEST_P(PlayScreenDrawing, BackgroundsLargerThanTheScreenInSystemMemory)
{
    Start();
    const uint32_t wide = 0x405060, plain = 0x607080;
    WriteSheet("bmp\\Wide.bmp", 700, 480, [&](int x, int) { return x < 640 ? wide : 0x000000u; });
    WriteSheet("bmp\\Plain.bmp", 640, 480, [&](int, int) { return plain; });
    StageData.m_Backgrounds.assign(3, cBackgroundData());
    const char* images[3] = {"bmp\\Wide.bmp", "bmp\\Plain.bmp", "bmp\\Wide.bmp"};
    for (int i = 0; i < 3; ++i) StageData.m_Backgrounds[static_cast<size_t>(i)].m_sImage = images[i];
    StageData.m_Backgrounds[1].m_bShown = 0;  // only the wide layer is drawn
    StageData.m_Backgrounds[2].m_bShown = 0;
    StageData.m_Backgrounds[2].m_bFill = 1;  // a plain fill loads no image
    ASSERT_EQ(LoadStageImages(0), 1);
    const int d3d = GetParam();
    EXPECT_EQ(SurfaceTables.Surface[55].nDDMemory, d3d ? 0 : 1);
    EXPECT_EQ(SurfaceTables.Surface[56].nDDMemory, 0);
    EXPECT_EQ(SurfaceTables.SurfaceParam[57].nDDMemory, 0);
    EXPECT_EQ(SurfaceTables.Surface[55].nWidth, 700);
    m_Scene->m_ScrollX.m_dPos = 320;  // the margin: the layer's own left edge
    m_Scene->DrawPlayScreen(1, 0, 0, 0);
    EXPECT_EQ(Pixel(0, 100), wide);
    EXPECT_EQ(Pixel(639, 479), wide);
    for (int i = 55; i <= 62; ++i) DDReleaseSurface(&SurfaceTables.Surface[i]);
}

// A ranked clear in story mode whose stage ranks the score and the time
// left: once the clear can be left, the panel's indicators stand at
// (336, 224) and below, one per ranking the play reached a place in.
TEST_P(PlayScreenDrawing, ScorePanelAfterARankedClear)
{
    struct Row {
        int places[5];
        int directPlay;
        std::vector<unsigned char> modeGenres;
        int indicators;
    };
    const Row rows[] = {
        {{-1, 3, -1, -1, -1}, 0, {1, 1, 1, 1, 1}, 1},
        {{0, 3, -1, -1, -1}, 0, {1, 1, 1, 1, 1}, 2},
        {{0, 3, -1, -1, -1}, 0, {0, 0, 0, 0, 0}, 0},  // the mode ranks nothing: no panel
        {{0, 3, -1, -1, -1}, 1, {0, 0, 0, 0, 0}, 2},  // direct play: the stage's genres
    };
    Start();
    SystemData.m_TextList.assign(30, "");
    StageData.m_RankList = {1, 1, 0, 0, 0};
    StageData.m_bClearBanner = 0;
    StageData.m_bAutoClearEnd = 0;
    m_Scene->m_Modes.bRankingOn = 1;
    // The indicator is the accessory sheet's cell at (16, 48).
    const uint32_t top = AccColour(16, 48), bottom = AccColour(31, 63);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.indicators);
        SystemData.m_ModeSettings.assign(1, cModeSetting());
        SystemData.m_ModeSettings[0].m_bRanking = 1;
        SystemData.m_ModeSettings[0].m_Genres = row.modeGenres;
        m_Scene->m_Modes.bDirectPlay = row.directPlay;
        m_Scene->m_RankPos.assign(row.places, row.places + 5);
        m_Scene->m_nState = STAGE_CLEAR;
        m_Scene->m_nSubState = 0;
        m_Scene->StageClear();
        for (int k = 0; k < 3; ++k) {
            const bool shown = k < row.indicators;
            EXPECT_EQ(Pixel(336, 224 + 16 * k) == top, shown) << k;
            EXPECT_EQ(Pixel(351, 239 + 16 * k) == bottom, shown) << k;
        }
    }
}

INSTANTIATE_BOTH_BACK_ENDS(PlayScreenDrawing);

} // namespace
