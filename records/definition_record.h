#pragma once
// The skeleton that every definition kept in a palette shares (blocks,
// characters, items, and any later kind): the head fields, the carried cell,
// the inherit flags and conditions, and the load and save sequence around
// them, so that a new kind adds only what is its own.
//
// Stored form: the record part (the class's registered fields), the carried
// cell column and row (int16 each), the class's middle part, the inherit flags
// (u32 n, n bytes), the conditions (u32 count, then the records), the class's
// tail part.
//
// Load: the record part, the carried cell, ReadMiddle, the flags and the
// conditions, ReadTail, UpgradeFrom(nFileVersion), InheritFromBase,
// ValidateStored; it returns in.Ok(). Save: ValidateStored, then the parts in
// the same order.
//
// A new kind derives from this class, registers the head fields among its own
// in RegisterFields (where they stand there is the class's stored layout),
// lists its group copies for inherit.h, and overrides the hooks it needs. The
// hooks, like Load itself, need not test each read (data_record.h).
#include <cstdint>
#include <string>
#include <vector>

#include "records/condition_data.h"
#include "records/data_record.h"

class cDefinitionRecord : public cDataRecord {
public:
    int8_t m_cInheritSource = 0;     // 0 none, 1 common palette, 2 stage palette; other values: itself
    int16_t m_sInheritIndex = 0;     // row of the base; 0 none
    std::string m_sName;
    int8_t m_cCondMode = 0;          // 0 all conditions hold, 1 at least one
    int8_t m_bCondLatch = 0;         // once held, the conditions count as holding

    // Not registered: carried with the definition.
    int16_t m_sCellX = 0;            // cell column of a placed definition
    int16_t m_sCellY = 0;            // cell row
    std::vector<uint8_t> m_InheritFlags;   // one per group; surplus flags are kept and do nothing
    std::vector<cConditionData> m_Conditions;

    bool Load(cDataReader& in) final;
    void Save(cDataWriter& out) final;

protected:
    // The class's own parts of the stored form (none by default).
    virtual void ReadMiddle(cDataReader& in) {}
    virtual void WriteMiddle(cDataWriter& out) {}
    virtual void ReadTail(cDataReader& in) {}
    virtual void WriteTail(cDataWriter& out) {}
    // Brings a definition read from a file of that data version to the current layout.
    virtual void UpgradeFrom(int fileVersion) {}
    // Takes the flagged groups from the base definition.
    virtual void InheritFromBase() {}
    // Repairs references before the definition is used or stored.
    virtual void ValidateStored() {}
};
