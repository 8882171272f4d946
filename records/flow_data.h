#pragma once
// A flow: the unit of a character's behaviour. A trigger starts it when its
// conditions hold and its key-input sequence has been entered; its commands
// then run one after another.
//
// Stored form: the record part (eight bytes, and from version 676 the name),
// then the conditions, the key conditions and the commands, each a u32 count
// followed by the records.
#include <cstdint>
#include <string>
#include <vector>

#include "records/command_data.h"
#include "records/condition_data.h"
#include "records/data_record.h"
#include "records/flow_labels.h"
#include "records/key_cond_data.h"
#include "records/record_list.h"

class cFlowData : public cDataRecord {
public:
    // The record part and the three list counts.
    static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4 + 4;

    std::string m_sName;                       // the editor's name; always empty once read
    uint8_t m_cFlowId = 0;                     // 0 none, 1..26 "A".."Z"
    uint8_t m_cFlag = 0;                       // 0 none, 1..26 "a".."z": always-flows sharing one run one at a time
    uint8_t m_bEditorOnly = 0;                 // removed when read, unless editor-only flows are kept
    std::vector<cConditionData> m_Conditions;
    int8_t m_cCondMode = 0;                    // 0 all hold, 1 at least one holds
    uint8_t m_bCondLatch = 0;                  // once held, the conditions count as holding
    int8_t m_cTrigger = TRIGGER_ALWAYS;
    int8_t m_cKeyWindow = 0;                   // frames the key matching may look back per step
    uint8_t m_bKeyRepeat = 0;                  // 1: fires again while the keys keep matching
    std::vector<cKeyCondData> m_KeyConds;      // first step first; empty: no key condition
    std::vector<cCommandData> m_Commands;

    // Empty lists and name, registered with DATA_VERSION, cleared.
    cFlowData();

    void RegisterFields(int version) override;
    // The flow with its lists, the upgrades of older files, the name
    // emptied, Validate.
    bool Load(cDataReader& in) override;
    // Validate, then the flow as stored.
    void Save(cDataWriter& out) override;

    // Validates every command.
    void Validate();
    // Repairs every command's references into the palettes.
    void ValidateRefs();
};

// The element that flow lists grow with: a cleared flow whose key window is 3.
cFlowData DefaultListFlow();

// Reads a stored flow list; every element starts as DefaultListFlow(). The
// caller removes editor-only flows (EraseMarkedFlows) where its list wants it.
bool ReadFlowList(std::vector<cFlowData>& list, cDataReader& in);

// Removes every flow marked editor-only, keeping the order of the rest;
// nothing when editor-only flows are kept (RecordContext).
void EraseMarkedFlows(std::vector<cFlowData>& list);
