// The overlay animations a flow started, found by the flow's serial (their
// key), as the flow-control command ends, pauses and resumes the flow.
#include "stage/objects/chara.h"
#include "stage/script/flow_list.h"

void cChara::RemoveOverlaysByKey(int key) { RemoveFlowOverlays(*this, key); }

void cChara::StopOverlaysByKey(int key)
{
    for (auto it = m_Overlays.begin(); it != m_Overlays.end();) {
        if (it->nKey != key) {
            ++it;
            continue;
        }
        // An overlay with no time left goes instead of waiting.
        if (static_cast<int64_t>(it->nFrames) + it->nCommandFrames - 1 < 0) {
            it = m_Overlays.erase(it);
            continue;
        }
        it->bStopped = 1;
        ++it;
    }
}

void cChara::ResumeOverlaysByKey(int key)
{
    for (OVERLAYANIM& overlay : m_Overlays)
        if (overlay.nKey == key) overlay.bStopped = 0;
}
