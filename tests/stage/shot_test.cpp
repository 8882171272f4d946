// Shots: their set-up, range and lifetime counted in sub-steps, motions,
// block tests and swords, the formations of a volley against positions and
// velocities worked out by hand, the random draws of a volley, and the shot,
// sword and flow-control commands.
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "app/base/log.h"
#include "files/database.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/command_data.h"
#include "records/flow_data.h"
#include "records/palette_data.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/random.h"
#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/objects/shot.h"
#include "stage/script/shot_fire.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"
#include "tests/support/test_dir.h"

namespace {

constexpr double K = 0.7071067811865476;

HarnessStage ShotStage(int subSteps)
{
    HarnessStage stage;
    stage.nHitCheckLevel = subSteps;
    stage.nObjectLimitX = 1280;
    stage.nObjectLimitY = 1280;
    return stage;
}

// A 32 x 32 character, drawn the same size, its corner at (left, top).
cNpc& AddChara(double left, double top, int facing, int ref)
{
    cNpc& c = CharaList.emplace_back();
    PlaceObject(c, left, top, 32, 32, MOTION_FREE);
    c.m_nRef = ref;
    c.m_nFacing = facing;
    c.m_nSide = 1;
    return c;
}

// Player 1, 32 x 32, its corner at (left, top).
void AddHero(double left, double top)
{
    Player.emplace_back();
    PlaceObject(Player[P1], left, top, 32, 32, MOTION_FREE);
    Player[P1].m_nRef = 9;
}

// A stage with its view at (0, 0), a firer whose box starts at (100, 200),
// and a command of the given kind carrying the record.
struct ShotRig {
    StageHarness h;
    cStageScene& scene;
    cNpc& firer;
    cCommandData def;
    cRunningCommand command;

    explicit ShotRig(int subSteps = 1, int facing = 0, int kind = FLOWCMD_SHOT)
        : h(ShotStage(subSteps)), scene(h.Scene()), firer(AddChara(100, 200, facing, 1))
    {
        h.SetView(0, 0);
        firer.UpdateScreenPos();
        StageData.m_nShotBoxW = StageData.m_nShotBoxH = 16;
        StageData.m_nShotBox2W = StageData.m_nShotBox2H = 16;
        def.m_cKind = static_cast<int8_t>(kind);
        NewEdShot(def.m_pShot);
        command.m_lpCommandData = &def;
    }
    cEdShot& Record() { return *def.m_pShot; }
    std::vector<cShot*> Fire()
    {
        scene.m_ShotList.clear();
        for (auto& layer : scene.m_ShotLayers) layer.clear();
        FireShot(&scene.m_ShotList, &firer, &command, Record());
        std::vector<cShot*> shots;
        for (cShot& s : scene.m_ShotList) shots.push_back(&s);
        return shots;
    }
};

// A record of n shots at 2 pixels a frame.
void Volley(cEdShot& r, int arrangement, int direction, int n)
{
    r.m_cArrangement = static_cast<int8_t>(arrangement);
    r.m_cDirection = static_cast<int8_t>(direction);
    r.m_cCount = static_cast<int8_t>(n);
    r.m_sSpeed = 20;
}

struct Start {
    int x, y;
};

struct FormationCase {
    const char* name;
    int arrangement, direction, n, param0, param1, param2, reference, facing;
    std::vector<Start> starts;
    double vx, vy;                    // every shot's velocity, pixels a frame
};

} // namespace

TEST(ShotTrunc, TruncatesTowardZeroAndHoldsWhatNoIntCanHold)
{
    const struct {
        double in;
        int out;
    } cases[] = {{2.9, 2}, {-2.9, -2}, {-0.5, 0}, {1e12, INT_MAX}, {-1e12, INT_MIN},
                 {std::numeric_limits<double>::quiet_NaN(), 0}, {std::numeric_limits<double>::infinity(), INT_MAX}};
    for (const auto& c : cases) EXPECT_EQ(TruncToInt(c.in), c.out) << c.in;
}

// Firer box (100, 200) 32 x 32: R 131, B 231, CX 116, CY 216; shots 16 x 16,
// interval 16 where the arrangement has one.
TEST(ShotFormation, StartsAndVelocitiesOfEveryPlacementMatchHandWorkedValues)
{
    const double d = 2 * K;
    const FormationCase cases[] = {
        {"A left", 0, SHOTDIR_LEFT, 3, 1, 0, 0, 0, 0, {{85, 176}, {85, 208}, {85, 240}}, -2, 0},
        {"A right", 0, SHOTDIR_RIGHT, 3, 1, 0, 0, 0, 0, {{132, 176}, {132, 208}, {132, 240}}, 2, 0},
        {"A up", 0, SHOTDIR_UP, 3, 1, 0, 0, 0, 0, {{76, 184}, {108, 184}, {140, 184}}, 0, -2},
        {"A down", 0, SHOTDIR_DOWN, 3, 1, 0, 0, 0, 0, {{76, 232}, {108, 232}, {140, 232}}, 0, 2},
        // Diagonals: inner and outer truncations, K x 23 = 16.26, K x 24 =
        // 16.97, K x 2 x 16 = 22.63.
        {"A up-left", 0, SHOTDIR_UP_LEFT, 3, 1, 0, 0, 0, 0, {{68, 213}, {100, 181}, {132, 149}}, -d, -d},
        {"A down-left", 0, SHOTDIR_DOWN_LEFT, 3, 1, 0, 0, 0, 0, {{68, 201}, {100, 233}, {132, 265}}, -d, d},
        {"A up-right", 0, SHOTDIR_UP_RIGHT, 3, 1, 0, 0, 0, 0, {{101, 168}, {133, 200}, {165, 232}}, d, -d},
        {"A down-right", 0, SHOTDIR_DOWN_RIGHT, 3, 1, 0, 0, 0, 0, {{101, 246}, {133, 214}, {165, 182}}, d, d},
        {"B left", 1, SHOTDIR_LEFT, 3, 1, 0, 0, 0, 0, {{85, 216}, {85, 184}, {85, 152}}, -2, 0},
        {"B down-right", 1, SHOTDIR_DOWN_RIGHT, 2, 1, 0, 0, 0, 0, {{132, 216}, {132, 184}}, d, d},
        {"B up facing left", 1, SHOTDIR_UP, 2, 0, 0, 0, 0, 0, {{85, 216}, {85, 200}}, 0, -2},
        {"B up facing right", 1, SHOTDIR_UP, 2, 0, 0, 0, 0, 1, {{132, 216}, {132, 200}}, 0, -2},
        {"burst of 1", 4, SHOTDIR_RIGHT, 1, 0, 0, 0, 0, 0, {{108, 208}}, 2, 0},
        // Thunder from the view's edge, reference the firer itself.
        {"thunder left", 3, SHOTDIR_LEFT, 3, 1, 1, 0, 2, 0, {{624, 208}, {592, 208}, {560, 208}}, -2, 0},
        {"thunder left, 2 rows", 3, SHOTDIR_LEFT, 2, 1, 2, 2, 2, 0, {{624, 192}, {624, 224}, {592, 192}, {592, 224}},
         -2, 0},
        {"thunder down", 3, SHOTDIR_DOWN, 2, 1, 1, 0, 2, 0, {{108, 0}, {108, 32}}, 0, 2},
        // 640 - 116 = 524 >= 480 - 216 = 264: from the bottom edge; steps
        // of T(-K x 32) = -22.
        {"thunder up-left", 3, SHOTDIR_UP_LEFT, 3, 1, 1, 0, 2, 0, {{364, 464}, {342, 442}, {320, 420}}, -d, -d},
        // 116 < 216: from the left edge.
        {"thunder down-right", 3, SHOTDIR_DOWN_RIGHT, 2, 0, 1, 0, 2, 0, {{0, 100}, {11, 111}}, d, d},
    };
    for (const FormationCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig(1, c.facing);
        cEdShot& r = rig.Record();
        Volley(r, c.arrangement, c.direction, c.n);
        r.m_sArrangeParam[0] = static_cast<int16_t>(c.param0);
        r.m_sArrangeParam[1] = static_cast<int16_t>(c.param1);
        r.m_sArrangeParam[2] = static_cast<int16_t>(c.param2);
        r.m_cReference = static_cast<int8_t>(c.reference);
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), c.starts.size());
        for (size_t i = 0; i < shots.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(shots[i]->m_dLeft, c.starts[i].x);
            EXPECT_EQ(shots[i]->m_dTop, c.starts[i].y);
            EXPECT_NEAR(shots[i]->m_dOwnVX, c.vx, 1e-9);
            EXPECT_NEAR(shots[i]->m_dOwnVY, c.vy, 1e-9);
        }
    }
}

// The angled arrangements: every shot of a volley leaves at its own angle.
TEST(ShotFormation, AnglesOfSpreadBurstAndSurround)
{
    struct Case {
        const char* name;
        int arrangement, n, param0;
        std::vector<double> angles;
        std::vector<Start> starts;
    };
    // Surround of 4 at 96 pixels around the firer's centre (108, 208): the
    // + 0.5 rounds -95.5 up to -95 but 96.5 down to 96.
    const Case cases[] = {
        {"spread of 4", 2, 4, 30, {135, 165, 195, 225}, {{132, 208}, {132, 208}, {132, 208}, {132, 208}}},
        {"spread of 3", 2, 3, 30, {150, 180, 210}, {{132, 208}, {132, 208}, {132, 208}}},
        {"burst of 4", 4, 4, 0, {180, 270, 360, 450}, {{108, 208}, {108, 208}, {108, 208}, {108, 208}}},
        {"surround of 4", 5, 4, 6, {180, 270, 360, 450}, {{13, 208}, {108, 113}, {204, 208}, {108, 304}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig;
        cEdShot& r = rig.Record();
        Volley(r, c.arrangement, SHOTDIR_RIGHT, c.n);
        r.m_sArrangeParam[0] = static_cast<int16_t>(c.param0);
        r.m_cReference = SHOTREF_SELF;
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), c.angles.size());
        for (size_t i = 0; i < shots.size(); ++i) {
            SCOPED_TRACE(i);
            double a = c.angles[i] * 3.141592653589793 / 180;
            EXPECT_NEAR(shots[i]->m_dOwnVX, -std::cos(a) * 2, 1e-9);
            EXPECT_NEAR(shots[i]->m_dOwnVY, -std::sin(a) * 2, 1e-9);
            EXPECT_EQ(shots[i]->m_dLeft, c.starts[i].x);
            EXPECT_EQ(shots[i]->m_dTop, c.starts[i].y);
        }
    }
}

TEST(ShotFormation, AimedAtATargetStraightAndPredictedUnderAutoScroll)
{
    ShotRig rig;
    cNpc& target = AddChara(300, 208, 0, 2);
    rig.firer.m_lpTarget = &target;
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_STRAIGHT_B, SHOTDIR_LEFT, 1);
    r.m_bAim = 1;
    // Straight aim from the start (85, 216) + 8 to the target's centre
    // (316, 224): due right.
    std::vector<cShot*> shots = rig.Fire();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_NEAR(shots[0]->m_dOwnVX, 2, 1e-9);
    EXPECT_NEAR(shots[0]->m_dOwnVY, 0, 1e-9);

    // The view scrolls right by 1 a sub-step and the target rides with it:
    // the shot is aimed and slowed to what it gains on the target.
    target.m_bScrollSync = 1;
    rig.h.AxisX().m_dAutoSpeed = 1;
    SHOTPLACE p;
    p.m_dSpeed = 2;
    EXPECT_EQ(AimAngle(93, 224, &rig.firer, r, p), 180);
    EXPECT_DOUBLE_EQ(p.m_dSpeed, 1);
    // A scroll faster than the shot: it can only fall back, aimed away.
    rig.h.AxisX().m_dAutoSpeed = 3;
    p.m_dSpeed = 2;
    EXPECT_EQ(AimAngle(93, 224, &rig.firer, r, p), 360);
    EXPECT_DOUBLE_EQ(p.m_dSpeed, 1);
    // Without a target: ahead by the facing.
    rig.firer.m_lpTarget = nullptr;
    EXPECT_EQ(AimAngle(93, 224, &rig.firer, r, p), 0);
}

TEST(ShotFormation, OutOfTableValuesFireNothingAndAnUnknownInputFiresForward)
{
    struct Case {
        const char* name;
        int arrangement, direction, reference, input;
        size_t shots;
    };
    const Case cases[] = {
        {"arrangement 6", 6, SHOTDIR_LEFT, 0, 0, 0},
        {"arrangement -1", -1, SHOTDIR_LEFT, 0, 0, 0},
        {"direction 13", 0, 13, 0, 0, 0},
        {"direction -2", 0, -2, 0, 0, 0},
        {"thunder reference 3", 3, SHOTDIR_LEFT, 3, 0, 0},
        {"thunder at a missing target", 3, SHOTDIR_LEFT, SHOTREF_TARGET, 0, 0},
        {"surround at a missing target", 5, SHOTDIR_LEFT, SHOTREF_TARGET, 0, 0},
        {"input direction 9", 0, SHOTDIR_INPUT, 0, 9, 1},
        {"input direction 0", 0, SHOTDIR_INPUT, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig(1, 1);
        cRunningFlow flow;
        flow.m_nInputDirection = c.input;
        rig.scene.m_lpCurFlow = &flow;
        cEdShot& r = rig.Record();
        Volley(r, c.arrangement, c.direction, 1);
        r.m_sArrangeParam[1] = 1;
        r.m_cReference = static_cast<int8_t>(c.reference);
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), c.shots);
        // Forward for a firer facing right.
        if (c.shots) {
            EXPECT_GT(shots[0]->m_dOwnVX, 0);
        }
        rig.scene.m_lpCurFlow = nullptr;
    }
}

TEST(ShotFormation, InputDirectionsResolveToTheirPlacementRows)
{
    const int expected[10] = {SHOTDIR_LEFT,   SHOTDIR_LEFT,      SHOTDIR_RIGHT,   SHOTDIR_UP,         SHOTDIR_DOWN,
                              SHOTDIR_UP_LEFT, SHOTDIR_DOWN_LEFT, SHOTDIR_UP_RIGHT, SHOTDIR_DOWN_RIGHT, SHOTDIR_LEFT};
    for (int input = 0; input < 10; ++input) EXPECT_EQ(ResolveShotDirection(SHOTDIR_INPUT, 0, input), expected[input]);
    EXPECT_EQ(ResolveShotDirection(SHOTDIR_FORWARD, 1, 0), SHOTDIR_RIGHT);
    EXPECT_EQ(ResolveShotDirection(SHOTDIR_BACK, 1, 0), SHOTDIR_LEFT);
    EXPECT_EQ(ResolveShotDirection(SHOTDIR_FORWARD_Y, 1, 0), SHOTDIR_DOWN);
    EXPECT_EQ(ResolveShotDirection(SHOTDIR_BACK_Y, 0, 0), SHOTDIR_DOWN);
}

TEST(ShotVolley, AnglesStepAndMirrorPerVolley)
{
    for (int facing : {1, 0}) {
        SCOPED_TRACE(facing);
        ShotRig rig(1, facing);
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_LEFT, 1);
        r.m_cRepeat = 2;
        r.m_sAngle = 10;
        r.m_sAngleStep = 20;
        r.m_sSpeedStep = 10;
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), 3u);
        const double right[3] = {350, 330, 310}, left[3] = {10, 30, 50};
        for (int i = 0; i < 3; ++i) {
            double a = (facing ? right[i] : left[i]) * 3.141592653589793 / 180;
            double v = 2 + i;
            EXPECT_NEAR(shots[i]->m_dOwnVX, -std::cos(a) * v, 1e-9) << i;
            EXPECT_NEAR(shots[i]->m_dOwnVY, -std::sin(a) * v, 1e-9) << i;
            EXPECT_EQ(shots[i]->m_sParamIndex, i);
        }
    }
}

// One draw before the first volley and one after each: a volley of three
// draws four times; a summon never draws.
TEST(ShotVolley, RandomSpreadDrawsOncePerVolleyAndOnceMore)
{
    ShotRig rig;
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_LEFT, 1);
    r.m_cRepeat = 2;
    r.m_sAngleRandom = 10;
    GameSrand(4321);
    int draws[5];
    for (int& d : draws) d = GameRand();
    GameSrand(4321);
    std::vector<cShot*> shots = rig.Fire();
    EXPECT_EQ(GameRand(), draws[4]);
    ASSERT_EQ(shots.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        double a = (draws[i] % 21 - 10) * 3.141592653589793 / 180;
        EXPECT_NEAR(shots[i]->m_dOwnVX, -std::cos(a) * 2, 1e-9) << i;
        EXPECT_NEAR(shots[i]->m_dOwnVY, -std::sin(a) * 2, 1e-9) << i;
    }

    std::vector<cCharaData> saved = CommonPalette.m_Charas;
    CommonPalette.m_Charas.assign(2, cCharaData());
    CommonPalette.m_Charas[1].m_cControl = CHARA_COMPUTER;
    r.m_sPaletteIndex = 1;
    GameSrand(4321);
    SummonChara(&rig.firer, &rig.command, r);
    EXPECT_EQ(GameRand(), draws[0]);
    CommonPalette.m_Charas = saved;
}

TEST(ShotSize, SizeFactorScalesTheShotAndSpacesTheFormation)
{
    const struct {
        int size, side, boxW, boxH;
        int w, hitOffX, hitOffY, hitW, step;
    } cases[] = {
        {1, 0, 8, 6, 16, 4, 5, 8, 32},
        {3, 0, 8, 6, 48, 12, 15, 24, 64},
        {2, 1, 12, 12, 32, 4, 4, 24, 48},
        {0, 1, 12, 12, 16, 2, 2, 12, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        ShotRig rig;
        rig.firer.m_nSide = c.side;
        StageData.m_nShotBoxW = c.side == 0 ? c.boxW : 99;
        StageData.m_nShotBoxH = c.side == 0 ? c.boxH : 99;
        StageData.m_nShotBox2W = c.side == 1 ? c.boxW : 99;
        StageData.m_nShotBox2H = c.side == 1 ? c.boxH : 99;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_STRAIGHT_A, SHOTDIR_LEFT, 2);
        r.m_sArrangeParam[0] = 1;
        r.m_cSize = static_cast<int8_t>(c.size);
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), 2u);
        EXPECT_EQ(shots[0]->m_nHitW, c.w);
        EXPECT_EQ(shots[0]->m_nHitH, c.w);
        EXPECT_EQ(shots[0]->m_nDrawW, c.w);
        EXPECT_EQ(shots[0]->m_HitBox.nOffX, c.hitOffX);
        EXPECT_EQ(shots[0]->m_HitBox.nOffY, c.hitOffY);
        EXPECT_EQ(shots[0]->m_HitBox.nW, c.hitW);
        EXPECT_EQ(shots[0]->m_HitBox.rect.left, shots[0]->m_dLeft + c.hitOffX);
        EXPECT_EQ(shots[1]->m_dTop - shots[0]->m_dTop, c.step);
    }
}

// Removal by range and by lifetime, counted in updates (sub-steps).
TEST(ShotLife, RangeAndLifetimeEndTheShotAtTheWorkedUpdate)
{
    const struct {
        const char* name;
        int subSteps, speed, range, lifetime;
        int stay;
        int lastUpdate;             // the shot is still there after this many
    } cases[] = {
        {"range 2, 0.5 a frame: 16 / 0.5", 1, 5, 2, -1, 0, 32},
        {"range 2, 4 a frame over 2 sub-steps: 16 / 2", 2, 40, 2, -1, 0, 8},
        {"range 1 leaves no reach: one frame", 1, 5, 1, -1, 0, 1},
        {"range 1 over 2 sub-steps: one frame", 2, 30, 1, -1, 0, 2},
        {"range covered within a frame: one frame", 4, 200, 2, -1, 0, 4},
        {"lifetime 1 tenth, 2 sub-steps", 2, 10, -1, 1, 0, 12},
        {"lifetime 3 tenths, 1 sub-step", 1, 10, -1, 3, 0, 18},
        {"lifetime before range", 1, 5, 2, 1, 0, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig(c.subSteps);
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_sSpeed = static_cast<int16_t>(c.speed);
        r.m_bRange = c.range >= 0;
        r.m_sRange = static_cast<int16_t>(c.range);
        r.m_bLifetime = c.lifetime >= 0;
        r.m_sLifetime = static_cast<int16_t>(c.lifetime);
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), 1u);
        cShot& s = *shots[0];
        for (int u = 1; u <= c.lastUpdate; ++u) ASSERT_EQ(s.Update(), 0) << "update " << u;
        EXPECT_EQ(s.Update(), 1);
    }
}

TEST(ShotLife, ARangeCoveredWithinAFrameIsFlownExactlyInThatFrame)
{
    ShotRig rig(4);
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
    r.m_sSpeed = 200;
    r.m_bRange = 1;
    r.m_sRange = 2;
    std::vector<cShot*> shots = rig.Fire();
    // Reach 16: 4 pixels in each of the 4 sub-steps.
    EXPECT_NEAR(shots[0]->m_dOwnVX, 4, 1e-9);
    EXPECT_EQ(shots[0]->m_nRangeLeft, 4);
    EXPECT_EQ(rig.h.StepShots(1), 1);
    EXPECT_NEAR(shots[0]->m_dLeft, 108 + 16, 1e-9);
    EXPECT_EQ(rig.h.StepShots(1), 0);
}

// A shot off the screen beyond the edge of its side's range (the computer's
// side here: the firer's) is cut in the first sub-step of a frame only; the
// edge of the other side, and a shot still on the screen, keep it. View at
// 0: the right edge's range with no margin ends at 640.
TEST(ShotLife, OutOfRangeShotsAreCutInTheFirstSubStepOnly)
{
    const struct {
        const char* name;
        int edge;               // the screen edge whose right side is tested
        double left;
        int subStep;
        size_t kept;
    } cases[] = {
        {"beyond its side's edge, sub-step 1", 4, 700, 1, 0},
        {"beyond its side's edge, sub-step 2", 4, 700, 2, 1},
        {"only the other side's edge tested", 3, 700, 1, 1},
        {"still on the screen", 4, 600, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig(2);
        StageData.m_ScreenEdges[c.edge].m_bRight = 1;
        StageData.m_ScreenEdges[c.edge].m_nRight = 0;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        std::vector<cShot*> shots = rig.Fire();
        ASSERT_EQ(shots.size(), 1u);
        shots[0]->SetPosition(c.left, 208);
        rig.scene.m_nSubStep = c.subStep;
        rig.scene.UpdateShotConditions();
        rig.scene.StepShots(c.subStep);
        EXPECT_EQ(rig.scene.m_ShotList.size(), c.kept);
    }
}

TEST(ShotLife, AtTheEndOfItsRangeAStayingShotStops)
{
    ShotRig rig;
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
    r.m_sSpeed = 5;
    r.m_bRange = 1;
    r.m_sRange = 2;
    r.m_bStayAtRange = 1;
    rig.Fire();
    EXPECT_EQ(rig.h.StepShots(40), 1);
    const cShot& s = rig.scene.m_ShotList.front();
    EXPECT_DOUBLE_EQ(s.m_dLeft, 108 + 16);
    EXPECT_EQ(s.m_dVx, 0);
    EXPECT_EQ(s.m_dOwnVX, 0);
}

// Acceleration 6 pixels a frame (0.1 a sub-step) along the flight: the own
// speed gains it in Update and the move gains it once more.
TEST(ShotMotion, AccelerationActsAlongTheFlightAndGrowsPerVolley)
{
    ShotRig rig;
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
    r.m_bAccel = 1;
    r.m_sAccel = 60;
    r.m_sAccelStep = 60;
    r.m_cRepeat = 1;
    std::vector<cShot*> shots = rig.Fire();
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_NEAR(shots[0]->m_dAx, 0.1, 1e-12);
    EXPECT_NEAR(shots[0]->m_dAy, 0, 1e-12);
    EXPECT_NEAR(shots[1]->m_dAx, 0.2, 1e-12);
    rig.h.StepShots(1);
    EXPECT_NEAR(shots[0]->m_dLeft, 108 + 2.2, 1e-9);
    rig.h.StepShots(1);
    EXPECT_NEAR(shots[0]->m_dLeft, 108 + 2.2 + 2.3, 1e-9);

    // Straight down: all of it on y.
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_DOWN, 1);
    r.m_cRepeat = 0;
    shots = rig.Fire();
    EXPECT_NEAR(shots[0]->m_dAx, 0, 1e-12);
    EXPECT_NEAR(shots[0]->m_dAy, 0.1, 1e-12);
}

TEST(ShotMotion, HomingStartsAndEndsAtItsDistances)
{
    struct Case {
        const char* name;
        int start, end;
        bool turnsFirst;              // steers on the first update
        bool turnsLater;              // steers on the 20th
    };
    const Case cases[] = {
        {"end 0 never homes", 0, 0, false, false},
        {"start 0 homes from the first update", 0, 999, true, true},
        {"start 1 (8 updates at 2 a frame)", 1, 999, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig;
        AddHero(100, 400);
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_cMotion = SHOTMOTION_HOME_PLAYER;
        r.m_sMotionParam[0] = static_cast<int16_t>(c.start);
        r.m_sMotionParam[1] = static_cast<int16_t>(c.end);
        std::vector<cShot*> shots = rig.Fire();
        cShot& s = *shots[0];
        s.Update();
        EXPECT_EQ(s.m_dOwnVY > 0, c.turnsFirst);
        for (int u = 2; u < 20; ++u) s.Update();
        s.m_dOwnVX = 2;
        s.m_dOwnVY = 0;
        s.Update();
        EXPECT_EQ(s.m_dOwnVY > 0, c.turnsLater);
    }
}

TEST(ShotMotion, FallWaveAndUnknownKinds)
{
    {
        SCOPED_TRACE("fall at once keeps the vertical speed");
        ShotRig rig;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_DOWN, 1);
        r.m_cMotion = SHOTMOTION_FALL;
        cShot& s = *rig.Fire()[0];
        EXPECT_EQ(s.Update(), 0);
        EXPECT_EQ(s.m_bNoGravity, 0);
        EXPECT_DOUBLE_EQ(s.m_dVy, 2);
    }
    {
        SCOPED_TRACE("a wave speed of 0 makes no wave");
        ShotRig rig;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_cMotion = SHOTMOTION_WAVE;
        r.m_sMotionParam[0] = 4;
        r.m_sMotionParam[1] = 0;
        cShot& s = *rig.Fire()[0];
        for (int u = 0; u < 10; ++u) s.Update();
        EXPECT_DOUBLE_EQ(s.m_dOwnVX, 2);
        EXPECT_NEAR(s.m_dOwnVY, 0, 1e-9);
    }
    {
        SCOPED_TRACE("a wave swings across its flight");
        ShotRig rig;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_cMotion = SHOTMOTION_WAVE;
        r.m_sMotionParam[0] = 4;
        r.m_sMotionParam[1] = 4;
        cShot& s = *rig.Fire()[0];
        s.Update();
        // Flying right (0 rad), facing right, phase 0: the first step is
        // A x w across, toward -90 degrees (up): 64 x 4 pi/180.
        EXPECT_NEAR(s.m_dOwnVY, -64 * 4 * 3.141592653589793 / 180, 1e-9);
        EXPECT_NEAR(s.m_dOwnVX, 2, 1e-9);
        for (int u = 0; u < 200; ++u) s.Update();
        EXPECT_TRUE(std::isfinite(s.m_dOwnVY));
    }
    {
        SCOPED_TRACE("an unknown motion flies straight");
        ShotRig rig;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_cMotion = 12;
        rig.Fire();
        rig.h.StepShots(3);
        EXPECT_DOUBLE_EQ(rig.scene.m_ShotList.front().m_dLeft, 108 + 6);
        EXPECT_DOUBLE_EQ(rig.scene.m_ShotList.front().m_dTop, 208);
    }
}

// A shot fired right from (108, 208) that aims or homes from its first
// update: the hero is straight below it, the nearest character of hit layer 3
// straight above, the firer's target straight to its left.
TEST(ShotMotion, AimingAndHomingKindsHeadForTheirCharacter)
{
    struct Case {
        const char* name;
        int kind, param1, param2;
        bool deadTarget;
        double vx, vy;                // own velocity after the first update
    };
    const Case cases[] = {
        {"aim at the hero", SHOTMOTION_AIM_PLAYER, 0, 0, false, 0, 2},
        {"aim at the nearest of layer 3", SHOTMOTION_AIM_NEAREST, 3, 0, false, 0, -2},
        {"nobody in layer 4 to aim at: flies on", SHOTMOTION_AIM_NEAREST, 4, 0, false, 2, 0},
        {"aim at the target", SHOTMOTION_AIM_TARGET, 0, 0, false, -2, 0},
        {"a dead target: flies on", SHOTMOTION_AIM_TARGET, 0, 0, true, 2, 0},
        {"home on the hero", SHOTMOTION_HOME_PLAYER, 999, 0, false, 0, 2},
        {"home on the nearest of layer 3", SHOTMOTION_HOME_NEAREST, 999, 3, false, 0, -2},
        {"the other nearest homing alike", SHOTMOTION_HOME_NEAREST2, 999, 3, false, 0, -2},
        {"nobody in layer 4 to home on", SHOTMOTION_HOME_NEAREST2, 999, 4, false, 2, 0},
        {"home on the target", SHOTMOTION_HOME_TARGET, 999, 0, false, -2, 0},
        {"home on a dead target: no steering", SHOTMOTION_HOME_TARGET, 999, 0, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig;
        AddHero(100, 400);
        cNpc& above = AddChara(100, 0, 0, 3);
        above.m_bActive = above.m_bOnScreen = 1;
        rig.scene.m_CharaLayers[3].push_back(&above);
        cNpc& target = AddChara(0, 200, 0, 4);
        target.m_bActive = 1;
        rig.firer.m_lpTarget = &target;
        cEdShot& r = rig.Record();
        Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
        r.m_cMotion = static_cast<int8_t>(c.kind);
        r.m_sMotionParam[1] = static_cast<int16_t>(c.param1);
        r.m_sMotionParam[2] = static_cast<int16_t>(c.param2);
        cShot& s = *rig.Fire()[0];
        ASSERT_DOUBLE_EQ(s.m_dLeft, 108);
        ASSERT_DOUBLE_EQ(s.m_dTop, 208);
        target.m_bDead = c.deadTarget ? 1 : 0;
        s.Update();
        EXPECT_NEAR(s.m_dOwnVX, c.vx, 1e-9);
        EXPECT_NEAR(s.m_dOwnVY, c.vy, 1e-9);
    }
}

// A record naming a kind the tables do not hold does nothing for it, and the
// report log says so once for each kind (kinds no other test names).
TEST(ShotMotion, KindsOutsideTheTablesAreReportedOnce)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    ShotRig rig;
    cEdShot& r = rig.Record();
    for (int arrangement : {100, 100, -100}) {
        Volley(r, arrangement, SHOTDIR_RIGHT, 1);
        EXPECT_TRUE(rig.Fire().empty());
    }
    Volley(r, SHOTARRANGE_BURST, SHOTDIR_RIGHT, 1);
    r.m_cMotion = 99;
    rig.Fire();
    rig.h.StepShots(3);
    const std::string log = ReadFileText("Report_Game.txt");
    auto count = [&log](const std::string& line) {
        int n = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("ShotArrangeTable has no kind 100:"), 1) << log;
    EXPECT_EQ(count("ShotArrangeTable has no kind -100:"), 1) << log;
    EXPECT_EQ(count("ShotMotionTable has no kind 99:"), 1) << log;
}

TEST(ShotTarget, TargetShotsAreListedByTheirTargetAndLeaveItWhenDestroyed)
{
    ShotRig rig;
    cNpc& target = AddChara(300, 200, 0, 2);
    rig.firer.m_lpTarget = &target;
    cEdShot& r = rig.Record();
    Volley(r, SHOTARRANGE_STRAIGHT_A, SHOTDIR_LEFT, 2);
    r.m_cMotion = SHOTMOTION_AIM_TARGET;
    std::vector<cShot*> shots = rig.Fire();
    ASSERT_EQ(target.m_ShotsAimingAtMe.size(), 2u);
    EXPECT_EQ(target.m_ShotsAimingAtMe[0], shots[0]);
    EXPECT_EQ(rig.scene.m_ShotLayers[0].size(), 2u);
    EraseShot(rig.scene.m_ShotList, rig.scene.m_ShotLayers, rig.scene.m_ShotList.begin());
    ASSERT_EQ(target.m_ShotsAimingAtMe.size(), 1u);
    EXPECT_EQ(target.m_ShotsAimingAtMe[0], shots[1]);
    EXPECT_EQ(rig.scene.m_ShotLayers[0].size(), 1u);

    // Other motions keep no target.
    r.m_cMotion = SHOTMOTION_HOME_PLAYER;
    shots = rig.Fire();
    EXPECT_EQ(shots[0]->m_lpTarget, nullptr);
    EXPECT_TRUE(target.m_ShotsAimingAtMe.empty());
}

TEST(ShotBlocks, CornersForSmallShotsAGridForWideOnesAndPassingShots)
{
    HarnessStage stage = ShotStage(1);
    // One solid cell at column 2, row 1 of the stage proper.
    stage.Blocks = {"", "  #"};
    StageHarness h(stage);
    h.Scene();
    const int cellX = StageHarness::CellPixel(2), cellY = StageHarness::CellPixel(1);
    const struct {
        const char* name;
        int size, blockMode;
        double left, top;
        bool hits;
    } cases[] = {
        {"corner inside", 1, 0, cellX - 8.0, cellY - 8.0, true},
        {"just before", 1, 0, cellX - 16.0, cellY + 0.0, false},
        {"passes blocks", 1, 1, cellX + 0.0, cellY + 0.0, false},
        // 80 wide: its corners lie in the cells either side, the grid finds the
        // middle one.
        {"wide over the cell", 5, 0, cellX - 24.0, cellY - 70.0, true},
        {"wide short of it", 5, 0, cellX - 24.0, cellY - 81.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        cShot s;
        s.m_EdShot.m_cBlockMode = static_cast<int8_t>(c.blockMode);
        PlaceObject(s, c.left, c.top, 16 * c.size, 16 * c.size, MOTION_FREE);
        EXPECT_EQ(s.HitsBlock(), c.hits);
    }
}

TEST(ShotSword, FollowsItsOwnerThroughItsPartsAndEndsWithThem)
{
    std::vector<cSwordTypeData> saved = DataBase.m_SwordType;
    DataBase.m_SwordType.assign(2, cSwordTypeData());
    cSwordTypeData& sword = DataBase.m_SwordType[1];
    sword.m_Parts.assign(2, cSwordPartData());
    sword.m_Parts[0].m_nWidth = 20;
    sword.m_Parts[0].m_nHeight = 10;
    sword.m_Parts[0].m_nPartTime = 1;
    sword.m_Parts[0].m_nOffsetX = 3;
    sword.m_Parts[0].m_bMirrorX = 1;
    sword.m_Parts[1] = sword.m_Parts[0];
    sword.m_Parts[1].m_nPosition = 2;
    {
        ShotRig rig(1, 1, FLOWCMD_SWORD);
        rig.Record().m_cMotion = 1;
        CmdSword(*lpStageScene, &rig.firer, &rig.command);
        ASSERT_EQ(rig.scene.m_ShotList.size(), 1u);
        cShot& s = rig.scene.m_ShotList.front();
        EXPECT_EQ(s.m_bChip, 0);
        EXPECT_EQ(rig.scene.m_ShotLayers[0].size(), 1u);
        // In front of an owner facing right, x offset mirrored: 132 - 3;
        // y 200 + 16 - 5.
        EXPECT_EQ(rig.h.StepShots(1), 1);
        EXPECT_EQ(s.m_dLeft, 129);
        EXPECT_EQ(s.m_dTop, 211);
        // 6 updates on the first part, then above the owner: 116 - 10 - 3.
        EXPECT_EQ(rig.h.StepShots(6), 1);
        EXPECT_EQ(s.m_nSwordPart, 1);
        EXPECT_EQ(rig.h.StepShots(1), 1);
        EXPECT_EQ(s.m_dLeft, 103);
        EXPECT_EQ(s.m_dTop, 190);
        EXPECT_EQ(rig.h.StepShots(6), 0);

        // The owner gone, the sword goes at its next update.
        rig.command.m_nPass = 0;
        CmdSword(*lpStageScene, &rig.firer, &rig.command);
        rig.firer.m_nRef = 77;
        EXPECT_EQ(rig.h.StepShots(1), 0);

        // A sword type with no part makes no sword.
        sword.m_Parts.clear();
        rig.command.m_nPass = 0;
        CmdSword(*lpStageScene, &rig.firer, &rig.command);
        EXPECT_TRUE(rig.scene.m_ShotList.empty());
        DataBase.m_SwordType.clear();
        rig.command.m_nPass = 0;
        CmdSword(*lpStageScene, &rig.firer, &rig.command);
        EXPECT_TRUE(rig.scene.m_ShotList.empty());
    }
    DataBase.m_SwordType = saved;
}

TEST(ShotCommand, FiresOnItsFirstPassOnly)
{
    ShotRig rig;
    Volley(rig.Record(), SHOTARRANGE_STRAIGHT_A, SHOTDIR_LEFT, 3);
    for (int pass = 0; pass < 10; ++pass) CmdShot(*lpStageScene, &rig.firer, &rig.command);
    EXPECT_EQ(rig.scene.m_ShotList.size(), 3u);
    EXPECT_EQ(rig.command.m_nPass, 10);
    EXPECT_EQ(rig.scene.m_nNextShotSerial, 3);
    EXPECT_EQ(rig.scene.m_ShotList.back().m_nRef, 2);
}

TEST(FlowControl, OperationsOnThisFlowOthersAndFlowsById)
{
    struct Case {
        const char* name;
        int op, target, id;
        const char* running;          // per flow, after
        const char* paused;
        const char* breaks;
        const char* deleted;
    };
    // Flows 0..2 with IDs 0, 5, 5; flow 1 runs the command; all running.
    const Case cases[] = {
        {"end this", 1, 0, 0, "101", "000", "010", "000"},
        {"end the others", 1, 1, 0, "010", "000", "101", "000"},
        {"end by ID 5", 1, 2, 5, "100", "000", "011", "000"},
        {"ID 0 acts on none", 1, 2, 0, "111", "000", "000", "000"},
        {"pause the others", 2, 1, 0, "111", "101", "101", "000"},
        {"resume the others, no break", 3, 1, 0, "111", "010", "000", "000"},
        {"restart this", 0, 0, 0, "111", "000", "010", "000"},
        {"delete this", 4, 0, 0, "111", "000", "010", "010"},
        // A stopped flow keeps its running flag; it is never stepped again.
        {"stop by ID", 5, 2, 5, "111", "000", "011", "000"},
        {"unknown target", 1, 3, 0, "111", "000", "000", "000"},
        {"unknown operation", 9, 1, 0, "111", "000", "000", "000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShotRig rig(1, 0, FLOWCMD_FLOW_CONTROL);
        rig.def.m_Params = {c.op, c.target, c.id};
        std::vector<cFlowData> defs(3);
        defs[1].m_cFlowId = defs[2].m_cFlowId = 5;
        rig.firer.m_Flows.resize(3);
        for (int i = 0; i < 3; ++i) {
            rig.firer.m_Flows[i].m_lpFlowData = &defs[i];
            rig.firer.m_Flows[i].m_bRunning = 1;
        }
        rig.scene.m_lpCurFlow = &rig.firer.m_Flows[1];
        if (c.op == 3)
            for (cRunningFlow& f : rig.firer.m_Flows) f.m_bPaused = 1;
        CmdFlowControl(*lpStageScene, &rig.firer, &rig.command);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const cRunningFlow& f = rig.firer.m_Flows[i];
            EXPECT_EQ(f.m_bRunning, c.running[i] - '0');
            EXPECT_EQ(f.m_bPaused, c.paused[i] - '0');
            EXPECT_EQ(f.m_bBreak, c.breaks[i] - '0');
            EXPECT_EQ(f.m_bDeleteRequest, c.deleted[i] - '0');
        }
        EXPECT_EQ(rig.firer.m_bFlowDeleted, c.deleted[1] - '0');
        rig.scene.m_lpCurFlow = nullptr;
    }
}
