#include "records/sword_type_data.h"

#include "records/record_list.h"
#include "records/reserved_field.h"

cSwordPartData::cSwordPartData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cSwordPartData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nOffsetX);
    RegisterInt(&m_nOffsetY);
    if (version >= 138) {
        RegisterInt(&m_bMirrorX);
        RegisterInt(&m_bMirrorY);
    }
    RegisterInt(&m_nPosition);
    RegisterInt(&m_nSrcX);
    RegisterInt(&m_nSrcY);
    RegisterInt(&m_nWidth);
    RegisterInt(&m_nHeight);
    RegisterInt(&m_nPartTime);
}

cSwordTypeData::cSwordTypeData()
{
    Reset();
}

void cSwordTypeData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 151) RegisterInt(&m_nReserved);
    RegisterString(&m_sName);
    RegisterString(&m_sFileA);
    RegisterString(&m_sFileB);
}

void cSwordTypeData::Reset()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_nReserved = 0;
    cSwordPartData part;
    part.m_bMirrorX = 1;
    part.m_nPartTime = 1;
    ResetRecords(m_Parts, 1, part);
}

bool cSwordTypeData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadSwordTypePartList(m_Parts, in);
    ForgetOldReserved(m_nReserved);
    return in.Ok();
}

void cSwordTypeData::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Parts, out);
}

bool ReadSwordTypePartList(std::vector<cSwordPartData>& parts, cDataReader& in)
{
    return ReadRecords(parts, in);
}
