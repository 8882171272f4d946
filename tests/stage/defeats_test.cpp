// Defeats, the removal of a character and the goal's bookkeeping.
#include <gtest/gtest.h>

#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/hits/hits.h"
#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_hits.h"
#include "tests/stage/stage_harness.h"

namespace {

constexpr double X0 = 640, Y0 = 640;

struct DefeatStage {
    StageHarness harness{HarnessStage{}};
    SoundLog sounds;
    int savedKeep = SystemData.m_bKeepDefeatedChara;
    DefeatStage()
    {
        Player.assign(1, cPlayer{});
        Player[P1].m_nHp = 5;
        lpStageScene->m_nState = STAGE_PLAY;
    }
    ~DefeatStage() { SystemData.m_bKeepDefeatedChara = savedKeep; }
};

} // namespace

TEST(Defeats, KeptOrRemovedByTheSetting)
{
    for (int keep : {0, 1}) {
        SCOPED_TRACE(keep);
        DefeatStage stage;
        SystemData.m_bKeepDefeatedChara = keep;
        HarnessLayeredNpc(HarnessCharaDef(1, 10), 1, X0, Y0).m_nHp = 0;
        HarnessLayeredNpc(HarnessCharaDef(1, 10), 1, X0, Y0).m_bVanish = 1;
        HarnessLayeredNpc(HarnessCharaDef(1, 10), 1, X0, Y0);
        EXPECT_EQ(CheckDefeats(*lpStageScene), 0);
        ASSERT_EQ(CharaList.size(), keep ? 2u : 1u);
        EXPECT_EQ(lpStageScene->m_CharaLayers[1].size(), CharaList.size());
        if (keep) {
            EXPECT_TRUE(CharaList.front().m_bDead);
        }
        EXPECT_EQ(stage.sounds.se, keep ? std::vector<int>{9} : std::vector<int>{});
        // A character already dying is not defeated again.
        EXPECT_EQ(CheckDefeats(*lpStageScene), 0);
        EXPECT_EQ(stage.sounds.se.size(), keep ? 1u : 0u);
    }
}

TEST(Defeats, OutcomesOfTheSideAndOfAStageClearingDeath)
{
    {
        // One of the player's side: the player goes down.
        DefeatStage stage;
        cNpc& friendly = HarnessLayeredNpc(HarnessCharaDef(0, 10), 1, X0, Y0);
        EXPECT_EQ(DefeatCharacter(*lpStageScene, friendly, CharaList), 2);
        EXPECT_TRUE(Player[P1].m_bDead);
        EXPECT_FALSE(friendly.m_bDead);
        EXPECT_EQ(stage.sounds.se, std::vector<int>{8});
        // Once down, the player does not die a second time.
        EXPECT_EQ(DefeatCharacter(*lpStageScene, friendly, CharaList), 2);
        EXPECT_EQ(stage.sounds.se, std::vector<int>{8});
    }
    {
        // A death that clears the stage: the goal, then the clear state.
        DefeatStage stage;
        cNpc& boss = HarnessLayeredNpc(HarnessCharaDef(1, 10), 1, X0, Y0);
        lpStageScene->m_nStageRequest = STAGEREQ_CLEAR;
        EXPECT_EQ(DefeatCharacter(*lpStageScene, boss, CharaList), 1);
        EXPECT_EQ(lpStageScene->m_nState, STAGE_CLEAR);
        ASSERT_FALSE(stage.sounds.se.empty());
        EXPECT_EQ(stage.sounds.se.front(), 14);
    }
    {
        // The player's own hit points ran out.
        DefeatStage stage;
        Player[P1].m_nHp = 0;
        EXPECT_EQ(CheckDefeats(*lpStageScene), 1);
        EXPECT_TRUE(Player[P1].m_bDead);
        EXPECT_EQ(lpStageScene->m_nState, STAGE_PLAY);
    }
}

TEST(Defeats, RemovalClearsEveryReference)
{
    DefeatStage stage;
    cNpc& gone = HarnessLayeredNpc(HarnessCharaDef(1, 10), 2, X0, Y0);
    cNpc& stays = HarnessLayeredNpc(HarnessCharaDef(1, 10), 2, X0, Y0);
    stays.m_lpTarget = &gone;                 // targets it without being listed with it
    gone.m_lpTarget = &stays;
    stays.m_Followers.push_back(&gone);
    Player[P1].m_lpTarget = &gone;
    gone.m_Followers.push_back(&Player[P1]);
    cShot& aiming = HarnessShot(cEdShot{}, 1, X0, Y0);
    aiming.m_lpTarget = &gone;
    gone.m_ShotsAimingAtMe.push_back(&aiming);
    aiming.m_HitList = {&stays, &gone, &gone};
    lpStageScene->m_lpCurChara = &gone;

    auto next = EraseObjectNode(*lpStageScene, CharaList.begin());
    EXPECT_EQ(&*next, &stays);
    ASSERT_EQ(CharaList.size(), 1u);
    EXPECT_EQ(stays.m_lpTarget, nullptr);
    EXPECT_TRUE(stays.m_Followers.empty());
    EXPECT_EQ(Player[P1].m_lpTarget, nullptr);
    EXPECT_EQ(aiming.m_lpTarget, nullptr);
    EXPECT_EQ(aiming.m_HitList, std::list<cChara*>{&stays});
    EXPECT_EQ(lpStageScene->m_CharaLayers[2], std::list<cChara*>{&stays});
    EXPECT_EQ(lpStageScene->m_lpCurChara, nullptr);
}

TEST(Goal, RankingPositionsByModeStageAndPlayKind)
{
    struct Case {
        int directPlay, rankingOn, testPlay;
        bool valuesTaken;
        int pos[5];
        int allowed;
    };
    const Case cases[] = {
        {0, 0, 0, false, {-1, -1, -1, -1, -1}, 0},
        {1, 0, 0, true, {0, -1, -1, 1, -1}, 1},
        {0, 1, 0, true, {0, -1, -1, 1, -1}, 1},   // not linked: the last of its chain
        {1, 0, 1, true, {-1, -1, -1, -1, -1}, 0},
    };
    const auto savedSettings = SystemData.m_ModeSettings;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.directPlay << c.rankingOn << c.testPlay);
        DefeatStage stage;
        STAGEMODES& modes = lpStageScene->m_Modes;
        modes = STAGEMODES();
        modes.bDirectPlay = c.directPlay;
        modes.bRankingOn = c.rankingOn;
        modes.bTestPlay = c.testPlay;
        modes.nPlayMode = 2;
        SystemData.m_ModeSettings.assign(3, cModeSetting());
        SystemData.m_ModeSettings[2].m_Genres = {1, 1, 0, 1, 1};
        StageData.m_RankList = {1, 0, 1, 1, 0};
        GameProgress.m_nTotalScore = 500;
        GameProgress.m_nTotalTimeLeft = 7;
        GameProgress.m_nTotalClearTime = 900;
        GameProgress.m_nTotalHp = 3;
        GameProgress.m_nTotalSp = 1;
        RankingSet.Reset();
        RankingSet.m_Rankings[3].m_Entries[0].m_bUsed = 1;
        RankingSet.m_Rankings[3].m_Entries[0].m_nScore = 100000;   // HP ranks high first: comes second
        GameProgress.m_bLinked = 0;
        lpStageScene->m_nNextLinkedStage = 0;
        lpStageScene->m_RankValue.assign(5, 0);

        Goal(*lpStageScene);
        ASSERT_FALSE(stage.sounds.se.empty());
        EXPECT_EQ(stage.sounds.se.front(), 14);
        EXPECT_EQ(lpStageScene->m_RankPos, std::vector<int>(c.pos, c.pos + 5));
        EXPECT_EQ(lpStageScene->m_bRankingAllowed, c.allowed);
        // The totals as the stage's own were added to them.
        const std::vector<int> totals{GameProgress.m_nTotalScore, GameProgress.m_nTotalTimeLeft,
                                      GameProgress.m_nTotalClearTime, GameProgress.m_nTotalHp,
                                      GameProgress.m_nTotalSp};
        EXPECT_EQ(lpStageScene->m_RankValue, c.valuesTaken ? totals : std::vector<int>(5, 0));
    }
    SystemData.m_ModeSettings = savedSettings;
}
