// The stage-play screen's frame without a display: the native tests step the
// stage through its play code, never through the screen's drawing.
#include "stage/stage_scene.h"

void cStageScene::Run() {}
void cStageScene::Init() {}
void cStageScene::FadeIn() {}
void cStageScene::FadeOut() {}
