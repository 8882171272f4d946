// A flow record file: conditions, key conditions, commands and the records
// commands hold.
#include "fuzz/record_target.h"
#include "records/flow_data.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cFlowData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    PrepareRecordLoading();
    cFlowData flow = DefaultListFlow();
    flow.m_Conditions.resize(2);
    flow.m_KeyConds.resize(1);
    flow.m_Commands.resize(2);
    return {RecordSeed("list_flow.dat", flow)};
}
