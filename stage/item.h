#pragma once
// An item of the running stage: placed, summoned or carried by a character.
// For now it holds only the stage-object base; the item code completes it.
#include "records/item_data.h"
#include "stage/stage_object.h"

class cItem : public cStageObject {
public:
    // -- chara --
    int m_bCarried = 0;               // carried by a character or applied at once

    // -- conditions --
    cItemData m_ItemData;             // the item's own copy of its definition
};
