#include "tests/support/game_process.h"

const char GAME_CLASS[] = "Orvane4";
const char GAME_INSTANCE_MUTEX[] = "ゲーム";

std::vector<EditorNotice> StandInEditor::notices;

namespace {

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

LRESULT CALLBACK EditorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        int value = data->cbData == sizeof(int) ? *static_cast<int*>(data->lpData) : -1;
        StandInEditor::notices.push_back({data->dwData, value, reinterpret_cast<HWND>(wParam)});
        return TRUE;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

std::string GameExePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    dir = dir.substr(0, dir.find_last_of("\\/"));  // build\tests
    dir = dir.substr(0, dir.find_last_of("\\/"));  // build
    return dir + "\\Game.exe";
}

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

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeout)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        WindowQuery query{processId, className, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found) return query.found;
        PumpFor(20);
    }
    return nullptr;
}

std::string BoxText(HWND box)
{
    // A message box's text is its static control 0xFFFF.
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

bool MutexExists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, GAME_INSTANCE_MUTEX);
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

void ClickBoxButton(HWND box, int id)
{
    HWND button = GetDlgItem(box, id);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool GameProcess::Start(int showMode, const std::string& arguments, const std::string& exePath)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (showMode >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showMode);
    }
    const std::string exe = exePath.empty() ? GameExePath() : exePath;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &m_info) != 0;
}

HWND GameProcess::ShownWindow()
{
    HWND window = MainWindow();
    DWORD start = GetTickCount();
    while (window && !IsWindowVisible(window) && GetTickCount() - start < GAME_START_TIMEOUT) PumpFor(20);
    return window && IsWindowVisible(window) ? window : nullptr;
}

long GameProcess::WaitExit()
{
    if (!WaitPumping(m_info.hProcess, GAME_EXIT_TIMEOUT)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
}

void GameProcess::Kill()
{
    if (!m_info.hProcess) return;
    if (Running()) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, GAME_EXIT_TIMEOUT);
    }
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    m_info = PROCESS_INFORMATION{};
}

long StartAndEscape(int showMode)
{
    GameProcess game;
    if (!game.Start(showMode)) return -3;
    HWND window = game.ShownWindow();
    if (!window) return -2;
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    return game.WaitExit();
}

StandInEditor::StandInEditor()
{
    WNDCLASSA editorClass{};
    editorClass.lpfnWndProc = EditorProc;
    editorClass.hInstance = GetModuleHandleA(nullptr);
    editorClass.lpszClassName = "Orvane4_Editor";
    RegisterClassA(&editorClass);
    m_hWnd = CreateWindowExA(0, "Orvane4_Editor", "Orvane4", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    notices.clear();
}

StandInEditor::~StandInEditor()
{
    if (m_hWnd) DestroyWindow(m_hWnd);
}

void StandInEditor::WaitForNotices(size_t count)
{
    DWORD start = GetTickCount();
    while (notices.size() < count && GetTickCount() - start < GAME_START_TIMEOUT) PumpFor(20);
}
