#include <gtest/gtest.h>

#include <stdexcept>

#include "app/base/log.h"
#include "app/system/thread.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

// A loop like the game's: takes the start hand-shake, ends on WM_QUIT.
struct LoopState {
    volatile LONG sawStart = 0;
    volatile LONG endedByQuit = 0;
};

unsigned __stdcall MessageLoop(void* arg)
{
    auto* state = static_cast<LoopState*>(arg);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        if (msg.message == WM_APP) InterlockedExchange(&state->sawStart, 1);
    InterlockedExchange(&state->endedByQuit, 1);
    return 0;
}

unsigned __stdcall IgnoresQuit(void*)
{
    for (;;) Sleep(1);
}

unsigned __stdcall ReturnsAtOnce(void*)
{
    return 0;
}

unsigned __stdcall Throws(void*)
{
    throw std::runtime_error("broken thread");
}

} // namespace

TEST(Thread, StartHandshakeSuspendResumeAndOrderedExit)
{
    cThread thread;
    LoopState state;
    ASSERT_EQ(thread.Start(MessageLoop, &state), 1);
    EXPECT_NE(thread.m_nThreadId, 0u);
    ASSERT_TRUE(thread.PostStartMessage(true));
    // A busy machine may take a while to run the new thread: wait for the
    // message to be taken, not for a fixed time.
    for (DWORD start = GetTickCount(); !state.sawStart && GetTickCount() - start < 30000;) Sleep(1);
    EXPECT_EQ(state.sawStart, 1);

    EXPECT_TRUE(thread.Suspend());
    EXPECT_TRUE(thread.Resume());
    // Suspended twice: the exit must still let it end through WM_QUIT.
    EXPECT_TRUE(thread.Suspend());
    EXPECT_TRUE(thread.Suspend());
    thread.Exit();
    EXPECT_EQ(thread.m_hThread, nullptr);
    EXPECT_EQ(state.endedByQuit, 1);

    // No thread: everything answers at once.
    thread.Exit();
    EXPECT_TRUE(thread.Suspend());
    EXPECT_TRUE(thread.Resume());
    EXPECT_FALSE(thread.PostStartMessage(false));
}

TEST(Thread, ThreadIgnoringQuitIsEndedByForce)
{
    cThread thread;
    ASSERT_EQ(thread.Start(IgnoresQuit, nullptr), 1);
    DWORD start = GetTickCount();
    thread.Exit();
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(thread.m_hThread, nullptr);
    EXPECT_GE(took, 150u);
    EXPECT_LT(took, 60000u);  // it does end, however slow the machine
}

TEST(Thread, WaitJoinsAndEscapedExceptionIsReportedAndCloses)
{
    ScopedTestDir dir;
    ScopedMainWindow main;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    cThread thread;
    ASSERT_EQ(thread.Start(Throws, nullptr), 1);
    thread.Wait();
    EXPECT_EQ(thread.m_hThread, nullptr);
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "broken thread\r\n");
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 1);
}

TEST(Thread, HandshakeWithAThreadThatEndedFails)
{
    cThread thread;
    ASSERT_EQ(thread.Start(ReturnsAtOnce, nullptr), 1);
    ASSERT_EQ(WaitForSingleObject(thread.m_hThread, 60000), WAIT_OBJECT_0);
    EXPECT_FALSE(thread.PostStartMessage(true));
    thread.Wait();
}
