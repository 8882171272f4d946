#include "files/stage_file.h"

#include <memory>

namespace {

// The first data version whose stage files are refused without their end
// marker. Version 173 wrote the marker already but is read without the check.
constexpr int kFirstCheckedVersion = 174;

cStageData SettingsOnly()
{
    cStageData stage;
    CopyPlaySettings(stage, stage);
    return stage;
}

} // namespace

cStageData StageData;
cStageData PlayStageData = SettingsOnly();

bool CheckStageFileEnd(const std::string& path)
{
    std::unique_ptr<cDataReader> file = DataFileOpenRead(path);
    if (!file) return true;
    if (nFileVersion < kFirstCheckedVersion) return true;
    uint32_t marker = 0;
    size_t beforeMarker = file->Remaining() >= 4 ? file->Remaining() - 4 : 0;
    if (file->Skip(beforeMarker) && file->ReadU32(marker) && marker == cStageData::END_MARKER) return true;
    file->Fail("the stage file does not end with its end marker");
    return false;
}

void SaveStageFromParts(cDataWriter& out, cStageData& stage, cStageData& source)
{
    cStageData::WriteBody(out, source, stage);
}

void CopyPlaySettings(cStageData& out, cStageData& stage)
{
    out.AssignSettings(stage);
    out.m_Blocks.clear();
    out.m_Charas.clear();
    out.m_Items.clear();
    out.m_PlacedBlocks.clear();
    out.m_PlacedCharas.clear();
    out.m_PlacedItems.clear();
}
