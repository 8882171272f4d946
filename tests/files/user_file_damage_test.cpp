// The player's own files as a traded or cut-off copy leaves them: a valid
// file of each kind, written by the game, cut in half, its first count
// after the version word made huge, or its bytes replaced by bytes that mean
// nothing. The loader the game reads it with refuses it with one report
// line naming the file, keeps what it held, and writes nothing over the
// file. (The running game meets one of these forms per kind on the desktop:
// tests/app/damaged_user_files_test.cpp.)
#include <functional>
#include <string>
#include <vector>

#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/save_slots.h"
#include "tests/files/files_test_support.h"
#include "tests/records/stage_fixtures.h"
#include "tests/support/file_damage.h"
#include "tests/support/test_dir.h"

namespace {

class UserFileDamageTest : public FilesTest {};


struct KIND {
    const char* sName;
    std::string sPath;
    // Writes the valid file.
    std::function<bool()> lpWrite;
    // Loads it into an object holding a mark; whether the load succeeded
    // and the mark is still there.
    std::function<std::pair<bool, bool>()> lpLoad;
};

std::string RankingPath()
{
    std::string path;
    GetRankingFilePath(PLAYMODE_CHALLENGE, "c01-1.", path);
    return path;
}

// A replay file as the game writes it: the stage body, the seed, the four
// streams (directions 0 then 2, buttons 0 then 1) and the progress.
std::vector<unsigned char> ValidReplay()
{
    FixtureBytes file;
    cGameProgress progress;
    EXPECT_EQ(progress.SaveFile("progress.dat"), 1);
    const std::vector<unsigned char> saved = ReadFileBytes("progress.dat");
    const std::vector<unsigned char> progressBody(saved.begin() + 4, saved.end());
    file.u32(708)
        .bytes(StageFixture::Full().Stored())
        .hex("01000000 39300000 00000000")
        .hex("02000000 0000 0200  02000000 0000 0100  02000000 02000000 02000000 02000000 03000000 01000000")
        .bytes(progressBody);
    return file.get();
}

std::vector<KIND> Kinds()
{
    return {
        {"options", DataPath[DATAPATH_OPTION],
         [] {
             cOptionData o;
             o.m_nVolume = 3;
             return o.SaveFile(DataPath[DATAPATH_OPTION]) == 1;
         },
         [] {
             cOptionData o;
             o.m_sRankingName = "mark";
             const bool loaded = o.LoadFile(DataPath[DATAPATH_OPTION]) != 0;
             return std::make_pair(loaded, o.m_sRankingName == "mark");
         }},
        {"story slot", GetStorySlotPath(1),
         [] {
             cGameProgress p;
             p.m_nTotalScore = 1234;
             return p.SaveSlot(1) == 1;
         },
         [] {
             cGameProgress p;
             p.m_sPlayerName = "mark";
             const bool loaded = p.LoadSlot(1) != 0;
             return std::make_pair(loaded, p.m_sPlayerName == "mark");
         }},
        {"challenge", DataPath[DATAPATH_CHALLENGE_PROGRESS],
         [] {
             cGameProgress p;
             p.m_ChallengeRecords.resize(2);
             return p.SaveFile(DataPath[DATAPATH_CHALLENGE_PROGRESS]) == 1;
         },
         [] {
             cGameProgress p;
             p.m_sPlayerName = "mark";
             const bool loaded = p.LoadChallenge() != 0;
             return std::make_pair(loaded, p.m_sPlayerName == "mark");
         }},
        {"ranking", RankingPath(),
         [] {
             cRankingSet set;
             set.m_Rankings[0].Insert("ace", 900);
             return SaveRankingFile(set, PLAYMODE_CHALLENGE, "c01-1.") == 1;
         },
         [] {
             cRankingSet set;
             const bool loaded = LoadRankingFile(set, PLAYMODE_CHALLENGE, "c01-1.") != 0;
             // A refused file leaves the places empty.
             bool empty = true;
             for (const cRanking& r : set.m_Rankings)
                 for (const cRankingEntry& e : r.m_Entries) empty = empty && !e.m_bUsed;
             return std::make_pair(loaded, empty);
         }},
        {"replay", "user_data\\Meadow.rpl4_708", [] { return WriteFileBytes("user_data\\Meadow.rpl4_708", ValidReplay()); },
         [] {
             cReplay replay;
             replay.m_nSeed = 4;
             cStageData stage, play;
             stage.m_sPath = "mark";
             cGameProgress progress;
             const bool loaded = LoadReplayFile(replay, "user_data\\Meadow.rpl4_708", stage, play, progress) != 0;
             return std::make_pair(loaded, replay.m_nSeed == 4 && stage.m_sPath == "mark");
         }},
    };
}

TEST_F(UserFileDamageTest, EveryKindInEveryDamagedFormIsRefusedReportedAndLeftAsItWas)
{
    for (const KIND& kind : Kinds()) {
        SCOPED_TRACE(kind.sName);
        ASSERT_TRUE(kind.lpWrite()) << kind.sPath;
        const std::vector<unsigned char> valid = ReadFileBytes(kind.sPath);
        ASSERT_FALSE(valid.empty());
        EXPECT_EQ(kind.lpLoad(), std::make_pair(true, false)) << "the valid file does not load";
        for (FileDamage damage : {TRUNCATED, HUGE_COUNT, GARBAGE}) {
            SCOPED_TRACE(damage);
            const std::vector<unsigned char> bytes = Damaged(valid, damage);
            ASSERT_TRUE(WriteFileBytes(kind.sPath, bytes));
            ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
            EXPECT_EQ(kind.lpLoad(), std::make_pair(false, true));
            EXPECT_EQ(DamageReports(), 1);
            EXPECT_NE(ReadFileText("Report_Game.txt").find("err data file \"" + kind.sPath + "\""), std::string::npos)
                << ReadFileText("Report_Game.txt");
            EXPECT_EQ(ReadFileBytes(kind.sPath), bytes) << "the file was written over";
        }
    }
}

} // namespace
