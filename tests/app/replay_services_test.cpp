// Replay files on the window thread's side: the suggested name of a new
// replay, and a replay read for playback or refused with nothing changed.
#include "app/shell/replay_services.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "app/base/log.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "records/record_context.h"
#include "tests/support/box_capture.h"
#include "tests/support/test_dir.h"

namespace {

std::set<std::string> Existing;
bool InExisting(const std::string& path)
{
    return Existing.count(path) != 0;
}

TEST(ReplayNameTest, FirstFreeNumberWithDigitsZeroToEight)
{
    auto taken = [](int count) {
        std::set<std::string> names;
        for (int i = 0; i < count; ++i)
            names.insert("user_data\\rpl4\\stage_" + std::to_string(i / 9) + std::to_string(i % 9) + ".rpl4_708");
        return names;
    };
    struct Case {
        const char* key;
        int taken;
        const char* want;
    };
    const Case cases[] = {
        {"stage.", 0, "stage_00.rpl4_708"},
        {"stage.", 1, "stage_01.rpl4_708"},
        {"stage.", 9, "stage_10.rpl4_708"},
        {"stage.", 80, "stage_88.rpl4_708"},
        {"stage.", 81, "stage_88.rpl4_708"},
        {"data\\stg4\\stage.stg4_003", 0, "stage_00.rpl4_708"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("%s with %d taken", c.key, c.taken));
        Existing = taken(c.taken);
        EXPECT_EQ(SuggestReplayFileName(c.key, InExisting), c.want);
    }
    Existing.clear();
}

struct ReplayServicesTest : ::testing::Test {
    void SetUp() override
    {
        RecordContext.nDataVersion = DATA_VERSION;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override
    {
        StageData = cStageData();
        CopyPlaySettings(PlayStageData, StageData);
        GameProgress.Reset();
        Replay.Clear();
        ReplayProgress.Reset();
        RecordContext = cRecordContext();
    }
    ScopedTestDir dir;
    BoxCapture capture;
};

TEST_F(ReplayServicesTest, ASavedPlayIsReadBackForPlaybackAndAStageWithoutHeroIsRefused)
{
    for (bool hero : {true, false}) {
        SCOPED_TRACE(hero ? "with hero" : "without hero");
        StageData = cStageData();
        StageData.m_nWidth = 41;
        StageData.m_PlacedCharas.resize(1);
        StageData.m_PlacedCharas[0].m_cControl = hero ? CHARA_PLAYER : CHARA_COMPUTER;
        CopyPlaySettings(PlayStageData, StageData);
        Replay.Clear();
        Replay.m_nSeed = 777;
        Replay.RecordFrame(2, 1);
        ReplayProgress.m_CommonVars[4] = 9;
        ASSERT_EQ(SaveReplayForPlay("play.rpl4_708", 0), 1);

        // The game moves on to something else before the replay is chosen.
        StageData = cStageData();
        StageData.m_nWidth = 5;
        Replay.Clear();
        GameProgress.m_CommonVars[4] = 1;
        capture.texts.clear();
        EXPECT_EQ(LoadReplayForPlay("play.rpl4_708"), hero ? 1 : 0);
        EXPECT_EQ(StageData.m_nWidth, hero ? 41 : 5);
        EXPECT_EQ(Replay.m_nSeed, hero ? 777 : 0);
        EXPECT_EQ(GameProgress.m_CommonVars[4], hero ? 9 : 1);
        EXPECT_EQ(capture.texts.size(), hero ? 0u : 1u);
        if (hero) {
            EXPECT_EQ(StageData.m_sPath, "play.rpl4_708");
        }
    }
    // A file that is not there: a box, nothing changed.
    capture.texts.clear();
    EXPECT_EQ(LoadReplayForPlay("missing.rpl4_708"), 0);
    EXPECT_EQ(capture.texts.size(), 1u);
    EXPECT_EQ(StageData.m_nWidth, 5);
}

TEST_F(ReplayServicesTest, AReplayThatCannotBeWrittenIsExplainedAndTheRecordingKept)
{
    Replay.Clear();
    Replay.RecordFrame(2, 1);
    for (int previous : {0, 1}) {
        SCOPED_TRACE(previous);
        capture.texts.clear();
        EXPECT_EQ(SaveReplayForPlay("no_folder\\play.rpl4_708", previous), 0);
        ASSERT_EQ(capture.texts.size(), 1u);
        EXPECT_NE(capture.texts[0].find("no_folder\\play.rpl4_708"), std::string::npos) << capture.texts[0];
    }
    EXPECT_EQ(Replay.m_DirValues, std::vector<int16_t>{2});
    EXPECT_EQ(GetFileAttributesA("no_folder"), INVALID_FILE_ATTRIBUTES);
}

} // namespace
