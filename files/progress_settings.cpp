#include "files/progress_settings.h"

#include "app/checked.h"

PROGRESSSETTINGS ProgressSettings;

int PROGRESSSETTINGS::CountModeGenres(int mode) const
{
    const PROGRESSMODESETTING& setting = CheckedAt(m_ModeSettings, mode);
    if (!setting.m_bRanking) return 0;
    int n = 0;
    for (uint8_t flag : setting.m_Genres) n += flag != 0;
    return n;
}

bool PROGRESSSETTINGS::GenreEnabled(int mode, int genre) const
{
    const std::vector<uint8_t>& genres = CheckedAt(m_ModeSettings, mode).m_Genres;
    return genre >= 0 && static_cast<size_t>(genre) < genres.size() && genres[genre] != 0;
}
