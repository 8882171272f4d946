#include <gtest/gtest.h>
#include <windows.h>

#include "app/system/input.h"
#include "app/shell/scene_manager.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "scenes/menu_cursor.h"
#include "scenes/title_scene.h"
#include "scenes/world_map_menu_scene.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"
#include "tests/support/test_dir.h"

namespace {

// The world-map menu stepped frame by frame with scripted input; every item
// shown, so row n is item n.
class WorldMapMenuScreenTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        CreateDirectoryA("user_data", nullptr);
        CreateDirectoryA("user_data\\story", nullptr);
        m_SavedMenu = SystemData.m_WorldMapMenu;
        for (cMenuItem& item : SystemData.m_WorldMapMenu) item.m_bVisible = 1;
        GameProgress.Reset();
        SaveSlotList.assign(SAVE_SLOT_COUNT, cSaveSlotData());
        SceneManager.m_nNextScene = -1;
    }
    void TearDown() override
    {
        SystemData.m_WorldMapMenu = m_SavedMenu;
        MenuScreenTest::TearDown();
    }
    void Open(cWorldMapMenuScene& menu)
    {
        menu.Init();
        menu.m_nState = cWorldMapMenuScene::STATE_MENU;
    }
    void Choose(cWorldMapMenuScene& menu, int item)
    {
        for (int k = 0; k < item; ++k) Press(menu, INPUT_DOWN, 0);
        Press(menu, 0, 1);
    }

    std::vector<cMenuItem> m_SavedMenu;
};

// Saving into the fourth slot: the file holds the game with that slot in
// use; opening the item again puts that slot on the top row with the cursor
// on it. Without a file written the slot in use stays as it was.
TEST_F(WorldMapMenuScreenTest, SaveIntoAChosenSlot)
{
    cWorldMapMenuScene menu;
    Open(menu);
    Choose(menu, cWorldMapMenuScene::ITEM_SAVE_SLOT);
    ASSERT_EQ(menu.m_nState, cWorldMapMenuScene::STATE_SAVE_SLOT);
    EXPECT_EQ(menu.m_nSlotOffset, 0);  // no slot yet: the list from the top
    for (int k = 0; k < 3; ++k) Press(menu, INPUT_DOWN, 0);
    Press(menu, 0, 1);
    EXPECT_EQ(MenuCursor.m_Levels.size(), 3u);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 1);  // the question starts on "no"
    Press(menu, INPUT_UP, 0);
    GameProgress.m_nLap = 4;
    Press(menu, 0, 1);
    EXPECT_EQ(GameProgress.m_nSlot, 3);
    EXPECT_EQ(SaveSlotList[3].m_bExists, 1);
    cGameProgress read;
    ASSERT_TRUE(read.LoadFile(GetStorySlotPath(3)));
    EXPECT_EQ(read.m_nSlot, 3);
    EXPECT_EQ(read.m_nLap, 4);
    EXPECT_EQ(MenuCursor.m_Levels.size(), 2u);

    Press(menu, 0, 2);
    EXPECT_EQ(menu.m_nState, cWorldMapMenuScene::STATE_MENU);
    Press(menu, 0, 1);
    ASSERT_EQ(menu.m_nState, cWorldMapMenuScene::STATE_SAVE_SLOT);
    EXPECT_EQ(menu.m_nSlotOffset, 3);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 3);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nY, 160);

    // The folder gone: the save fails, is reported, and nothing changes.
    DeleteFileA(GetStorySlotPath(3).c_str());
    ASSERT_TRUE(RemoveDirectoryA("user_data\\story"));
    Press(menu, INPUT_DOWN, 0);
    Press(menu, 0, 1);
    Press(menu, INPUT_UP, 0);
    Press(menu, 0, 1);
    EXPECT_EQ(GameProgress.m_nSlot, 3);
    EXPECT_EQ(SaveSlotList[4].m_bExists, 0);
    EXPECT_TRUE(Has(ReportText(), "セーブデータ 5")) << ReportText();
}

// A story saved into slot 1 from the menu, the program started anew (no
// progress, the slot list unread), continued from slot 1 on the title: the
// walker's cell and facing are back, and the slot is in use. Saved again
// into slot 2 (the list opens on the slot in use), that file holds the same
// cell. The cell lies inside the world map in place, as a read keeps it.
TEST_F(WorldMapMenuScreenTest, AStorySavedContinuedAfterARestartAndSavedAgainKeepsTheWalkersCell)
{
    GameProgress.m_nMapX = 11;
    GameProgress.m_nMapY = 12;
    GameProgress.m_nMapFacing = 2;
    cWorldMapMenuScene menu;
    Open(menu);
    Choose(menu, cWorldMapMenuScene::ITEM_SAVE_SLOT);
    Press(menu, 0, 1);         // slot 1, a game never saved
    Press(menu, INPUT_UP, 0);  // the question: yes
    Press(menu, 0, 1);
    ASSERT_EQ(GameProgress.m_nSlot, 0);

    GameProgress.Reset();
    SaveSlotList.assign(SAVE_SLOT_COUNT, cSaveSlotData());
    MenuCursor.Reset();
    SceneManager.nGameKind = 0;
    cTitleScene title;
    title.Init();
    title.m_nState = cTitleScene::STATE_MENU;
    Press(title, INPUT_DOWN, 0);
    Press(title, 0, 1);
    ASSERT_EQ(title.m_nState, cTitleScene::STATE_LOADSLOT);
    Press(title, 0, 1);
    EXPECT_EQ(SceneManager.m_nNextScene, SCENE_WORLDMAP);
    EXPECT_EQ(GameProgress.m_nMapX, 11);
    EXPECT_EQ(GameProgress.m_nMapY, 12);
    EXPECT_EQ(GameProgress.m_nMapFacing, 2);
    EXPECT_EQ(GameProgress.m_nSlot, 0);

    MenuCursor.Reset();
    SceneManager.m_nNextScene = -1;
    cWorldMapMenuScene again;
    Open(again);
    Choose(again, cWorldMapMenuScene::ITEM_SAVE_SLOT);
    Press(again, INPUT_DOWN, 0);
    Press(again, 0, 1);
    Press(again, INPUT_UP, 0);
    Press(again, 0, 1);
    cGameProgress second;
    ASSERT_TRUE(second.LoadFile(GetStorySlotPath(1)));
    EXPECT_EQ(second.m_nMapX, 11);
    EXPECT_EQ(second.m_nMapY, 12);
    EXPECT_EQ(second.m_nMapFacing, 2);
    EXPECT_EQ(second.m_nSlot, 1);
}

// The current-slot item: a notice without a slot; with one, the question
// starts on the switch as it stands, and "on" saves at once.
TEST_F(WorldMapMenuScreenTest, SaveIntoTheCurrentSlot)
{
    cWorldMapMenuScene menu;
    Open(menu);
    Choose(menu, cWorldMapMenuScene::ITEM_SAVE_CURRENT);
    EXPECT_EQ(menu.m_nState, cWorldMapMenuScene::STATE_SAVE_CURRENT);
    EXPECT_EQ(menu.m_nSubState, 2);
    Press(menu, 0, 1);
    EXPECT_EQ(menu.m_nState, cWorldMapMenuScene::STATE_MENU);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 1);

    struct Row {
        int autoSave, presses, wantRow, wantAutoSave;
        bool wantFile;
    };
    const Row table[] = {{1, 0, 0, 1, true}, {0, 0, 1, 0, false}, {0, 1, 1, 1, true}};
    for (const Row& t : table) {
        SCOPED_TRACE(t.autoSave * 10 + t.presses);
        DeleteFileA(GetStorySlotPath(7).c_str());
        GameProgress.m_nSlot = 7;
        GameProgress.m_bAutoSave = t.autoSave;
        cWorldMapMenuScene again;
        Open(again);
        Choose(again, cWorldMapMenuScene::ITEM_SAVE_CURRENT);
        ASSERT_EQ(again.m_nSubState, 1);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.wantRow);
        for (int k = 0; k < t.presses; ++k) Press(again, INPUT_UP, 0);
        Press(again, 0, 1);
        EXPECT_EQ(again.m_nState, cWorldMapMenuScene::STATE_MENU);
        EXPECT_EQ(GameProgress.m_bAutoSave, t.wantAutoSave);
        EXPECT_EQ(FileExists(GetStorySlotPath(7)), t.wantFile);
        if (t.wantFile) {
            cGameProgress read;
            ASSERT_TRUE(read.LoadFile(GetStorySlotPath(7)));
            EXPECT_EQ(read.m_bAutoSave, 1);
        }
    }
}

// Back to the map by its item or by cancel; quitting to the title asks first
// and saves nothing.
TEST_F(WorldMapMenuScreenTest, BackAndQuit)
{
    struct Row {
        int item, buttons, ups, wantNext;
    };
    const Row table[] = {
        {0, 2, 0, SCENE_WORLDMAP},
        {cWorldMapMenuScene::ITEM_BACK_TO_MAP, 1, 0, SCENE_WORLDMAP},
        {cWorldMapMenuScene::ITEM_QUIT_TO_TITLE, 1, 1, SCENE_TITLE},
        {cWorldMapMenuScene::ITEM_QUIT_TO_TITLE, 1, 0, -1},  // "no" keeps the menu
    };
    for (const Row& t : table) {
        SCOPED_TRACE(t.item * 10 + t.ups);
        SceneManager.m_nNextScene = -1;
        GameProgress.m_nSlot = 2;
        cWorldMapMenuScene menu;
        Open(menu);
        if (t.buttons == 2) {
            Press(menu, 0, 2);
        } else {
            Choose(menu, t.item);
            if (t.item == cWorldMapMenuScene::ITEM_QUIT_TO_TITLE) {
                EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 1);
                for (int k = 0; k < t.ups; ++k) Press(menu, INPUT_UP, 0);
                Inputs[0].m_wButtons = 1;
                menu.Run();
                Inputs[0].m_wButtons = 0;
            }
        }
        EXPECT_EQ(SceneManager.m_nNextScene, t.wantNext);
        EXPECT_EQ(menu.m_nState,
                  t.wantNext == -1 ? cWorldMapMenuScene::STATE_MENU : cWorldMapMenuScene::STATE_FADEOUT);
        EXPECT_FALSE(FileExists(GetStorySlotPath(2)));
    }
}

} // namespace
