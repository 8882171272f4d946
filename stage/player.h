#pragma once
// The character a person controls. For now only the character; the player
// code completes it.
#include "stage/chara.h"

class cPlayer : public cChara {
public:

    // -- conditions --
    // Switches between walking (0) and flying and rebuilds the sizes and boxes.
    void SetFlying(int mode, int rescale);
    // Rebuilds the display of the hit boxes.
    void BuildBoxDisplay();
};
