#pragma once
// The five rankings of one stage and play mode, 20 places each, one per
// ranking genre: 0 score, 1 remaining time, 2 clear time (lower ranks
// higher), 3 remaining HP, 4 remaining SP.
//
// Stored form (after the u32 data version):
//   the set record    u32 0, u32 0
//   rankings          u32 n (5), each: u32 1, high-first flag, u32 0;
//                     u32 m (20), each entry: u32 2, used, value, u32 1, name
// Whatever a file holds, a set read from it has five rankings of 20 places.
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_record.h"

class Font;
struct DDSURFACEDATA;
struct RANKINGVIEW;

constexpr int RANKING_COUNT = 5;
constexpr int RANKING_PLACES = 20;

class cRankingEntry : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 4 + 8 + 4 + 4;

    int32_t m_bUsed = 0;     // the place holds a result
    int32_t m_nScore = 0;    // the value ranked
    std::string m_strName;

    cRankingEntry();
    void RegisterFields(int version) override;
};

class cRanking : public cDataRecord {
public:
    static constexpr size_t MIN_STORED_BYTES = 4 + 4 + 4 + 4;

    int32_t m_bHighFirst = 0;             // 1: a higher value ranks higher
    std::vector<cRankingEntry> m_Entries; // place 1 first

    // Low first, 20 unused places.
    cRanking();
    void RegisterFields(int version) override;
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;

    // Low first; the list cut or filled with unused places to exactly 20
    // (the places kept keep their results).
    void Reset();
    // The place (from 0) a result of this value would take, or -1. A result
    // equal to one already ranked ranks below it.
    int FindRank(int score) const;
    // Enters a result at its place; the last place drops out.
    void Insert(const std::string& name, int score);
    // The ranking board (built with the drawing code); -1 when highlight is -1.
    int Draw(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, int genre, int highlight);
};

class cRankingSet : public cDataRecord {
public:
    std::vector<cRanking> m_Rankings;  // by genre

    // Five reset rankings.
    cRankingSet();
    void RegisterFields(int version) override;
    // The rankings, brought to five of 20 places; in files up to 180 the
    // HP and SP rankings become high-first.
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;
    // Five empty rankings, high-first except the clear time.
    void Reset();
    int Draw(const RANKINGVIEW& view, DDSURFACEDATA* target, int x, int y, int genre, int highlight);
};

// The set of the stage being played, in its play mode. Loaded, filled and
// saved by the game thread; the ranking sub-loop draws it only while the game
// thread waits for that loop.
extern cRankingSet RankingSet;

// The ranking file of a stage key in a play mode (0 story, 1 challenge,
// 2 stage file): the mode's folder, the key without its folder, "rkg".
// false for any other mode (replays have none).
bool GetRankingFilePath(int mode, const std::string& stageKey, std::string& path);
// 1 when the file was read; otherwise the set is reset and 0.
int LoadRankingFile(cRankingSet& set, int mode, const std::string& stageKey);
// 1 when the file now holds the set (written safely); 0 when the mode has
// no ranking file or the write failed (the old file is kept). A file there
// that cannot be read is first kept aside as "<name>.bak", as the challenge
// file is.
int SaveRankingFile(cRankingSet& set, int mode, const std::string& stageKey);
