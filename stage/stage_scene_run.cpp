#include "gfx/display.h"
#include "gfx/fill.h"
#include "stage/stage_scene.h"

// Until the stage's states exist the screen shows palette colour 0.
void cStageScene::Run()
{
    StartIfNew(m_nState);
    DDFillPal(&BackBuffer, 0);
}

void cStageScene::Init() {}
void cStageScene::FadeIn() {}
void cStageScene::FadeOut() {}
