#include <windows.h>

#include <string>

#include "app/game_init.h"
#include "app/game_loop.h"
#include "app/base/log.h"
#include "app/system/log_box.h"
#include "app/shell/main_window.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "app/system/system_report.h"
#include "app/system/thread.h"
#include "app/system/version.h"

namespace {

// The mutex that marks a running copy of the game.
const char INSTANCE_MUTEX[] = "ゲーム";
const char DOUBLE_START_CAPTION[] = "二重起動";
const int EDITOR_SHOW_MODE = 5;
const int ICON_RESOURCE = 101;

void ReleaseInstance(HANDLE mutex)
{
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

// Takes the single-instance mutex. When another copy runs, the player chooses
// between leaving it alone (false: this start ends) and ending it.
bool TakeSingleInstance(HANDLE& mutex)
{
    mutex = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    int answer = MessageBoxA(nullptr,
                             "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?",
                             DOUBLE_START_CAPTION, MB_YESNO);
    if (answer == IDNO) {
        ReleaseInstance(mutex);
        return false;
    }
    // The other copy may not have its window yet, or may just have closed it:
    // then there is nothing to end.
    HWND other = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
    if (!other) return true;
    DWORD processId = 0;
    GetWindowThreadProcessId(other, &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (!process) {
        MessageBoxA(nullptr, "プログラムの終了に失敗しました。", DOUBLE_START_CAPTION, MB_OK);
        ReleaseInstance(mutex);
        return false;
    }
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 500);
    CloseHandle(process);
    return true;
}

bool RegisterMainWindowClass()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = MainWindow.hInst;
    windowClass.hIcon = LoadIconA(MainWindow.hInst, MAKEINTRESOURCEA(ICON_RESOURCE));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    return RegisterClassExA(&windowClass) != 0;
}

// The end of a start that failed after the window existed.
int FailStart(HANDLE mutex)
{
    UnInitGame();
    if (MainWindow.bFromEditor) MainWindow.NotifyEditorEnd(0);
    ReleaseInstance(mutex);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    TraceLogInit(0, "EC_Game.txt");
    std::string reportPath = "Report_Game.txt";
    ToAbsolutePath(reportPath);
    if (!CreateReportLog(reportPath.c_str())) return 0;
    ReportLog("App : ver %s", APP_VERSION_TEXT);
    ReportSystemInfo();

    MainWindow.bFromEditor = nCmdShow == EDITOR_SHOW_MODE;

    HANDLE mutex = nullptr;
    if (!TakeSingleInstance(mutex)) return 0;

    MainWindow.hInst = hInstance;
    if (!RegisterMainWindowClass()) {
        ReleaseInstance(mutex);
        return 0;
    }

    MainWindow.Setup(MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT, 100, 100, MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT,
                     MAIN_WINDOW_STYLE);
    HWND hWnd = CreateWindowExA(0, MAIN_WINDOW_CLASS, "", MAIN_WINDOW_STYLE, 100, 100, MainWindow.m_nWindowWidth,
                                MainWindow.m_nWindowHeight, nullptr, nullptr, MainWindow.hInst, nullptr);
    if (!hWnd) {
        ErrorBox("ウインドウが生成出来ません！");
        ReleaseInstance(mutex);
        return 0;
    }
    MainWindow.m_hWnd = hWnd;
    MainWindow.CenterOnDesktop();
    TraceLogF("G");

    if (MainWindow.bFromEditor) MainWindow.NotifyEditorStart();
    TraceLogF("H");

    if (!InitGame(lpCmdLine, nCmdShow)) return FailStart(mutex);
    MainWindow.bInitialized = 1;
    TraceLogF("I");

    if (!StartGameThread()) return FailStart(mutex);
    TraceLogF("J");

    MSG msg{};
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (!MainWindow.bAppActive) {
            WaitMessage();
        }
        Sleep(1);
    }

    UnInitGame();
    TraceLogF("UnInitGame後");
    ReleaseInstance(mutex);
    TraceLogF("ReleaseMutex後");
    return static_cast<int>(msg.wParam);
}
