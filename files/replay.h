#pragma once
// Replays: player 1's input during one play of a stage, kept as two
// run-length streams of 16-bit words (the direction word and the button word)
// with the random seed of the play, so that the play can be repeated from its
// inputs alone.
//
// Replay holds the recording of the current play (or the replay being played
// back), LastReplay the recording of the previous play; ReplayProgress and
// LastReplayProgress are the game progress as each of those plays started.
// All four belong to the game thread; the window thread reads or fills them
// only while the game thread waits for its file request.
//
// A replay file: the data version, the stage body as a stage file holds it
// (end marker included), this record (one scalar field, the seed), the four
// streams (direction values, button values, direction runs, button runs),
// then, from version 173 on, the game progress.
#include <cstdint>
#include <string>
#include <vector>

#include "files/game_progress.h"
#include "records/data_record.h"
#include "records/stage_data.h"

class cReplay : public cDataRecord {
public:
    std::vector<int16_t> m_DirValues;     // successive distinct direction words
    std::vector<int16_t> m_ButtonValues;  // successive distinct button words
    std::vector<int32_t> m_DirRuns;       // frames each direction value lasted
    std::vector<int32_t> m_ButtonRuns;    // frames each button value lasted
    int32_t m_nSeed = 0;                  // the random seed of the recorded play
    // Playback position, not stored: the value index of each stream and the
    // frames already played of that value.
    int32_t m_nDirPos = 0;
    int32_t m_nButtonPos = 0;
    int32_t m_nDirFrames = 0;
    int32_t m_nButtonFrames = 0;

    cReplay();
    cReplay(const cReplay&) = default;
    cReplay& operator=(const cReplay& other);

    void RegisterFields(int version) override;
    // The record, then the four streams. A file whose streams do not pair a
    // run with every value, or hold a run below 1, is damaged: the load fails
    // and this replay keeps what it held.
    bool Load(cDataReader& in) override;
    void Save(cDataWriter& out) override;

    // The seed to 0, the streams emptied, the playback position to the start.
    void Clear();
    // The streams and the seed of other; the playback position stays.
    void Copy(const cReplay& other);
    // Appends one frame: each word lengthens its stream's last run when it
    // repeats the last value, else starts a run of its own.
    void RecordFrame(uint16_t direction, uint16_t buttons);
    // The next frame's words; 1 (nothing written) once either stream is
    // played out, else 0.
    int PlayFrame(uint16_t& direction, uint16_t& buttons);
    // The playback position back to the start.
    void Rewind();
};

// The replay being recorded or played and the previous play's. Threads: the
// game thread; the window thread reads and writes them serving a replay
// dialog request while the game thread waits for it.
extern cReplay Replay;
extern cReplay LastReplay;

// Writes a replay file: the stage body from the settings of settings (the
// untouched play copy) and the palette and placed objects of stage, then the
// replay and the progress. 1 when the file holds them all; 0 (reported,
// any earlier file of that name untouched) otherwise.
int SaveReplayFile(cReplay& replay, const std::string& path, cStageData& stage, cStageData& settings,
                   cGameProgress& progress);

// Reads a replay file into the replay, the stage, its play copy (settings
// only, as a stage load leaves it) and the progress; a file older than 173
// holds no progress and leaves it as it was. Everything is read beside what
// the game holds and taken over only once the whole file has been read: 1
// then; 0 (reported) with nothing changed when the file cannot be opened or
// is damaged. The stage's path becomes path.
int LoadReplayFile(cReplay& replay, const std::string& path, cStageData& stage, cStageData& play,
                   cGameProgress& progress);
