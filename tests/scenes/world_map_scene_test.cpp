#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/system/input.h"
#include "app/base/log.h"
#include "app/shell/scene_manager.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "gfx/display.h"
#include "gfx/surface_tables.h"
#include "gfx/transparent_colour.h"
#include "records/data_record.h"
#include "records/stage_data.h"
#include "scenes/menu_cursor.h"
#include "scenes/world_map_menu_scene.h"
#include "scenes/world_map_scene.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"
#include "tests/support/test_dir.h"

namespace {

// A map of 6 by 3 cells: row 1 is a road of passable chips between walls of
// impassable ones. On the road: a stage at (2, 1) that must be cleared before
// it can be walked over, a wall entry at (4, 1), and at (5, 1) a stage that
// may be passed.
//
//   col  0   1   2      3   4     5
//   row1 .   .   [S1]   .   [W]   [S2 passable]
class WorldMapScreenTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        CreateDirectoryA("data", nullptr);
        CreateDirectoryA("data\\stg4", nullptr);
        CreateDirectoryA("user_data", nullptr);
        CreateDirectoryA("user_data\\story", nullptr);

        WorldMap.SetDefault();
        ASSERT_EQ(WorldMap.SetSize(6, 3), 1);
        for (int x = 0; x < 6; ++x) WorldMap.m_Cells[static_cast<size_t>(x + (1 << WorldMap.m_nShift))] = 5;
        WorldMap.m_Points.clear();
        AddPoint(2, 1, WORLD_STAGE, 1, 0, "data\\stg4\\one.stg4");
        AddPoint(4, 1, WORLD_WALL, 0, 0, "");
        AddPoint(5, 1, WORLD_STAGE, 2, 1, "data\\stg4\\two.stg4");

        GameProgress.Reset();
        SceneManager.m_nPreviousScene = SCENE_TITLE;
        SceneManager.m_nNextScene = -1;
        SceneManager.m_nPlayMode = PLAYMODE_STORY;
        SceneManager.m_bRankingOn = 0;
        SceneManager.m_nFadeStep = 64;
        m_SavedLives = SystemData.m_DefaultLives;
        m_bKeepLives = SystemData.m_bStoryKeepLives;
    }
    void TearDown() override
    {
        WorldMap.SetDefault();
        SystemData.m_DefaultLives = m_SavedLives;
        SystemData.m_bStoryKeepLives = m_bKeepLives;
        StageData = cStageData();
        MenuScreenTest::TearDown();
    }
    static void AddPoint(int x, int y, int kind, int clearNo, int passable, const char* file)
    {
        cWorldMapPoint point;
        point.m_nX = x;
        point.m_nY = y;
        point.m_Stages.assign(1, cWorldMapStage());
        cWorldMapStage& entry = point.m_Stages[0];
        entry.m_nKind = kind;
        entry.m_nClearNo = clearNo;
        entry.m_bPassable = passable;
        entry.m_sCaption = "caption";
        entry.m_sStageFile = file;
        WorldMap.m_Points.push_back(point);
    }
    static void WriteStage(const std::string& path)
    {
        cStageData stage;
        stage.m_PlacedCharas.resize(1);
        stage.m_PlacedCharas[0].m_cControl = CHARA_PLAYER;
        ASSERT_EQ(stage.SaveFile(path), 1) << path;
    }
    // The map opened with the walker at (x, y), past its fade-in.
    void Open(cWorldMapScene& map, int x, int y)
    {
        GameProgress.m_nMapX = x;
        GameProgress.m_nMapY = y;
        map.Init();
        map.m_nState = cWorldMapScene::STATE_MAP;
    }
    // Runs frames until the fade-in is over.
    void FadeIn(cWorldMapScene& map)
    {
        map.Run();
        for (int k = 0; k < 100 && map.m_nState == cWorldMapScene::STATE_FADEIN; ++k) map.Run();
    }
    void Press2(cScene& scene, int direction, int buttons)
    {
        Inputs[0].m_wDirection = static_cast<int16_t>(direction);
        Inputs[0].m_wButtons = static_cast<int16_t>(buttons);
        scene.Run();
        Inputs[0].m_wDirection = Inputs[0].m_wButtons = 0;
        scene.Run();
    }
    static int Column() { return MenuCursor.m_lpCurrent->nColumn; }

    std::vector<int32_t> m_SavedLives;
    int32_t m_bKeepLives = 0;
};

// One step from a cell: where the walker ends, which way it faces, and
// whether the stage question opened.
TEST_F(WorldMapScreenTest, WalkerStepsAndRefusals)
{
    struct Row {
        const char* what;
        int x, direction, cleared, wantX, wantY, wantFacing, wantState;
    };
    const Row table[] = {
        {"left edge", 0, INPUT_LEFT, 0, 0, 1, cWorldMapScene::FACE_LEFT, cWorldMapScene::STATE_MAP},
        {"road", 0, INPUT_RIGHT, 0, 1, 1, cWorldMapScene::FACE_RIGHT, cWorldMapScene::STATE_MAP},
        {"impassable chip", 1, INPUT_UP, 0, 1, 1, cWorldMapScene::FACE_UP, cWorldMapScene::STATE_MAP},
        {"wall entry", 3, INPUT_RIGHT, 0, 3, 1, cWorldMapScene::FACE_RIGHT, cWorldMapScene::STATE_MAP},
        {"uncleared stage", 3, INPUT_LEFT, 0, 2, 1, cWorldMapScene::FACE_LEFT, cWorldMapScene::STATE_CONFIRM},
        {"cleared stage", 3, INPUT_LEFT, 1, 2, 1, cWorldMapScene::FACE_LEFT, cWorldMapScene::STATE_MAP},
        {"bottom edge onto wall chips", 0, INPUT_DOWN, 0, 0, 1, cWorldMapScene::FACE_DOWN, cWorldMapScene::STATE_MAP},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(t.what);
        GameProgress.Reset();
        GameProgress.m_ClearFlags[1] = t.cleared;
        Inputs[0] = cInput();  // no key held over from the row before
        Inputs[0].SetRepeat(18, 6);
        cWorldMapScene map;
        Open(map, t.x, 1);
        const int viewX = map.m_nViewX;
        Inputs[0].m_wDirection = static_cast<int16_t>(t.direction);
        map.Run();
        Inputs[0].m_wDirection = 0;
        EXPECT_EQ(map.m_nFacing, t.wantFacing);
        EXPECT_EQ(map.m_nState, t.wantState);
        if (t.wantState == cWorldMapScene::STATE_CONFIRM) {
            EXPECT_EQ(MenuCursor.m_Levels.size(), 2u);
            EXPECT_EQ(GameProgress.m_nMapX, t.wantX);
            continue;
        }
        EXPECT_EQ(Column(), t.wantX);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.wantY);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nX, 288);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nY, 224);
        EXPECT_EQ(map.m_nViewX, t.wantX - 9);
        if (t.wantX == t.x) {
            EXPECT_EQ(map.m_nViewX, viewX);
        } else {
            EXPECT_EQ(GameProgress.m_nMapSafeX, t.x);
            EXPECT_EQ(GameProgress.m_nMapFacing, t.wantFacing);
        }
    }
}

// Stepping onto the uncleared stage asks at once; refusing, or a file that
// cannot be loaded, puts the walker back where it came from. A cleared stage
// that cannot be replayed ignores confirm; the passable one can be walked
// over and asked for.
TEST_F(WorldMapScreenTest, QuestionRefusedPutsTheWalkerBack)
{
    cWorldMapScene map;
    Open(map, 3, 1);
    Press(map, INPUT_LEFT, 0);
    ASSERT_EQ(map.m_nState, cWorldMapScene::STATE_CONFIRM);
    ASSERT_EQ(BoxCapture::texts.size(), 1u);  // the stage file is missing
    EXPECT_TRUE(Has(BoxCapture::texts[0], "one.stg4")) << BoxCapture::texts[0];
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 1);
    Press(map, INPUT_UP, 0);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 0);
    Press(map, 0, 1);  // "play" without a stage loaded only leaves the question
    EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_MAP);
    EXPECT_EQ(SceneManager.m_nNextScene, -1);
    EXPECT_EQ(MenuCursor.m_Levels.size(), 1u);
    EXPECT_EQ(Column(), 3);

    GameProgress.m_ClearFlags[1] = 1;
    Press(map, INPUT_LEFT, 0);
    EXPECT_EQ(Column(), 2);
    Press(map, 0, 1);
    EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_MAP);
    GameProgress.m_ClearFlags[1] = 0;

    cWorldMapScene passable;
    Open(passable, 5, 1);
    EXPECT_EQ(passable.m_nState, cWorldMapScene::STATE_MAP);
    Press(passable, 0, 0);
    EXPECT_EQ(passable.m_nState, cWorldMapScene::STATE_MAP);
    Press(passable, 0, 1);
    EXPECT_EQ(passable.m_nState, cWorldMapScene::STATE_CONFIRM);
    Press(passable, 0, 2);
    EXPECT_EQ(passable.m_nState, cWorldMapScene::STATE_MAP);
    EXPECT_EQ(Column(), 5);
    EXPECT_EQ(BoxCapture::texts.size(), 2u);
    BoxCapture::texts.clear();
}

// Choosing the stage hands over to stage play with the progress set for it.
TEST_F(WorldMapScreenTest, EnteringAStageHandsOverToStagePlay)
{
    WriteStage("data\\stg4\\one.stg4_003");
    SystemData.m_DefaultLives[PLAYMODE_STORY] = 4;
    SystemData.m_bStoryKeepLives = 0;
    GameProgress.m_nLives = 1;
    cWorldMapScene map;
    Open(map, 3, 1);
    Press(map, INPUT_LEFT, 0);
    ASSERT_EQ(map.m_nState, cWorldMapScene::STATE_CONFIRM);
    EXPECT_TRUE(BoxCapture::texts.empty());
    Press(map, INPUT_UP, 0);
    Inputs[0].m_wButtons = 1;
    map.Run();
    EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_FADEOUT);
    EXPECT_EQ(SceneManager.m_nNextScene, SCENE_STAGE);
    EXPECT_EQ(GameProgress.m_nMapX, 2);
    EXPECT_EQ(GameProgress.m_nMapFacing, cWorldMapScene::FACE_LEFT);
    EXPECT_EQ(GameProgress.m_nStageNo, 1);
    EXPECT_EQ(GameProgress.m_nArea, 1);
    EXPECT_EQ(GameProgress.m_nStartLives, 4);
    EXPECT_EQ(GameProgress.m_sStageKey, "data\\stg4\\one.");
    EXPECT_EQ(WorldMap.FindStageRef(GameProgress.m_nMapStageRef), &WorldMap.m_Points[0].m_Stages[0]);
    for (int k = 0; k < 100 && SceneManager.m_nCurrentScene != SCENE_STAGE; ++k) map.Run();
    EXPECT_EQ(SceneManager.m_nCurrentScene, SCENE_STAGE);
    EXPECT_EQ(SceneManager.m_nPreviousScene, SCENE_WORLDMAP);
}

// A walker standing on a stage that cannot be walked over starts it as soon
// as the map has faded in, except when coming from the world-map menu; a
// forced stage whose file is missing leaves the walker on the cell it came
// from instead of ending the game.
TEST_F(WorldMapScreenTest, ForcedStageStartsAfterTheFadeIn)
{
    WriteStage("data\\stg4\\one.stg4_000");
    struct Row {
        int previous;
        bool fileThere;
        int wantState, wantNext, wantX;
    };
    const Row table[] = {
        {SCENE_TITLE, true, cWorldMapScene::STATE_FADEOUT, SCENE_STAGE, 2},
        {SCENE_WORLDMAP_MENU, true, cWorldMapScene::STATE_MAP, -1, 2},
        {SCENE_TITLE, false, cWorldMapScene::STATE_MAP, -1, 3},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(t.previous * 10 + t.fileThere);
        if (!t.fileThere) DeleteFileA("data\\stg4\\one.stg4_000");
        BoxCapture::texts.clear();
        GameProgress.Reset();
        GameProgress.m_nMapSafeX = 3;
        GameProgress.m_nMapSafeY = 1;
        GameProgress.m_nMapX = 2;
        GameProgress.m_nMapY = 1;
        SceneManager.m_nPreviousScene = t.previous;
        SceneManager.m_nNextScene = -1;
        cWorldMapScene map;
        FadeIn(map);
        EXPECT_EQ(map.m_nState, t.wantState);
        EXPECT_EQ(SceneManager.m_nNextScene, t.wantNext);
        EXPECT_EQ(Column(), t.wantX);
        EXPECT_EQ(BoxCapture::texts.size(), t.fileThere ? 0u : 1u);
        if (!t.fileThere) {
            EXPECT_EQ(GameProgress.m_nMapX, 3);
            Press(map, 0, 0);
            EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_MAP);
        }
    }
    BoxCapture::texts.clear();
}

// Back from a stage given up: the walker stands again on the cell it came
// from while the stage is not cleared.
TEST_F(WorldMapScreenTest, BackFromALostStageReturnsToTheSafeCell)
{
    for (int cleared : {0, 1}) {
        SCOPED_TRACE(cleared);
        GameProgress.Reset();
        GameProgress.m_ClearFlags[1] = cleared;
        GameProgress.m_bBackFromStage = 1;
        GameProgress.m_nMapX = 2;
        GameProgress.m_nMapY = 1;
        GameProgress.m_nMapSafeX = 1;
        GameProgress.m_nMapSafeY = 1;
        SceneManager.m_nPreviousScene = SCENE_STAGE;
        cWorldMapScene map;
        FadeIn(map);
        EXPECT_EQ(GameProgress.m_bBackFromStage, 0);
        EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_MAP);
        EXPECT_EQ(Column(), cleared ? 2 : 1);
        Press(map, 0, 0);
        EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_MAP);
        EXPECT_EQ(map.m_nViewX, (cleared ? 2 : 1) - 9);
    }
}

// With automatic saving on, the map writes the slot in use when it opens
// after a stage, and only then: a slot saved before the stage is rewritten
// with the progress the stage's clear brought; coming from the menu leaves
// it as it was. A save that fails is reported and the slot list keeps what
// it showed.
TEST_F(WorldMapScreenTest, AutoSaveAfterAStage)
{
    SaveSlotList.assign(SAVE_SLOT_COUNT, cSaveSlotData());
    struct Row {
        int previous;
        bool folder;
        bool savedBefore;  // the slot holds the save made before the stage (lap 2, stage 1 not cleared)
        int wantLap;       // the lap the slot's file holds after; -1 no file
    };
    const Row table[] = {{SCENE_STAGE, true, false, 6},
                         {SCENE_STAGE, true, true, 6},
                         {SCENE_WORLDMAP_MENU, true, false, -1},
                         {SCENE_WORLDMAP_MENU, true, true, 2},
                         {SCENE_STAGE, false, false, -1}};
    for (const Row& t : table) {
        SCOPED_TRACE(t.previous * 100 + t.folder * 10 + t.savedBefore);
        DeleteFileA(GetStorySlotPath(3).c_str());
        if (!t.folder) RemoveDirectoryA("user_data\\story");
        SaveSlotList[3] = cSaveSlotData();
        if (t.savedBefore) {
            GameProgress.Reset();
            GameProgress.m_nLap = 2;
            ASSERT_EQ(GameProgress.SaveSlot(3), 1);
        }
        GameProgress.Reset();
        GameProgress.m_bAutoSave = 1;
        GameProgress.m_nSlot = 3;
        GameProgress.m_nLap = 6;
        GameProgress.m_ClearFlags[1] = 1;
        SceneManager.m_nPreviousScene = t.previous;
        cWorldMapScene map;
        Open(map, 1, 1);
        EXPECT_EQ(FileExists(GetStorySlotPath(3)), t.wantLap >= 0);
        EXPECT_EQ(SaveSlotList[3].m_bExists, t.wantLap >= 0 ? 1 : 0);
        EXPECT_EQ(Has(ReportText(), "セーブデータ 4"), !t.folder) << ReportText();
        if (t.wantLap >= 0) {
            cGameProgress read;
            ASSERT_TRUE(read.LoadFile(GetStorySlotPath(3)));
            EXPECT_EQ(read.m_nLap, t.wantLap);
            EXPECT_EQ(read.m_ClearFlags[1], t.wantLap == 6 ? 1 : 0);
        }
        CreateDirectoryA("user_data\\story", nullptr);
    }
}

// Cancel leaves for the world-map menu with the cell kept.
TEST_F(WorldMapScreenTest, CancelOpensTheMenu)
{
    cWorldMapScene map;
    Open(map, 0, 1);
    Press(map, INPUT_RIGHT, 0);
    Inputs[0].m_wButtons = 2;
    map.Run();
    EXPECT_EQ(map.m_nState, cWorldMapScene::STATE_FADEOUT);
    EXPECT_EQ(SceneManager.m_nNextScene, SCENE_WORLDMAP_MENU);
    EXPECT_EQ(GameProgress.m_nMapX, 1);
    EXPECT_EQ(GameProgress.m_nMapY, 1);
}

// Pictures of solid 32 by 32 cells, each cell a colour of its own: the
// sheet's tag in the blue byte, the cell's column and row in red and green.
uint32_t CellColour(int tag, int column, int row)
{
    return static_cast<uint32_t>((column + 1) * 40) << 16 | static_cast<uint32_t>((row + 1) * 40) << 8 |
           static_cast<uint32_t>(tag);
}

void WriteCellSheet(const std::string& path, int columns, int rows, int tag)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(columns * rows * 32 * 32));
    for (int y = 0; y < rows * 32; ++y)
        for (int x = 0; x < columns * 32; ++x)
            pixels[static_cast<size_t>(y * columns * 32 + x)] = CellColour(tag, x / 32, y / 32);
    WriteBmp(path, columns * 32, rows * 32, 24, pixels);
}

// The frame as the player sees it: the walker in the middle facing the way
// of its last step, the chips of the cells around it and the stage icon on
// its point. A refused step at the map's edge turns the walker and scrolls
// nothing; the next step scrolls the map under it by one cell.
TEST_F(WorldMapScreenTest, FrameShowsTheWalkerOverTheScrolledMap)
{
    DDUnInit();
    InitSurfaceParams();
    ASSERT_TRUE(DDInit(1, m_hWnd, 640, 480, 32, 0, 1, 1, 60, 0, SurfaceTables.Surface, SurfaceTables.SurfaceParam, SURFACE_COUNT, 0));
    DDSetTransmit(0xFF, 0x00, 0xFF);
    CreateDirectoryA("bmp", nullptr);
    WriteCellSheet("bmp\\Accessory.bmp", 4, 4, 0x11);
    WriteCellSheet("bmp\\WorldMapChip.bmp", 5, 2, 0x33);
    WriteCellSheet("bmp\\WorldEvent.bmp", 2, 2, 0x55);
    WriteCellSheet("bmp\\Window.bmp", 1, 1, 0x77);
    WriteCellSheet("bmp\\Symbol.bmp", 1, 1, 0x99);
    WorldMap.m_Chips[5].m_nPicture = 6;  // cell (1, 1) of the chip sheet
    const uint32_t road = CellColour(0x33, 1, 1), stage = CellColour(0x55, 0, 0);
    auto pixel = [](int x, int y) { return ReadPixel(&Display.BackBuffer, x, y) & 0xFFFFFF; };

    cWorldMapScene map;
    Open(map, 0, 1);
    ASSERT_TRUE(BoxCapture::texts.empty()) << BoxCapture::texts[0];
    Press(map, INPUT_LEFT, 0);
    EXPECT_EQ(pixel(300, 236), CellColour(0x11, 2, 3));  // facing left: accessory (64, 96)
    EXPECT_EQ(pixel(300 + 32, 236), road);
    EXPECT_EQ(pixel(300 + 64, 236), stage);
    EXPECT_NE(pixel(300 - 32, 236), road);  // left of the map's first column
    EXPECT_NE(pixel(300, 236 - 32), road);  // the wall chips above

    Press(map, INPUT_RIGHT, 0);
    EXPECT_EQ(pixel(300, 236), CellColour(0x11, 0, 3));  // facing right: accessory (0, 96)
    EXPECT_EQ(pixel(300 - 32, 236), road);
    EXPECT_EQ(pixel(300 + 32, 236), stage);
    EXPECT_NE(pixel(300 - 64, 236), road);

    // Saved into slot 1 from the menu, the game ended and continued from
    // that slot: the walker stands on the same cell facing the same way, and
    // the map looks as it did.
    const std::vector<uint32_t> before = ReadPixels(&Display.BackBuffer, 0, 0, 640, 480);
    Inputs[0].m_wButtons = 2;
    map.Run();
    Inputs[0].m_wButtons = 0;
    ASSERT_EQ(SceneManager.m_nNextScene, SCENE_WORLDMAP_MENU);
    const std::vector<cMenuItem> menuItems = SystemData.m_WorldMapMenu;
    for (cMenuItem& item : SystemData.m_WorldMapMenu) item.m_bVisible = 1;
    Inputs[0] = cInput();  // the cancel key let go
    Inputs[0].SetRepeat(18, 6);
    {
        cWorldMapMenuScene menu;
        menu.Init();
        menu.m_nState = cWorldMapMenuScene::STATE_MENU;
        Press2(menu, 0, 1);       // save into a slot
        Press2(menu, 0, 1);       // the first slot
        Press2(menu, INPUT_UP, 0);
        Press2(menu, 0, 1);       // "save"
    }
    SystemData.m_WorldMapMenu = menuItems;
    ASSERT_TRUE(FileExists(GetStorySlotPath(0)));
    GameProgress.Reset();
    ASSERT_EQ(GameProgress.LoadSlot(0), 1);
    EXPECT_EQ(GameProgress.m_nMapX, 1);
    EXPECT_EQ(GameProgress.m_nMapY, 1);
    EXPECT_EQ(GameProgress.m_nMapFacing, cWorldMapScene::FACE_RIGHT);
    EXPECT_EQ(GameProgress.m_nSlot, 0);
    cWorldMapScene continued;
    continued.Init();
    continued.m_nState = cWorldMapScene::STATE_MAP;
    EXPECT_EQ(MenuCursor.m_lpCurrent->nColumn, 1);
    for (int k = 0; k < 5; ++k) Press(continued, 0, 0);  // the walker on the same step of its animation
    EXPECT_EQ(ReadPixels(&Display.BackBuffer, 0, 0, 640, 480), before);
}

} // namespace
