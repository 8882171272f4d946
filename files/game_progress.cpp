#include "files/game_progress.h"

#include <algorithm>
#include <ctime>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/file_copy.h"
#include "files/system_data.h"
#include "files/save_slots.h"
#include "files/stage_key.h"
#include "files/data_path.h"
#include "files/world_map.h"
#include "records/record_list.h"

namespace {

void LocalSaveTime(SAVETIME& t)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    t.wYear = static_cast<uint16_t>(local.tm_year + 1900);
    t.wMonth = static_cast<uint16_t>(local.tm_mon + 1);
    t.wDayOfWeek = static_cast<uint16_t>(local.tm_wday);
    t.wDay = static_cast<uint16_t>(local.tm_mday);
    t.wHour = static_cast<uint16_t>(local.tm_hour);
    t.wMinute = static_cast<uint16_t>(local.tm_min);
    t.wSecond = static_cast<uint16_t>(local.tm_sec);
    t.wMilliseconds = 0;
}

// A list of ints at least n long; a longer one is kept as it is.
void PadTo(std::vector<int32_t>& v, size_t n)
{
    if (v.size() < n) v.resize(n, 0);
}

} // namespace

void (*lpGetSaveTime)(SAVETIME& time) = LocalSaveTime;

cGameProgress GameProgress;
cGameProgress ReplayProgress;
cGameProgress LastReplayProgress;

cGameProgress::cGameProgress()
{
    RegisterFields(DATA_VERSION);
    Reset();
}

void cGameProgress::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bCarryOver);
    RegisterInt(&m_nMapX);
    RegisterInt(&m_nMapY);
    RegisterInt(&m_nMapStageRef);
    RegisterInt(&m_nLap);
    RegisterInt(&m_nStageNo);
    RegisterInt(&m_nArea);
    RegisterInt(&m_nStartLives);
    RegisterInt(&m_nLives);
    RegisterInt(&m_nScore);
    RegisterInt(&m_nTotalScore);
    RegisterInt(&m_nBestTotal);
    RegisterInt(&m_nTotalTimeLeft);
    RegisterInt(&m_nTotalClearTime);
    if (version >= 182) {
        RegisterInt(&m_nTotalHp);
        RegisterInt(&m_nTotalSp);
    }
    RegisterInt(&m_bLinked);
    RegisterInt(&m_nBgm);
    if (version >= 166) RegisterInt(&m_bBgmLoop);
    if (version >= 194) RegisterInt(&m_nMapFacing);
    if (version >= 190) RegisterInt(&m_bBackFromStage);
    if (version >= 191) {
        RegisterInt(&m_nMapSafeX);
        RegisterInt(&m_nMapSafeY);
    }
    RegisterInt(&m_nChallengeOpen);
    RegisterInt(&m_nSlot);
    if (version >= 169) RegisterInt(&m_bAutoSave);
    RegisterInt(&m_bShowRanking);
    RegisterInt(&m_nRankingGenre);
    if (version >= 678) {
        RegisterInt(&m_bNextStart);
        RegisterInt(&m_nNextStartX);
        RegisterInt(&m_nNextStartY);
    }
    if (version >= 679) RegisterInt(&m_nNextStartDir);
    RegisterString(&m_sStageKey);
    RegisterString(&m_sPlayerName);
}

void cGameProgress::Reset()
{
    Clear();
    m_CarryFlags.assign(CARRY_GROUPS, 0);
    ResetCarryOver(1);
    m_ClearFlags.assign(CLEAR_FLAG_COUNT, 0);
    m_ClearFlags[0] = 1;
    m_CommonVars.assign(COMMON_VAR_COUNT, 0);
    m_BestValues.clear();
    m_ChallengeRecords.clear();
    m_nChallengeOpen = 1;
    m_nSlot = -1;
    m_sPlayerName = "aaa";
}

void cGameProgress::ResetCarryOver(int n)
{
    ResetRecords(m_CarryOver, n);
}

void cGameProgress::ClearTotals()
{
    m_nTotalScore = 0;
    m_nTotalTimeLeft = 0;
    m_nTotalClearTime = 0;
    m_nTotalHp = 0;
    m_nTotalSp = 0;
}

bool cGameProgress::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    SAVETIME time;
    uint16_t* words = &time.wYear;
    bool timeRead = true;
    for (int i = 0; i < 8; ++i) {
        int16_t w = 0;
        timeRead = in.ReadI16(w) && timeRead;
        words[i] = static_cast<uint16_t>(w);
    }
    if (timeRead) m_SaveTime = time;
    if (nFileVersion >= 501) in.ReadIntVector(m_CarryFlags);
    ReadRecords(m_CarryOver, in);
    ReadRecords(m_BestValues, in);
    ReadRecords(m_ChallengeRecords, in);
    in.ReadIntVector(m_ClearFlags);
    in.ReadIntVector(m_CommonVars);

    if (nFileVersion < 166) m_bBgmLoop = 1;
    if (nFileVersion < 169) m_bAutoSave = 0;
    if (nFileVersion < 182) m_nTotalHp = m_nTotalSp = 0;
    if (nFileVersion < 190) m_bBackFromStage = 0;
    if (nFileVersion < 191) m_nMapSafeX = m_nMapSafeY = 0;
    if (nFileVersion < 194) m_nMapFacing = 0;
    // Files before 501 carried every group they had stored.
    if (nFileVersion < 501) m_CarryFlags.assign(CARRY_GROUPS, 1);
    Normalize();
    return in.Ok();
}

void cGameProgress::Save(cDataWriter& out)
{
    Normalize();
    cDataRecord::Save(out);
    const uint16_t* words = &m_SaveTime.wYear;
    for (int i = 0; i < 8; ++i) out.WriteI16(static_cast<int16_t>(words[i]));
    out.WriteIntVector(m_CarryFlags);
    WriteRecords(m_CarryOver, out);
    WriteRecords(m_BestValues, out);
    WriteRecords(m_ChallengeRecords, out);
    out.WriteIntVector(m_ClearFlags);
    out.WriteIntVector(m_CommonVars);
}

void cGameProgress::Normalize()
{
    if (m_nMapX >= WorldMap.m_nWidth) m_nMapX = WorldMap.m_nStartX;
    if (m_nMapY >= WorldMap.m_nHeight) m_nMapY = WorldMap.m_nStartY;
    int count = SystemData.m_nChallengeCount > 0 ? SystemData.m_nChallengeCount : 0;
    m_ChallengeRecords.resize(static_cast<size_t>(count));
    if (m_nChallengeOpen > count) m_nChallengeOpen = count;
    // Stored values the game would index with: out of range they would stop it.
    if (m_nSlot < -1 || m_nSlot >= SAVE_SLOT_COUNT) m_nSlot = -1;
    if (m_nRankingGenre < 0 || m_nRankingGenre >= RANKING_GENRES) m_nRankingGenre = 0;
    PadTo(m_CarryFlags, CARRY_GROUPS);
    PadTo(m_ClearFlags, CLEAR_FLAG_COUNT);
    PadTo(m_CommonVars, COMMON_VAR_COUNT);
    if (m_CarryOver.empty()) ResetCarryOver(1);
}

int cGameProgress::SaveSlot(int slot)
{
    lpGetSaveTime(m_SaveTime);
    int saved = SaveFile(GetStorySlotPath(slot));
    if (saved) CheckedAt(SaveSlotList, slot).Set(*this);
    return saved;
}

void cGameProgress::ApplyLivesRule(int mode)
{
    if (CheckedAt(SystemData.m_InfiniteLives, mode)) {
        m_nStartLives = INFINITE_LIVES;
        m_nLives = INFINITE_LIVES;
    } else if (m_nLives == INFINITE_LIVES) {
        m_nLives = CheckedAt(SystemData.m_DefaultLives, mode);
    }
}

namespace {

// Reads a progress file into a copy, so that a missing or damaged file leaves
// the progress as it was; the copy keeps the fields an older file lacks.
int LoadProgressFile(cGameProgress& progress, const std::string& path)
{
    cGameProgress read(progress);
    if (!read.LoadFile(path)) return 0;
    progress = read;
    return 1;
}

} // namespace

int cGameProgress::LoadSlot(int slot)
{
    if (!LoadProgressFile(*this, GetStorySlotPath(slot))) return 0;
    ApplyLivesRule(0);
    return 1;
}

int cGameProgress::LoadChallenge()
{
    if (!LoadProgressFile(*this, DataPath[DATAPATH_CHALLENGE_PROGRESS])) return 0;
    ApplyLivesRule(1);
    return 1;
}

int cGameProgress::SaveChallenge()
{
    std::string path = DataPath[DATAPATH_CHALLENGE_PROGRESS];
    if (!KeepDamagedFileAside(path, [&] { return cGameProgress().LoadFile(path) != 0; })) return 0;
    return SaveFile(path);
}

void cGameProgress::SetStageName(const char* name)
{
    int linked = 0;
    m_sStageKey = StageKeyOf(name ? name : "", &linked);
    m_bLinked = linked;
}

void cGameProgress::SetBestValue(const std::string& key, int value)
{
    for (cNamedIntData& entry : m_BestValues) {
        if (entry.m_sName != key) continue;
        if (value > entry.m_nValue) {
            m_nBestTotal += value - entry.m_nValue;
            entry.m_nValue = value;
        }
        return;
    }
    cNamedIntData entry;
    entry.m_sName = key;
    entry.m_nValue = value;
    m_BestValues.push_back(entry);
    m_nBestTotal += value;
}

int cGameProgress::GetBestValue(const std::string& key) const
{
    for (const cNamedIntData& entry : m_BestValues)
        if (entry.m_sName == key) return entry.m_nValue;
    return 0;
}

void cGameProgress::SumBestValues()
{
    m_nBestTotal = 0;
    for (const cNamedIntData& entry : m_BestValues)
        if (WorldMap.HasStageKey(entry.m_sName)) m_nBestTotal += entry.m_nValue;
}

void cGameProgress::SaveStageStart()
{
    m_StartCommonVars = m_CommonVars;
    m_nStartStageLives = m_nLives;
    m_nStartStageTotal = m_nTotalScore;
}

void cGameProgress::RestoreStageStart(int all, int playMode, int directPlay)
{
    m_nTotalScore = m_nStartStageTotal;
    if (all) {
        m_CommonVars = m_StartCommonVars;
        m_nLives = m_nStartStageLives;
        return;
    }
    const cSystemData& s = SystemData;
    int restore = 1;
    if (directPlay) restore = s.m_bDirectRestoreVars;
    else if (playMode == 0) restore = s.m_bStoryRestoreVars;
    else if (playMode == 1) restore = s.m_bChallengeRestoreVars;
    else if (playMode == 2) restore = s.m_bFreeRestoreVars;
    if (restore) m_CommonVars = m_StartCommonVars;
}

void cGameProgress::StartNextLap()
{
    ++m_nLap;
    std::fill(m_ClearFlags.begin(), m_ClearFlags.end(), 0);
    m_nMapX = WorldMap.m_nStartX;
    m_nMapY = WorldMap.m_nStartY;
}

void cGameProgress::StepRankingGenre(int mode, int steps)
{
    const cSystemData& s = SystemData;
    auto enabled = [&](int g) { return s.GenreEnabled(mode, g); };
    int enabledCount = 0;
    for (int k = 0; k < RANKING_GENRES; ++k) enabledCount += enabled(k);
    if (!enabledCount) return;
    int g = m_nRankingGenre >= 0 && m_nRankingGenre < RANKING_GENRES ? m_nRankingGenre : 0;
    int dir = steps < 0 ? -1 : 1;
    auto step = [dir](int at) { return (at + dir + RANKING_GENRES) % RANKING_GENRES; };
    if (steps == 0) {
        while (!enabled(g)) g = step(g);
    } else {
        // After the first step the cursor goes round the enabled genres, so
        // more steps than that only go round again.
        int64_t n = steps < 0 ? -int64_t(steps) : int64_t(steps);
        n = 1 + (n - 1) % enabledCount;
        for (int64_t k = 0; k < n; ++k) {
            g = step(g);
            while (!enabled(g)) g = step(g);
        }
    }
    m_nRankingGenre = g;
}
