#pragma once
// A shot or sword swing alive in the running stage. For now it holds only the
// stage-object base; the shot code completes it.
#include "records/shot_data.h"
#include "stage/hit_rect.h"
#include "stage/stage_object.h"

class cChara;

class cShot : public cStageObject {
public:
    // -- chara --
    int m_bChip = 1;                  // 1 a shot, 0 a sword
    HITRECT m_HitRect;                // the box used for hits
    cEdShot m_EdShot;                 // its own copy of its parameter record
    cChara* m_lpTarget = nullptr;     // the character a target motion aims at
};
