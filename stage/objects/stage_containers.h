#pragma once
// The run-time containers of a stage: emptied and refilled by every stage
// set-up, they outlive the stage-play screen.
#include <list>
#include <vector>

#include "stage/objects/item.h"
#include "stage/objects/npc.h"
#include "stage/objects/player.h"

extern std::vector<cPlayer> Player;   // element P1 is player 1
extern std::list<cNpc> CharaList;     // placed and summoned characters
extern std::list<cItem> ItemList;     // placed and summoned items

enum { P1 = 0 };
