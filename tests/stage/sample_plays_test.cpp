// The sample game's stages cleared by their scripted plays through the real
// stage-play screen, and the story played through over the world map.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/shell/scene.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "tests/stage/sample_plays.h"

namespace {

TEST(SamplePlayScript, RunsExpandToOneWordPairPerFrameAndABadRunEmptiesTheScript)
{
    using Frames = std::vector<std::pair<uint16_t, uint16_t>>;
    EXPECT_EQ(ExpandPlayScript("R2 LJ1 .1 UDF1"), (Frames{{2, 0}, {2, 0}, {1, 1}, {0, 0}, {12, 2}}));
    EXPECT_EQ(ExpandPlayScript(""), Frames{});
    for (const char* bad : {"R", "X3", "R2 J", "R99999999999"}) EXPECT_EQ(ExpandPlayScript(bad), Frames{}) << bad;
}

// What each stage shows on the way to its goal.
struct STAGESHOW {
    const char* sStage;
    bool bRide, bShotKill, bItem, bMessage;
};
const STAGESHOW SHOWS[] = {
    {"Meadow.stg4_001", false, true, true, true},
    {"Caves.stg4_000", true, true, true, true},
    {"Castle.stg4_000", false, true, true, true},
    {"c01-1.stg4_000", false, true, true, true},
    {"c02-1.stg4_000", false, false, true, true},
};

TEST(SamplePlays, EveryStageIsClearedByItsScriptAndShowsItsMechanicsOnTheWay)
{
    SampleGame game;
    for (const STAGESHOW& show : SHOWS) {
        SCOPED_TRACE(show.sStage);
        const SamplePlayScript* play = std::find_if(std::begin(SAMPLE_PLAYS), std::end(SAMPLE_PLAYS),
                                                    [&](const SamplePlayScript& s) { return std::string(s.sStage) == show.sStage; });
        ASSERT_NE(play, std::end(SAMPLE_PLAYS));
        ASSERT_TRUE(game.Load(show.sStage));
        const SamplePlayReport r = game.Play(play->sInput, StageFileModes());
        EXPECT_TRUE(r.bCleared);
        EXPECT_EQ(r.nDeaths, 0);
        // A stage file played from the title is played again after its clear.
        EXPECT_EQ(r.HandOvers, std::vector<int>{SCENE_STAGE});
        EXPECT_EQ(r.nRideFrames >= 30, show.bRide) << r.nRideFrames;
        if (show.bShotKill) {
            EXPECT_GE(r.nShotKills, 1);
        }
        if (show.bItem) {
            EXPECT_GE(r.nItemsTaken, 1);
        }
        if (show.bMessage) {
            EXPECT_FALSE(r.Messages.empty());
        }
    }
}

// A new story from the title, then each stage on the road entered from the
// world map as its confirm does, its clear carried to the next.
TEST(SamplePlays, TheStoryIsPlayedThroughAndTheCastleEndsItAtTheTitle)
{
    SampleGame game;
    // The title's new game.
    GameProgress.Reset();
    GameProgress.m_nMapX = WorldMap.m_nStartX;
    GameProgress.m_nMapY = WorldMap.m_nStartY;
    GameProgress.m_nStartLives = SystemData.m_DefaultLives[0];
    GameProgress.m_nLives = GameProgress.m_nStartLives - 1;
    const int lives = GameProgress.m_nLives;

    const int expectedNext[] = {SCENE_WORLDMAP, SCENE_WORLDMAP, SCENE_TITLE};
    for (int stage = 1; stage <= 3; ++stage) {
        SCOPED_TRACE(stage);
        // The point of the stage, its entry in force, and every stage before
        // it open for the walker to pass.
        const cWorldMapStage* entry = nullptr;
        for (const cWorldMapPoint& point : WorldMap.m_Points)
            for (const cWorldMapStage& e : point.m_Stages)
                if (e.m_nClearNo == stage &&
                    e.IsInForce(GameProgress.m_ClearFlags, GameProgress.m_CommonVars, GameProgress.m_nBestTotal))
                    entry = &e;
        ASSERT_NE(entry, nullptr);
        ASSERT_EQ(entry->m_nKind, WORLD_STAGE);
        for (int before = 1; before < stage; ++before) EXPECT_EQ(GameProgress.m_ClearFlags[before], 1);
        EXPECT_EQ(GameProgress.m_ClearFlags[stage], 0);

        // The map's confirm: the newest revision of the entry's file, the
        // stage number, the lives kept.
        const std::string file = entry->m_sStageFile.substr(entry->m_sStageFile.rfind('\\') + 1);
        const std::string name = game.NewestRevision(file);
        ASSERT_TRUE(game.Load(name)) << file;
        GameProgress.SetStageName(StageData.m_sPath.c_str());
        GameProgress.m_nStageNo = entry->m_nClearNo;
        GameProgress.m_nArea = 1;
        ASSERT_EQ(SystemData.m_bStoryKeepLives, 1);
        GameProgress.m_nStartLives = GameProgress.m_nLives + 1;
        GameProgress.m_nMapStageRef = WorldMap.StageRef(entry);

        const SamplePlayScript& play = SAMPLE_PLAYS[stage - 1];
        ASSERT_EQ(name, play.sStage);
        const SamplePlayReport r = game.Play(play.sInput, StoryModes());
        EXPECT_TRUE(r.bCleared);
        EXPECT_EQ(r.HandOvers, std::vector<int>{expectedNext[stage - 1]});
        EXPECT_EQ(GameProgress.m_ClearFlags[stage], 1);
        EXPECT_EQ(GameProgress.m_nLives, lives);
        EXPECT_GT(GameProgress.m_nTotalScore, 0);
        EXPECT_EQ(GameProgress.GetBestValue(GameProgress.m_sStageKey), GameProgress.m_nTotalScore);
        GameProgress.SumBestValues();
    }
    // The lap is not restarted: the cleared stages stay cleared.
    EXPECT_EQ(GameProgress.m_nLap, 0);
    for (int stage = 1; stage <= 3; ++stage) EXPECT_EQ(GameProgress.m_ClearFlags[stage], 1);
}

} // namespace
