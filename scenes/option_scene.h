#pragma once
// The options screen (screen 5): the player's palette, music switch,
// sound-effect volume, ranking-entry mode and registered name, each item
// hidden or shown as the author chose. A palette or volume change takes effect
// at once, the music switch when the screen is left; the options file is
// written every time the screen fades out. It always returns to the title.
#include "app/shell/scene.h"

struct DDSURFACEDATA;

class cOptionScene : public cScene {
public:
    enum { STATE_FADEIN, STATE_MENU, STATE_FADEOUT };
    enum { ITEM_PALETTE, ITEM_MUSIC, ITEM_VOLUME, ITEM_RANKING_MODE, ITEM_NAME, ITEM_BACK, OPTION_ITEMS };

    cOptionScene();
    ~cOptionScene() override;

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void Menu();
    // The music switch handed to the window thread, which starts or stops
    // the music component.
    static void ApplyTitleBgm();

    int m_nState = -1;
    int m_nSubState = 0;  // in the menu: 0 entering, 1 choosing, 2 editing
    void (cOptionScene::*m_StateTable[3])();
    int m_nVisibleCount = 1;
    int m_VisibleItems[OPTION_ITEMS] = {};
    int m_nEditItem = 0;
    int m_nSavedValue = 0;
    int* m_lpEditValue = nullptr;
    int m_nMin = 0;
    int m_nMax = 0;

private:
    void Choose();
    void Edit();
    void DrawSurface();
    void DrawScreen();
    // A palette or volume change made to take effect.
    void ApplyChange();
    DDSURFACEDATA* m_lpScreen = nullptr;
};
