// The common palette, read as start-up reads it: its rows inherit from the
// rows before them.
#include "fuzz/record_target.h"
#include "records/palette_data.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    PrepareRecordLoading();
    const std::string path = FuzzScratchPath("CommonPalette.cplt4");
    WriteFuzzFile(path, data, size);
    ReadCommonPalette(path);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    PrepareRecordLoading();
    cPaletteData palette;
    RegisterPalette(PALETTE_COMMON, palette.Lists());
    palette.m_Charas.resize(4);
    palette.m_Charas[1].m_sName = "base";
    palette.m_Charas[1].m_Flows.assign(3, DefaultListFlow());
    // Rows 2 and 3 take every group of row 1.
    for (int row : {2, 3}) {
        palette.m_Charas[row].m_cInheritSource = SOURCE_COMMON;
        palette.m_Charas[row].m_sInheritIndex = 1;
        std::fill(palette.m_Charas[row].m_InheritFlags.begin(), palette.m_Charas[row].m_InheritFlags.end(), 1);
    }
    palette.m_Blocks.resize(3);
    palette.m_Items.resize(3);
    SyncPaletteRowCounts();
    std::vector<FuzzSeed> seeds = {RecordSeed("inheriting.cplt4", palette)};
    cPaletteData empty;
    seeds.push_back(RecordSeed("empty.cplt4", empty));
    RegisterPalette(PALETTE_COMMON, {});
    return seeds;
}
