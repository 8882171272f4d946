#include "records/media_data.h"

#include "records/reserved_field.h"

cMediaData::cMediaData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cMediaData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 151) RegisterInt(&m_nReserved);
    RegisterString(&m_sName);
    RegisterString(&m_sFile);
}

bool cMediaData::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    ForgetOldReserved(m_nReserved);
    return ok;
}

cBmpCharaExcData::cBmpCharaExcData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cBmpCharaExcData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 152) RegisterInt(&m_nReserved);
    if (version >= 172) {
        RegisterInt(&m_bOwnCellSize);
        RegisterInt(&m_nCellSize);
    }
    RegisterString(&m_sName);
    RegisterString(&m_sFile);
}

bool cBmpCharaExcData::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    ForgetOldReserved(m_nReserved);
    return ok;
}
