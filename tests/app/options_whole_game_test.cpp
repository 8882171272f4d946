// The options screen of the sample game as the player sees it: every row
// shows its label, and every row does what its label says, from the first
// row to the last.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/system/resource_ids.h"
#include "files/data_path.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "tests/app/sample_game_run.h"

namespace {

// Title rows: 0 new story ... 5 options, 6 exit; up from the first row
// comes round to the last.
const char OPTIONS[] = "UUZ";

// The screen: row r from y 96 + 16 r, 16 pixels high; its label from x 64,
// its value from x 208; the window's frame from x 638.
constexpr int TOP = 96, ROW = 16, LABEL_X = 64, VALUE_X = 208, WINDOW_RIGHT = 636;

// What a label promises: one of the four values to edit, the name dialog,
// or the way back to the title. The second font gives every character a
// cell 16 pixels wide: the label is 16 pixels a character wide, and so is
// a value raised by one from what the player's file holds (palette 0 to 1,
// music ON to OFF, volume 3 to 4, ranking entry 0 to 1, "手動登録（登録名固定）").
enum Act { PALETTE, MUSIC, VOLUME, RANKING_MODE, NAME, BACK };
struct Label {
    const char* text;
    Act act;
    int width;
    int raisedWidth;
};
const Label LABELS[] = {
    {"パレット", PALETTE, 64, 16},          {"BGM", MUSIC, 48, 48},
    {"SE", VOLUME, 32, 16},                 {"ランキング登録", RANKING_MODE, 112, 176},
    {"ランキング登録名", NAME, 128, 0},     {"もどる", BACK, 48, 0},
};

const Label* LabelOf(const std::string& text)
{
    for (const Label& label : LABELS)
        if (text == label.text) return &label;
    return nullptr;
}

// How far right of x the row's text is drawn, before x end: the last column
// with a pixel in none of the window picture's colours, less x; 0 when
// there is none. The first and last lines of the row are left out: a glyph
// of the next row may reach one line up into it.
int InkWidth(const std::vector<COLORREF>& picture, int width, int row, int x, int end,
             const std::set<COLORREF>& window)
{
    int ink = 0;
    for (int y = TOP + ROW * row + 1; y < TOP + ROW * (row + 1) - 1; ++y)
        for (int i = x; i < end; ++i)
            if (!window.count(picture[static_cast<size_t>(y) * width + i])) ink = std::max(ink, i + 1 - x);
    return ink;
}

// Whether text drawn from the row's start is as wide as expected: a glyph
// leaves part of its cell blank on the right.
void ExpectWidth(int ink, int expected, const char* what)
{
    EXPECT_GE(ink, expected - 14) << what << " narrower than its text";
    EXPECT_LE(ink, expected + 2) << what << " wider than its text";
}

// Whether the two pictures differ only inside the row (and the line above
// it, which its glyphs may reach).
bool ChangedOnlyInRow(const std::vector<COLORREF>& before, const std::vector<COLORREF>& after, int width, int row)
{
    bool inRow = false;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] == after[i]) continue;
        const int y = static_cast<int>(i) / width;
        if (y < TOP + ROW * row - 1 || y >= TOP + ROW * (row + 1)) return false;
        inRow = true;
    }
    return inRow;
}

using OptionsOnDesktop = SampleGameTest;

} // namespace

// The labels are the game's own (its System.dat, row by row); each row
// shows a label as wide as its text, and, chosen, does what the label says:
// a value row's value goes up by one (on the screen, in that row only, and
// in the file written on leaving), the name row opens the name dialog on
// the stored name, the back row returns to the title.
TEST_F(OptionsOnDesktop, EveryRowDoesWhatItsLabelSays)
{
    cSystemData settings;
    ASSERT_EQ(settings.LoadFile("default\\System.dat"), 1);
    std::vector<const Label*> rows;
    for (const cMenuItem& item : settings.m_OptionMenu) {
        if (!item.m_bVisible) continue;
        rows.push_back(LabelOf(item.m_strText));
        ASSERT_NE(rows.back(), nullptr) << "the label \"" << item.m_strText << "\" promises nothing";
    }
    ASSERT_EQ(rows.size(), 6u);
    const std::set<COLORREF> window = BitmapColours("bmp\\Window.bmp");
    ASSERT_FALSE(window.empty());

    SampleGameRun run;
    ASSERT_TRUE(run.Start());
    const std::vector<COLORREF> title = run.Still();
    ASSERT_TRUE(run.Press(OPTIONS));
    RECT client{};
    GetClientRect(run.Window(), &client);
    const int width = client.right;
    for (size_t row = 0; row < rows.size(); ++row) {
        const Label& label = *rows[row];
        SCOPED_TRACE(testing::Message() << "row " << row << " " << label.text);
        // The label stops short of the value, whose first glyph may reach a
        // pixel or two to the left.
        ExpectWidth(InkWidth(run.Still(), width, static_cast<int>(row), LABEL_X, VALUE_X - 2, window),
                    label.width, "the label");

        if (row > 0) {
            ASSERT_TRUE(run.Press("D"));
        }
        const std::vector<COLORREF> before = run.Still();
        if (label.act <= RANKING_MODE) {
            ASSERT_TRUE(run.Press("ZUZ"));
            EXPECT_TRUE(ChangedOnlyInRow(before, run.Still(), width, static_cast<int>(row)));
            ExpectWidth(InkWidth(run.Still(), width, static_cast<int>(row), VALUE_X, WINDOW_RIGHT, window),
                        label.raisedWidth, "the raised value");
        } else if (label.act == NAME) {
            ASSERT_TRUE(run.Press("Z"));
            HWND dialog = run.WaitDialog(nullptr, 10000);
            ASSERT_TRUE(dialog) << "no name dialog";
            // Asked with a limit: the dialog's thread may not serve messages yet.
            char name[16] = {};
            DWORD_PTR length = 0;
            ASSERT_TRUE(SendMessageTimeoutA(GetDlgItem(dialog, IDC_NAME_EDIT), WM_GETTEXT, sizeof name,
                                            reinterpret_cast<LPARAM>(name), SMTO_NORMAL, 10000, &length))
                << "the name dialog does not answer";
            EXPECT_STREQ(name, "ace");
            ClickBoxButton(dialog, IDC_CONFIRM);
            const DWORD start = GetTickCount();
            while (IsWindow(dialog) && GetTickCount() - start < 10000) PumpFor(20);
            ASSERT_FALSE(IsWindow(dialog)) << "the name dialog did not close";
            ASSERT_TRUE(run.WaitStill(20000));
        } else {
            ASSERT_TRUE(run.Press("Z"));
            EXPECT_GT(ShareAlike(title, run.Still()), 0.98) << "not back at the title";
        }
    }
    EXPECT_EQ(run.Quit(), 0);

    // What WriteValidUserFiles wrote, each value the rows raised one up.
    cOptionData saved;
    ASSERT_TRUE(saved.LoadFile(DataPath[DATAPATH_OPTION]));
    EXPECT_EQ(saved.m_nPalette, 1);
    EXPECT_EQ(saved.m_bBgm, 0);
    EXPECT_EQ(saved.m_nVolume, 4);
    EXPECT_EQ(saved.m_nRankingMode, 1);
    EXPECT_EQ(saved.m_sRankingName, "ace");
}
