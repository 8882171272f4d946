#pragma once
// What the game and display commands and the messages need of the
// characters, the flows, the items and the play screen, each reached
// through one function here.
#include <vector>

#include "stage/hits/chara_search.h"

class cChara;
class cCommandData;
class cStageWorld;
class cPlayer;
class cScreenTint;

// The character's basic animation set (force: even when it is the current one).
void SetCharaBasicAnimSet(cChara* chara, int set, int force);
// A direction choice (0..12) resolved by the character's facing into a
// direction code (2 left, 3 right, 6 up, 7 down, 8..11 the diagonals).
int ResolveCharaDirection(cChara* chara, int choice);
// Placement by cell on one axis; then the character's own clamp.
void SetCharaBlockX(cChara* chara, int column);
void SetCharaBlockY(cChara* chara, int row);
// The character's own clamp on x (axis 0) or y (1); its edge code.
int ClampChara(cChara* chara, int axis);
// The character keeps its drawn screen position for the rest of the frame.
void HoldCharaScreenPosition(cChara* chara);
// A new overlay animation of one frame sequence, first in the character's
// list, tagged with the flow's serial and started.
void StartCharaOverlay(cChara* chara, int sequence, int flowSerial);
// Serial of the flow now running (0 when none).
int CurrentFlowSerial(const cStageWorld& world);
// An item's command list run on the player: 0, 1 stage cleared, 2 the
// player's hit points fell below 1.
int RunPlayerItemCommands(cStageWorld& world, cPlayer* player, const std::vector<cCommandData>& commands);
// The character's rectangle is in a solid block or overlaps a block character.
bool IsCharaBlocked(cChara* chara);
// Starts the colour change that the screen-colour command describes.
void SetScreenTint(cScreenTint& tint, const cCommandData& command);
