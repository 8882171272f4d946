#include "records/key_cond_data.h"

cKeyCondData::cKeyCondData()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cKeyCondData::Reset()
{
    Clear();
    m_KeyStates.assign(KEYSTATE_COUNT, 0);
}

void cKeyCondData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_bMirror);
    RegisterShort(&m_sMinFrames);
    RegisterShort(&m_sMaxFrames);
    RegisterByte(&m_bAnyLength);
    RegisterByte(&m_cMode);
}

bool cKeyCondData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    // The stored count stands, whatever it is: the stage reads a missing
    // entry as "not part of the step".
    in.ReadByteVector(m_KeyStates);
    return in.Ok();
}

void cKeyCondData::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    out.WriteByteVector(m_KeyStates);
}
