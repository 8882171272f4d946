#include "records/palette_data.h"

#include <utility>

cPaletteData CommonPalette;

const char COMMON_PALETTE_PATH[] = "data\\CommonPalette.cplt4";

namespace {

// Reads a stored list in place. The rows are made before any is read and the
// palette's row count follows the list at once, so a row may name a later
// row of its own list (and finds it at its defaults).
template <class T>
bool ReadDefinitionList(std::vector<T>& list, cDataReader& in)
{
    uint32_t n = 0;
    if (!in.ReadCount(n, MinStoredBytes<T>())) return false;
    list.clear();
    list.assign(n, T());
    SyncPaletteRowCounts();
    for (T& row : list)
        if (!row.Load(in)) return false;
    return true;
}

template <class T>
void PadList(std::vector<T>& list)
{
    while (list.size() < 2) list.push_back(T());
}

template <class T>
void ClearInheritFlags(std::vector<T>& list)
{
    for (T& row : list) std::fill(row.m_InheritFlags.begin(), row.m_InheritFlags.end(), 0);
}

template <class T>
int RowsOf(const std::vector<T>* list, int fallback)
{
    return list ? static_cast<int>(list->size()) : fallback;
}

} // namespace

cPaletteData::cPaletteData() : m_Blocks(1), m_Charas(1), m_Items(1)
{
    RegisterFields(DATA_VERSION);
    Clear();
}

bool cPaletteData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadBlockList(m_Blocks, in) && ReadCharaList(m_Charas, in) && ReadItemList(m_Items, in);
    // A list stored without rows has no row 0 to reset: it is padded first.
    PadToTwoRows(m_Blocks, m_Charas, m_Items);
    ResetReservedRows(m_Blocks, m_Charas, m_Items);
    ClearInheritFlags(m_Blocks);
    ClearInheritFlags(m_Charas);
    ClearInheritFlags(m_Items);
    KeepTwoRows();
    return in.Ok();
}

void cPaletteData::Save(cDataWriter& out)
{
    KeepTwoRows();
    cDataRecord::Save(out);
    WriteRecords(m_Blocks, out);
    WriteRecords(m_Charas, out);
    WriteRecords(m_Items, out);
}

void cPaletteData::KeepTwoRows() { CheckPaletteRows(m_Blocks, m_Charas, m_Items); }

void PadToTwoRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items)
{
    PadList(blocks);
    PadList(charas);
    PadList(items);
    SyncPaletteRowCounts();
}

void ResetReservedRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items)
{
    if (!blocks.empty()) blocks[0].Reset();
    if (!charas.empty()) charas[0].Reset();
    if (!items.empty()) items[0].Reset();
}

void CheckPaletteRows(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items)
{
    PadToTwoRows(blocks, charas, items);
    ValidateDefinitions(blocks, charas, items);
}

void ValidateDefinitions(std::vector<cBlockData>& blocks, std::vector<cCharaData>& charas, std::vector<cItemData>& items)
{
    for (cBlockData& block : blocks) {
        block.ValidateRefs();
        block.ValidateItemRef();
    }
    for (cCharaData& chara : charas) {
        chara.ValidateRefs();
        chara.ValidateFlows();
    }
    for (cItemData& item : items) {
        item.Validate();
        item.ValidateCommands();
    }
}

bool ReadBlockList(std::vector<cBlockData>& list, cDataReader& in) { return ReadDefinitionList(list, in); }
bool ReadCharaList(std::vector<cCharaData>& list, cDataReader& in) { return ReadDefinitionList(list, in); }
bool ReadItemList(std::vector<cItemData>& list, cDataReader& in) { return ReadDefinitionList(list, in); }

void RegisterPalette(int palette, const cPaletteLists& lists)
{
    RecordContext.Palettes[palette] = lists;
    SyncPaletteRowCounts();
}

void SyncPaletteRowCounts()
{
    cRecordContext& c = RecordContext;
    for (int p : {PALETTE_COMMON, PALETTE_STAGE}) {
        c.nPaletteBlocks[p] = RowsOf(c.Palettes[p].lpBlocks, c.nPaletteBlocks[p]);
        c.nPaletteCharas[p] = RowsOf(c.Palettes[p].lpCharas, c.nPaletteCharas[p]);
        c.nPaletteItems[p] = RowsOf(c.Palettes[p].lpItems, c.nPaletteItems[p]);
    }
}

int ReadCommonPalette(const std::string& path)
{
    // Read beside the palette in use, which a missing or damaged file leaves
    // untouched; while it is read, the new lists are the common palette that
    // its rows inherit from.
    cPaletteData loaded;
    RegisterPalette(PALETTE_COMMON, loaded.Lists());
    int ok = loaded.LoadFile(path);
    if (ok) {
        CommonPalette.m_Blocks.swap(loaded.m_Blocks);
        CommonPalette.m_Charas.swap(loaded.m_Charas);
        CommonPalette.m_Items.swap(loaded.m_Items);
    }
    RegisterPalette(PALETTE_COMMON, CommonPalette.Lists());
    return ok;
}
