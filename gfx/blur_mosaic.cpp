#include "gfx/blur_mosaic.h"

#include <algorithm>

#include "app/log.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_format.h"
#include "gfx/surface_lock.h"

namespace {

// What one operation works with: the two locks, their layouts and the
// rectangles (target at x, y; source at sx, sy; both width x height).
struct PIXELJOB {
    cSurfaceLock& dst;
    const cSurfaceLock& src;
    PIXELLAYOUT dl, sl;
    int x, y, width, height, sx, sy, mode;

    bool SkipsSource(DWORD pixel) const
    {
        return mode == 1 && IsTransparentPixel(sl, pixel, dwTransmit);
    }
};

struct CHANNELSUM {
    int r = 0, g = 0, b = 0, n = 0;
    void Add(PIXELRGB c)
    {
        r += c.r, g += c.g, b += c.b, ++n;
    }
    PIXELRGB Average() const { return {r / n, g / n, b / n}; }
};

template <class T>
void BlurPixels(const PIXELJOB& job, int radiusX, int radiusY)
{
    const cSurfaceLock& src = job.src;
    for (int r = 0; r < job.height; ++r) {
        const int ty = job.y + r;
        if (ty < 0 || ty >= job.dst.Height()) continue;
        T* out = job.dst.Row<T>(ty);
        for (int c = 0; c < job.width; ++c) {
            const int tx = job.x + c;
            if (tx < 0 || tx >= job.dst.Width()) continue;
            if (job.mode == 1) {
                const int cx = job.sx + c, cy = job.sy + r;
                if (!src.Inside(cx, cy) || job.SkipsSource(src.Row<T>(cy)[cx])) continue;
            }
            // The box reaches radius pixels up and left and radius - 1 down
            // and right, and never leaves the source rectangle.
            CHANNELSUM sum;
            for (int dy = -radiusY; dy < radiusY; ++dy) {
                const int rr = r + dy;
                if (rr < 0) continue;
                if (rr >= job.height) break;
                const int py = job.sy + rr;
                if (py < 0 || py >= src.Height()) continue;
                const T* in = src.Row<T>(py);
                for (int dx = -radiusX; dx < radiusX; ++dx) {
                    const int cc = c + dx;
                    if (cc < 0) continue;
                    if (cc >= job.width) break;
                    const int px = job.sx + cc;
                    if (px < 0 || px >= src.Width()) continue;
                    if (job.SkipsSource(in[px])) continue;
                    sum.Add(SplitChannels(in[px], job.sl.Format));
                }
            }
            if (!sum.n) continue;
            const PIXELRGB average = ConvertChannels(sum.Average(), job.sl.Format, job.dl.Format);
            out[tx] = static_cast<T>(PackOpaque(job.dl, average, out[tx]));
        }
    }
}

// The colour of one mosaic block: a pixel to copy as it is, or channels in
// the target's widths; false leaves the block untouched.
struct BLOCKCOLOUR {
    bool bRaw;
    DWORD dwPixel;
    PIXELRGB Channels;
};

template <class T>
bool BlockColour(const PIXELJOB& job, int left, int top, int width, int height, BLOCKCOLOUR* out)
{
    const cSurfaceLock& src = job.src;
    const PIXELLAYOUT& sl = job.sl;
    const COLORSHIFTS& f = sl.Format;
    switch (sl.nKind) {
    case PIXEL_INDEX8:
    case PIXEL_D3D1555:
    case PIXEL_D3D565: {
        // The block's top-left pixel.
        if (!src.Inside(left, top)) return false;
        const DWORD pixel = src.Row<T>(top)[left];
        if (job.SkipsSource(pixel)) return false;
        if (sl.nKind == job.dl.nKind) {
            *out = {true, pixel, {}};
        } else {
            *out = {false, 0, ConvertChannels(SplitChannels(pixel, f), f, job.dl.Format)};
        }
        return true;
    }
    case PIXEL_D3D32:
    case PIXEL_DD16:
    case PIXEL_DD32: {
        CHANNELSUM sum;
        for (int py = std::max(top, 0); py < std::min(top + height, src.Height()); ++py) {
            const T* in = src.Row<T>(py);
            for (int px = std::max(left, 0); px < std::min(left + width, src.Width()); ++px) {
                if (job.SkipsSource(in[px])) continue;
                PIXELRGB c = SplitChannels(in[px], f);
                if (sl.nKind == PIXEL_DD16)
                    c = {ChannelTo255(c.r, f.nRedMask), ChannelTo255(c.g, f.nGreenMask),
                         ChannelTo255(c.b, f.nBlueMask)};
                sum.Add(c);
            }
        }
        if (!sum.n) return false;
        PIXELRGB c = sum.Average();
        if (sl.nKind == PIXEL_DD16)
            c = {ChannelFrom255(c.r, f.nRedMask), ChannelFrom255(c.g, f.nGreenMask),
                 ChannelFrom255(c.b, f.nBlueMask)};
        // A block that averages out to the transparent colour would vanish.
        if (job.mode == 1 && sl.nKind != PIXEL_D3D32 &&
            PackChannels(c, f) == (dwTransmit & (sl.nKind == PIXEL_DD16 ? 0xFFFFu : 0xFFFFFFu)))
            return false;
        *out = {false, 0, c};
        return true;
    }
    default: return false;
    }
}

template <class T>
void MosaicPixels(const PIXELJOB& job, int blockSize)
{
    for (int by = 0; by < job.height; by += blockSize) {
        const int bh = std::min(blockSize, job.height - by);
        for (int bx = 0; bx < job.width; bx += blockSize) {
            const int bw = std::min(blockSize, job.width - bx);
            BLOCKCOLOUR colour;
            if (!BlockColour<T>(job, job.sx + bx, job.sy + by, bw, bh, &colour)) continue;
            for (int ty = std::max(job.y + by, 0); ty < std::min(job.y + by + bh, job.dst.Height());
                 ++ty) {
                T* out = job.dst.Row<T>(ty);
                for (int tx = std::max(job.x + bx, 0);
                     tx < std::min(job.x + bx + bw, job.dst.Width()); ++tx)
                    out[tx] = static_cast<T>(colour.bRaw ? colour.dwPixel
                                                         : PackOpaque(job.dl, colour.Channels, out[tx]));
            }
        }
    }
}

}  // namespace

bool DDBlur(DDSURFACEDATA* target, int x, int y, int width, int height, int radiusX, int radiusY,
            DDSURFACEDATA* source, int sx, int sy, int mode)
{
    if (radiusX < 1 || radiusY < 1) return true;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    const PIXELJOB job = {locks.Target(), locks.Source(), DDPixelLayout(locks.Target().m_lpSD),
                          DDPixelLayout(locks.Source().m_lpSD), x, y, width, height, sx, sy, mode};
    switch (job.sl.nBytes) {
    case 1: TraceLog("8ビットぼかしは不可能！"); break;
    case 2: BlurPixels<WORD>(job, radiusX, radiusY); break;
    case 4: BlurPixels<DWORD>(job, radiusX, radiusY); break;
    default: break;
    }
    return true;
}

bool DDMosaic(DDSURFACEDATA* target, int x, int y, int width, int height, int blockSize,
              DDSURFACEDATA* source, int sx, int sy, int mode)
{
    if (blockSize < 1) return true;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    const PIXELJOB job = {locks.Target(), locks.Source(), DDPixelLayout(locks.Target().m_lpSD),
                          DDPixelLayout(locks.Source().m_lpSD), x, y, width, height, sx, sy, mode};
    switch (job.sl.nBytes) {
    case 1: MosaicPixels<BYTE>(job, blockSize); break;
    case 2: MosaicPixels<WORD>(job, blockSize); break;
    case 4: MosaicPixels<DWORD>(job, blockSize); break;
    default: break;
    }
    return true;
}
