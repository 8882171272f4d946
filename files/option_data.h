#pragma once
// The player's own settings, kept apart from the game's data in
// "user_data\Option.dat": the palette of the 8-bit display, music on or off,
// the volume step of the sound effects, how a cleared play enters the
// rankings and the registered ranking name.
//
// Start-up reads the file (Options.LoadFile: a missing file leaves the
// defaults and is no fault, a damaged one leaves them too, with a report-log
// line); the options screen edits Options on
// the game thread and writes the file each time it is left (SaveOptions).
#include <cstdint>
#include <string>

#include "records/data_record.h"

// The ranges the options screen offers.
constexpr int OPTION_PALETTES = 24;       // palettes 0 to 23
constexpr int OPTION_VOLUME_STEPS = 11;   // volume steps 0 to 10
constexpr int RANKING_ENTRY_MODES = 4;    // hand or automatic, typed or registered name

class cOptionData : public cDataRecord {
public:
    int32_t m_nPalette = 0;
    int32_t m_bBgm = 1;
    int32_t m_nVolume = 7;
    int32_t m_nRankingMode = 0;
    std::string m_sRankingName = "aaa";

    // Palette 0, music on, volume 7, ranking-entry mode 0, the name "aaa".
    cOptionData();
    void RegisterFields(int version) override;
    // The record; a value outside the range the options screen offers is
    // brought to its nearest end, since the palette and the volume step index
    // tables. A damaged file changes nothing.
    bool Load(cDataReader& in) override;
};

// The player's settings for the whole run. Threads: read at start-up by the
// window thread, then the game thread's; the window thread edits the ranking
// name serving the name entry while the game thread waits for it.
extern cOptionData Options;

// Writes options to path through a temporary file that replaces the old one
// only once it is complete; a failure is reported and the old file kept.
// 1 when saved.
int SaveOptions(cOptionData& options, const std::string& path);
