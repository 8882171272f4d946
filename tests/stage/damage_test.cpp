// Damage by a character's body and by a shot, invincibility after a hit,
// and death with its score.
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/flow_labels.h"
#include "stage/objects/chara.h"
#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

std::vector<int>& Fired()
{
    static std::vector<int> fired;
    return fired;
}

struct WatchTriggers {
    WatchTriggers()
    {
        Fired().clear();
        lpTriggerWatch = [](cChara&, int trigger) { Fired().push_back(trigger); };
    }
    ~WatchTriggers() { lpTriggerWatch = nullptr; }
};

const std::vector<int> NONE;
const std::vector<int> DAMAGED{TRIGGER_DAMAGED};
const std::vector<int> IMPACTED{TRIGGER_IMPACTED};
const std::vector<int> BOTH{TRIGGER_DAMAGED, TRIGGER_IMPACTED};

} // namespace

TEST(Damage, PowerDefenceAndInvincibilityGiveHpResultAndTriggers)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    struct Case {
        int power, defence, impact, invincible, hp;
        int hpAfter, result;
        const std::vector<int>* triggers;
    };
    const Case cases[] = {
        {40, 15, 0, 0, 100, 75, 0, &DAMAGED},
        {30, 50, 0, 0, 100, 100, 0, &DAMAGED},      // no damage, still the trigger
        {30, 50, 3, 0, 100, 100, 0, &BOTH},
        {-10, 0, 0, 0, 95, 100, 0, &DAMAGED},       // heals up to the maximum
        {-10, 50, 0, 0, 50, 60, 0, &DAMAGED},       // defence does not stop healing
        {40, 15, 0, 1, 100, 100, 0, &DAMAGED},      // the invincible option ignores the loss
        {0, 0, 2, 0, 100, 100, 0, &IMPACTED},
        {0, 0, 0, 0, 100, 100, 0, &NONE},
        {150, 0, 0, 0, 100, 0, 1, &DAMAGED},
        {2000000000, 0, 0, 0, 100, 0, 1, &DAMAGED},
    };
    for (int byShot : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (byShot ? "shot" : "body") << " power " << c.power << " defence "
                                            << c.defence << " option " << c.invincible);
            WatchTriggers watch;
            cChara victim;
            victim.m_Def.m_nMaxHp = 100;
            victim.m_Def.m_nDefence = c.defence;
            victim.m_Def.m_cInvincible = static_cast<int8_t>(c.invincible);
            victim.m_nHp = c.hp;
            int result;
            if (byShot) {
                cShot shot;
                shot.m_EdShot.m_nPower = c.power;
                shot.m_EdShot.m_cImpact = static_cast<int8_t>(c.impact);
                shot.m_dVx = 1;
                result = victim.DamageByShot(*lpStageScene, shot);
            } else {
                cChara attacker;
                attacker.m_Def.m_nPower = c.power;
                attacker.m_Def.m_cImpact = static_cast<int8_t>(c.impact);
                attacker.m_dVx = 1;
                result = victim.DamageByChara(*lpStageScene, attacker);
            }
            EXPECT_EQ(result, c.result);
            EXPECT_EQ(victim.m_nHp, c.hpAfter);
            EXPECT_EQ(Fired(), *c.triggers);
            EXPECT_EQ(victim.m_bKnockback, c.impact != 0 ? 1 : 0);
        }
    }
}

TEST(Damage, InvincibilityTimersCountSubStepsPerSide)
{
    // Three sub-steps a frame; the stage's times are frames.
    HarnessStage stage;
    stage.nHitCheckLevel = 3;
    StageHarness h(stage);
    StageData.m_nInvGeneralPlayer = 2;
    StageData.m_nInvAttackerPlayer = 10;
    StageData.m_nInvGeneralCpu = 0;
    StageData.m_nInvAttackerCpu = 30;
    struct Case {
        int side;
        int general, against;    // sub-steps of invincibility in general and against attacker 7
    };
    const Case cases[] = {{0, 6, 30}, {1, 0, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side);
        cChara chara;
        chara.m_nSide = c.side;
        chara.StartInvincibleAgainst(7);
        int general = 0, against = 0;
        for (int i = 0; i < 200; ++i) {
            if (chara.IsInvincible()) ++general;
            if (chara.IsInvincibleAgainst(7)) ++against;
            EXPECT_EQ(chara.IsInvincibleAgainst(8), chara.IsInvincible());
            chara.TickInvincible();
        }
        EXPECT_EQ(general, c.general);
        EXPECT_EQ(against, c.against);
        EXPECT_TRUE(chara.m_InvincibleList.empty());
    }
}

TEST(Damage, AnyStoredInvincibilityTimeCountsWithoutWrapping)
{
    // Ten sub-steps a frame. A time longer than int holds in sub-steps lasts
    // past any play; a negative one is none.
    HarnessStage stage;
    stage.nHitCheckLevel = 10;
    StageHarness h(stage);
    struct Case {
        int frames;
        bool lasting;       // still invincible after a million sub-steps
        bool afterOneTick;
    };
    const Case cases[] = {{INT_MAX, true, true}, {214748365, true, true}, {INT_MIN, false, false},
                          {-5, false, false}, {1, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frames " << c.frames);
        StageData.m_nInvGeneralCpu = StageData.m_nInvAttackerCpu = c.frames;
        cChara chara;
        chara.m_nSide = 1;
        chara.StartInvincibleAgainst(7);
        chara.TickInvincible();
        EXPECT_EQ(chara.IsInvincible(), c.afterOneTick);
        EXPECT_EQ(chara.IsInvincibleAgainst(7), c.afterOneTick);
        for (int i = 0; i < 1000000; ++i) chara.TickInvincible();
        EXPECT_EQ(chara.IsInvincible(), c.lasting);
        EXPECT_EQ(chara.IsInvincibleAgainst(7), c.lasting);
    }
}

TEST(Damage, TwoEnemiesWithPerAttackerTimesOnly)
{
    StageHarness h(HarnessStage{});
    StageData.m_nInvGeneralCpu = 0;
    StageData.m_nInvAttackerCpu = 30;
    cChara victim;
    victim.m_nSide = 1;
    victim.StartInvincibleAgainst(1);
    EXPECT_TRUE(victim.IsInvincibleAgainst(1));
    EXPECT_FALSE(victim.IsInvincibleAgainst(2));
    EXPECT_FALSE(victim.IsInvincible());      // shots still hit at once
    for (int i = 0; i < 29; ++i) victim.TickInvincible();
    EXPECT_TRUE(victim.IsInvincibleAgainst(1));
    victim.TickInvincible();
    EXPECT_FALSE(victim.IsInvincibleAgainst(1));
}

TEST(Death, ScoreIsClampedAndLinksAreCleared)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    struct Case {
        int getsc, before, after;
    };
    const Case cases[] = {{100, 50, 150}, {-500, 300, 0}, {5000, 999999 - 1000, 999999}, {2000000000, 999999, 999999}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "score " << c.before << " + " << c.getsc);
        WatchTriggers watch;
        GameProgress.m_nScore = c.before;
        cChara chara;
        chara.m_Def.m_nScore = c.getsc;
        EXPECT_EQ(chara.Die(*lpStageScene), 0);
        EXPECT_EQ(GameProgress.m_nScore, c.after);
        EXPECT_EQ(chara.m_bDead, 1);
        EXPECT_EQ(Fired(), std::vector<int>{TRIGGER_DIED});
    }
}

TEST(Death, APendingStageClearEndsTheStageWithoutMarkingTheDeath)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    Player.emplace_back();
    Player[P1].Setup(0, HarnessCharaDef(0, 10), 400, 400);
    CharaList.emplace_back();
    cNpc& npc = CharaList.back();
    npc.Setup(1, HarnessCharaDef(1, 10), nullptr, 500, 400, 0);
    GameProgress.m_nScore = 0;
    npc.m_Def.m_nScore = 10;

    scene.Scene().m_nStageRequest = STAGEREQ_CLEAR;
    EXPECT_EQ(npc.Die(*lpStageScene), 1);
    EXPECT_EQ(GameProgress.m_nScore, 10);
    EXPECT_EQ(npc.m_bDead, 0);
    EXPECT_EQ(npc.m_lpTarget, &Player[P1]);

    scene.Scene().m_nStageRequest = STAGEREQ_NONE;
    EXPECT_EQ(npc.Die(*lpStageScene), 0);
    EXPECT_EQ(npc.m_bDead, 1);
    EXPECT_EQ(npc.m_lpTarget, nullptr);
    EXPECT_EQ(Player[P1].m_Followers, std::vector<cChara*>{&Player[P1]});
}
