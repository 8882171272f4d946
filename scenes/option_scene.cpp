#include "scenes/option_scene.h"

#include <windows.h>

#include <algorithm>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/main_window_handle.h"
#include "app/shell/palette_animation.h"
#include "app/shell/scene_manager.h"
#include "app/base/sjis.h"
#include "app/system/sound.h"
#include "app/shell/window_requests.h"
#include "files/data_path.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "scenes/menu_cursor.h"
#include "scenes/menu_screen.h"

namespace {

enum { SURFACE_WINDOW = 45, SURFACE_ACCESSORY = 49 };
const int kOptionSurfaces[] = {SURFACE_ACCESSORY, SURFACE_WINDOW};

constexpr int kCursorX = 48, kTop = 96, kRow = 16, kTextX = 64, kValueX = 208, kValueCursorX = 192;
constexpr int kConfirm = 1, kCancel = 2;

} // namespace

cOptionScene::cOptionScene() : m_StateTable{&cOptionScene::FadeIn, &cOptionScene::Menu, &cOptionScene::FadeOut} {}

cOptionScene::~cOptionScene()
{
    for (int index : kOptionSurfaces) DDReleaseSurface(&SurfaceTables.Surface[index]);
    ReleaseScreenSurfaces();
}

void cOptionScene::Run()
{
    PrepareMenuInput();
    StartIfNew(m_nState);
    (this->*m_StateTable[m_nState])();
}

void cOptionScene::Init()
{
    RequestMenuBgm(3);
    if (!DDLoadSurfaces(SurfaceTables.Surface, kOptionSurfaces, 2)) PostCloseToMainWindow();
    MenuCursor.Reset();
    m_nVisibleCount = 0;
    const int items = std::min<int>(OPTION_ITEMS, static_cast<int>(SystemData.m_OptionMenu.size()));
    for (int kind = 0; kind < items; ++kind)
        if (SystemData.m_OptionMenu[kind].m_bVisible) m_VisibleItems[m_nVisibleCount++] = kind;
    if (m_nVisibleCount == 0) {
        m_VisibleItems[0] = ITEM_PALETTE;
        m_nVisibleCount = 1;
    }
    m_lpScreen = NewScreenSurface(640, 480, 0);
    if (!m_lpScreen)
        PostCloseToMainWindow();
    else
        DrawSurface();
    m_nSubState = 0;
}

void cOptionScene::DrawSurface()
{
    if (!m_lpScreen) return;
    DDSURFACEDATA* s = m_lpScreen;
    SurfaceTables.Fonts[2].DrawWindow(s, 1, 1, 638, 478);
    const char* heading = CheckedAt(SystemData.m_TitleMenu, 5).m_strText.c_str();
    SurfaceTables.Fonts[2].DrawTextF(s, 320 - 16 * CountDisplayChars(heading), 32, "%s", heading);
    for (int row = 0; row < m_nVisibleCount; ++row) {
        const int kind = m_VisibleItems[row];
        const int y = kTop + kRow * row;
        SurfaceTables.Fonts[1].DrawText(s, kTextX, y, CheckedAt(SystemData.m_OptionMenu, kind).m_strText.c_str(), 0);
        switch (kind) {
        case ITEM_PALETTE:
            SurfaceTables.Fonts[1].DrawTextF(s, kValueX, y, "%d", Options.m_nPalette);
            break;
        case ITEM_MUSIC:
            SurfaceTables.Fonts[1].DrawText(s, kValueX, y, Options.m_bBgm ? "ON" : "OFF", 0);
            break;
        case ITEM_VOLUME:
            SurfaceTables.Fonts[1].DrawTextF(s, kValueX, y, "%d", Options.m_nVolume);
            break;
        case ITEM_RANKING_MODE:
            SurfaceTables.Fonts[1].DrawText(s, kValueX, y,
                              CheckedAt(SystemData.m_RankingModeNames, Options.m_nRankingMode).c_str(), 0);
            break;
        case ITEM_NAME:
            SurfaceTables.Fonts[1].DrawText(s, kValueX, y, Options.m_sRankingName.c_str(), 0);
            break;
        default:
            break;
        }
    }
}

void cOptionScene::DrawScreen()
{
    if (m_lpScreen) {
        if (m_lpScreen->bLost) {
            DrawSurface();
            m_lpScreen->bLost = 0;
        }
        DDBlt(&Display.BackBuffer, 0, 0, 640, 480, m_lpScreen, 0, 0, 0);
    }
    CyclePalette();
}

void cOptionScene::FadeIn()
{
    if (IsPaletteDisplay()) DrawSurface();
    DrawScreen();
    if (MenuFadeIn()) m_nState = STATE_MENU;
}

void cOptionScene::FadeOut()
{
    if (!MenuFadeOut()) return;
    ApplyTitleBgm();
    // A failed write has been reported; the options stay in force this run.
    SaveOptions(Options, DataPath[DATAPATH_OPTION]);
    FinishMenuFadeOut(SCENE_OPTION);
}

void cOptionScene::ApplyTitleBgm()
{
    SendMessageA(hMainWnd, WM_GAME_MUSICSWITCH, Options.m_bBgm ? 1 : 0, 0);
}

void cOptionScene::Menu()
{
    if (m_nSubState == 0) {
        *MenuCursor.m_lpCurrent = MENUCURSOR{};
        m_nSubState = 1;
    }
    if (m_nSubState == 1)
        Choose();
    else
        Edit();
}

void cOptionScene::Choose()
{
    const cInput& input = CheckedAt(Inputs, 0);
    MenuCursor.MoveGrid(input.m_wDirection, kCursorX, kTop, 0, kRow, 1, m_nVisibleCount);
    DS_PlayCursorSE(input, 2, 0);
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        m_nEditItem = m_VisibleItems[MenuCursor.m_lpCurrent->nRow];  // in range after the move
        int32_t* fields[] = {&Options.m_nPalette, &Options.m_bBgm, &Options.m_nVolume, &Options.m_nRankingMode};
        const int maxima[] = {OPTION_PALETTES - 1, 1, OPTION_VOLUME_STEPS - 1, RANKING_ENTRY_MODES - 1};
        if (m_nEditItem <= ITEM_RANKING_MODE) {
            m_lpEditValue = fields[m_nEditItem];
            m_nMin = 0;
            m_nMax = maxima[m_nEditItem];
            m_nSavedValue = *m_lpEditValue;
            MenuCursor.Push(0);
            m_nSubState = 2;
        } else if (m_nEditItem == ITEM_NAME) {
            WindowReplies.bNameEntryDone = 0;
            SendMessageA(hMainWnd, WM_GAME_NAMEENTRY, 0, 0);
            while (!WindowReplies.bNameEntryDone) Sleep(1);
            DrawSurface();
        } else {
            SceneManager.m_nNextScene = SCENE_TITLE;
            m_nSubState = 0;
            m_nState = STATE_FADEOUT;
        }
        return;
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(2);
        SceneManager.m_nNextScene = SCENE_TITLE;
        m_nSubState = 0;
        m_nState = STATE_FADEOUT;
        return;
    }
    DrawScreen();
    DDBlt(&Display.BackBuffer, MenuCursor.m_lpCurrent->nX, MenuCursor.m_lpCurrent->nY, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 64,
          0, 1);
}

void cOptionScene::ApplyChange()
{
    if (m_nEditItem == ITEM_PALETTE) {
        LoadHbtPalette(Options.m_nPalette);
    } else if (m_nEditItem == ITEM_VOLUME) {
        const int volume = SoundVolumeTable[std::clamp(Options.m_nVolume, 0, OPTION_VOLUME_STEPS - 1)];
        for (DSSOUND& sound : SoundEffects.SoundList)
            for (int k = 0; k < static_cast<int>(sound.Buffers.size()); ++k) DS_SetVolume(sound, k, volume, 0);
    }
}

void cOptionScene::Edit()
{
    const cInput& input = CheckedAt(Inputs, 0);
    int& value = *m_lpEditValue;
    auto wrap = [&] {
        if (value > m_nMax)
            value = m_nMin;
        else if (value < m_nMin)
            value = m_nMax;
    };
    if (input.m_wDirection & (INPUT_UP | INPUT_DOWN)) {
        if (input.m_wDirection & INPUT_UP) {
            ++value;
            wrap();
        }
        if (input.m_wDirection & INPUT_DOWN) {
            --value;
            wrap();
        }
        ApplyChange();
        DrawSurface();
    }
    DS_PlayCursorSE(input, 2, 0);
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        MenuCursor.Pop(1);
        m_nSubState = 1;
        return;
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(2);
        value = m_nSavedValue;
        ApplyChange();
        MenuCursor.Pop(1);
        m_nSubState = 1;
        DrawSurface();
        return;
    }
    DrawScreen();
    const int y = MenuCursor.m_lpParent ? MenuCursor.m_lpParent->nY : kTop;
    DDBlt(&Display.BackBuffer, kCursorX, y, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 80, 0, 1);
    DDBlt(&Display.BackBuffer, kValueCursorX, y, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 64, 0, 1);
}
