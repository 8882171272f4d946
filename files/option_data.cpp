#include "files/option_data.h"

#include <algorithm>
#include "app/base/log.h"
#include "files/load_or_keep.h"

cOptionData Options;

cOptionData::cOptionData()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_bBgm = 1;
    m_nVolume = 7;
    m_sRankingName = "aaa";
}

void cOptionData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nPalette);
    RegisterInt(&m_bBgm);
    RegisterInt(&m_nVolume);
    RegisterInt(&m_nRankingMode);
    RegisterString(&m_sRankingName);
}

bool cOptionData::Load(cDataReader& in)
{
    return LoadOrKeep(*this, [&](cOptionData& loaded) {
        if (!loaded.cDataRecord::Load(in)) return false;
        loaded.m_nPalette = std::clamp(loaded.m_nPalette, 0, OPTION_PALETTES - 1);
        loaded.m_nVolume = std::clamp(loaded.m_nVolume, 0, OPTION_VOLUME_STEPS - 1);
        loaded.m_nRankingMode = std::clamp(loaded.m_nRankingMode, 0, RANKING_ENTRY_MODES - 1);
        return true;
    });
}

int SaveOptions(cOptionData& options, const std::string& path)
{
    if (options.SaveFile(path)) return 1;
    ReportLog("%s の保存に失敗…", path.c_str());
    return 0;
}
