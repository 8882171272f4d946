#include <gtest/gtest.h>

#include "app/system/timing.h"
#include "tests/support/scoped_swap.h"

namespace {

DWORD fakeNow;
DWORD WINAPI FakeClock() { return fakeNow; }

struct TimingFixture : testing::Test {
    void SetUp() override
    {
        fakeNow = 100000;
        ResetTiming();
    }
    void TearDown() override { ResetTiming(); }
    ScopedSwap<DWORD(WINAPI*)()> clock{lpTimeSource, FakeClock};
};

} // namespace

TEST_F(TimingFixture, CountEveryModes)
{
    CountEvery(0, 0);
    EXPECT_EQ(CountEvery(2, 0), 1);
    int hits = 0;
    for (int i = 1; i <= 180; ++i) {
        int hit = CountEvery(1, 60);
        hits += hit;
        EXPECT_EQ(hit, i % 60 == 0 ? 1 : 0) << i;
    }
    EXPECT_EQ(hits, 3);
    CountEvery(1, 60);
    EXPECT_EQ(CountEvery(2, 0), 0);
    EXPECT_EQ(CountEvery(0, 0), 0);
    EXPECT_EQ(CountEvery(2, 0), 1);
}

TEST_F(TimingFixture, StopwatchKeepsItsLastReading)
{
    StartStopwatch();
    fakeNow += 25;
    EXPECT_EQ(ReadStopwatch(1), 25u);
    fakeNow += 10;
    EXPECT_EQ(ReadStopwatch(0), 25u);
    EXPECT_EQ(ReadStopwatch(1), 35u);
}

TEST_F(TimingFixture, FpsIsZeroUntilTheFirstFullSecondAndSkipsTheBoundaryFrame)
{
    CountFps(0);
    int reported = -1;
    for (int frame = 0; frame < 60; ++frame) {
        reported = CountFps(1);
        EXPECT_EQ(reported, 0);
        fakeNow = 100000 + (frame + 1) * 1000 / 60; // 60 frames in 1000 ms
    }
    EXPECT_EQ(CountFps(1), 60); // the boundary call counts in neither window
    EXPECT_EQ(CountFps(0), 60);
}

TEST_F(TimingFixture, CheckFrameTimeLetsFramesThroughEvery16ms)
{
    EXPECT_TRUE(CheckFrameTime(60));
    fakeNow += 15;
    EXPECT_FALSE(CheckFrameTime(60));
    fakeNow += 1;
    EXPECT_TRUE(CheckFrameTime(60));
    fakeNow += 40; // late: the next frame is timed from now, not from the due time
    EXPECT_TRUE(CheckFrameTime(60));
    fakeNow += 15;
    EXPECT_FALSE(CheckFrameTime(60));
    EXPECT_TRUE(CheckFrameTime(0));
}

TEST_F(TimingFixture, PaceFrameSpreadsFramesEvenlyOverTheSecond)
{
    EXPECT_TRUE(PaceFrame(60, false)); // not Direct3D: never holds a frame
    ResetTiming();
    // Frame k is due at base + k * 16.67 ms.
    const DWORD base = fakeNow;
    for (int k = 0; k < 60; ++k) {
        DWORD due = base + static_cast<DWORD>(k * 1000.0 / 60 + 0.999999);
        fakeNow = due - 1;
        if (k > 0) {
            EXPECT_FALSE(PaceFrame(60, true)) << k;
        }
        fakeNow = due;
        EXPECT_TRUE(PaceFrame(60, true)) << k;
    }
    // The next second is anchored where its last frame was let through.
    DWORD anchor = fakeNow;
    EXPECT_TRUE(PaceFrame(60, true));
    fakeNow = anchor + 16;
    EXPECT_FALSE(PaceFrame(60, true));
    fakeNow = anchor + 17;
    EXPECT_TRUE(PaceFrame(60, true));
    EXPECT_TRUE(PaceFrame(0, true));
}
