#include "app/shell/scene_manager.h"

#include <new>

#include "app/base/checked.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/system/log_box.h"
#include "app/base/main_window_handle.h"
#include "app/system/message_box.h"
#include "app/system/system_ini.h"
#include "app/system/timing.h"
#include "files/stage_file.h"
#include "gfx/bitmap_copy.h"
#include "gfx/blit.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/recovery.h"
#include "gfx/surface_tables.h"

cSceneManager SceneManager;

namespace {

constexpr int FPS_RING_SIZE = 16;
// The frame-time display's ring: written and read by the thread that runs the
// frame (the game thread, or a sub-loop while the game thread waits for it).
struct FrameTimes {
    unsigned FpsRing[FPS_RING_SIZE] = {};
    int nFpsRingPos = 0;
    unsigned nFpsAverage = 0;
};
FrameTimes frameTimes;

// Work time of one frame into the ring; every 16 frames the average of the
// ring is taken anew.
void RecordWorkTime(unsigned work)
{
    frameTimes.FpsRing[frameTimes.nFpsRingPos++] = work;
    if (frameTimes.nFpsRingPos < FPS_RING_SIZE) return;
    frameTimes.nFpsRingPos = 0;
    unsigned sum = 0;
    for (unsigned entry : frameTimes.FpsRing) sum += entry;
    frameTimes.nFpsAverage = sum >> 4;
}

void DrawFps(int fps)
{
    if (SystemIni.ShowFps == 2)
        SurfaceTables.Fonts[0].DrawTextF(&Display.BackBuffer, 549, 469, "FPS%2d(%2d)", fps, frameTimes.nFpsAverage);
    else
        SurfaceTables.Fonts[1].DrawTextWindowF(&Display.BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", fps, frameTimes.nFpsAverage);
}

bool IsBlankSurface(const DDSURFACEDATA& record)
{
    return record.szFileName[0] == '\0' || (record.szFileName[0] == 'E' && record.szFileName[1] == '\0');
}

bool SurfaceLost(const DDSURFACEDATA& record)
{
    return record.lpDD && record.lpDD->lpSurface &&
           DisplayLossQuery.lpSurfaceState(record.lpDD->lpSurface) == DDERR_SURFACELOST;
}

template <class Container>
bool RestoreAll(Container& surfaces)
{
    for (DDSURFACEDATA& record : surfaces)
        if (!cSceneManager::RestoreOneSurface(&record)) return false;
    return true;
}

void DeleteScene(cSceneManager& manager, int id)
{
    manager.m_lpScenes[id].reset();
    // The pointer is read as "the stage screen exists": it goes with the screen.
    if (id == SCENE_STAGE && SceneLinks.lpStageMade) SceneLinks.lpStageMade(nullptr);
}

// A stage that runs faster than the display's refresh must not wait for it.
bool FastStagePlays()
{
    return SceneLinks.lpStageExists && SceneLinks.lpStageExists() && StageData.m_nFrameRate > 60;
}

} // namespace

unsigned FpsAverage()
{
    return frameTimes.nFpsAverage;
}

void ResetFpsRing()
{
    frameTimes = {};
}

void WaitNextFrame()
{
    // Direct3D paces inside the present. Without any display the frames are
    // paced here too, so that the game thread never spins.
    if (Display.lpDTCon) return;
    while (!CheckFrameTime(static_cast<unsigned>(SceneManager.FrameRate))) Sleep(1);
}

cScene* cSceneManager::GetScene(int id) const
{
    return id >= 0 && id < SCENE_COUNT ? m_lpScenes[id].get() : nullptr;
}

void cSceneManager::DeleteAllScenes()
{
    static const int order[] = {SCENE_TITLE,     SCENE_WORLDMAP, SCENE_WORLDMAP_MENU,
                                SCENE_CHALLENGE, SCENE_OPTION,   SCENE_STAGE};
    for (int id : order) DeleteScene(*this, id);
}

void cSceneManager::PrepareScene(int id)
{
    static const int order[] = {SCENE_TITLE, SCENE_WORLDMAP_MENU, SCENE_WORLDMAP,
                                SCENE_CHALLENGE, SCENE_STAGE, SCENE_OPTION};
    for (int other : order)
        if (other != id) DeleteScene(*this, other);
    if (id < 0 || id >= SCENE_COUNT || m_lpScenes[id]) return;
    try {
        if (SceneLinks.lpCreate) m_lpScenes[id] = SceneLinks.lpCreate(id);
    } catch (const std::bad_alloc&) {
        OutOfMemoryExit();
        return;
    }
    if (id == SCENE_STAGE && SceneLinks.lpStageMade) SceneLinks.lpStageMade(m_lpScenes[id].get());
}

int cSceneManager::Frame()
{
    WaitNextFrame();
    StartStopwatch();
    if (!Display.lpDTCon && Display.lpDDCon && !RestoreSurfaces()) return 0;
    UpdateInput(Inputs);
    try {
        PrepareScene(m_nCurrentScene);
    } catch (const char* text) {
        TraceLogFatal(hMainWnd, "%s", text);
    }
    if (cScene* scene = GetScene(m_nCurrentScene)) scene->Run();
    const int fps = CountFps(1);
    const unsigned work = ReadStopwatch(1);
    if (SceneLinks.lpStageFps) SceneLinks.lpStageFps(fps);
    if (SystemIni.ShowFps) {
        RecordWorkTime(work);
        DrawFps(fps);
    }
    Present();
    return 1;
}

void cSceneManager::Present()
{
    if (Display.lpDTCon) {
        // A lost device is restored by the window thread before this thread goes on.
        if (!DDPresent(static_cast<unsigned>(FrameRate))) SendMessageA(hMainWnd, WM_GAME_RESTORE, 0, 0);
        return;
    }
    if (!Display.lpDDCon || !Display.PrimarySD.lpDD || !Display.BackBuffer.lpDD) return;
    IDirectDrawSurface7* primary = Display.PrimarySD.lpDD->lpSurface;
    if (!primary) return;
    if (Display.bWindowMode) {
        if (!FastStagePlays()) Display.lpDirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
        RECT client = Display.rcClient.Load();
        primary->Blt(&client, Display.BackBuffer.lpDD->lpSurface, nullptr, DDBLT_WAIT, nullptr);
    } else if (SceneManager.bBltPresent || FastStagePlays()) {
        DDBlt(&Display.PrimarySD, 0, 0, 640, 480, &Display.BackBuffer, 0, 0, 0);
    } else {
        primary->Flip(nullptr, DDFLIP_WAIT);
    }
}

bool cSceneManager::RestoreOneSurface(DDSURFACEDATA* record)
{
    if (!SurfaceLost(*record)) return true;
    record->lpDD->lpSurface->Restore();
    record->bLost = 1;
    if (IsBlankSurface(*record)) return true;
    return DDReloadBitmap(record, Display.nBpp);
}

int cSceneManager::RestoreSurfaces()
{
    if (Display.lpDTCon || !Display.lpDDCon) return 1;
    if (!SurfaceLost(Display.PrimarySD)) return 1;
    DDRestore();
    if (!RestoreAll(SurfaceTables.CharaExcSurfaces) || !RestoreAll(SurfaceTables.EffectSurfaces) || !RestoreAll(SurfaceTables.SwordSurfaces) ||
        !RestoreAll(SurfaceTables.PictureSurfaces) || !RestoreAll(SurfaceTables.Off_Scene) || !RestoreAll(SurfaceTables.Off_Msg))
        return 0;
    for (int i = 0; i < FONT_COUNT; ++i) {
        if (!SurfaceLost(SurfaceTables.SpareSurface[i])) continue;
        SurfaceTables.SpareSurface[i].lpDD->lpSurface->Restore();
        MakeNumberSurface(&SurfaceTables.SpareSurface[i], &SurfaceTables.Fonts[i]);
    }
    if (!SurfaceTables.Off_Msg.empty())
        TraceLogF("if ( !RestoreSurface(Off_Msg) ) Off_Msg[0].bLost = %d", CheckedListAt(SurfaceTables.Off_Msg, 0).bLost);
    return 1;
}

void cSceneManager::UpdateInput(std::vector<cInput>& inputs)
{
    cInput& player = CheckedAt(inputs, 0);
    if (KeyConfig.bInUse)
        player.PollConfigured(1, 60);
    else
        player.Poll(0, 3, 60);
}
