// Characters against the blocks: push-outs, floor and ceiling by block mode,
// side and kind; riding a block character; keeping the player in an
// auto-scrolling view; the effect and the item of the block under the player.
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_labels.h"
#include "stage/physics/block_cells.h"
#include "stage/physics/block_collision.h"
#include "stage/objects/npc.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

double Px(int cell) { return StageHarness::CellPixel(cell); }

// The block-event triggers fired, with the character each fired on.
struct TriggerLog {
    static std::vector<std::pair<cChara*, int>>& Fired()
    {
        static std::vector<std::pair<cChara*, int>> fired;
        return fired;
    }
    TriggerLog()
    {
        Fired().clear();
        lpTriggerWatch = [](cChara& c, int trigger) { Fired().push_back({&c, trigger}); };
    }
    ~TriggerLog() { lpTriggerWatch = nullptr; }
    static std::vector<int> On(const cChara& c)
    {
        std::vector<int> out;
        for (auto& [who, t] : Fired())
            if (who == &c) out.push_back(t);
        return out;
    }
};

// A character of a side in a motion mode with a hit rectangle of w x h at
// (left, top).
cNpc& Body(int side, int mode, double left, double top, int w = 20, int h = 30)
{
    cNpc& c = HarnessNpc(HarnessCharaDef(side, 10), left, top);
    c.SetMode(mode);
    c.m_nHitW = c.m_nBaseHitW = w;
    c.m_nHitH = c.m_nBaseHitH = h;
    c.SetPosition(left, top);
    c.m_bActive = 1;
    return c;
}

cBlockData& Cell(int column, int row) { return *BlockMapCell(column + 10, row + 10); }

struct SystemSwitch {
    int32_t saved;
    int32_t& value;
    SystemSwitch(int32_t& v, int32_t to) : saved(v), value(v) { v = to; }
    ~SystemSwitch() { value = saved; }
};

enum { OP_X, OP_Y, OP_FLOOR_CEILING, OP_RECHECK_X };
enum { L = 1, R = 2, U = 4, D = 8 };

int Flags(const cChara& c)
{
    return (c.LRUD[LRUD_LEFT] ? L : 0) | (c.LRUD[LRUD_RIGHT] ? R : 0) | (c.LRUD[LRUD_UP] ? U : 0) |
           (c.LRUD[LRUD_DOWN] ? D : 0);
}

// A 5 x 5 stage with these rows of blocks.
HarnessStage SmallStage(std::vector<std::string> blocks)
{
    HarnessStage stage;
    stage.nWidth = stage.nHeight = 5;
    stage.Blocks = std::move(blocks);
    return stage;
}

// A flying block character with its hit rectangle's corner at (left, top).
cNpc& Lift(double left, double top)
{
    cCharaData def = HarnessCharaDef(1, 10);
    def.m_bFullCellBoxes = 1;
    cNpc& lift = HarnessNpc(def, left, top);
    lift.SetMode(MOTION_FLYING);
    lift.m_bActive = 1;
    return lift;
}

// The rider stands on the lift as the contact pass leaves it: riding, with
// the lift's reference and present rectangle.
void Board(cChara& rider, const cNpc& lift)
{
    rider.m_bRiding = 1;
    rider.m_nRideRef = lift.m_nRef;
    rider.m_RideRect[0] = lift.m_dLeft;
    rider.m_RideRect[1] = lift.m_dTop;
    rider.m_RideRect[2] = lift.m_dRight;
    rider.m_RideRect[3] = lift.m_dBottom;
}

} // namespace

TEST(BlockCollision, CasesOnASmallMapByModeSideAndKind)
{
    // Column 2 of row 2 is solid, column 4 deadly; row 4 is the floor, solid
    // in columns 0..1 and deadly in 3..4. Characters are 20 x 30.
    const std::vector<std::string> map = {".....", ".....", "..#.!", ".....", "##.!!"};
    struct Case {
        const char* what;
        int side, mode, op;
        double left, top, vx, vy;
        int result;
        double left2, top2;
        int flags;
        int rising = 1;     // the system's rising-lands switch
        int width = 20;
    };
    const double wall = Px(2), deadly = Px(4), row2 = Px(2), floor = Px(4);
    const Case cases[] = {
        // Sideways.
        {"walking right into a wall stops on the pixel before it", 1, MOTION_GRAVITY, OP_X, wall - 15, row2, 2, 0,
         0, wall - 20, row2, R},
        {"walking left into a wall stops on the next cell", 1, MOTION_GRAVITY, OP_X, wall + 25, row2, -2, 0, 0,
         Px(3), row2, L},
        {"the player's side walking into a deadly block dies", 0, MOTION_GRAVITY, OP_X, deadly - 5, row2, 2, 0,
         2, deadly - 5, row2, 0},
        {"the computer's side is stopped by a deadly block", 1, MOTION_GRAVITY, OP_X, deadly - 5, row2, 2, 0, 0,
         deadly - 20, row2, R},
        {"a flyer through blocks never touches them", 0, MOTION_FREE, OP_X, wall + 5, row2, 2, 0, 0, wall + 5,
         row2, 0},
        {"a flyer stopped by blocks is pushed", 1, MOTION_FLYING, OP_X, wall - 15, row2, 0, 0, 0, wall - 20, row2,
         R},
        {"a flyer that dies on blocks dies before any push", 1, MOTION_FRAGILE, OP_X, wall - 15, row2, 2, 0, 2,
         wall - 15, row2, 0},
        {"an edge one pixel short of the wall is free", 1, MOTION_GRAVITY, OP_X, wall - 20, row2, 2, 0, 0,
         wall - 20, row2, 0},
        {"a wide body between two walls ends pushed by both, the left push last", 1, MOTION_GRAVITY, OP_X,
         Px(3) - 4, row2, 2, 0, 0, Px(3), row2, L | R, 1, 40},
        {"a recheck pushes whatever the motion", 1, MOTION_GRAVITY, OP_RECHECK_X, wall - 15, row2, -2, 0, 0,
         wall - 20, row2, R},
        // Down and up.
        {"falling onto the floor lands on its top", 1, MOTION_GRAVITY, OP_Y, Px(0) + 4, floor - 25, 0, 3, 0,
         Px(0) + 4, floor - 30, D},
        {"the player's side falling onto a deadly floor dies", 0, MOTION_GRAVITY, OP_Y, Px(3) + 4, floor - 25, 0,
         3, 2, Px(3) + 4, floor - 25, 0},
        {"the computer's side lands on a deadly floor", 1, MOTION_GRAVITY, OP_Y, Px(3) + 4, floor - 25, 0, 3, 0,
         Px(3) + 4, floor - 30, D},
        {"rising into a block hits its underside", 1, MOTION_GRAVITY, OP_Y, wall + 4, Px(3) - 3, 0, -3, 0,
         wall + 4, Px(3), U},
        {"the player's side rising into a deadly block dies", 0, MOTION_GRAVITY, OP_Y, deadly + 4, Px(3) - 3, 0,
         -3, 2, deadly + 4, Px(3) - 3, 0},
        {"a flyer that dies on blocks dies on the floor", 1, MOTION_FRAGILE, OP_Y, Px(0) + 4, floor - 25, 0, 3, 2,
         Px(0) + 4, floor - 25, 0},
        {"a flyer through blocks passes the floor", 1, MOTION_FREE, OP_Y, Px(0) + 4, floor - 25, 0, 3, 0,
         Px(0) + 4, floor - 25, 0},
        {"over the gap nothing is hit", 1, MOTION_GRAVITY, OP_Y, Px(2) + 4, floor - 25, 0, 3, 0, Px(2) + 4,
         floor - 25, 0},
        // A body rising through a block from below its floor line.
        {"rising with rising-lands on lands on the block", 1, MOTION_GRAVITY, OP_FLOOR_CEILING, wall + 4,
         row2 - 20, 0, -2, 0, wall + 4, row2 - 30, D},
        {"rising with rising-lands off passes the block", 1, MOTION_GRAVITY, OP_FLOOR_CEILING, wall + 4, row2 - 20,
         0, -2, 0, wall + 4, row2 - 20, 0, 0},
        {"standing still on a deadly block kills the player's side", 0, MOTION_GRAVITY, OP_FLOOR_CEILING,
         Px(3) + 4, floor - 29, 0, 0, 2, Px(3) + 4, floor - 29, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StageHarness h(SmallStage(map));
        SystemSwitch rising(SystemData.m_bRisingLands, c.rising);
        cNpc& body = Body(c.side, c.mode, c.left, c.top, c.width);
        body.m_dVx = c.vx;
        body.m_dVy = c.vy;
        int result = c.op == OP_X           ? ResolveBlocksX(body)
                     : c.op == OP_Y         ? ResolveBlocksY(body)
                     : c.op == OP_RECHECK_X ? RecheckBlocksX(body)
                                            : CheckFloorAndCeiling(body);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(body.m_dLeft, c.left2);
        EXPECT_EQ(body.m_dTop, c.top2);
        EXPECT_EQ(Flags(body), c.flags);
    }
}

TEST(BlockCollision, PushOutsFireTheirEventsAndLandingKeepsTheBlock)
{
    StageHarness h(SmallStage({".....", ".....", "..#..", ".....", "#####"}));
    TriggerLog log;
    cNpc& body = Body(1, MOTION_GRAVITY, Px(2) - 15, Px(2));
    body.m_dVx = 1;
    ASSERT_EQ(ResolveBlocksX(body), 0);
    EXPECT_EQ(TriggerLog::On(body), (std::vector<int>{TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_LEFT_RIGHT, TRIGGER_BLOCK_RIGHT}));
    EXPECT_EQ(body.m_nLastSideHit, 1);
    body.m_dAx = 3;
    body.SetPosition(Px(3) - 2, Px(2));
    TriggerLog::Fired().clear();
    ASSERT_EQ(ResolveBlocksX(body), 0);
    EXPECT_EQ(TriggerLog::On(body), (std::vector<int>{TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_LEFT_RIGHT, TRIGGER_BLOCK_LEFT}));
    EXPECT_EQ(body.m_nLastSideHit, 0);
    EXPECT_EQ(body.m_dAx, 0);

    // Landing: the block under and the last block stood on are the floor's;
    // walking off it, the block under is let go at once, the ground only
    // after eight frames' sub-steps.
    body.SetPosition(Px(1) + 4, Px(4) - 28);
    body.m_dVy = 2;
    body.m_bInAir = 1;
    TriggerLog::Fired().clear();
    ASSERT_EQ(ResolveBlocksY(body), 0);
    EXPECT_EQ(TriggerLog::On(body), (std::vector<int>{TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_ABOVE_BELOW, TRIGGER_BLOCK_BELOW}));
    EXPECT_EQ(body.m_lpFootBlock, &Cell(1, 4));
    EXPECT_EQ(body.m_lpLastFootBlock, &Cell(1, 4));
    EXPECT_EQ(body.m_bInAir, 0);
    body.SetPosition(Px(1) + 4, Px(3) - 20);
    for (int i = 1; i <= 8; ++i) {
        body.m_dVy = 0.5;
        ASSERT_EQ(ResolveBlocksY(body), 0);
        EXPECT_EQ(body.m_lpFootBlock, nullptr);
        EXPECT_EQ(body.m_lpLastFootBlock, &Cell(1, 4));
        EXPECT_EQ(body.m_bInAir, i == 8 ? 1 : 0) << i;
    }
}

TEST(BlockCollision, FloorSearchesPreferTheStrongerThenTheMiddleCell)
{
    StageHarness h(SmallStage({".....", ".....", ".....", ".....", ".#!#."}));
    // A body over columns 1 and 2 finds the deadly cell, stronger than the solid.
    cNpc& body = Body(1, MOTION_GRAVITY, Px(2) - 10, Px(4) - 29);
    EXPECT_EQ(FindStrongestCellOnHLine(body, int(body.m_dLeft), int(body.m_dRight), int(body.m_dBottom)).block,
              &Cell(2, 4));
    // Equal kinds: the floor cell under the middle of the player wins over the
    // cell under its left edge.
    Cell(2, 4).m_cCollision = BLOCK_SOLID;
    body.SetPosition(Px(2) - 6, Px(4) - 29);
    EXPECT_EQ(FindFloorCell(body).block, &Cell(2, 4));
    EXPECT_EQ(FindStrongestCorner(body).kind, BLOCK_SOLID);
    // Equally near the middle, the first point found wins.
    cNpc& even = Body(1, MOTION_GRAVITY, Px(2) - 10, Px(4) - 29, 21);
    EXPECT_EQ(FindStrongestCellOnHLine(even, int(even.m_dLeft), int(even.m_dRight), int(even.m_dBottom)).block,
              &Cell(1, 4));
    // A player-side body stands on that middle cell.
    cNpc& hero = Body(0, MOTION_GRAVITY, Px(2) - 6, Px(4) - 28);
    hero.m_dVy = 1;
    ASSERT_EQ(ResolveBlocksY(hero), 0);
    EXPECT_EQ(hero.m_lpFootBlock, &Cell(2, 4));
}

TEST(BlockCollision, BlockedTestsCornersAndBlockCharacters)
{
    StageHarness h(SmallStage({".....", ".#...", ".....", ".....", "....."}));
    cNpc& body = Body(1, MOTION_GRAVITY, Px(1) - 10, Px(1) - 10);
    EXPECT_TRUE(IsBlocked(body));
    body.SetMode(MOTION_FREE);
    EXPECT_FALSE(IsBlocked(body));
    body.SetMode(MOTION_GRAVITY);
    body.SetPosition(Px(3), Px(3));
    EXPECT_FALSE(IsBlocked(body));

    cCharaData blockDef = HarnessCharaDef(1, 10);
    blockDef.m_bFullCellBoxes = 1;
    cNpc& crate = HarnessNpc(blockDef, Px(3) + 19, Px(3) + 29);
    crate.m_bActive = 1;
    EXPECT_TRUE(IsBlocked(body));    // edges touching count
    crate.m_bActive = 0;
    EXPECT_FALSE(OverlapsBlockChara(body, CharaList));
    crate.m_bActive = 1;
    crate.m_bDead = 1;
    EXPECT_FALSE(OverlapsBlockChara(body, CharaList));
    crate.m_bDead = 0;
    crate.SetPosition(Px(3) + 20, Px(3));
    EXPECT_FALSE(OverlapsBlockChara(body, CharaList));
    // A block character is not blocked by itself.
    EXPECT_FALSE(OverlapsBlockChara(crate, CharaList));
}

TEST(BlockCollision, RidingCarriesTheRiderByWhatTheBlockCharacterMoved)
{
    StageHarness h(SmallStage({}));
    TriggerLog log;
    cNpc& lift = Lift(Px(2), Px(3));
    cNpc& rider = Body(0, MOTION_GRAVITY, Px(2) + 6, Px(3) - 30);
    Board(rider, lift);
    lift.SetPosition(lift.m_dLeft + 2, lift.m_dTop - 3);
    rider.m_dVx = 1;
    RideBlockChara(rider, CharaList);
    EXPECT_EQ(rider.m_dVx, 3);
    EXPECT_EQ(rider.m_dVy, -3);
    EXPECT_EQ(TriggerLog::On(lift), (std::vector<int>{TRIGGER_RIDDEN_BY_HERO, TRIGGER_RIDDEN_BY_CHARA}));

    // A computer-side rider fires only the second; a falling block character
    // on the ground carries sideways alone.
    cNpc& other = Body(1, MOTION_GRAVITY, Px(2) + 6, Px(3) - 30);
    Board(other, lift);
    lift.SetMode(MOTION_GRAVITY);
    lift.m_bInAir = 0;
    lift.SetPosition(lift.m_dLeft - 1, lift.m_dTop + 5);
    TriggerLog::Fired().clear();
    other.m_dVy = 0.25;
    RideBlockChara(other, CharaList);
    EXPECT_EQ(other.m_dVx, -1);
    EXPECT_EQ(other.m_dVy, 0.25);
    EXPECT_EQ(TriggerLog::On(lift), (std::vector<int>{TRIGGER_RIDDEN_BY_CHARA}));

    // Not riding, a flying rider and a block character that is gone: nothing.
    cNpc& flyer = Body(1, MOTION_FLYING, Px(0), Px(0));
    Board(flyer, lift);
    flyer.m_dVx = 0;
    RideBlockChara(flyer, CharaList);
    EXPECT_EQ(flyer.m_dVx, 0);
    rider.m_nRideRef = 999;
    rider.m_dVx = 0;
    RideBlockChara(rider, CharaList);
    EXPECT_EQ(rider.m_dVx, 0);
}

namespace {

// Moves the lift by (dx, dy) a sub-step, then steps the rider through the
// play step's own sub-step, until its contact flag is set (at most 100
// sub-steps); between, check runs after every sub-step that did not set it
// (the rider stays then). The sub-steps taken; the last one's move outcome
// in outcome.
int CarryUntil(cNpc& rider, cNpc& lift, double dx, double dy, int flag, int& outcome,
               const std::function<void()>& between)
{
    for (int steps = 1; steps <= 100; ++steps) {
        lift.SetPosition(lift.m_dLeft + dx, lift.m_dTop + dy);
        lift.m_dVx = dx;
        lift.m_dVy = dy;
        outcome = CharaSubStep(rider, (steps - 1) % StageData.m_nSubSteps + 1);
        if (rider.LRUD[flag]) return steps;
        EXPECT_EQ(outcome, CHARA_MOVE_STAYS);
        between();
    }
    return 0;
}

} // namespace

TEST(BlockCollision, ARiderOnARisingBlockCharacterIsCrushedUnderTheCeiling)
{
    // A lift rises 4 pixels a sub-step from row 3 under a ceiling in row 0;
    // its 30-pixel rider, top at Px(2) + 2, goes up with it.
    StageHarness h(SmallStage({"#####", ".....", ".....", ".....", "....."}));
    cNpc& lift = Lift(Px(2), Px(3));
    cNpc& rider = Body(0, MOTION_GRAVITY, Px(2) + 6, Px(3) - 30);
    Board(rider, lift);
    // Until its head meets the ceiling it stays on the lift's top, 6 pixels
    // in from its left.
    int outcome = -1;
    int steps = CarryUntil(rider, lift, 1, -4, LRUD_UP, outcome, [&] {
        EXPECT_EQ(rider.m_dBottom, lift.m_dTop - 1);
        EXPECT_EQ(rider.m_dLeft, lift.m_dLeft + 6);
        EXPECT_EQ(Flags(rider), 0);
    });
    // In the 9th its head reaches Px(2) + 2 - 36 = Px(1) - 2: the ceiling
    // holds it at Px(1) while the lift's top comes up to Px(3) - 36 =
    // Px(1) + 28, into its feet (Px(1) + 29). The lift rising under it gives
    // it the down contact on top of the ceiling's up contact: squeezed, it
    // is killed.
    EXPECT_EQ(steps, 9);
    EXPECT_EQ(outcome, CHARA_MOVE_KILLED);
    EXPECT_TRUE(rider.LRUD[LRUD_UP]);
    EXPECT_TRUE(rider.LRUD[LRUD_DOWN]);
    // The last floor and ceiling test leaves its head at the ceiling's
    // underside.
    EXPECT_EQ(rider.m_dTop, Px(1));
}

TEST(BlockCollision, ARiderCarriedDownOntoASolidBlockLandsOnIt)
{
    // A lift sinks past a ledge in row 3, column 1; its rider, standing half
    // over the ledge, is carried down until the ledge holds it.
    StageHarness h(SmallStage({".....", ".....", ".....", ".#...", "....."}));
    cNpc& lift = Lift(Px(2), Px(2));
    cNpc& rider = Body(1, MOTION_GRAVITY, Px(2) - 10, Px(2) - 30);
    Board(rider, lift);
    int outcome = -1;
    int steps = CarryUntil(rider, lift, 0, 3, LRUD_DOWN, outcome, [] {});
    // Carried 33 pixels down, its feet went 2 pixels into the ledge's row.
    EXPECT_EQ(steps, 11);
    EXPECT_EQ(outcome, CHARA_MOVE_STAYS);
    EXPECT_EQ(rider.m_dBottom, Px(3) - 1);
    EXPECT_EQ(rider.m_lpFootBlock, &Cell(1, 3));
    EXPECT_GT(lift.m_dTop, Px(3));
}

TEST(BlockCollision, ThePlayerStaysInsideAnAutoScrollingView)
{
    HarnessStage stage;
    stage.nWidth = 60;
    stage.nHeight = 30;
    StageHarness h(stage);
    h.AxisX().m_bAutoScroll = 1;
    h.AxisY().m_bAutoScroll = 1;
    h.SetView(Px(5), Px(3));
    Player.emplace_back();
    cPlayer& p = Player[P1];
    p.Setup(0, HarnessCharaDef(0, 10), 0, 0);
    const double view = h.AxisX().m_dPos;

    p.SetPosition(view - 7, Px(10));
    ASSERT_EQ(KeepInViewX(p), 0);
    EXPECT_EQ(p.m_dLeft, view);
    EXPECT_EQ(p.LRUD[LRUD_LEFT], 1);
    p.ClearLRUD();
    p.SetPosition(view + 640, Px(10));
    ASSERT_EQ(KeepInViewX(p), 0);
    EXPECT_EQ(p.m_dRight, view + 638);
    EXPECT_EQ(p.LRUD[LRUD_RIGHT], 1);

    // Without auto-scroll a walking player is left alone.
    h.AxisX().m_bAutoScroll = 0;
    p.ClearLRUD();
    p.SetPosition(view - 7, Px(10));
    EXPECT_EQ(KeepInViewX(p), 0);
    EXPECT_EQ(p.m_dLeft, view - 7);
    EXPECT_EQ(p.LRUD[LRUD_LEFT], 0);

    // Held at the bottom of the view a falling player is lost; a flying one
    // is only held.
    const double viewY = h.AxisY().m_dPos;
    p.SetPosition(Px(10), viewY + 470);
    EXPECT_EQ(KeepInViewY(p), 2);
    EXPECT_EQ(p.m_dBottom, viewY + 478);
    EXPECT_EQ(p.LRUD[LRUD_DOWN], 1);
    p.SetPosition(Px(10), viewY - 4);
    EXPECT_EQ(KeepInViewY(p), 0);
    EXPECT_EQ(p.m_dTop, viewY);
    p.m_bNoGravity = 1;
    p.SetPosition(Px(10), viewY + 470);
    EXPECT_EQ(KeepInViewY(p), 0);
    EXPECT_EQ(p.m_dBottom, viewY + 478);
}

namespace {

struct EffectStage {
    StageHarness h;
    std::vector<int> sounds;
    std::vector<int> userSounds;
    static EffectStage* Current;
    explicit EffectStage(int level) : h(Stage(level))
    {
        Current = this;
        h.Host().onPlaySE = [](int n) { Current->sounds.push_back(n); };
        h.Host().onPlayUserSE = [](int n) { Current->userSounds.push_back(n); };
        Player.emplace_back();
        Player[P1].Setup(0, HarnessCharaDef(0, 10), 0, 0);
    }
    static HarnessStage Stage(int level)
    {
        HarnessStage stage = SmallStage({".....", ".....", ".....", ".....", "#####"});
        stage.nHitCheckLevel = level;
        return stage;
    }
    cPlayer& Hero() { return Player[P1]; }
    // The player standing on the floor cell of a column with this effect.
    void StandOn(int column, int effect, int value)
    {
        cBlockData& block = Cell(column, 4);
        block.m_cEffect = static_cast<int8_t>(effect);
        block.m_nEffectValue = value;
        Hero().m_lpFootBlock = &block;
    }
};
EffectStage* EffectStage::Current = nullptr;

} // namespace

TEST(BlockEffects, BounceNoJumpSpeedAndConveyors)
{
    EffectStage s(2);
    cPlayer& p = s.Hero();
    const int b = SubStepCount();
    ASSERT_EQ(b, 2);

    // Bounce: sound 10 and a jump of the block's height, every time the
    // player is on the block.
    s.StandOn(0, 1, 4);
    p.m_bJumpReady = 1;
    ASSERT_EQ(ApplyBlockEffect(p), 0);
    EXPECT_EQ(p.m_dVy, p.JumpSpeedForHalfBlocks(4));
    EXPECT_LT(p.m_dVy, 0);
    EXPECT_EQ(p.m_nJumpHold, cChara::JumpApexFrames(p.m_dVy));
    EXPECT_EQ(p.m_bJumpLocked + p.m_bJumping, 2);
    EXPECT_EQ(p.m_bJumpReady, 0);
    ApplyBlockEffect(p);
    EXPECT_EQ(s.sounds, (std::vector<int>{10, 10}));

    // No jumping until a block of another kind.
    s.StandOn(1, 2, 0);
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_bNoJumpBlock, 1);
    s.StandOn(2, 0, 0);
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_bNoJumpBlock, 0);

    // Speed change to 50 %: it lasts the frame's sub-steps, also after the
    // player left the block; at its end the player is pressed back down.
    s.StandOn(3, 3, 50);
    p.m_dVx = 4;
    p.m_dVy = 0;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_dVx, 2);
    EXPECT_EQ(p.m_nBlockEffectTime, b - 1);
    p.m_lpFootBlock = nullptr;
    p.m_dVx = 4;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_dVx, 2);
    EXPECT_EQ(p.m_nBlockEffectTime, 0);
    EXPECT_EQ(p.m_dVy, 1.0);
    p.m_dVx = 4;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_dVx, 4);
    // A player already rising is not pressed down.
    s.StandOn(3, 3, 50);
    ApplyBlockEffect(p);
    p.m_lpFootBlock = nullptr;
    p.m_dVy = -2;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_nBlockEffectTime, 0);
    EXPECT_EQ(p.m_dVy, -2);

    // Conveyors push by their speed (tenths of a pixel a frame) and stop an
    // added speed against them.
    struct Case {
        int effect;
        double ax, vx, ax2;
    };
    const Case conveyors[] = {{4, 1.5, -0.5, 0}, {4, -1.5, -0.5, -1.5}, {5, -1.5, 0.5, 0}, {5, 1.5, 0.5, 1.5}};
    for (const Case& c : conveyors) {
        SCOPED_TRACE(c.effect);
        p.m_nBlockEffectTime = 0;
        s.StandOn(4, c.effect, 10);
        p.m_dVx = 0;
        p.m_dAx = c.ax;
        ApplyBlockEffect(p);
        EXPECT_DOUBLE_EQ(p.m_dVx, c.vx);
        EXPECT_EQ(p.m_dAx, c.ax2);
    }

    // A flying player and a block that is not solid for the player do nothing.
    p.m_nBlockEffectTime = 0;
    s.StandOn(0, 1, 4);
    p.m_dVy = 0;
    p.m_bNoGravity = 1;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_dVy, 0);
    p.m_bNoGravity = 0;
    Cell(0, 4).m_cCollision = BLOCK_DEADLY;
    ApplyBlockEffect(p);
    EXPECT_EQ(p.m_dVy, 0);
}

TEST(BlockEffects, TheBlockItemComesOncePerSecondAndAgainOnAnotherBlock)
{
    EffectStage s(1);
    cPlayer& p = s.Hero();
    // Item 2 is heard as user sound 5 when it is applied; item 1 clears the stage.
    StageData.m_Items.assign(3, cItemData{});
    for (cItemData& item : StageData.m_Items) {
        item.m_sGraphic = 1;
        item.m_bPopUp = 0;
    }
    StageData.m_Items[2].m_sSound = 5;
    StageData.m_Items[1].m_Commands = {FlowCommand(2, 0)};
    for (int column : {0, 1}) {
        Cell(column, 4).m_cItemSource = 2;
        Cell(column, 4).m_sItemIndex = 2;
    }
    Cell(2, 4).m_cItemSource = 2;
    Cell(2, 4).m_sItemIndex = 7;    // not in the palette
    Cell(3, 4).m_cItemSource = 2;
    Cell(3, 4).m_sItemIndex = 1;
    p.m_bInAir = 0;
    p.m_dVy = 0;
    // Standing on block 0: the item comes, then one second of cool-down.
    auto stand = [&](int column) {
        p.LatchPrevState();
        p.m_lpFootBlock = p.m_lpLastFootBlock = &Cell(column, 4);
        return ApplyBlockItem(*lpStageScene, p);
    };
    ASSERT_EQ(stand(0), 0);
    EXPECT_EQ(s.userSounds, std::vector<int>{5});
    EXPECT_EQ(p.m_nBlockItemCooldown, 59);
    for (int i = 0; i < 58; ++i) stand(0);
    EXPECT_EQ(p.m_nBlockItemCooldown, 1);
    EXPECT_EQ(p.m_dVy, 0);
    EXPECT_EQ(s.userSounds.size(), 1u);
    // Stepping onto the next item block ends the cool-down; its item comes
    // in the next sub-step.
    stand(1);
    EXPECT_EQ(p.m_nBlockItemCooldown, 0);
    EXPECT_EQ(p.m_dVy, 1.0);
    EXPECT_EQ(s.userSounds.size(), 1u);
    stand(1);
    EXPECT_EQ(p.m_nBlockItemCooldown, 59);
    EXPECT_EQ(s.userSounds.size(), 2u);
    // Leaving the ground ends it at once.
    p.m_bInAir = 1;
    stand(1);
    EXPECT_EQ(p.m_nBlockItemCooldown, 0);
    // A block whose item is not in the palette gives nothing.
    p.m_bInAir = 0;
    stand(2);
    stand(2);
    EXPECT_EQ(p.m_nBlockItemCooldown, 0);
    EXPECT_EQ(s.userSounds.size(), 2u);
    // An item that ends the stage gives its outcome at once.
    EXPECT_EQ(stand(3), 1);
    EXPECT_EQ(p.m_nBlockItemCooldown, 0);
}
