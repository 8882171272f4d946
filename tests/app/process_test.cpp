// The game started as a user (or the editor) starts it: a child process under
// the test, driven with window messages, always gone at the end of a test.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "tests/app/foreground_turn.h"
#include "tests/support/test_dir.h"

namespace {

const char GAME_CLASS[] = "Orvane4";
const char INSTANCE_MUTEX[] = "ゲーム";
const char DOUBLE_START_CAPTION[] = "二重起動";
// Generous: a start takes a few seconds here, far longer on a busy machine;
// a passing run never waits for them to run out.
const DWORD START_TIMEOUT = 60000;
const DWORD EXIT_TIMEOUT = 30000;

std::string GameExePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    dir = dir.substr(0, dir.find_last_of("\\/"));  // build\tests
    dir = dir.substr(0, dir.find_last_of("\\/"));  // build
    return dir + "\\Game.exe";
}

// Serves this thread's messages (the stand-in editor window lives here) until
// the handle is signalled or the time is up.
bool WaitPumping(HANDLE handle, DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeout) return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, timeout - elapsed, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD milliseconds)
{
    HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WaitPumping(never, milliseconds);
    CloseHandle(never);
}

struct WindowQuery {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* query = reinterpret_cast<WindowQuery*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId != query->processId) return TRUE;
    char text[256] = {};
    GetClassNameA(hWnd, text, sizeof(text));
    if (std::string(text) != query->className) return TRUE;
    if (query->title) {
        GetWindowTextA(hWnd, text, sizeof(text));
        if (std::string(text) != query->title) return TRUE;
    }
    query->found = hWnd;
    return FALSE;
}

// The top-level window of that process and class (and title), waiting for it to appear.
HWND WaitForWindow(DWORD processId, const char* className, const char* title = nullptr)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < START_TIMEOUT) {
        WindowQuery query{processId, className, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found) return query.found;
        PumpFor(20);
    }
    return nullptr;
}

bool MutexExists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, INSTANCE_MUTEX);
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

class GameProcess {
public:
    // showMode < 0: started as from the shell, without a show mode of its own.
    bool Start(int showMode = -1)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        if (showMode >= 0) {
            startup.dwFlags = STARTF_USESHOWWINDOW;
            startup.wShowWindow = static_cast<WORD>(showMode);
        }
        std::string exe = GameExePath();
        std::string commandLine = "\"" + exe + "\"";
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_info))
            return false;
        return true;
    }
    ~GameProcess() { Kill(); }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const { return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    HWND MainWindow() { return WaitForWindow(Id(), GAME_CLASS); }
    // The main window once start-up has shown it.
    HWND ShownWindow()
    {
        HWND window = MainWindow();
        DWORD start = GetTickCount();
        while (window && !IsWindowVisible(window) && GetTickCount() - start < START_TIMEOUT) PumpFor(20);
        return window && IsWindowVisible(window) ? window : nullptr;
    }
    // The exit code once it has ended within the time, else -1.
    long WaitExit()
    {
        if (!WaitPumping(m_info.hProcess, EXIT_TIMEOUT)) return -1;
        DWORD code = 0;
        GetExitCodeProcess(m_info.hProcess, &code);
        return static_cast<long>(code);
    }
    void Kill()
    {
        if (!m_info.hProcess) return;
        if (Running()) {
            TerminateProcess(m_info.hProcess, 99);
            WaitForSingleObject(m_info.hProcess, EXIT_TIMEOUT);
        }
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
        m_info = PROCESS_INFORMATION{};
    }

private:
    PROCESS_INFORMATION m_info{};
};

class ProcessOnDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_turn.Have()) << "no turn to start the game";
        ASSERT_FALSE(MutexExists()) << "another copy of the game is running";
        // Without "System.ini" the game would stop at its warning box, and
        // without a drawing mode at the launch dialog.
        ASSERT_TRUE(WriteFileText("System.ini", "Direct3D=1\r\nExit\r\n"));
    }

    ForegroundTurn m_turn;
    ScopedTestDir m_dir;
};

// Starts the game, waits until it shows its window and presses Escape: the exit
// code, or -2 when no window came up.
long StartAndEscape(int showMode)
{
    GameProcess game;
    if (!game.Start(showMode)) return -3;
    HWND window = game.ShownWindow();
    if (!window) return -2;
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    return game.WaitExit();
}

void ClickBoxButton(HWND box, int id)
{
    HWND button = GetDlgItem(box, id);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The stand-in editor: a window of the editor's class and title that records
// the notices it receives.
struct EditorNotice {
    ULONG_PTR kind;
    int value;
    HWND from;
};
std::vector<EditorNotice> notices;

LRESULT CALLBACK EditorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        int value = data->cbData == sizeof(int) ? *static_cast<int*>(data->lpData) : -1;
        notices.push_back({data->dwData, value, reinterpret_cast<HWND>(wParam)});
        return TRUE;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A window of the editor's class and title, there while the object lives.
class StandInEditor {
public:
    StandInEditor()
    {
        WNDCLASSA editorClass{};
        editorClass.lpfnWndProc = EditorProc;
        editorClass.hInstance = GetModuleHandleA(nullptr);
        editorClass.lpszClassName = "Orvane4_Editor";
        RegisterClassA(&editorClass);
        m_hWnd = CreateWindowExA(0, "Orvane4_Editor", "Orvane4", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        notices.clear();
    }
    ~StandInEditor()
    {
        if (m_hWnd) DestroyWindow(m_hWnd);
    }
    bool Exists() const { return m_hWnd != nullptr; }
    // Serves the notices until the count has come in or the time is up.
    static void WaitForNotices(size_t count)
    {
        DWORD start = GetTickCount();
        while (notices.size() < count && GetTickCount() - start < START_TIMEOUT) PumpFor(20);
    }

private:
    HWND m_hWnd = nullptr;
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
