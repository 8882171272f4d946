// The hit passes between layers: shots against characters, bodies against
// bodies and shots against shots.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/stage_file.h"
#include "records/flow_labels.h"
#include "stage/hits/hits.h"
#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_hits.h"
#include "tests/stage/stage_harness.h"

namespace {

constexpr double X0 = 640, Y0 = 640;

// A computer-side character whose flows watch the two hit triggers.
cCharaData Watcher(int hp, int power = 0)
{
    cCharaData def = HarnessCharaDef(1, hp);
    def.m_nPower = power;
    for (int trigger : {TRIGGER_HIT_SHOT, TRIGGER_HIT_CHARA}) {
        cFlowData flow;
        flow.m_cTrigger = static_cast<int8_t>(trigger);
        def.m_Flows.push_back(flow);
    }
    return def;
}

bool Fired(const cChara& chara, int trigger)
{
    return std::any_of(chara.m_Flows.begin(), chara.m_Flows.end(),
                       [trigger](const cRunningFlow& f) { return f.Trigger() == trigger && f.m_bFired; });
}

cEdShot ShotOfPower(int power)
{
    cEdShot record;
    record.m_nPower = power;
    return record;
}

struct HitStage {
    StageHarness harness{HarnessStage{}};
    SoundLog sounds;
    HitStage() { lpStageScene->m_nSubStep = 1; }
    int Hits() { return ResolveCharacterHits(*lpStageScene, CharaList); }
    int Shots() const { return static_cast<int>(lpStageScene->m_ShotList.size()); }
};

} // namespace

TEST(Hits, SameLayerNeverMeets)
{
    for (int otherLayer : {1, 2}) {
        SCOPED_TRACE(otherLayer);
        HitStage stage;
        cNpc& target = HarnessLayeredNpc(Watcher(10), 1, X0, Y0);
        cNpc& body = HarnessLayeredNpc(Watcher(10, 4), otherLayer, X0 + 4, Y0);
        HarnessShot(ShotOfPower(3), otherLayer, X0 + 8, Y0 + 8);
        EXPECT_EQ(stage.Hits(), 0);
        bool meets = otherLayer != 1;
        EXPECT_EQ(Fired(target, TRIGGER_HIT_SHOT), meets);
        EXPECT_EQ(Fired(target, TRIGGER_HIT_CHARA), meets);
        EXPECT_EQ(Fired(body, TRIGGER_HIT_CHARA), meets);
        EXPECT_EQ(target.m_nHp, meets ? 10 - 3 - 4 : 10);
        EXPECT_EQ(stage.Shots(), meets ? 0 : 1);
    }
}

TEST(Hits, InvincibilityOptionsAndTimer)
{
    struct Case {
        int option, timer;
        bool trigger;
        int hp, shots;
    };
    const Case cases[] = {
        {0, 0, true, 7, 0},
        {1, 0, true, 10, 0},    // hit and used up, but no loss
        {2, 0, false, 10, 1},   // never hit
        {0, 5, true, 10, 1},    // invincible for a while: only the trigger
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " timer " << c.timer);
        HitStage stage;
        cCharaData def = Watcher(10);
        def.m_cInvincible = static_cast<int8_t>(c.option);
        cNpc& target = HarnessLayeredNpc(def, 1, X0, Y0);
        target.m_nInvincible = c.timer;
        HarnessShot(ShotOfPower(3), 2, X0 + 8, Y0 + 8);
        EXPECT_EQ(stage.Hits(), 0);
        EXPECT_EQ(Fired(target, TRIGGER_HIT_SHOT), c.trigger);
        EXPECT_EQ(target.m_nHp, c.hp);
        EXPECT_EQ(stage.Shots(), c.shots);
    }
}

TEST(Hits, PiercingShotsAndSwordsHitEachCharacterOnce)
{
    struct Case {
        int chip, blockChara, pierceChara, pierceBlock;
        bool stays;
    };
    const Case cases[] = {
        {1, 0, 0, 0, false}, {1, 0, 1, 0, true}, {1, 1, 1, 0, false},
        {1, 1, 0, 1, true},  {1, 0, 0, 1, false}, {0, 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "chip " << c.chip << " block " << c.blockChara << " pierce "
                                        << c.pierceChara << c.pierceBlock);
        HitStage stage;
        cCharaData def = Watcher(10);
        def.m_bFullCellBoxes = static_cast<int8_t>(c.blockChara);
        cNpc& target = HarnessLayeredNpc(def, 1, X0, Y0);
        cEdShot record = ShotOfPower(1);
        record.m_cPierceChara = static_cast<int8_t>(c.pierceChara);
        record.m_cPierceBlockChara = static_cast<int8_t>(c.pierceBlock);
        cShot& shot = HarnessShot(record, 2, X0 + 8, Y0 + 8);
        shot.m_bChip = c.chip;
        stage.Hits();
        EXPECT_EQ(target.m_nHp, 9);
        ASSERT_EQ(stage.Shots(), c.stays ? 1 : 0);
        if (!c.stays) continue;
        // The next sub-step it passes through without a second trigger.
        target.ResetFlowMarks();
        target.m_nInvincible = 0;
        stage.Hits();
        EXPECT_FALSE(Fired(target, TRIGGER_HIT_SHOT));
        EXPECT_EQ(target.m_nHp, 9);
    }
}

TEST(Hits, ShotsMeetCharactersOnlyInScheduledSubSteps)
{
    HitStage stage;
    StageData.m_nShotHitPasses = 1;
    lpStageScene->m_HitSchedule = {1, 0, 0};
    cNpc& target = HarnessLayeredNpc(Watcher(10), 1, X0, Y0);
    HarnessShot(ShotOfPower(1), 2, X0 + 8, Y0 + 8);
    lpStageScene->m_nSubStep = 2;
    stage.Hits();
    EXPECT_EQ(target.m_nHp, 10);
    lpStageScene->m_nSubStep = 1;
    stage.Hits();
    EXPECT_EQ(target.m_nHp, 9);
}

TEST(Hits, KilledByAShotTheComputerSideSoundsItsDefeatAndDies)
{
    HitStage stage;
    cNpc& target = HarnessLayeredNpc(Watcher(2), 1, X0, Y0);
    HarnessShot(ShotOfPower(5), 2, X0 + 8, Y0 + 8);
    EXPECT_EQ(stage.Hits(), 0);
    EXPECT_TRUE(target.m_bDead);
    EXPECT_EQ(stage.sounds.se, std::vector<int>{9});
    // A character of the player's side that falls loses the stage.
    cCharaData friendDef = HarnessCharaDef(0, 2);
    HarnessLayeredNpc(friendDef, 3, X0, Y0);
    HarnessShot(ShotOfPower(5), 2, X0 + 8, Y0 + 8);
    EXPECT_EQ(stage.Hits(), 2);
}

TEST(Hits, BodiesHurtEachOtherOnceThenStayInvincibleAgainstEachOther)
{
    HitStage stage;
    StageData.m_nInvGeneralCpu = 0;
    StageData.m_nInvAttackerCpu = 30;
    cNpc& n = HarnessLayeredNpc(Watcher(20, 3), 1, X0, Y0);
    cNpc& p = HarnessLayeredNpc(Watcher(20, 5), 2, X0 + 10, Y0 + 10);
    cNpc& harmless = HarnessLayeredNpc(Watcher(20, 0), 3, X0 + 6, Y0 + 5);
    EXPECT_EQ(stage.Hits(), 0);
    EXPECT_EQ(n.m_nHp, 20 - 5 - 0);
    EXPECT_EQ(p.m_nHp, 20 - 3);
    EXPECT_EQ(harmless.m_nHp, 20 - 3 - 5);
    EXPECT_TRUE(Fired(harmless, TRIGGER_HIT_CHARA));
    // One hit sound a pair that hurt.
    EXPECT_EQ(std::count(stage.sounds.se.begin(), stage.sounds.se.end(), 7), 3);
    EXPECT_TRUE(n.IsInvincibleAgainst(p.m_nRef));
    EXPECT_FALSE(n.IsInvincibleAgainst(99));
    stage.Hits();
    EXPECT_EQ(n.m_nHp, 15);
    EXPECT_EQ(p.m_nHp, 17);
    EXPECT_EQ(harmless.m_nHp, 12);
}

TEST(Hits, ClashingShots)
{
    struct Case {
        int clashS, strengthS, clashR, strengthR;
        bool sStays, rStays;
    };
    const Case cases[] = {
        {1, 2, 1, 2, false, false}, {1, 3, 1, 2, true, false}, {1, 1, 1, 2, false, true},
        {1, 5, 0, 9, false, true},  {0, 0, 1, 0, true, false}, {0, 0, 0, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clashS << "/" << c.strengthS << " against " << c.clashR << "/"
                                        << c.strengthR);
        HitStage stage;
        cEdShot s, r;
        s.m_bClash = static_cast<uint8_t>(c.clashS);
        s.m_cClashStrength = static_cast<int8_t>(c.strengthS);
        r.m_bClash = static_cast<uint8_t>(c.clashR);
        r.m_cClashStrength = static_cast<int8_t>(c.strengthR);
        HarnessShot(s, 1, X0, Y0);
        HarnessShot(r, 2, X0 + 7, Y0 + 7);    // corners touch
        HarnessShot(r, 2, X0 + 10, Y0 + 10);    // over R alone, in its layer: never clashes
        stage.Hits();
        int left[3] = {};
        for (const cShot& shot : lpStageScene->m_ShotList) ++left[shot.m_dLeft == X0 ? 0 : shot.m_dLeft == X0 + 7 ? 1 : 2];
        EXPECT_EQ(left[0], c.sStays ? 1 : 0);
        EXPECT_EQ(left[1], c.rStays ? 1 : 0);
        EXPECT_EQ(left[2], 1);
    }
}
