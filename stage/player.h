#pragma once
// The character a person controls. The player code completes it.
#include "stage/chara.h"

class cPlayer : public cChara {
public:
};
