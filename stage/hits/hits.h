#pragma once
// Characters against characters, shots and items: the hit passes between
// the layers, the contacts of bodies, defeats, item pick-up and the goal.
// Results are outcomes: 0 go on, 1 the stage is cleared, 2 the player dies.
// Each is handed the running stage's world.
#include <list>

#include "stage/objects/hit_rect.h"

class cChara;
class cNpc;
class cPlayer;
class cStageWorld;

// Run when a status changed: the player's and every character's hit points.
// Non-zero ends the frame.
int CheckDefeats(cStageWorld& world);
// The hit passes between the layers of characters and shots.
int ResolveCharacterHits(cStageWorld& world, std::list<cNpc>& list);
// A body against the block characters: pushed out, landing on and riding
// them; 0, or 2 when it is crushed (or, flying with block mode 2, touches
// one).
int CollideWithCharacters(cChara& chara, std::list<cNpc>& list);
// The items the player touches.
int PickUpItems(cStageWorld& world, cPlayer& player);
// What a defeat means (0, 1 or 2); DefeatCharacter also acts on it.
int DefeatOutcome(cStageWorld& world, cChara& chara);
int DefeatCharacter(cStageWorld& world, cChara& chara, std::list<cNpc>& list);
// The goal's bookkeeping.
void Goal(cStageWorld& world);
// Removes a character and every reference to it; the next position.
std::list<cNpc>::iterator EraseObjectNode(cStageWorld& world, std::list<cNpc>::iterator node);

// The tests the contacts are built from. A block character takes part when it
// is not dead, is active and is not the character itself (by creator
// reference).
// A taking-part block character other than the one of excludedRef overlaps
// the rectangle.
bool OverlapsBlockCharaRange(const cChara& chara, const std::list<cNpc>& list, const HITRECT& rect,
                             int excludedRef);
// The ridden block character, as last seen, overlaps the 5-pixel strip under
// the character's feet.
bool IsOnRiddenBlockChara(const cChara& chara);
// The first taking-part block character of CharaList overlapping that strip.
cNpc* FindBlockCharaUnderFeet(const cChara& chara);
// Pushes the character out of the taking-part block characters along one
// axis (vertical: up or down, else left or right).
void PushOutOfBlockCharas(cChara& chara, std::list<cNpc>& list, bool vertical);
// Each corner of the character, where it is or where it was (start), lies
// inside a taking-part block character of CharaList.
bool IsEnclosedByBlockCharas(const cChara& chara, const HITRECT& start);
