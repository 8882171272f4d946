#pragma once
// The main window and the process-wide values the window thread keeps.
#include <windows.h>

#include <atomic>

#include "app/system/client_size.h"
#include "app/system/window.h"

// The registered class, also the single-instance mark another start looks for.
#define MAIN_WINDOW_CLASS "Orvane4"
// The kit's editor window that hears when a test play starts and ends.
#define EDITOR_WINDOW_CLASS "Orvane4_Editor"
#define EDITOR_WINDOW_TITLE "Orvane4"

constexpr DWORD MAIN_WINDOW_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

class cMainWindow : public cWindow {
public:
    int WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    int DefProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnCreate(WPARAM wParam, LPARAM lParam) {}

    // WM_COPYDATA to the editor's window (none found: nothing happens):
    // dwData 1 with the int 1 once the window exists, dwData 0 at the end with
    // 1 for a normal end or 0 for a failed start-up. Only for editor test plays.
    void NotifyEditorStart();
    void NotifyEditorEnd(int result);

    // Written by the window thread at start-up before the game thread exists;
    // read by every thread after.
    HINSTANCE hInst = nullptr;
    int bFromEditor = 0;        // started by the editor for a test play (show mode 5)
    BYTE bInitialized = 0;      // start-up has succeeded
    // wParam of the last WM_ACTIVATEAPP; 0 idles both threads. Written by the
    // window thread, read by the game thread.
    std::atomic<int> bAppActive{0};

private:
    int HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_CLOSE: the placement saved (window mode), then either the pause loop
    // ended alone, or the music stopped, the threads ended and the window
    // destroyed.
    void Close(HWND hWnd);
    void EndThreadsAndDestroy(HWND hWnd);
};

// The window thread's.
extern cMainWindow MainWindow;
// rcClient, the client rectangle in screen coordinates, is the display's (gfx/display.h).

// The procedure of the registered class: every message goes to MainWindow.
LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
