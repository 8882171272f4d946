#pragma once
// The animation-sequence player of a stage object: a list of frame sequences,
// the current sequence, the current entry and the ticks spent on it.
//
// An entry's frame is a picture index (0 or more) or, on the last entry of a
// sequence, a control code: -1 holds the entry before it, -2 loops to entry
// 0, -3 jumps (forced) to the sequence numbered in the entry's duration.
// Any other negative code stops the player on that entry and is returned as
// the frame for the owner to act on.
#include <utility>
#include <vector>

struct ANIMEENTRY {
    int nFrame;
    int nTime;          // ticks on the entry; for -3 the sequence to jump to
    int bLock;          // only the low byte is kept
};

// A static sequence table: a null-terminated list of entry arrays, each
// ending with its first entry whose frame is negative.
using AnimeTable = const ANIMEENTRY* const*;

extern const AnimeTable ItemAnimeTable;
extern const AnimeTable ShotAnimeTable;

class cAnimeSeq {
public:
    struct Entry {
        int nFrame = 0;
        int nTime = 0;
        unsigned char bLock = 0;
    };
    using Sequence = std::vector<Entry>;

    // Replaces the sequences by copies of the table's; a null table keeps
    // them. The position is not changed.
    void Build(AnimeTable table);
    // 0 without a change when the current entry is locked and force is 0, or
    // when the sequence does not exist (with a report-log line); otherwise
    // starts the sequence from its entry 0 and returns 1.
    int Set(int sequence, int force);
    // As Set, but the current sequence goes on unchanged (1).
    int Change(int sequence, int force);
    // One tick; the frame now shown.
    int Tick();
    // The frame now shown.
    int Frame() const;
    void Clear();

    int Current() const { return m_nSequence; }
    int EntryIndex() const { return m_nEntry; }
    const std::vector<Sequence>& Sequences() const { return m_Sequences; }

    // -- messages --
    // Replaces the sequences by the given ones; the position is not changed.
    void Assign(std::vector<Sequence> sequences) { m_Sequences = std::move(sequences); }

private:
    bool HasSequence(int sequence) const;
    bool CodeOnly() const;

    std::vector<Sequence> m_Sequences;
    int m_nSequence = 0;
    int m_nEntry = 0;
    int m_nTicks = 0;

    // -- flows --
public:
    // Appends a sequence (the basic animation set of a character).
    void AddSequence(Sequence sequence) { m_Sequences.push_back(std::move(sequence)); }
};
