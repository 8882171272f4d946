#pragma once
// Animations: a frame is a picture cell shown for a time; an animation is a
// named list of frames; an animation set is a character's four basic
// animations ("立ち", "立ち移動", "飛行", "飛行移動", in that order).
//
// Stored forms:
//   frame          record of three ints
//   animation      record (from version 55 an int16, a byte and an int16;
//                  the name), u32 n, n frames
//   animation set  record (two ints, a third from version 119; the name),
//                  u32 n, n animations
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

class cAnimeFrameData : public cDataRecord {
public:
    int32_t m_nCell = 0;
    int32_t m_nTime = 0;                // tenths of a second; 6 frames each
    int32_t m_bKey = 0;                 // the animation's key frame

    // Cell 0, time 1, no key frame.
    cAnimeFrameData();
    void RegisterFields(int version) override;
};

class cAnimeData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;

    std::string m_sName;
    std::vector<cAnimeFrameData> m_Frames;
    // Kept with the animation and written back; nothing reads them.
    int16_t m_sKept1 = 0;
    uint8_t m_cKept = 0;
    int16_t m_sKept2 = 0;

    // One default frame.
    cAnimeData();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    void Reset();
};

// Reads a stored frame list: a u32 count, then the frames. A count of 0
// leaves the list empty.
bool ReadFrames(std::vector<cAnimeFrameData>& frames, cDataReader& in);

class cAnimeSetData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;
    // The basic animations by place, and how many a set holds.
    enum { ANIME_STAND, ANIME_WALK, ANIME_FLY, ANIME_FLY_MOVE, BASIC_ANIMES };

    int32_t m_nInvincibleOffset = 0;
    int32_t m_nBlockOffset = 0;
    int32_t m_nFlyingOffset = 0;
    std::string m_sName;
    std::vector<cAnimeData> m_Animes;

    cAnimeSetData();
    void RegisterFields(int version) override;
    // Sets from before version 128 come back with exactly the four basic
    // animations, the flying ones under their names.
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // Offsets 4, 8 and 0; the four basic animations, named.
    void Reset();

    static const char* const BasicAnimeNames[BASIC_ANIMES];
};
