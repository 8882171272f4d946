#include "records/flow_data.h"

#include <algorithm>

#include "records/record_context.h"

cFlowData::cFlowData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cFlowData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cFlowId);
    RegisterByte(&m_cFlag);
    RegisterByte(&m_bEditorOnly);
    RegisterByte(&m_cCondMode);
    RegisterByte(&m_bCondLatch);
    RegisterByte(&m_cTrigger);
    RegisterByte(&m_cKeyWindow);
    RegisterByte(&m_bKeyRepeat);
    if (version >= 676) RegisterString(&m_sName);
}

bool cFlowData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadConditionList(m_Conditions, in);
    ReadRecords(m_KeyConds, in);
    ReadCommandList(m_Commands, in);
    if (nFileVersion < DATA_VERSION) {
        // Triggers were inserted at 11 and, later, two at 5; an old trigger 11
        // thus ends as 14.
        if (nFileVersion <= 131 && m_cTrigger >= 11) ++m_cTrigger;
        if (nFileVersion < 163 && m_cTrigger != TRIGGER_ALWAYS) m_cFlag = 0;
        if (nFileVersion < 164 && m_cTrigger >= 5) m_cTrigger = static_cast<int8_t>(m_cTrigger + 2);
    }
    // Names serve the editor only.
    m_sName.clear();
    Validate();
    return in.Ok();
}

void cFlowData::Save(cDataWriter& out)
{
    Validate();
    cDataRecord::Save(out);
    WriteRecords(m_Conditions, out);
    WriteRecords(m_KeyConds, out);
    WriteRecords(m_Commands, out);
}

void cFlowData::Validate()
{
    for (cCommandData& command : m_Commands) command.Validate();
}

void cFlowData::ValidateRefs()
{
    for (cCommandData& command : m_Commands) command.ValidateRefs();
}

cFlowData DefaultListFlow()
{
    cFlowData flow;
    flow.m_cKeyWindow = 3;
    return flow;
}

bool ReadFlowList(std::vector<cFlowData>& list, cDataReader& in)
{
    return ReadRecords(list, in, DefaultListFlow());
}

void EraseMarkedFlows(std::vector<cFlowData>& list)
{
    if (RecordContext.KeepsEditorOnlyFlows()) return;
    list.erase(std::remove_if(list.begin(), list.end(), [](const cFlowData& flow) { return flow.m_bEditorOnly != 0; }),
               list.end());
}
