#include "scenes/menu_screen.h"

#include <windows.h>

#include <string>

#include "app/base/checked.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/shell/scene_manager.h"
#include "app/system/sound.h"
#include "files/game_progress.h"
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
    return DDFadeIn(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false);
}

bool MenuFadeOut()
{
    return DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false);
}

void FinishMenuFadeOut(int ownId)
{
    DDFillPal(&Display.BackBuffer, kEmptyColour);
    MenuCursor.Reset();
    SceneManager.m_nPreviousScene = ownId;
    SceneManager.m_nCurrentScene = SceneManager.m_nNextScene;
}

bool IsPaletteDisplay()
{
    return !Display.bDirect3D && Display.nBpp == 8;
}

void ReleaseScreenSurfaces()
{
    DDReleaseSurfaceVector(SurfaceTables.Off_Scene);
    SurfaceTables.Off_Scene.clear();
    SurfaceTables.Off_SceneParam.clear();
}

DDSURFACEDATA* NewScreenSurface(int width, int height, int colorKey)
{
    ReleaseScreenSurfaces();
    if (!DDAddSurface(SurfaceTables.Off_Scene, SurfaceTables.Off_SceneParam, width, height, colorKey, 0, DTMEMORYTYPE_VIDEO_RT, 0))
        return nullptr;
    return &SurfaceTables.Off_Scene.back();
}

void DrawMenuTexts(int x, int y, int firstText, int count, int cursor)
{
    if (count <= 0) return;
    const std::string text = MenuWindowText(firstText, count, cursor);
    SurfaceTables.Fonts[1].DrawTextWindow(&Display.BackBuffer, x, y, (MenuTextWidth(firstText, count) + (cursor ? 1 : 0)) * 16, count * 16,
                            text.c_str(), 0);
}

int SaveStoryGame(int slot)
{
    if (slot >= 0 && slot < SAVE_SLOT_COUNT && GameProgress.SaveSlot(slot)) return 1;
    PlaySE(3);
    ReportLog("セーブデータ %d の保存に失敗しました。", slot + 1);
    return 0;
}
