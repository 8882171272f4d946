// Which class each screen id is built from. A screen joins the game by
// naming its class in its row.
#include "app/scene.h"
#include "scenes/challenge_scene.h"
#include "scenes/option_scene.h"
#include "scenes/plain_scene.h"
#include "scenes/stage_scene.h"
#include "scenes/title_scene.h"

cScene* CreateScene(int id)
{
    switch (id) {
    case SCENE_TITLE:
        return new cTitleScene;
    case SCENE_WORLDMAP:
    case SCENE_WORLDMAP_MENU:
        return new cPlainScene;
    case SCENE_CHALLENGE:
        return new cChallengeSelectScene;
    case SCENE_OPTION:
        return new cOptionScene;
    case SCENE_STAGE:
        return new cStageScene;
    default:
        return nullptr;
    }
}
