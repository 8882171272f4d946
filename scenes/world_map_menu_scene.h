#pragma once
// The world-map menu (screen 2), opened by cancel on the world map: up to
// four items (save into a chosen slot, save into the slot in use and switch
// automatic saving, back to the map, quit to the title; the author hides any
// of them). The menu's cursor level stays on the stack while an item's list
// or question is open above it.
#include "app/shell/scene.h"

class cWorldMapMenuScene : public cScene {
public:
    enum {
        STATE_FADEIN,
        STATE_MENU,
        STATE_SAVE_SLOT,
        STATE_SAVE_CURRENT,
        STATE_BACK_TO_MAP,
        STATE_QUIT_TO_TITLE,
        STATE_FADEOUT
    };
    enum { ITEM_SAVE_SLOT, ITEM_SAVE_CURRENT, ITEM_BACK_TO_MAP, ITEM_QUIT_TO_TITLE, MENU_ITEMS };

    cWorldMapMenuScene();
    ~cWorldMapMenuScene() override;

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void Menu();
    void SaveToSlot();
    void SaveToCurrent();
    void BackToMap();
    void QuitToTitle();

    int m_nState = -1;
    int m_nSubState = 0;
    void (cWorldMapMenuScene::*m_StateTable[7])();
    int m_nVisibleCount = 1;
    int m_VisibleItems[MENU_ITEMS] = {};
    int m_nSlotOffset = 0;
    int m_nSlotRows = 0;

private:
    void DrawScreen();
    void DrawCursor(int cellX);
    void DrawSlotList();
    // A closed list or question: the menu takes input again.
    void BackToMenu();
};
