// The title's entries played as the player plays them, in the sample game
// under its own folder: continue lists the save slots and refuses the one
// it cannot read, a stage file chosen in the dialog plays, the challenge
// list marks a cleared stage and, back at the title, a new story reaches
// the world map. (What the
// options screen and the world-map menu save, read back after a restart:
// OptionTest and WorldMapMenuScreenTest in tests/scenes, without a window.)
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "files/data_path.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "tests/app/sample_game_run.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

// Title rows: 0 new story, 1 continue, 2 challenge, 3 stage file, 4 replay,
// 5 options, 6 exit.
const char CHALLENGE[] = "DDZ";
// From the challenge list: cancel, then up to new story and choose it.
const char BACK_TO_NEW_STORY[] = "XUUZ";
const char CONTINUE[] = "DZ";
const char STAGE_FILE[] = "DDDZ";
const char STAGE_DIALOG[] = "ステージファイルの読み込み";

// The world map as the game draws it: the walker stands at (288, 224), 32 by
// 32, and the lives box at the top right; everything else is the map, which
// moves by one cell (32 pixels) under the walker at each step.
bool OutsideWalkerAndLives(int x, int y)
{
    const bool walker = x >= 288 && x < 320 && y >= 224 && y < 256;
    const bool lives = x >= 560 && y < 40;
    return !walker && !lives;
}

// The share of the map that, one step up, shows what stood 32 pixels higher.
double ShareScrolledDown(const std::vector<COLORREF>& before, const std::vector<COLORREF>& after, int width)
{
    if (before.size() != after.size() || width <= 0) return 0;
    const int height = static_cast<int>(before.size()) / width;
    size_t alike = 0, compared = 0;
    for (int y = 32; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!OutsideWalkerAndLives(x, y) || !OutsideWalkerAndLives(x, y - 32)) continue;
            ++compared;
            alike += after[static_cast<size_t>(y) * width + x] == before[static_cast<size_t>(y - 32) * width + x];
        }
    return compared ? static_cast<double>(alike) / static_cast<double>(compared) : 0;
}

int ClientWidth(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client.right;
}

using TitleOnDesktop = SampleGameTest;

} // namespace

// Continue lists the slots: the valid slot 1 shows its time, the damaged
// slot 2 the unreadable mark, the empty slot 3 nothing. Confirm on slot 2
// refuses (a sound only): the list stays and no box comes; cancel goes
// back to the title; slot 1 then continues to the map.
TEST_F(TitleOnDesktop, ContinueListsTheSlotsAndRefusesTheDamagedOne)
{
    ASSERT_TRUE(WriteFileBytes(GetStorySlotPath(1), std::vector<unsigned char>(200, 0xA5)));
    SampleGameRun run;
    ASSERT_TRUE(run.Start());
    const std::vector<COLORREF> title = run.Still();
    ASSERT_TRUE(run.Press(CONTINUE));
    const std::vector<COLORREF> list = run.Still();
    // Rows of 16 pixels from (152, 160); the time is written from x 216.
    const int width = ClientWidth(run.Window());
    auto row = [&](const std::vector<COLORREF>& picture, int index) {
        std::vector<COLORREF> cells;
        for (int y = 160 + 16 * index; y < 175 + 16 * index; ++y)
            for (int x = 216; x < 472; ++x) cells.push_back(picture[static_cast<size_t>(y) * width + x]);
        return cells;
    };
    EXPECT_LT(ShareAlike(row(list, 0), row(list, 2)), 0.99) << "slot 1 shows no time";
    EXPECT_LT(ShareAlike(row(list, 1), row(list, 2)), 0.99) << "slot 2 shows no mark";
    EXPECT_LT(ShareAlike(row(list, 1), row(list, 0)), 0.99) << "slot 2 shows a time";

    ASSERT_TRUE(run.Press("D"));
    const std::vector<COLORREF> onDamaged = run.Still();
    run.Hold('Z', 500);
    ASSERT_TRUE(run.WaitStill(20000));
    EXPECT_GT(ShareAlike(onDamaged, run.Still()), 0.99) << "the list did not stay";
    EXPECT_EQ(run.CloseErrorBox(1000), "");
    ASSERT_TRUE(run.Press("X"));
    // The title with its cursor on the continue row instead of the first.
    EXPECT_GT(ShareAlike(title, run.Still()), 0.98) << "cancel did not go back to the title";
    ASSERT_TRUE(run.Press("ZZ"));
    EXPECT_LT(ShareAlike(title, run.Still()), 0.5) << "slot 1 did not continue";
    EXPECT_TRUE(run.Running());
    EXPECT_EQ(run.Quit(), 0);
    const std::string refusal = "err data file \"" + GetStorySlotPath(1) + "\"";
    EXPECT_NE(ReadFileText("Report_Game.txt").find(refusal), std::string::npos);
}

// A stage file chosen in the title's dialog plays: the stage's background
// fills the screen where the title was.
TEST_F(TitleOnDesktop, StageFileChosenInTheDialogPlays)
{
    SampleGameRun run;
    ASSERT_TRUE(run.Start());
    const std::vector<COLORREF> title = run.Still();
    ASSERT_TRUE(run.Press(STAGE_FILE));
    HWND dialog = run.WaitDialog(STAGE_DIALOG);
    ASSERT_TRUE(dialog) << "no stage-file dialog";
    run.ChooseFile(dialog, FullPath("data\\stg4\\Meadow.stg4_001"));
    EXPECT_TRUE(run.WaitStagePicture("bmp\\back\\Hills.bmp", title, 60000)) << "the stage does not show";
    EXPECT_EQ(run.CloseErrorBox(100), "");
    EXPECT_TRUE(run.Running());
    EXPECT_EQ(run.Quit(), 0);
}

// A challenge stage cleared: Challenge.dat records stage 1 as cleared, as a
// clear leaves it, and stage 2 not. The list draws the accessory picture's
// cleared mark (its cell at (96, 0)) on stage 1's row, right of the stage's
// name, and nothing of it on stage 2's. Rows are 32 pixels from y 160; the
// name and the cursor stand left of x 200.
// Then, back at the title, new story: the title fades out to the world map,
// whose walker stands on the start cell; one step up scrolls the whole map
// down by one cell. (One start of the game for both.)
TEST_F(TitleOnDesktop, ChallengeListMarksTheClearedStageAndNewStoryReachesTheScrollingMap)
{
    cGameProgress progress;
    progress.m_ChallengeRecords.resize(2);
    progress.m_ChallengeRecords[0].m_nFirst = 1;
    progress.m_ChallengeRecords[0].m_nSecond = 250;
    ASSERT_TRUE(progress.SaveFile(DataPath[DATAPATH_CHALLENGE_PROGRESS]));
    // The mark's own colours, leaving out those the window and the text use.
    const RECT markCell = {96, 0, 128, 32};
    std::set<COLORREF> mark = BitmapColours("bmp\\Accessory.bmp", &markCell);
    for (COLORREF c : BitmapColours("bmp\\Window.bmp")) mark.erase(c);
    mark.erase(RGB(0, 0, 0));
    mark.erase(RGB(255, 255, 255));
    ASSERT_GE(mark.size(), 3u) << "the accessory picture has no cleared mark";

    SampleGameRun run;
    ASSERT_TRUE(run.Start());
    const std::vector<COLORREF> title = run.Still();
    ASSERT_TRUE(run.Press(CHALLENGE));
    const std::vector<COLORREF> list = run.Still();
    const int width = ClientWidth(run.Window());
    auto markPixels = [&](int row) {
        int n = 0;
        for (int y = 160 + 32 * row; y < 192 + 32 * row; ++y)
            for (int x = 200; x < width; ++x) n += mark.count(list[static_cast<size_t>(y) * width + x]) != 0;
        return n;
    };
    EXPECT_GT(markPixels(0), 100) << "stage 1 shows no cleared mark";
    EXPECT_EQ(markPixels(1), 0) << "stage 2 shows a cleared mark";

    // Cancel keeps the title's cursor on the challenge row.
    ASSERT_TRUE(run.Press(BACK_TO_NEW_STORY));
    const std::vector<COLORREF> map = run.Still();
    EXPECT_LT(ShareAlike(title, map), 0.5) << "the title is still shown";
    ASSERT_TRUE(run.Press("U"));
    EXPECT_GT(ShareScrolledDown(map, run.Still(), width), 0.97);
    EXPECT_EQ(run.Quit(), 0);
}
