#pragma once
// Characters against characters, shots and items: the hit passes between
// the layers, the contacts of bodies, defeats, item pick-up and the goal.
// Results are outcomes: 0 go on, 1 the stage is cleared, 2 the player dies.
#include <list>

class cChara;
class cNpc;
class cPlayer;

// Run when a status changed: the player's and every character's hit points.
// Non-zero ends the frame.
int CheckDefeats();
// The hit passes between the layers of characters and shots.
int ResolveCharacterHits(std::list<cNpc>& list);
// Bodies against block characters and others: 0, or 2 when the character is
// crushed.
int CollideWithCharacters(cChara& chara, std::list<cNpc>& list);
// The items the player touches.
int PickUpItems(cPlayer& player);
// What a defeat means (0, 1 or 2); DefeatCharacter also acts on it.
int DefeatOutcome(cChara& chara);
int DefeatCharacter(cChara& chara, std::list<cNpc>& list);
// The goal's bookkeeping.
void Goal();
// Removes a character and every reference to it; the next position.
std::list<cNpc>::iterator EraseObjectNode(std::list<cNpc>::iterator node);
