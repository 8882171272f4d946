#include "records/condition_data.h"

cConditionData::cConditionData()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cConditionData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterByte(&m_cKind);
    RegisterInt(&m_nValue);
    if (version >= 110) {
        RegisterInt(&m_nRandomLow);
        RegisterInt(&m_nRandomHigh);
        RegisterByte(&m_cSubject);
        RegisterByte(&m_cStatus);
        RegisterByte(&m_cLeftClass);
        RegisterByte(&m_cLeftScope);
        RegisterShort(&m_sIndex);
        RegisterByte(&m_cRightSource);
        RegisterByte(&m_cRightSubject);
        RegisterByte(&m_cRightStatus);
        RegisterByte(&m_cRightScope);
        RegisterShort(&m_sRightIndex);
    } else {
        // Two 16-bit fields that the old layout kept here have no meaning now.
        RegisterDiscard(2);
        RegisterDiscard(2);
    }
    RegisterByte(&m_cOperator);
    if (version >= 43) RegisterByte(&m_bPercent);
    RegisterByte(&m_cAxis);
}

bool cConditionData::Load(cDataReader& in)
{
    bool ok = cDataRecord::Load(in);
    if (nFileVersion < DATA_VERSION) {
        // Two state kinds were added before the distance kind.
        if (nFileVersion < 160 && m_cKind >= 5) m_cKind = static_cast<int8_t>(m_cKind + 2);
        // "Stands on a block" was stored with the opposite sense.
        if (nFileVersion <= 160 && m_cKind == CONDITION_STATUS3 && m_cStatus == 2) m_cOperator ^= 1;
        // Character statuses were inserted twice into the status list, at 10
        // and then at 5; system statuses (subject 2) kept their numbers.
        auto shiftCharaStatuses = [this](int from) {
            if (m_cLeftClass == 0 && m_cSubject != 2 && m_cStatus >= from) ++m_cStatus;
            if (m_cRightSource == 2 && m_cRightSubject != 2 && m_cRightStatus >= from) ++m_cRightStatus;
        };
        if (nFileVersion < 168 && m_cKind == CONDITION_STATUS) shiftCharaStatuses(10);
        if (nFileVersion < 203 && m_cKind == CONDITION_STATUS) shiftCharaStatuses(5);
        // A character state was inserted at 6.
        if (nFileVersion < 210 && m_cKind == CONDITION_STATUS2 && m_cSubject != 2 && m_cStatus >= 6) ++m_cStatus;
        // Distances were measured to the hero only.
        if (nFileVersion <= 656 && m_cKind == CONDITION_DISTANCE) m_cSubject = 0;
    }
    Validate();
    return ok;
}

void cConditionData::Save(cDataWriter& out)
{
    Validate();
    cDataRecord::Save(out);
}

bool ReadConditionList(std::vector<cConditionData>& list, cDataReader& in)
{
    return ReadRecords(list, in);
}
