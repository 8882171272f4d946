#include "files/save_slots.h"

#include <cstdio>

#include "app/base/format.h"
#include "files/data_path.h"

std::vector<cSaveSlotData> SaveSlotList(SAVE_SLOT_COUNT);

cSaveSlotData::cSaveSlotData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cSaveSlotData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bExists);
}

void cSaveSlotData::Set(const cGameProgress& progress)
{
    m_bExists = 1;
    m_bDamaged = 0;
    m_Time = progress.m_SaveTime;
}

std::string GetStorySlotPath(int slot)
{
    return FormatText("%s%02d.dat", DataPath[DATAPATH_STORY_SLOT], slot + 1);
}

void ScanSaveSlots(std::vector<cSaveSlotData>& list)
{
    for (size_t i = 0; i < list.size(); ++i) {
        cSaveSlotData& entry = list[i];
        std::string path = GetStorySlotPath(static_cast<int>(i));
        std::unique_ptr<cDataReader> file = DataFileOpenRead(path);
        if (!file) {
            // A file too short to hold its version word opens as nothing too,
            // yet it is there: listed as unreadable, not as free.
            FILE* fp = std::fopen(path.c_str(), "rb");
            entry.m_bExists = fp != nullptr;
            entry.m_bDamaged = fp != nullptr;
            if (fp) std::fclose(fp);
            continue;
        }
        cGameProgress progress;
        progress.Load(*file);
        if (DataFileClose(file)) {
            entry.Set(progress);
        } else {
            entry.m_bExists = 1;
            entry.m_bDamaged = 1;
        }
    }
}
