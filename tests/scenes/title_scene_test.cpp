#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/shell/scene_manager.h"
#include "app/shell/window_requests.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "scenes/file_request.h"
#include "scenes/menu_cursor.h"
#include "scenes/title_scene.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

// The title on a real display, stepped frame by frame with scripted input of
// player 1; each press is followed by a frame without input, as a key is
// let go. The pictures are missing, so only the menu's logic is seen.
class TitleTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        m_SavedMenu = SystemData.m_TitleMenu;
        m_SavedLives = SystemData.m_DefaultLives;
        m_SavedInfinite = SystemData.m_InfiniteLives;
        SceneManager.nGameKind = 0;
        SceneManager.m_nNextScene = -1;
    }
    void TearDown() override
    {
        SystemData.m_TitleMenu = m_SavedMenu;
        SystemData.m_DefaultLives = m_SavedLives;
        SystemData.m_InfiniteLives = m_SavedInfinite;
        MenuScreenTest::TearDown();
    }
    // A title past its fade-in, waiting in its menu.
    void Open(cTitleScene& title)
    {
        title.Init();
        title.m_nState = cTitleScene::STATE_MENU;
    }

    std::vector<cMenuItem> m_SavedMenu;
    std::vector<int32_t> m_SavedLives, m_SavedInfinite;
};

// With continue and replay hidden the menu has five rows standing for the
// kinds 0, 2, 3, 5, 6; the rows that need no dialog are chosen here.
TEST_F(TitleTest, RowsStandForTheShownItems)
{
    SystemData.m_TitleMenu[1].m_bVisible = 0;
    SystemData.m_TitleMenu[4].m_bVisible = 0;
    SystemData.m_nChallengeCount = 6;
    struct Row {
        int downs, kind, next, playMode, state;
    };
    const Row table[] = {
        {0, 0, SCENE_WORLDMAP, 0, cTitleScene::STATE_FADEOUT},
        {1, 2, SCENE_CHALLENGE, 1, cTitleScene::STATE_FADEOUT},
        {3, 5, SCENE_OPTION, -1, cTitleScene::STATE_FADEOUT},
        {4, 6, -1, -1, cTitleScene::STATE_MENU},   // exit only asks the window to close
        {5, 0, SCENE_WORLDMAP, 0, cTitleScene::STATE_FADEOUT},  // down from the last row comes round
    };
    for (const Row& t : table) {
        SCOPED_TRACE(t.downs);
        SceneManager.nGameKind = 0;
        SceneManager.m_nNextScene = -1;
        SceneManager.m_nPlayMode = -1;
        cTitleScene title;
        Open(title);
        EXPECT_EQ(title.m_nVisibleCount, 5);
        for (int k = 0; k < t.downs; ++k) Press(title, INPUT_DOWN, 0);
        Press(title, 0, 1);
        EXPECT_EQ(SceneManager.nGameKind, t.kind);
        EXPECT_EQ(SceneManager.m_nNextScene, t.next);
        EXPECT_EQ(SceneManager.m_nPlayMode, t.playMode);
        EXPECT_EQ(title.m_nState, t.state);
        // No challenge file: a fresh challenge game with one record per challenge.
        if (t.kind == 2) {
            EXPECT_EQ(GameProgress.m_ChallengeRecords.size(), 6u);
        }
    }
}

// Coming back, the cursor stands on the item chosen last, or on the row of
// that number when the item is hidden, or on the first row.
TEST_F(TitleTest, CursorReturnsToTheLastChoice)
{
    SystemData.m_TitleMenu[1].m_bVisible = 0;
    SystemData.m_TitleMenu[4].m_bVisible = 0;
    struct Row {
        int lastKind, row;
    };
    const Row table[] = {{2, 1}, {5, 3}, {6, 4}, {1, 1}, {4, 4}};
    for (const Row& t : table) {
        SCOPED_TRACE(t.lastKind);
        SceneManager.nGameKind = t.lastKind;
        cTitleScene title;
        Open(title);
        Press(title, 0, 0);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.row);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nY, 240 + 32 * t.row);
    }
    SystemData.m_TitleMenu.assign(7, cMenuItem(0, "x"));
    SceneManager.nGameKind = 6;  // nothing shown: new story alone, the cursor past it comes back to it
    cTitleScene title;
    Open(title);
    EXPECT_EQ(title.m_nVisibleCount, 1);
    Press(title, 0, 1);
    EXPECT_EQ(SceneManager.nGameKind, 0);
}

TEST_F(TitleTest, NewGameStartsOnTheMapWithTheStoryLives)
{
    const int startX = WorldMap.m_nStartX, startY = WorldMap.m_nStartY;
    WorldMap.m_nStartX = 12;
    WorldMap.m_nStartY = 5;
    struct Row {
        int infinite, lives, wantStart, wantLives;
    };
    const Row table[] = {{0, 4, 4, 3}, {1, 4, 999999, 999999}};
    for (const Row& t : table) {
        SystemData.m_InfiniteLives[0] = t.infinite;
        SystemData.m_DefaultLives[0] = t.lives;
        GameProgress.m_nLap = 7;
        GameProgress.m_CommonVars[3] = 9;
        cTitleScene title;
        Open(title);
        Press(title, 0, 1);
        EXPECT_EQ(SceneManager.m_nNextScene, SCENE_WORLDMAP);
        EXPECT_EQ(GameProgress.m_nMapX, 12);
        EXPECT_EQ(GameProgress.m_nMapY, 5);
        EXPECT_EQ(GameProgress.m_nLap, 0);
        EXPECT_EQ(GameProgress.m_CommonVars[3], 0);
        EXPECT_EQ(GameProgress.m_nStartLives, t.wantStart);
        EXPECT_EQ(GameProgress.m_nLives, t.wantLives);
    }
    WorldMap.m_nStartX = startX;
    WorldMap.m_nStartY = startY;
}

// Continue lists the 99 slots; an empty or damaged slot is refused and the
// list stays open; a good one is loaded; cancel brings the menu back with
// its cursor on continue.
TEST_F(TitleTest, ContinueLoadsOnlyAGoodSlot)
{
    CreateDirectoryA("user_data", nullptr);
    CreateDirectoryA("user_data\\story", nullptr);
    GameProgress.Reset();
    GameProgress.m_nLap = 3;
    ASSERT_EQ(GameProgress.SaveSlot(2), 1);
    ASSERT_TRUE(WriteFileText(GetStorySlotPath(1), "damaged"));
    GameProgress.Reset();

    cTitleScene title;
    Open(title);
    Press(title, INPUT_DOWN, 0);
    Press(title, 0, 1);
    ASSERT_EQ(title.m_nState, cTitleScene::STATE_LOADSLOT);
    EXPECT_EQ(MenuCursor.m_Levels.size(), 2u);
    EXPECT_EQ(SaveSlotList.size(), 99u);
    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        Press(title, 0, 1);
        EXPECT_EQ(title.m_nState, cTitleScene::STATE_LOADSLOT);
        EXPECT_EQ(GameProgress.m_nLap, 0);
        Press(title, INPUT_DOWN, 0);
    }
    EXPECT_EQ(MenuCursor.m_lpCurrent->nY, 160 + 16 * 2);
    Press(title, 0, 2);
    EXPECT_EQ(title.m_nState, cTitleScene::STATE_MENU);
    EXPECT_EQ(MenuCursor.m_Levels.size(), 1u);
    EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, 1);

    Press(title, 0, 1);
    ASSERT_EQ(title.m_nState, cTitleScene::STATE_LOADSLOT);
    Press(title, INPUT_DOWN, 0);
    Press(title, INPUT_DOWN, 0);
    Press(title, 0, 1);
    EXPECT_EQ(title.m_nState, cTitleScene::STATE_FADEOUT) << ReportText();
    EXPECT_EQ(SceneManager.m_nNextScene, SCENE_WORLDMAP);
    EXPECT_EQ(GameProgress.m_nLap, 3);
}

// The window thread as the title's file requests see it: each request is
// answered with the scripted outcome, and the sounds asked for are kept.
struct FileRequestWindow {
    static inline int outcome = FILE_REQUEST_CANCELLED;
    static inline std::vector<UINT> requests;
    static inline std::vector<WPARAM> sounds;
    static LRESULT CALLBACK Serve(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_GAME_LOADSTAGE || message == WM_GAME_LOADREPLAY) {
            requests.push_back(message);
            WindowReplies.bDialogLoaded = outcome == FILE_REQUEST_LOADED;
            WindowReplies.bDialogRefused = outcome == FILE_REQUEST_REFUSED;
            WindowReplies.bDialogDone = 1;
            return 0;
        }
        if (message == WM_GAME_PLAYSE) {
            sounds.push_back(wParam);
            return 0;
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    FileRequestWindow()
    {
        requests.clear();
        sounds.clear();
        SetWindowLongPtrA(main.sink.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Serve));
    }
    ScopedMainWindow main;
};

// The stage-file and replay items ask the window thread for a file: a loaded
// one starts the stage; a refused one (the box has said why) is heard with
// sound 3 and the title stays in its menu, as after a cancel.
TEST_F(TitleTest, FileItemsPlayOnlyALoadedFile)
{
    struct Row {
        int downs, outcome;
        UINT request;
        std::vector<WPARAM> sounds;
        int state, next;
    };
    const Row table[] = {
        {3, FILE_REQUEST_LOADED, WM_GAME_LOADSTAGE, {1}, cTitleScene::STATE_FADEOUT, SCENE_STAGE},
        {3, FILE_REQUEST_REFUSED, WM_GAME_LOADSTAGE, {1, 3}, cTitleScene::STATE_MENU, -1},
        {3, FILE_REQUEST_CANCELLED, WM_GAME_LOADSTAGE, {1}, cTitleScene::STATE_MENU, -1},
        {4, FILE_REQUEST_LOADED, WM_GAME_LOADREPLAY, {1}, cTitleScene::STATE_FADEOUT, SCENE_STAGE},
        {4, FILE_REQUEST_REFUSED, WM_GAME_LOADREPLAY, {1, 3}, cTitleScene::STATE_MENU, -1},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << t.downs << " " << t.outcome);
        FileRequestWindow window;
        FileRequestWindow::outcome = t.outcome;
        SceneManager.nGameKind = 0;  // the cursor starts on the first row
        SceneManager.m_nNextScene = -1;
        cTitleScene title;
        Open(title);
        for (int k = 0; k < t.downs; ++k) Press(title, INPUT_DOWN, 0);
        FileRequestWindow::sounds.clear();  // the cursor's moves
        Press(title, 0, 1);
        EXPECT_EQ(FileRequestWindow::requests, std::vector<UINT>{t.request});
        EXPECT_EQ(FileRequestWindow::sounds, t.sounds);
        EXPECT_EQ(title.m_nState, t.state);
        EXPECT_EQ(SceneManager.m_nNextScene, t.next);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.downs);
    }
}

} // namespace
