// Bringing the system settings of an older data version up to date. Each
// step belongs to the version that changed the settings and runs, in order,
// for every file older than that version. Steps on lists that an old file does
// not hold act on what the object held before the load (the defaults).
#include "files/list_fields.h"
#include "files/system_data.h"
#include "files/system_defaults.h"

namespace {

using Step = void (*)(cSystemData& s, int version);

struct UpgradeStep {
    int nBelow;
    Step apply;
};

template <class T>
void InsertAt(std::vector<T>& list, int index, const T& value)
{
    InsertGap(list, index);
    if (index >= 0 && static_cast<size_t>(index) < list.size()) list[index] = value;
}

void InsertText(cSystemData& s, int index, const char* text)
{
    s.m_TextList.resize(SYSTEM_TEXTS);
    InsertAt(s.m_TextList, index, std::string(text));
}

void InsertCarryOver(cSystemData& s, int index, unsigned char keep)
{
    s.m_CarryOverKeep.resize(CARRYOVER_GROUPS);
    InsertAt(s.m_CarryOverKeep, index, keep);
}

void InsertIniOption(cSystemData& s, int index, const char* key, int value)
{
    s.m_IniOptions.resize(INI_OPTIONS);
    InsertAt(s.m_IniOptions, index, cIniOption().SetInt(key, value));
}

void AddAutoSave(cSystemData& s, int)
{
    std::vector<cMenuItem>& menu = s.m_WorldMapMenu;
    menu.resize(4);
    menu[3] = menu[2];
    menu[2] = menu[1];
    menu[1] = cMenuItem(1, "オートセーブ");
    // Texts 12 to 14 end as ON, OFF and the message.
    InsertText(s, 12, "保存先が不明です！一度は「セーブ」して下さい！");
    InsertText(s, 12, "オートセーブＯＦＦ");
    InsertText(s, 12, "オートセーブＯＮ");
}

void AddHpSpGenres(cSystemData& s, int)
{
    for (size_t mode = 0; mode < s.m_ModeSettings.size() && mode < PLAYMODE_COUNT; ++mode) {
        std::vector<unsigned char>& genres = s.m_ModeSettings[mode].m_Genres;
        genres.resize(RANKING_GENRES);
        genres[3] = genres[4] = 0;
    }
    InsertText(s, 8, "残りHP");
    InsertText(s, 9, "残りSP");
}

void AddGaugeWarning(cSystemData& s, int)
{
    s.m_StatusItems.resize(STATUS_ITEMS);
    for (int item : {2, 3}) {
        s.m_StatusItems[item].m_nLowLevel = 33;
        s.m_StatusItems[item].m_bLowPercent = 1;
    }
}

const UpgradeStep kSteps[] = {
    {113, [](cSystemData& s, int) { s.m_bKeepFlaggedFlows = 0; }},
    {157, [](cSystemData& s, int) { s.m_bTitleMenuImage = 0; }},
    {167, [](cSystemData& s, int) {
         s.m_bMapShowBest = s.m_bMenuShowTotal = s.m_bChallengeShowBest = s.m_bChallengeShowTotal = 1;
     }},
    {168, [](cSystemData& s, int) { InsertCarryOver(s, 16, 1); }},
    {169, AddAutoSave},
    {170, [](cSystemData& s, int) { s.m_bCenterGlyphs = 0; }},
    {181, AddHpSpGenres},
    {184, [](cSystemData& s, int) { s.m_bReplay = 1; }},
    {185, [](cSystemData& s, int) { s.m_bExtraLifeByScore = 1; }},
    {187, [](cSystemData& s, int) {
         s.m_bFullColor = 0;
         s.m_TransparentColor[0] = 0;
         s.m_TransparentColor[1] = 177;
         s.m_TransparentColor[2] = 0;
     }},
    {188, [](cSystemData& s, int) { s.m_bStoryRestoreVars = s.m_bChallengeRestoreVars = s.m_bFreeRestoreVars = 1; }},
    {191, [](cSystemData& s, int) {
         s.m_InfiniteLives = {0, 0, 0, 1};
         s.m_bStoryRetryPrompt = 0;
         s.m_bMapShowLives = 0;
     }},
    {192, [](cSystemData& s, int) { s.m_bDirectRestoreVars = 1; }},
    {193, [](cSystemData& s, int) {
         InsertText(s, 22, "リトライ");
         InsertText(s, 23, "マップへ戻る");
     }},
    {201, [](cSystemData& s, int) { InsertCarryOver(s, 14, 0); }},
    {202, [](cSystemData& s, int) { s.m_MenuBgmLoop = {1, 1, 1, 1}; }},
    {205, [](cSystemData& s, int) { s.m_nFontFace = DEFAULT_FONT_FACE; }},
    {210, [](cSystemData& s, int) { InsertCarryOver(s, 9, 0); }},
    {214, [](cSystemData& s, int) { s.m_bNoScrollCarry = 1; }},
    {224, [](cSystemData& s, int) { s.m_bStoryRestartCleared = s.m_bChallengeRestartCleared = 0; }},
    {261, [](cSystemData& s, int) { s.m_bRescaleByHitHeight = 1; }},
    {272, [](cSystemData& s, int) { s.m_bKeepDefeatedChara = 0; }},
    {286, [](cSystemData& s, int) {
         InsertIniOption(s, 0, "Direct3D", 1);
         // VSync 3 and above meant what 2 means now.
         if (s.m_IniOptions[3].m_nValue >= 3) s.m_IniOptions[3].m_nValue = 2;
     }},
    {287, [](cSystemData& s, int) { s.m_bD3DCharaColor = 0; }},
    {289, [](cSystemData& s, int) { s.m_bPaletteCycle = s.m_bFullColor == 0 ? 1 : 0; }},
    {501, [](cSystemData& s, int) { s.m_CarryOverReset.assign(CARRYOVER_GROUPS, 0); }},
    {515, [](cSystemData& s, int) { s.m_nColorCycleStep = 16; }},
    {525, [](cSystemData& s, int) { s.m_bFlowRefire = 1; }},
    {555, [](cSystemData& s, int) { s.m_bThunderNoGap = 1; }},
    {567, [](cSystemData& s, int) { InsertIniOption(s, 4, "DD_VideoStretch", 0); }},
    {568, [](cSystemData& s, int) {
         InsertIniOption(s, 4, "D3D_FontCache", 0);
         InsertIniOption(s, 5, "DD_FontCache", 1);
     }},
    {587, AddGaugeWarning},
    {637, [](cSystemData& s, int version) { s.m_bPlaceIgnoresCond = version <= 616 ? 1 : 0; }},
    {669, [](cSystemData& s, int) { s.m_bKeyOverlap = 1; }},
    {670, [](cSystemData& s, int) {
         s.m_nD3DFullBpp = 0;
         s.m_nDDFullBpp = 2;
     }},
    {672, [](cSystemData& s, int) {
         s.m_IniOptions.resize(INI_OPTIONS);
         s.m_IniOptions[9] = cIniOption().SetInt("English", 0);
     }},
    {677, [](cSystemData& s, int) { s.m_bRisingLands = 1; }},
    {695, [](cSystemData& s, int) { s.m_bKeepNegativeTime = 1; }},
    {696, [](cSystemData& s, int) { s.m_bReserved696 = 1; }},
    {697, [](cSystemData& s, int) { s.m_bLegacyStartTrigger = 1; }},
};

} // namespace

void cSystemData::Upgrade(int version)
{
    for (const UpgradeStep& step : kSteps)
        if (version < step.nBelow) step.apply(*this, version);
}
