#include "scenes/world_map_menu_scene.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/system/input.h"
#include "app/shell/palette_animation.h"
#include "app/shell/scene_manager.h"
#include "app/base/sjis.h"
#include "app/system/sound.h"
#include "files/game_progress.h"
#include "files/save_slots.h"
#include "files/system_data.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/frame.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "scenes/menu_cursor.h"
#include "scenes/menu_screen.h"
#include "scenes/save_slot_drawing.h"

namespace {

enum { SURFACE_WINDOW = 45, SURFACE_ACCESSORY = 49, SURFACE_SYMBOL = 50 };
const int kMenuSurfaces[] = {SURFACE_WINDOW, SURFACE_SYMBOL, SURFACE_ACCESSORY};

constexpr int kMenuX = 264, kMenuY = 192, kRow = 16, kTextX = 280;
constexpr int kCentre = 320, kTotalY = 260;
constexpr int kSlotX = 152, kSlotY = 160, kMaxSlotRows = 10;
constexpr int kSlotQuestionY = 400, kCurrentQuestionY = 224, kNoticeY = 232, kQuitQuestionY = 224;
constexpr int kEmptyColour = 16, kFrameColour = 240;
constexpr int kConfirm = 1, kCancel = 2;
constexpr int kListCursor = 64, kSlotCursor = 80;

// A question of the system texts first.. at y: the cursor moved over its rows.
int MoveQuestion(const cInput& input, int firstText, int count, int cursor, int y)
{
    const int x = GetMenuLeft(kCentre, firstText, count, cursor);
    MenuCursor.MoveGrid(input.m_wDirection, x, y, 0, kRow, 1, count);
    DS_PlayCursorSE(input, 2, 0);
    return x;
}

} // namespace

cWorldMapMenuScene::cWorldMapMenuScene()
    : m_StateTable{&cWorldMapMenuScene::FadeIn,       &cWorldMapMenuScene::Menu,
                   &cWorldMapMenuScene::SaveToSlot,   &cWorldMapMenuScene::SaveToCurrent,
                   &cWorldMapMenuScene::BackToMap,    &cWorldMapMenuScene::QuitToTitle,
                   &cWorldMapMenuScene::FadeOut}
{
}

cWorldMapMenuScene::~cWorldMapMenuScene()
{
    for (int index : kMenuSurfaces) DDReleaseSurface(&SurfaceTables.Surface[index]);
}

void cWorldMapMenuScene::Run()
{
    PrepareMenuInput();
    StartIfNew(m_nState);
    (this->*m_StateTable[m_nState])();
}

void cWorldMapMenuScene::Init()
{
    RequestMenuBgm(1);
    if (!DDLoadSurfaces(SurfaceTables.Surface, kMenuSurfaces, 3)) PostCloseToMainWindow();
    m_nVisibleCount = 0;
    const int items = std::min<int>(MENU_ITEMS, static_cast<int>(SystemData.m_WorldMapMenu.size()));
    for (int kind = 0; kind < items; ++kind)
        if (SystemData.m_WorldMapMenu[kind].m_bVisible) m_VisibleItems[m_nVisibleCount++] = kind;
    if (m_nVisibleCount == 0) {
        m_VisibleItems[0] = ITEM_SAVE_SLOT;
        m_nVisibleCount = 1;
    }
    MenuCursor.Reset();
    m_nSubState = 0;
}

void cWorldMapMenuScene::DrawScreen()
{
    DDFillPal(&Display.BackBuffer, kEmptyColour);
    int widest = 0;
    for (int row = 0; row < m_nVisibleCount; ++row)
        widest = std::max(widest,
                          CountDisplayChars(SystemData.m_WorldMapMenu[m_VisibleItems[row]].m_strText.c_str()));
    DDBltFrame(&Display.BackBuffer, kMenuX, kMenuY, 16 * (widest + 1), kRow * m_nVisibleCount, &SurfaceTables.Surface[SURFACE_WINDOW], 1,
               kFrameColour);
    for (int row = 0; row < m_nVisibleCount; ++row)
        SurfaceTables.Fonts[1].DrawText(&Display.BackBuffer, kTextX, kMenuY + kRow * row,
                          SystemData.m_WorldMapMenu[m_VisibleItems[row]].m_strText.c_str(), 0);
    if (SystemData.m_bMenuShowTotal && GameProgress.m_nBestTotal > 0) {
        const std::string& label = CheckedAt(SystemData.m_TextList, 4);
        const int width =
            16 * (CountDisplayChars(label.c_str()) + std::snprintf(nullptr, 0, "%d", GameProgress.m_nBestTotal));
        SurfaceTables.Fonts[1].DrawTextWindowF(&Display.BackBuffer, kCentre - width / 2, kTotalY, width, 16, "%s%d", label.c_str(),
                                 GameProgress.m_nBestTotal);
    }
    CyclePalette();
}

void cWorldMapMenuScene::DrawCursor(int cellX)
{
    DDBlt(&Display.BackBuffer, MenuCursor.m_lpCurrent->nX, MenuCursor.m_lpCurrent->nY, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY],
          cellX, 0, 1);
}

void cWorldMapMenuScene::DrawSlotList()
{
    DDFillPal(&Display.BackBuffer, kEmptyColour);
    DrawSaveSlots(SurfaceTables.Fonts[1], &Display.BackBuffer, kSlotX, kSlotY, SaveSlotList, m_nSlotOffset, m_nSlotRows);
}

void cWorldMapMenuScene::FadeIn()
{
    MenuCursor.MoveGrid(0, kMenuX, kMenuY, 0, kRow, 1, m_nVisibleCount);
    DrawScreen();
    DrawCursor(kListCursor);
    if (MenuFadeIn()) m_nState = STATE_MENU;
}

void cWorldMapMenuScene::FadeOut()
{
    if (!MenuFadeOut()) return;
    FinishMenuFadeOut(SCENE_WORLDMAP_MENU);
    m_nState = -1;  // the next visit starts afresh
}

void cWorldMapMenuScene::BackToMenu()
{
    MenuCursor.Pop(1);
    m_nSubState = 0;
    m_nState = STATE_MENU;
}

void cWorldMapMenuScene::Menu()
{
    const cInput& input = CheckedAt(Inputs, 0);
    MenuCursor.MoveGrid(input.m_wDirection, kMenuX, kMenuY, 0, kRow, 1, m_nVisibleCount);
    DS_PlayCursorSE(input, 2, 0);
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        m_nState = m_VisibleItems[MenuCursor.m_lpCurrent->nRow] + STATE_SAVE_SLOT;
        m_nSubState = 0;
        MenuCursor.Push(0);
        return;
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(2);
        m_nState = STATE_BACK_TO_MAP;
        m_nSubState = 0;
        return;
    }
    DrawScreen();
    DrawCursor(kListCursor);
}

void cWorldMapMenuScene::SaveToSlot()
{
    const cInput& input = CheckedAt(Inputs, 0);
    if (m_nSubState == 0) {
        *MenuCursor.m_lpCurrent = MENUCURSOR{};
        MenuCursor.m_lpCurrent->nRow = GameProgress.m_nSlot;
        ScanSaveSlots(SaveSlotList);
        m_nSlotRows = std::min(static_cast<int>(SaveSlotList.size()), kMaxSlotRows);
        m_nSlotOffset = GameProgress.m_nSlot;
        m_nSubState = 1;
    }
    const int slots = static_cast<int>(SaveSlotList.size());
    if (m_nSubState == 1) {
        MenuCursor.MoveList(input.m_wDirection, 1, m_nSlotOffset, kSlotY, kRow, kSlotX, m_nSlotRows, slots, 1);
        DS_PlayCursorSE(input, 3, 0);
        if (input.m_wButtons & kConfirm) {
            PlaySE(1);
            MenuCursor.Push(0);
            MenuCursor.m_lpCurrent->nRow = 1;
            m_nSubState = 2;
            return;
        }
        if (input.m_wButtons & kCancel) {
            PlaySE(2);
            BackToMenu();
            return;
        }
        DrawSlotList();
        DrawCursor(kListCursor);
        return;
    }
    const int x = MoveQuestion(input, 12, 2, 1, kSlotQuestionY);
    const bool confirm = (input.m_wButtons & kConfirm) != 0;
    if (confirm || (input.m_wButtons & kCancel)) {
        if (confirm && MenuCursor.m_lpCurrent->nRow == 0) {
            // The slot in use is what the file records, so it is set first
            // and given back when the file cannot be written.
            const int slot = MenuCursor.m_lpParent->nRow;
            const int before = GameProgress.m_nSlot;
            GameProgress.m_nSlot = slot;
            if (SaveStoryGame(slot))
                PlaySE(5);
            else
                GameProgress.m_nSlot = before;
        } else {
            PlaySE(confirm ? 1 : 2);
        }
        MenuCursor.Pop(1);
        m_nSubState = 1;
        return;
    }
    DrawSlotList();
    DrawMenuTexts(x, kSlotQuestionY, 12, 2, 1);
    const MENUCURSOR& slot = *MenuCursor.m_lpParent;
    DDBlt(&Display.BackBuffer, slot.nX, slot.nY, 16, 16, &SurfaceTables.Surface[SURFACE_ACCESSORY], kSlotCursor, 0, 1);
    DrawCursor(kListCursor);
}

void cWorldMapMenuScene::SaveToCurrent()
{
    const cInput& input = CheckedAt(Inputs, 0);
    if (m_nSubState == 0) {
        *MenuCursor.m_lpCurrent = MENUCURSOR{};
        MenuCursor.m_lpCurrent->nRow = GameProgress.m_bAutoSave ? 0 : 1;
        m_nSubState = GameProgress.m_nSlot == -1 ? 2 : 1;
        return;
    }
    if (m_nSubState == 2) {
        const int x = MoveQuestion(input, 16, 1, 0, kNoticeY);
        if (input.m_wButtons & (kConfirm | kCancel)) {
            PlaySE(input.m_wButtons & kConfirm ? 1 : 2);
            BackToMenu();
            return;
        }
        DDFillPal(&Display.BackBuffer, kEmptyColour);
        DrawMenuTexts(x, kNoticeY, 16, 1, 0);
        return;
    }
    const int x = MoveQuestion(input, 14, 2, 1, kCurrentQuestionY);
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        if (MenuCursor.m_lpCurrent->nRow == 0) {
            // The slot keeps the switch it was saved with.
            const int before = GameProgress.m_bAutoSave;
            GameProgress.m_bAutoSave = 1;
            if (!SaveStoryGame(GameProgress.m_nSlot)) GameProgress.m_bAutoSave = before;
        } else {
            GameProgress.m_bAutoSave = 0;
        }
        BackToMenu();
        return;
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(2);
        BackToMenu();
        return;
    }
    DDFillPal(&Display.BackBuffer, kEmptyColour);
    DrawMenuTexts(x, kCurrentQuestionY, 14, 2, 1);
    DrawCursor(kListCursor);
}

void cWorldMapMenuScene::BackToMap()
{
    m_nSubState = 0;
    m_nState = STATE_FADEOUT;
    SceneManager.m_nNextScene = SCENE_WORLDMAP;
}

void cWorldMapMenuScene::QuitToTitle()
{
    const cInput& input = CheckedAt(Inputs, 0);
    if (m_nSubState == 0) {
        *MenuCursor.m_lpCurrent = MENUCURSOR{};
        MenuCursor.m_lpCurrent->nRow = 1;
        m_nSubState = 1;
    }
    const int x = MoveQuestion(input, 17, 2, 1, kQuitQuestionY);
    if (input.m_wButtons & kConfirm) {
        PlaySE(1);
        if (MenuCursor.m_lpCurrent->nRow == 0) {
            m_nState = STATE_FADEOUT;
            SceneManager.m_nNextScene = SCENE_TITLE;
            return;
        }
        BackToMenu();
        return;
    }
    if (input.m_wButtons & kCancel) {
        PlaySE(2);
        BackToMenu();
        return;
    }
    DDFillPal(&Display.BackBuffer, kEmptyColour);
    DrawMenuTexts(x, kQuitQuestionY, 17, 2, 1);
    DrawCursor(kListCursor);
}
