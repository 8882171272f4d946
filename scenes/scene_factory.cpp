// Which class each screen id is built from. A screen joins the game by
// naming its class in its row.
#include "app/scene.h"
#include "scenes/challenge_scene.h"
#include "scenes/option_scene.h"
#include "scenes/plain_scene.h"
#include "scenes/stage_scene.h"

cScene* CreateScene(int id)
{
    switch (id) {
    // The title closes the game when its pictures are missing; it joins once
    // start-up brings the game's data.
    case SCENE_TITLE:
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
