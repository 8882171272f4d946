#include "gfx/blur_mosaic.h"

#include <algorithm>

#include "app/base/log.h"
#include "gfx/palette_table.h"
#include "gfx/surface_lock.h"

namespace {

// What one operation works with: the two views and the rectangles (target at
// x, y; source at sx, sy; both width x height).
struct PIXELJOB {
    const PIXELVIEW& dst;
    const PIXELVIEW& src;
    int x, y, width, height, sx, sy, mode;
    DWORD transmit;

    bool SkipsSource(DWORD pixel) const
    {
        return mode == 1 && IsTransparentPixel(src.Layout, pixel, transmit);
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
void Blur(const PIXELJOB& job, int radiusX, int radiusY)
{
    const PIXELVIEW& src = job.src;
    const PIXELLAYOUT& sl = src.Layout;
    for (int r = 0; r < job.height; ++r) {
        const int ty = job.y + r;
        if (ty < 0 || ty >= job.dst.nHeight) continue;
        T* out = job.dst.Row<T>(ty);
        for (int c = 0; c < job.width; ++c) {
            const int tx = job.x + c;
            if (tx < 0 || tx >= job.dst.nWidth) continue;
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
                if (py < 0 || py >= src.nHeight) continue;
                const T* in = src.Row<T>(py);
                for (int dx = -radiusX; dx < radiusX; ++dx) {
                    const int cc = c + dx;
                    if (cc < 0) continue;
                    if (cc >= job.width) break;
                    const int px = job.sx + cc;
                    if (px < 0 || px >= src.nWidth) continue;
                    if (job.SkipsSource(in[px])) continue;
                    sum.Add(SplitChannels(in[px], sl.Format));
                }
            }
            if (!sum.n) continue;
            const PIXELRGB average = ConvertChannels(sum.Average(), sl.Format, job.dst.Layout.Format);
            out[tx] = static_cast<T>(PackOpaque(job.dst.Layout, average, out[tx]));
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
    const PIXELVIEW& src = job.src;
    const PIXELLAYOUT& sl = src.Layout;
    const COLORSHIFTS& f = sl.Format;
    switch (sl.nKind) {
    case PIXEL_INDEX8:
    case PIXEL_D3D1555:
    case PIXEL_D3D565: {
        // The block's top-left pixel.
        if (!src.Inside(left, top)) return false;
        const DWORD pixel = src.Row<T>(top)[left];
        if (job.SkipsSource(pixel)) return false;
        if (sl.nKind == job.dst.Layout.nKind)
            *out = {true, pixel, {}};
        else
            *out = {false, 0, ConvertChannels(SplitChannels(pixel, f), f, job.dst.Layout.Format)};
        return true;
    }
    case PIXEL_D3D32:
    case PIXEL_DD16:
    case PIXEL_DD32: {
        // DirectDraw 16-bit channels are averaged on the 0..255 scale.
        const bool scaled = sl.nKind == PIXEL_DD16;
        CHANNELSUM sum;
        for (int py = std::max(top, 0); py < std::min(top + height, src.nHeight); ++py) {
            const T* in = src.Row<T>(py);
            for (int px = std::max(left, 0); px < std::min(left + width, src.nWidth); ++px) {
                if (job.SkipsSource(in[px])) continue;
                const PIXELRGB c = SplitChannels(in[px], f);
                sum.Add(scaled ? ChannelsTo255(c, f) : c);
            }
        }
        if (!sum.n) return false;
        PIXELRGB c = sum.Average();
        if (scaled)
            c = ChannelsFrom255(c, f);
        // Under DirectDraw a block that averages out to the transparent
        // colour is left alone rather than drawn invisible.
        if (job.mode == 1 && sl.nKind != PIXEL_D3D32 &&
            PackChannels(c, f) == (job.transmit & (scaled ? 0xFFFFu : 0xFFFFFFu)))
            return false;
        *out = {false, 0, ConvertChannels(c, f, job.dst.Layout.Format)};
        return true;
    }
    default: return false;
    }
}

template <class T>
void Mosaic(const PIXELJOB& job, int blockSize)
{
    const PIXELVIEW& dst = job.dst;
    for (int by = 0; by < job.height; by += blockSize) {
        const int bh = std::min(blockSize, job.height - by);
        for (int bx = 0; bx < job.width; bx += blockSize) {
            const int bw = std::min(blockSize, job.width - bx);
            BLOCKCOLOUR colour;
            if (!BlockColour<T>(job, job.sx + bx, job.sy + by, bw, bh, &colour)) continue;
            const int top = std::max(job.y + by, 0), bottom = std::min(job.y + by + bh, dst.nHeight);
            const int left = std::max(job.x + bx, 0), right = std::min(job.x + bx + bw, dst.nWidth);
            for (int ty = top; ty < bottom; ++ty) {
                T* out = dst.Row<T>(ty);
                for (int tx = left; tx < right; ++tx)
                    out[tx] = static_cast<T>(
                        colour.bRaw ? colour.dwPixel : PackOpaque(dst.Layout, colour.Channels, out[tx]));
            }
        }
    }
}

// Target and source must share a pixel size; the depth is one for the whole display.
bool SameWidth(const PIXELVIEW& target, const PIXELVIEW& source)
{
    return target.lpPixels && source.lpPixels && target.Layout.nBytes == source.Layout.nBytes;
}

}  // namespace

void BlurPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                int height, int radiusX, int radiusY, int sx, int sy, int mode, DWORD transmit)
{
    if (radiusX < 1 || radiusY < 1 || !SameWidth(target, source)) return;
    const PIXELJOB job = {target, source, x, y, width, height, sx, sy, mode, transmit};
    switch (source.Layout.nKind) {
    case PIXEL_D3D1555:
    case PIXEL_D3D565:
    case PIXEL_DD16: Blur<WORD>(job, radiusX, radiusY); break;
    case PIXEL_D3D32:
    case PIXEL_DD32: Blur<DWORD>(job, radiusX, radiusY); break;
    default: break;
    }
}

void MosaicPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int blockSize, int sx, int sy, int mode, DWORD transmit)
{
    if (blockSize < 1 || !SameWidth(target, source)) return;
    const PIXELJOB job = {target, source, x, y, width, height, sx, sy, mode, transmit};
    switch (source.Layout.nBytes) {
    case 1: Mosaic<BYTE>(job, blockSize); break;
    case 2: Mosaic<WORD>(job, blockSize); break;
    case 4: Mosaic<DWORD>(job, blockSize); break;
    default: break;
    }
}

bool DDBlur(DDSURFACEDATA* target, int x, int y, int width, int height, int radiusX, int radiusY,
            DDSURFACEDATA* source, int sx, int sy, int mode)
{
    if (radiusX < 1 || radiusY < 1) return true;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    const PIXELVIEW src = locks.Source().View();
    if (src.Layout.nKind == PIXEL_INDEX8) {
        TraceLog("8ビットぼかしは不可能！");
        return true;
    }
    BlurPixels(locks.Target().View(), src, x, y, width, height, radiusX, radiusY, sx, sy, mode,
               Display.dwTransmit);
    return true;
}

bool DDMosaic(DDSURFACEDATA* target, int x, int y, int width, int height, int blockSize,
              DDSURFACEDATA* source, int sx, int sy, int mode)
{
    if (blockSize < 1) return true;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    MosaicPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, blockSize, sx,
                 sy, mode, Display.dwTransmit);
    return true;
}
