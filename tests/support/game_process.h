#pragma once
// The game started as a user (or the editor) starts it: a child process under
// the test, driven with window messages, always gone at the end of a test.
#include <windows.h>

#include <string>
#include <vector>

// Generous: a start takes a few seconds here, far longer on a busy machine;
// a passing run never waits for them to run out.
constexpr DWORD GAME_START_TIMEOUT = 60000;
constexpr DWORD GAME_EXIT_TIMEOUT = 30000;

extern const char GAME_CLASS[];
extern const char GAME_INSTANCE_MUTEX[];

std::string GameExePath();
// Serves this thread's messages until the handle is signalled or the time is
// up; true when it was signalled.
bool WaitPumping(HANDLE handle, DWORD timeout);
void PumpFor(DWORD milliseconds);
// The top-level window of that process and class (and title), waiting for it
// to appear; null when none came within the time.
HWND WaitForWindow(DWORD processId, const char* className, const char* title = nullptr,
                   DWORD timeout = GAME_START_TIMEOUT);
// The texts of a message box's static controls, joined by line breaks.
std::string BoxText(HWND box);
bool MutexExists();
void ClickBoxButton(HWND box, int id);

class GameProcess {
public:
    // showMode < 0: started as from the shell, without a show mode of its own.
    // arguments: the command line after the program's name; exe: another
    // copy of the program (default: the build's).
    bool Start(int showMode = -1, const std::string& arguments = "", const std::string& exe = "");
    ~GameProcess() { Kill(); }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const { return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    HWND MainWindow() { return WaitForWindow(Id(), GAME_CLASS); }
    // The main window once start-up has shown it.
    HWND ShownWindow();
    // The exit code once it has ended within the time, else -1.
    long WaitExit();
    void Kill();

private:
    PROCESS_INFORMATION m_info{};
};

// Starts the game, waits until it shows its window and presses Escape: the exit
// code, or -2 when no window came up.
long StartAndEscape(int showMode);

// The stand-in editor: a window of the editor's class and title that records
// the notices it receives, there while the object lives.
struct EditorNotice {
    ULONG_PTR kind;
    int value;
    HWND from;
};

class StandInEditor {
public:
    StandInEditor();
    ~StandInEditor();
    bool Exists() const { return m_hWnd != nullptr; }
    // Serves the notices until the count has come in or the time is up.
    static void WaitForNotices(size_t count);
    static std::vector<EditorNotice> notices;

private:
    HWND m_hWnd = nullptr;
};
