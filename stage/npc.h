#pragma once
// Every character other than the players: placed in the stage or summoned.
#include "stage/chara.h"
#include "stage/item.h"

class cNpc : public cChara {
public:
    cItem m_Item;                 // given to player 1 when it dies
    cItem* GetItem() override { return m_Item.m_bCarried ? &m_Item : nullptr; }
};
