// The portable part of the pause loop: what one frame of a wait does.
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

enum { WAIT_MODE = 0, WAIT_FRAMES = 1, WAIT_BUTTON = 2, WAIT_EXTRA = 3 };
constexpr int WAIT_MODE_MESSAGE = 1;

} // namespace

int cStageScene::StepWait(int confirmNow, int confirmBefore)
{
    if (m_Wait[WAIT_FRAMES] > 0) {
        --m_Wait[WAIT_FRAMES];
        return 0;
    }
    if (m_Wait[WAIT_BUTTON]) {
        // A button held since before must be let go and pressed anew.
        if (!confirmNow || confirmBefore) return 0;
        StageHost().PlaySE(m_Wait[WAIT_MODE] == WAIT_MODE_MESSAGE ? 12 : 1);
        m_bHoldButtons = 1;
        return 1;
    }
    return --m_Wait[WAIT_EXTRA] < 0 ? 1 : 0;
}
