// Clamping, movement, gravity and friction of stage objects, against values
// worked out by hand.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "stage/objects/npc.h"
#include "stage/objects/stage_containers.h"
#include "stage/objects/stage_object.h"
#include "tests/stage/stage_harness.h"

namespace {

// Both axes alike: stage proper 320..1599, view limits 400..1000, outer
// limit 1920.
HarnessStage ClampStage()
{
    HarnessStage stage;
    stage.nWidth = 40;
    stage.nHeight = 40;
    stage.nObjectLimitX = 1280;
    stage.nObjectLimitY = 1280;
    return stage;
}

void NarrowTheView(StageHarness& h)
{
    for (cScrollAxis* axis : {&h.AxisX(), &h.AxisY()}) {
        axis->m_nLower = 400;
        axis->m_nUpper = 1000;
    }
}

} // namespace

TEST(StageObjectClamp, EachModeHoldsAndReportsOnePixelEitherSideOfEachBound)
{
    StageHarness h(ClampStage());
    NarrowTheView(h);
    struct Case {
        int mode;
        double at;          // left (top) edge before; the box is 32 pixels
        double held;        // after the clamp
        int codeX, codeY;
    };
    const Case cases[] = {
        {0, 399, 400, 0, 0}, {0, 400, 400, 0, 0}, {0, 968, 968, 0, 0}, {0, 969, 968, 0, 0},
        {1, 319, 320, 0, 0}, {1, 320, 320, 1, 1}, {1, 399, 399, 1, 1}, {1, 400, 400, 0, 0},
        {1, 968, 968, 0, 0}, {1, 969, 969, 1, 4}, {1, 1568, 1568, 1, 4}, {1, 1569, 1568, 0, 0},
        {2, -1, 0, 3, 3}, {2, 0, 0, 2, 2}, {2, 319, 319, 2, 2}, {2, 320, 320, 1, 1},
        {2, 399, 399, 1, 1}, {2, 400, 400, 0, 0}, {2, 968, 968, 0, 0}, {2, 969, 969, 1, 4},
        {2, 1568, 1568, 1, 4}, {2, 1569, 1569, 2, 5}, {2, 1888, 1888, 2, 5}, {2, 1889, 1888, 3, 6},
        {7, -50, -50, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.at);
        cStageObject o;
        PlaceObject(o, c.at, c.at, 32, 32, MOTION_FREE);
        EXPECT_EQ(o.ClampX(c.mode), c.codeX);
        EXPECT_EQ(o.ClampY(c.mode), c.codeY);
        EXPECT_EQ(o.m_dLeft, c.held);
        EXPECT_EQ(o.m_dTop, c.held);
        // The far edges and the cells follow the clamp.
        EXPECT_EQ(o.m_dRight, c.held + 31);
        EXPECT_EQ(o.m_dBottom, c.held + 31);
        EXPECT_EQ(o.m_nCellLeft, static_cast<int>(c.held) >> 5);
        EXPECT_EQ(o.m_nCellBottom, static_cast<int>(c.held + 31) >> 5);
    }
}

TEST(StageObjectMotion, SpeedsBeyondTheLimitAreCutBeforeTheyMove)
{
    StageHarness h(ClampStage());   // level 1: 6 pixels a sub-step
    struct Case {
        double v, moved, kept;
    };
    const Case cases[] = {{6, 6, 6}, {6.5, 6, 6}, {-7, -6, -6}, {-5.5, -5.5, -5.5}, {0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        cStageObject o;
        PlaceObject(o, 800, 800, 32, 32, MOTION_FREE);
        o.m_dVx = o.m_dVy = c.v;
        EXPECT_EQ(o.MoveX(1), 0);
        EXPECT_EQ(o.MoveY(1), 0);
        EXPECT_EQ(o.m_dLeft, 800 + c.moved);
        EXPECT_EQ(o.m_dTop, 800 + c.moved);
        EXPECT_EQ(o.m_dVx, c.kept);
    }
    // A move into the outer limit reports it; the code of a move is 1..3 on x.
    cStageObject o;
    PlaceObject(o, 2, 2, 32, 32, MOTION_FREE);
    o.m_dVx = o.m_dVy = -5;
    EXPECT_EQ(o.MoveX(2), 3);
    EXPECT_EQ(o.MoveY(2), 3);
    EXPECT_EQ(o.m_dLeft, 0);
}

TEST(StageObjectMotion, FallingTopEdgeFrameByFrame)
{
    struct Case {
        const char* what;
        int level;
        std::vector<double> tops;
    };
    // Level 1: one sub-step, gravity 0.4 a frame, limit 6: the top moves by
    // 0.4, 0.8, ... until the speed reaches 6 at frame 15 (top 400 + 0.4 x
    // 120 = 448, the bottom on 479); the floor of row 5 (pixels 480..511)
    // lands the next move of 6 (bottom 485): the top goes back by (485 & 31)
    // + 1 = 6 to 448. Standing, gravity starts again: 448.4 (bottom 479.4,
    // still above the floor), then 449.2 (bottom 480.2) lands back by 1 on
    // 448.2.
    // Level 2: two sub-steps of gravity 0.1 each.
    const Case cases[] = {
        {"level 1", 1, {400.4, 401.2, 402.4, 404.0, 406.0, 408.4, 411.2, 414.4, 418.0, 422.0, 426.4,
                        431.2, 436.4, 442.0, 448.0, 448.0, 448.4, 448.2}},
        {"level 2", 2, {400.3, 401.0, 402.1, 403.6, 405.5, 407.8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HarnessStage stage;
        stage.nHitCheckLevel = c.level;
        stage.Blocks.assign(6, "");
        stage.Blocks[5] = std::string(40, '#');
        StageHarness h(stage);
        HarnessScene scene;
        cNpc& o = CharaList.emplace_back();
        PlaceObject(o, 400, 400, 32, 32, MOTION_GRAVITY);
        std::vector<FrameState> frames = h.Run(o, static_cast<int>(c.tops.size()));
        ASSERT_EQ(frames.size(), c.tops.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_NEAR(frames[i].top, c.tops[i], 1e-9) << "frame " << i + 1;
            EXPECT_EQ(frames[i].left, 400);
        }
    }
}

TEST(StageObjectMotion, NoGravityInTheFreeModes)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    for (int mode : {MOTION_FREE, MOTION_FLYING, MOTION_FRAGILE}) {
        cNpc& o = CharaList.emplace_back();
        PlaceObject(o, 400, 400, 32, 32, mode);
        std::vector<FrameState> frames = h.Run(o, 3);
        EXPECT_EQ(frames.back().top, 400) << mode;
        CharaList.clear();
    }
    struct Mode {
        int mode, noGravity, blockMode;
    };
    for (Mode m : {Mode{0, 0, 1}, Mode{1, 1, 0}, Mode{2, 1, 1}, Mode{3, 1, 2}}) {
        cStageObject o;
        o.SetMode(m.mode);
        EXPECT_EQ(o.m_bNoGravity, m.noGravity);
        EXPECT_EQ(o.m_cBlockMode, m.blockMode);
        o.SetMode(4);   // no such mode: nothing changes
        EXPECT_EQ(o.m_cBlockMode, m.blockMode);
    }
}

TEST(StageObjectMotion, FrictionNeverOvershootsZero)
{
    struct Case {
        double value, step;
        int on;
        double after;
    };
    const Case cases[] = {{0.3, 0.5, 1, 0},   {1.0, 0.25, 1, 0.75}, {-0.3, 0.5, 1, 0},
                          {-1.0, 0.25, 1, -0.75}, {0, 0.5, 1, 0}, {1.0, 0.25, 0, 1.0}};
    for (const Case& c : cases) {
        cStageObject o;
        o.m_dFriction = c.step;
        double v = c.value;
        o.ApplyFriction(v, c.on);
        EXPECT_EQ(v, c.after) << c.value << " by " << c.step;
    }
    // Stopping ease 10 is 0.1 a frame: 0.1 at one sub-step, 0.025 at two.
    HarnessStage stage;
    StageHarness h1(stage);
    EXPECT_DOUBLE_EQ(StopToFriction(10), 0.1);
    stage.nHitCheckLevel = 2;
    StageHarness h2(stage);
    EXPECT_DOUBLE_EQ(StopToFriction(10), 0.025);
}

TEST(StageObjectMotion, RescaleGrowsAboutTheCentre)
{
    StageHarness h(HarnessStage{});
    cStageObject o;
    o.Setup(1, 0, 0, 0, 0, nullptr, 0, 6, 2, 20, 30, 32, 32, 0, MOTION_FREE, 0);
    o.SetPosition(500, 500);
    o.Rescale(2, 1);
    EXPECT_EQ(o.m_nHitW, 40);
    EXPECT_EQ(o.m_nHitH, 60);
    EXPECT_EQ(o.m_nDrawOffX, 12);
    EXPECT_EQ(o.m_nDrawW, 64);
    EXPECT_EQ(o.m_dLeft, 490);    // 500 - (2 - 1) x 10
    EXPECT_EQ(o.m_dRight, 529);
    o.Rescale(2, 2);
    EXPECT_EQ(o.m_dLeft, 490);
    EXPECT_EQ(o.m_nHitW, 40);
}
