#include "files/frame_tables.h"

#include <algorithm>
#include <limits>

#include "files/database.h"

FRAMETABLES FrameTables;

namespace {

// Sixty ticks a second. A time too long for a tick count keeps the longest one.
int32_t TenthsToTicks(int32_t tenths)
{
    int64_t ticks = int64_t{tenths} * 6;
    return static_cast<int32_t>(std::clamp<int64_t>(ticks, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Adds one frame of entry `entry`; lock says whether it or a frame before it
// carried the lock flag.
void AddFrame(FrameSequence& sequence, size_t entry, int32_t cell, int32_t tenths, bool lock)
{
    if (entry == 0) sequence.push_back({cell, 0, 1});
    else sequence.push_back({cell, TenthsToTicks(tenths), lock ? 1 : 0});
}

void Close(FrameSequence& sequence, size_t entry)
{
    sequence.push_back(entry == 0 ? ANIMESEQENTRY{ANIMESEQ_LOOP, 0, 1} : ANIMESEQENTRY{ANIMESEQ_END, 0, 0});
}

} // namespace

void BuildAnimeFrameTable(FrameTable& table)
{
    const std::vector<cAnimeData>& animes = DataBase.m_Anime;
    table.assign(animes.size(), {});
    for (size_t i = 0; i < animes.size(); ++i) {
        bool locked = false;
        for (const cAnimeFrameData& frame : animes[i].m_Frames) {
            locked = locked || frame.m_bKey != 0;
            AddFrame(table[i], i, frame.m_nCell, frame.m_nTime, locked);
        }
        Close(table[i], i);
    }
}

void BuildEffectFrameTable(FrameTable& table)
{
    const std::vector<cEffectData>& effects = DataBase.m_Effect;
    table.assign(effects.size(), {});
    for (size_t i = 0; i < effects.size(); ++i) {
        for (const cEffectFrameData& frame : effects[i].m_Frames)
            AddFrame(table[i], i, frame.m_nCell, frame.m_nFrameTime, false);
        Close(table[i], i);
    }
}
