#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/shell/main_window.h"
#include "app/system/window.h"
#include "tests/app/foreground_turn.h"

namespace {

const char TEST_CLASS[] = "WindowTestClass";

LRESULT CALLBACK PlainProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void RegisterTestClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = TEST_CLASS;
    registered = RegisterClassA(&windowClass) != 0;
}

// A framework window set up as the game sets up its main window, then created.
HWND CreateFrameworkWindow(cWindow& window, int width, int height, DWORD style)
{
    RegisterTestClass();
    window.Setup(width, height, 100, 100, 640, 480, style);
    HWND hWnd = CreateWindowExA(0, TEST_CLASS, "", style, 100, 100, window.m_nWindowWidth, window.m_nWindowHeight,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    window.m_hWnd = hWnd;
    return hWnd;
}

} // namespace

TEST(WindowFramework, OuterSizeGivesTheRequestedClientArea)
{
    struct Row {
        const char* name;
        DWORD style;
        int left, top;  // expected margins
    };
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const int dlgX = GetSystemMetrics(SM_CXDLGFRAME), dlgY = GetSystemMetrics(SM_CYDLGFRAME);
    const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
    const Row rows[] = {
        {"main window", MAIN_WINDOW_STYLE, dlgX, caption + dlgY},
        {"resizable main window", MAIN_WINDOW_STYLE | WS_THICKFRAME, frameX, caption + frameY},
        {"bare popup", WS_POPUP, 0, 0},
    };
    for (const Row& row : rows) {
        cWindow window;
        HWND hWnd = CreateFrameworkWindow(window, 640, 480, row.style);
        ASSERT_TRUE(hWnd) << row.name;
        EXPECT_EQ(window.m_nMarginLeft, row.left) << row.name;
        EXPECT_EQ(window.m_nMarginRight, row.left) << row.name;
        EXPECT_EQ(window.m_nMarginTop, row.top) << row.name;
        EXPECT_EQ(window.m_nWindowWidth, 640 + 2 * row.left) << row.name;
        RECT client{};
        GetClientRect(hWnd, &client);
        EXPECT_EQ(client.right, 640) << row.name;
        EXPECT_EQ(client.bottom, 480) << row.name;

        window.SetClientSize(320, 200);
        GetClientRect(hWnd, &client);
        EXPECT_EQ(client.right, 320) << row.name;
        EXPECT_EQ(client.bottom, 200) << row.name;
        EXPECT_EQ(window.m_nViewWidth, 320) << row.name;
        DestroyWindow(hWnd);
    }
}

TEST(WindowFramework, CentresOnTheDesktopAndPlacesInsideTheWorkArea)
{
    cWindow window;
    HWND hWnd = CreateFrameworkWindow(window, 300, 200, WS_POPUP);
    ASSERT_TRUE(hWnd);
    RECT desktop{}, rect{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    window.CenterOnDesktop();
    GetWindowRect(hWnd, &rect);
    EXPECT_EQ(rect.left, (desktop.right - 300) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 200) / 2);
    EXPECT_EQ(window.m_nPosX, rect.left);

    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct Row {
        int storedX, storedY;
        bool moves;
        int x, y;
    };
    const Row rows[] = {
        {WINDOW_UNPLACED, 50, false, 0, 0},
        {50, WINDOW_UNPLACED, false, 0, 0},
        {-5, 9000, true, 0, static_cast<int>(work.bottom) - 200},
        {9000, -1, true, static_cast<int>(work.right) - 300, 0},
        {10, 20, true, 10, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "stored " << row.storedX << "," << row.storedY);
        window.MoveTo(123, 45);
        window.m_nPlaceX = row.storedX;
        window.m_nPlaceY = row.storedY;
        window.Place();
        POINT pos = window.GetWindowPos();
        if (row.moves) {
            EXPECT_EQ(pos.x, row.x) << row.storedX << "," << row.storedY;
            EXPECT_EQ(pos.y, row.y) << row.storedX << "," << row.storedY;
            EXPECT_EQ(window.m_nPlaceX, row.x);
        } else {
            EXPECT_EQ(pos.x, 123);
            EXPECT_EQ(pos.y, 45);
        }
    }
    DestroyWindow(hWnd);
}

TEST(WindowFramework, MessageNames)
{
    const std::pair<UINT, const char*> rows[] = {
        {0x0000, "WM_NULL"},          {0x0010, "WM_CLOSE"},          {0x0100, "WM_KEYFIRST"},
        {0x0101, "WM_KEYUP"},         {0x010F, "WM_IME_COMPOSITION"}, {0x0200, "WM_MOUSEFIRST"},
        {0x0318, "WM_PRINTCLIENT"},   {0x0400, "WM_USER"},           {0x8000, "WM_APP"},
        {0x9999, "39321"},            {0x0319, "793"},
    };
    for (const auto& row : rows) EXPECT_STREQ(GetMessageName(row.first), row.second) << row.first;
}

namespace {

class CountingWindow : public cWindow {
public:
    void OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        ++commands;
        // A nested message loop inside the handler delivers a second command.
        nestedResult = DefProc(m_hWnd, WM_COMMAND, wParam + 1, 0);
    }
    int commands = 0;
    int nestedResult = -1;
};

} // namespace

TEST(WindowFramework, RoutesMessagesAndDropsNestedCommands)
{
    CountingWindow window;
    HWND hWnd = CreateFrameworkWindow(window, 640, 480, MAIN_WINDOW_STYLE);
    ASSERT_TRUE(hWnd);
    EXPECT_EQ(window.DefProc(hWnd, WM_COMMAND, 1, 0), 1);
    EXPECT_EQ(window.commands, 1);
    EXPECT_EQ(window.nestedResult, 0);
    EXPECT_EQ(window.DefProc(hWnd, WM_COMMAND, 1, 0), 1);  // the flag is clear again
    EXPECT_EQ(window.commands, 2);

    MINMAXINFO info{};
    info.ptMaxPosition = POINT{7, 8};
    EXPECT_EQ(window.DefProc(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.ptMinTrackSize.x, 100 + 2 * window.m_nMarginLeft);
    EXPECT_EQ(info.ptMinTrackSize.y, 100 + window.m_nMarginTop + window.m_nMarginBottom);
    EXPECT_EQ(info.ptMaxTrackSize.x, 640 + 2 * window.m_nMarginLeft);
    EXPECT_EQ(info.ptMaxTrackSize.y, 480 + window.m_nMarginTop + window.m_nMarginBottom);
    EXPECT_EQ(info.ptMaxPosition.x, 7);

    EXPECT_EQ(window.DefProc(hWnd, WM_KEYDOWN, 'A', 0), 0);
    EXPECT_EQ(window.DefProc(hWnd, WM_DESTROY, 0, 0), 1);
    EXPECT_EQ(window.m_hWnd, nullptr);
    DestroyWindow(hWnd);
}

namespace {

enum class Stroke { PressAndRelease, Press, Release };

// Sends a key through the system's input queue and returns the (message, key)
// pairs that reach the window. On a loaded machine the input can take a while:
// the messages are gathered until the last one the system delivers has come.
// A hook posts its copies as that message is taken; a marker posted after it
// comes after them, so the gathering ends with the marker.
std::vector<std::pair<UINT, WPARAM>> TypeKey(HWND hWnd, WORD key, Stroke stroke = Stroke::PressAndRelease)
{
    const UINT WM_TEST_MARKER = WM_APP + 77;
    // The keys go to the foreground window: it must be this one.
    SetForegroundWindow(hWnd);
    SetFocus(hWnd);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (stroke == Stroke::PressAndRelease) SendInput(2, inputs, sizeof(INPUT));
    else SendInput(1, &inputs[stroke == Stroke::Press ? 0 : 1], sizeof(INPUT));
    const UINT last = stroke == Stroke::Press ? WM_KEYDOWN : WM_KEYUP;
    std::vector<std::pair<UINT, WPARAM>> seen;
    bool delivered = false, marked = false;
    for (const DWORD start = GetTickCount(); !marked && GetTickCount() - start < 10000; Sleep(1)) {
        MSG msg;
        while (!marked && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == hWnd && msg.message == WM_TEST_MARKER) {
                marked = true;
                break;
            }
            if (msg.hwnd == hWnd && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP ||
                                     msg.message == WM_HOOKED_KEY)) {
                seen.emplace_back(msg.message, msg.wParam);
                if (!delivered && msg.message == last && msg.wParam == key) {
                    delivered = true;
                    PostMessageA(hWnd, WM_TEST_MARKER, 0, 0);
                }
            }
            DispatchMessageA(&msg);
        }
    }
    EXPECT_TRUE(marked) << "key " << key << " was not delivered";
    return seen;
}

int Count(const std::vector<std::pair<UINT, WPARAM>>& seen, UINT message, WPARAM key)
{
    int n = 0;
    for (const auto& entry : seen) n += entry.first == message && entry.second == key;
    return n;
}

} // namespace

TEST(KeyboardHookAlone, HookedDialogAlsoGetsItsKeysPosted)
{
    ForegroundTurn turn;
    ASSERT_TRUE(turn.Have());
    RegisterTestClass();
    HWND hWnd = CreateWindowExA(0, TEST_CLASS, "hooked", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hWnd);

    // Not hooked yet: each key arrives once, as Windows delivers it.
    auto seen = TypeKey(hWnd, 'Z');
    ASSERT_EQ(Count(seen, WM_KEYDOWN, 'Z'), 1) << "the test window gets no keyboard input";

    cHook hook;
    ASSERT_EQ(hook.Set(hWnd, 1), 1);
    struct Row {
        WORD key;
        int keyDowns, hookedKeys, keyUps;
    };
    const Row rows[] = {
        {'Z', 2, 0, 2},         // posted copy besides the delivered key
        {VK_RETURN, 2, 0, 2},   // no composition pending
        {VK_LEFT, 1, 1, 2},     // arrives as the hooked-key message, not as a posted key-down
        {VK_F8, 1, 1, 2},
        {VK_F9, 2, 0, 2},
        {VK_TAB, 1, 0, 2},      // never posted
    };
    for (const Row& row : rows) {
        seen = TypeKey(hWnd, row.key);
        EXPECT_EQ(Count(seen, WM_KEYDOWN, row.key), row.keyDowns) << row.key;
        EXPECT_EQ(Count(seen, WM_HOOKED_KEY, row.key), row.hookedKeys) << row.key;
        EXPECT_EQ(Count(seen, WM_KEYUP, row.key), row.keyUps) << row.key;
    }

    // While Ctrl is held, a hook that blocks under Ctrl posts nothing more.
    TypeKey(hWnd, VK_CONTROL, Stroke::Press);
    seen = TypeKey(hWnd, 'X');
    EXPECT_EQ(Count(seen, WM_KEYDOWN, 'X'), 1);
    TypeKey(hWnd, VK_CONTROL, Stroke::Release);
    seen = TypeKey(hWnd, 'X');
    EXPECT_EQ(Count(seen, WM_KEYDOWN, 'X'), 2);

    UnhookKeyboard();
    seen = TypeKey(hWnd, 'Z');
    EXPECT_EQ(Count(seen, WM_KEYDOWN, 'Z'), 1);
    RemovePropA(hWnd, "cHook");
    DestroyWindow(hWnd);
}
