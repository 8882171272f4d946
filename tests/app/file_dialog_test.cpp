// The open-file and save-file dialogs, driven through window messages, and the
// reading of a multi-selection.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/shell/file_dialog.h"
#include "tests/app/dialog_driver.h"
#include "tests/support/test_dir.h"

namespace {

const char REPLAY_FILTER[] = "ReplayFile ( *.rpl4_* )\0*.rpl4_*\0";
const char STAGE_FILTER[] = "StageFile ( *.stg4_*;*.rpl4_* )\0*.stg4_*;*.rpl4_*\0";

// Types a name into the dialog's file-name box and presses its OK button.
void ChooseName(HWND dialog, const char* name)
{
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) box = GetDlgItem(dialog, edt1);
    ASSERT_NE(box, nullptr);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    ClickButton(dialog, IDOK);
}

BOOL CALLBACK FindFileList(HWND hWnd, LPARAM lParam)
{
    char name[32] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    if (std::strcmp(name, "SysListView32") != 0) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// 1 when the dialog's file list lets the player pick one file only, 0 when
// several, -1 when the dialog has no file list.
int PicksOneFile(HWND dialog)
{
    HWND list = nullptr;
    EnumChildWindows(dialog, FindFileList, reinterpret_cast<LPARAM>(&list));
    if (!list) return -1;
    return (GetWindowLongA(list, GWL_STYLE) & LVS_SINGLESEL) ? 1 : 0;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

class FileDialogTest : public ::testing::Test {
protected:
    ScopedTestDir dir;
    std::string In(const char* name) const { return Lower(dir.Path() + "\\" + name); }
};

} // namespace

TEST_F(FileDialogTest, SaveTakesANameThatDoesNotExistYet)
{
    char buffer[FILE_DIALOG_PATH_SIZE];
    std::memset(buffer, 'x', sizeof(buffer));
    const std::string folder = dir.Path();
    ModalThread run([&] {
        return INT_PTR(SaveFileDialog(nullptr, buffer, folder.c_str(), "リプレイファイルの保存", REPLAY_FILTER,
                                      "rpl4_1", 0));
    });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "リプレイファイルの保存");
    EXPECT_EQ(PicksOneFile(dialog), 1);  // a save names exactly one file
    ChooseName(dialog, "new.rpl4_1");
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(Lower(buffer), In("new.rpl4_1"));
}

TEST_F(FileDialogTest, SaveProposesAKeptName)
{
    char buffer[FILE_DIALOG_PATH_SIZE] = "proposed.rpl4_1";
    const std::string folder = dir.Path();
    ModalThread run([&] {
        return INT_PTR(SaveFileDialog(nullptr, buffer, folder.c_str(), "Save", REPLAY_FILTER, "rpl4_1", 1));
    });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(Lower(buffer), In("proposed.rpl4_1"));
}

TEST_F(FileDialogTest, OpenGivesEveryChosenFileAsAFullPath)
{
    for (const char* name : {"a.stg4_1", "b.stg4_1", "c.rpl4_1"}) WriteFileText(name, "x");
    struct ROW {
        int bMulti;
        const char* lpTyped;
        std::vector<const char*> Expected;
    };
    const ROW rows[] = {
        {0, "c.rpl4_1", {"c.rpl4_1"}},
        {1, "a.stg4_1", {"a.stg4_1"}},
        {1, "\"b.stg4_1\" \"a.stg4_1\"", {"b.stg4_1", "a.stg4_1"}},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.lpTyped);
        char buffer[1024];
        std::vector<std::string> results;
        const std::string folder = dir.Path();
        ModalThread run([&] {
            return INT_PTR(OpenFileDialog(nullptr, buffer, sizeof(buffer), folder.c_str(), "ステージファイルの読み込み",
                                          STAGE_FILTER, nullptr, row.bMulti, &results));
        });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(PicksOneFile(dialog), row.bMulti ? 0 : 1);
        ChooseName(dialog, row.lpTyped);
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(run.Result(), 1);
        ASSERT_EQ(results.size(), row.Expected.size());
        for (size_t i = 0; i < results.size(); ++i) EXPECT_EQ(Lower(results[i]), In(row.Expected[i]));
    }
}

TEST_F(FileDialogTest, CancelledDialogsGiveNothing)
{
    char buffer[FILE_DIALOG_PATH_SIZE] = "old";
    std::vector<std::string> results;
    const std::string folder = dir.Path();
    {
        ModalThread run([&] {
            return INT_PTR(OpenFileDialog(nullptr, buffer, sizeof(buffer), folder.c_str(), "Load", STAGE_FILTER,
                                          nullptr, 1, &results));
        });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        ClickButton(dialog, IDCANCEL);
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(run.Result(), 0);
        EXPECT_TRUE(results.empty());
    }
    {
        ModalThread run([&] {
            return INT_PTR(SaveFileDialog(nullptr, buffer, folder.c_str(), "Save", REPLAY_FILTER, "rpl4_1", 0));
        });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(run.Result(), 0);
    }
}

TEST(FileSelection, SplitsIntoFullPathsWithinTheBuffer)
{
    struct ROW {
        std::string strBuffer;   // as the dialog leaves it, NULs included
        std::vector<std::string> Expected;
    };
    const ROW rows[] = {
        {std::string("C:\\game\\a.stg4_1\0\0", 18), {"C:\\game\\a.stg4_1"}},
        {std::string("C:\\game\0b.stg4_1\0a.stg4_1\0\0", 27), {"C:\\game\\b.stg4_1", "C:\\game\\a.stg4_1"}},
        {std::string("\0\0", 2), {}},
        // No closing NUL inside the buffer: nothing past its end is read.
        {std::string("C:\\game\0b.st", 12), {"C:\\game\\b.st"}},
        {std::string("C:\\gam", 6), {"C:\\gam"}},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.strBuffer.c_str());
        std::vector<char> buffer(row.strBuffer.begin(), row.strBuffer.end());
        EXPECT_EQ(SplitFileSelection(buffer.data(), buffer.size()), row.Expected);
    }
}
