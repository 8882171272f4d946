// The pause loop on real threads: the starter never hangs, WM_QUIT ends the
// loop, a timed wait runs out by itself after drawing each of its frames and
// a button wait needs a new press.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "app/system/input.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"
#include "app/system/thread.h"
#include "scenes/sub_loops.h"
#include "stage/objects/message.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/stage/recording_painter.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/wait_until.h"

namespace {

std::atomic<int> bConfirmDown{0};
// The pause loop reads F last of its keys: the reads count the times it took
// the keys in, once before its frames and then once a frame.
std::atomic<int> nKeysRead{0};

SHORT WINAPI ReadKey(int key)
{
    const bool down = key == 'Z' && bConfirmDown;
    if (key == 'F') ++nKeysRead;
    return down ? static_cast<SHORT>(0x8000) : 0;
}

// Waits until the loop has taken the keys in frames more times as they are
// now; false when it stopped before. The reading under way as this starts is
// not counted: it may have read Z before the change.
bool LoopFrames(int frames)
{
    const int from = nKeysRead;
    return WaitUntil([&] { return nKeysRead > from + frames; }, 20000);
}

DWORD WINAPI StartWithHandshake(void* p)
{
    StartPauseLoop(static_cast<int>(reinterpret_cast<intptr_t>(p)));
    return 0;
}

// Once the loop runs its frames (its message queue then exists), WM_QUIT.
DWORD WINAPI QuitThePauseLoop(void*)
{
    if (!WaitUntil([] { return nKeysRead >= 2; }, 20000)) return 1;
    return PostThreadMessageA(Threads.thPause.m_nThreadId, WM_QUIT, 0, 0) ? 0 : 1;
}

// As the window thread does when the window is closed and its WM_QUIT does
// not reach the loop: only the scene's quit flag is set, once the loop runs
// its frames.
DWORD WINAPI SetTheQuitFlag(void* scene)
{
    if (!WaitUntil([] { return nKeysRead >= 2; }, 20000)) return 1;
    static_cast<cStageScene*>(scene)->m_bQuit = 1;
    return 0;
}

// Lets the confirm button held from before go after the loop has run frames
// with it held, and presses it again after frames with it up. Fails when the
// loop ended before the new press.
DWORD WINAPI ReleaseAndPressAgain(void*)
{
    if (!LoopFrames(10)) return 1;
    bConfirmDown = 0;
    if (!LoopFrames(2)) return 1;
    bConfirmDown = 1;
    return 0;
}

MMRESULT WINAPI NoJoystick(UINT, JOYINFOEX*)
{
    return JOYERR_UNPLUGGED;
}

class SubLoopTest : public ::testing::Test {
protected:
    SubLoopTest()
        : m_Keys(lpReadKey, ReadKey), m_Joystick(lpReadJoystick, NoJoystick), m_Scene(lpStageScene, &m_Stage),
          m_Rate(SceneManager.FrameRate, 60)
    {
        MainWindow.bAppActive = 1;
        bConfirmDown = 0;
        nKeysRead = 0;
        if (Inputs.empty()) Inputs.resize(1);
    }

    // Runs the starter on a thread of its own; false when it has not
    // returned within the time.
    static bool StarterReturns(int handshake, DWORD ms)
    {
        HANDLE starter = CreateThread(nullptr, 0, StartWithHandshake, reinterpret_cast<void*>(static_cast<intptr_t>(handshake)), 0, nullptr);
        const bool returned = WaitForSingleObject(starter, ms) == WAIT_OBJECT_0;
        if (!returned) {
            bConfirmDown = 0;
            lpStageScene->m_bQuit = 1;
            WaitForSingleObject(starter, 10000);
        }
        CloseHandle(starter);
        return returned;
    }

    cStageScene m_Stage;
    ScopedSwap<decltype(lpReadKey)> m_Keys;
    ScopedSwap<decltype(lpReadJoystick)> m_Joystick;
    ScopedSwap<cStageScene*> m_Scene;
    ScopedSwap<int> m_Rate;
};

TEST_F(SubLoopTest, AQuitFlagSetOnEntryDoesNotHangTheStarter)
{
    m_Stage.m_bQuit = 1;
    SetModeTimer(*lpStageScene, 1, 1, 0, 0);
    EXPECT_TRUE(StarterReturns(1, 60000));
    EXPECT_EQ(Threads.thPause.m_hThread, nullptr);
}

TEST_F(SubLoopTest, ATimedWaitRunsOutByItselfDrawingEachOfItsFrames)
{
    for (int frames : {0, 12}) {
        SCOPED_TRACE(frames);
        RecordingPainter painter;
        cHarnessHost host(true);
        host.onPainter = [&painter] { return &painter; };
        SetModeTimer(*lpStageScene, 0, 0, frames, 0);
        EXPECT_TRUE(StarterReturns(0, 60000));
        EXPECT_EQ(m_Stage.m_Wait[3], -1);   // every frame counted
        EXPECT_EQ(painter.Count("frame"), frames);
        EXPECT_EQ(Threads.thPause.m_hThread, nullptr);
    }
}

TEST_F(SubLoopTest, WmQuitEndsAButtonWait)
{
    SetModeTimer(*lpStageScene, 1, 1, 0, 0);
    HANDLE quitter = CreateThread(nullptr, 0, QuitThePauseLoop, nullptr, 0, nullptr);
    EXPECT_TRUE(StarterReturns(1, 60000));
    DWORD code = 2;
    WaitForSingleObject(quitter, 60000);
    GetExitCodeThread(quitter, &code);
    CloseHandle(quitter);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 0);   // not ended by the button
}

TEST_F(SubLoopTest, TheQuitFlagSetFromAnotherThreadEndsAButtonWait)
{
    SetModeTimer(*lpStageScene, 1, 1, 0, 0);
    HANDLE closer = CreateThread(nullptr, 0, SetTheQuitFlag, &m_Stage, 0, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(StarterReturns(1, 60000));
    WaitForSingleObject(closer, 60000);
    CloseHandle(closer);
    // It ended by the flag, after the grace the loop gives WM_QUIT.
    EXPECT_GE(GetTickCount() - start, 2000u);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 0);
    EXPECT_EQ(Threads.thPause.m_hThread, nullptr);
}

TEST_F(SubLoopTest, AButtonHeldFromBeforeMustBePressedAnew)
{
    SetModeTimer(*lpStageScene, 3, 1, 0, 0);
    bConfirmDown = 1;
    HANDLE presser = CreateThread(nullptr, 0, ReleaseAndPressAgain, nullptr, 0, nullptr);
    EXPECT_TRUE(StarterReturns(1, 60000));
    DWORD code = 2;
    WaitForSingleObject(presser, 60000);
    GetExitCodeThread(presser, &code);
    CloseHandle(presser);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 1);
}

} // namespace
