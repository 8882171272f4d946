// The movement commands stepped frame by frame in the harness against
// positions worked out by hand, and their set-up from the movement record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/physics/move_commands.h"
#include "stage/objects/npc.h"
#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/stage/stage_harness.h"

namespace {

constexpr double EPS = 1e-9;
constexpr double PI = 3.14159265358979323846;

// A command of the given kind with a movement record of its own.
struct MoveCommand {
    cCommandData def;
    cRunningCommand run;
    cEdMove& move;
    explicit MoveCommand(int kind, double speed, int length) : move(*NewMove(def))
    {
        def.m_cKind = static_cast<int8_t>(kind);
        run.m_lpCommandData = &def;
        run.m_dSpeed = speed;
        run.m_nLength = length;
    }
    static cEdMove* NewMove(cCommandData& def)
    {
        NewEdMove(def.m_pMove);
        return def.m_pMove.get();
    }
};

class MoveCommands : public ::testing::Test {
protected:
    MoveCommands() : harness(Stage()) {}
    // The targets of the tests are their own locals, gone before the
    // fixture's character, which never followed them.
    ~MoveCommands() override { chara.m_lpTarget = nullptr; }
    static HarnessStage Stage()
    {
        HarnessStage s;
        // The outer limits at the block grid's edges.
        s.nObjectLimitX = (s.nWidth + 20) * 32 - 640;
        s.nObjectLimitY = (s.nHeight + 20) * 32 - 640;
        s.Blocks.assign(13, "");
        s.Blocks[12] = "     ##########";   // stage columns 5..14 of row 12
        return s;
    }
    // A character whose hit box (20 x 28) has its corner at (left, top).
    void Place(cNpc& c, double left, double top, bool flying, int facing = 0)
    {
        PlaceObject(c, left, top, 20, 28, flying ? 1 : 0);
        c.m_nFacing = facing;
        c.m_Def.m_bFixedFacing = 0;
    }
    // Runs the command in the one flow of the character (its flows before
    // are dropped) through the play step's sub-steps; passes counts the
    // sub-steps that began with the flow still running; input is the
    // direction held when the flow fired.
    std::vector<FrameState> Run(cNpc& c, const MoveCommand& m, int frames, int* passes = nullptr, int input = 0)
    {
        c.m_Flows.clear();
        const size_t index = 0;
        StageHarness::GiveCommand(c, m.run).m_nInputDirection = input;
        std::vector<FrameState> states;
        for (int f = 0; f < frames; ++f) {
            for (int s = 1; s <= StageData.m_nSubSteps; ++s) {
                if (passes && c.m_Flows.at(index).m_bRunning) ++*passes;
                CharaSubStep(c, s);
            }
            states.push_back({c.m_dLeft, c.m_dTop, c.m_dVx, c.m_dVy});
        }
        return states;
    }

    StageHarness harness;
    cNpc chara;
};

struct StraightCase {
    const char* name;
    int choice, angle, facing;
    bool flying;
    int input;              // the flow's held direction
    double dx, dy;          // per pass at speed 2
    int facingAfter;
};

// What a character under gravity falls in the 10 frames of a case: its
// speed gains 0.4 a frame before it moves, 0.4 + 0.8 + ... + 4.0.
constexpr double FALL_IN_10_FRAMES = 22;

TEST_F(MoveCommands, StraightByDirectionAndAngle)
{
    const double r = std::sqrt(2.0), c30 = 2 * std::cos(PI / 6), s30 = 2 * std::sin(PI / 6);
    const StraightCase cases[] = {
        {"front, facing left", 0, 0, 0, true, 0, -2, 0, 0},
        {"front at 30 degrees", 0, 30, 0, true, 0, -c30, -s30, 0},
        {"front, facing right, mirrored", 0, 330, 1, true, 0, c30, -s30, 1},
        {"front, facing right, unmirrored", 0, 30, 1, true, 0, c30, s30, 1},
        {"back turns round", 1, 0, 0, true, 0, 2, 0, 1},
        {"up-right", 10, 0, 0, true, 0, r, -r, 1},
        {"down-left at 0", 9, 0, 1, true, 0, -r, r, 0},
        {"up under gravity", 6, 0, 0, false, 0, 0, 0, 0},
        {"up-right under gravity", 10, 0, 0, false, 0, r, 0, 1},
        {"input up-left under gravity", 12, 0, 1, false, 5, -2, 0, 0},
        {"input up-left flying", 12, 0, 1, true, 5, -r, -r, 0},
        {"input none: the facing", 12, 0, 1, true, 0, 2, 0, 1},
        {"input of several keys", 12, 0, 1, true, 9, 0, 0, 1},
    };
    for (const StraightCase& k : cases) {
        cNpc c;
        Place(c, 800, 500, k.flying, k.facing);
        MoveCommand m(FLOWCMD_LINEAR_MOVE, 2, 100);
        m.run.m_nMoveDir = static_cast<uint8_t>(k.choice);
        m.run.m_nAngle = k.angle;
        auto frames = Run(c, m, 10, nullptr, k.input);
        EXPECT_NEAR(frames.back().left, 800 + 10 * k.dx, EPS) << k.name;
        EXPECT_NEAR(frames.back().top, 500 + 10 * k.dy + (k.flying ? 0 : FALL_IN_10_FRAMES), EPS) << k.name;
        EXPECT_EQ(c.m_nFacing, k.facingAfter) << k.name;
    }
}

TEST_F(MoveCommands, StraightToAPointStopsOnArrivalAndHolds)
{
    Place(chara, 800, 500, true);
    MoveCommand m(FLOWCMD_LINEAR_MOVE, 5, 600);
    m.move.m_cMode = 1;
    m.move.m_cCoordKind = 1;          // relative to the character
    m.run.m_nMoveX = 100;
    int passes = 0;
    auto frames = Run(chara, m, 30, &passes);
    EXPECT_EQ(passes, 20);
    EXPECT_NEAR(frames[19].left, 900, EPS);
    EXPECT_NEAR(frames[29].left, 900, EPS);
    EXPECT_NEAR(frames[29].top, 500, EPS);
    EXPECT_EQ(chara.m_nFacing, 1);

    // A fixed-facing character turned round on the way reverses its step.
    cNpc turned;
    Place(turned, 800, 500, true);
    turned.m_Def.m_bFixedFacing = 1;
    MoveCommand back(FLOWCMD_LINEAR_MOVE, 2, 10);
    back.run.m_nMoveDir = 3;          // right
    Run(turned, back, 3);
    EXPECT_NEAR(turned.m_dLeft, 806, EPS);
}

TEST_F(MoveCommands, InertiaNeverPassesTheSecondSpeed)
{
    // A negative limit (the editor stores a signed one) bounds the speed as
    // much as its size.
    for (double limit : {3.0, -3.0}) {
        SCOPED_TRACE(testing::Message() << "limit " << limit);
        cNpc mover;
        Place(mover, 400, 500, true);
        MoveCommand m(FLOWCMD_LINEAR_MOVE, 5, 1000);
        m.run.m_nMoveDir = 3;
        m.move.m_bInertia = 1;
        m.run.m_dSpeed2 = limit;
        auto frames = Run(mover, m, 100);
        double fastest = 0;
        for (const FrameState& f : frames) fastest = std::max(fastest, std::fabs(f.vx));
        EXPECT_DOUBLE_EQ(fastest, 3);
        // 5 / 60 a pass: the limit is reached in the 36th pass.
        EXPECT_NEAR(frames[0].vx, 5.0 / 60, EPS);
        EXPECT_LT(frames[34].vx, 3);
        EXPECT_DOUBLE_EQ(frames[36].vx, 3);
    }
}

TEST_F(MoveCommands, GroundTurnWalksToAndFroOnAPlatform)
{
    // The platform covers pixels 480..799 of row 22 (the margin counted); the
    // character stands on it.
    int top = StageHarness::CellPixel(12) - 28;
    Place(chara, 600, top, false, 0);
    chara.m_Def.m_bFixedFacing = 1;
    MoveCommand m(FLOWCMD_GROUND_TURN_MOVE, 2, 100000);
    auto frames = Run(chara, m, 400);
    double lowest = 1e9, highest = -1e9, lowestTop = 1e9, highestTop = -1e9;
    for (const FrameState& f : frames) {
        lowest = std::min(lowest, f.left);
        highest = std::max(highest, f.left);
        lowestTop = std::min(lowestTop, f.top);
        highestTop = std::max(highestTop, f.top);
    }
    // It turns one pass after its left edge left the platform (478 -> 476),
    // and one pass after its right edge did (782 -> 784).
    EXPECT_DOUBLE_EQ(lowest, 476);
    EXPECT_DOUBLE_EQ(highest, 784);
    // It never leaves the platform. Standing, gravity gives it 0.4, then 0.8
    // more; the y block test lands a bottom edge that reached row 704 and
    // sets the top back by (704 & 31) + 1 = 1 (676.4, 676.2, 676.6, 676.4,
    // ...), so after every frame its bottom edge is above the row: the top
    // stays in 676 .. 677.
    EXPECT_GE(lowestTop, top - EPS);
    EXPECT_LT(highestTop, top + 1);

    // Stopped against another character, it turns round at once.
    cNpc blocked;
    Place(blocked, 600, top, false, 0);
    blocked.m_bStoppedByChara = 1;
    MoveCommand n(FLOWCMD_GROUND_TURN_MOVE, 2, 1);
    Run(blocked, n, 1);
    EXPECT_EQ(blocked.m_nFacing, 1);
    EXPECT_DOUBLE_EQ(blocked.m_dLeft, 602);
}

TEST_F(MoveCommands, GroundTurnWithInertiaKeepsToTheLimitOfEitherSign)
{
    // Speed 6 a pass on the platform (one sub-step a frame): the added speed
    // grows by 6 / 60 = 0.1 a pass in the facing's direction until it reaches
    // the size of the second speed, which the editor may store negative.
    struct Case {
        double limit;
        int facing;
        double vx[7];     // after frames 1 to 7
        double left10;    // after frame 10, from 600
    };
    const Case cases[] = {
        {0.5, 0, {-0.1, -0.2, -0.3, -0.4, -0.5, -0.5, -0.5}, 600 - 1.5 - 5 * 0.5},
        {-0.5, 0, {-0.1, -0.2, -0.3, -0.4, -0.5, -0.5, -0.5}, 600 - 1.5 - 5 * 0.5},
        {-0.5, 1, {0.1, 0.2, 0.3, 0.4, 0.5, 0.5, 0.5}, 600 + 1.5 + 5 * 0.5},
        {-0.25, 0, {-0.1, -0.2, -0.25, -0.25, -0.25, -0.25, -0.25}, 600 - 0.3 - 8 * 0.25},
        {0, 1, {0, 0, 0, 0, 0, 0, 0}, 600},
    };
    const int top = StageHarness::CellPixel(12) - 28;
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << k.limit << " facing " << k.facing);
        cNpc walker;
        Place(walker, 600, top, false, k.facing);
        walker.m_Def.m_bFixedFacing = 1;
        MoveCommand m(FLOWCMD_GROUND_TURN_MOVE, 6, 100000);
        m.move.m_bInertia = 1;
        m.run.m_dSpeed2 = k.limit;
        auto frames = Run(walker, m, 10);
        for (int f = 0; f < 7; ++f) EXPECT_NEAR(frames[f].vx, k.vx[f], EPS) << "frame " << f + 1;
        EXPECT_NEAR(frames[9].left, k.left10, EPS);
        EXPECT_EQ(walker.m_nFacing, k.facing);
    }
}

TEST_F(MoveCommands, CircleTracesItsArcAndCloses)
{
    // Radius 2 half blocks (32 pixels), 9 degrees a pass, from angle 0, clockwise.
    Place(chara, 800, 500, true);
    MoveCommand m(FLOWCMD_CIRCLE_MOVE, 9, 40);
    m.run.m_nMoveTime = 32 * StageData.m_nSubSteps;
    m.run.m_nMoveDir = 0;
    auto frames = Run(chara, m, 40);
    // After a quarter: the sums of -32 x (pi / 180) x 9 x cos(9i) and of the
    // same with the phase of 270, i = 0..9.
    EXPECT_NEAR(frames[9].left, 800 - 34.44744968621127, 1e-6);
    EXPECT_NEAR(frames[9].top, 500 - 29.42090144046759, 1e-6);
    EXPECT_NEAR(frames[39].left, 800, 1e-6);
    EXPECT_NEAR(frames[39].top, 500, 1e-6);

    // Counter-clockwise the vertical motion is mirrored.
    cNpc other;
    Place(other, 800, 500, true);
    MoveCommand n(FLOWCMD_CIRCLE_MOVE, 9, 10);
    n.run.m_nMoveTime = 32 * StageData.m_nSubSteps;
    n.run.m_nMoveDir = 1;
    auto back = Run(other, n, 10);
    EXPECT_NEAR(back[9].left, 800 - 34.44744968621127, 1e-6);
    EXPECT_NEAR(back[9].top, 500 + 29.42090144046759, 1e-6);
}

TEST_F(MoveCommands, ChargeAndHomingNeedALivingTarget)
{
    Place(chara, 800, 500, true);
    MoveCommand none(FLOWCMD_CHARGE_MOVE, 2, 20);
    auto still = Run(chara, none, 20);
    EXPECT_DOUBLE_EQ(still.back().left, 800);
    EXPECT_EQ(chara.m_bMovedByCommand, 0);

    cNpc target;
    Place(target, 1000, 500, true);
    chara.m_lpTarget = &target;
    MoveCommand charge(FLOWCMD_CHARGE_MOVE, 2, 10);
    auto straight = Run(chara, charge, 10);
    EXPECT_NEAR(straight.back().left, 820, EPS);
    EXPECT_NEAR(straight.back().top, 500, EPS);

    // Turned by 90 degrees from the right: down.
    cNpc turner;
    Place(turner, 800, 500, true);
    turner.m_lpTarget = &target;
    MoveCommand turned(FLOWCMD_CHARGE_MOVE, 2, 10);
    turned.run.m_nAngle = 90;
    auto down = Run(turner, turned, 10);
    EXPECT_NEAR(down.back().left, 800, 1e-9);
    EXPECT_NEAR(down.back().top, 520, 1e-9);

    // Homing follows a target that has died no further.
    cNpc follower;
    Place(follower, 800, 500, true);
    follower.m_lpTarget = &target;
    MoveCommand homing(FLOWCMD_HOMING_MOVE, 2, 10);
    Run(follower, homing, 5);
    EXPECT_NEAR(follower.m_dLeft, 810, EPS);
    target.m_bDead = 1;
    MoveCommand after(FLOWCMD_HOMING_MOVE, 2, 10);
    Run(follower, after, 5);
    EXPECT_NEAR(follower.m_dLeft, 810, EPS);
}

TEST_F(MoveCommands, HomingWithADelayAimsWhereTheTargetWas)
{
    Place(chara, 800, 500, true);
    cNpc target;
    Place(target, 900, 500, true);
    chara.m_lpTarget = &target;
    MoveCommand m(FLOWCMD_HOMING_MOVE, 2, 100);
    m.run.m_nMoveTime = 5;
    StageHarness::GiveCommand(chara, m.run);
    harness.Run(chara, 1);
    // The target goes straight up; the first aim (to the right) holds for
    // five passes, then the point it had at the first pass is aimed at.
    target.SetPosition(900, 300);
    auto frames = harness.Run(chara, 5);
    EXPECT_NEAR(frames[3].left, 810, EPS);
    EXPECT_NEAR(frames[3].top, 500, EPS);
    EXPECT_NEAR(frames[4].left, 812, EPS);
    EXPECT_NEAR(frames[4].top, 500, EPS);
}

TEST_F(MoveCommands, AvoidingTheScreenEdgeComesBackInside)
{
    // View at 320: screen x = left - 6 (draw offset) - 320.
    Place(chara, 950, 500, true);
    MoveCommand m(FLOWCMD_AVOID_OFFSCREEN_MOVE, 2, 100);
    m.run.m_nMoveDir = 2;             // watch the left
    auto frames = Run(chara, m, 20);
    EXPECT_DOUBLE_EQ(frames.back().left, 934);   // screen x 608

    cNpc low;
    Place(low, 320, 500, true);
    MoveCommand n(FLOWCMD_AVOID_OFFSCREEN_MOVE, 2, 100);
    n.run.m_nMoveDir = 1;             // back of a left-facing character: the right
    auto right = Run(low, n, 20);
    // Its screen right edge (left - 326 + 31) goes from 25 past 32.
    EXPECT_DOUBLE_EQ(right.back().left, 328);
}

TEST_F(MoveCommands, TurnCancelAndJump)
{
    int sounds = 0;
    static int* counter;
    counter = &sounds;
    auto host = std::make_unique<cHarnessHost>();
    host->onPlayUserSE = [](int) { ++*counter; };

    Place(chara, 800, 500, true, 0);
    MoveCommand free(FLOWCMD_TURN, 0, 60);
    free.def.m_Params = {1};
    free.def.m_sSound = 4;
    Run(chara, free, 20);
    EXPECT_EQ(chara.m_nFacing, 0);   // facing not fixed: nothing
    EXPECT_EQ(sounds, 0);

    cNpc target;
    Place(target, 900, 500, true);
    chara.m_Def.m_bFixedFacing = 1;
    MoveCommand face(FLOWCMD_TURN, 0, 13);
    face.def.m_Params = {2};
    face.def.m_sSound = 4;
    Run(chara, face, 13);
    EXPECT_EQ(chara.m_nFacing, 0);   // no target: the sound every pass
    EXPECT_EQ(sounds, 13);
    chara.m_lpTarget = &target;
    sounds = 0;
    MoveCommand again(FLOWCMD_TURN, 0, 13);
    again.def.m_Params = {2};
    again.def.m_sSound = 4;
    Run(chara, again, 13 * StageData.m_nSubSteps);
    EXPECT_EQ(chara.m_nFacing, 1);
    EXPECT_EQ(sounds, 3);            // passes 0, 6 and 12
    host.reset();

    chara.m_dVx = chara.m_dAx = chara.m_dKnockY = 1;
    chara.m_bHoldScreenX = 1;
    CmdCancelMove(*lpStageScene, &chara, &again.run);
    EXPECT_EQ(chara.m_dVx, 0);
    EXPECT_EQ(chara.m_dAx, 0);
    EXPECT_EQ(chara.m_dKnockY, 0);
    EXPECT_EQ(chara.m_bHoldScreenX, 0);
    EXPECT_EQ(chara.m_bMoveCancelled, 1);

    struct Jumper : cChara {
        int jumps = 0;
        int Jump(cStageWorld&, cRunningCommand*) override { return ++jumps; }
    } jumper;
    MoveCommand jump(FLOWCMD_JUMP, 0, 3);
    jumper.m_bHoldScreenY = 1;
    for (int i = 0; i < 3; ++i) CmdJump(*lpStageScene, &jumper, &jump.run);
    EXPECT_EQ(jumper.jumps, 3);
    EXPECT_EQ(jump.run.m_nPass, 3);
    EXPECT_EQ(jumper.m_bHoldScreenY, 0);
}

TEST_F(MoveCommands, SetUpFromTheRecord)
{
    int b = StageData.m_nSubSteps;
    // The angle mirrored for a right-facing character.
    for (int facing : {0, 1}) {
        MoveCommand m(FLOWCMD_LINEAR_MOVE, 1, 60);
        m.move.m_sAngle = 30;
        m.move.m_bMirrorAngle = 1;
        m.move.m_cMode = 1;
        m.move.m_sTargetX = 2;
        m.move.m_sTargetDotX = 5;
        m.move.m_sTargetY = -1;
        InitLinearMove(&m.run, &chara, facing);
        EXPECT_EQ(m.run.m_nAngle, facing ? 330 : 30);
        EXPECT_EQ(m.run.m_nMoveX, facing ? -69 : 69);   // negated when mirrored on x
        EXPECT_EQ(m.run.m_nMoveY, -32);
    }
    // The third of a group: angle base 100 + 2 x step 150 = 400 -> 40.
    cNpc third;
    third.m_sParamIndex = 2;
    MoveCommand g(FLOWCMD_LINEAR_MOVE, 1, 60);
    g.move.m_sAngle = 100;
    g.move.m_sAngleStep = 150;
    g.move.m_bMirrorAngle = 0;
    InitLinearMove(&g.run, &third, 1);
    EXPECT_EQ(g.run.m_nAngle, 40);

    // Time from speed: 10 half blocks at 2 pixels a pass.
    MoveCommand t(FLOWCMD_GROUND_TURN_MOVE, 2, 60);
    t.move.m_cTiming = 2;
    t.move.m_sDistance = 10;
    InitMoveTiming(&t.run, &chara, 0);
    EXPECT_EQ(t.run.m_nLength, 80);
    // Speed from time; a time of 0 covers the distance in one pass.
    t.move.m_cTiming = 1;
    t.move.m_cDistanceUnit = 1;
    t.move.m_sDistance = 90;
    t.run.m_nLength = 60;
    InitMoveTiming(&t.run, &chara, 0);
    EXPECT_DOUBLE_EQ(t.run.m_dSpeed, 1.5);
    t.run.m_nLength = 0;
    InitMoveTiming(&t.run, &chara, 0);
    EXPECT_DOUBLE_EQ(t.run.m_dSpeed, 90);

    // Circle: radius clamped to 20 half blocks, the sense and the angles
    // turned for a right-facing character with the x negation.
    MoveCommand c(FLOWCMD_CIRCLE_MOVE, 1, 60 * b);
    c.move.m_sRadius = 25;
    c.move.m_sAngle = 0;
    c.move.m_sDistance = 90;
    c.move.m_bMirrorX = 1;
    c.run.m_nMoveDir = 0;
    InitCircleMove(&c.run, &chara, 1);
    EXPECT_EQ(c.run.m_nMoveTime, 20 * 16 * b);
    EXPECT_EQ(c.run.m_nMoveDir, 1);
    EXPECT_EQ(c.run.m_nStartAngle, 180 * b);
    EXPECT_EQ(c.run.m_nEndAngle, 270 * b);
    EXPECT_DOUBLE_EQ(c.run.m_dSpeed, 90.0 / 60 / b);
    c.run.m_nLength = 0;
    InitCircleMove(&c.run, &chara, 0);
    EXPECT_TRUE(std::isfinite(c.run.m_dSpeed));

    // A jump lasts until its apex, rounded up to a tenth of a second.
    MoveCommand j(FLOWCMD_JUMP, 0, 999);
    j.def.m_Params = {0, 0, 4};
    j.def.m_sTime = 50;
    // One sub-step, gravity 0.4: 64 pixels of a player's-side character
    // start at (-0.4 - sqrt(0.4 x 512.4)) / 2 x (0.99 - 0.025 x 0.4) =
    // -7.21105; the rise lasts trunc(1 + 7.21105 / 0.4) = 19 sub-steps,
    // 19 / 6 + 1 = 4 tenths, 24 passes.
    ASSERT_EQ(b, 1);
    InitJump(&j.run, &chara, 0);
    EXPECT_NEAR(j.run.m_dSpeed, -7.21105, 1e-5);
    EXPECT_EQ(j.def.m_sTime, 4);
    EXPECT_EQ(j.run.m_nLength, 24);
}

TEST(MoveDirections, HeldInputToDirection)
{
    const int expected[] = {2, 2, 3, 6, 7, 8, 9, 10, 11, 0};
    for (int input = 0; input <= 9; ++input) EXPECT_EQ(ButtonFromChoice(input, 0), expected[input]) << input;
    EXPECT_EQ(ButtonFromChoice(0, 1), 3);
}

} // namespace
