// The replay files of tests/replays, each played without a window through
// the real stage-play screen as its case file says, and held to what it
// showed when it was recorded: its running digest every 50 frames and its
// end (tests/stage/replay_cases.h). Every replay file in the folder is a
// case; a new one needs only its case file beside it, its start lines
// written by hand and the rest by the record mode.
//
// Record mode, after a deliberate change of play or to add a case:
//   REPLAYS_RECORD=1 build-host/tests/host/records_host_tests --gtest_filter='ReplayFolder.*'
// saves the sample game's recorded plays below as the game saves them (F1:
// the play under way; F2: the play before it), then writes the lines below
// "---" of every case file in the folder from this build's plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/scene.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "tests/stage/play_snapshot.h"
#include "tests/stage/replay_cases.h"
#include "tests/stage/sample_plays.h"
#include "tests/support/test_dir.h"

namespace {

const char EXTENSION[] = ".rpl4_708";

// The folder in the source tree, as this build names it.
std::string Folder()
{
#ifdef _WIN32
    std::string path = std::string("Z:") + REPLAYS_DIR;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path + "\\";
#else
    return std::string(REPLAYS_DIR) + "/";
#endif
}

bool Recording()
{
    const char* v = std::getenv("REPLAYS_RECORD");
    return v && *v && std::strcmp(v, "0") != 0;
}

// The names of the replay files in the folder, without the extension.
std::vector<std::string> ReplayNames()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > sizeof EXTENSION - 1 &&
            file.compare(file.size() - (sizeof EXTENSION - 1), std::string::npos, EXTENSION) == 0)
            names.push_back(file.substr(0, file.size() - (sizeof EXTENSION - 1)));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// -- the plays recorded into the folder --

// Walks into the meadow's first foe without jumping: a death.
const char MEADOW_DEATH[] = "R400";

struct RECORDING {
    const char* sStage;
    const char* sScript;
    int nPlayMode;      // the mode the recorded play was started in
    int nStartLives;    // lives a new game gives
    int nSaved;         // 0 the play under way when it ended (F1), 1 the one before (F2)
    int nExtraFrames;   // frames of play after the script, as SampleGame::Play takes them
    // The cases that play it: the file name and its start lines.
    std::vector<std::pair<const char*, const char*>> Cases;
};

std::vector<RECORDING> Recordings()
{
    return {
        {SAMPLE_PLAYS[0].sStage, SAMPLE_PLAYS[0].sInput, PLAYMODE_FREE, 5, 0, 600,
         {{"meadow_clear_played_back", "start replay"},
          {"meadow_clear_ranked_with_pauses", "start stagefile\npause 100\npause 400"}}},
        {SAMPLE_PLAYS[1].sStage, SAMPLE_PLAYS[1].sInput, PLAYMODE_STORY, 5, 0, 600,
         {{"caves_story_clear", "start story"}}},
        {SAMPLE_PLAYS[2].sStage, SAMPLE_PLAYS[2].sInput, PLAYMODE_STORY, 5, 0, 600,
         {{"castle_story_clear_ends_at_the_title", "start story"}}},
        {SAMPLE_PLAYS[3].sStage, SAMPLE_PLAYS[3].sInput, PLAYMODE_CHALLENGE, 5, 0, 600,
         {{"c01_challenge_clear_ranked", "start challenge"}}},
        {SAMPLE_PLAYS[4].sStage, SAMPLE_PLAYS[4].sInput, PLAYMODE_CHALLENGE, 5, 0, 600,
         {{"c02_challenge_played_back", "start replay"}}},
        {SAMPLE_PLAYS[0].sStage, MEADOW_DEATH, PLAYMODE_STORY, 1, 0, 600, {{"meadow_story_game_over", "start story"}}},
        {SAMPLE_PLAYS[0].sStage, MEADOW_DEATH, PLAYMODE_STORY, 3, 1, 0,
         {{"meadow_story_retry", "start story"}, {"meadow_death_played_back", "start replay"}}},
    };
}

// The progress and the modes as the screen that starts a play in the mode
// leaves them, for the stage just loaded.
STAGEMODES StartAs(int playMode, int startLives)
{
    GameProgress.Reset();
    GameProgress.m_ChallengeRecords.assign(std::max(0, SystemData.m_nChallengeCount), cIntPairData());
    GameProgress.SetStageName(StageData.m_sPath.c_str());
    GameProgress.m_nArea = 1;
    GameProgress.m_nStartLives = startLives;
    GameProgress.m_nLives = startLives - 1;
    STAGEMODES modes = StageFileModes();
    if (playMode == PLAYMODE_STORY) {
        modes = StoryModes();
        GameProgress.m_nMapX = WorldMap.m_nStartX;
        GameProgress.m_nMapY = WorldMap.m_nStartY;
        // The stage's clear number, every stage before it cleared, then its
        // entry in force, as the map's confirm finds it.
        auto entries = [&](const std::function<void(const cWorldMapStage&)>& each) {
            for (const cWorldMapPoint& point : WorldMap.m_Points)
                for (const cWorldMapStage& e : point.m_Stages)
                    if (StageData.m_sPath.find(e.m_sStageFile.substr(e.m_sStageFile.rfind('\\') + 1)) !=
                        std::string::npos)
                        each(e);
        };
        entries([](const cWorldMapStage& e) {
            for (int before = 1; before < e.m_nClearNo; ++before) GameProgress.m_ClearFlags[before] = 1;
        });
        entries([](const cWorldMapStage& e) {
            if (!e.IsInForce(GameProgress.m_ClearFlags, GameProgress.m_CommonVars, GameProgress.m_nBestTotal)) return;
            GameProgress.m_nStageNo = e.m_nClearNo;
            GameProgress.m_nMapStageRef = WorldMap.StageRef(&e);
        });
    } else if (playMode == PLAYMODE_CHALLENGE) {
        modes.nPlayMode = PLAYMODE_CHALLENGE;
        modes.nStartKind = 2;
        modes.nPreviousScene = SCENE_CHALLENGE;
        GameProgress.m_nStageNo = StageData.m_sPath.find("c02") != std::string::npos ? 2 : 1;
        GameProgress.m_bLinked = 1;
    }
    modes.bRankingOn = SystemData.m_ModeSettings[modes.nPlayMode].m_bRanking;
    return modes;
}

// Records the play and saves it under each of its cases' names.
void Record(const RECORDING& r)
{
    SampleGame game;
    ASSERT_TRUE(game.Load(r.sStage));
    const STAGEMODES modes = StartAs(r.nPlayMode, r.nStartLives);
    SystemData.m_bReplay = 1;
    game.Play(r.sScript, modes, r.nExtraFrames);
    cReplay& replay = r.nSaved ? LastReplay : Replay;
    cGameProgress& progress = r.nSaved ? LastReplayProgress : ReplayProgress;
    ASSERT_FALSE(replay.m_DirValues.empty());
    for (const auto& [name, setup] : r.Cases) {
        const std::string path = Folder() + name + EXTENSION;
        ASSERT_TRUE(SaveReplayFile(replay, path, StageData, PlayStageData, progress)) << path;
        REPLAYCASE c;
        ReadReplayCase(Folder() + name + ".txt", c);
        c.Setup.clear();
        for (const char* line = setup; *line;) {
            const char* stop = std::strchr(line, '\n');
            c.Setup.emplace_back(line, stop ? stop : line + std::strlen(line));
            line = stop ? stop + 1 : line + std::strlen(line);
        }
        ASSERT_TRUE(WriteReplayCase(Folder() + name + ".txt", c));
    }
}

// Off unless REPLAYS_RECORD is set: records the plays, then writes every
// case's lines from this build's play.
TEST(ReplayFolder, RecordMode)
{
    if (!Recording()) GTEST_SKIP() << "REPLAYS_RECORD is not set";
    // The files the recorded plays write land in a folder of their own.
    ScopedTestDir played;
    for (const RECORDING& r : Recordings()) {
        SCOPED_TRACE(r.Cases.front().first);
        Record(r);
    }
    for (const std::string& name : ReplayNames()) {
        SCOPED_TRACE(name);
        REPLAYCASE c;
        ASSERT_TRUE(ReadReplayCase(Folder() + name + ".txt", c));
        ScopedTestDir dir;
        c.Expected = PlayReplayCase(Folder() + name + EXTENSION, c.Setup);
        ASSERT_TRUE(WriteReplayCase(Folder() + name + ".txt", c));
    }
}

// The folder holds the cases: a glob that finds nothing is a fault.
TEST(ReplayFolder, HoldsReplaysEachWithItsCaseFile)
{
    const std::vector<std::string> names = ReplayNames();
    EXPECT_GE(names.size(), 8u) << Folder();
    for (const std::string& name : names) {
        REPLAYCASE c;
        EXPECT_TRUE(ReadReplayCase(Folder() + name + ".txt", c)) << name;
        EXPECT_FALSE(c.Expected.empty()) << name << " has never been recorded";
    }
}

// A play saved as the game saves it (F1 at its end) and played back by the
// title's replay item: every frame of the playback is the frame the live
// play showed, and the end of the recording starts the stage over.
TEST(ReplayFolder, AFileSavedAfterAPlayPlaysBackAsThePlayWentFrameByFrame)
{
    ScopedTestDir dir;
    std::vector<std::string> live, replayed;
    {
        SampleGame game;
        ASSERT_TRUE(game.Load(SAMPLE_PLAYS[3].sStage));
        const STAGEMODES modes = StartAs(PLAYMODE_CHALLENGE, 5);
        game.m_lpAfterFrame = [&](int) { live.push_back(PlaySnapshot()); };
        const SamplePlayReport r = game.Play(SAMPLE_PLAYS[3].sInput, modes);
        ASSERT_TRUE(r.bCleared);
        ASSERT_TRUE(SaveReplayFile(Replay, "played.rpl4_708", StageData, PlayStageData, ReplayProgress));
    }
    const std::vector<std::string> shown =
        PlayReplayCase("played.rpl4_708", {"start replay"}, [&](int) { replayed.push_back(PlaySnapshot()); });
    ASSERT_GE(live.size(), 400u);
    ASSERT_EQ(replayed.size(), live.size());
    for (size_t f = 0; f < live.size(); ++f) ASSERT_EQ(replayed[f], live[f]) << "play frame " << f;
    // Played back, the clear hands over to the same stage, which plays it again.
    EXPECT_NE(std::find(shown.begin(), shown.end(), "end handover 4"), shown.end());
}

class ReplayCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ReplayCase, PlaysAsRecordedFrameByFrameAndEndsAsRecorded)
{
    REPLAYCASE c;
    ASSERT_TRUE(ReadReplayCase(Folder() + GetParam() + ".txt", c)) << "no case file beside the replay";
    ScopedTestDir dir;
    const std::vector<std::string> shown = PlayReplayCase(Folder() + GetParam() + EXTENSION, c.Setup);
    // The first line that differs: a digest line says within which 50 frames.
    for (size_t i = 0; i < std::max(shown.size(), c.Expected.size()); ++i) {
        const std::string want = i < c.Expected.size() ? c.Expected[i] : "(nothing)";
        const std::string got = i < shown.size() ? shown[i] : "(nothing)";
        ASSERT_EQ(got, want) << "line " << i + 1 << " below ---";
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Folder, ReplayCase, ::testing::ValuesIn(ReplayNames()), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ReplayCase);

} // namespace
