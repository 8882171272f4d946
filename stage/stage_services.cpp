#include "stage/stage_services.h"

#ifdef _WIN32
#include <windows.h>

#include "app/game_messages.h"
#include "app/main_window_handle.h"
#include "app/sound.h"
#include "files/game_progress.h"
#include "gfx/render_state.h"
#include "scenes/sub_loops.h"
#include "stage/play_screen_draw.h"

namespace {

// The loop switch travels in the progress, where the window thread reads it
// when it starts the tune.
void RequestStageBgm(int n, int loop)
{
    GameProgress.m_bBgmLoop = loop;
    SendMessageA(hMainWnd, WM_GAME_BGM, 4, static_cast<LPARAM>(n));
}

} // namespace

STAGESERVICES StageServices = {PlaySE, PlayUserSE, RequestStageBgm, StartPauseLoop, DDResetVertexColor, &GfxPainter};
#else
STAGESERVICES StageServices = {};
#endif

void StagePlaySE(int n)
{
    if (StageServices.lpPlaySE) StageServices.lpPlaySE(n);
}

void StagePlayUserSE(int n)
{
    if (StageServices.lpPlayUserSE) StageServices.lpPlayUserSE(n);
}

void StageRequestBgm(int n, int loop)
{
    if (StageServices.lpRequestBgm) StageServices.lpRequestBgm(n, loop);
}

void StageRunPauseLoop(int handshake)
{
    if (StageServices.lpRunPauseLoop) StageServices.lpRunPauseLoop(handshake);
}

void StageResetBlending()
{
    if (StageServices.lpResetBlending) StageServices.lpResetBlending();
}
