// Stand-ins until the hit passes exist: nothing hits, nothing is picked up,
// and a removed character just leaves the list.
#include "stage/hits.h"

#include "stage/npc.h"
#include "stage/stage_containers.h"

int CheckDefeats() { return 0; }
int ResolveCharacterHits(std::list<cNpc>&) { return 0; }
int CollideWithCharacters(cChara&, std::list<cNpc>&) { return 0; }
int PickUpItems(cPlayer&) { return 0; }
int DefeatOutcome(cChara&) { return 0; }
int DefeatCharacter(cChara&, std::list<cNpc>&) { return 0; }
void Goal() {}
std::list<cNpc>::iterator EraseObjectNode(std::list<cNpc>::iterator node) { return CharaList.erase(node); }
