#pragma once
// The title screen (screen 0): the title picture with the game's menu of up
// to seven items (new story, continue, challenge, stage file, replay,
// options, exit; the author hides any of them), and the save-slot list that
// "continue" opens. Every game starts here and the other screens come back
// here.
#include "app/shell/scene.h"

struct DDSURFACEDATA;

class cTitleScene : public cScene {
public:
    enum { STATE_FADEIN, STATE_MENU, STATE_LOADSLOT, STATE_FADEOUT };
    enum { ITEM_NEW, ITEM_CONTINUE, ITEM_CHALLENGE, ITEM_STAGE_FILE, ITEM_REPLAY, ITEM_OPTIONS, ITEM_EXIT,
           TITLE_ITEMS };

    cTitleScene();
    ~cTitleScene() override;

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void Menu();
    void LoadSlot();
    // The stage-file dialog on the window thread; true when a stage was
    // loaded for play.
    bool WaitStageFile();

    int m_nState = -1;
    int m_nSubState = 0;
    void (cTitleScene::*m_StateTable[4])();
    int m_nVisibleCount = 1;
    int m_VisibleItems[TITLE_ITEMS] = {};
    int m_nSlotOffset = 0;
    int m_nSlotRows = 0;
    int m_nMenuX = 192;

private:
    void DrawMenuWindow();
    void DrawScreen();
    // The item under the cursor chosen: what it starts, and the screen it
    // leaves for.
    void Choose(int kind);
    DDSURFACEDATA* m_lpMenuWindow = nullptr;
};
