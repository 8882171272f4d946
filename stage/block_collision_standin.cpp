// Stand-ins until the block collision exists: no block stops or carries
// anything.
#include "stage/block_collision.h"

int ResolveBlocksX(cChara&) { return 0; }
int RecheckBlocksX(cChara&) { return 0; }
int ResolveBlocksY(cChara&) { return 0; }
int CheckFloorAndCeiling(cChara&) { return 0; }
int KeepInViewX(cPlayer&) { return 0; }
int KeepInViewY(cPlayer&) { return 0; }
bool IsBlocked(cChara&) { return false; }
bool OverlapsBlockChara(cChara&, std::list<cNpc>&) { return false; }
void RideBlockChara(cChara&, std::list<cNpc>&) {}
int ApplyBlockEffect(cPlayer&) { return 0; }
int ApplyBlockItem(cPlayer&) { return 0; }
