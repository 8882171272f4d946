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
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

const char WINDOW_INI[] = "Direct3D=1\r\nWindowMode=1\r\nExit\r\n";

enum UserFile { OPTIONS, STORY_SLOT, CHALLENGE, RANKING, REPLAY };
enum Damage { TRUNCATED, HUGE_COUNT, GARBAGE };

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

// The damaged form of a valid file: cut in the middle; the first count after
// the version word made huge; or the same length of bytes that mean nothing.
std::vector<unsigned char> Damaged(std::vector<unsigned char> bytes, Damage damage)
{
    switch (damage) {
    case TRUNCATED:
        bytes.resize(bytes.size() / 2);
        break;
    case HUGE_COUNT:
        if (bytes.size() >= 8) bytes[4] = bytes[5] = bytes[6] = 0xFF, bytes[7] = 0x7F;
        break;
    case GARBAGE:
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + 0xA5);
        break;
    }
    return bytes;
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

struct Row {
    UserFile file;
    Damage damage;
    // The keys that take the player from the title to where the game reads
    // the file ("" when start-up reads it): D down, Z choose. Keys that follow
    // go on to a valid file of the same kind.
    const char* keys;
    // The game reads the damaged file on the way: it says so in the report.
    bool reached;
};

// Title rows: 0 new game, 1 continue, 2 challenge. The slot list opens on
// slot 1 (valid; slot 2 is the damaged one); the challenge list on stage 1,
// whose rankings are the damaged ones, and D moves on to stage 2.
const char CONTINUE_AND_PLAY_SLOT_1[] = "DZZ";
const char CHALLENGE_THEN_STAGE_2[] = "DDZD";
// A replay is chosen in the file dialog, which these runs do not drive yet.
const char NOT_REACHED[] = "";

const Row ROWS[] = {
    {OPTIONS, TRUNCATED, "", true},
    {OPTIONS, HUGE_COUNT, "", true},
    {OPTIONS, GARBAGE, "", true},
    {STORY_SLOT, TRUNCATED, CONTINUE_AND_PLAY_SLOT_1, true},
    {STORY_SLOT, HUGE_COUNT, CONTINUE_AND_PLAY_SLOT_1, true},
    {STORY_SLOT, GARBAGE, CONTINUE_AND_PLAY_SLOT_1, true},
    {CHALLENGE, TRUNCATED, CHALLENGE_THEN_STAGE_2, true},
    {CHALLENGE, HUGE_COUNT, CHALLENGE_THEN_STAGE_2, true},
    {CHALLENGE, GARBAGE, CHALLENGE_THEN_STAGE_2, true},
    {RANKING, TRUNCATED, CHALLENGE_THEN_STAGE_2, true},
    {RANKING, HUGE_COUNT, CHALLENGE_THEN_STAGE_2, true},
    {RANKING, GARBAGE, CHALLENGE_THEN_STAGE_2, true},
    {REPLAY, TRUNCATED, NOT_REACHED, false},
    {REPLAY, HUGE_COUNT, NOT_REACHED, false},
    {REPLAY, GARBAGE, NOT_REACHED, false},
};

// A key as the player presses it: held for a few frames, then let go.
void Press(char key)
{
    const WORD code = key == 'D' ? VK_DOWN : key == 'U' ? VK_UP : static_cast<WORD>(key);
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = code;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input[0], sizeof(INPUT));
    PumpFor(150);
    SendInput(1, &input[1], sizeof(INPUT));
    PumpFor(600);
}

std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    const char* files[] = {"Options", "StorySlot", "Challenge", "Ranking", "Replay"};
    const char* damages[] = {"Truncated", "HugeCount", "Garbage"};
    return std::string(files[info.param.file]) + damages[info.param.damage];
}

class DamagedUserFileOnDesktop : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
        ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
        ASSERT_TRUE(LayOutSampleGame());
        ASSERT_TRUE(WriteFileText("System.ini", WINDOW_INI));
        ASSERT_TRUE(WriteValidUserFiles());
    }

    ForegroundTurn m_turn;
    ScopedTestDir m_dir;
};

} // namespace

TEST_P(DamagedUserFileOnDesktop, GameStartsRefusesItAndLeavesEveryFileAsItWas)
{
    const Row& row = GetParam();
    const std::string path = DamagedPath(row.file);
    const std::vector<unsigned char> valid = ReadFileBytes(path);
    ASSERT_FALSE(valid.empty()) << path;
    ASSERT_TRUE(WriteFileBytes(path, Damaged(valid, row.damage)));
    std::remove("Report_Game.txt");
    const auto before = UserFileBytes();

    GameProcess game;
    ASSERT_TRUE(game.Start());
    HWND window = game.ShownWindow();
    ASSERT_TRUE(window) << "the game did not reach its window";
    SetForegroundWindow(window);
    PumpFor(4000);  // the title fades in (longer on a loaded machine)
    for (const char* key = row.keys; *key; ++key) Press(*key);
    PumpFor(1000);
    EXPECT_TRUE(game.Running());
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(game.WaitExit(), 0);

    const auto after = UserFileBytes();
    for (const auto& [name, bytes] : after) EXPECT_TRUE(before.count(name)) << name << " was added";
    for (const auto& [name, bytes] : before) {
        auto found = after.find(name);
        ASSERT_NE(found, after.end()) << name << " is gone";
        EXPECT_TRUE(found->second == bytes) << name << " changed";
    }
    const std::string report = ReadFileText("Report_Game.txt");
    const std::string refusal = "err data file \"" + path + "\"";
    if (row.reached) {
        EXPECT_NE(report.find(refusal), std::string::npos) << report;
    }
    // No valid file is refused.
    size_t at = 0;
    while ((at = report.find("err data file", at)) != std::string::npos) {
        EXPECT_EQ(report.compare(at, refusal.size(), refusal), 0) << report;
        ++at;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryUserFile, DamagedUserFileOnDesktop, ::testing::ValuesIn(ROWS), RowName);
