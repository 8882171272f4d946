#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>

#include "records/chara_data.h"
#include "stage/stage_object.h"

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;
};
