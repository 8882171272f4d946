// The screens and the stage-play screen, handed to the screen manager and the
// window thread below them before WinMain runs.
#include <string>

#include "app/shell/scene.h"
#include "scenes/scene_factory.h"
#include "stage/scene/stage_scene.h"

namespace {

void StageMade(cScene* scene) { lpStageScene = static_cast<cStageScene*>(scene); }
int StageExists() { return lpStageScene ? 1 : 0; }
void StageQuit()
{
    if (lpStageScene) lpStageScene->m_bQuit = 1;
}
void StageFps(int fps)
{
    if (lpStageScene) lpStageScene->m_nFps = fps;
}
std::string* StageRankName() { return lpStageScene ? &lpStageScene->m_sRankName : nullptr; }

[[maybe_unused]] const bool bLinked =
    (SceneLinks = {CreateScene, StageMade, StageExists, StageQuit, StageFps, StageRankName}, true);

} // namespace
