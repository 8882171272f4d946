#pragma once
// An item of the running stage: placed, summoned or carried by a character.
// For now it holds only the stage-object base; the item code completes it.
#include "stage/stage_object.h"

class cItem : public cStageObject {
public:
    // -- chara --
    int m_bCarried = 0;               // carried by a character or applied at once
};
