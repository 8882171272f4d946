// Which class each screen id is built from. A screen joins the game by
// naming its class in its row.
#include "scenes/scene_factory.h"

#include "app/shell/scene.h"
#include "scenes/challenge_scene.h"
#include "scenes/option_scene.h"
#include "scenes/title_scene.h"
#include "scenes/world_map_menu_scene.h"
#include "scenes/world_map_scene.h"
#include "stage/scene/stage_scene.h"

std::unique_ptr<cScene> CreateScene(int id)
{
    switch (id) {
    case SCENE_TITLE:
        return std::make_unique<cTitleScene>();
    case SCENE_WORLDMAP:
        return std::make_unique<cWorldMapScene>();
    case SCENE_WORLDMAP_MENU:
        return std::make_unique<cWorldMapMenuScene>();
    case SCENE_CHALLENGE:
        return std::make_unique<cChallengeSelectScene>();
    case SCENE_OPTION:
        return std::make_unique<cOptionScene>();
    case SCENE_STAGE:
        return std::make_unique<cStageScene>();
    default:
        return nullptr;
    }
}
