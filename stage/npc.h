#pragma once
// Every character other than the players: placed in the stage or summoned.
// For now only the character and its carried item; the character code
// completes it.
#include "stage/chara.h"
#include "stage/item.h"

class cNpc : public cChara {
public:
    cItem m_Item;                 // given to player 1 when it dies
};
