#include "files/system_data.h"

#include <cstdint>

#include "app/base/checked.h"
#include "app/base/sjis.h"
#include "files/list_fields.h"
#include "files/load_or_keep.h"
#include "files/system_defaults.h"
#include "records/record_context.h"
#include "records/record_list.h"

cSystemData SystemData;

cSystemData::cSystemData()
{
    RegisterFields(DATA_VERSION);
    SetDefault();
}

void cSystemData::RegisterFields(int version)
{
    ClearFieldTables();
    // The order is the file's; a field added later sits where it was put,
    // not at the end.
    if (version >= 185) RegisterInt(&m_bExtraLifeByScore);
    RegisterInt(&m_nExtraLifeScore);
    RegisterInt(&m_bPauseHidesStage);
    RegisterInt(&m_bIconLetters);
    if (version >= 205) RegisterInt(&m_nFontFace);
    if (version >= 170) RegisterInt(&m_bCenterGlyphs);
    if (version >= 113) RegisterInt(&m_bKeepFlaggedFlows);
    if (version >= 184) RegisterInt(&m_bReplay);
    if (version >= 157) RegisterInt(&m_bTitleMenuImage);
    RegisterInt(&m_bStoryKeepLives);
    if (version >= 191) {
        RegisterInt(&m_bStoryRetryPrompt);
        RegisterInt(&m_bMapShowLives);
    }
    RegisterInt(&m_nChallengeCount);
    RegisterInt(&m_bChallengeAllOpen);
    if (version >= 167) {
        RegisterInt(&m_bMapShowBest);
        RegisterInt(&m_bMenuShowTotal);
    }
    if (version >= 188) RegisterInt(&m_bStoryRestoreVars);
    if (version >= 224) RegisterInt(&m_bStoryRestartCleared);
    if (version >= 167) {
        RegisterInt(&m_bChallengeShowBest);
        RegisterInt(&m_bChallengeShowTotal);
    }
    if (version >= 188) RegisterInt(&m_bChallengeRestoreVars);
    if (version >= 224) RegisterInt(&m_bChallengeRestartCleared);
    if (version >= 188) RegisterInt(&m_bFreeRestoreVars);
    if (version >= 192) RegisterInt(&m_bDirectRestoreVars);
    if (version >= 187) {
        RegisterInt(&m_bFullColor);
        // Three fields of one byte each, not one field of three.
        RegisterByte(&m_TransparentColor[0]);
        RegisterByte(&m_TransparentColor[1]);
        RegisterByte(&m_TransparentColor[2]);
    }
    if (version >= 214) RegisterInt(&m_bNoScrollCarry);
    // A value these versions held and nothing uses any more.
    if (version >= 221 && version <= 259) RegisterDiscard(4);
    if (version >= 261) RegisterInt(&m_bRescaleByHitHeight);
    if (version >= 272) RegisterInt(&m_bKeepDefeatedChara);
    if (version >= 287) RegisterInt(&m_bD3DCharaColor);
    if (version >= 515) RegisterInt(&m_nColorCycleStep);
    if (version >= 289) RegisterInt(&m_bPaletteCycle);
    if (version >= 525) RegisterInt(&m_bFlowRefire);
    if (version >= 555) RegisterInt(&m_bThunderNoGap);
    if (version >= 637) RegisterInt(&m_bPlaceIgnoresCond);
    if (version >= 669) RegisterInt(&m_bKeyOverlap);
    if (version >= 677) RegisterInt(&m_bRisingLands);
    if (version >= 695) RegisterInt(&m_bKeepNegativeTime);
    if (version >= 696) RegisterInt(&m_bReserved696);
    if (version >= 697) RegisterInt(&m_bLegacyStartTrigger);
    if (version >= 670) {
        RegisterInt(&m_nD3DFullBpp);
        RegisterInt(&m_nDDFullBpp);
    }
    RegisterString(&m_strTitle);
}

bool cSystemData::Load(cDataReader& in)
{
    const int version = nFileVersion;
    // The lists an older file lacks start from what this object held.
    return LoadOrKeep(*this, [&](cSystemData& loaded) {
        if (!loaded.cDataRecord::Load(in) || !loaded.LoadLists(in)) return false;
        if (version < DATA_VERSION) loaded.Upgrade(version);
        loaded.RepairAfterLoad();
        loaded.Normalize();
        return true;
    });
}

bool cSystemData::LoadLists(cDataReader& in)
{
    const int version = nFileVersion;
    // A failed read fails every read after it, so the lists need no test of
    // their own in between.
    in.ReadByteVector(m_CarryOverKeep);
    if (version >= 501) in.ReadByteVector(m_CarryOverReset);
    ReadRecords(m_StatusItems, in);
    in.ReadIntVector(m_DefaultLives);
    if (version >= 191) in.ReadIntVector(m_InfiniteLives);
    if (version >= 186) ReadRecords(m_ModeSettings, in);
    ReadStringList(m_TextList, in);
    ReadStringList(m_SoundFiles, in);
    in.ReadIntVector(m_MenuBgm);
    if (version >= 202) in.ReadByteVector(m_MenuBgmLoop);
    ReadRecords(m_TitleMenu, in);
    ReadRecords(m_WorldMapMenu, in);
    ReadRecords(m_OptionMenu, in);
    if (version >= 674) ReadStringList(m_RankingModeNames, in);
    ReadRecords(m_IniOptions, in);
    return in.Ok();
}

void cSystemData::Save(cDataWriter& out)
{
    Normalize();
    cDataRecord::Save(out);
    out.WriteByteVector(m_CarryOverKeep);
    out.WriteByteVector(m_CarryOverReset);
    WriteRecords(m_StatusItems, out);
    out.WriteIntVector(m_DefaultLives);
    out.WriteIntVector(m_InfiniteLives);
    WriteRecords(m_ModeSettings, out);
    WriteStringList(m_TextList, out);
    WriteStringList(m_SoundFiles, out);
    out.WriteIntVector(m_MenuBgm);
    out.WriteByteVector(m_MenuBgmLoop);
    WriteRecords(m_TitleMenu, out);
    WriteRecords(m_WorldMapMenu, out);
    WriteRecords(m_OptionMenu, out);
    WriteStringList(m_RankingModeNames, out);
    WriteRecords(m_IniOptions, out);
}

void cSystemData::Normalize()
{
    // Compared without sign: a negative entry is no tune either.
    const uint32_t tunes = static_cast<uint32_t>(RecordContext.nBgms);
    for (int32_t& tune : m_MenuBgm)
        if (static_cast<uint32_t>(tune) >= tunes) tune = 0;
}

void cSystemData::RepairAfterLoad()
{
    const cSystemData defaults;
    PadToDefaults(m_CarryOverKeep, defaults.m_CarryOverKeep);
    PadToDefaults(m_CarryOverReset, defaults.m_CarryOverReset);
    PadToDefaults(m_StatusItems, defaults.m_StatusItems);
    PadToDefaults(m_DefaultLives, defaults.m_DefaultLives);
    PadToDefaults(m_InfiniteLives, defaults.m_InfiniteLives);
    PadToDefaults(m_ModeSettings, defaults.m_ModeSettings);
    for (cModeSetting& mode : m_ModeSettings)
        if (mode.m_Genres.size() < RANKING_GENRES) mode.m_Genres.resize(RANKING_GENRES, 0);
    PadToDefaults(m_TextList, defaults.m_TextList);
    PadToDefaults(m_SoundFiles, defaults.m_SoundFiles);
    PadToDefaults(m_MenuBgm, defaults.m_MenuBgm);
    PadToDefaults(m_MenuBgmLoop, defaults.m_MenuBgmLoop);
    PadToDefaults(m_TitleMenu, defaults.m_TitleMenu);
    PadToDefaults(m_WorldMapMenu, defaults.m_WorldMapMenu);
    PadToDefaults(m_OptionMenu, defaults.m_OptionMenu);
    PadToDefaults(m_RankingModeNames, defaults.m_RankingModeNames);
    PadToDefaults(m_IniOptions, defaults.m_IniOptions);
    if (m_nFontFace < 0 || m_nFontFace >= FONT_FACES) m_nFontFace = DEFAULT_FONT_FACE;
    if (m_nChallengeCount < 0) m_nChallengeCount = 0;
    if (m_nChallengeCount > MAX_CHALLENGES) m_nChallengeCount = MAX_CHALLENGES;
}

int cSystemData::CountModeGenres(int mode) const
{
    const cModeSetting& setting = CheckedAt(m_ModeSettings, mode);
    if (!setting.m_bRanking) return 0;
    int ranked = 0;
    for (unsigned char genre : setting.m_Genres)
        if (genre) ++ranked;
    return ranked;
}

bool cSystemData::GenreEnabled(int mode, int genre) const
{
    const std::vector<unsigned char>& genres = CheckedAt(m_ModeSettings, mode).m_Genres;
    return genre >= 0 && static_cast<size_t>(genre) < genres.size() && genres[genre] != 0;
}

int IsGaugeLow(int item, int value, int max)
{
    const cStatusItem& status = CheckedAt(SystemData.m_StatusItems, item);
    // With a max of 0 the quotient is infinite or not a number, and the
    // comparison still gives an answer.
    if (status.m_bLowPercent) return status.m_nLowLevel >= value * 100.0 / max ? 1 : 0;
    return value <= status.m_nLowLevel ? 1 : 0;
}

int MenuTextWidth(int firstText, int count)
{
    int widest = 0;
    for (int i = firstText; i < firstText + count; ++i) {
        const int width = CountDisplayChars(CheckedAt(SystemData.m_TextList, i).c_str());
        if (width > widest) widest = width;
    }
    return widest;
}

int GetMenuLeft(int centreX, int firstText, int count, int cursor)
{
    return centreX - (MenuTextWidth(firstText, count) + (cursor ? 1 : 0)) * 8;
}

std::string MenuWindowText(int firstText, int count, int cursor)
{
    std::string text;
    for (int i = firstText; i < firstText + count; ++i) {
        if (cursor) text += ' ';
        text += CheckedAt(SystemData.m_TextList, i);
        text += '\n';
    }
    return text;
}
