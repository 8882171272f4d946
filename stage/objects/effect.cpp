#include <algorithm>
#include <cmath>

#include "app/base/checked.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "stage/objects/effect.h"
#include "stage/objects/random.h"

namespace {

const cEffectData& EffectEntry(int entry)
{
    return CheckedAt(DataBase.m_Effect, entry);
}

} // namespace

int EffectLengthFrames(int entry)
{
    long long frames = 0;
    for (const cEffectFrameData& f : EffectEntry(entry).m_Frames) frames += static_cast<long long>(f.m_nFrameTime) * 6;
    if (frames < 0) return 0;
    return frames > 2147483647 ? 2147483647 : static_cast<int>(frames);
}

void cEffect::SetFromCommand(int16_t entry, double x, double y, int width, int height, int waited)
{
    m_sEffect = entry;
    m_dX = x;
    m_dY = y;
    m_nWidth = width;
    m_nHeight = height;
    m_bWaited = waited;
    m_Anime.Clear();
    const cEffectData& data = EffectEntry(entry);
    // Only the widths decide: a changed height alone is drawn unscaled.
    m_bStretch = width != data.m_nCellWidth;
    BuildFrames(entry);
}

void cEffect::SetFromHit(int16_t entry, const HITRECT& a, const HITRECT& b, signed char factor)
{
    m_Anime.Clear();
    m_sEffect = entry;
    m_bWaited = 0;
    const cEffectData& data = EffectEntry(entry);
    int m = 1;
    m_bStretch = 0;
    m_nWidth = data.m_nCellWidth;
    m_nHeight = data.m_nCellHeight;
    if (data.m_bScaleBySize) {
        m = factor;
        if (factor > 1) {
            m_bStretch = 1;
            m_nWidth = factor * data.m_nCellWidth;
            m_nHeight = factor * data.m_nCellHeight;
        }
    }
    double l = 0, t = 0, r = 0, btm = 0;
    if (a.Overlaps(b)) {
        l = std::max(a.left, b.left);
        t = std::max(a.top, b.top);
        r = std::min(a.right, b.right);
        btm = std::min(a.bottom, b.bottom);
    }
    m_dX = l + (static_cast<int>(r - l + 1) >> 1) - (m_nWidth >> 1);
    m_dY = t + (static_cast<int>(btm - t + 1) >> 1) - (m_nHeight >> 1);
    // Two draws always, x first (8m + 1 is never 0): a factor of 0 scatters by nothing.
    m_dX += GameRand() % (8 * m + 1) - 4 * m;
    m_dY += GameRand() % (8 * m + 1) - 4 * m;
    BuildFrames(entry);
}

int cEffect::BuildFrames(int16_t entry)
{
    std::vector<cAnimeSeq::Sequence> sequences(1);
    for (const ANIMESEQENTRY& e : CheckedAt(FrameTables.EffectFrameTable, entry))
        sequences[0].push_back({e.nFrame, e.nDuration, static_cast<unsigned char>(e.nLock)});
    m_Anime.Assign(std::move(sequences));
    return m_Anime.Set(0, 1);
}

int cEffect::Advance(int frozen)
{
    if (EffectEntry(m_sEffect).m_Frames.empty()) return -1;
    if (m_bWaited || !frozen) {
        int f = m_Anime.Tick();
        return f == ANIMESEQ_END ? -1 : f;
    }
    return m_Anime.Frame();
}
