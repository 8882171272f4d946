#pragma once
// One step of a flow's key-input sequence: which keys must be pressed or
// released, for how long, and how many of them must hold.
//
// Stored form: the record part (five fields, no strings), then a u32 count
// and that many key-state bytes, kept at the stored count.
#include <cstdint>
#include <vector>

#include "records/data_record.h"

// Key-state entries: 0 to 9 the direction lists (neutral, left, right, up,
// down, left-up, left-down, right-up, right-down, any direction), 10 to 18 the
// button lists (no button, buttons 1 to 8).
enum { KEYSTATE_COUNT = 19, KEYSTATE_FIRST_BUTTON = 10 };
// Marks of a key-state entry.
enum { KEYMARK_NONE = 0, KEYMARK_PRESSED = 1, KEYMARK_RELEASED = 2 };

class cKeyCondData : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 8 + 4;

    std::vector<uint8_t> m_KeyStates;  // one mark per key
    uint8_t m_bMirror = 0;             // facing left: the direction marks are read mirrored
    int16_t m_sMinFrames = 0;          // a pressed mark holds after this many frames...
    int16_t m_sMaxFrames = 0;          // ...up to this many
    uint8_t m_bAnyLength = 0;          // a pressed mark holds from one frame on
    int8_t m_cMode = 0;                // 0 all, 1 any, 2 exactly one marked key

    // Registered with DATA_VERSION, then Reset.
    cKeyCondData();

    // Every field 0 and 19 key states, all 0.
    void Reset();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
};
