#pragma once
// The character a person controls. For now only the character; the player
// code completes it.
#include "stage/chara.h"

class cPlayer : public cChara {
public:
};
