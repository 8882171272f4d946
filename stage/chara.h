#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>
#include <vector>

#include "records/chara_data.h"
#include "stage/stage_object.h"

class cFlowData;

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;

    // -- items --
    // What the expression evaluator and the item commands use of a
    // character, until the character and flow code bring the full layout.
    cChara* m_lpTarget = nullptr;
    int32_t m_nHp = 0;
    int32_t m_nSp = 0;
    std::vector<int32_t> m_Vars = std::vector<int32_t>(9, 0);   // v1..v8 are entries 1..8
    int32_t m_nSightDots = 0;
    void StartHpGauge(int delta);
    void StartSpGauge(int delta);
    // Builds (insert 0) or extends the running flows; the count added.
    int InsertFlows(std::vector<cFlowData>& list, int facing, int insert, int position);
    // Removes the flows with this ID (0: all); the index of the first removed, -1 none.
    int RemoveFlowsById(int id);
};
