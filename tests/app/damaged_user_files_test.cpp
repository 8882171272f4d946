// The player's own files as a traded or cut-off copy leaves them: one of them
// truncated, holding a huge count or garbage, beside valid ones, in a folder
// laid out from the sample game. The game starts, refuses what it reads of the
// damaged file with a report-log line, and leaves every file's bytes as they
// were; nothing is written over a file the player has not saved.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/save_slots.h"
#include "files/stage_key.h"
#include "files/system_data.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "records/stage_data.h"
#include "tests/app/foreground_turn.h"
#include "tests/app/sample_game_run.h"
#include "tests/support/file_damage.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

enum UserFile { OPTIONS, STORY_SLOT, CHALLENGE, RANKING, REPLAY };

std::string RankingPath()
{
    std::string path;
    GetRankingFilePath(PLAYMODE_CHALLENGE, ChallengeKey(1), path);
    return path;
}

// The file of each kind that the test damages; a second valid file of the
// kind stays beside it where the kind has several.
std::string DamagedPath(UserFile file)
{
    switch (file) {
    case OPTIONS: return DataPath[DATAPATH_OPTION];
    case STORY_SLOT: return GetStorySlotPath(1);
    case CHALLENGE: return DataPath[DATAPATH_CHALLENGE_PROGRESS];
    case RANKING: return RankingPath();
    case REPLAY: return REPLAY_PATH;
    }
    return "";
}

// Every file under "user_data\" with its bytes, but for the window's place,
// which the game keeps at each exit.
std::map<std::string, std::vector<unsigned char>> UserFileBytes()
{
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("user_data"))
        if (entry.is_regular_file() && entry.path().filename() != "Window.dat")
            files[entry.path().string()] = ReadFileBytes(entry.path().string());
    return files;
}

// How the player reaches the place where the game reads the file.
enum Reach {
    AT_START,       // start-up reads it
    BY_KEYS,        // the keys of the row take the player there
    REPLAY_DIALOG,  // the title's replay entry, the file chosen in its dialog
};

struct Damage {
    UserFile file;
    FileDamage damage;
};

struct Row {
    std::vector<Damage> damages;
    Reach reach;
    // BY_KEYS: from the title to where the game reads the files (D down, Z
    // choose); the keys that follow go on to a valid file of the same kind.
    const char* keys;
};

// Title rows: 0 new game, 1 continue, 2 challenge, 4 replay. The slot list
// opens on slot 1 (valid; slot 2 is the damaged one); the challenge list on
// stage 1, whose rankings are the damaged ones, and D moves on to stage 2.
const char CONTINUE_AND_PLAY_SLOT_1[] = "DZZ";
const char CHALLENGE_THEN_STAGE_2[] = "DDZD";
const char REPLAY_ENTRY[] = "DDDDZ";
const char REPLAY_DIALOG_TITLE[] = "リプレイファイルの読み込み";
// The background of the stage the replays play.
const char STAGE_BACKGROUND[] = "bmp\\back\\Hills.bmp";

// One damaged form a kind: every form of every kind is refused by its
// loader with the file left as it was (tests/files/user_file_damage_test.cpp);
// here the running game meets the damage where it reads the file. One run
// meets the options (read at start), the challenge file and the first
// challenge's rankings (read by the challenge list).
const Row ROWS[] = {
    {{{OPTIONS, GARBAGE}, {CHALLENGE, HUGE_COUNT}, {RANKING, TRUNCATED}}, BY_KEYS, CHALLENGE_THEN_STAGE_2},
    {{{STORY_SLOT, TRUNCATED}}, BY_KEYS, CONTINUE_AND_PLAY_SLOT_1},
    {{{REPLAY, GARBAGE}}, REPLAY_DIALOG, ""},
};

std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    const char* files[] = {"Options", "StorySlot", "Challenge", "Ranking", "Replay"};
    const char* damages[] = {"Truncated", "HugeCount", "Garbage"};
    std::string name;
    for (const Damage& d : info.param.damages) name += std::string(files[d.file]) + damages[d.damage];
    return name;
}

class DamagedUserFileOnDesktop : public SampleGameTest, public ::testing::WithParamInterface<Row> {};

// The damaged replay chosen in the title's dialog is refused with its box
// and the title stays; the valid replay beside it, chosen next, plays.
void RefuseDamagedReplayThenPlayValidOne(SampleGameRun& run, const std::string& damaged)
{
    const std::vector<COLORREF> title = run.Still();
    ASSERT_TRUE(run.Press(REPLAY_ENTRY));
    HWND dialog = run.WaitDialog(REPLAY_DIALOG_TITLE);
    ASSERT_TRUE(dialog) << "no replay dialog";
    run.ChooseFile(dialog, FullPath(damaged));
    EXPECT_EQ(run.CloseErrorBox(), "リプレイファイル " + FullPath(damaged) + " の読み込みに失敗しました！");
    ASSERT_TRUE(run.Running());
    ASSERT_TRUE(run.WaitStill(30000));
    EXPECT_GT(ShareAlike(title, run.Still()), 0.98) << "the title did not stay";

    ASSERT_TRUE(run.Press("Z"));
    dialog = run.WaitDialog(REPLAY_DIALOG_TITLE);
    ASSERT_TRUE(dialog) << "no replay dialog the second time";
    run.ChooseFile(dialog, FullPath(SECOND_REPLAY_PATH));
    EXPECT_TRUE(run.WaitStagePicture(STAGE_BACKGROUND, title, 60000)) << "the valid replay did not play";
    EXPECT_EQ(run.CloseErrorBox(100), "");
}

} // namespace

TEST_P(DamagedUserFileOnDesktop, GameStartsRefusesItAndLeavesEveryFileAsItWas)
{
    const Row& row = GetParam();
    // The dialog gives the game the full path.
    std::vector<std::string> refusals;
    for (const Damage& d : row.damages) {
        const std::string path = DamagedPath(d.file);
        const std::vector<unsigned char> valid = ReadFileBytes(path);
        ASSERT_FALSE(valid.empty()) << path;
        ASSERT_TRUE(WriteFileBytes(path, Damaged(valid, d.damage)));
        refusals.push_back("err data file \"" + (row.reach == REPLAY_DIALOG ? FullPath(path) : path) + "\"");
    }
    std::remove("Report_Game.txt");
    const auto before = UserFileBytes();

    SampleGameRun run;
    ASSERT_TRUE(run.Start()) << "the game did not reach its title";
    if (row.reach == BY_KEYS) {
        EXPECT_TRUE(run.Press(row.keys));
    } else if (row.reach == REPLAY_DIALOG) {
        RefuseDamagedReplayThenPlayValidOne(run, DamagedPath(row.damages.front().file));
    }
    EXPECT_TRUE(run.Running());
    EXPECT_EQ(run.Quit(), 0);

    const auto after = UserFileBytes();
    for (const auto& [name, bytes] : after) EXPECT_TRUE(before.count(name)) << name << " was added";
    for (const auto& [name, bytes] : before) {
        auto found = after.find(name);
        ASSERT_NE(found, after.end()) << name << " is gone";
        EXPECT_TRUE(found->second == bytes) << name << " changed";
    }
    const std::string report = ReadFileText("Report_Game.txt");
    for (const std::string& refusal : refusals) EXPECT_NE(report.find(refusal), std::string::npos) << report;
    // No valid file is refused.
    size_t at = 0;
    while ((at = report.find("err data file", at)) != std::string::npos) {
        bool damaged = false;
        for (const std::string& refusal : refusals) damaged = damaged || report.compare(at, refusal.size(), refusal) == 0;
        EXPECT_TRUE(damaged) << report;
        ++at;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryUserFile, DamagedUserFileOnDesktop, ::testing::ValuesIn(ROWS), RowName);
