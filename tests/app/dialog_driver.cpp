#include "tests/app/dialog_driver.h"

#include <cstring>
#include <vector>

#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"

HMODULE GameResources()
{
    static HMODULE module = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        // <build>/tests/app_tests.exe -> <build>/Game.exe
        for (int up = 0; up < 2; ++up) folder = folder.substr(0, folder.find_last_of("\\/"));
        return LoadLibraryExA((folder + "\\Game.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

OwnerWindow::OwnerWindow(int x, int y) : m_hPrevious(hMainWnd)
{
    m_hWnd = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, x, y, 640, 480, nullptr, nullptr, GameResources(),
                             nullptr);
    hMainWnd = m_hWnd;
}

OwnerWindow::~OwnerWindow()
{
    hMainWnd = m_hPrevious;
    if (m_hWnd) DestroyWindow(m_hWnd);
}

HWND CreateGameMainWindow(const char* className, WNDPROC proc)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
    MainWindow.Setup(MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT, 100, 100, MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT,
                     MAIN_WINDOW_STYLE);
    HWND hWnd = CreateWindowExA(0, className, "", MAIN_WINDOW_STYLE, 100, 100, MainWindow.m_nWindowWidth,
                                MainWindow.m_nWindowHeight, nullptr, nullptr, GameResources(), nullptr);
    if (!hWnd) return nullptr;
    MainWindow.m_hWnd = hWnd;
    hMainWnd = hWnd;
    return hWnd;
}

ModalThread::ModalThread(std::function<INT_PTR()> body) : m_body(std::move(body))
{
    m_hThread = CreateThread(nullptr, 0, Run, this, 0, &m_threadId);
}

ModalThread::~ModalThread()
{
    if (!m_hThread) return;
    if (WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) {
        if (HWND dialog = WaitForDialog(0)) PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_hThread, 10000) == WAIT_TIMEOUT) TerminateThread(m_hThread, 1);
    }
    CloseHandle(m_hThread);
}

DWORD WINAPI ModalThread::Run(void* self)
{
    auto* thread = static_cast<ModalThread*>(self);
    thread->m_result = thread->m_body();
    return 0;
}

namespace {

struct FINDDIALOG {
    HWND hFound = nullptr;
};

BOOL CALLBACK FindDialogWindow(HWND hWnd, LPARAM lParam)
{
    char name[32] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(hWnd)) {
        reinterpret_cast<FINDDIALOG*>(lParam)->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND ModalThread::WaitForDialog(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        FINDDIALOG find;
        EnumThreadWindows(m_threadId, FindDialogWindow, reinterpret_cast<LPARAM>(&find));
        if (find.hFound) return find.hFound;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        if (WaitForSingleObject(m_hThread, 10) == WAIT_OBJECT_0) return nullptr;
    }
}

bool ModalThread::Join(DWORD timeoutMs)
{
    return WaitForSingleObject(m_hThread, timeoutMs) == WAIT_OBJECT_0;
}

DialogWorker::DialogWorker(DWORD dialogThread, std::function<void(HWND)> work)
    : m_dialogThread(dialogThread), m_work(std::move(work))
{
    m_hThread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogWorker::~DialogWorker()
{
    WaitForSingleObject(m_hThread, 60000);
    CloseHandle(m_hThread);
}

DWORD WINAPI DialogWorker::Run(void* p)
{
    auto* self = static_cast<DialogWorker*>(p);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(10)) {
        FINDDIALOG find;
        EnumThreadWindows(self->m_dialogThread, FindDialogWindow, reinterpret_cast<LPARAM>(&find));
        if (!find.hFound) continue;
        self->m_bFound = true;
        self->m_work(find.hFound);
        return 0;
    }
    return 0;
}

void ClickButton(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string WindowText(HWND hWnd)
{
    char text[512] = {};
    SendMessageA(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void TypeChar(HWND control, wchar_t c)
{
    SendMessageW(control, WM_CHAR, c, 1);
}

bool PasteText(HWND control, const std::string& text)
{
    // Another program may hold the clipboard for a moment: asked again for
    // up to 10 s.
    bool opened = false;
    for (int attempt = 0; attempt < 500 && !opened; ++attempt) {
        opened = OpenClipboard(nullptr) != 0;
        if (!opened) Sleep(20);
    }
    if (!opened) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (set) SendMessageA(control, WM_PASTE, 0, 0);
    return set;
}
