#pragma once
// The 99 story save slots as the title's "continue" and the world-map menu
// list them: whether each slot's file exists, whether it can be read, and
// when it was saved. The list is never written to a file.
#include <string>
#include <vector>

#include "files/game_progress.h"
#include "records/data_record.h"

class Font;
struct DDSURFACEDATA;

class cSaveSlotData : public cDataRecord {
public:
    int32_t m_bExists = 0;    // the slot's file exists
    SAVETIME m_Time;          // when it was saved
    // Not registered: the file exists but cannot be read (it is listed as
    // unreadable and can be neither loaded nor lost by a scan).
    int32_t m_bDamaged = 0;

    cSaveSlotData();
    void RegisterFields(int version) override;
    // An existing, readable slot saved at the progress's save time.
    void Set(const cGameProgress& progress);
    // The save time of an existing slot ("----/--/-- --:--" for an
    // unreadable one), with font at (x, y). Built with the drawing code.
    void Draw(Font& font, DDSURFACEDATA* target, int x, int y) const;
};

// Every slot, cleared at start-up; filled by ScanSaveSlots and SaveSlot.
extern std::vector<cSaveSlotData> SaveSlotList;

// The file of slot 0..98: "user_data\story\Story01.dat" to "...Story99.dat".
std::string GetStorySlotPath(int slot);
// Refreshes every entry from the slot files. Each file is read into a fresh
// progress, so a damaged one shows nothing of another slot.
void ScanSaveSlots(std::vector<cSaveSlotData>& list);
