#pragma once
// A running effect (cEffect) and a run of effect frames (cEffectRun, also
// the running screen effect). The effect code completes them.
#include <cstdint>

#include "stage/hit_rect.h"

class cEffect {
public:
    // -- chara --
    // A hit effect of Effect entry e between the hit character's box a and
    // the attacker's box b, the attacker drawn at size factor.
    void SetFromHit(int16_t e, const HITRECT& a, const HITRECT& b, int8_t factor);
};

class cEffectRun {
public:
    // -- chara --
    // Starts character effect e (mode 1: reversed) from the templates.
    void StartChara(int16_t e, int mode, int loop);
};
