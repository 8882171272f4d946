// Stand-ins for what the characters call of code that does not exist yet:
// the effects and the taking of items. Each does nothing, so a character
// behaves as one without effects or items.
#include "stage/chara.h"
#include "stage/effect.h"
#include "stage/stage_scene.h"


int cStageScene::ApplyItem(cItem*, cChara*) { return 0; }
