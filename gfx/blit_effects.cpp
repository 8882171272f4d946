#include "gfx/blit_effects.h"

#include <algorithm>
#include <cmath>

#include "gfx/batch.h"
#include "gfx/blit.h"

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Opens the sprite batch for the pieces of one effect and ends it afterwards.
class cEffectBatch {
public:
    cEffectBatch() { DDBeginSpriteBatch(0); }
    ~cEffectBatch() { DDEndSpriteBatch(); }
    cEffectBatch(const cEffectBatch&) = delete;
    cEffectBatch& operator=(const cEffectBatch&) = delete;
};

}  // namespace

void DDDrawNumber(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                  DDSURFACEDATA* digits, int sx, int sy, int mode, int value, int cells,
                  int centre)
{
    // Callers count scores, lives and times; a negative value has no digits to show.
    if (value < 0) return;
    int buffer[10];
    int count = 0;
    do {
        buffer[count++] = value % 10;
        value /= 10;
    } while (value > 0);
    if (count < cells) {
        int offset = cellWidth * (cells - count);
        if (centre) offset /= 2;
        x += offset;
    }
    for (int k = count - 1; k >= 0; --k) {
        DDBlt(target, x, y, cellWidth, cellHeight, digits, sx + cellWidth * buffer[k], sy, mode);
        x += cellWidth;
    }
}

namespace {

// The shift of wave strip k: the first strip is already one angle step in.
int WaveShift(int k, int cycles, double amplitude, int phase, int strip, int span)
{
    const double degrees = cycles * (phase + k * strip * 360.0 / span);
    return static_cast<int>(amplitude * std::sin(degrees * kRadiansPerDegree));
}

}  // namespace

void DDBltWave(DDSURFACEDATA* target, int x, int y, int width, int height, int cycles,
               double amplitude, int phase, int strip, DDSURFACEDATA* source, int sx, int sy,
               int mode, int vertical)
{
    const int span = vertical ? width : height;
    if (strip <= 0 || span < 2) return;
    cEffectBatch batch;
    int k = 1;
    for (int offset = 0; offset < span; offset += strip, ++k) {
        const int thickness = std::min(strip, span - offset);
        const int shift = WaveShift(k, cycles, amplitude, phase, strip, span);
        if (vertical)
            DDBlt(target, x + offset, y + shift, thickness, height, source, sx + offset, sy, mode);
        else
            DDBlt(target, x + shift, y + offset, width, thickness, source, sx, sy + offset, mode);
    }
}

void DDBltStripe(DDSURFACEDATA* target, int x, int y, int width, int height, int stripe,
                 int shift, DDSURFACEDATA* source, int sx, int sy, int mode, int vertical)
{
    if (stripe == 0) {
        DDBlt(target, x, y, width, height, source, sx, sy, mode);
        return;
    }
    cEffectBatch batch;
    const int count = (vertical ? width : height) / stripe;
    for (int i = 0; i < count; ++i) {
        const int offset = i * stripe;
        const int move = i % 2 == 0 ? shift : -shift;
        if (vertical)
            DDBlt(target, x + offset, y + move, stripe, height, source, sx + offset, sy, mode);
        else
            DDBlt(target, x + move, y + offset, width, stripe, source, sx, sy + offset, mode);
    }
}

namespace {

// The turn at phase: the picture is drawn nInset pixels in from both edges
// of the span, from source 1 or 2.
struct TURNPICTURE {
    int nInset;
    int nSource;
};

TURNPICTURE TurnOverPicture(int span, int phase)
{
    const int u = span >> 1;
    const int within = phase % u;
    const int inset = (phase / u) % 2 == 0 ? within : u - within - 1;
    return {inset, ((phase + u) / span) % 2 != 0 ? 2 : 1};
}

}  // namespace

void DDBltTurnOver(DDSURFACEDATA* target, int x, int y, int width, int height,
                   DDSURFACEDATA* source1, int sx1, int sy1, DDSURFACEDATA* source2, int sx2,
                   int sy2, int sourceWidth, int sourceHeight, int mode, int phase, int direction)
{
    if (direction != 0 && direction != 1) return;
    // The half span divides the phase: a card less than two pixels across
    // has no turn to show.
    const int span = direction == 0 ? width : height;
    if (span < 2) return;
    const TURNPICTURE turn = TurnOverPicture(span, phase);
    DDSURFACEDATA* source = turn.nSource == 2 ? source2 : source1;
    const int sx = turn.nSource == 2 ? sx2 : sx1;
    const int sy = turn.nSource == 2 ? sy2 : sy1;
    const int v = turn.nInset;
    if (direction == 0)
        DDBltStretch(target, x + v, y, width - 2 * v, height, source, sx, sy, sourceWidth,
                     sourceHeight, mode);
    else
        DDBltStretch(target, x, y + v, width, height - 2 * v, source, sx, sy, sourceWidth,
                     sourceHeight, mode);
}

void DDBltQuarter(DDSURFACEDATA* target, int x, int y, int width, int height,
                  DDSURFACEDATA* source, int sx, int sy, int gap, int mode)
{
    const int hw = width >> 1, hh = height >> 1;
    cEffectBatch batch;
    DDBlt(target, x - gap, y - gap, hw, hh, source, sx, sy, mode);
    DDBlt(target, x + hw + gap, y - gap, hw, hh, source, sx + hw, sy, mode);
    DDBlt(target, x - gap, y + hh + gap, hw, hh, source, sx, sy + hh, mode);
    DDBlt(target, x + hw + gap, y + hh + gap, hw, hh, source, sx + hw, sy + hh, mode);
}
