// Aimed movement: straight aim, flight away, the view's auto-scroll and the
// speeds solved against it, the single-axis forms and arrival.
#include <cmath>

#include <gtest/gtest.h>

#include "stage/objects/play_links.h"
#include "stage/script/running_command.h"
#include "stage/objects/stage_object.h"
#include "tests/stage/stage_harness.h"

namespace {

struct AimResult {
    double vx, vy;
    int dir, result;
};

class AimTest : public ::testing::Test {
protected:
    void Scroll(double sx, double sy, int atEdgeX = 0)
    {
        h.AxisX().m_dAutoSpeed = sx;
        h.AxisX().m_bAtEdge = atEdgeX;
        h.AxisY().m_dAutoSpeed = sy;
    }
    AimResult Aim(const cStageObject* mover, double dx, double dy, double speed, int scrollMode,
                  int straightAway = 0, int arriveTest = 1)
    {
        AimResult r{-99, -99, 7, 0};
        r.result = ComputeAimSpeed(r.vx, r.vy, r.dir, mover, 100, 100, 100 + dx, 100 + dy, speed, scrollMode,
                                   straightAway, arriveTest);
        return r;
    }
    void TearDown() override { bNoScrollCarry = 0; }

    StageHarness h{HarnessStage{}};
    cStageObject plain;    // not scroll-synced
    cStageObject synced;
    void SetUp() override { synced.m_bScrollSync = 1; }
};

} // namespace

TEST_F(AimTest, StraightAimAndFlightAway)
{
    struct Case {
        const char* what;
        double dx, dy, speed;
        AimResult want;
    };
    const double m = 2 * 0.7071067811865476;
    const Case cases[] = {
        {"3-4-5 to the right and down", 30, 40, 5, {3, 4, 2, 0}},
        {"to the left", -30, 40, 5, {-3, 4, 1, 0}},
        {"straight down: no facing", 0, 40, 5, {0, 5, 0, 0}},
        {"within one step arrives", 2, -1, 5, {2 * 5 / std::sqrt(5.0), -5 / std::sqrt(5.0), 2, 1}},
        {"one step away exactly does not", 5, 0, 5, {5, 0, 2, 0}},
        {"on the target", 0, 0, 5, {0, 0, 0, 1}},
        {"a negative speed flies away diagonally", 10, 10, -2, {-m, -m, 1, 0}},
        {"away from a target up and left", -10, -10, -2, {m, m, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AimResult r = Aim(nullptr, c.dx, c.dy, c.speed, 0);
        EXPECT_NEAR(r.vx, c.want.vx, 1e-12);
        EXPECT_NEAR(r.vy, c.want.vy, 1e-12);
        EXPECT_EQ(r.dir, c.want.dir);
        EXPECT_EQ(r.result, c.want.result);
    }
}

TEST_F(AimTest, TheViewsAutoScrollCarriesOrIsTakenAway)
{
    Scroll(1, 0.5);
    struct Case {
        const char* what;
        const cStageObject* mover;
        int scrollMode, noCarry;
        double vx, vy;
    };
    const Case cases[] = {
        {"no mover: unchanged", nullptr, 0, 0, 3, 4},
        {"a mover that does not scroll loses the scroll", &plain, 0, 0, 2, 3.5},
        {"also in scroll mode", &plain, 1, 0, 2, 3.5},
        {"a synced mover in scroll mode keeps it", &synced, 1, 0, 3, 4},
        {"the carry switch adds it", &plain, 0, 1, 4, 4.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bNoScrollCarry = c.noCarry;
        AimResult r = Aim(c.mover, 30, 40, 5, c.scrollMode);
        EXPECT_NEAR(r.vx, c.vx, 1e-12);
        EXPECT_NEAR(r.vy, c.vy, 1e-12);
    }
    // An axis held at its edge does not scroll.
    bNoScrollCarry = 0;
    Scroll(1, 0, 1);
    AimResult r = Aim(&plain, 30, 40, 5, 0);
    EXPECT_NEAR(r.vx, 3, 1e-12);
}

TEST_F(AimTest, ASyncedMoverIsSolvedAgainstTheScroll)
{
    // Target 100 below, view scrolling 3 to the right, speed 5: the speed
    // (3, 4) keeps length 5 and, less the scroll, points straight down.
    Scroll(3, 0);
    AimResult r = Aim(&synced, 0, 100, 5, 0);
    EXPECT_NEAR(r.vx, 3, 1e-12);
    EXPECT_NEAR(r.vy, 4, 1e-12);
    EXPECT_EQ(r.dir, 2);

    // The same across: target 100 to the right, view scrolling 3 down.
    Scroll(0, 3);
    r = Aim(&synced, 100, 0, 5, 0);
    EXPECT_NEAR(r.vx, 4, 1e-12);
    EXPECT_NEAR(r.vy, 3, 1e-12);

    // A scroll faster than the mover leaves no such speed: the straight aim
    // stays, finite.
    Scroll(6, 0);
    r = Aim(&synced, 0, 100, 5, 0);
    EXPECT_EQ(r.vx, 0);
    EXPECT_EQ(r.vy, 5);
    EXPECT_EQ(r.dir, 0);
    Scroll(0, 6);
    r = Aim(&synced, 100, 0, 5, 0);
    EXPECT_EQ(r.vx, 5);
    EXPECT_EQ(r.vy, 0);

    // A scroll as fast as the mover along its way meets a zero: the solving
    // stops with the speeds so far and the facing untouched, on either axis.
    Scroll(5, 0);
    r = Aim(&synced, 100, 0, 5, 0);
    EXPECT_EQ(r.vx, 5);
    EXPECT_EQ(r.vy, 0);
    EXPECT_EQ(r.dir, 7);
    EXPECT_EQ(r.result, 0);
    Scroll(0, 5);
    r = Aim(&synced, 0, 100, 5, 0);
    EXPECT_EQ(r.vx, 0);
    EXPECT_EQ(r.vy, 5);
    EXPECT_EQ(r.dir, 7);
}

TEST_F(AimTest, SingleAxisForms)
{
    struct Case {
        double from, to, speed;
        int arriveTest;
        double v;
        int dir, result;
    };
    const Case cases[] = {
        {10, 10, 3, 1, -3, 1, 1}, {5, 10, 3, 1, 3, 2, 0}, {5, 10, 6, 1, 6, 2, 1},
        {5, 10, 5, 1, 5, 2, 0},   {12, 10, 3, 0, -3, 1, 0},
    };
    for (const Case& c : cases) {
        double vx = -1, vy = -1;
        int dir = 9;
        EXPECT_EQ(ComputeAimSpeedX(vx, vy, dir, nullptr, c.from, c.to, c.speed, 0, c.arriveTest), c.result);
        EXPECT_EQ(vx, c.v);
        EXPECT_EQ(vy, 0);
        EXPECT_EQ(dir, c.dir);
        vx = vy = -1;
        EXPECT_EQ(ComputeAimSpeedY(vx, vy, dir, nullptr, c.from, c.to, c.speed, 0, c.arriveTest), c.result);
        EXPECT_EQ(vy, c.v);
        EXPECT_EQ(vx, 0);
        EXPECT_EQ(dir, 0);
    }
    // A synced mover gains the scroll only with the carry switch.
    Scroll(1, 2);
    double vx, vy;
    int dir;
    ComputeAimSpeedX(vx, vy, dir, &synced, 0, 10, 3, 0, 0);
    EXPECT_EQ(vx, 3);
    bNoScrollCarry = 1;
    ComputeAimSpeedX(vx, vy, dir, &synced, 0, 10, 3, 0, 0);
    EXPECT_EQ(vx, 4);
    ComputeAimSpeedY(vx, vy, dir, &synced, 0, 10, 3, 0, 0);
    EXPECT_EQ(vy, 5);
}

namespace {

class PlacedObject : public cStageObject {
public:
    void SetCenter(int x, int y) override
    {
        cx = x;
        cy = y;
    }
    int cx = -1, cy = -1;
};

} // namespace

TEST_F(AimTest, ArrivalWithStopOnArrivalPlacesAndHalts)
{
    PlacedObject o;
    o.Setup(1, 0, 0, 0, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 0, MOTION_FREE, 0);
    o.SetPosition(h.AxisX().m_dPos + 100, h.AxisY().m_dPos + 100);
    o.UpdateScreenPos();    // screen centre (116, 116)
    cEdMove move;
    move.m_bStopOnArrival = 1;
    cRunningCommand command;
    command.m_dSpeed = 4;
    command.m_lpMove = &move;
    EXPECT_EQ(o.AimAt(command, &o, 160, 116, 0, 1), 0);
    EXPECT_EQ(command.m_dStepX, 4);
    EXPECT_EQ(command.m_nFacingCode, 2);
    EXPECT_EQ(o.cx, -1);
    EXPECT_EQ(o.AimAt(command, &o, 118.5, 114.5, 0, 1), 1);
    EXPECT_EQ(o.cx, 118);
    EXPECT_EQ(o.cy, 114);
    EXPECT_EQ(command.m_dStepX, 0);
    EXPECT_EQ(command.m_dStepY, 0);

    // The target of a targeted movement: own centre plus the offset, on the
    // axes the record moves on.
    command.m_nMoveX = 10;
    command.m_nMoveY = -20;
    struct Case {
        int lockX, lockY;
        double x, y;
    };
    for (Case c : {Case{0, 0, 126, 96}, Case{0, 1, 126, -1}, Case{1, 0, -1, 96}}) {
        move.m_bLockX = static_cast<uint8_t>(c.lockX);
        move.m_bLockY = static_cast<uint8_t>(c.lockY);
        double x = -1, y = -1;
        o.MoveTarget(x, y, command);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
}
