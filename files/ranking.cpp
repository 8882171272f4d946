#include "files/ranking.h"

#include "app/base/log.h"
#include "files/data_path.h"
#include "files/file_copy.h"
#include "records/record_list.h"

cRankingSet RankingSet;

namespace {

// Genres whose lower values rank higher: only the clear time.
constexpr int32_t kHighFirst[RANKING_COUNT] = {1, 1, 0, 1, 1};

} // namespace

cRankingEntry::cRankingEntry()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

void cRankingEntry::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bUsed);
    RegisterInt(&m_nScore);
    RegisterString(&m_strName);
}

cRanking::cRanking()
{
    Reset();
}

void cRanking::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_bHighFirst);
}

bool cRanking::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadRecords(m_Entries, in);
    return in.Ok();
}

void cRanking::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Entries, out);
}

void cRanking::Reset()
{
    RegisterFields(RecordContext.nDataVersion);
    Clear();
    m_Entries.resize(RANKING_PLACES);
}

int cRanking::FindRank(int score) const
{
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        const cRankingEntry& entry = m_Entries[i];
        if (!entry.m_bUsed) return static_cast<int>(i);
        if (m_bHighFirst ? entry.m_nScore < score : entry.m_nScore > score) return static_cast<int>(i);
    }
    return -1;
}

void cRanking::Insert(const std::string& name, int score)
{
    cRankingEntry entry;
    entry.m_bUsed = 1;
    entry.m_strName = name;
    entry.m_nScore = score;
    int p = FindRank(score);
    if (p < 0) return;  // not better than the last place: it would drop out at once
    m_Entries.insert(m_Entries.begin() + p, entry);
    m_Entries.pop_back();
}

cRankingSet::cRankingSet()
{
    Reset();
}

void cRankingSet::RegisterFields(int version)
{
    ClearFieldTables();
}

bool cRankingSet::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadRecords(m_Rankings, in);
    bool ok = in.Ok();
    // Every reader of the set counts on five rankings of 20 places, whatever
    // an older or damaged file held.
    if (m_Rankings.size() > RANKING_COUNT) m_Rankings.resize(RANKING_COUNT);
    while (m_Rankings.size() < RANKING_COUNT) {
        cRanking added;
        added.m_bHighFirst = nFileVersion <= 180 ? 0 : kHighFirst[m_Rankings.size()];
        m_Rankings.push_back(added);
    }
    for (cRanking& ranking : m_Rankings)
        if (ranking.m_Entries.size() != RANKING_PLACES) ranking.m_Entries.resize(RANKING_PLACES);
    if (nFileVersion <= 180) m_Rankings[3].m_bHighFirst = m_Rankings[4].m_bHighFirst = 1;
    return ok;
}

void cRankingSet::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Rankings, out);
}

void cRankingSet::Reset()
{
    RegisterFields(RecordContext.nDataVersion);
    Clear();
    m_Rankings.assign(RANKING_COUNT, cRanking());
    for (int g = 0; g < RANKING_COUNT; ++g) m_Rankings[g].m_bHighFirst = kHighFirst[g];
}

bool GetRankingFilePath(int mode, const std::string& stageKey, std::string& path)
{
    // The folders of the three play modes are consecutive rows of the table.
    if (mode < 0 || mode > 2) return false;
    std::string name = stageKey;
    size_t folder = name.find_last_of("\\/");
    if (folder != std::string::npos) name.erase(0, folder + 1);
    path = std::string(DataPath[DATAPATH_STORY_RANKING + mode]) + name + DataExt[DATAEXT_RANKING];
    return true;
}

int LoadRankingFile(cRankingSet& set, int mode, const std::string& stageKey)
{
    std::string path;
    if (GetRankingFilePath(mode, stageKey, path)) {
        cRankingSet read;
        if (read.LoadFile(path)) {
            set = read;
            return 1;
        }
    }
    set.Reset();
    return 0;
}

int SaveRankingFile(cRankingSet& set, int mode, const std::string& stageKey)
{
    std::string path;
    if (!GetRankingFilePath(mode, stageKey, path)) return 0;
    if (!KeepDamagedFileAside(path, [&] { return cRankingSet().LoadFile(path) != 0; })) return 0;
    return set.SaveFile(path);
}
