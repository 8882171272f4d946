#include "records/definition_record.h"

#include "records/record_list.h"

bool cDefinitionRecord::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    in.ReadI16(m_sCellX);
    in.ReadI16(m_sCellY);
    ReadMiddle(in);
    in.ReadByteVector(m_InheritFlags);
    ReadConditionList(m_Conditions, in);
    ReadTail(in);
    UpgradeFrom(nFileVersion);
    InheritFromBase();
    ValidateStored();
    return in.Ok();
}

void cDefinitionRecord::Save(cDataWriter& out)
{
    ValidateStored();
    cDataRecord::Save(out);
    out.WriteI16(m_sCellX);
    out.WriteI16(m_sCellY);
    WriteMiddle(out);
    out.WriteByteVector(m_InheritFlags);
    WriteRecords(m_Conditions, out);
    WriteTail(out);
}
