#include "scenes/title_scene.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/main_window_handle.h"
#include "app/shell/scene_manager.h"
#include "app/base/sjis.h"
#include "app/system/sound.h"
#include "app/shell/window_requests.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "app/shell/palette_animation.h"
#include "scenes/file_request.h"
#include "scenes/game_start.h"
#include "scenes/menu_cursor.h"
#include "scenes/menu_screen.h"
#include "scenes/save_slot_drawing.h"

namespace {

enum { SURFACE_WINDOW = 45, SURFACE_TITLE = 47, SURFACE_GAMEMODE = 48, SURFACE_ACCESSORY = 49 };
const int kTitleSurfaces[] = {SURFACE_TITLE, SURFACE_GAMEMODE, SURFACE_ACCESSORY, SURFACE_WINDOW};

constexpr int kMenuY = 240;
constexpr int kRowHeight = 32;
constexpr int kSlotX = 152, kSlotY = 160, kSlotRow = 16, kMaxSlotRows = 10;
constexpr int kOutlineColour = 240;

// The play mode each of the first five items starts.
const int kItemPlayMode[] = {PLAYMODE_STORY, PLAYMODE_STORY, PLAYMODE_CHALLENGE, PLAYMODE_FREE, PLAYMODE_REPLAY};

} // namespace

cTitleScene::cTitleScene()
    : m_StateTable{&cTitleScene::FadeIn, &cTitleScene::Menu, &cTitleScene::LoadSlot, &cTitleScene::FadeOut}
{
}

cTitleScene::~cTitleScene()
{
    for (int index : kTitleSurfaces) DDReleaseSurface(&SurfaceTables.Surface[index]);
    ReleaseScreenSurfaces();
}

void cTitleScene::Run()
{
    PrepareMenuInput();
    StartIfNew(m_nState);
    (this->*m_StateTable[m_nState])();
}

void cTitleScene::Init()
{
    RequestMenuBgm(0);
    if (!DDLoadSurfaces(SurfaceTables.Surface, kTitleSurfaces, 4)) PostCloseToMainWindow();
    MenuCursor.Reset();

    m_nVisibleCount = 0;
    const int items = std::min<int>(TITLE_ITEMS, static_cast<int>(SystemData.m_TitleMenu.size()));
    for (int kind = 0; kind < items; ++kind)
        if (SystemData.m_TitleMenu[kind].m_bVisible) m_VisibleItems[m_nVisibleCount++] = kind;
    if (m_nVisibleCount == 0) {
        m_VisibleItems[0] = ITEM_NEW;
        m_nVisibleCount = 1;
    }

    // Back on the row of the item chosen last; a kind no longer listed keeps
    // its own number, which the first move brings into range.
    MenuCursor.m_lpCurrent->nRow = SceneManager.nGameKind;
    for (int row = 0; row < m_nVisibleCount; ++row)
        if (m_VisibleItems[row] == SceneManager.nGameKind) MenuCursor.m_lpCurrent->nRow = row;

    m_nMenuX = 192;
    if (SystemData.m_bTitleMenuImage) m_nMenuX = 288 - SurfaceTables.Surface[SURFACE_GAMEMODE].nWidth / 2;

    int width = SurfaceTables.Surface[SURFACE_GAMEMODE].nWidth + 32;
    if (!SystemData.m_bTitleMenuImage) {
        int widest = 0;
        for (int row = 0; row < m_nVisibleCount; ++row)
            widest = std::max(widest, CountDisplayChars(SystemData.m_TitleMenu[m_VisibleItems[row]].m_strText.c_str()));
        width = 32 * widest + 34;
    }
    m_lpMenuWindow = NewScreenSurface(width, kRowHeight * m_nVisibleCount + 2, 1);
    if (!m_lpMenuWindow)
        PostCloseToMainWindow();
    else
        DrawMenuWindow();
    m_nSubState = 0;
}

void cTitleScene::DrawMenuWindow()
{
    DDSURFACEDATA* window = m_lpMenuWindow;
    const int width = window->nWidth, height = window->nHeight;
    if (SystemData.m_bTitleMenuImage) {
        DDFillPal(window, 0);
        for (int row = 0; row < m_nVisibleCount; ++row)
            DDBlt(window, 32, kRowHeight * row, SurfaceTables.Surface[SURFACE_GAMEMODE].nWidth, kRowHeight,
                  &SurfaceTables.Surface[SURFACE_GAMEMODE], 0, kRowHeight * m_VisibleItems[row], 0);
        return;
    }
    DDBlt(window, 1, 1, width - 2, height - 2, &SurfaceTables.Surface[SURFACE_WINDOW], 0, 0, 0);
    DDFillRectPal(window, 0, 0, width, 1, kOutlineColour);
    DDFillRectPal(window, 0, height - 1, width, 1, kOutlineColour);
    DDFillRectPal(window, 0, 0, 1, height, kOutlineColour);
    DDFillRectPal(window, width - 1, 0, 1, height, kOutlineColour);
    for (int row = 0; row < m_nVisibleCount; ++row)
        SurfaceTables.Fonts[2].DrawText(window, 32, kRowHeight * row, SystemData.m_TitleMenu[m_VisibleItems[row]].m_strText.c_str(),
                          0);
}

void cTitleScene::DrawScreen()
{
    DDBlt(&Display.BackBuffer, 0, 0, 640, 480, &SurfaceTables.Surface[SURFACE_TITLE], 0, 0, 0);
    if (m_lpMenuWindow) {
        if (m_lpMenuWindow->bLost) {
            DrawMenuWindow();
            m_lpMenuWindow->bLost = 0;
        }
        DDBlt(&Display.BackBuffer, m_nMenuX, kMenuY, m_lpMenuWindow->nWidth, m_lpMenuWindow->nHeight, m_lpMenuWindow, 0, 0,
              1);
    }
    CyclePalette();
}

void cTitleScene::FadeIn()
{
    if (IsPaletteDisplay() && m_lpMenuWindow) DrawMenuWindow();
    DrawScreen();
    if (MenuFadeIn()) m_nState = STATE_MENU;
}

void cTitleScene::FadeOut()
{
    if (MenuFadeOut()) FinishMenuFadeOut(SCENE_TITLE);
}

void cTitleScene::Menu()
{
    const cInput& input = CheckedAt(Inputs, 0);
    MenuCursor.MoveGrid(input.m_wDirection, m_nMenuX, kMenuY, 0, kRowHeight, 1, m_nVisibleCount);
    DS_PlayCursorSE(input, 2, 0);
    if (!(input.m_wButtons & 1)) {
        DrawScreen();
        DDBlt(&Display.BackBuffer, MenuCursor.m_lpCurrent->nX, MenuCursor.m_lpCurrent->nY, 32, 32, &SurfaceTables.Surface[SURFACE_ACCESSORY],
              0, 0, 1);
        return;
    }
    PlaySE(1);
    const int row = MenuCursor.m_lpCurrent->nRow;  // in range after the move
    Choose(m_VisibleItems[row]);
}

void cTitleScene::Choose(int kind)
{
    SceneManager.nGameKind = kind;
    if (kind <= ITEM_REPLAY) {
        const int mode = kItemPlayMode[kind];
        SceneManager.m_nPlayMode = mode;
        SceneManager.m_bRankingOn = CheckedAt(SystemData.m_ModeSettings, mode).m_bRanking;
    }
    int next = -1;
    switch (kind) {
    case ITEM_NEW:
        NewGame();
        next = SCENE_WORLDMAP;
        break;
    case ITEM_CONTINUE:
        MenuCursor.Push(0);
        m_nState = STATE_LOADSLOT;
        m_nSubState = 0;
        return;
    case ITEM_CHALLENGE:
        if (!GameProgress.LoadChallenge()) {
            GameProgress.Reset();
            GameProgress.m_ChallengeRecords.assign(std::max(0, SystemData.m_nChallengeCount), cIntPairData());
        }
        next = SCENE_CHALLENGE;
        break;
    case ITEM_STAGE_FILE:
    case ITEM_REPLAY: {
        const int result = WaitFileRequest(kind == ITEM_STAGE_FILE ? WM_GAME_LOADSTAGE : WM_GAME_LOADREPLAY);
        // A file that could not be played has been explained in a box; the
        // title stays as it was.
        if (result == FILE_REQUEST_REFUSED) PlaySE(3);
        if (result != FILE_REQUEST_LOADED) return;
        next = SCENE_STAGE;
        break;
    }
    case ITEM_OPTIONS:
        next = SCENE_OPTION;
        break;
    case ITEM_EXIT:
        PostCloseToMainWindow();
        return;
    default:
        return;
    }
    SceneManager.m_nNextScene = next;
    m_nState = STATE_FADEOUT;
}

bool cTitleScene::WaitStageFile()
{
    return WaitFileRequest(WM_GAME_LOADSTAGE) == FILE_REQUEST_LOADED;
}

void cTitleScene::LoadSlot()
{
    const cInput& input = CheckedAt(Inputs, 0);
    if (m_nSubState == 0) {
        *MenuCursor.m_lpCurrent = MENUCURSOR{};
        m_nSlotOffset = 0;
        m_nSubState = 1;
        ScanSaveSlots(SaveSlotList);
    }
    const int slots = static_cast<int>(SaveSlotList.size());
    m_nSlotRows = std::min(slots, kMaxSlotRows);
    MenuCursor.MoveList(input.m_wDirection, 1, m_nSlotOffset, kSlotY, kSlotRow, kSlotX, m_nSlotRows, slots, 1);
    DS_PlayCursorSE(input, 3, 0);
    const int slot = MenuCursor.m_lpCurrent->nRow;
    if (input.m_wButtons & 1) {
        // An empty slot, and one whose file cannot be read, cannot be continued.
        const cSaveSlotData& entry = CheckedAt(SaveSlotList, slot);
        if (!entry.m_bExists || entry.m_bDamaged || !GameProgress.LoadSlot(slot)) {
            PlaySE(3);
            return;
        }
        PlaySE(1);
        SceneManager.m_nNextScene = SCENE_WORLDMAP;
        m_nState = STATE_FADEOUT;
        return;
    }
    if (input.m_wButtons & 2) {
        PlaySE(2);
        MenuCursor.Pop(1);
        m_nState = STATE_MENU;
        m_nSubState = 0;
        return;
    }
    DDBlt(&Display.BackBuffer, 0, 0, 640, 480, &SurfaceTables.Surface[SURFACE_TITLE], 0, 0, 0);
    CyclePalette();
    DrawSaveSlots(SurfaceTables.Fonts[1], &Display.BackBuffer, kSlotX, kSlotY, SaveSlotList, m_nSlotOffset, m_nSlotRows);
    DDBlt(&Display.BackBuffer, MenuCursor.m_lpCurrent->nX, MenuCursor.m_lpCurrent->nY, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], 64,
          0, 1);
}
