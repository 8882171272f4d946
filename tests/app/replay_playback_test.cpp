// A play of the sample game recorded inside the running game and saved with
// F1: the game brought up as start-up brings it up, its first stage chosen
// from the title and played with scripted keys, then F1 through the save
// dialog, which proposes the stage's first replay name; the file holds the
// play. This thread is the window thread; the frames run on a game thread
// that it hands them to, so the dialogs, sounds and waits they ask for are
// served as in the game, and the dialogs are answered from a third thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>

#include "app/game_init.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/shell/scene.h"
#include "app/shell/scene_manager.h"
#include "app/system/thread.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "scenes/menu_cursor.h"
#include "scenes/title_scene.h"
#include "stage/scene/stage_scene.h"
#include "tests/app/dialog_driver.h"
#include "tests/stage/play_snapshot.h"
#include "tests/support/box_capture.h"
#include "tests/support/game_folder.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"

namespace {

const char TEST_CLASS[] = "ReplayPlaybackWindow";
const char WINDOW_INI[] = "Direct3D=1\r\nWindowMode=1\r\nExit\r\n";
const char STAGE_PATH[] = "data\\stg4\\Meadow.stg4_001";
const char REPLAY_NAME[] = "Meadow_00.rpl4_708";
constexpr int PLAY_FRAMES = 120;

// The keyboard: the scripted direction and button words of player 1 and a
// single press of F1. While a wait holds the game (the pause loop's thread
// runs) the confirm key is pressed and let go by a helper instead, so that a
// message or picture never waits for ever.
std::atomic<int> nDirection{0}, nButtons{0}, bF1{0}, bWaitPress{0};

SHORT WINAPI ScriptedKey(int key)
{
    const SHORT down = static_cast<SHORT>(0x8000);
    if (key == VK_F1) return bF1.exchange(0) ? down : 0;
    if (Threads.thPause.m_hThread) return key == 'Z' && bWaitPress ? down : 0;
    const int d = nDirection, b = nButtons;
    switch (key) {
    case VK_LEFT: return (d & INPUT_LEFT) ? down : 0;
    case VK_RIGHT: return (d & INPUT_RIGHT) ? down : 0;
    case VK_UP: return (d & INPUT_UP) ? down : 0;
    case VK_DOWN: return (d & INPUT_DOWN) ? down : 0;
    case 'Z': return (b & 1) ? down : 0;
    case 'X': return (b & 2) ? down : 0;
    default: return 0;
    }
}

MMRESULT WINAPI NoJoystick(UINT, JOYINFOEX*)
{
    return JOYERR_UNPLUGGED;
}

// The keys of play frame f: walking right with short stops, jumping, firing.
void ScriptKeys(int f)
{
    nDirection = (f / 50) % 4 == 3 ? 0 : INPUT_RIGHT;
    nButtons = (f % 30) < 8 ? 1 : (f % 23) < 3 ? 2 : 0;
}

// The file-name box of a common file dialog, filled with name, then OK.
void ChooseName(HWND dialog, const std::string& name, std::string* suggested)
{
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) box = GetDlgItem(dialog, edt1);
    if (suggested) *suggested = WindowText(box);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ClickButton(dialog, IDOK);
}

// A visible game window with its dialogs: run while no other test reads the
// screen.
class ReplayPlaybackOnDesktop : public ::testing::Test {
protected:
    ReplayPlaybackOnDesktop() : m_Keys(lpReadKey, ScriptedKey), m_Joystick(lpReadJoystick, NoJoystick) {}

    void SetUp() override
    {
        ASSERT_TRUE(LayOutSampleGame());
        ASSERT_TRUE(WriteFileText("System.ini", WINDOW_INI));
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        ASSERT_NE(CreateGameMainWindow(TEST_CLASS, WndProc), nullptr);
        // Boxes are caught, not shown: the test folder has no music player
        // library, and start-up says so in one.
        ASSERT_TRUE(InitGame("", SW_SHOWNOACTIVATE));
        m_bUp = true;
        m_hGo = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_hDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        ASSERT_TRUE(Threads.thGame.Start(GameThread, this));
        m_hWaitPresser = CreateThread(nullptr, 0, PressDuringWaits, this, 0, nullptr);
    }

    void TearDown() override
    {
        m_bDone = true;
        if (m_hWaitPresser) {
            WaitForSingleObject(m_hWaitPresser, 10000);
            CloseHandle(m_hWaitPresser);
        }
        if (Threads.thGame.m_hThread) {
            m_Job = nullptr;
            SetEvent(m_hGo);
            Threads.thGame.Wait();
        }
        for (HANDLE event : {m_hGo, m_hDone})
            if (event) CloseHandle(event);
        if (m_bUp) UnInitGame();
        if (IsWindow(hMainWnd)) DestroyWindow(hMainWnd);
        hMainWnd = nullptr;
        MainWindow.m_hWnd = nullptr;
    }

    // The game thread runs the jobs it is given, one at a time, until an
    // empty one; the game's frames, its stage set-ups (which seed this
    // thread's random numbers) and the snapshots all run there.
    static unsigned __stdcall GameThread(void* p)
    {
        auto* self = static_cast<ReplayPlaybackOnDesktop*>(p);
        for (;;) {
            WaitForSingleObject(self->m_hGo, INFINITE);
            if (!self->m_Job) return 0;
            self->m_Job();
            SetEvent(self->m_hDone);
        }
    }

    static DWORD WINAPI PressDuringWaits(void* p)
    {
        auto* self = static_cast<ReplayPlaybackOnDesktop*>(p);
        while (!self->m_bDone) {
            // The game stays the active application: an inactive one's waits only sleep.
            if (Threads.thPause.m_hThread) MainWindow.bAppActive = 1;
            bWaitPress = Threads.thPause.m_hThread ? !bWaitPress : 0;
            Sleep(60);
        }
        return 0;
    }

    // Runs job on the game thread while this one serves the window, as the
    // window thread does; false when it has not ended within a minute.
    bool OnGameThread(std::function<void()> job)
    {
        m_Job = std::move(job);
        SetEvent(m_hGo);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
            if (MsgWaitForMultipleObjects(1, &m_hDone, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        ADD_FAILURE() << "a frame of the game did not end";
        return false;
    }

    // One frame of the game; then after, on the game thread.
    bool Frame(const std::function<void()>& after = nullptr)
    {
        return OnGameThread([&] {
            MainWindow.bAppActive = 1;
            SceneManager.Frame();
            if (after) after();
        });
    }

    // Frames until done() holds; false after limit frames.
    bool FramesUntil(const std::function<bool()>& done, int limit = 1500)
    {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            if (!Frame()) return false;
        }
        return done();
    }

    static cStageScene* Stage()
    {
        return SceneManager.m_nCurrentScene == SCENE_STAGE ? lpStageScene : nullptr;
    }

    static bool Playing()
    {
        return Stage() && Stage()->m_nState == STAGE_PLAY;
    }

    // The title's item chosen with the keys; its open dialog answered with the
    // file at path. True once the stage screen runs.
    bool ChooseFromTitle(int item, const std::string& path)
    {
        SceneManager.m_nNextScene = -1;
        SceneManager.m_nCurrentScene = SCENE_TITLE;
        auto title = [] { return static_cast<cTitleScene*>(SceneManager.GetScene(SCENE_TITLE)); };
        if (!FramesUntil([&] { return title() && title()->m_nState == cTitleScene::STATE_MENU; })) return false;
        for (int moves = 0; moves < cTitleScene::TITLE_ITEMS; ++moves) {
            if (title()->m_VisibleItems[MenuCursor.m_lpCurrent->nRow] == item) break;
            nDirection = INPUT_DOWN;
            Frame();
            nDirection = 0;
            Frame();
        }
        if (title()->m_VisibleItems[MenuCursor.m_lpCurrent->nRow] != item) return false;
        // Made before the dialog opens: the dialog moves the current folder while it shows.
        const std::string full = FullPath(path);
        DialogWorker open(GetCurrentThreadId(), [&](HWND dialog) { ChooseName(dialog, full, nullptr); });
        nButtons = 1;
        Frame();
        nButtons = 0;
        if (!open.Found()) return false;
        return FramesUntil([] { return Stage() != nullptr; });
    }

    // The frames of play from the start of the stage until it leaves play or
    // limit frames have been played, each as its play frame's snapshot.
    // keys: the keys of the next frame, given the play frames done.
    std::map<int, std::string> PlayFrames(int limit, const std::function<void(int)>& keys)
    {
        std::map<int, std::string> frames;
        if (!FramesUntil(Playing)) return frames;
        for (int played = 0; Playing() && played < limit;) {
            keys(Stage()->m_nFrame);
            if (!Frame([&] {
                    if (!Playing() || Stage()->m_nFrame == played) return;
                    played = Stage()->m_nFrame;
                    frames[played] = PlaySnapshot();
                }))
                break;
        }
        return frames;
    }

    static std::string FullPath(const std::string& path)
    {
        char full[MAX_PATH] = {};
        GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
        return full;
    }

    ScopedTestDir m_Dir;
    BoxCapture m_Boxes;
    ScopedSwap<decltype(lpReadKey)> m_Keys;
    ScopedSwap<decltype(lpReadJoystick)> m_Joystick;
    bool m_bUp = false;
    std::atomic<bool> m_bDone{false};
    HANDLE m_hWaitPresser = nullptr;
    HANDLE m_hGo = nullptr, m_hDone = nullptr;
    std::function<void()> m_Job;
};

TEST_F(ReplayPlaybackOnDesktop, APlaySavedWithF1GoesThroughTheSaveDialogIntoAFileHoldingThePlay)
{
    ASSERT_TRUE(ChooseFromTitle(cTitleScene::ITEM_STAGE_FILE, STAGE_PATH));
    ASSERT_EQ(SceneManager.nGameKind, cTitleScene::ITEM_STAGE_FILE);
    const std::map<int, std::string> live = PlayFrames(PLAY_FRAMES, ScriptKeys);
    // The script must play long enough to show anything (it may end in a death).
    ASSERT_GE(live.size(), 60u);
    ASSERT_TRUE(Stage());
    const int seed = Stage()->m_nRandomSeed;
    const int recorded = Stage()->m_nFrame;

    // F1: the save dialog proposes the stage's first replay name.
    nDirection = nButtons = 0;
    std::string suggested;
    {
        const std::string full = FullPath(std::string("user_data\\rpl4\\") + REPLAY_NAME);
        DialogWorker save(GetCurrentThreadId(), [&](HWND dialog) { ChooseName(dialog, full, &suggested); });
        bF1 = 1;
        Frame();
        bF1 = 0;
        EXPECT_TRUE(save.Found());
    }
    EXPECT_EQ(suggested, REPLAY_NAME);
    ASSERT_NE(GetFileAttributesA((std::string("user_data\\rpl4\\") + REPLAY_NAME).c_str()), INVALID_FILE_ATTRIBUTES);
    // The saving frame did not play.
    ASSERT_TRUE(Stage());
    EXPECT_EQ(Stage()->m_nFrame, recorded);

    // The file holds the play: its seed and every frame's keys, as the
    // stage recorded them. (Such a file played back repeats the play frame
    // by frame: ReplayFolder in tests/stage, without a window.)
    cReplay saved;
    cStageData stage, play;
    cGameProgress progress;
    ASSERT_TRUE(LoadReplayFile(saved, std::string("user_data\\rpl4\\") + REPLAY_NAME, stage, play, progress));
    EXPECT_EQ(saved.m_nSeed, seed);
    EXPECT_EQ(saved.m_DirValues, Replay.m_DirValues);
    EXPECT_EQ(saved.m_DirRuns, Replay.m_DirRuns);
    EXPECT_EQ(saved.m_ButtonValues, Replay.m_ButtonValues);
    EXPECT_EQ(saved.m_ButtonRuns, Replay.m_ButtonRuns);
    int frames = 0;
    for (int32_t run : saved.m_DirRuns) frames += run;
    EXPECT_EQ(frames, recorded);
}

} // namespace
