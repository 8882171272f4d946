#pragma once
// Frame tables: the animations of the database and its effects turned once,
// at start-up, into the frame sequences that the animation-sequence player
// steps through, so that play never converts database records.
//
// Sequence i belongs to database entry i: one entry per frame, then a closing
// entry. Entry 0 of either list shows its frames in a loop, one tick each and
// locked; every other entry shows each frame for its time and ends with the
// end code, at which the sequence's owner ends it.
#include <cstdint>
#include <vector>

// One step of a frame sequence: a picture index (0 or more) or a control
// code (negative), the ticks it lasts, and whether it locks the sequence
// against unforced changes.
struct ANIMESEQENTRY {
    int32_t nFrame;
    int32_t nDuration;
    int32_t nLock;
    bool operator==(const ANIMESEQENTRY&) const = default;
};

using FrameSequence = std::vector<ANIMESEQENTRY>;
using FrameTable = std::vector<FrameSequence>;

// Control codes that close a sequence.
enum { ANIMESEQ_LOOP = -2, ANIMESEQ_END = -4 };

// Built from the database's animations and effects at start-up; read-only
// afterwards, by every thread that plays or draws the stage.
struct FRAMETABLES {
    FrameTable AnimeFrameTable;
    FrameTable EffectFrameTable;
};
extern FRAMETABLES FrameTables;

// From the animations of DataBase: a frame's time in tenths of a second
// lasts six ticks each; a frame with its lock flag locks itself and every
// frame after it.
void BuildAnimeFrameTable(FrameTable& table);
// From the effects of DataBase, the same way; effect frames never lock.
void BuildEffectFrameTable(FrameTable& table);
