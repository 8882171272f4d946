#include "app/game_loop.h"

#include <windows.h>

#include "app/base/close_request.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"

unsigned __stdcall GameLoop(void*)
{
    MSG msg;
    for (;;) {
        // The queue is drained before every frame; nothing sent here is
        // dispatched (the start hand-shake's WM_APP included).
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                TraceLog("GameLoop WM_QUIT!");
                return 1;
            }
            continue;
        }
        if (!MainWindow.bAppActive) {
            Sleep(1);
            continue;
        }
        if (!SceneManager.Frame()) {
            PostCloseToMainWindow();
            return 1;
        }
    }
}

bool StartGameThread(cThread::PROC procedure)
{
    if (!Threads.thGame.Start(procedure, nullptr)) {
        ReportLogAndTrace("ゲームスレッドを開始できません！");
        return false;
    }
    if (!Threads.thGame.PostStartMessage(false)) {
        ReportLogAndTrace("ゲームスレッドが開始直後に終了しました！");
        Threads.thGame.Wait();
        return false;
    }
    return true;
}
