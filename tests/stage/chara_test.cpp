// The character base: jump conversions, landing and ceiling, HP and SP with
// their gauges, knock-back, and the links between characters and player 1.
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "records/flow_labels.h"
#include "stage/objects/chara.h"
#include "stage/objects/npc.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

HarnessStage StageWith(int level, double gravity)
{
    HarnessStage stage;
    stage.nHitCheckLevel = level;
    stage.dGravity = gravity;
    return stage;
}

// Records the triggers that characters' own events fire.
struct TriggerLog {
    static std::vector<int>& Fired()
    {
        static std::vector<int> fired;
        return fired;
    }
    TriggerLog()
    {
        Fired().clear();
        lpTriggerWatch = [](cChara&, int trigger) { Fired().push_back(trigger); };
    }
    ~TriggerLog() { lpTriggerWatch = nullptr; }
};

} // namespace

TEST(CharaJump, ConversionsOverSubStepsGravitySideAndHeight)
{
    // Speeds and apexes worked out by hand from the rise formula; the length
    // is the passes a jump command lasts: tenths x 6 x sub-steps.
    struct Case {
        int level;
        double gravity;
        int side;
        int halfBlocks;
        double speed;
        int apex, tenths, length;
    };
    const Case cases[] = {
        {1, 0.4, 1, 4, -7.358212067269313, 19, 4, 24},
        {1, 0.4, 0, 4, -7.211047825923926, 19, 4, 24},       // the player's side: x 0.98
        {3, 0.4, 1, 4, -2.4074649176411564, 57, 4, 72},
        {2, 0.5, 0, 6, -4.850235890956881, 40, 4, 48},
        {10, 0.4, 1, 20, -1.6020012499995118, 410, 7, 420},
        {1, 0.4, 1, -2, -0.4, 2, 1, 6},                       // a negative height rises nothing
        {2, 0.0, 1, 4, 0.0, 2, 1, 12},                        // no gravity: no start speed
        {1, -0.3, 0, 4, 0.0, 1, 1, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " gravity " << c.gravity << " side " << c.side
                                        << " height " << c.halfBlocks);
        StageHarness h(StageWith(c.level, c.gravity));
        cChara chara;
        chara.m_nSide = c.side;
        double v = chara.JumpSpeedForHalfBlocks(static_cast<int8_t>(c.halfBlocks));
        EXPECT_NEAR(v, c.speed, 1e-12);
        EXPECT_EQ(cChara::JumpApexFrames(v), c.apex);
        int tenths = chara.JumpAscentTenths(static_cast<int8_t>(c.halfBlocks));
        EXPECT_EQ(tenths, c.tenths);
        EXPECT_EQ(tenths * 6 * SubStepCount(), c.length);
    }
}

TEST(CharaJump, ApexOfAnyGravityIsAnInt)
{
    // Gravity that is no number counts as none; one so slight that the apex
    // lies beyond int never brings the jump down (or never lifts it).
    struct Case {
        double gravity, speed;
        int apex;
    };
    const Case cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), -7, 2},
        {-std::numeric_limits<double>::infinity(), -7, 2},
        {1e-300, -1, INT_MAX},
        {1e-300, 1, INT_MIN},
        {4e-10, -1, INT_MAX},     // 4e-10 / 4 a sub-step: 1e10 sub-steps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gravity " << c.gravity << " speed " << c.speed);
        StageHarness h(StageWith(2, c.gravity));
        EXPECT_EQ(cChara::JumpApexFrames(c.speed), c.apex);
    }
}

TEST(CharaJump, AComputerSideJumpRisesItsHeightUnderTheStagesGravity)
{
    for (int level : {1, 3, 10}) {
        StageHarness h(StageWith(level, 0.4));
        cChara chara;
        chara.m_nSide = 1;
        double g = GravityStep();
        double v = chara.JumpSpeedForHalfBlocks(4);
        double rise = 0;
        while (v + g < 0) {
            v += g;
            rise -= v;
        }
        EXPECT_NEAR(rise, 64, g / 2) << "level " << level;
    }
}

TEST(CharaJump, NoSubStepsCountAsOne)
{
    StageHarness h(StageWith(1, 0.4));
    StageData.m_nSubSteps = 0;
    EXPECT_EQ(SubStepCount(), 1);
    cChara chara;
    chara.m_nSide = 1;
    EXPECT_NEAR(chara.JumpSpeedForHalfBlocks(4), -7.358212067269313, 1e-12);
    EXPECT_EQ(chara.JumpAscentTenths(4), 4);
    EXPECT_DOUBLE_EQ(cChara::StopToFriction(50), 0.5);
}

TEST(CharaContact, LandingPutsTheBottomOnTheLastRowAboveTheCell)
{
    StageHarness h(StageWith(1, 0.4));
    HarnessScene scene;
    TriggerLog log;
    for (int side : {0, 1}) {
        cNpc& c = HarnessNpc(HarnessCharaDef(side, 10), 400, 100.7 - 23);
        c.m_dVy = 3;
        c.m_bInAir = c.m_bJumping = c.m_bJumpLocked = c.m_bKnockback = c.m_bNoJump = c.m_bJumpCut = 1;
        c.m_nNoGroundSteps = 5;
        ASSERT_DOUBLE_EQ(c.m_dBottom, 100.7);
        c.Land();
        EXPECT_NEAR(c.m_dBottom, 95.7, 1e-9);
        EXPECT_EQ(c.m_dVy, 0);
        EXPECT_EQ(c.LRUD[LRUD_DOWN], 1);
        EXPECT_EQ(c.m_bInAir + c.m_bJumping + c.m_bJumpLocked + c.m_bKnockback + c.m_bNoJump + c.m_nNoGroundSteps, 0);
        // Only the computer's side forgets a ceiling cut on landing.
        EXPECT_EQ(c.m_bJumpCut, side == 0 ? 1 : 0);
    }
    EXPECT_EQ(TriggerLog::Fired(), (std::vector<int>{TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_ABOVE_BELOW, TRIGGER_BLOCK_BELOW,
                                                      TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_ABOVE_BELOW, TRIGGER_BLOCK_BELOW}));
}

TEST(CharaContact, ACeilingHitMovesDownToTheNextCellAndCutsTheJump)
{
    StageHarness h(StageWith(1, 0.4));
    HarnessScene scene;
    TriggerLog log;
    cNpc& c = HarnessNpc(HarnessCharaDef(1, 10), 400, 420.3);
    c.m_dVy = -5;
    c.HitCeiling();
    EXPECT_DOUBLE_EQ(c.m_dTop, 448.3);
    EXPECT_DOUBLE_EQ(c.m_dBottom, 471.3);
    EXPECT_EQ(c.m_dVy, 0);
    EXPECT_EQ(c.m_bJumpLocked + c.m_bJumping + c.m_bJumpCut + c.LRUD[LRUD_UP], 4);
    EXPECT_EQ(TriggerLog::Fired(), (std::vector<int>{TRIGGER_HIT_BLOCK, TRIGGER_BLOCK_ABOVE_BELOW, TRIGGER_BLOCK_ABOVE}));
}

TEST(CharaStatus, HpChangesKeepTheRangeAndAnimateTheGauge)
{
    struct Case {
        int hp, maxHp, delta, force, invincible;
        int hpAfter, result;
        int frames, bar;
        double length;
    };
    const Case cases[] = {
        {50, 100, -20, 0, 0, 30, 0, 120, 15, -10},
        {95, 100, 100, 0, 0, 100, 0, 120, 50, 2.5},     // a gain is cut to what is missing
        {50, 100, -5, 0, 1, 50, 0, 0, 0, 0},            // an invincible one ignores a loss...
        {50, 100, -5, 1, 1, 45, 0, 120, 22, -2.5},      // ...unless it is forced
        {50, 100, 10, 0, 2, 60, 0, 120, 30, 5},         // and still gains
        {10, 100, -30, 0, 0, 0, 1, 0, 0, 0},            // reaching 0 animates nothing
        {50, 100, 0, 0, 0, 50, 0, 0, 0, 0},
        {0, 0, 5, 0, 0, 0, 1, 0, 0, 0},                 // no maximum: nothing to show
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hp << "/" << c.maxHp << " by " << c.delta);
        cChara chara;
        chara.m_Def.m_nMaxHp = c.maxHp;
        chara.m_Def.m_cInvincible = static_cast<int8_t>(c.invincible);
        chara.m_nHp = c.hp;
        EXPECT_EQ(chara.ChangeHp(c.delta, c.force, 1), c.result);
        EXPECT_EQ(chara.m_nHp, c.hpAfter);
        EXPECT_EQ(chara.m_HpGauge.nFrames, c.frames);
        EXPECT_EQ(chara.m_HpGauge.nBar, c.bar);
        EXPECT_DOUBLE_EQ(chara.m_HpGauge.dLength, c.length);
        EXPECT_DOUBLE_EQ(chara.m_HpGauge.dStep, c.length / 60);
    }
}

TEST(CharaStatus, SpGaugeNeedsAMaximum)
{
    cChara none;
    none.ChangeSp(5, 1);
    EXPECT_EQ(none.m_nSp, 0);
    EXPECT_EQ(none.m_SpGauge.nFrames, 0);

    cChara ten;
    ten.m_Def.m_nMaxSp = 10;
    ten.m_nSp = 10;
    ten.ChangeSp(-10, 1);
    EXPECT_EQ(ten.m_nSp, 0);
    EXPECT_EQ(ten.m_SpGauge.nFrames, 120);
    EXPECT_DOUBLE_EQ(ten.m_SpGauge.dLength, -50);
}

TEST(CharaImpact, ResistanceClampsAndDirections)
{
    StageHarness h(StageWith(1, 0.4));
    // The start speed that, losing 1 a sub-step, covers 16 x 20 pixels.
    const double twenty = (std::sqrt(1 + 20 * 128.0) - 1) / 2;
    struct Case {
        int imp, resist;
        double dirX, dirY;
        double knockX, knockY;
    };
    const Case cases[] = {
        {5, 7, 1, 0, 0.25, 0},          // resisted away: the speeds stay as they were
        {-30, 0, 1, 0, -twenty, 0},     // held at 20 half blocks
        {30, 0, 0, -1, 0, -twenty},
        {20, 0, 0, 0, 0, 0},            // a stationary attacker pushes nowhere
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "impact " << c.imp << " resist " << c.resist);
        cChara chara;
        chara.m_Def.m_cImpactResist = static_cast<int8_t>(c.resist);
        chara.m_dKnockX = 0.25;
        chara.Impact(static_cast<int8_t>(c.imp), c.dirX, c.dirY);
        EXPECT_NEAR(chara.m_dKnockX, c.knockX, 1e-12);
        EXPECT_NEAR(chara.m_dKnockY, c.knockY, 1e-12);
        EXPECT_EQ(chara.m_bKnockback, 1);
    }
}

TEST(CharaImpact, KnockBackStopsOpposingSpeedsAndDecaysToExactlyZero)
{
    StageHarness h(StageWith(2, 0.4));
    cChara c;
    c.m_dAx = 0.5;
    c.m_dAy = 0.5;
    c.m_dVy = 0.5;
    c.Impact(-4, 1, -1);      // pushes left and down
    EXPECT_LT(c.m_dKnockX, 0);
    EXPECT_GT(c.m_dKnockY, 0);
    EXPECT_EQ(c.m_dAx, 0);     // opposed
    EXPECT_EQ(c.m_dAy, 0.5);   // same sign
    EXPECT_EQ(c.m_dVy, 0.5);

    c.m_dKnockX = 0.7;
    c.DecayImpactX();
    EXPECT_DOUBLE_EQ(c.m_dKnockX, 0.2);
    c.DecayImpactX();
    EXPECT_EQ(c.m_dKnockX, 0);
}

TEST(CharaImpact, AnAttackersFallCountsOnlyWhenItFliesOrDropsHard)
{
    StageHarness h(StageWith(1, 0.4));
    struct Case {
        int flying;
        double vy;
        bool downward;
    };
    const Case cases[] = {{0, 3.1, false}, {0, 3.2, true}, {1, 1.0, true}};
    for (const Case& c : cases) {
        cChara attacker;
        attacker.m_Def.m_cImpact = 4;
        attacker.m_Def.m_cFlying = static_cast<int8_t>(c.flying);
        attacker.m_dVx = 1;
        attacker.m_dVy = c.vy;
        cChara victim;
        victim.ImpactFromChara(attacker);
        EXPECT_EQ(victim.m_dKnockY > 0, c.downward) << "flying " << c.flying << " vy " << c.vy;
    }
}

TEST(CharaLinks, PlacedCharactersFollowPlayerOneOnceWhereTheyLive)
{
    StageHarness h(StageWith(1, 0.4));
    HarnessScene scene;
    Player.emplace_back();
    cPlayer& p1 = Player[P1];
    p1.Setup(0, HarnessCharaDef(0, 10), 400, 400);
    EXPECT_EQ(p1.m_lpTarget, &p1);
    EXPECT_EQ(p1.m_Followers, std::vector<cChara*>{&p1});

    cCharaData def = HarnessCharaDef(1, 5);
    {
        // Built as a temporary and copied into the list: only the copy that
        // lives in the list is a follower once the temporary is gone.
        cNpc temporary;
        temporary.Setup(1, def, nullptr, 500, 400, 0);
        CharaList.push_back(temporary);
    }
    cNpc& a = CharaList.back();
    cNpc& b = HarnessNpc(def, 600, 400);
    b.ResetState(nullptr, 600, 400, 0);     // a second reset adds no second entry
    EXPECT_EQ(a.m_lpTarget, &p1);
    EXPECT_EQ(b.m_lpTarget, &p1);
    EXPECT_EQ(p1.m_Followers, (std::vector<cChara*>{&p1, &a, &b}));

    CharaList.pop_front();
    EXPECT_EQ(p1.m_Followers, (std::vector<cChara*>{&p1, &b}));

    // The player dies: nobody targets it any longer.
    EXPECT_EQ(p1.Die(*lpStageScene), 0);
    EXPECT_EQ(b.m_lpTarget, nullptr);
    EXPECT_TRUE(p1.m_Followers.empty());
    EXPECT_EQ(p1.m_bDead, 1);
}

TEST(CharaOverlays, AFlowsOverlaysStopResumeAndGoByItsKey)
{
    cChara chara;
    auto add = [&](int key, int frames, int commandFrames) {
        OVERLAYANIM o;
        o.nKey = key;
        o.nFrames = frames;
        o.nCommandFrames = commandFrames;
        chara.m_Overlays.push_back(o);
    };
    add(7, 10, 0);
    add(7, 0, 0);    // no time left: stopping removes it
    add(8, 10, 0);
    chara.StopOverlaysByKey(7);
    ASSERT_EQ(chara.m_Overlays.size(), 2u);
    EXPECT_EQ(chara.m_Overlays.front().bStopped, 1);
    EXPECT_EQ(chara.m_Overlays.back().bStopped, 0);
    chara.ResumeOverlaysByKey(7);
    EXPECT_EQ(chara.m_Overlays.front().bStopped, 0);
    chara.RemoveOverlaysByKey(7);
    ASSERT_EQ(chara.m_Overlays.size(), 1u);
    EXPECT_EQ(chara.m_Overlays.front().nKey, 8);
}

TEST(CharaCopies, ACopysFlowsNameItsOwnDefinitions)
{
    cChara original;
    original.m_Def.m_Flows.resize(2);
    original.m_Def.m_Flows[1].m_Commands.resize(1);
    original.InsertFlows(original.m_Def.m_Flows, 0, 0, -1);
    ASSERT_EQ(original.m_Flows.size(), 2u);
    cChara copy(original);
    for (size_t i = 0; i < copy.m_Flows.size(); ++i) EXPECT_EQ(copy.m_Flows[i].m_lpFlowData, &copy.m_Def.m_Flows[i]);
    EXPECT_EQ(copy.m_Flows[1].m_Commands[0].m_lpCommandData, &copy.m_Def.m_Flows[1].m_Commands[0]);
}
