#include "scenes/menu_screen.h"

#include <windows.h>

#include "app/checked.h"
#include "app/game_messages.h"
#include "app/input.h"
#include "app/main_window_handle.h"
#include "app/scene_manager.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "scenes/menu_cursor.h"

namespace {

constexpr int kEmptyColour = 16;
constexpr int kConfirmAndCancel = 3;

} // namespace

cInput& PrepareMenuInput()
{
    cInput& input = CheckedAt(Inputs, 0);
    input.ApplyRepeat();
    input.Trigger(kConfirmAndCancel);
    return input;
}

void RequestMenuBgm(int slot)
{
    const int tune = CheckedAt(SystemData.m_MenuBgm, slot);
    if (tune != 0 && tune == SceneManager.nLastMenuBgm) return;
    SceneManager.nLastMenuBgm = tune;
    SendMessageA(hMainWnd, WM_GAME_BGM, static_cast<WPARAM>(slot), 0);
}

bool MenuFadeIn()
{
    return DDFadeIn(ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Palette, false);
}

bool MenuFadeOut()
{
    return DDFadeOut(ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Palette, false);
}

void FinishMenuFadeOut(int ownId)
{
    DDFillPal(&BackBuffer, kEmptyColour);
    MenuCursor.Reset();
    SceneManager.m_nPreviousScene = ownId;
    SceneManager.m_nCurrentScene = SceneManager.m_nNextScene;
}

bool IsPaletteDisplay()
{
    return !bDirect3D && nBpp == 8;
}

void ReleaseScreenSurfaces()
{
    DDReleaseSurfaceVector(Off_Scene);
    Off_Scene.clear();
    Off_SceneParam.clear();
}

DDSURFACEDATA* NewScreenSurface(int width, int height, int colorKey)
{
    ReleaseScreenSurfaces();
    if (!DDAddSurface(Off_Scene, Off_SceneParam, width, height, colorKey, 0, DTMEMORYTYPE_VIDEO_RT, 0))
        return nullptr;
    return &Off_Scene.back();
}
