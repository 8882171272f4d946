// Stand-in until the stage-play states end the player's death themselves
// (lives, game over, retry prompt): the stage starts again.
#include "stage/play_screen.h"
#include "stage/stage_scene.h"

void FinishPlayerDeath(cStageScene& scene)
{
    scene.SetStage(true, false);
    scene.m_nState = STAGE_READY;
}
