#pragma once
// The definition of one item: its picture, placement offset and size, how
// often it can be taken, the sound it plays and the item commands it runs
// when the player takes it, and the conditions under which it exists. The
// rows of the palettes' item lists; placed, summoned, carried and block items
// take copies.
//
// Stored form: the record part (17 fields and the name, the same in every
// version), the carried cell column and row (int16 each), the inherit flags
// (u32 n, n bytes), the conditions and the commands (each a u32 count, then
// the records).
#include <cstdint>
#include <string>
#include <vector>

#include "records/command_data.h"
#include "records/condition_data.h"
#include "records/definition_record.h"
#include "records/inherit.h"

// Take kinds.
enum { ITEM_TAKE_ONCE = 0, ITEM_TAKE_ALWAYS = 1, ITEM_TAKE_NEVER = 2 };

class cItemData : public cDefinitionRecord {
public:
    // The record part, the carried pair, the flag count and two list counts.
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4 + 4 + 4;
    static constexpr size_t INHERIT_GROUPS = 13;

    // The head fields, the carried cell, the flags and the conditions: cDefinitionRecord.
    int16_t m_sOffsetX = 0;          // pixels added to the item's position in the stage
    int16_t m_sOffsetY = 0;
    int16_t m_sGraphic = 0;          // chip on the sheet
    int8_t m_cGraphicKind = 2;       // GRAPHIC_... (block_data.h)
    int16_t m_sGraphicOffset = 0;
    int8_t m_cZOrder = 6;            // drawing layer
    int8_t m_bHidden = 0;
    int8_t m_cMarkDisplay = 0;       // 0 none, 1 drawn, 2 editor only
    int16_t m_sMark = 0;
    int8_t m_bPopUp = 1;             // its picture pops up at the taker
    int8_t m_cTakeKind = 0;          // ITEM_TAKE_...
    int8_t m_cSize = 1;              // size factor 1..10
    int16_t m_sSound = 0;            // sound played when taken, 0 none

    // Not registered: carried with the definition, never acted on here.
    std::vector<cCommandData> m_Commands;  // item commands, run in order when taken

    // Registered with DATA_VERSION, then Reset.
    cItemData();

    // Cleared, 13 flags all 0, the item sheet, pop-up, size 1, layer 6; the
    // lists and the carried pair are left alone.
    void Reset();
    void RegisterFields(int version) override;

    // Copies the flagged groups from the base.
    void Inherit();
    // Repairs the inherit reference, the size and the sound, and validates
    // the commands against the database.
    void Validate();
    // Repairs the commands' references into the palettes.
    void ValidateCommands();

protected:
    // The commands follow the conditions. Loading upgrades the shot chip of
    // older files, then Inherit, Validate; saving runs Validate first.
    void ReadTail(cDataReader& in) override;
    void WriteTail(cDataWriter& out) override;
    void UpgradeFrom(int fileVersion) override;
    void InheritFromBase() override { Inherit(); }
    void ValidateStored() override { Validate(); }
};
