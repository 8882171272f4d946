// The main window procedure on the window thread (the test's own thread) with
// a real game thread sending the requests: every request's round trip with its
// flags, the shut-down in its order, the placement record.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/shell/data_services.h"
#include "app/system/game_messages.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/system/resource_ids.h"
#include "app/shell/scene_manager.h"
#include "app/system/sound.h"
#include "app/system/system_ini.h"
#include "app/system/thread.h"
#include "app/shell/window_data.h"
#include "app/shell/window_requests.h"
#include "gfx/display.h"
#include "stage/scene/stage_scene.h"
#include "tests/app/dialog_driver.h"
#include "tests/support/test_dir.h"

namespace {

const char TEST_CLASS[] = "GameMainWindowTest";

// WM_CLOSE is counted instead of served unless a test lets it through.
int nClosesPosted = 0;
bool bServeClose = false;

LRESULT CALLBACK TestProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && !bServeClose) {
        ++nClosesPosted;
        return 0;
    }
    return MainWindow.WndProc(hWnd, message, wParam, lParam);
}

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// What the fakes of the data services saw and answer.
struct SERVICECALLS {
    std::vector<std::string> Paths;
    std::vector<int> Values;
    int nAnswer = 0;
    std::string Name = "old";
};
SERVICECALLS Calls;

int FakeStart(const char* path, int directPlay)
{
    Calls.Paths.push_back(path);
    Calls.Values.push_back(directPlay);
    return Calls.nAnswer;
}
int FakeLoadReplay(const char* path)
{
    Calls.Paths.push_back(path);
    return Calls.nAnswer;
}
int AskGivesName(HWND, char* path)
{
    std::strcpy(path, "user_data\\rpl4\\s_00.rpl4_708");
    return 1;
}
int AskCancelled(HWND, char*)
{
    return 0;
}
int FakeSaveReplay(const char* path, int previous)
{
    Calls.Paths.push_back(path);
    Calls.Values.push_back(previous);
    return Calls.nAnswer;
}
int SaveThrows(const char*, int)
{
    throw std::runtime_error("broken save");
}
std::string* OptionsName()
{
    return &Calls.Name;
}
void FakeMenuTune(int slot, int* tune, int* loop)
{
    Calls.Values.push_back(slot);
    *tune = 0;
    *loop = 0;
}
int FakeStageTune(int tune)
{
    Calls.Values.push_back(100 + tune);
    return 1;
}

// A worker thread that only waits for its WM_QUIT.
unsigned __stdcall WaitForQuit(void*)
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {}
    return 7;
}

// The game's main window at (100, 100), hidden, its dialogs taking their
// templates from Game.exe.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        TraceLogInit(1, "trace.txt");
        RecordContext.nDataVersion = DATA_VERSION;  // as start-up sets it
        m_hWnd = CreateGameMainWindow(TEST_CLASS, TestProc);
        ASSERT_NE(m_hWnd, nullptr);
        m_saved = DataServices;
        Calls = SERVICECALLS{};
        nClosesPosted = 0;
        bServeClose = false;
    }
    void TearDown() override
    {
        Threads.thGame.Exit();
        Threads.thPause.Exit();
        if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
        hMainWnd = nullptr;
        DataServices = m_saved;
        TraceLogInit(0, "");
    }
    // Serves the window's messages until done() holds; false after a minute.
    static bool PumpUntil(const std::function<bool()>& done)
    {
        for (DWORD start = GetTickCount(); !done();) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (GetTickCount() - start > 60000) return false;
            Sleep(1);
        }
        return true;
    }
    // Sends the request from thGame as the screens do: the done flag
    // cleared, sent, polled with 1 ms sleeps. Returns once the game thread has
    // ended (false if it did not within a minute).
    bool SendFromGameThread(UINT message, WPARAM wParam, LPARAM lParam, std::atomic<int>* done)
    {
        m_request = {message, wParam, lParam, done};
        if (!Threads.thGame.Start(SendRequest, &m_request)) return false;
        const bool ended = PumpUntil([] { return WaitForSingleObject(Threads.thGame.m_hThread, 0) != WAIT_TIMEOUT; });
        if (ended) Threads.thGame.Wait();
        return ended;
    }
    // Serves what is waiting in the queue now.
    static void PumpPending()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    std::string Trace() const { return ReadFileText("trace.txt"); }

    struct REQUEST {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
        std::atomic<int>* lpDone;
    };
    static unsigned __stdcall SendRequest(void* p)
    {
        const REQUEST& request = *static_cast<REQUEST*>(p);
        if (request.lpDone) *request.lpDone = 0;
        SendMessageA(hMainWnd, request.nMessage, request.wParam, request.lParam);
        while (request.lpDone && !*request.lpDone) Sleep(1);
        return 0;
    }

    ScopedTestDir m_dir;
    HWND m_hWnd = nullptr;
    DATASERVICES m_saved{};
    REQUEST m_request{};
};

// The client rectangle is 640 x 480 and the window at (100, 100): the
// placement as the record stores it.
const char NEVER_MOVED_WINDOW_DAT[] = "c4020000 05000000 64000000 64000000 80020000 e0010000 00000000 00000000";

} // namespace

TEST_F(MainWindowTest, SaveReplayRoundTrips)
{
    DataServices.lpSaveReplayFile = FakeSaveReplay;
    struct ROW {
        int (*lpAsk)(HWND, char*);
        int nSaved;
        WPARAM wWhich;
        int nLoaded;
        int nSaves;
    };
    const ROW rows[] = {
        {AskCancelled, 1, 0, 0, 0},
        {AskGivesName, 1, 0, 1, 1},
        {AskGivesName, 1, 3, 1, 1},
        // A replay that cannot be written is reported as not saved, and the game goes on.
        {AskGivesName, 0, 0, 0, 1},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.wWhich * 10 + row.nSaved);
        Calls = SERVICECALLS{};
        Calls.nAnswer = row.nSaved;
        DataServices.lpAskReplayFileName = row.lpAsk;
        WindowReplies.bDialogLoaded = -1;
        ASSERT_TRUE(SendFromGameThread(WM_GAME_SAVEREPLAY, row.wWhich, 0, &WindowReplies.bDialogDone));
        EXPECT_EQ(WindowReplies.bDialogDone.load(), 1);
        EXPECT_EQ(WindowReplies.bDialogLoaded.load(), row.nLoaded);
        ASSERT_EQ(static_cast<int>(Calls.Paths.size()), row.nSaves);
        if (row.nSaves) {
            EXPECT_EQ(Calls.Paths[0], "user_data\\rpl4\\s_00.rpl4_708");
            EXPECT_EQ(Calls.Values[0], row.wWhich ? 1 : 0);
        }
    }
    EXPECT_EQ(nClosesPosted, 0);
    EXPECT_TRUE(IsWindow(m_hWnd));
}

TEST_F(MainWindowTest, OpenDialogRequestsRoundTrip)
{
    CreateDirectoryA("data", nullptr);
    CreateDirectoryA("data\\stg4", nullptr);
    CreateDirectoryA("user_data", nullptr);
    CreateDirectoryA("user_data\\rpl4", nullptr);
    WriteFileText("data\\stg4\\a.stg4_708", "x");
    WriteFileText("user_data\\rpl4\\b.rpl4_708", "x");
    DataServices.lpStartStageFile = FakeStart;
    DataServices.lpLoadReplayFile = FakeLoadReplay;
    struct ROW {
        UINT nMessage;
        const char* lpChosen;  // null: the dialog is cancelled
        int nAnswer;
        int nLoaded, nRefused;
    };
    const ROW rows[] = {
        {WM_GAME_LOADSTAGE, nullptr, 1, 0, 0},
        {WM_GAME_LOADSTAGE, "a.stg4_708", 1, 1, 0},
        // A stage or replay that cannot be loaded is refused: nothing loaded,
        // and the game goes on.
        {WM_GAME_LOADSTAGE, "a.stg4_708", 0, 0, 1},
        {WM_GAME_LOADREPLAY, nullptr, 1, 0, 0},
        {WM_GAME_LOADREPLAY, "b.rpl4_708", 1, 1, 0},
        {WM_GAME_LOADREPLAY, "b.rpl4_708", 0, 0, 1},
    };
    const DWORD windowThread = GetCurrentThreadId();
    for (const ROW& row : rows) {
        SCOPED_TRACE(std::to_string(row.nMessage) + (row.lpChosen ? row.lpChosen : " cancelled") +
                     std::to_string(row.nAnswer));
        Calls = SERVICECALLS{};
        Calls.nAnswer = row.nAnswer;
        nClosesPosted = 0;
        WindowReplies.bDialogLoaded = -1;
        WindowReplies.bDialogRefused = -1;
        DialogWorker worker(windowThread, [&](HWND dialog) {
            if (!row.lpChosen) {
                ClickButton(dialog, IDCANCEL);
                return;
            }
            HWND box = GetDlgItem(dialog, cmb13);
            if (!box) box = GetDlgItem(dialog, edt1);
            SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.lpChosen));
            ClickButton(dialog, IDOK);
        });
        ASSERT_TRUE(SendFromGameThread(row.nMessage, 0, 0, &WindowReplies.bDialogDone));
        EXPECT_TRUE(worker.Found());
        EXPECT_EQ(WindowReplies.bDialogDone.load(), 1);
        EXPECT_EQ(WindowReplies.bDialogLoaded.load(), row.nLoaded);
        ASSERT_EQ(Calls.Paths.size(), row.lpChosen ? 1u : 0u);
        if (row.lpChosen) {
            std::string path = Calls.Paths[0];
            CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
            EXPECT_TRUE(Has(path, row.lpChosen)) << path;
            if (row.nMessage == WM_GAME_LOADSTAGE) {
                EXPECT_EQ(Calls.Values[0], 0);  // not a direct play
            }
        }
        EXPECT_EQ(WindowReplies.bDialogRefused.load(), row.nRefused);
        EXPECT_EQ(nClosesPosted, 0);
    }
}

TEST_F(MainWindowTest, NameEntryRunsWithEveryWorkerThreadSuspendedAndEditsTheRightName)
{
    DataServices.lpOptionsRankingName = OptionsName;
    cStageScene stage;
    stage.m_sRankName = "aaa";
    lpStageScene = &stage;
    struct ROW {
        int nGameKind;
        const char* lpTyped;
        const char* lpStageName;
        const char* lpOptionsName;
    };
    const ROW rows[] = {
        {5, "opt", "aaa", "opt"},  // the options screen asked
        {0, "stg", "stg", "opt"},  // a finished stage asked
    };
    Calls.Name = "old";
    const DWORD windowThread = GetCurrentThreadId();
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.nGameKind);
        SceneManager.nGameKind = row.nGameKind;
        DWORD suspendCount = 0;
        DialogWorker worker(windowThread, [&](HWND dialog) {
            // The sender itself is suspended while the dialog is open.
            suspendCount = SuspendThread(Threads.thGame.m_hThread);
            ResumeThread(Threads.thGame.m_hThread);
            SendMessageA(GetDlgItem(dialog, IDC_NAME_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.lpTyped));
            ClickButton(dialog, IDC_CONFIRM);
        });
        ASSERT_TRUE(SendFromGameThread(WM_GAME_NAMEENTRY, 0, 0, &WindowReplies.bNameEntryDone));
        EXPECT_TRUE(worker.Found());
        EXPECT_EQ(suspendCount, 1u);
        EXPECT_EQ(WindowReplies.bNameEntryDone.load(), 1);
        EXPECT_EQ(stage.m_sRankName, row.lpStageName);
        EXPECT_EQ(Calls.Name, row.lpOptionsName);
    }
    lpStageScene = nullptr;
    SceneManager.nGameKind = 0;
}

TEST_F(MainWindowTest, SoundMusicAndRestoreRequestsAreServedOnTheWindowThread)
{
    DataServices.lpMenuTune = FakeMenuTune;
    DataServices.lpSetStageTune = FakeStageTune;
    // A game without a music list: the tunes name no file.
    DataServices.lpTuneNames = []() -> const std::vector<std::string>& {
        static const std::vector<std::string> none;
        return none;
    };
    SoundEffects.SoundList.resize(3);
    struct ROW {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<int> Calls;  // menu slots asked, 100 + stage tunes stored
        int nCloses;
    };
    const ROW rows[] = {
        {WM_GAME_PLAYSE, 2, 0, {}, 0},
        // Not a sound: reported, and the program ends.
        {WM_GAME_PLAYSE, 7, 0, {}, 1},
        {WM_GAME_PLAYSE, static_cast<WPARAM>(-1), 0, {}, 1},
        {WM_GAME_BGM, 0, 0, {0}, 0},
        {WM_GAME_BGM, 3, 0, {3}, 0},
        {WM_GAME_BGM, 4, 9, {109}, 0},
        {WM_GAME_BGM, 5, 9, {}, 0},
        {WM_GAME_RESTORE, 0, 0, {}, 0},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(std::to_string(row.nMessage) + " " + std::to_string(static_cast<int>(row.wParam)));
        Calls = SERVICECALLS{};
        nClosesPosted = 0;
        ASSERT_TRUE(SendFromGameThread(row.nMessage, row.wParam, row.lParam, nullptr));
        EXPECT_EQ(Calls.Values, row.Calls);
        PumpPending();
        EXPECT_EQ(nClosesPosted, row.nCloses);
    }
    const std::string report = ReadFileText("Report_Game.txt");
    EXPECT_TRUE(Has(report, "err V[7] ( 3 , ")) << report;
    EXPECT_TRUE(Has(report, "err V[-1] ( 3 , ")) << report;
    SoundEffects.SoundList.clear();
}

TEST_F(MainWindowTest, CloseSavesThePlacementEndsTheThreadsInOrderAndDestroysTheWindow)
{
    CreateDirectoryA("user_data", nullptr);
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    ASSERT_EQ(window.left, 100);
    ASSERT_EQ(window.top, 100);
    SystemIni.WindowMode = 1;
    MainWindow.bInitialized = 1;
    bServeClose = true;
    ASSERT_EQ(Threads.thGame.Start(WaitForQuit, nullptr), 1);
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(m_hWnd); }));
    EXPECT_EQ(Threads.thGame.m_hThread, nullptr);
    EXPECT_EQ(hMainWnd, nullptr);
    EXPECT_EQ(ReadFileBytes("user_data\\Window.dat"), HexBytes(NEVER_MOVED_WINDOW_DAT));
    const std::string trace = Trace();
    const size_t closed = trace.find("WM_CLOSE 成功！"), paused = trace.find("thPause.Exit()"),
                 game = trace.find("thGame.Exit()"), destroyed = trace.find("WM_DESTROY");
    ASSERT_NE(destroyed, std::string::npos) << trace;
    EXPECT_LT(closed, paused);
    EXPECT_LT(paused, game);
    EXPECT_LT(game, destroyed);
    MainWindow.bInitialized = 0;
    SystemIni.WindowMode = 0;
}

namespace {

// A presenting thread's view of the client rectangle while the window moves.
struct PRESENTSEEN {
    RECT Places[2];
    std::atomic<int> bDone{0};
    std::atomic<int> nReads{0};
    std::atomic<int> nElsewhere{0};
};

unsigned __stdcall PresentWhileMoving(void* p)
{
    PRESENTSEEN& seen = *static_cast<PRESENTSEEN*>(p);
    while (!seen.bDone) {
        const RECT r = Display.rcClient.Load();
        if (!EqualRect(&r, &seen.Places[0]) && !EqualRect(&r, &seen.Places[1])) ++seen.nElsewhere;
        ++seen.nReads;
    }
    return 0;
}

} // namespace

TEST_F(MainWindowTest, AFramePresentedWhileTheWindowMovesGoesToTheOldPlaceOrTheNew)
{
    // The two places, worked out from the window's own rectangles.
    PRESENTSEEN seen;
    const POINT at[2] = {{100, 100}, {260, 180}};
    for (int i = 0; i < 2; ++i) {
        SetWindowPos(m_hWnd, nullptr, at[i].x, at[i].y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        GetClientRect(m_hWnd, &client);
        MapWindowPoints(m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
        seen.Places[i] = client;
        ASSERT_EQ(client.right - client.left, 640);
        ASSERT_GE(client.left, at[i].x);
    }
    RECT now = Display.rcClient.Load();
    ASSERT_TRUE(EqualRect(&now, &seen.Places[1]));
    ASSERT_EQ(Threads.thGame.Start(PresentWhileMoving, &seen), 1);
    for (int i = 0; i < 2000 || seen.nReads < 1000; ++i) {
        const POINT& to = at[i % 2];
        SetWindowPos(m_hWnd, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (i > 100000) break;
    }
    seen.bDone = 1;
    Threads.thGame.Wait();
    EXPECT_GT(seen.nReads, 0);
    EXPECT_EQ(seen.nElsewhere, 0);
}

TEST_F(MainWindowTest, PlacementIsKeptOnlyInWindowModeAndNotWhenMinimised)
{
    CreateDirectoryA("user_data", nullptr);
    const std::vector<unsigned char> previous = HexBytes("c4020000 05000000 01000000");
    struct ROW {
        int nWindowMode;
        bool bMinimised;
        bool bSaved;
    };
    const ROW rows[] = {{1, false, true}, {2, false, true}, {0, false, false}, {1, true, false}};
    MainWindow.bInitialized = 1;
    bServeClose = true;
    for (const ROW& row : rows) {
        SCOPED_TRACE(std::to_string(row.nWindowMode) + (row.bMinimised ? " minimised" : ""));
        ASSERT_TRUE(WriteFileBytes("user_data\\Window.dat", previous));
        SystemIni.WindowMode = row.nWindowMode;
        ShowWindow(m_hWnd, row.bMinimised ? SW_SHOWMINNOACTIVE : SW_HIDE);
        // The pause loop "runs", so the window stays for the next row.
        Threads.thPause.m_hThread = GetCurrentThread();
        Threads.thPause.m_nThreadId = 0;
        SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
        Threads.thPause.m_hThread = nullptr;
        const std::vector<unsigned char> bytes = ReadFileBytes("user_data\\Window.dat");
        EXPECT_EQ(bytes != previous, row.bSaved);
    }
    ShowWindow(m_hWnd, SW_HIDE);
    MainWindow.bInitialized = 0;
    SystemIni.WindowMode = 0;
}

TEST_F(MainWindowTest, CloseWhilePausedOnlyEndsThePauseLoop)
{
    cStageScene stage;
    lpStageScene = &stage;
    bServeClose = true;
    ASSERT_EQ(Threads.thPause.Start(WaitForQuit, nullptr), 1);
    ASSERT_TRUE(Threads.thPause.PostStartMessage(true));
    SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(stage.m_bQuit, 1);
    EXPECT_TRUE(IsWindow(m_hWnd));
    ASSERT_EQ(WaitForSingleObject(Threads.thPause.m_hThread, 60000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(Threads.thPause.m_hThread, &code);
    EXPECT_EQ(code, 7u);  // it ended by its own WM_QUIT
    EXPECT_TRUE(Has(Trace(), "WM_CLOSE thPause.m_hThread"));
    EXPECT_FALSE(Has(Trace(), "WM_CLOSE 成功！"));
    Threads.thPause.Wait();
    // The game thread's second WM_CLOSE then ends the program.
    SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(m_hWnd));
    lpStageScene = nullptr;
}

TEST_F(MainWindowTest, CloseWhileTheGameThreadWaitsInsideARequest)
{
    CreateDirectoryA("user_data", nullptr);
    SystemIni.WindowMode = 1;
    MainWindow.bInitialized = 1;
    bServeClose = true;
    // The close box is used while the save dialog is open.
    DataServices.lpAskReplayFileName = [](HWND owner, char*) {
        SendMessageA(owner, WM_CLOSE, 0, 0);
        return 0;
    };
    m_request = {WM_GAME_SAVEREPLAY, 0, 0, &WindowReplies.bDialogDone};
    ASSERT_TRUE(Threads.thGame.Start(SendRequest, &m_request));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(m_hWnd); }));
    EXPECT_EQ(Threads.thGame.m_hThread, nullptr);
    EXPECT_EQ(WindowReplies.bDialogDone.load(), 1);
    EXPECT_EQ(ReadFileBytes("user_data\\Window.dat"), HexBytes(NEVER_MOVED_WINDOW_DAT));
    MainWindow.bInitialized = 0;
    SystemIni.WindowMode = 0;
}

TEST_F(MainWindowTest, ExceptionInARequestIsReportedReleasesTheSenderAndCloses)
{
    DataServices.lpAskReplayFileName = AskGivesName;
    DataServices.lpSaveReplayFile = SaveThrows;
    WindowReplies.bDialogLoaded = -1;
    ASSERT_TRUE(SendFromGameThread(WM_GAME_SAVEREPLAY, 0, 0, &WindowReplies.bDialogDone));
    EXPECT_EQ(WindowReplies.bDialogDone.load(), 1);
    EXPECT_EQ(WindowReplies.bDialogLoaded.load(), 0);
    PumpPending();
    EXPECT_EQ(nClosesPosted, 1);
    EXPECT_TRUE(Has(ReadFileText("Report_Game.txt"), "broken save"));
}

TEST(WindowData, StoredPlacementIsKeptOnTheDesktop)
{
    ScopedTestDir dir;
    const int fullWidth = GetSystemMetrics(SM_CXFULLSCREEN), fullHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    struct ROW {
        int nX, nY, nWidth, nHeight;
        int nExpectX, nExpectY, nExpectWidth, nExpectHeight;
    };
    const ROW rows[] = {
        {10, 20, 800, 600, 10, 20, 800, 600},
        {-50, -1, 640, 480, 0, 0, 640, 480},
        {fullWidth + 1, fullHeight + 500, 100, 100, fullWidth, fullHeight, 100, 100},
        // Sizes that would hide the window or dwarf the desktop give way to the game's own.
        {0, 0, 99, 0, 0, 0, 640, 480},
        {0, 0, screenWidth + 1, -480, 0, 0, 640, 480},
        {0, 0, screenWidth, screenHeight, 0, 0, screenWidth, screenHeight},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(std::to_string(row.nX) + "," + std::to_string(row.nY) + " " + std::to_string(row.nWidth) +
                     "x" + std::to_string(row.nHeight));
        std::vector<unsigned char> bytes = HexBytes("c4020000 05000000");
        for (int value : {row.nX, row.nY, row.nWidth, row.nHeight, 1, 0})
            for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
        ASSERT_TRUE(WriteFileBytes("Window.dat", bytes));
        cWindowData data;
        ASSERT_EQ(data.LoadFile("Window.dat"), 1);
        EXPECT_EQ(data.m_nX, row.nExpectX);
        EXPECT_EQ(data.m_nY, row.nExpectY);
        EXPECT_EQ(data.m_nWidth, row.nExpectWidth);
        EXPECT_EQ(data.m_nHeight, row.nExpectHeight);
        EXPECT_EQ(data.m_bMaximized, 1);
    }
}
