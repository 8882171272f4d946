#pragma once
// Characters against the blocks of the map and against block characters:
// the push-outs after each move, floor and ceiling, riding, and the effect
// and item of the block under the player.
//
// Results are outcomes: 0 nothing, 2 the character is killed by a block;
// ApplyBlockItem gives the item's outcome (0, 1 stage cleared, 2 the player
// dies).
#include <list>

class cChara;
class cNpc;
class cPlayer;
class cStageWorld;

// Horizontal collision after a horizontal move.
int ResolveBlocksX(cChara& chara);
// Horizontal collision whatever the direction of motion.
int RecheckBlocksX(cChara& chara);
// Vertical collision after a vertical move.
int ResolveBlocksY(cChara& chara);
// Floor and ceiling contact at the current edges.
int CheckFloorAndCeiling(cChara& chara);
// Keep the player inside the view; KeepInViewY gives 2 when the player is
// pushed out at the bottom where it could fall.
int KeepInViewX(cPlayer& player);
int KeepInViewY(cPlayer& player);
// The character's rectangle is in a solid block or overlaps a block character.
bool IsBlocked(cChara& chara);
// A block character of the list overlaps the character.
bool OverlapsBlockChara(cChara& chara, std::list<cNpc>& list);
// Carries a character along with the block character it stands on.
void RideBlockChara(cChara& chara, std::list<cNpc>& list);
// The effect of the block under the player; always 0.
int ApplyBlockEffect(cPlayer& player);
// The item the block under the player carries.
int ApplyBlockItem(cStageWorld& world, cPlayer& player);
