#include "records/stage_sub_records.h"

cScreenEdgeData::cScreenEdgeData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cScreenEdgeData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bLeft);
    if (version >= 125) {
        RegisterInt(&m_bRight);
        RegisterInt(&m_bTop);
        RegisterInt(&m_bBottom);
    }
    RegisterInt(&m_nLeft);
    RegisterInt(&m_nRight);
    RegisterInt(&m_nTop);
    RegisterInt(&m_nBottom);
}

void cScreenEdgeData::Set(int on, int margin)
{
    m_bLeft = m_bRight = m_bTop = m_bBottom = on;
    m_nLeft = m_nRight = m_nTop = m_nBottom = margin;
}

cBackgroundData::cBackgroundData()
{
    Reset();
}

void cBackgroundData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 62) RegisterInt(&m_bShown);
    RegisterInt(&m_bFill);
    RegisterInt(&m_nFillColor);
    RegisterInt(&m_nLayer);
    if (version >= 61) {
        RegisterDouble(&m_dRateX);
        RegisterDouble(&m_dRateY);
        RegisterInt(&m_bAutoScrollX);
        RegisterInt(&m_bAutoScrollY);
    }
    if (version >= 62) {
        RegisterDouble(&m_dAutoOffsetX);
        RegisterDouble(&m_dAutoOffsetY);
    } else {
        // Two ints of the early layouts that nothing uses any more.
        RegisterDiscard(4);
        RegisterDiscard(4);
    }
    RegisterString(&m_sImage);
}

void cBackgroundData::Reset()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_bShown = 1;
    m_nFillColor = 16;
    m_dRateX = 0.1;
    m_dRateY = 0.1;
}

cStringData::cStringData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cStringData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterString(&m_sText);
}

cNamedIntData::cNamedIntData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cNamedIntData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nValue);
    RegisterString(&m_sName);
}

cIntPairData::cIntPairData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cIntPairData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nFirst);
    RegisterInt(&m_nSecond);
}
