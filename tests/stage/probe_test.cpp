// The block probe, screen and range tests, reach, impacts and waves.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "app/base/log.h"
#include "files/stage_file.h"
#include "records/stage_sub_records.h"
#include "stage/objects/play_links.h"
#include "stage/objects/stage_object.h"
#include "tests/stage/stage_harness.h"
#include "tests/support/test_dir.h"

TEST(StageObjectProbe, CornersFindSolidAndDeadlyBlocksAndOffMapCellsAreEmpty)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    HarnessStage stage;
    stage.nWidth = 8;
    stage.nHeight = 6;
    stage.Blocks = {"........", "..#.....", ".....!..", "........"};
    StageHarness h(stage);
    const double x0 = StageHarness::CellPixel(0), y0 = StageHarness::CellPixel(0);
    struct Case {
        const char* what;
        double left, top;
        int w, h, layer;
        bool hits;
    };
    const Case cases[] = {
        {"inside the solid cell", x0 + 64 + 8, y0 + 32 + 8, 16, 16, 0, true},
        {"right edge one pixel into it", x0 + 64 - 15, y0 + 32, 16, 16, 0, true},
        {"right edge one pixel short of it", x0 + 64 - 16, y0 + 32, 16, 16, 0, false},
        {"bottom edge one pixel into it", x0 + 64, y0 + 32 - 15, 16, 16, 0, true},
        {"deadly cell", x0 + 5 * 32, y0 + 64, 32, 32, 0, true},
        {"empty cell", x0, y0, 32, 32, 0, false},
        {"left of the map", -100, y0, 32, 32, 0, false},
        {"above the map", x0, -3000, 32, 32, 0, false},
        {"right of the pitch", 40000, y0, 32, 32, 0, false},
        {"below the map", x0, 90000, 32, 32, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cStageObject o;
        PlaceObject(o, c.left, c.top, c.w, c.h, MOTION_GRAVITY);
        o.m_nHitLayer = c.layer;
        EXPECT_EQ(o.HitsBlock(), c.hits);
    }
    // A block lets through the hit layer of its pass-through number.
    cBlockData* block = BlockMapCell(12, 11);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->m_cCollision, BLOCK_SOLID);
    block->m_cPassThrough = 3;
    cStageObject o;
    PlaceObject(o, x0 + 64, y0 + 32, 32, 32, MOTION_GRAVITY);
    o.m_nHitLayer = 3;
    EXPECT_FALSE(o.HitsBlock());
    o.m_nHitLayer = 2;
    EXPECT_TRUE(o.HitsBlock(0));
    // Off-map cells never went through the checked access.
    EXPECT_EQ(ReadFileText("Report_Game.txt").find("err V["), std::string::npos);
}

TEST(StageObjectScreen, ScreenRectangleAndViewTests)
{
    StageHarness h(HarnessStage{});
    h.SetView(400.7, 300.2);
    cStageObject o;
    o.Setup(1, 0, 0, 0, 0, nullptr, 0, 4, 8, 24, 24, 32, 32, 0, MOTION_FREE, 0);
    o.SetPosition(450.9, 350.5);
    o.UpdateScreenPos();
    // trunc(450.9 - 4 - 400) = 46; trunc(350.5 - 8 - 300) = 42.
    EXPECT_EQ(o.m_nScreenLeft, 46);
    EXPECT_EQ(o.m_nScreenRight, 77);
    EXPECT_EQ(o.m_nScreenTop, 42);
    EXPECT_EQ(o.m_nScreenBottom, 73);

    h.SetView(400, 300);
    struct Case {
        double left, top;
        bool on, onSkipX, onSkipY;
    };
    const Case cases[] = {
        {500, 400, true, true, true},
        {377, 400, true, true, true},       // right edge 400 touches the view
        {376, 400, false, true, false},
        {1039, 400, true, true, true},      // left edge below 400 + 640
        {1040, 400, false, true, false},
        {500, 277, true, true, true},
        {500, 276, false, false, true},
        {500, 780, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << ", " << c.top);
        o.SetPosition(c.left, c.top);
        EXPECT_EQ(o.IsOnScreen(), c.on);
        EXPECT_EQ(o.IsOnScreenAxes(1, 0), c.onSkipX);
        EXPECT_EQ(o.IsOnScreenAxes(0, 1), c.onSkipY);
    }
}

TEST(StageObjectScreen, InsideBoundsAndOutOfRange)
{
    HarnessStage stage;
    stage.nWidth = 40;
    stage.nHeight = 30;
    stage.nObjectLimitX = 1000;   // outer limits 1640, 1640
    stage.nObjectLimitY = 1000;
    StageHarness h(stage);
    cStageObject o;
    PlaceObject(o, 320, 320, 32, 32, MOTION_FREE);
    EXPECT_TRUE(o.IsInsideBounds(0));
    o.SetPosition(319, 320);
    EXPECT_FALSE(o.IsInsideBounds(0));
    EXPECT_TRUE(o.IsInsideBounds(1));
    o.SetPosition(1608, 1608);   // right 1639 < 1640
    EXPECT_TRUE(o.IsInsideBounds(1));
    o.SetPosition(1609, 1000);
    EXPECT_FALSE(o.IsInsideBounds(1));

    h.SetView(640, 480);
    cScreenEdgeData edge;
    edge.m_bLeft = 1;
    edge.m_nLeft = 1;     // out once the right edge is at 608 or less
    struct Case {
        double left, top;
        int onScreen;
        bool out;
    };
    const Case cases[] = {
        {577, 600, 0, true}, {578, 600, 0, false}, {577, 600, 1, false},
        {0, 600, 0, true},   // at the stage's outer left
        {0, 600, 1, false},  // never while on screen
        {800, 0, 0, true},   {800, 1, 0, false},  {800, 1607, 0, false}, {800, 1608, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << ", " << c.top << " on " << c.onScreen);
        o.SetPosition(c.left, c.top);
        o.m_bOnScreen = c.onScreen;
        EXPECT_EQ(o.IsOutOfRange(edge), c.out);
    }
}

TEST(StageObjectReach, IntervalsAroundTheCentre)
{
    cStageObject o;
    struct Case {
        int low, high, inset, back, front, whole;
        bool in;
    };
    // Position 0, size 10: centre 5.
    const Case cases[] = {
        {5, 5, 0, 0, 0, 0, true},   {6, 9, 0, 0, 0, 0, false}, {6, 9, 0, 0, 0, 1, true},
        {11, 20, 0, 0, 0, 1, false}, {12, 20, 0, 0, 3, 0, true}, {14, 20, 0, 0, 3, 0, false},
        {-10, -3, 0, 3, 0, 0, true}, {-10, -4, 0, 3, 0, 0, false}, {0, 20, 16, 0, 0, 1, false},
        {0, 20, 5, 0, 0, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(o.IsInReach(0, 10, c.low, c.high, c.inset, c.back, c.front, c.whole), c.in)
            << c.low << ".." << c.high << " inset " << c.inset << " back " << c.back << " front " << c.front;
}

TEST(StageObjectImpact, StartSpeedsThatCoverTheDistance)
{
    StageHarness h(HarnessStage{});   // speed scale 1
    cStageObject o;
    double x = 7, y = 8;
    o.ImpactSpeeds(x, y, 0, 1, 1);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
    o.ImpactSpeeds(x, y, 4, 0, 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // (sqrt(1 + 4 x 128) - 1) / 2 with sqrt(513) = 22.64950330581225.
    o.ImpactSpeeds(x, y, 4, -3, 0);
    EXPECT_NEAR(x, -10.824751652906125, 1e-12);
    EXPECT_EQ(y, 0);
    // Split 2 and 2: (sqrt(257) - 1) / 2, sqrt(257) = 16.0312195418814.
    o.ImpactSpeeds(x, y, 4, 5, -5);
    EXPECT_NEAR(x, 7.5156097709407, 1e-12);
    EXPECT_NEAR(y, -7.5156097709407, 1e-12);
}

TEST(StageObjectWave, VelocityAndAccelerationOfASineMotion)
{
    StageHarness h(HarnessStage{});
    double acc = 0;
    // Rate 90: w = pi / 2; at phase 0 the velocity is 10 x pi / 2.
    EXPECT_NEAR(WaveCos(10, 90, acc, 1, 0), 15.707963267948966, 1e-12);
    EXPECT_EQ(acc, 1);
    // One step on: theta = pi / 2, acceleration -10 x (pi / 2)^2.
    EXPECT_NEAR(WaveSin(10, 90, acc, 1, 0), -24.674011002723397, 1e-12);
    EXPECT_EQ(acc, 2);
    acc = 359.5;
    WaveCos(10, 90, acc, 1, 0);
    EXPECT_EQ(acc, 0.5);
    EXPECT_NEAR(SubStepsToSeconds(120), 2.0, 1e-12);
}
