#pragma once
// The definition of one kind of block: the chip it shows and where it is
// drawn, whether and for whom it is solid, what it does to a character
// standing on it, the item it applies to the player standing on it, and the
// conditions under which it exists. The rows of the palettes' block lists;
// the stage's block map holds copies.
//
// Stored form: the record part (18 fields and the name, the same in every
// version), the carried cell column and row (int16 each), the inherit flags
// (u32 n, n bytes), the conditions (u32 count, then the records).
#include <cstdint>
#include <string>
#include <vector>

#include "records/condition_data.h"
#include "records/definition_record.h"
#include "records/inherit.h"

struct DDSURFACEDATA;

// Collision values.
enum { BLOCK_PASSABLE = 0, BLOCK_SOLID = 1, BLOCK_DEADLY = 2 };

class cBlockData : public cDefinitionRecord {
public:
    // The record part, the carried pair, the flag count, the condition count.
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4 + 4;
    static constexpr size_t INHERIT_GROUPS = 11;

    // The head fields, the carried cell, the flags and the conditions: cDefinitionRecord.
    int16_t m_sGraphic = 0;          // chip on the sheet; 0: the cell holds no block
    int8_t m_cGraphicKind = 0;       // GRAPHIC_...
    int16_t m_sGraphicOffset = 0;    // second chip coordinate (character and dedicated sheets)
    int8_t m_bFront = 0;             // drawn in front of the stage objects
    int8_t m_bHidden = 0;            // not drawn, still collides
    int8_t m_cMarkDisplay = 0;       // 0 none, 1 drawn, 2 editor only
    int16_t m_sMark = 0;             // chip of the mark sheet
    int8_t m_cCollision = BLOCK_SOLID;
    int8_t m_cPassThrough = -1;      // pass number that goes through; -1 (255) none
    int8_t m_cEffect = 0;            // 0 none, 1 jump, 2 no jumping, 3 speed %, 4 left, 5 right
    int32_t m_nEffectValue = 0;
    int8_t m_cItemSource = 0;        // 0 none, 1 common palette, 2 stage palette
    int16_t m_sItemIndex = 0;        // the item applied to the player standing on the block
    int8_t m_bProtected = 0;         // a placed block does not replace it while it exists

    // Not registered: carried with the definition, never acted on here.

    // Registered with DATA_VERSION, then Reset.
    cBlockData();

    // Cleared, solid, 11 flags all 0, no pass-through number, no chip; the
    // conditions and the carried pair are left alone.
    void Reset();
    void RegisterFields(int version) override;

    // Copies the flagged groups from the base.
    void Inherit();
    // Repairs the inherit reference; a cell without a chip neither collides
    // nor is protected.
    void ValidateRefs();
    // Repairs the item reference (the palette's row check and the stage's
    // normalisation; not while loading, when the item lists may not be read yet).
    void ValidateItemRef();

    // The collision value for an object of this pass number: 0 while the
    // block's conditions do not hold, 0 when the pass number is the block's
    // pass-through number, otherwise the collision field.
    int GetCollision(int passNumber);

protected:
    // Loading upgrades the shot chip of older files, then Inherit, ValidateRefs;
    // saving runs ValidateRefs first.
    void UpgradeFrom(int fileVersion) override;
    void InheritFromBase() override { Inherit(); }
    void ValidateStored() override { ValidateRefs(); }
    // Draws the block's chip, and its mark when shown, at (x, y). Waits for
    // the stage's chip drawing: until then it draws nothing.
    void DrawIcon(DDSURFACEDATA* surface, int x, int y);

public:
    // -- conditions --
    // Not registered: the run-time flag of a block of the block map whose
    // conditions have held once (the latch holds it for good).
    uint8_t m_bCondHeld = 0;
};

// The stage's test of a block's conditions: RecordContext.lpBlockConditionsHold.
