#include "app/main_window.h"
#include "gfx/display.h"

#include "app/log.h"
#include "app/main_window_handle.h"
#include "app/thread.h"

cMainWindow MainWindow;
HINSTANCE hInst = nullptr;
int bFromEditor = 0;
BYTE bInitialized = 0;
std::atomic<int> bAppActive{0};

namespace {

void SendEditorNotice(HWND from, ULONG_PTR kind, int value)
{
    HWND editor = FindWindowA(EDITOR_WINDOW_CLASS, EDITOR_WINDOW_TITLE);
    if (!editor) return;
    COPYDATASTRUCT data{kind, sizeof(value), &value};
    SendMessageA(editor, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
}

} // namespace

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MainWindow.WndProc(hWnd, message, wParam, lParam);
}

void cMainWindow::NotifyEditorStart()
{
    SendEditorNotice(m_hWnd, 1, 1);
}

void cMainWindow::NotifyEditorEnd(int result)
{
    SendEditorNotice(m_hWnd, 0, result);
}

int cMainWindow::DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    int result = cWindow::DefProc(hWnd, message, wParam, lParam);
    if (message == WM_CREATE) OnCreate(wParam, lParam);
    return result;
}

void cMainWindow::Shutdown(HWND hWnd)
{
    TraceLog("WM_CLOSE 成功！");
    thLoadStage.Exit();
    thPause.Exit();
    thRanking.Exit();
    TraceLog("thPause.Exit()");
    thGame.Exit();
    TraceLog("thGame.Exit()");
    DestroyWindow(hWnd);
}

int cMainWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_hWnd = hWnd;
    GetCursorPos(0, 7);
    switch (message) {
    case WM_CREATE:
        m_bCreated = 1;
        return 0;
    case WM_DESTROY:
        TraceLog("WM_DESTROY");
        // The editor hears the end with the handle of the window that ends.
        if (bFromEditor) NotifyEditorEnd(1);
        m_hWnd = nullptr;
        hMainWnd = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_MOVE: {
        GetClientRect(hWnd, &rcClient);
        POINT topLeft{rcClient.left, rcClient.top}, bottomRight{rcClient.right, rcClient.bottom};
        ClientToScreen(hWnd, &topLeft);
        ClientToScreen(hWnd, &bottomRight);
        rcClient = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        return 0;
    }
    case WM_SIZE:
        RefreshMetrics();
        return 0;
    case WM_CLOSE:
        Shutdown(hWnd);
        return 0;
    case WM_ACTIVATEAPP:
        bAppActive = static_cast<int>(wParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) PostMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return 0;
    default:
        return static_cast<int>(DefWindowProcA(hWnd, message, wParam, lParam));
    }
}
