// The ranking entry of a cleared stage on real threads: the game thread asks
// for the name, the window thread (the test's own) shows the name dialog,
// which the test answers; the result is inserted and saved, and the board runs
// on its own thread until the player leaves it or the window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/system/resource_ids.h"
#include "app/shell/scene_manager.h"
#include "app/system/thread.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/system_data.h"
#include "records/data_record.h"
#include "stage/scene/stage_scene.h"
#include "tests/app/dialog_driver.h"
#include "tests/support/box_capture.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"
#include "tests/support/wait_until.h"

namespace {

const char TEST_CLASS[] = "RankingEntryTest";
const char STAGE_NAME[] = "data\\stg4\\Meadow.stg4_001";

// What reached the window thread: the sounds asked for, the closes posted.
std::mutex Lock;
std::vector<int> Sounds;
bool bServeClose = false;
int nCloses = 0;

std::vector<int> SoundsHeard()
{
    std::lock_guard<std::mutex> hold(Lock);
    return Sounds;
}

LRESULT CALLBACK TestProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GAME_PLAYSE) {
        std::lock_guard<std::mutex> hold(Lock);
        Sounds.push_back(static_cast<int>(wParam));
        return 0;
    }
    // The game stays the active application: the hidden window's activation
    // changes that the dialog brings about would put the board to sleep.
    if (message == WM_ACTIVATEAPP) return 0;
    if (message == WM_CLOSE && !bServeClose) {
        ++nCloses;
        return 0;
    }
    return MainWindow.WndProc(hWnd, message, wParam, lParam);
}

// The keyboard as the board reads it: Z confirms, V changes the genre. F is
// the last key a frame reads: its reads count the frames whose keys are in.
std::atomic<int> nKeysDown{0};
std::atomic<int> nFramesRead{0};
SHORT WINAPI ReadKey(int key)
{
    const int down = nKeysDown;
    const bool held = (key == 'Z' && (down & 1)) || (key == 'V' && (down & 8));
    if (key == 'F') ++nFramesRead;
    return held ? static_cast<SHORT>(0x8000) : 0;
}

MMRESULT WINAPI NoJoystick(UINT, JOYINFOEX*)
{
    return JOYERR_UNPLUGGED;
}

// Waits for the ranking board's first frame (only the board reads keys
// here); false when it never came. The board has set the genre it opens on
// before it.
bool WaitForBoard()
{
    return WaitUntil([] { return nFramesRead > 0; });
}

// Waits until frames more frames of the board have read the keys as they
// are now, or the board has ended. The frame under way as this starts may
// have read some keys before the change: it is not counted.
bool BoardFrames(int frames)
{
    const int from = nFramesRead;
    return WaitUntil([&] { return nFramesRead > from + frames || !Threads.thRanking.m_hThread; });
}

// Holds the keys for two frames of the board, then lets go for two.
// A press that ends the board ends the wait too.
void Press(int keys)
{
    nKeysDown = keys;
    BoardFrames(2);
    nKeysDown = 0;
    BoardFrames(2);
}

unsigned __stdcall EnterRankingThread(void*)
{
    lpStageScene->EnterRanking();
    return 0;
}

class RankingEntryTest : public ::testing::Test {
protected:
    RankingEntryTest()
        : m_Keys(lpReadKey, ReadKey), m_Joystick(lpReadJoystick, NoJoystick), m_Scene(lpStageScene, &m_Stage),
          m_Rate(SceneManager.FrameRate, 60), m_System(SystemData, SystemData), m_Options(Options, Options),
          m_Progress(GameProgress, GameProgress)
    {
    }

    void SetUp() override
    {
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        RecordContext.nDataVersion = DATA_VERSION;
        for (const char* folder : {"user_data", "user_data\\free"}) CreateDirectoryA(folder, nullptr);
        m_hWnd = CreateGameMainWindow(TEST_CLASS, TestProc);
        ASSERT_NE(m_hWnd, nullptr);
        MainWindow.bAppActive = 1;
        Sounds.clear();
        bServeClose = false;
        nCloses = 0;
        nKeysDown = 0;
        nFramesRead = 0;
        Inputs.assign(1, cInput());

        // A stage file played with rankings on and the name asked for.
        SceneManager.nGameKind = 3;
        SceneManager.m_nPlayMode = PLAYMODE_FREE;
        SceneManager.m_bRankingOn = 1;
        // As the screen takes them at the start of its frame.
        StageHost().ReadModes(m_Stage.m_Modes);
        SystemData = cSystemData();
        SystemData.m_ModeSettings[PLAYMODE_FREE].m_bRanking = 1;
        SystemData.m_ModeSettings[PLAYMODE_FREE].m_Genres = {1, 0, 1, 0, 0};
        Options.m_nRankingMode = 0;
        GameProgress.Reset();
        GameProgress.SetStageName(STAGE_NAME);
        GameProgress.m_sPlayerName = "OLD";
        RankingSet.Reset();
        RankingSet.m_Rankings[0].Insert("AAA", 900);
        RankingSet.m_Rankings[0].Insert("BBB", 300);
        RankingSet.m_Rankings[2].Insert("CCC", 4000);
        // Score 500 takes second place; a clear time of 5000 (lower is better) second too.
        m_Stage.m_RankValue = {500, 0, 5000, 0, 0};
        m_Stage.m_RankPos = {RankingSet.m_Rankings[0].FindRank(500), -1, RankingSet.m_Rankings[2].FindRank(5000),
                             -1, -1};
        m_Stage.m_bRankingAllowed = 1;
    }

    void TearDown() override
    {
        nKeysDown = 0;
        Threads.thRanking.Exit();
        Threads.thGame.Exit();
        if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
        hMainWnd = nullptr;
        MainWindow.m_hWnd = nullptr;
        RankingSet.Reset();
        GameProgress.Reset();
    }

    // The stage's ranking entry on thGame while this thread serves the window;
    // false when it has not ended within a minute.
    bool EnterFromGameThread()
    {
        if (!Threads.thGame.Start(EnterRankingThread, nullptr)) return false;
        for (DWORD start = GetTickCount();;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            // A closed window ends the game thread itself (its handle then gone).
            HANDLE game = Threads.thGame.m_hThread;
            if (!game) return true;
            if (WaitForSingleObject(game, 0) != WAIT_TIMEOUT) break;
            if (GetTickCount() - start > 60000) return false;
            Sleep(1);
        }
        Threads.thGame.Wait();
        return true;
    }

    // The entries of a ranking as "name score", places in use only.
    static std::vector<std::string> Places(const cRanking& ranking)
    {
        std::vector<std::string> places;
        for (const cRankingEntry& e : ranking.m_Entries)
            if (e.m_bUsed) places.push_back(e.m_strName + " " + std::to_string(e.m_nScore));
        return places;
    }

    cStageScene m_Stage;
    ScopedTestDir m_Dir;
    ScopedSwap<decltype(lpReadKey)> m_Keys;
    ScopedSwap<decltype(lpReadJoystick)> m_Joystick;
    ScopedSwap<cStageScene*> m_Scene;
    ScopedSwap<int> m_Rate;
    ScopedSwap<cSystemData> m_System;
    ScopedSwap<cOptionData> m_Options;
    ScopedSwap<cGameProgress> m_Progress;
    HWND m_hWnd = nullptr;
};

// Works the board from a thread of its own once it shows: the genre key,
// then (unless told otherwise) the confirm button.
class BoardPlayer {
public:
    explicit BoardPlayer(bool confirm, HWND closeWindow = nullptr) : m_bConfirm(confirm), m_hClose(closeWindow)
    {
        m_hThread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~BoardPlayer()
    {
        WaitForSingleObject(m_hThread, 60000);
        CloseHandle(m_hThread);
    }
    std::atomic<int> nGenreShown{-1}, nGenreStepped{-1};
    std::atomic<bool> bShown{false};

private:
    static DWORD WINAPI Run(void* p)
    {
        auto* self = static_cast<BoardPlayer*>(p);
        if (!WaitForBoard()) return 1;
        self->bShown = true;
        self->nGenreShown = GameProgress.m_nRankingGenre;
        Press(8);
        self->nGenreStepped = GameProgress.m_nRankingGenre;
        if (self->m_hClose)
            PostMessageA(self->m_hClose, WM_CLOSE, 0, 0);
        else if (self->m_bConfirm)
            Press(1);
        return 0;
    }
    bool m_bConfirm;
    HWND m_hClose;
    HANDLE m_hThread = nullptr;
};

TEST_F(RankingEntryTest, TheNameAskedOnTheWindowThreadIsRankedSavedAndShownUntilConfirmed)
{
    struct ROW {
        bool bConfirm;        // the dialog's OK; else it is closed
        const char* lpName;   // the name the entry is made with
    };
    const ROW rows[] = {{true, "NEW"}, {false, "OLD"}};
    const DWORD windowThread = GetCurrentThreadId();
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.lpName);
        GameProgress.m_sPlayerName = "OLD";
        GameProgress.m_nRankingGenre = 1;   // a genre the mode does not rank
        m_Stage.m_bRankingEntered = 0;
        RankingSet.Reset();
        RankingSet.m_Rankings[0].Insert("AAA", 900);
        RankingSet.m_Rankings[0].Insert("BBB", 300);
        RankingSet.m_Rankings[2].Insert("CCC", 4000);
        Sounds.clear();
        nFramesRead = 0;
        std::string shownName;
        {
            DialogWorker dialog(windowThread, [&](HWND box) {
                HWND edit = GetDlgItem(box, IDC_NAME_EDIT);
                shownName = WindowText(edit);
                SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("NEW"));
                if (row.bConfirm)
                    ClickButton(box, IDC_CONFIRM);
                else
                    PostMessageA(box, WM_CLOSE, 0, 0);
            });
            BoardPlayer board(true);
            ASSERT_TRUE(EnterFromGameThread());
            EXPECT_TRUE(dialog.Found());
            EXPECT_TRUE(board.bShown);
            // The board opens on the next genre the mode ranks; V steps on, round to the first.
            EXPECT_EQ(board.nGenreShown, 2);
            EXPECT_EQ(board.nGenreStepped, 0);
        }
        EXPECT_EQ(shownName, "OLD");
        EXPECT_EQ(GameProgress.m_sPlayerName, row.lpName);
        // The entry sound, the genre change, the board left.
        EXPECT_EQ(SoundsHeard(), (std::vector<int>{16, 6, 1}));
        const std::string name = row.lpName;
        const std::vector<std::string> scores = {"AAA 900", name + " 500", "BBB 300"};
        const std::vector<std::string> times = {"CCC 4000", name + " 5000"};
        EXPECT_EQ(Places(RankingSet.m_Rankings[0]), scores);
        EXPECT_EQ(Places(RankingSet.m_Rankings[2]), times);
        EXPECT_TRUE(Places(RankingSet.m_Rankings[1]).empty());
        // The file holds what the board showed.
        cRankingSet saved;
        ASSERT_EQ(LoadRankingFile(saved, PLAYMODE_FREE, GameProgress.m_sStageKey), 1);
        EXPECT_EQ(Places(saved.m_Rankings[0]), scores);
        EXPECT_EQ(Places(saved.m_Rankings[2]), times);
        EXPECT_EQ(m_Stage.m_bRankingEntered, 1);
        EXPECT_EQ(Threads.thRanking.m_hThread, nullptr);
        EXPECT_EQ(nCloses, 0);
    }
}

// The window closed while the board shows: the board ends at once (no
// leaving sound), the entry made before it stays, and nothing waits for ever.
TEST_F(RankingEntryTest, ClosingTheWindowEndsTheBoard)
{
    Options.m_nRankingMode = 1;   // the fixed name: no dialog
    Options.m_sRankingName = "FIX";
    bServeClose = true;
    {
        BoardPlayer board(false, m_hWnd);
        ASSERT_TRUE(EnterFromGameThread());
        EXPECT_TRUE(board.bShown);
    }
    EXPECT_EQ(SoundsHeard(), (std::vector<int>{16, 6}));
    EXPECT_FALSE(IsWindow(m_hWnd));
    EXPECT_EQ(Threads.thRanking.m_hThread, nullptr);
    cRankingSet saved;
    ASSERT_EQ(LoadRankingFile(saved, PLAYMODE_FREE, GameProgress.m_sStageKey), 1);
    EXPECT_EQ(Places(saved.m_Rankings[0]), (std::vector<std::string>{"AAA 900", "FIX 500", "BBB 300"}));
}

// A ranking file that cannot be written is explained in a box; the entry and
// the board go on.
TEST_F(RankingEntryTest, AFailedSaveIsReportedAndTheBoardStillShows)
{
    Options.m_nRankingMode = 3;   // the fixed name, entered by itself
    Options.m_sRankingName = "FIX";
    // The folder the file goes to is gone.
    ASSERT_TRUE(RemoveDirectoryA("user_data\\free"));
    BoxCapture boxes;
    {
        BoardPlayer board(true);
        ASSERT_TRUE(EnterFromGameThread());
        EXPECT_TRUE(board.bShown);
    }
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("ランキングの保存に失敗しました"), std::string::npos) << boxes.texts[0];
    EXPECT_EQ(Places(RankingSet.m_Rankings[0]), (std::vector<std::string>{"AAA 900", "FIX 500", "BBB 300"}));
    EXPECT_EQ(SoundsHeard(), (std::vector<int>{16, 6, 1}));
    EXPECT_EQ(m_Stage.m_bRankingEntered, 1);
}

} // namespace
