#pragma once
// One condition: a test of a variable, a status, a state or a distance that
// the stage evaluates while it plays. Blocks, characters, items and flows hold
// lists of them with a mode (all or any) and a latch of their own.
//
// Stored form: the record part only (no strings, nothing after it). Files
// before 110 hold fewer fields (see RegisterFields); Load brings every older
// condition to the current meaning of its fields.
#include <cstdint>
#include <vector>

#include "records/data_record.h"
#include "records/record_list.h"

// Condition kinds (m_cKind).
enum {
    CONDITION_NONE = 0,        // never holds
    CONDITION_COMMON_VAR = 1,  // common variable [index] op value
    CONDITION_STAGE_VAR = 2,   // stage variable [index] op value
    CONDITION_CHARA_VAR = 3,   // the character's own variable [index] op value
    CONDITION_STATUS = 4,      // a status or variable against a constant, random, status or variable
    CONDITION_STATUS2 = 5,     // a state of the subject op index
    CONDITION_STATUS3 = 6,     // a fact about the subject (facing, on a block, on screen), negated by op 1
    CONDITION_DISTANCE = 7,    // distance to the hero or target within / outside value x 16 + right index
};

class cConditionData : public cDataRecord {
public:
    int8_t m_cKind = 0;
    uint8_t m_cLeftClass = 0;    // kind 4: 0 a status on the left, 1 a variable
    uint8_t m_cLeftScope = 0;    // kind 4 with a variable: 0 common, 1 stage variables
    uint8_t m_cSubject = 0;      // 0 the character, 1 its target, 2 the system; kind 7: 0 hero, 1 target
    uint8_t m_cStatus = 0;       // the status or state tested
    int16_t m_sIndex = 0;        // variable index; kind 5: the comparison value
    uint8_t m_cRightSource = 0;  // kind 4: 0 value, 1 random, 2 status, 3 variable
    int32_t m_nValue = 0;        // comparison value; kind 7: distance in half blocks
    int32_t m_nRandomLow = 0;
    int32_t m_nRandomHigh = 0;
    uint8_t m_cRightSubject = 0;
    uint8_t m_cRightStatus = 0;
    uint8_t m_cRightScope = 0;
    int16_t m_sRightIndex = 0;   // kind 7: extra distance in pixels
    int8_t m_cOperator = 0;      // comparison 0..7; kind 6: negation; kind 7: 0 within, 1 outside
    uint8_t m_bPercent = 0;      // kind 4: the comparison value is a percentage of the maximum
    uint8_t m_cAxis = 0;         // kind 7: 0..6

    // Registered with DATA_VERSION and cleared: kind 0, every field 0.
    cConditionData();

    void RegisterFields(int version) override;
    // The record, then the upgrades of older files.
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // Conditions have nothing to repair; kept so the owners' validation reads alike.
    void Validate() {}
};

// Reads a stored list of conditions (u32 count, then the records) into list,
// which ends with exactly the conditions read. Owners write their lists with
// WriteRecords.
bool ReadConditionList(std::vector<cConditionData>& list, cDataReader& in);
