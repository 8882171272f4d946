// The launch dialog and the launch step of start-up, driven through window
// messages: what the player chooses reaches "user_data\Boot.dat" only when
// confirmed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/system/boot_data.h"
#include "app/base/log.h"
#include "app/system/launch_dialog.h"
#include "app/system/resource_ids.h"
#include "app/system/system_ini.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/foreground_turn.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

const char TITLE[] = "テストゲーム";

// Each test starts as the game does: data version set, BootData as built,
// "user_data\" present, Japanese texts.
class LaunchDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RecordContext.nDataVersion = DATA_VERSION;
        BootData.Reset();
        SystemIni.English = 0;
        CreateDirectoryA("user_data", nullptr);
    }
    ScopedTestDir dir;
};

// The mouse cursor is shared by every test on the desktop.
class LaunchDialogOnDesktop : public OnDesktop<LaunchDialogTest> {};

INT_PTR RunLaunchDialog(int ownerX, int ownerY, POINT* cursor = nullptr)
{
    OwnerWindow owner(ownerX, ownerY);
    cLaunchDialog dialog(IDD_LAUNCH, &owner, 0, &WindowRegistry, TITLE);
    if (cursor) GetCursorPos(cursor);
    return dialog.DoModal(0);
}

bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TEST_F(LaunchDialogTest, ConfirmedChoiceIsSavedToBootData)
{
    struct ROW {
        int nStoredMode;
        std::vector<int> Clicks;
        const char* lpFile;   // "user_data\Boot.dat" afterwards
    };
    const ROW rows[] = {
        // DirectDraw and "do not show again": version 708, two fields 0 and 1, no strings.
        {1, {IDC_DIRECTDRAW, IDC_DONT_SHOW}, "C4020000 02000000 00000000 01000000 00000000"},
        // Nothing touched: the stored Direct3D stays (the unchecked DirectDraw button leaves it).
        {1, {}, "C4020000 02000000 01000000 00000000 00000000"},
        {0, {IDC_DIRECT3D}, "C4020000 02000000 01000000 00000000 00000000"},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.lpFile);
        DeleteFileA(BOOT_DATA_PATH);
        BootData.Reset();
        BootData.m_nDrawMode = row.nStoredMode;
        ModalThread run([] { return RunLaunchDialog(10, 20); });
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), TITLE);
        EXPECT_EQ(IsChecked(dialog, IDC_DIRECT3D), row.nStoredMode == 1);
        EXPECT_EQ(IsChecked(dialog, IDC_DIRECTDRAW), row.nStoredMode == 0);
        EXPECT_FALSE(IsChecked(dialog, IDC_DONT_SHOW));
        for (int id : row.Clicks) ClickButton(dialog, id);
        ClickButton(dialog, IDC_CONFIRM);
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(run.Result(), 1);
        EXPECT_EQ(ReadFileBytes(BOOT_DATA_PATH), HexBytes(row.lpFile));
    }
}

TEST_F(LaunchDialogTest, CancelWritesNothingAndKeepsTheChoices)
{
    WriteFileBytes(BOOT_DATA_PATH, HexBytes("C4020000 02000000 01000000 00000000 00000000"));
    ModalThread run([] { return RunLaunchDialog(10, 20); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ClickButton(dialog, IDC_DIRECTDRAW);
    ClickButton(dialog, IDC_DONT_SHOW);
    ClickButton(dialog, IDC_DISMISS);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(BootData.m_nDrawMode, 1);
    EXPECT_EQ(BootData.m_nDontShow, 0);
    EXPECT_EQ(ReadFileBytes(BOOT_DATA_PATH), HexBytes("C4020000 02000000 01000000 00000000 00000000"));
}

TEST_F(LaunchDialogTest, ClosingTheWindowIsACancel)
{
    ModalThread run([] { return RunLaunchDialog(10, 20); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ClickButton(dialog, IDC_DIRECTDRAW);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.Join());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_FALSE(FileExists(BOOT_DATA_PATH));
}

TEST_F(LaunchDialogOnDesktop, StandsOverTheMainWindowWithTheCursorOnStart)
{
    POINT cursor{};
    ModalThread run([&] { return RunLaunchDialog(10, 20, &cursor); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, 143);
    EXPECT_EQ(rect.top, 124);
    EXPECT_EQ(cursor.x, 324);
    EXPECT_EQ(cursor.y, 322);
    ClickButton(dialog, IDC_DISMISS);
    ASSERT_TRUE(run.Join());
}

TEST_F(LaunchDialogTest, EnglishTexts)
{
    SystemIni.English = 1;
    ModalThread run([] { return RunLaunchDialog(10, 20); });
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_DRAWMODE_GROUP), "Drawing mode");
    EXPECT_EQ(ItemText(dialog, IDC_CONFIRM), "Start");
    EXPECT_EQ(ItemText(dialog, IDC_DISMISS), "Cancel");
    EXPECT_EQ(ItemText(dialog, IDC_LAUNCH_NOTE), "Configure the detail settings at \"System.ini\".");
    EXPECT_EQ(ItemText(dialog, IDC_DONT_SHOW), "Do not ask this dialog again");
    EXPECT_EQ(ItemText(dialog, IDC_DIRECT3D), "Direct3D");
    ClickButton(dialog, IDC_DISMISS);
    ASSERT_TRUE(run.Join());
    SystemIni.English = 0;
}

TEST_F(LaunchDialogTest, MissingControlIsReportedAndClosesTheGame)
{
    ScopedMainWindow main;
    cLaunchDialog dialog(IDD_LAUNCH, nullptr, 0, &WindowRegistry, TITLE);
    EXPECT_EQ(dialog.FindControl(dialog.m_Statics, 4321), nullptr);
    EXPECT_EQ(dialog.FindControl(dialog.m_CheckBoxes, IDC_DONT_SHOW), &dialog.m_CheckBoxes[0]);
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 1);
}

TEST_F(LaunchDialogTest, LaunchStepOfStartUp)
{
    struct ROW {
        int nIniDirect3D;
        const char* lpStored;   // "user_data\Boot.dat" before, null for none
        int nClick;             // in the dialog; 0: no dialog may appear
        bool bGoOn;
        int nDirect3D;          // the key afterwards
    };
    const ROW rows[] = {
        {0, "C4020000 02000000 01000000 01000000 00000000", 0, true, 0},   // the key decides: no dialog
        {1, "C4020000 02000000 00000000 01000000 00000000", 0, true, 1},
        {2, "C4020000 02000000 00000000 01000000 00000000", 0, true, 0},   // turned off: the stored choice
        {2, "C4020000 02000000 01000000 01000000 00000000", 0, true, 1},
        {2, nullptr, IDC_CONFIRM, true, 1},                               // no file: Direct3D proposed
        {3, "C4020000 02000000 00000000 00000000 00000000", IDC_CONFIRM, true, 0},
        {2, nullptr, IDC_DISMISS, false, 2},                              // cancel ends start-up
        {2, "C402", IDC_CONFIRM, true, 1},                                // damaged: the defaults
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nIniDirect3D << " " << (row.lpStored ? row.lpStored : "none"));
        DeleteFileA(BOOT_DATA_PATH);
        if (row.lpStored) WriteFileBytes(BOOT_DATA_PATH, HexBytes(row.lpStored));
        BootData.Reset();
        SYSTEMINI ini;
        ini.Direct3D = row.nIniDirect3D;
        bool goOn = false;
        ModalThread run([&] {
            OwnerWindow owner(10, 20);
            goOn = ChooseLaunchMode(ini, owner, TITLE);
            return INT_PTR(0);
        });
        if (row.nClick) {
            HWND dialog = run.WaitForDialog();
            ASSERT_NE(dialog, nullptr);
            ClickButton(dialog, row.nClick);
        }
        ASSERT_TRUE(run.Join());
        EXPECT_EQ(goOn, row.bGoOn);
        EXPECT_EQ(ini.Direct3D, row.nDirect3D);
    }
}

TEST_F(LaunchDialogTest, DialogThatCannotBeShownLeavesTheStoredChoice)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    WriteFileBytes(BOOT_DATA_PATH, HexBytes("C4020000 02000000 00000000 00000000 00000000"));
    // A main window of a module without the templates.
    ScopedMainWindow main;
    cWindow owner;
    SYSTEMINI ini;
    ini.Direct3D = 2;
    EXPECT_TRUE(ChooseLaunchMode(ini, owner, TITLE));
    EXPECT_EQ(ini.Direct3D, 0);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("dialog 103 could not be shown"), std::string::npos);
}
