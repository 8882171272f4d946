#pragma once
// Items in the harness's stage: placed on a cell as the stage set-up places
// them, and taken by a character that touches them, their command lists run
// on it through the item-command table. The harness's own pick-up stands in
// for the stage's until play takes items itself.
#include "tests/stage/stage_harness.h"

class cChara;
class cItem;
class cItemData;

// Appends an item set up from def to ItemList, on a cell of the stage proper,
// active (its conditions are not tested here).
cItem& HarnessPlaceItem(const cItemData& def, int column, int row);
// Runs the item's commands on the taker in order; a kind outside the table
// is skipped. 1 when a command stopped the list.
int HarnessRunItemCommands(const cItem& item, cChara& taker);
// A sub-step of a body left to itself (StageHarness::Falling) that then takes
// the active items of ItemList it overlaps: an item taken once leaves the
// list, one taken any number of times is taken once per contact, one that
// cannot be taken stays.
StageHarness::SubStep FallingAndTakingItems(int clampMode, cChara& taker);
