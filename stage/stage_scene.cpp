#include "stage/stage_scene.h"

#include "files/game_progress.h"
#include "stage/stage_containers.h"

cStageScene* lpStageScene = nullptr;

std::vector<cPlayer> Player;
std::list<cNpc> CharaList;
std::list<cItem> ItemList;

cStageScene::cStageScene()
{
    m_ScreenTint = cScreenTint();
    m_ScreenTint.m_nSavedAlpha = 255;
    // The first set-up after another screen always asks for the stage's tune.
    GameProgress.m_nBgm = 0;
}

cStageScene::~cStageScene() = default;
