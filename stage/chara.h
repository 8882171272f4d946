#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>

#include <vector>

#include "records/chara_data.h"
#include "stage/running_flow.h"
#include "stage/stage_object.h"

class cShot;

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;

    // -- shots --
    cChara* m_lpTarget = nullptr;              // the character this one aims at
    std::vector<cShot*> m_ShotsAimingAtMe;     // shots whose target motion aims at it
    std::vector<cRunningFlow> m_Flows;         // one per flow of m_Def
    int32_t m_bFlowDeleted = 0;                // some flow asked to be removed
    // The overlay animations a flow started carry the flow's serial as key.
    void RemoveOverlaysByKey(int key);
    void StopOverlaysByKey(int key);
    void ResumeOverlaysByKey(int key);
};
