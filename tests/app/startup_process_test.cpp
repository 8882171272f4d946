// Start-up as the player meets it: the game started in a folder laid out from
// the sample game, one copy at a time.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/foreground_turn.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

const char ERROR_CAPTION[] = "エラー";
const char WINDOW_INI[] = "Direct3D=1\r\nWindowMode=1\r\nExit\r\n";

class StartupOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
        ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
        ASSERT_TRUE(LayOutSampleGame());
        ASSERT_TRUE(WriteFileText("System.ini", WINDOW_INI));
    }

    // Waits for the error box, checks its text and closes it.
    static void CloseErrorBox(GameProcess& game, const std::string& text)
    {
        HWND box = WaitForWindow(game.Id(), "#32770", ERROR_CAPTION);
        ASSERT_TRUE(box) << text;
        EXPECT_EQ(BoxText(box), text);
        ClickBoxButton(box, IDOK);
        const DWORD start = GetTickCount();
        while (IsWindow(box) && GetTickCount() - start < GAME_EXIT_TIMEOUT) PumpFor(20);
    }

    // Escape on the shown window ends the game with 0.
    static void EndWithEscape(GameProcess& game)
    {
        HWND window = game.ShownWindow();
        ASSERT_TRUE(window);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(game.WaitExit(), 0);
    }

    ForegroundTurn m_turn;
    ScopedTestDir m_dir;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(StartupOnDesktop, ReachesTheTitleInTheGamesWindowWithTheReportInOrder)
{
    const std::string title = StoredGameTitle("data\\System.dat");
    ASSERT_FALSE(title.empty());
    GameProcess game;
    ASSERT_TRUE(game.Start());
    HWND window = game.ShownWindow();
    ASSERT_TRUE(window);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    EXPECT_EQ(caption, title);

    // The title screen runs: the game is still there a while later.
    PumpFor(1500);
    EXPECT_TRUE(game.Running());
    const std::string report = ReadFileText("Report_Game.txt");
    size_t at = 0;
    for (const char* line : {"App : ver 708\r\n", "\r\nOS : ", "\r\nMode : Window\r\n", "\r\nBpp : 32\r\n"}) {
        size_t found = report.find(line, at);
        EXPECT_NE(found, std::string::npos) << line << " in order in\n" << report;
        if (found != std::string::npos) at = found;
    }
    EXPECT_EQ(report.rfind("App : ver 708\r\n", 0), 0u);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(game.WaitExit(), 0);
}

TEST_F(StartupOnDesktop, DepthTheWindowCannotShowEndsWithTheBox)
{
    struct Row {
        const char* ini;
        const char* box;
    };
    const Row rows[] = {
        {"Direct3D=1\r\nWindowMode=1\r\nBpp=16\r\nExit\r\n",
         "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"},
        {"Direct3D=1\r\nWindowMode=1\r\nBpp=8\r\nExit\r\n", "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ini);
        ASSERT_TRUE(WriteFileText("System.ini", row.ini));
        GameProcess game;
        ASSERT_TRUE(game.Start());
        HWND window = game.MainWindow();
        ASSERT_TRUE(window);
        CloseErrorBox(game, row.box);
        EXPECT_EQ(game.WaitExit(), 0);
        EXPECT_FALSE(MutexExists());
    }
}

TEST_F(StartupOnDesktop, MissingDataFolderIsMadeFromTheDefaultOnlyWithConsent)
{
    std::error_code error;
    std::filesystem::remove_all("data", error);
    ASSERT_FALSE(error);
    {
        GameProcess game;
        ASSERT_TRUE(game.Start());
        HWND question = WaitForWindow(game.Id(), "#32770", "デフォルトデータ作成の確認");
        ASSERT_TRUE(question);
        ClickBoxButton(question, IDNO);
        CloseErrorBox(game, "「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
        EXPECT_EQ(game.WaitExit(), 0);
        EXPECT_FALSE(FileExists("data"));
        EXPECT_TRUE(Contains(ReadFileText("Report_Game.txt"), "「data」フォルダの作成に失敗…\r\n「default」"));
    }
    GameProcess game;
    ASSERT_TRUE(game.Start());
    HWND question = WaitForWindow(game.Id(), "#32770", "デフォルトデータ作成の確認");
    ASSERT_TRUE(question);
    ClickBoxButton(question, IDYES);
    EndWithEscape(game);
    EXPECT_TRUE(FileExists("data\\System.dat"));
    EXPECT_TRUE(FileExists("data\\database\\Effect.dat"));
    EXPECT_TRUE(FileExists("user_data\\rpl4"));
}

TEST_F(StartupOnDesktop, MissingDatabaseFileIsNamedAndTheEditorHearsZero)
{
    ASSERT_TRUE(DeleteFileA("data\\database\\Effect.dat"));
    StandInEditor editor;
    ASSERT_TRUE(editor.Exists());
    GameProcess game;
    ASSERT_TRUE(game.Start(SW_SHOW));  // 5: a test play of the editor
    HWND window = game.MainWindow();
    ASSERT_TRUE(window);
    CloseErrorBox(game, "data\\database\\Effect.dat のロードに失敗！");
    CloseErrorBox(game, "データベースの読み込みに失敗…");
    EXPECT_EQ(game.WaitExit(), 0);
    EXPECT_FALSE(IsWindow(window));
    const auto& notices = StandInEditor::notices;
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].kind, 1u);
    EXPECT_EQ(notices[0].value, 1);
    EXPECT_EQ(notices[1].kind, 0u);
    EXPECT_EQ(notices[1].value, 0);
}

TEST_F(StartupOnDesktop, MusicWithoutItsPlayerLibraryIsToldAndTheGameGoesOn)
{
    // A copy of the program with no "Vox.dll" beside it or anywhere it looks.
    const std::string exe = m_dir.Path() + "\\Game.exe";
    ASSERT_TRUE(CopyFileA(GameExePath().c_str(), exe.c_str(), FALSE));
    GameProcess game;
    ASSERT_TRUE(game.Start(-1, "", exe));
    CloseErrorBox(game, "oggの初期化に失敗！");
    HWND window = game.ShownWindow();
    ASSERT_TRUE(window);
    PumpFor(1000);
    EXPECT_TRUE(game.Running());
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(game.WaitExit(), 0);
}

TEST_F(StartupOnDesktop, StageNamedOnTheCommandLineThatDoesNotExistIsReported)
{
    GameProcess game;
    ASSERT_TRUE(game.Start(-1, "nosuch"));
    EndWithEscape(game);
    EXPECT_TRUE(Contains(ReadFileText("Report_Game.txt"), "「nosuch」の読み込みに失敗しました！\r\n"));
}

TEST_F(StartupOnDesktop, PaletteImageMissingEndsWithAReportLine)
{
    ASSERT_TRUE(DeleteFileA("bmp\\plt\\Palette.bmp"));
    GameProcess game;
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(game.WaitExit(), 0);
    EXPECT_TRUE(Contains(ReadFileText("Report_Game.txt"), "DDLoadPaletteFromFile失敗\r\n"));
}
