#pragma once
// The state of a running game that outlives a stage: lives, scores and the
// totals the rankings rank, the place on the world map and the lap, the stage
// being played, best values, challenge records, clear flags, the common
// variables of the flows, the values carried from one stage to the next, and
// the player's ranking name. The same record is a story save slot, the
// challenge file and the last part of a replay.
//
// Stored form (after a file's u32 data version; little-endian):
//   the record part   u32 32, the 32 ints below in order (files of older
//                     versions hold fewer), u32 2, stage key, player name
//   save time         eight u16: year, month, weekday, day, hour, minute,
//                     second, milliseconds
//   carry flags       u32 n, n int32 (files from 501 on)
//   carried values    u32 n, n carry-over records
//   best values       u32 n, n records (u32 1, value, u32 1, stage key)
//   challenges        u32 n, n records (u32 2, cleared, best score, u32 0)
//   clear flags       u32 n, n int32
//   common variables  u32 n, n int32
// A save always writes the current version and every part.
//
// Who uses it: everything runs on the game thread, except that the window
// thread reads or writes the replay copies while the game thread waits for
// the replay dialog.
#include <cstdint>
#include <string>
#include <vector>

#include "records/chara_data.h"
#include "records/data_record.h"
#include "records/stage_sub_records.h"

// Local time as the game stores it: year, month, day of the week, day, hour,
// minute, second, milliseconds.
struct SAVETIME {
    uint16_t wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    uint16_t wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};
// The clock of the save stamp; tests put a fixed one in its place before
// anything saves. Read by the thread that saves.
extern void (*lpGetSaveTime)(SAVETIME& time);

constexpr int CARRY_GROUPS = 25;
constexpr int CLEAR_FLAG_COUNT = 1000;
constexpr int COMMON_VAR_COUNT = 256;
constexpr int SAVE_SLOT_COUNT = 99;
#include "files/ranking_genres.h"
// Lives that stand for infinite lives.
constexpr int INFINITE_LIVES = 999999;

class cGameProgress : public cDataRecord {
public:
    int32_t m_bCarryOver = 0;      // values have been stored for carrying over
    int32_t m_nMapX = 0;           // the walker's cell on the world map
    int32_t m_nMapY = 0;
    int32_t m_nMapStageRef = 0;    // the world-map entry being played (cWorldMap::StageRef); only used at run time
    int32_t m_nLap = 0;
    int32_t m_nStageNo = 0;        // story: clear number; challenge: counted from 1; stage file: 1
    int32_t m_nArea = 0;           // place in a chain of linked stage files, from 1
    int32_t m_nStartLives = 0;     // lives a continue gives back
    int32_t m_nLives = 0;          // not counting the life being played; INFINITE_LIVES = infinite
    int32_t m_nScore = 0;          // of the stage being played
    int32_t m_nTotalScore = 0;     // ranking genre 0
    int32_t m_nBestTotal = 0;      // sum of the best values
    int32_t m_nTotalTimeLeft = 0;  // ranking genre 1
    int32_t m_nTotalClearTime = 0; // ranking genre 2, 1/100 s
    int32_t m_nTotalHp = 0;        // from 182; ranking genre 3
    int32_t m_nTotalSp = 0;        // from 182; ranking genre 4
    int32_t m_bLinked = 0;         // the stage is part of a chain of linked files
    int32_t m_nBgm = 0;            // music entry playing in the stage, 0 none
    int32_t m_bBgmLoop = 0;        // from 166
    int32_t m_nMapFacing = 0;      // from 194: 0 down, 1 up, 2 left, 3 right
    int32_t m_bBackFromStage = 0;  // from 190: left a lost stage for the world map
    int32_t m_nMapSafeX = 0;       // from 191: the cell before the walker's last step
    int32_t m_nMapSafeY = 0;
    int32_t m_nChallengeOpen = 1;  // challenge stages open
    int32_t m_nSlot = -1;          // save slot in use, from 0; -1 none
    int32_t m_bAutoSave = 0;       // from 169: saved to m_nSlot when the world map opens after a stage
    int32_t m_bShowRanking = 0;
    int32_t m_nRankingGenre = 0;   // 0..4
    int32_t m_bNextStart = 0;      // from 678: the next stage starts where the clear command said
    int32_t m_nNextStartX = 0;
    int32_t m_nNextStartY = 0;
    int32_t m_nNextStartDir = 0;   // from 679; 2 = player 1's facing at the clear
    std::string m_sStageKey;
    std::string m_sPlayerName;

    SAVETIME m_SaveTime;
    std::vector<int32_t> m_CarryFlags;           // one per carry-over group
    std::vector<cCarryOverData> m_CarryOver;     // one per player index
    std::vector<cNamedIntData> m_BestValues;     // best score per stage key
    std::vector<cIntPairData> m_ChallengeRecords;// per challenge: cleared, best score
    std::vector<int32_t> m_ClearFlags;           // per clear number; entry 0 always set after a reset
    std::vector<int32_t> m_CommonVars;

    // Not stored; a reset leaves them alone.
    std::vector<int32_t> m_StartCommonVars;
    int32_t m_nStartStageLives = 0;
    int32_t m_nStartStageTotal = 0;

    // Registered with DATA_VERSION, then Reset.
    cGameProgress();

    void RegisterFields(int version) override;
    // The progress body and the values older files lack, then Normalize.
    // Fields that a file of the version does not hold keep what they held.
    bool Load(cDataReader& in) override;
    // Normalize, then the whole body at the current version.
    void Save(cDataWriter& out) override;

    void Reset();
    // Totals of the play to 0 (not the best total).
    void ClearTotals();
    // Brings the progress into the shape the game relies on: the walker onto
    // the map, the challenge records to the challenge count, the slot and
    // genre into their ranges, the lists at least as long as a reset makes
    // them (longer lists are kept).
    void Normalize();
    // One carried record per player index 0..n-1, each cleared.
    void ResetCarryOver(int n);

    // Stamps the save time and writes the slot file safely; on success the
    // slot's entry of SaveSlotList shows it. 1 when the file holds the
    // progress, 0 when it could not be written (the old file is kept).
    int SaveSlot(int slot);
    // Reads a slot and applies the story lives rule. 1 when read; 0 when the
    // file is missing or damaged, the progress then untouched.
    int LoadSlot(int slot);
    // The same for the challenge file, with the challenge lives rule.
    int LoadChallenge();
    // Writes the challenge file safely. A file there that cannot be read is
    // first kept aside as "<name>.bak", so that a damaged file is never lost
    // to the save. 1 when the file holds the progress.
    int SaveChallenge();

    // The stage key and linked flag of a stage file's name (null: empty).
    void SetStageName(const char* name);

    void SetBestValue(const std::string& key, int value);
    int GetBestValue(const std::string& key) const;
    // The best total over the stages still on the world map.
    void SumBestValues();

    void SaveStageStart();
    // all 1: the common variables, the total score and the lives as the stage
    // started. all 0 (a lost life): the total score, and the common variables
    // when the settings of the play mode (or of direct play) ask for it.
    void RestoreStageStart(int all, int playMode, int directPlay);

    // Stores player i's values of each group the settings carry over.
    void StoreCarryOver(int i, const cCharaData& definition, int hp, int sp, int16_t effect, int8_t effectMode,
                        int8_t effectLoop, int timeLeft, int lives, int music);
    // Gives the stored values of the carried groups back: definition fields
    // into the definition, the time and the music into *stageTime and
    // *stageMusic (the stage being set up; either may be null), the lives
    // into m_nLives. Hit and special points are RestoreCarryOverExtra's.
    void RestoreCarryOver(int i, cCharaData& definition, int32_t* stageTime = nullptr,
                          int32_t* stageMusic = nullptr);
    void RestoreCarryOverExtra(int i, int* hp, int* sp);
    // Forgets the groups that the settings forget after a lost life.
    void ClearCarryOverFlags();

    // Next lap: the clear flags all 0, the walker on the map's start cell.
    void StartNextLap();
    // Moves the ranking genre shown by steps enabled genres of the play mode
    // (0: onto an enabled genre); nothing when the mode ranks no genre.
    void StepRankingGenre(int mode, int steps);

private:
    // The lives rule of a play mode after a load.
    void ApplyLivesRule(int mode);
};

// The running game and the progress at the start of the current and of the
// previous play (kept with the replays). Threads: the game thread; the window
// thread reads and writes them serving a save or replay dialog request, and
// the sub-loops read them, each while the game thread waits for it.
extern cGameProgress GameProgress;
extern cGameProgress ReplayProgress;
extern cGameProgress LastReplayProgress;
