// The game's process: one window, the single-instance question, the editor
// notices.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/system/resource_ids.h"
#include "tests/app/foreground_turn.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

const char DOUBLE_START_CAPTION[] = "二重起動";
const char* const INSTANCE_MUTEX = GAME_INSTANCE_MUTEX;
auto& notices = StandInEditor::notices;

class ProcessOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
        ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
        ASSERT_TRUE(LayOutSampleGame());
        // Without "System.ini" the game would stop at its warning box, and
        // without a drawing mode at the launch dialog.
        ASSERT_TRUE(WriteFileText("System.ini", "Direct3D=1\r\nWindowMode=1\r\nExit\r\n"));
    }

    ForegroundTurn m_turn;
    ScopedTestDir m_dir;
};

} // namespace

TEST_F(ProcessOnDesktop, StartsOneWindowAndEndsOnEscapeOrTheCloseBox)
{
    struct Ending {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Ending endings[] = {{"Escape", WM_KEYDOWN, VK_ESCAPE}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    for (const Ending& ending : endings) {
        GameProcess game;
        ASSERT_TRUE(game.Start()) << ending.name;
        HWND window = game.ShownWindow();
        ASSERT_TRUE(window) << ending.name;
        EXPECT_TRUE(MutexExists());

        RECT client{}, outer{}, desktop{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right - client.left, 640);
        EXPECT_EQ(client.bottom - client.top, 480);
        GetWindowRect(window, &outer);
        GetWindowRect(GetDesktopWindow(), &desktop);
        EXPECT_EQ(outer.left, (desktop.right - (outer.right - outer.left)) / 2);
        EXPECT_EQ(outer.top, (desktop.bottom - (outer.bottom - outer.top)) / 2);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x80CB0000u, 0x80CB0000u);

        std::string report = ReadFileText("Report_Game.txt");
        EXPECT_EQ(report.rfind("App : ver 708\r\n", 0), 0u) << report.substr(0, 40);

        PostMessageA(window, ending.message, ending.wParam, 0);
        EXPECT_EQ(game.WaitExit(), 0) << ending.name;
        EXPECT_FALSE(MutexExists()) << ending.name;
    }
}

TEST_F(ProcessOnDesktop, UnreadableSystemIniIsReportedAndTheGameGoesOn)
{
    ASSERT_TRUE(WriteFileText("System.ini", "Direct3D=1\r\n"));  // no "Exit" line
    // Every key falls back to its default, which asks for the launch dialog;
    // the player turned it off earlier (Direct3D, do not show again).
    CreateDirectoryA("user_data", nullptr);
    ASSERT_TRUE(WriteFileBytes("user_data\\Boot.dat", HexBytes("C4020000 02000000 01000000 01000000 00000000")));
    GameProcess game;
    ASSERT_TRUE(game.Start());
    HWND box = WaitForWindow(game.Id(), "#32770", "エラー");
    ASSERT_TRUE(box);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("System.ini の読み込みに失敗しました！\r\n"), std::string::npos);
    ClickBoxButton(box, IDOK);
    HWND window = game.ShownWindow();
    ASSERT_TRUE(window);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(game.WaitExit(), 0);
}

TEST_F(ProcessOnDesktop, SecondStartAnsweredNoLeavesTheFirstRunning)
{
    GameProcess first, second;
    ASSERT_TRUE(first.Start());
    HWND firstWindow = first.MainWindow();
    ASSERT_TRUE(firstWindow);
    ASSERT_TRUE(second.Start());
    HWND box = WaitForWindow(second.Id(), "#32770", DOUBLE_START_CAPTION);
    ASSERT_TRUE(box);
    ClickBoxButton(box, IDNO);
    EXPECT_EQ(second.WaitExit(), 0);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(firstWindow));
    EXPECT_TRUE(MutexExists());
    PostMessageA(firstWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(first.WaitExit(), 0);
}

TEST_F(ProcessOnDesktop, SecondStartAnsweredYesEndsTheFirstAndRuns)
{
    GameProcess first, second;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.MainWindow());
    ASSERT_TRUE(second.Start());
    HWND box = WaitForWindow(second.Id(), "#32770", DOUBLE_START_CAPTION);
    ASSERT_TRUE(box);
    ClickBoxButton(box, IDYES);
    EXPECT_EQ(first.WaitExit(), 0);
    HWND secondWindow = second.MainWindow();
    ASSERT_TRUE(secondWindow);
    EXPECT_TRUE(second.Running());
    PostMessageA(secondWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(second.WaitExit(), 0);
    EXPECT_FALSE(MutexExists());
}

TEST_F(ProcessOnDesktop, SecondStartAnsweredYesWithNoWindowToEndGoesOn)
{
    // The mark of a running copy without its window (one that has not made it
    // yet, or has just closed it): the new start ends nothing and goes on.
    HANDLE mark = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX);
    ASSERT_TRUE(mark);
    GameProcess game;
    ASSERT_TRUE(game.Start());
    HWND box = WaitForWindow(game.Id(), "#32770", DOUBLE_START_CAPTION);
    ASSERT_TRUE(box);
    ClickBoxButton(box, IDYES);
    HWND window = game.ShownWindow();
    ASSERT_TRUE(window);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(game.WaitExit(), 0);
    CloseHandle(mark);
    EXPECT_FALSE(MutexExists());
}

TEST_F(ProcessOnDesktop, EditorHearsStartAndEndOnlyOfATestPlay)
{
    // A test play with no editor window runs as any other start.
    EXPECT_EQ(StartAndEscape(SW_SHOW), 0);

    StandInEditor editor;
    ASSERT_TRUE(editor.Exists());

    // Started by the editor (show mode 5): told once the window exists, and at the end.
    notices.clear();
    {
        GameProcess game;
        ASSERT_TRUE(game.Start(SW_SHOW));
        HWND window = game.MainWindow();
        ASSERT_TRUE(window);
        StandInEditor::WaitForNotices(1);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, 1u);
        EXPECT_EQ(notices[0].value, 1);
        EXPECT_EQ(notices[0].from, window);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(game.WaitExit(), 0);
        ASSERT_EQ(notices.size(), 2u);
        EXPECT_EQ(notices[1].kind, 0u);
        EXPECT_EQ(notices[1].value, 1);
        EXPECT_EQ(notices[1].from, window);
    }

    // Started any other way: the editor hears nothing.
    notices.clear();
    EXPECT_EQ(StartAndEscape(SW_SHOWNORMAL), 0);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ProcessOnDesktop, EditorHearsAFailedStartWithZeroAndTheWindowWasNeverShown)
{
    // The launch dialog comes up (no choice stored yet); cancelling it fails
    // the start-up.
    ASSERT_TRUE(WriteFileText("System.ini", "Direct3D=2\r\nExit\r\n"));
    StandInEditor editor;
    ASSERT_TRUE(editor.Exists());
    GameProcess game;
    ASSERT_TRUE(game.Start(SW_SHOW));
    HWND window = game.MainWindow();
    ASSERT_TRUE(window);
    HWND dialog = WaitForWindow(game.Id(), "#32770");
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowVisible(window));
    StandInEditor::WaitForNotices(1);
    ClickBoxButton(dialog, IDC_DISMISS);  // "ゲーム中止"
    EXPECT_EQ(game.WaitExit(), 0);
    EXPECT_FALSE(MutexExists());
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].kind, 1u);
    EXPECT_EQ(notices[0].value, 1);
    EXPECT_EQ(notices[1].kind, 0u);
    EXPECT_EQ(notices[1].value, 0);
    EXPECT_EQ(notices[1].from, window);
}
