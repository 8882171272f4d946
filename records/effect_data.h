#pragma once
// Effects: a row of equally sized cells in one image, played as frames.
//
// Stored forms:
//   frame   record of two ints (cell, time)
//   effect  record (an int from version 151, cell width, cell height, the
//           scale-by-size switch; name, image file), u32 n, n frames
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

class cEffectFrameData : public cDataRecord {
public:
    int32_t m_nCell = 0;        // cell c lies at x = c x cell width, y = 0
    int32_t m_nFrameTime = 0;   // tenths of a second

    // Cell 0, time 0.
    cEffectFrameData();
    void RegisterFields(int version) override;
};

class cEffectData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;

    int32_t m_nReserved = 0;
    int32_t m_nCellWidth = 0;
    int32_t m_nCellHeight = 0;
    int32_t m_bScaleBySize = 0; // 1: an effect shown where a body hits takes the hitter's size factor
    std::string m_sName;
    std::string m_sFile;
    std::vector<cEffectFrameData> m_Frames;

    cEffectData();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // Record cleared; cells of 32 by 32 pixels; no frames.
    void Reset();

    // Reads a stored frame list: u32 count, then the frames, each from a cleared frame.
    static bool LoadList(std::vector<cEffectFrameData>& frames, cDataReader& in);
};
