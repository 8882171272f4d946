#include "tools/sample/system_settings.h"

#include <string>

#include "tools/sample/definitions.h"
#include "tools/sample/sounds.h"

namespace {
enum { STATUS_TOTAL, STATUS_SCORE, STATUS_HP, STATUS_SP, STATUS_LIVES };
enum { GENRE_SCORE, GENRE_TIME_LEFT, GENRE_CLEAR_TIME, GENRE_HP_LEFT, GENRE_SP_LEFT };

// Rankings on, every genre but the remaining SP, which the hero does not have.
cModeSetting Ranked()
{
    cModeSetting setting;
    setting.m_bRanking = 1;
    setting.m_Genres.assign(RANKING_GENRES, 1);
    setting.m_Genres[GENRE_SP_LEFT] = 0;
    return setting;
}
}  // namespace

void MakeSystemSettings(cSystemData& s)
{
    s.m_strTitle = "Sunny Hills";

    // Pictures on the one shared palette; the palette's hue circle turns in
    // 8-bit display.
    s.m_bFullColor = 0;
    s.m_bPaletteCycle = 1;

    // The title menu is drawn from the menu picture, one row per item kind.
    s.m_bTitleMenuImage = 1;

    // Story: five lives, kept from stage to stage; challenges and stage files
    // are played with lives that do not run out; a replay plays what it holds.
    s.m_DefaultLives = {5, 5, 5, 99};
    s.m_InfiniteLives = {0, 1, 1, 1};
    s.m_ModeSettings = {Ranked(), Ranked(), Ranked(), cModeSetting()};
    s.m_ModeSettings[PLAYMODE_REPLAY].m_Genres.assign(RANKING_GENRES, 0);
    s.m_bExtraLifeByScore = 1;
    s.m_nExtraLifeScore = 2000;

    s.m_nChallengeCount = SAMPLE_CHALLENGES;
    s.m_bChallengeAllOpen = 1;
    // The challenge list names its stages "チャレンジ1", "チャレンジ2": the
    // game has no worlds.
    s.m_TextList[0] = "チャレンジ";

    // The status bar: scores, the HP gauge (low below a third) and the lives;
    // the hero has no SP.
    s.m_StatusItems[STATUS_HP].m_nLowLevel = 33;
    s.m_StatusItems[STATUS_HP].m_bLowPercent = 1;
    s.m_StatusItems[STATUS_SP].m_bVisible = 0;

    s.m_SoundFiles.assign(SYSTEM_SOUNDS, std::string());
    for (int i = 0; i < SYSTEM_SOUNDS; ++i) s.m_SoundFiles[i] = std::string("wave\\") + SYSTEM_SOUND_NAMES[i] + ".wav";
    s.m_MenuBgm.assign(MENU_BGM_SLOTS, BGM_THEME);
    s.m_MenuBgmLoop.assign(MENU_BGM_SLOTS, 1);

    // The defaults of "System.ini" as the generated file gives them: a
    // window, Direct3D, no frame counter.
    s.m_IniOptions[0].SetInt("Direct3D", 1);
    s.m_IniOptions[1].SetInt("WindowMode", 1);
    s.m_IniOptions[7].SetInt("ShowFps", 0);
}
