#include "app/shell/main_window.h"

#include <exception>

#include "app/system/bgm.h"
#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/shell/scene_manager.h"
#include "app/system/system_ini.h"
#include "app/system/thread.h"
#include "app/shell/window_data.h"
#include "app/shell/window_requests.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"

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

namespace {

// DirectDraw: the primary surface shows the back buffer again.
void PaintFromBackBuffer(HWND hWnd)
{
    PAINTSTRUCT paint;
    BeginPaint(hWnd, &paint);
    // The game thread may be drawing meanwhile; a torn picture is repainted
    // by its next present.
    if (MainWindow.bInitialized && Display.PrimarySD.lpDD && Display.PrimarySD.lpDD->lpSurface && Display.BackBuffer.lpDD) {
        RECT client = Display.rcClient.Load();
        Display.PrimarySD.lpDD->lpSurface->Blt(&client, Display.BackBuffer.lpDD->lpSurface, nullptr, DDBLT_WAIT, nullptr);
    }
    EndPaint(hWnd, &paint);
}

void RealizePalette()
{
    if (Display.lpDTCon || !Display.PrimarySD.lpDD || !Display.PrimarySD.lpDD->lpSurface || !Display.lpDDPalette) return;
    Display.PrimarySD.lpDD->lpSurface->SetPalette(Display.lpDDPalette);
}

// Keeps the placement for the next run, unless the window is minimised.
void SavePlacement(HWND hWnd)
{
    if (!SystemIni.WindowMode || !MainWindow.bInitialized || IsIconic(hWnd)) return;
    RECT window{}, client{};
    GetWindowRect(hWnd, &window);
    GetClientRect(hWnd, &client);
    WindowData.Set(window.left, window.top, client.right - client.left, client.bottom - client.top,
                   IsZoomed(hWnd) ? 1 : 0);
    WindowData.SaveFile(WINDOW_DATA_PATH);
}

} // namespace

void cMainWindow::Close(HWND hWnd)
{
    SavePlacement(hWnd);
    // The pause loop ends first; the game thread closes again once it has.
    if (Threads.thPause.m_hThread) {
        TraceLog("WM_CLOSE thPause.m_hThread");
        if (SceneLinks.lpStageQuit) SceneLinks.lpStageQuit();
        PostThreadMessageA(Threads.thPause.m_nThreadId, WM_QUIT, 0, 0);
        return;
    }
    TraceLog("WM_CLOSE 成功！");
    Bgm.Stop();
    EndThreadsAndDestroy(hWnd);
}

void cMainWindow::EndThreadsAndDestroy(HWND hWnd)
{
    Threads.thLoadStage.Exit();
    Threads.thPause.Exit();
    Threads.thRanking.Exit();
    TraceLog("thPause.Exit()");
    Threads.thGame.Exit();
    TraceLog("thGame.Exit()");
    DestroyWindow(hWnd);
}

int cMainWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_hWnd = hWnd;
    GetCursorPos(0, 7);
    // Nothing thrown may end the process past the shut-down: it is reported,
    // a waiting game thread is let go, and the program closes in order.
    try {
        return HandleMessage(hWnd, message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportLog("%s", e.what());
    } catch (...) {
        ReportLog("%s", "unknown exception");
    }
    ReleaseGameRequest(message);
    if (message == WM_CLOSE)
        EndThreadsAndDestroy(hWnd);
    else
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return 0;
}

int cMainWindow::HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ServeGameRequest(hWnd, message, wParam, lParam)) return 0;
    switch (message) {
    case WM_CREATE:
        m_bCreated = 1;
        return 0;
    case WM_DESTROY:
        TraceLog("WM_DESTROY");
        // The editor hears the end with the handle of the window that ends.
        if (MainWindow.bFromEditor) NotifyEditorEnd(1);
        m_hWnd = nullptr;
        hMainWnd = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_MOVE: {
        // Worked out aside and stored whole: a frame presented meanwhile
        // goes to the old place or the new one, never to the desktop's corner.
        RECT client{};
        GetClientRect(hWnd, &client);
        POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
        ClientToScreen(hWnd, &topLeft);
        ClientToScreen(hWnd, &bottomRight);
        Display.rcClient.Store(RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
        return 0;
    }
    case WM_SIZE:
        RefreshMetrics();
        return 0;
    case WM_PAINT:
        if (Display.lpDTCon) break;
        PaintFromBackBuffer(hWnd);
        return 0;
    case WM_CLOSE:
        Close(hWnd);
        return 0;
    case WM_ACTIVATEAPP:
        MainWindow.bAppActive = static_cast<int>(wParam);
        return 0;
    case WM_GETMINMAXINFO:
        if (Display.lpDTCon) break;
        cWindow::DefProc(hWnd, message, wParam, lParam);
        return 0;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == hWnd) return 0;
        RealizePalette();
        return 0;
    case WM_QUERYNEWPALETTE:
        RealizePalette();
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
        break;
    }
    return static_cast<int>(DefWindowProcA(hWnd, message, wParam, lParam));
}
