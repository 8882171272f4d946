#include "app/shell/window_requests.h"

#include <new>
#include <string>

#include "app/system/bgm.h"
#include "app/base/checked.h"
#include "app/shell/data_services.h"
#include "app/shell/file_dialog.h"
#include "app/system/game_messages.h"
#include "app/shell/main_window.h"
#include "app/system/message_box.h"
#include "app/shell/name_dialog.h"
#include "app/shell/scene_manager.h"
#include "app/system/sound.h"
#include "app/system/system_ini.h"
#include "app/system/thread.h"
#include "gfx/dialog_mode.h"
#include "gfx/recovery.h"

WINDOWREPLIES WindowReplies;

namespace {

constexpr int GAME_KIND_OPTIONS = 5;

void ForEachThread(bool (cThread::*operation)())
{
    for (cThread* thread : {&Threads.thGame, &Threads.thPause, &Threads.thRanking, &Threads.thLoadStage}) (thread->*operation)();
}

void ServeNameEntry()
{
    DDSetDialogBoxMode(1);
    SuspendAllThreads();
    // The options screen edits the registered name; a finished stage its
    // ranking entry's name.
    std::string* name = nullptr;
    if (SceneManager.nGameKind == GAME_KIND_OPTIONS)
        name = DataServices.lpOptionsRankingName();
    else if (SceneLinks.lpStageRankName)
        name = SceneLinks.lpStageRankName();
    try {
        RunNameEntry(MainWindow, name);
    } catch (const std::bad_alloc&) {
        OutOfMemoryExit();
    }
    DDSetDialogBoxMode(0);
    ResumeAllThreads();
    WindowReplies.bNameEntryDone = 1;
}

// The open dialog of a stage or replay request; true with path filled when a
// file was chosen.
bool ChooseFile(HWND hWnd, char (&path)[FILE_DIALOG_PATH_SIZE], const char* folder, const char* englishTitle,
                const char* title, const char* filter)
{
    DDSetDialogBoxMode(1);
    const int chosen = OpenFileDialog(hWnd, path, sizeof path, folder, SystemIni.English ? englishTitle : title,
                                      filter, nullptr, 0, nullptr);
    DDSetDialogBoxMode(0);
    return chosen != 0;
}

// The result of a file request: loaded only when the file was loaded or
// saved. A file that cannot be used is refused (the loader or saver said why)
// and the game goes on as it was, its sender staying where it is.
void FinishFileRequest(int succeeded)
{
    WindowReplies.bDialogLoaded = succeeded ? 1 : 0;
    WindowReplies.bDialogRefused = succeeded ? 0 : 1;
    WindowReplies.bDialogDone = 1;
}

void CancelFileRequest()
{
    WindowReplies.bDialogLoaded = 0;
    WindowReplies.bDialogRefused = 0;
    WindowReplies.bDialogDone = 1;
}

// The patterns list the files by their extensions ("name.stg4_708"), the
// form in which the game and the editor name them.
void ServeLoadStage(HWND hWnd)
{
    char path[FILE_DIALOG_PATH_SIZE] = {};
    if (!ChooseFile(hWnd, path, "data\\stg4\\", "Load stage file", "ステージファイルの読み込み",
                    "StageFile ( *.stg4_*;*.rpl4_* )\0*.stg4_*;*.rpl4_*\0\0"))
        return CancelFileRequest();
    FinishFileRequest(DataServices.lpStartStageFile(path, 0));
}

void ServeLoadReplay(HWND hWnd)
{
    char path[FILE_DIALOG_PATH_SIZE] = {};
    if (!ChooseFile(hWnd, path, "user_data\\rpl4", "Load replay file", "リプレイファイルの読み込み",
                    "ReplayFile ( *.rpl4_* )\0*.rpl4_*\0\0"))
        return CancelFileRequest();
    FinishFileRequest(DataServices.lpLoadReplayFile(path));
}

void ServeSaveReplay(HWND hWnd, WPARAM which)
{
    char path[FILE_DIALOG_PATH_SIZE] = {};
    if (!DataServices.lpAskReplayFileName(hWnd, path)) return CancelFileRequest();
    FinishFileRequest(DataServices.lpSaveReplayFile(path, which != 0 ? 1 : 0));
}

void ServePlaySE(WPARAM wParam)
{
    const int number = static_cast<int>(wParam);
    // A bad number is reported and closes the program; slot 0 still plays.
    if (SoundEffects.SoundList.empty())
        ReportBadIndex('V', number, 0, static_cast<int>(sizeof(DSSOUND)));
    else
        DS_Play(CheckedAt(SoundEffects.SoundList, number), 0);
}

void ServeBgm(WPARAM wParam, LPARAM lParam)
{
    const int entry = static_cast<int>(wParam);
    if (wParam > 4) return;
    int tune = 0, loop = 0;
    if (entry == 4) {
        tune = static_cast<int>(lParam);
        loop = DataServices.lpSetStageTune(tune);
    } else {
        DataServices.lpMenuTune(entry, &tune, &loop);
    }
    ServeBgmRequest(Bgm, entry, tune, loop, DataServices.lpTuneNames());
}

} // namespace

void SuspendAllThreads()
{
    ForEachThread(&cThread::Suspend);
}

void ResumeAllThreads()
{
    ForEachThread(&cThread::Resume);
}

bool ServeGameRequest(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GAME_NAMEENTRY:
        ServeNameEntry();
        return true;
    case WM_GAME_LOADSTAGE:
        ServeLoadStage(hWnd);
        return true;
    case WM_GAME_LOADREPLAY:
        ServeLoadReplay(hWnd);
        return true;
    case WM_GAME_SAVEREPLAY:
        ServeSaveReplay(hWnd, wParam);
        return true;
    case WM_GAME_PLAYSE:
        ServePlaySE(wParam);
        return true;
    case WM_GAME_BGM:
        ServeBgm(wParam, lParam);
        return true;
    case WM_GAME_MUSICSWITCH:
        // The game thread waits in the send, so the request number is safe
        // to clear from here.
        if (ApplyMusicSwitch(Bgm, wParam != 0 ? 1 : 0)) SceneManager.nLastMenuBgm = 0;
        return true;
    case WM_GAME_RESTORE:
        DDRestoreSurface();
        return true;
    default:
        return false;
    }
}

void ReleaseGameRequest(UINT message)
{
    if (message == WM_GAME_NAMEENTRY) {
        ResumeAllThreads();
        WindowReplies.bNameEntryDone = 1;
    } else if (message == WM_GAME_LOADSTAGE || message == WM_GAME_LOADREPLAY || message == WM_GAME_SAVEREPLAY) {
        CancelFileRequest();
    }
}
