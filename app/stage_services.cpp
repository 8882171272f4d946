// What the running stage asks of the window thread, as the game serves it.
#include "stage/stage_services.h"

#include <windows.h>

#include "app/base/main_window_handle.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/system/message_box.h"
#include "app/system/sound.h"
#include "files/game_progress.h"
#include "gfx/render_state.h"
#include "scenes/sub_loops.h"
#include "stage/key_input.h"
#include "stage/play_screen_draw.h"
#include "stage/stage_boxes.h"

namespace {

// The loop switch travels in the progress, where the window thread reads it
// when it starts the tune.
void RequestStageBgm(int n, int loop)
{
    GameProgress.m_bBgmLoop = loop;
    SendMessageA(hMainWnd, WM_GAME_BGM, 4, static_cast<LPARAM>(n));
}

const cInputRuns* PlayerInput(int input)
{
    return input >= 0 && input < static_cast<int>(Inputs.size()) ? &Inputs[input] : nullptr;
}

void ShowStageBox(const char* text) { ErrorBox(text); }

// Handed to the running stage before WinMain runs.
[[maybe_unused]] const bool bInstalled =
    (StageServices = {PlaySE, PlayUserSE, RequestStageBgm, StartPauseLoop, DDResetVertexColor, &GfxPainter},
     lpShellKeyInput = PlayerInput, lpStageBoxShow = ShowStageBox, true);

} // namespace
