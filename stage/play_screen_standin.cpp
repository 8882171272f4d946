// Stand-in until the play screen exists: nothing is drawn and a dying
// player never finishes dying.
#include "stage/stage_scene.h"

void cStageScene::DrawPlayScreen(int, int, int, int) {}
