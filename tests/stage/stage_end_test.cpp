// The end of a cleared stage: totals and extra lives, linked areas, where a
// clear leads by the way the game was started, the ranking entry, the
// replay keys and the frame of a wait.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <string>
#include <vector>

#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "stage/scene/replay_keys.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"

namespace {

// What the stage end asked of the shell during a test.
struct EndCalls {
    std::vector<int> sounds;
    std::vector<std::vector<int>> waits;   // m_Wait at each pause loop
    std::vector<size_t> messagesDuringWait;
    std::vector<std::string> looked, loaded, boxes;
    int names = 0, boards = 0;
    std::vector<int> saves;
    bool f1 = false, f2 = false;
    bool quitDuringWait = false;
    bool loadSucceeds = true;
    std::vector<std::string> existing;   // stage names that have a file
};
EndCalls* lpCalls = nullptr;

class StageEndTest : public ::testing::Test {
protected:
    StageEndTest()
        : m_System(SystemData, SystemData), m_Progress(GameProgress, GameProgress), m_Options(Options, Options),
          m_Map(WorldMap, WorldMap), m_Stage(StageData, StageData), m_Version(RecordContext.nDataVersion, DATA_VERSION)
    {
        lpCalls = &m_Calls;
#ifdef _WIN32
        // The user folders the saves go to (a plain name with backslashes elsewhere).
        for (const char* folder : {"user_data", "user_data\\challenge", "user_data\\free"})
            CreateDirectoryA(folder, nullptr);
#endif
        cHarnessHost& host = m_Scene.Host();
        host.onPlaySE = [](int n) { lpCalls->sounds.push_back(n); };
        host.onRunPauseLoop = [](int handshake) {
            cStageScene& scene = *lpStageScene;
            lpCalls->waits.push_back(std::vector<int>(scene.m_Wait, scene.m_Wait + 5));
            lpCalls->messagesDuringWait.push_back(scene.m_MessageList.size());
            if (lpCalls->quitDuringWait) scene.m_bQuit = 1;
        };
        Modes().bRankingOn = 1;
        host.onFindStageFile = [](std::string& path, const std::string& name) {
            lpCalls->looked.push_back(name);
            for (const std::string& e : lpCalls->existing)
                if (e == name) {
                    path = name + "_003";
                    return 1;
                }
            return 0;
        };
        host.onLoadStage = [](const std::string& path) {
            lpCalls->loaded.push_back(path);
            return lpCalls->loadSucceeds ? 1 : 0;
        };
        host.onEnterName = [] {
            ++lpCalls->names;
            lpStageScene->m_sRankName = "NEW";
        };
        host.onRunRankingLoop = [] { ++lpCalls->boards; };
        host.onKeyDown = [](int key) -> int {
            return key == STAGEKEY_SAVE_REPLAY ? lpCalls->f1 : key == STAGEKEY_SAVE_LAST_REPLAY ? lpCalls->f2 : 0;
        };
        host.onSaveReplay = [](int which) { lpCalls->saves.push_back(which); };
        host.onErrorBox = [](const char* text) { lpCalls->boxes.push_back(text); };

        SystemData = cSystemData();
        Options = cOptionData();
        WorldMap = cWorldMap();
        StageData = cStageData();
        GameProgress = cGameProgress();
        SystemData.m_bExtraLifeByScore = 1;
        SystemData.m_nExtraLifeScore = 1000;
        Player.emplace_back();
        Player[P1].m_nRef = 7;
        Replay.Clear();
        LastReplay.Clear();
    }
    ~StageEndTest() override
    {
        Replay.Clear();
        LastReplay.Clear();
        lpCalls = nullptr;
    }

    cStageScene& Scene() { return m_Scene.Scene(); }
    // How the play was started, as the scene took it from the shell.
    STAGEMODES& Modes() { return Scene().m_Modes; }

    ScopedTestDir m_Dir;
    EndCalls m_Calls;
    ScopedSwap<cSystemData> m_System;
    ScopedSwap<cGameProgress> m_Progress;
    ScopedSwap<cOptionData> m_Options;
    ScopedSwap<cWorldMap> m_Map;
    ScopedSwap<cStageData> m_Stage;
    ScopedSwap<int> m_Version;
    HarnessScene m_Scene;
};

TEST_F(StageEndTest, TotalsAddTheStageAndGiveExtraLivesForScore)
{
    struct Row {
        int total, score, lives, every, byScore;
        int livesAfter, displays;
    } rows[] = {
        {1900, 1200, 5, 1000, 1, 7, 2},       // 1900 -> 3100 passes 2000 and 3000
        {1900, 1200, 98, 1000, 1, 99, 2},     // the second life is held at 99
        {1900, 1200, INFINITE_LIVES, 1000, 1, INFINITE_LIVES, 0},
        {1900, 1200, 5, 0, 1, 5, 0},          // no interval
        {1900, 1200, 5, 1000, 0, 5, 0},       // switched off
        {2000, 999, 5, 1000, 1, 5, 0},        // stays below the next thousand
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.total * 100 + row.lives);
        m_Calls = EndCalls{};
        GameProgress.m_nTotalScore = row.total;
        GameProgress.m_nScore = row.score;
        GameProgress.m_nLives = row.lives;
        SystemData.m_nExtraLifeScore = row.every;
        SystemData.m_bExtraLifeByScore = row.byScore;
        Scene().AddStageTotals();
        EXPECT_EQ(GameProgress.m_nTotalScore, row.total + row.score);
        EXPECT_EQ(GameProgress.m_nLives, row.livesAfter);
        ASSERT_EQ(m_Calls.waits.size(), static_cast<size_t>(row.displays));
        for (const auto& wait : m_Calls.waits) EXPECT_EQ(wait, (std::vector<int>{4, 0, 0, 30, 0}));
        // Each display shows its own pop-up, which is gone afterwards.
        for (size_t shown : m_Calls.messagesDuringWait) EXPECT_EQ(shown, 1u);
        EXPECT_TRUE(Scene().m_MessageList.empty());
        EXPECT_EQ(m_Calls.sounds, std::vector<int>(row.displays, 15));
    }
}

TEST_F(StageEndTest, TotalsOfTimeClearTimeAndPoints)
{
    Scene().m_nTime = 40;
    Scene().m_nPlayTime = 1234;
    Player[P1].m_nHp = 9;
    Player[P1].m_nSp = 3;
    Scene().AddStageTotals();
    Scene().m_bTimerOff = 1;
    Scene().AddStageTotals();
    EXPECT_EQ(GameProgress.m_nTotalTimeLeft, 40);   // the untimed stage adds no time
    EXPECT_EQ(GameProgress.m_nTotalClearTime, 2468);
    EXPECT_EQ(GameProgress.m_nTotalHp, 18);
    EXPECT_EQ(GameProgress.m_nTotalSp, 6);
}

TEST_F(StageEndTest, AClosedWindowEndsTheExtraLives)
{
    GameProgress.m_nTotalScore = 0;
    GameProgress.m_nScore = 5000;
    GameProgress.m_nLives = 1;
    m_Calls.quitDuringWait = true;
    Scene().AddStageTotals();
    EXPECT_EQ(m_Calls.waits.size(), 1u);
    EXPECT_EQ(GameProgress.m_nLives, 2);
    // Already set before the first: no display at all, so no loop to hang on.
    m_Calls = EndCalls{};
    GameProgress.m_nScore = 5000;
    Scene().AddStageTotals();
    EXPECT_TRUE(m_Calls.waits.empty());
    EXPECT_EQ(GameProgress.m_nLives, 2);
}

TEST_F(StageEndTest, LinkedStageNamesFollowTheFirstArea)
{
    GameProgress.SetStageName("data\\stg4\\c05-1.stg4_000");
    ASSERT_EQ(GameProgress.m_sStageKey, "data\\stg4\\c05.");
    ASSERT_EQ(GameProgress.m_bLinked, 1);
    Scene().m_nNextLinkedStage = 2;
    m_Calls.existing = {"data\\stg4\\c05-2.stg4"};
    std::string name = "old";
    EXPECT_TRUE(Scene().GetLinkedStageName(name, 2));
    EXPECT_EQ(name, "data\\stg4\\c05-2.stg4_003");
    EXPECT_FALSE(Scene().IsLastLinkedStage(2));
    EXPECT_FALSE(Scene().GetLinkedStageName(name, 3));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(Scene().IsLastLinkedStage(3));
    EXPECT_EQ(m_Calls.looked.back(), "data\\stg4\\c05-3.stg4");
    // No next area asked for, or a stage out of any chain: nothing is looked for.
    m_Calls.looked.clear();
    Scene().m_nNextLinkedStage = 0;
    EXPECT_TRUE(Scene().IsLastLinkedStage(2));
    Scene().m_nNextLinkedStage = 2;
    GameProgress.SetStageName("data\\stg4\\single.stg4_000");
    EXPECT_TRUE(Scene().IsLastLinkedStage(2));
    EXPECT_TRUE(m_Calls.looked.empty());
}

TEST_F(StageEndTest, ClearLeadsByTheWayTheGameStarted)
{
    WorldMap.m_Points.resize(1);
    WorldMap.m_Points[0].m_Stages.resize(3);
    WorldMap.m_Points[0].m_Stages[0].m_nOnClear = WORLD_CLEAR_NOTHING;
    WorldMap.m_Points[0].m_Stages[1].m_nOnClear = WORLD_CLEAR_NEXT_LAP;
    WorldMap.m_Points[0].m_Stages[2].m_nOnClear = WORLD_CLEAR_TITLE;
    struct Row {
        const char* what;
        int startKind;
        const char* stage;
        int mapEntry, nextArea;
        bool fileThere, loads;
        int next, area, cleared, lap;
    } rows[] = {
        {"story, back to the map", 0, "s3.stg4_000", 0, 0, false, true, 1, 1, 1, 0},
        {"story, next lap", 1, "s3.stg4_000", 1, 0, false, true, 1, 1, 0, 1},
        {"story, to the title", 0, "s3.stg4_000", 2, 0, false, true, 0, 1, 1, 0},
        {"story, next area", 0, "s3-1.stg4_000", 0, 2, true, true, 4, 2, 0, 0},
        {"story, next area missing", 0, "s3-1.stg4_000", 0, 2, false, true, 1, 1, 1, 0},
        {"story, next area refused", 0, "s3-1.stg4_000", 0, 2, true, false, 1, 1, 1, 0},
        {"stage file again", 3, "s3.stg4_000", 0, 0, false, true, 4, 1, 0, 0},
        {"stage file, next area", 3, "s3-1.stg4_000", 0, 2, true, true, 4, 2, 0, 0},
        {"stage file, last area", 3, "s3-1.stg4_000", 0, 2, false, true, 0, 1, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        m_Calls = EndCalls{};
        Modes().nStartKind = row.startKind;
        m_Calls.loadSucceeds = row.loads;
        if (row.fileThere) m_Calls.existing = {"s3-2.stg4"};
        GameProgress.Reset();
        GameProgress.SetStageName(row.stage);
        GameProgress.m_nStageNo = 3;
        GameProgress.m_nArea = 1;
        GameProgress.m_nLap = 0;
        GameProgress.m_nTotalScore = 700;
        GameProgress.m_nMapStageRef = WorldMap.StageRef(&WorldMap.m_Points[0].m_Stages[row.mapEntry]);
        Scene().m_nNextLinkedStage = row.nextArea;
        Replay.RecordFrame(1, 0);
        LastReplay.RecordFrame(1, 0);
        EXPECT_EQ(Scene().StageClearProcess(), row.next);
        EXPECT_EQ(GameProgress.m_nArea, row.area);
        EXPECT_EQ(GameProgress.m_ClearFlags[3], row.cleared);
        EXPECT_EQ(GameProgress.m_nLap, row.lap);
        // A new area is a new play: neither recording can be saved from it.
        const bool newArea = row.next == 4 && row.nextArea;
        EXPECT_EQ(Replay.m_DirValues.empty(), newArea);
        EXPECT_EQ(LastReplay.m_DirValues.empty(), newArea);
        if (row.startKind <= 1 && row.next != 4) {
            EXPECT_EQ(GameProgress.GetBestValue("s3."), 700);
        }
        Replay.Clear();
        LastReplay.Clear();
    }
}

TEST_F(StageEndTest, ChallengeClearKeepsTheBestAndOpensTheNext)
{
    Modes().nStartKind = 2;
    SystemData.m_nChallengeCount = 4;
    GameProgress.m_ChallengeRecords.resize(4);
    GameProgress.m_ChallengeRecords[3].m_nSecond = 100;
    GameProgress.m_nBestTotal = 100;
    GameProgress.m_nStageNo = 4;
    GameProgress.m_nChallengeOpen = 4;
    GameProgress.m_nTotalScore = 250;
    EXPECT_EQ(Scene().StageClearProcess(), 3);
    EXPECT_EQ(GameProgress.m_ChallengeRecords[3].m_nFirst, 1);
    EXPECT_EQ(GameProgress.m_ChallengeRecords[3].m_nSecond, 250);
    EXPECT_EQ(GameProgress.m_nBestTotal, 250);
    EXPECT_EQ(GameProgress.m_nChallengeOpen, 4);   // no challenge after the last
    EXPECT_TRUE(m_Calls.boxes.empty());
    cGameProgress saved;
    EXPECT_EQ(saved.LoadChallenge(), 1);
    EXPECT_EQ(saved.m_nBestTotal, 250);
    // A lower score leaves the best alone.
    GameProgress.m_nTotalScore = 90;
    Scene().StageClearProcess();
    EXPECT_EQ(GameProgress.m_ChallengeRecords[3].m_nSecond, 250);
}

TEST_F(StageEndTest, ReplayClearPlaysAgainFromTheStageStart)
{
    Modes().nStartKind = 4;
    GameProgress.m_nLives = 3;
    GameProgress.m_nTotalScore = 10;
    GameProgress.SaveStageStart();
    GameProgress.m_nLives = 1;
    GameProgress.m_nTotalScore = 900;
    EXPECT_EQ(Scene().StageClearProcess(), 4);
    EXPECT_EQ(GameProgress.m_nLives, 3);
    EXPECT_EQ(GameProgress.m_nTotalScore, 10);
}

TEST_F(StageEndTest, RankingIsEnteredOnceAndSaved)
{
    Modes().nPlayMode = 2;
    GameProgress.SetStageName("data\\stg4\\s3.stg4_000");
    GameProgress.m_sPlayerName = "OLD";
    RankingSet.Reset();
    Scene().m_bRankingAllowed = 1;
    Scene().m_RankPos = {0, -1, 0, -1, -1};
    Scene().m_RankValue = {500, 7, 1200, 0, 0};
    Options.m_nRankingMode = 0;
    Scene().EnterRanking();
    Scene().EnterRanking();
    EXPECT_EQ(m_Calls.names, 1);
    EXPECT_EQ(m_Calls.boards, 1);
    EXPECT_EQ(m_Calls.sounds, std::vector<int>{16});
    EXPECT_EQ(GameProgress.m_sPlayerName, "NEW");
    EXPECT_EQ(RankingSet.m_Rankings[0].m_Entries[0].m_strName, "NEW");
    EXPECT_EQ(RankingSet.m_Rankings[0].m_Entries[0].m_nScore, 500);
    EXPECT_EQ(RankingSet.m_Rankings[1].m_Entries[0].m_bUsed, 0);
    EXPECT_EQ(RankingSet.m_Rankings[2].m_Entries[0].m_nScore, 1200);
    cRankingSet saved;
    EXPECT_EQ(LoadRankingFile(saved, 2, GameProgress.m_sStageKey), 1);
    EXPECT_EQ(saved.m_Rankings[2].m_Entries[0].m_strName, "NEW");
    EXPECT_TRUE(m_Calls.boxes.empty());
    RankingSet.Reset();
}

TEST_F(StageEndTest, RankingWithTheFixedNameOrNotAtAll)
{
    Modes().nPlayMode = 2;
    GameProgress.SetStageName("s3.stg4_000");
    RankingSet.Reset();
    Scene().m_RankPos = {0, -1, -1, -1, -1};
    Scene().m_RankValue = {500, 0, 0, 0, 0};
    Options.m_nRankingMode = 3;
    Options.m_sRankingName = "FIX";
    // Not allowed, or the mode does not rank: nothing happens.
    Scene().EnterRanking();
    Scene().m_bRankingAllowed = 1;
    Modes().bRankingOn = 0;
    Scene().EnterRanking();
    EXPECT_EQ(m_Calls.boards, 0);
    Modes().bRankingOn = 1;
    Scene().EnterRanking();
    EXPECT_EQ(m_Calls.names, 0);
    EXPECT_EQ(m_Calls.boards, 1);
    EXPECT_EQ(RankingSet.m_Rankings[0].m_Entries[0].m_strName, "FIX");
    RankingSet.Reset();
}

TEST_F(StageEndTest, AFailedRankingSaveIsReported)
{
    // A mode without a ranking file stands for any file that cannot be written.
    Modes().nPlayMode = 3;
    GameProgress.SetStageName("s3.stg4_000");
    RankingSet.Reset();
    Scene().m_bRankingAllowed = 1;
    Scene().m_RankPos = {0, -1, -1, -1, -1};
    Scene().m_RankValue = {500, 0, 0, 0, 0};
    Options.m_nRankingMode = 1;
    Scene().EnterRanking();
    EXPECT_EQ(m_Calls.boxes.size(), 1u);
    EXPECT_EQ(m_Calls.boards, 1);   // the board still shows the entry
    EXPECT_EQ(Scene().m_bRankingEntered, 1);
    RankingSet.Reset();
}

TEST_F(StageEndTest, ReplayKeysSaveARecordingAndRefuseAnEmptyOne)
{
    SystemData.m_bReplay = 1;
    // Any refusal left from before runs out.
    for (int i = 0; i < 60; ++i) CheckReplayKeys(Modes());
    m_Calls.f2 = true;   // nothing recorded before this play
    int refusals = 0;
    for (int frame = 0; frame < 130; ++frame) {
        EXPECT_EQ(CheckReplayKeys(Modes()), 0);
        refusals += static_cast<int>(m_Calls.sounds.size());
        m_Calls.sounds.clear();
    }
    EXPECT_EQ(refusals, 3);   // frames 0, 60 and 120 of the hold
    EXPECT_TRUE(m_Calls.saves.empty());

    Replay.RecordFrame(0, 0);
    m_Calls.f1 = true;   // F1 wins over F2
    EXPECT_EQ(CheckReplayKeys(Modes()), 1);
    EXPECT_EQ(m_Calls.saves, std::vector<int>{0});
    EXPECT_EQ(m_Calls.sounds, std::vector<int>{1});

    // Played back, or not recording: the keys do nothing.
    m_Calls = EndCalls{};
    m_Calls.f1 = true;
    Modes().nStartKind = 4;
    EXPECT_EQ(CheckReplayKeys(Modes()), 0);
    Modes().nStartKind = 0;
    SystemData.m_bReplay = 0;
    EXPECT_EQ(CheckReplayKeys(Modes()), 0);
    EXPECT_TRUE(m_Calls.saves.empty());
    EXPECT_TRUE(m_Calls.sounds.empty());
}

// Frames of a wait until it ends: how many were drawn, given the confirm
// button's state per frame (the last state repeats).
int FramesDrawn(cStageScene& scene, std::vector<int> confirm, int heldBefore, int limit = 200)
{
    int before = heldBefore, drawn = 0;
    for (int frame = 0; frame < limit; ++frame) {
        const int now = confirm[std::min<size_t>(frame, confirm.size() - 1)];
        if (scene.StepWait(now, before)) return drawn;
        before = now;
        ++drawn;
    }
    return -1;
}

TEST_F(StageEndTest, AWaitFrame)
{
    cStageScene& scene = Scene();
    for (int n : {0, 1, 30}) {
        SetModeTimer(*lpStageScene, 0, 0, n, 0);
        EXPECT_EQ(FramesDrawn(scene, {1}, 0), n) << n;
    }
    EXPECT_TRUE(m_Calls.sounds.empty());
    EXPECT_EQ(scene.m_bHoldButtons, 0);

    // A message's button counts after 10 frames, and only when pressed anew.
    SetModeTimer(*lpStageScene, 1, 1, 0, 0);
    EXPECT_EQ(FramesDrawn(scene, {1}, 1), -1);   // held from before, never let go
    SetModeTimer(*lpStageScene, 1, 1, 0, 0);
    std::vector<int> letGoAndPressed(12, 1);
    letGoAndPressed.insert(letGoAndPressed.end(), {0, 1});
    EXPECT_EQ(FramesDrawn(scene, letGoAndPressed, 1), 13);
    EXPECT_EQ(m_Calls.sounds, std::vector<int>{12});
    EXPECT_EQ(scene.m_bHoldButtons, 1);
    // Without the delay the first frame may end it, but not with a held button.
    SetModeTimer(*lpStageScene, 3, 1, 0, 0);
    EXPECT_EQ(FramesDrawn(scene, {1}, 0), 0);
    SetModeTimer(*lpStageScene, 3, 1, 0, 0);
    EXPECT_EQ(FramesDrawn(scene, {1, 1, 0, 0, 1}, 1), 4);
    EXPECT_EQ(m_Calls.sounds, (std::vector<int>{12, 1, 1}));
}

} // namespace
