#pragma once
// Driving modal dialogs from a test: the dialog runs on a thread of its own
// (its modal loop blocks that thread), the test finds its window and works it
// through window messages. Every wait has a time limit.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "app/system/window.h"

// The templates live in Game.exe, built beside the tests: loaded as data.
HMODULE GameResources();

// A plain hidden top-level window at (x, y) of the main window's size that
// stands in for the main window while it lives: dialogs take it as their
// owner, and their templates from its instance, which is GameResources().
class OwnerWindow : public cWindow {
public:
    OwnerWindow(int x, int y);
    ~OwnerWindow() override;

private:
    HWND m_hPrevious;
};

// The game's main window made as start-up makes it (hidden, at (100, 100),
// the game's style and size) of a class of its own with procedure proc, and
// made the program's main window (MainWindow, hMainWnd). Its instance is
// GameResources(), so the dialogs it owns find their templates. Null when it
// could not be made.
HWND CreateGameMainWindow(const char* className, WNDPROC proc);

// Runs body on a new thread; body typically builds a dialog and calls DoModal.
class ModalThread {
public:
    explicit ModalThread(std::function<INT_PTR()> body);
    // Ends a dialog still open (WM_CLOSE) and waits for the thread.
    ~ModalThread();
    ModalThread(const ModalThread&) = delete;
    ModalThread& operator=(const ModalThread&) = delete;

    // The thread's visible dialog window (class "#32770"), or null after timeout.
    // The limits are generous: a dialog's first showing loads the common
    // controls and fonts, slow on a machine busy with other tests.
    HWND WaitForDialog(DWORD timeoutMs = 60000);
    // Waits for body to return; false on timeout.
    bool Join(DWORD timeoutMs = 60000);
    INT_PTR Result() const { return m_result; }
    DWORD ThreadId() const { return m_threadId; }

private:
    static DWORD WINAPI Run(void* self);
    std::function<INT_PTR()> m_body;
    INT_PTR m_result = -2;
    HANDLE m_hThread = nullptr;
    DWORD m_threadId = 0;
};

// Works the dialog that another thread (typically the window thread, busy in
// the dialog's modal loop) will open: a thread of its own waits up to a
// minute for the first visible dialog of that thread and hands it to work.
class DialogWorker {
public:
    DialogWorker(DWORD dialogThread, std::function<void(HWND)> work);
    // Waits for the work to be done (at most a minute).
    ~DialogWorker();
    DialogWorker(const DialogWorker&) = delete;
    DialogWorker& operator=(const DialogWorker&) = delete;
    bool Found() const { return m_bFound; }

private:
    static DWORD WINAPI Run(void* self);
    DWORD m_dialogThread;
    std::function<void(HWND)> m_work;
    HANDLE m_hThread = nullptr;
    std::atomic<bool> m_bFound{false};
};

// Clicks a button of a dialog that runs on another thread (BM_CLICK).
void ClickButton(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
std::string WindowText(HWND hWnd);
// Types one character into a control as the keyboard would (WM_CHAR, as a wide character).
void TypeChar(HWND control, wchar_t c);
// Puts text on the clipboard and pastes it into the control (WM_PASTE); false
// when the clipboard could not be taken.
bool PasteText(HWND control, const std::string& text);
