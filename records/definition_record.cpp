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
    // What inheriting copies is charged against the file's size, so that a
    // chain of bases cannot make a small file cost without bound.
    const uint64_t copiedBefore = RecordsCopied();
    InheritFromBase();
    in.ChargeBuilt(static_cast<size_t>(RecordsCopied() - copiedBefore));
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
