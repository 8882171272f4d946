#pragma once
// A character of the running stage. For now it holds only what the
// character searches of stage objects read: its definition copy and whether
// it has died. The character code completes it.
#include <cstdint>
#include <vector>

#include "records/chara_data.h"
#include "stage/effect.h"
#include "stage/stage_object.h"

class cChara : public cStageObject {
public:
    cCharaData m_Def;
    int32_t m_bDead = 0;

    // -- messages --
    cChara* m_lpTarget = nullptr;           // the character this one aims at
    std::vector<cChara*> m_Followers;       // the characters aiming at this one
    cEffectRun m_CharaEffect;               // the running character effect; entry 0 none
};
