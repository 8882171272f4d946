// What the stage's end asks of the program, as the game serves it.
#include "stage/stage_end_services.h"

#include <windows.h>

#include "app/game_init.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/shell/load_stage.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "app/shell/scene_manager.h"
#include "app/shell/window_requests.h"
#include "files/stage_file.h"
#include "scenes/sub_loops.h"

namespace {

int StartKind() { return SceneManager.nGameKind; }
int PlayMode() { return SceneManager.m_nPlayMode; }
int RankingOn() { return SceneManager.m_bRankingOn; }
int DirectPlay() { return bDirectPlay; }
void WaitWhileInactive(const std::atomic<int>* quit)
{
    while (!MainWindow.bAppActive && !*quit) Sleep(1);
}

int FindStageFile(std::string& path, const std::string& name)
{
    return FindNumberedFile(path, name, "stg4");
}

int LoadStageForPlay(const std::string& path)
{
    return LoadStage(path, true, &PlayStageData);
}

// The window thread shows the dialog; the done flag is polled as for the
// file dialogs.
void EnterName()
{
    WindowReplies.bNameEntryDone = 0;
    SendMessageA(hMainWnd, WM_GAME_NAMEENTRY, 0, 0);
    while (!WindowReplies.bNameEntryDone) Sleep(1);
}

int ReplayKeyDown(int which)
{
    return (lpReadKey(which == 0 ? VK_F1 : VK_F2) & 0x8000) != 0;
}

// The window thread asks for the name, writes the file or explains why it
// could not; either way the play goes on.
void SaveReplay(int which)
{
    WindowReplies.bDialogDone = 0;
    SendMessageA(hMainWnd, WM_GAME_SAVEREPLAY, static_cast<WPARAM>(which), 0);
    while (!WindowReplies.bDialogDone) Sleep(1);
}

void ShowError(const char* text)
{
    ErrorBox(text);
}

// Handed to the stage's end before WinMain runs.
[[maybe_unused]] const bool bInstalled = (StageEndServices = {StartKind,     PlayMode,         RankingOn, DirectPlay,
                                     WaitWhileInactive, FindStageFile,    LoadStageForPlay, EnterName,
                                     StartRankingLoop, ReplayKeyDown, SaveReplay,   ShowError}, true);

} // namespace
