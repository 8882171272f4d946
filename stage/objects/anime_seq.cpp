#include "stage/objects/anime_seq.h"

#include "app/base/checked.h"
#include "app/base/log.h"

namespace {

constexpr ANIMEENTRY ItemSequence[] = {{0, 15, 1}, {1, 15, 1}, {-2, 0, 0}};
constexpr const ANIMEENTRY* ItemSequences[] = {ItemSequence, nullptr};

constexpr ANIMEENTRY SwordSequence[] = {{0, 7, 0}, {1, 7, 0}, {2, 7, 0}, {-4, 0, 0}};
constexpr ANIMEENTRY ShotSequence[] = {{0, 8, 0}, {1, 8, 0}, {-2, 0, 0}};
constexpr const ANIMEENTRY* ShotSequences[] = {SwordSequence, ShotSequence, nullptr};

enum { CODE_HOLD = -1, CODE_LOOP = -2, CODE_JUMP = -3 };

} // namespace

const AnimeTable ItemAnimeTable = ItemSequences;
const AnimeTable ShotAnimeTable = ShotSequences;

void cAnimeSeq::Build(AnimeTable table)
{
    if (!table) return;
    m_Sequences.clear();
    for (int s = 0; table[s]; ++s) {
        Sequence sequence;
        for (const ANIMEENTRY* e = table[s];; ++e) {
            sequence.push_back({e->nFrame, e->nTime, static_cast<unsigned char>(e->bLock)});
            if (e->nFrame < 0) break;
        }
        m_Sequences.push_back(std::move(sequence));
    }
}

bool cAnimeSeq::HasSequence(int sequence) const
{
    return sequence >= 0 && sequence < static_cast<int>(m_Sequences.size());
}

// A sequence that holds nothing but its code has no picture to show or step
// to: it shows frame 0 and stays.
bool cAnimeSeq::CodeOnly() const
{
    const Sequence& s = CheckedAt(m_Sequences, m_nSequence);
    return s.empty() || (s.size() == 1 && s[0].nFrame < 0);
}

int cAnimeSeq::Set(int sequence, int force)
{
    if (!force && !m_Sequences.empty() && CheckedAt(CheckedAt(m_Sequences, m_nSequence), m_nEntry).bLock)
        return 0;
    if (!HasSequence(sequence)) {
        ReportLog("Animation: sequence %d does not exist (%d sequences); the animation stays",
                  sequence, static_cast<int>(m_Sequences.size()));
        return 0;
    }
    m_nSequence = sequence;
    m_nEntry = 0;
    m_nTicks = 0;
    return 1;
}

int cAnimeSeq::Change(int sequence, int force)
{
    if (sequence == m_nSequence && HasSequence(sequence)) return 1;
    return Set(sequence, force);
}

int cAnimeSeq::Tick()
{
    if (m_Sequences.empty()) return 0;
    if (CodeOnly()) return 0;
    const Sequence& s = CheckedAt(m_Sequences, m_nSequence);
    // Past a code the owner has to act on, the player stays on it.
    if (CheckedAt(s, m_nEntry).nFrame < 0) return CheckedAt(s, m_nEntry).nFrame;
    if (++m_nTicks >= CheckedAt(s, m_nEntry).nTime) {
        m_nTicks = 0;
        ++m_nEntry;
        const Entry& next = CheckedAt(s, m_nEntry);
        if (next.nFrame == CODE_JUMP) {
            // A jump to a sequence that is missing holds the entry before it.
            if (!Set(next.nTime, 1)) --m_nEntry;
        } else if (next.nFrame == CODE_LOOP) {
            m_nEntry = 0;
        } else if (next.nFrame == CODE_HOLD) {
            --m_nEntry;
        }
    }
    return Frame();
}

int cAnimeSeq::Frame() const
{
    if (m_Sequences.empty() || CodeOnly()) return 0;
    return CheckedAt(CheckedAt(m_Sequences, m_nSequence), m_nEntry).nFrame;
}

void cAnimeSeq::Clear()
{
    m_Sequences.clear();
    m_nSequence = 0;
    m_nEntry = 0;
    m_nTicks = 0;
}
