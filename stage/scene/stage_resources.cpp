// The surfaces a stage's set-up renews, and the sight mask's surfaces that
// follow player 1's sight range: made by the painter (none in the headless
// build).
#include "app/base/checked.h"
#include "stage/scene/play_screen.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

void cStageScene::ResetStageSurfaces()
{
    if (cPlayScreenPainter* painter = ScreenPainter()) painter->ReleaseStageSurfaces();
    CreateWorkSurfaces(65, 66);
}

int cStageScene::CreateWorkSurfaces(int mask, int window)
{
    cPlayScreenPainter* painter = ScreenPainter();
    if (!painter || Player.empty()) return 0;
    const cPlayer& p1 = CheckedAt(Player, P1);
    painter->CreateWorkSurfaces(mask, window, p1.m_nSightDots, p1.m_Def.m_cSightShape);
    return 1;
}
