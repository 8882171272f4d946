// Effect runs prepared from the database and stepped frame by frame, and
// effects of the effect database set up from a command or a hit.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "files/frame_tables.h"
#include "stage/objects/effect.h"
#include "stage/objects/random.h"
#include "tests/stage/stage_display_fixture.h"
#include "tests/stage/stage_harness.h"

namespace {

class EffectRunTest : public StageDisplayTest {
protected:
    void TearDown() override
    {
        for (auto* v : {&CharaEffectTemplates, &CharaEffectTemplatesRev, &ScrEffectTemplates, &ScrEffectTemplatesRev})
            v->clear();
        FrameTables.EffectFrameTable.clear();
        StageDisplayTest::TearDown();
    }

    static void Entries(int charaKind, std::array<int, 5> chara, int scrKind, std::array<int, 5> scr)
    {
        SetEffectEntries(charaKind, chara, scrKind, scr);
    }

    // Steps until the run reports its end; the count of steps (limit + 1 when it never ends).
    static int StepsToEnd(cEffectRun& run, int limit = 100000)
    {
        for (int n = 1; n <= limit; ++n)
            if (run.StepChara()) return n;
        return limit + 1;
    }
    static int ScrStepsToEnd(cEffectRun& run, int start, int end, double step, int limit = 100000)
    {
        for (int n = 1; n <= limit; ++n)
            if (run.StepScr(start, end, step)) return n;
        return limit + 1;
    }
};

TEST_F(EffectRunTest, TruncatedComparisonRunsOneStepLongerThanTheExactOne)
{
    // Up from 0 to 10 by 0.5: the exact run ends at 10.5 (21 steps), the
    // truncated one only at 11 (22 steps), when its whole part passes 10.
    cEffectRun chara;
    chara.m_nStart = 0;
    chara.m_nEnd = 10;
    chara.m_dStep = 0.5;
    EXPECT_EQ(StepsToEnd(chara), 21);
    EXPECT_DOUBLE_EQ(chara.m_dValue, 10.5);
    cEffectRun scr;
    EXPECT_EQ(ScrStepsToEnd(scr, 0, 10, 0.5), 22);
    EXPECT_DOUBLE_EQ(scr.m_dValue, 11);
    // Down from 10 to 0.
    cEffectRun down;
    down.m_dValue = 10;
    EXPECT_EQ(ScrStepsToEnd(down, 10, 0, 0.5), 22);   // trunc(-0.5) is 0, still in
}

TEST_F(EffectRunTest, TemplatesMoveFromStartToEndInTheRunTime)
{
    Entries(1, {5, 0, 32, 0, 0}, 4, {10, 0, 640, 15, 0});
    const cEffectRun& t = CharaEffectTemplates[1];
    EXPECT_EQ(t.m_sEffect, 1);
    EXPECT_EQ(t.m_nStart, 0);
    EXPECT_EQ(t.m_nEnd, 32);
    EXPECT_DOUBLE_EQ(t.m_dStep, 32.0 / 30);
    EXPECT_EQ(t.m_lpData, &DataBase.m_CharaEffect[1]);
    EXPECT_DOUBLE_EQ(ScrEffectTemplates[1].m_dStep, 640.0 / 60);

    cEffectRun run;
    run.StartChara(1, EFFECTRUN_NORMAL, 0);
    int n = StepsToEnd(run);
    EXPECT_GE(n, 30);
    EXPECT_LE(n, 31);
}

TEST_F(EffectRunTest, AReversedRunPointsAtTheCopyWithStartAndEndExchanged)
{
    Entries(1, {5, 0, 32, 0, 0}, 1, {10, 1, 2, 3, 4});
    // Built twice: the copy is exchanged once all the same.
    BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
    BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);
    cEffectRun run;
    run.StartChara(1, EFFECTRUN_REVERSED, 0);
    EXPECT_EQ(run.m_bReversed, 1);
    EXPECT_DOUBLE_EQ(run.m_dValue, 32);
    EXPECT_EQ(run.m_lpData, &DataBase.m_CharaEffectRev[1]);
    EXPECT_EQ(DataBase.m_CharaEffectRev[1].m_Param[1], 32);
    EXPECT_EQ(DataBase.m_CharaEffectRev[1].m_Param[2], 0);
    EXPECT_EQ(DataBase.m_CharaEffect[1].m_Param[1], 0);
    EXPECT_EQ(DataBase.m_CharaEffect[1].m_Param[2], 32);
    StepsToEnd(run);
    EXPECT_LT(run.m_dValue, 0);

    // A reversed move starts at the record's end position.
    cEffectRun move;
    move.StartScr(1, EFFECTRUN_REVERSED, 0);
    EXPECT_EQ(move.m_nWork1, 3);
    EXPECT_EQ(move.m_nWork2, 4);
}

TEST_F(EffectRunTest, PlayModesAndLoops)
{
    Entries(1, {1, 0, 12, 0, 0}, 0, {0, 0, 0, 0, 0});   // 6 frames, 2 a step
    cEffectRun run;
    run.StartChara(1, EFFECTRUN_BACK_AND_FORTH, 0);
    int returns0 = 0;
    while (!run.StepChara()) ++returns0;
    // 6 steps reach 12, the 7th passes it and turns round; the reversed pass likewise.
    EXPECT_EQ(returns0, 13);
    EXPECT_EQ(run.m_bReversed, 1);

    cEffectRun looping;
    looping.StartChara(1, EFFECTRUN_REVERSED, 1);
    EXPECT_EQ(StepsToEnd(looping, 1000), 1001);
    cEffectRun once;
    once.StartChara(1, EFFECTRUN_NORMAL, 0);
    EXPECT_EQ(StepsToEnd(once), 7);
}

TEST_F(EffectRunTest, RunsThatCouldNeverReachTheirEndStopAfterTheRunTime)
{
    struct Row {
        int time, from, to, steps;
    } rows[] = {
        {5, 16, 16, 30},     // equal start and end: a step of 0
        {0, 0, 32, 7},       // no run time: one tenth of a second
        {-3, 0, 32, 7},
        {0, 16, 16, 6},
    };
    for (const Row& r : rows) {
        Entries(1, {r.time, r.from, r.to, 0, 0}, 4, {r.time, r.from, r.to, 2, 0});
        cEffectRun run;
        run.StartChara(1, EFFECTRUN_NORMAL, 0);
        EXPECT_EQ(StepsToEnd(run), r.steps) << r.time << " " << r.from << " " << r.to;
        EXPECT_TRUE(std::isfinite(run.m_dValue));
    }
    // A screen step handed over as 0 or as no number.
    Entries(0, {0, 0, 0, 0, 0}, 4, {2, 0, 640, 2, 0});
    for (double step : {0.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        cEffectRun run;
        run.StartScr(1, EFFECTRUN_NORMAL, 0);
        EXPECT_EQ(ScrStepsToEnd(run, 0, 640, step), 12) << step;
        EXPECT_DOUBLE_EQ(run.m_dValue, 0);
    }
    // Blinks count up to their run time.
    Entries(6, {0, 2, 0, 0, 0}, 8, {3, 10, 0, 0, 0});
    EXPECT_EQ(CharaEffectTemplates[1].m_nEnd, 1);
    EXPECT_DOUBLE_EQ(CharaEffectTemplates[1].m_dStep, 1.0 / 6);
}

class EffectTest : public EffectRunTest {
protected:
    void SetUp() override
    {
        EffectRunTest::SetUp();
        DataBase.m_Effect.resize(3);
        for (int e = 1; e < 3; ++e) {
            DataBase.m_Effect[e].m_nCellWidth = 32;
            DataBase.m_Effect[e].m_nCellHeight = 24;
            DataBase.m_Effect[e].m_Frames.resize(2);
            DataBase.m_Effect[e].m_Frames[0].m_nCell = 0;
            DataBase.m_Effect[e].m_Frames[0].m_nFrameTime = 1;
            DataBase.m_Effect[e].m_Frames[1].m_nCell = 3;
            DataBase.m_Effect[e].m_Frames[1].m_nFrameTime = 2;
        }
        DataBase.m_Effect[2].m_bScaleBySize = 1;
        BuildEffectFrameTable(FrameTables.EffectFrameTable);
    }
};

TEST_F(EffectTest, AnEffectPlaysItsFramesAndEndsAtTheEndCode)
{
    EXPECT_EQ(EffectLengthFrames(1), 18);
    cEffect e;
    e.SetFromCommand(1, 10, 20, 32, 48, 0);
    EXPECT_EQ(e.m_bStretch, 0);   // only the widths decide
    std::vector<int> frames;
    for (int f; (f = e.Advance(0)) >= 0;) frames.push_back(f);
    std::vector<int> expected(5, 0);
    expected.insert(expected.end(), 12, 3);
    EXPECT_EQ(frames, expected);   // the call that reaches the end shows nothing

    // Frozen: the same frame, unless the game waits for it.
    cEffect still, waited;
    still.SetFromCommand(1, 0, 0, 64, 48, 0);
    waited.SetFromCommand(1, 0, 0, 64, 48, 1);
    EXPECT_EQ(still.m_bStretch, 1);
    int n = 0;
    for (; n < 100 && waited.Advance(1) >= 0; ++n) EXPECT_EQ(still.Advance(1), 0);
    EXPECT_EQ(n, 17);

    DataBase.m_Effect[1].m_Frames.clear();
    EXPECT_EQ(e.Advance(0), -1);
}

TEST_F(EffectTest, HitEffectsAreCentredOnTheOverlapAndScatteredBySize)
{
    HITRECT a{100, 100, 131, 131}, b{120, 110, 200, 150};
    struct Row {
        int entry;
        signed char factor;
        int w, h, scatter;
    } rows[] = {
        {1, 3, 32, 24, 4},    // no scaling by size
        {2, 1, 32, 24, 4},
        {2, 3, 96, 72, 12},
        {2, 0, 32, 24, 0},
    };
    for (const Row& r : rows) {
        double minX = 1e9, maxX = -1e9;
        for (int seed = 0; seed < 200; ++seed) {
            GameSrand(seed);
            cEffect e;
            e.SetFromHit(static_cast<int16_t>(r.entry), a, b, r.factor);
            EXPECT_EQ(e.m_nWidth, r.w);
            EXPECT_EQ(e.m_nHeight, r.h);
            EXPECT_EQ(e.m_bStretch, r.factor > 1 && r.entry == 2);
            // Overlap 120..131 x 110..131: its middle less half the size.
            double cx = 120 + (12 >> 1) - (r.w >> 1), cy = 110 + (22 >> 1) - (r.h >> 1);
            EXPECT_LE(std::abs(e.m_dX - cx), r.scatter);
            EXPECT_LE(std::abs(e.m_dY - cy), r.scatter);
            minX = std::min(minX, e.m_dX - cx);
            maxX = std::max(maxX, e.m_dX - cx);
        }
        EXPECT_EQ(minX, -r.scatter) << r.entry << " " << int(r.factor);
        EXPECT_EQ(maxX, r.scatter);
    }
    // Boxes apart: centred near the stage origin.
    GameSrand(1);
    cEffect e;
    e.SetFromHit(2, HITRECT{0, 0, 10, 10}, HITRECT{50, 50, 60, 60}, 0);
    EXPECT_EQ(e.m_dX, -16);
    EXPECT_EQ(e.m_dY, -12);
}

} // namespace
