#include "files/system_sub_records.h"

#include <utility>

cMenuItem::cMenuItem()
{
    RegisterFields(DATA_VERSION);
}

cMenuItem::cMenuItem(int visible, std::string text) : m_bVisible(visible), m_strText(std::move(text))
{
    RegisterFields(DATA_VERSION);
}

void cMenuItem::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bVisible);
    RegisterString(&m_strText);
}

cStatusItem::cStatusItem()
{
    RegisterFields(DATA_VERSION);
}

void cStatusItem::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bVisible);
    RegisterInt(&m_bIcon);
    RegisterInt(&m_nDigits);
    if (version >= 204) RegisterInt(&m_bShowValue);
    if (version >= 587) {
        RegisterInt(&m_nLowLevel);
        RegisterInt(&m_bLowPercent);
    }
    RegisterString(&m_strLabel);
}

bool cStatusItem::Load(cDataReader& in)
{
    const bool ok = cDataRecord::Load(in);
    if (nFileVersion < 204) m_bShowValue = 1;
    return ok;
}

cModeSetting::cModeSetting() : m_Genres(5, 0)
{
    RegisterFields(DATA_VERSION);
}

void cModeSetting::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bRanking);
}

bool cModeSetting::Load(cDataReader& in)
{
    if (!cDataRecord::Load(in)) return false;
    return in.ReadByteVector(m_Genres);
}

void cModeSetting::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    out.WriteByteVector(m_Genres);
}

cIniOption::cIniOption()
{
    RegisterFields(DATA_VERSION);
}

void cIniOption::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nKind);
    RegisterString(&m_strKey);
    RegisterInt(&m_nValue);
    RegisterString(&m_strValue);
}

cIniOption& cIniOption::SetInt(const char* key, int value)
{
    m_strKey = key;
    m_nKind = 0;
    m_nValue = value;
    return *this;
}

cIniOption& cIniOption::SetString(const char* key, const char* text)
{
    m_strKey = key;
    m_nKind = 1;
    m_strValue = text;
    return *this;
}
