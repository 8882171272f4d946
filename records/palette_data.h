#pragma once
// Palettes: the block, character and item definitions a game draws from.
// The common palette is shared by all stages and read once at start-up from
// "data\CommonPalette.cplt4"; each stage holds a palette of its own in its
// stage record. A definition names a palette by source 1 (common) or 2
// (stage) and a row; row 0 of every list is the reserved empty row.
//
// Palette file: u32 data version, the empty record part (u32 0, u32 0), then
// the blocks, the characters and the items, each a u32 count and the
// definitions.
//
// Lists are read in place: each row inherits while it is read, so a row whose
// base lies in the list being read sees the rows before it complete and the
// rows after it at their defaults. For that the lists being read must be the
// ones RecordContext names (RegisterPalette), whose row counts then follow
// them.
#include <string>
#include <vector>

#include "records/block_data.h"
#include "records/chara_data.h"
#include "records/data_record.h"
#include "records/item_data.h"
#include "records/record_context.h"

class cPaletteData : public cDataRecord {
public:
    // The record part and three list counts.
    static constexpr size_t MIN_STORED_BYTES = 8 + 3 * 4;

    std::vector<cBlockData> m_Blocks;
    std::vector<cCharaData> m_Charas;
    std::vector<cItemData> m_Items;

    // One default row in each list.
    cPaletteData();

    // Reads the palette: the lists, row 0 of each reset, every row's inherit
    // flags cleared (each row has inherited once, while it was read), then
    // KeepTwoRows. False when the file is damaged; the lists then still hold
    // two rows or more.
    bool Load(cDataReader& in) override;
    // KeepTwoRows, then the palette as stored.
    void Save(cDataWriter& out) override;

    // Pads every list to two rows and validates every row.
    void KeepTwoRows();

    cPaletteLists Lists() { return {&m_Blocks, &m_Charas, &m_Items}; }
};

// The common palette, shared by all stages. Threads: read at start-up by the
// window thread; read-only afterwards (the stage loader reads it too).
extern cPaletteData CommonPalette;

// The path start-up reads the common palette from.
extern const char COMMON_PALETTE_PATH[];

// Reads the common palette from path (see LoadCommonPalette for start-up's
// use). 1 when it was read whole; 0 when the file is missing or damaged, and
// CommonPalette is then left as it was. Either way RecordContext names its
// lists as the common palette afterwards.
int ReadCommonPalette(const std::string& path);

// Names the lists of palette (PALETTE_COMMON or PALETTE_STAGE) in
// RecordContext and takes their row counts.
void RegisterPalette(int palette, const cPaletteLists& lists);
// Sets the row counts in RecordContext of every palette list it names to the
// list's length. Whoever changes the length of such a list calls it.
void SyncPaletteRowCounts();

// Read a stored list of definitions into list, in place: every row starts
// as a reset definition and is then read, inheriting from the palettes as
// they stand. False when the file is damaged.
bool ReadBlockList(std::vector<cBlockData>& list, cDataReader& in);
bool ReadCharaList(std::vector<cCharaData>& list, cDataReader& in);
bool ReadItemList(std::vector<cItemData>& list, cDataReader& in);

// Gives each list at least two rows (a list holds its reserved row 0 and one
// definition at least) with reset definitions; lists of two or more rows are
// left as they are.
void PadToTwoRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items);
// Row 0 of each list back to its class's reset values; the lists it holds
// (conditions, flows, commands) keep what was read.
void ResetReservedRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items);
// The row check of a palette's lists: PadToTwoRows, then ValidateDefinitions.
void CheckPaletteRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items);
// Every definition validated against the database and the palettes (its own
// references, the block's item, the characters' flows, the items' commands).
void ValidateDefinitions(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items);
