#pragma once
// Database entries that name a file: the extra character images, the
// pictures, the sound effects and the music. Each holds a name and the file.
//
// Stored forms (strings: name, file):
//   picture, sound, music   record (an int from version 151)
//   character image         record (an int from version 152, the own-cell-size
//                           switch and the cell size from version 172)
#include <cstdint>
#include <string>

#include "records/data_record.h"

class cMediaData : public cDataRecord {
public:
    int32_t m_nReserved = 0;
    std::string m_sName;
    std::string m_sFile;

    cMediaData();
    void RegisterFields(int version) override;
    // Record; files before 153 leave the reserved int 0.
    bool Load(cDataReader& in) override;
};

// A picture shown by the picture command.
class cPictureData : public cMediaData {};
// Sound entry n is sound-effect number n + 16; entry 0 is never played.
class cSoundData : public cMediaData {};
// Music entry n is played by the music requests; entry 0 stops the music.
class cBgmData : public cMediaData {};

// An extra character image, drawn for characters of the dedicated graphic kind.
class cBmpCharaExcData : public cDataRecord {
public:
    int32_t m_nReserved = 0;
    int32_t m_bOwnCellSize = 0; // 1: cells of m_nCellSize blocks instead of one
    int32_t m_nCellSize = 0;    // n: cells of 32n pixels, 16 / n to a row
    std::string m_sName;
    std::string m_sFile;

    cBmpCharaExcData();
    void RegisterFields(int version) override;
    // Record; files before 153 leave the reserved int 0.
    bool Load(cDataReader& in) override;
};
