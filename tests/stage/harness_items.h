#pragma once
// Items in the harness's stage, placed on a cell as the stage set-up places
// them.
class cItem;
class cItemData;

// Appends an item set up from def to ItemList, on a cell of the stage proper,
// active (its conditions are not tested here).
cItem& HarnessPlaceItem(const cItemData& def, int column, int row);
