// The two sub-loops that hold the game still while the screen goes on: the
// pause loop of the waits (messages, game waits, effects, pictures, the
// extra-life display) and the ranking board after a ranked clear. Each runs
// on its own thread with its own message queue, pacing, input and present,
// while the game thread that started it waits; they redraw the play screen
// frozen and run no game logic.
#include "scenes/sub_loops.h"

#include <windows.h>

#include <vector>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"
#include "app/system/thread.h"
#include "app/system/timing.h"
#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "gfx/surface_tables.h"
#include "stage/draw/ranking_draw.h"
#include "stage/scene/replay_keys.h"
#include "stage/scene/stage_host.h"
#include "stage/scene/stage_scene.h"

namespace {

// After the window was closed, the pause loop ends by itself this long
// after it first saw the quit flag, should WM_QUIT not reach it.
constexpr DWORD QUIT_GRACE_MS = 2000;
constexpr int BOARD_X = 184;
constexpr int BOARD_Y = 64;
constexpr int BUTTON_CONFIRM = 1;
constexpr int BUTTON_GENRE = 8;

unsigned __stdcall PauseLoopThread(void* scene)
{
    return static_cast<unsigned>(cStageScene::PauseLoop(static_cast<cStageScene*>(scene)));
}

unsigned __stdcall RankingLoopThread(void* scene)
{
    return static_cast<unsigned>(cStageScene::RankingLoop(static_cast<cStageScene*>(scene)));
}

// Takes one message of this thread's queue: 1 when there was one, with
// quit set for WM_QUIT; every other message is dropped (the start message
// among them).
int TakeMessage(bool& quit)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return 0;
    quit = msg.message == WM_QUIT;
    return 1;
}

// The frame's pacing and, under DirectDraw, its lost surfaces.
void BeginFrame()
{
    WaitNextFrame();
    if (!SceneManager.RestoreSurfaces()) PostCloseToMainWindow();
}

void DrawFrozenPlayScreen(cStageScene& scene)
{
    scene.DrawPlayScreen(1, 1, 0, 1);
}

void DrawBoard(const cStageScene& scene, int mode)
{
    RANKINGVIEW view;
    FillRankingView(view, mode);
    const int genre = GameProgress.m_nRankingGenre;
    const int highlight =
        genre >= 0 && static_cast<size_t>(genre) < scene.m_RankPos.size() ? scene.m_RankPos[genre] : -1;
    RankingSet.Draw(view, &Display.BackBuffer, BOARD_X, BOARD_Y, genre, highlight);
}

// Starts a sub-loop on thread, posts its start message when asked and waits
// for its end. The posting gives up once the thread has ended, so a loop
// that returned at once (the window closed before it began) never holds the
// game thread.
void RunSubLoop(cThread& thread, cThread::PROC proc, int handshake)
{
    if (!thread.Start(proc, lpStageScene)) {
        ReportLog("%s", "err a sub-loop thread could not be started; the wait is skipped");
        return;
    }
    if (handshake) thread.PostStartMessage(true);
    thread.Wait();
}

} // namespace

int cStageScene::PauseLoop(cStageScene* scene)
{
    if (!scene || scene->m_bQuit) return 0;
    // A copy of the inputs of its own: the game's histories are untouched.
    std::vector<cInput> inputs = Inputs;
    if (inputs.empty()) inputs.resize(1);
    cInput& player = inputs[0];
    player.ClearHistory();
    player.ResetRunLengths();
    player.ClearDirection();
    player.ClearButtons();
    // A confirm button already down as the wait starts (the press that
    // ended the last wait) must be let go before it counts.
    SceneManager.UpdateInput(inputs);
    int confirmBefore = player.m_wButtons & BUTTON_CONFIRM;
    player.ClearButtons();
    player.ClearDirection();

    bool quitSeen = false;
    DWORD quitSince = 0;
    for (;;) {
        bool quit = false;
        if (TakeMessage(quit)) {
            if (quit) break;
            continue;
        }
        if (!MainWindow.bAppActive) {
            Sleep(1);
            continue;
        }
        if (scene->m_bQuit) {
            const DWORD now = lpTimeSource();
            if (!quitSeen) {
                quitSeen = true;
                quitSince = now;
            }
            if (now - quitSince >= QUIT_GRACE_MS) PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
            Sleep(1);
            continue;
        }
        BeginFrame();
        SceneManager.UpdateInput(inputs);
        player.RecordHistory();
        const int confirmNow = player.m_wButtons & BUTTON_CONFIRM;
        player.Trigger(0);
        if (CheckReplayKeys(scene->m_Modes)) {
            confirmBefore = confirmNow;
            continue;
        }
        if (scene->StepWait(confirmNow, confirmBefore)) break;
        confirmBefore = confirmNow;
        DrawFrozenPlayScreen(*scene);
        SceneManager.Present();
    }
    return 1;
}

int cStageScene::RankingLoop(cStageScene* scene)
{
    const int mode = scene->m_Modes.nPlayMode;
    GameProgress.StepRankingGenre(mode, 0);
    cInput& player = CheckedAt(Inputs, 0);
    // A button held as the board opens (the confirm that entered the
    // ranking) must be let go before it counts.
    player.m_bTriggerLatch = 1;
    for (;;) {
        bool quit = false;
        if (TakeMessage(quit)) {
            if (quit) return 1;
            continue;
        }
        if (!MainWindow.bAppActive) {
            Sleep(1);
            continue;
        }
        BeginFrame();
        SceneManager.UpdateInput(Inputs);
        player.Trigger(0);
        player.ApplyRepeat();
        if (player.m_wButtons & BUTTON_CONFIRM) break;
        if ((player.m_wButtons & BUTTON_GENRE) && SystemData.CountModeGenres(mode) > 1) {
            StageHost().PlaySE(6);
            GameProgress.StepRankingGenre(mode, 1);
        }
        if (scene) {
            DrawFrozenPlayScreen(*scene);
            DrawBoard(*scene, mode);
        }
        SceneManager.Present();
    }
    StageHost().PlaySE(1);
    return 1;
}

void StartPauseLoop(int handshake)
{
    RunSubLoop(Threads.thPause, PauseLoopThread, handshake);
}

void StartRankingLoop()
{
    RunSubLoop(Threads.thRanking, RankingLoopThread, 1);
}
