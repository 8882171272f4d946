#pragma once
// Sword types: a sword is a sequence of parts, each a picture cut from the
// sword's image and shown for a while at a place beside its owner.
//
// Stored forms:
//   part        record of ten ints (eight before version 138: no mirror flags)
//   sword type  record (an int from version 151; name, left image, right
//               image), u32 n, n parts
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

class cSwordPartData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8;

    int32_t m_nOffsetX = 0;     // pixels, times the sword's size
    int32_t m_nOffsetY = 0;
    int32_t m_bMirrorX = 0;     // 1: the x offset is subtracted while the owner faces right
    int32_t m_bMirrorY = 0;     // 1: the y offset is subtracted while the owner faces right
    int32_t m_nPosition = 0;    // 0 in front, 1 behind, 2 above, 3 below the owner
    int32_t m_nSrcX = 0;        // the part's picture in the sword image
    int32_t m_nSrcY = 0;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nPartTime = 0;    // tenths of a second

    // Every field 0.
    cSwordPartData();
    void RegisterFields(int version) override;
};

class cSwordTypeData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;

    int32_t m_nReserved = 0;
    std::string m_sName;
    std::string m_sFileA;       // drawn while the owner faces left
    std::string m_sFileB;       // drawn while the owner faces right
    std::vector<cSwordPartData> m_Parts;

    cSwordTypeData();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // Record cleared; one part mirrored on x that lasts a tenth of a second.
    void Reset();
};

// Reads a stored part list: u32 count, then the parts, each from a cleared part.
bool ReadSwordTypePartList(std::vector<cSwordPartData>& parts, cDataReader& in);
