#include "stage/scene/stage_scene.h"

#include "files/game_progress.h"
#include "stage/objects/stage_containers.h"

cStageScene* lpStageScene = nullptr;

std::vector<cPlayer> Player;
std::list<cNpc> CharaList;
std::list<cItem> ItemList;
