#pragma once
// An item of the running stage: placed in the stage, summoned during play,
// carried by a character, or built for a moment to apply the item of a
// block or a shot. It holds its own copy of its definition, is active only
// while its conditions hold, and is drawn as a chip of its sheet with an
// optional mark over it.
#include "records/item_data.h"
#include "stage/objects/stage_object.h"

class cItem : public cStageObject {
public:
    cItemData m_ItemData;             // the item's own copy of its definition
    // 1 for an item carried by a character or applied at once: never picked up.
    int m_bCarried = 0;

    // An empty definition (the item sheet, size 1, pop-up on, layer 6).
    cItem() = default;

    // Copies the whole object: its common state and its definition.
    void Assign(const cItem& other) { *this = other; }

    // Takes a copy of the definition and sets the object up with the stage's
    // item hit size centred in a 32 x 32 cell. A carried item is active at
    // once and keeps its natural size; any other grows to its size factor
    // and waits for its conditions.
    void Setup(int serial, const cItemData& def, int carried);
    // Places the item on a cell of the stage proper; a grown item keeps the
    // bottom of its cell.
    void SetBlockPos(int column, int row);
    // A grown item keeps its bottom where it was.
    void ShiftForRescale(int newFactor, int oldFactor) override;
};

// The item definition at index of a palette: source 1 the common palette,
// 2 the playing stage's; null for an index outside the list or any other source.
cItemData* FindItemPaletteEntry(int source, int index);
