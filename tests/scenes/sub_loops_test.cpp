// The pause loop on real threads: the starter never hangs, WM_QUIT ends the
// loop, a timed wait runs out by itself after drawing each of its frames and
// a button wait needs a new press.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "app/input.h"
#include "app/main_window.h"
#include "app/scene_manager.h"
#include "app/thread.h"
#include "scenes/sub_loops.h"
#include "stage/message.h"
#include "stage/stage_scene.h"
#include "stage/stage_services.h"
#include "tests/stage/recording_painter.h"
#include "tests/support/scoped_swap.h"

namespace {

std::atomic<int> bConfirmDown{0};

DWORD WINAPI StartWithHandshake(void* p)
{
    StartPauseLoop(static_cast<int>(reinterpret_cast<intptr_t>(p)));
    return 0;
}

DWORD WINAPI QuitThePauseLoop(void*)
{
    for (int i = 0; i < 5000 && !thPause.m_hThread; ++i) Sleep(1);
    Sleep(100);
    PostThreadMessageA(thPause.m_nThreadId, WM_QUIT, 0, 0);
    return 0;
}

// As the window thread does when the window is closed and its WM_QUIT does
// not reach the loop: only the scene's quit flag is set.
DWORD WINAPI SetTheQuitFlag(void* scene)
{
    for (int i = 0; i < 5000 && !thPause.m_hThread; ++i) Sleep(1);
    Sleep(100);
    static_cast<cStageScene*>(scene)->m_bQuit = 1;
    return 0;
}

DWORD WINAPI ReleaseAndPressAgain(void*)
{
    for (int i = 0; i < 5000 && !thPause.m_hThread; ++i) Sleep(1);
    Sleep(300);
    // Still held: the wait goes on.
    if (!thPause.m_hThread) return 1;
    bConfirmDown = 0;
    Sleep(200);
    bConfirmDown = 1;
    return 0;
}

SHORT WINAPI ReadKey(int key)
{
    return key == 'Z' && bConfirmDown ? static_cast<SHORT>(0x8000) : 0;
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
        bAppActive = 1;
        bConfirmDown = 0;
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
    SetModeTimer(1, 1, 0, 0);
    EXPECT_TRUE(StarterReturns(1, 5000));
    EXPECT_EQ(thPause.m_hThread, nullptr);
}

TEST_F(SubLoopTest, ATimedWaitRunsOutByItselfDrawingEachOfItsFrames)
{
    for (int frames : {0, 12}) {
        SCOPED_TRACE(frames);
        RecordingPainter painter;
        ScopedSwap<cPlayScreenPainter*> drawn(StageServices.lpPainter, &painter);
        SetModeTimer(0, 0, frames, 0);
        EXPECT_TRUE(StarterReturns(0, 10000));
        EXPECT_EQ(m_Stage.m_Wait[3], -1);   // every frame counted
        EXPECT_EQ(painter.Count("frame"), frames);
        EXPECT_EQ(thPause.m_hThread, nullptr);
    }
}

TEST_F(SubLoopTest, WmQuitEndsAButtonWait)
{
    SetModeTimer(1, 1, 0, 0);
    HANDLE quitter = CreateThread(nullptr, 0, QuitThePauseLoop, nullptr, 0, nullptr);
    EXPECT_TRUE(StarterReturns(1, 10000));
    WaitForSingleObject(quitter, 10000);
    CloseHandle(quitter);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 0);   // not ended by the button
}

TEST_F(SubLoopTest, TheQuitFlagSetFromAnotherThreadEndsAButtonWait)
{
    SetModeTimer(1, 1, 0, 0);
    HANDLE closer = CreateThread(nullptr, 0, SetTheQuitFlag, &m_Stage, 0, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(StarterReturns(1, 15000));
    WaitForSingleObject(closer, 10000);
    CloseHandle(closer);
    // It ended by the flag, after the grace the loop gives WM_QUIT.
    EXPECT_GE(GetTickCount() - start, 2000u);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 0);
    EXPECT_EQ(thPause.m_hThread, nullptr);
}

TEST_F(SubLoopTest, AButtonHeldFromBeforeMustBePressedAnew)
{
    SetModeTimer(3, 1, 0, 0);
    bConfirmDown = 1;
    HANDLE presser = CreateThread(nullptr, 0, ReleaseAndPressAgain, nullptr, 0, nullptr);
    EXPECT_TRUE(StarterReturns(1, 10000));
    DWORD code = 2;
    WaitForSingleObject(presser, 10000);
    GetExitCodeThread(presser, &code);
    CloseHandle(presser);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(m_Stage.m_bHoldButtons, 1);
}

} // namespace
