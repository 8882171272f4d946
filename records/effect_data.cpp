#include "records/effect_data.h"

#include "records/record_list.h"
#include "records/reserved_field.h"

cEffectFrameData::cEffectFrameData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cEffectFrameData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nCell);
    RegisterInt(&m_nFrameTime);
}

cEffectData::cEffectData()
{
    Reset();
}

void cEffectData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 151) RegisterInt(&m_nReserved);
    RegisterInt(&m_nCellWidth);
    RegisterInt(&m_nCellHeight);
    RegisterInt(&m_bScaleBySize);
    RegisterString(&m_sName);
    RegisterString(&m_sFile);
}

void cEffectData::Reset()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_nReserved = 0;
    m_nCellWidth = 32;
    m_nCellHeight = 32;
    m_bScaleBySize = 0;
    m_Frames.clear();
}

bool cEffectData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    LoadList(m_Frames, in);
    ForgetOldReserved(m_nReserved);
    return in.Ok();
}

void cEffectData::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Frames, out);
}

bool cEffectData::LoadList(std::vector<cEffectFrameData>& frames, cDataReader& in)
{
    return ReadRecords(frames, in);
}
