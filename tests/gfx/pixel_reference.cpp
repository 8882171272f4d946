#include "tests/gfx/pixel_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/gfx/gfx_support.h"

namespace {

struct RGB3 {
    int r, g, b;
};

int BytesOf(int kind)
{
    switch (kind) {
    case PIXEL_INDEX8: return 1;
    case PIXEL_D3D1555:
    case PIXEL_D3D565:
    case PIXEL_DD16: return 2;
    default: return 4;
    }
}

RGB3 Channels(const REFIMAGE& im, uint32_t p)
{
    switch (im.nKind) {
    case PIXEL_D3D1555: return {int(p >> 10) & 31, int(p >> 5) & 31, int(p) & 31};
    case PIXEL_D3D565: return {int(p >> 11) & 31, int(p >> 5) & 63, int(p) & 31};
    case PIXEL_DD16:
        return {int(p >> im.dd16.nRedShift) & im.dd16.nRedMask,
                int(p >> im.dd16.nGreenShift) & im.dd16.nGreenMask,
                int(p >> im.dd16.nBlueShift) & im.dd16.nBlueMask};
    default: return {int(p >> 16) & 255, int(p >> 8) & 255, int(p) & 255};
    }
}

bool Transparent(int kind, uint32_t p, uint32_t t)
{
    switch (kind) {
    case PIXEL_D3D32: return (p >> 24) == 0;
    case PIXEL_D3D1555: return !(p & 0x8000) && !(p & 0x2000);
    case PIXEL_INDEX8: return (p & 255) == (t & 255);
    case PIXEL_DD16: return (p & 0xFFFF) == (t & 0xFFFF);
    case PIXEL_DD32: return p == t;
    default: return false;
    }
}

// Channels of the source's widths written into the target's layout.
uint32_t Write(const REFIMAGE& dst, int sourceKind, RGB3 c, uint32_t old)
{
    switch (dst.nKind) {
    case PIXEL_D3D32: return 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
    case PIXEL_D3D1555:
        if (sourceKind == PIXEL_D3D565) c.g /= 2;
        return 0x8000u | (c.r & 31) << 10 | (c.g & 31) << 5 | (c.b & 31);
    case PIXEL_D3D565:
        if (sourceKind == PIXEL_D3D1555) c.g *= 2;
        return (c.r & 31) << 11 | (c.g & 63) << 5 | (c.b & 31);
    case PIXEL_DD16:
        return uint32_t(c.r & dst.dd16.nRedMask) << dst.dd16.nRedShift |
               uint32_t(c.g & dst.dd16.nGreenMask) << dst.dd16.nGreenShift |
               uint32_t(c.b & dst.dd16.nBlueMask) << dst.dd16.nBlueShift;
    case PIXEL_DD32: return (old & 0xFF000000u) | c.r << 16 | c.g << 8 | c.b;
    default: return old;
    }
}

}  // namespace

const COLORSHIFTS kRefFormat565 = {11, 5, 0, 0, 31, 63, 31, 0};
const COLORSHIFTS kRefFormat555 = {10, 5, 0, 0, 31, 31, 31, 0};

REFIMAGE MakeRefImage(int kind, int width, int height, uint32_t seed, uint32_t transmit,
                      const COLORSHIFTS& dd16)
{
    REFIMAGE im;
    im.nKind = kind;
    im.nWidth = width;
    im.nHeight = height;
    im.dd16 = dd16;
    uint32_t state = seed;
    const int bytes = BytesOf(kind);
    for (int i = 0; i < width * height; ++i) {
        state = state * 214013 + 2531011;
        uint32_t v = state ^ (state >> 13) * 2654435761u;
        if (bytes == 1) v &= 255;
        if (bytes == 2) v &= 0xFFFF;
        const bool clear = (state >> 27) % 4 == 0;
        switch (kind) {
        case PIXEL_D3D32: v = clear ? v & 0x00FFFFFF : v | 0xFF000000; break;
        case PIXEL_D3D1555: v = clear ? v & 0x5FFF : v | 0x8000; break;
        case PIXEL_INDEX8:
        case PIXEL_DD16:
        case PIXEL_DD32:
            if (clear) v = transmit;
            break;
        default: break;
        }
        im.pixels.push_back(v);
    }
    return im;
}

VIEWBUFFER ToView(const REFIMAGE& image)
{
    VIEWBUFFER out;
    const int bytes = BytesOf(image.nKind);
    const int pitch = image.nWidth + 3;
    out.bytes.assign(pitch * image.nHeight * bytes + 16, 0xCD);
    for (int y = 0; y < image.nHeight; ++y)
        for (int x = 0; x < image.nWidth; ++x)
            std::memcpy(&out.bytes[(y * pitch + x) * bytes], &image.pixels[y * image.nWidth + x],
                        bytes);
    PIXELLAYOUT layout = {};
    switch (image.nKind) {
    case PIXEL_D3D32: layout = kPixelD3D32; break;
    case PIXEL_D3D1555: layout = kPixelD3D1555; break;
    case PIXEL_D3D565: layout = kPixelD3D565; break;
    case PIXEL_INDEX8: layout = kPixelIndex8; break;
    case PIXEL_DD16: layout = PixelLayoutDD16(image.dd16); break;
    case PIXEL_DD32: layout = kPixelDD32; break;
    default: break;
    }
    out.view = {out.bytes.data(), pitch, image.nWidth, image.nHeight, layout};
    return out;
}

REFIMAGE ReadRef(DDSURFACEDATA* surface, int kind)
{
    REFIMAGE image;
    image.nKind = kind;
    image.nWidth = surface->nWidth;
    image.nHeight = surface->nHeight;
    image.pixels = ReadPixels(surface, 0, 0, surface->nWidth, surface->nHeight);
    if (kind == PIXEL_INDEX8)
        for (uint32_t& p : image.pixels) p &= 0xFF;
    return image;
}

REFIMAGE FromView(const VIEWBUFFER& buffer, const REFIMAGE& like)
{
    REFIMAGE out = like;
    const int bytes = BytesOf(like.nKind);
    for (int y = 0; y < like.nHeight; ++y)
        for (int x = 0; x < like.nWidth; ++x) {
            uint32_t v = 0;
            std::memcpy(&v, &buffer.bytes[(y * buffer.view.nPitch + x) * bytes], bytes);
            out.At(x, y) = v;
        }
    return out;
}

void RefBlur(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
             int radiusX, int radiusY, int sx, int sy, int mode, uint32_t transmit)
{
    const int kind = source.nKind;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            if (!target.Inside(x + c, y + r)) continue;
            if (mode == 1 && (!source.Inside(sx + c, sy + r) ||
                              Transparent(kind, source.At(sx + c, sy + r), transmit)))
                continue;
            long sum[3] = {0, 0, 0}, n = 0;
            for (int dy = -radiusY; dy < radiusY; ++dy) {
                if (r + dy < 0) continue;
                if (r + dy >= height) break;
                for (int dx = -radiusX; dx < radiusX; ++dx) {
                    if (c + dx < 0) continue;
                    if (c + dx >= width) break;
                    if (!source.Inside(sx + c + dx, sy + r + dy)) continue;
                    const uint32_t p = source.At(sx + c + dx, sy + r + dy);
                    if (mode == 1 && Transparent(kind, p, transmit)) continue;
                    const RGB3 ch = Channels(source, p);
                    sum[0] += ch.r, sum[1] += ch.g, sum[2] += ch.b, ++n;
                }
            }
            if (!n) continue;
            uint32_t& out = target.At(x + c, y + r);
            out = Write(target, kind, {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)}, out);
        }
}

void RefMosaic(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
               int blockSize, int sx, int sy, int mode, uint32_t transmit)
{
    if (blockSize < 1) return;
    const int kind = source.nKind;
    for (int by = 0; by < height; by += blockSize)
        for (int bx = 0; bx < width; bx += blockSize) {
            const int bw = std::min(blockSize, width - bx), bh = std::min(blockSize, height - by);
            bool raw = false;
            uint32_t pixel = 0;
            RGB3 colour = {};
            if (kind == PIXEL_INDEX8 || kind == PIXEL_D3D1555 || kind == PIXEL_D3D565) {
                if (!source.Inside(sx + bx, sy + by)) continue;
                pixel = source.At(sx + bx, sy + by);
                if (mode == 1 && Transparent(kind, pixel, transmit)) continue;
                raw = kind == target.nKind;
                colour = Channels(source, pixel);
            } else {
                long sum[3] = {0, 0, 0}, n = 0;
                for (int j = 0; j < bh; ++j)
                    for (int i = 0; i < bw; ++i) {
                        if (!source.Inside(sx + bx + i, sy + by + j)) continue;
                        const uint32_t p = source.At(sx + bx + i, sy + by + j);
                        if (mode == 1 && Transparent(kind, p, transmit)) continue;
                        RGB3 ch = Channels(source, p);
                        if (kind == PIXEL_DD16) {
                            ch.r = ch.r * 255 / source.dd16.nRedMask;
                            ch.g = ch.g * 255 / source.dd16.nGreenMask;
                            ch.b = ch.b * 255 / source.dd16.nBlueMask;
                        }
                        sum[0] += ch.r, sum[1] += ch.g, sum[2] += ch.b, ++n;
                    }
                if (!n) continue;
                colour = {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
                if (kind == PIXEL_DD16) {
                    colour.r = colour.r * source.dd16.nRedMask / 255;
                    colour.g = colour.g * source.dd16.nGreenMask / 255;
                    colour.b = colour.b * source.dd16.nBlueMask / 255;
                    if (mode == 1 && Write(target, kind, colour, 0) == (transmit & 0xFFFF)) continue;
                }
                if (kind == PIXEL_DD32 && mode == 1 &&
                    uint32_t(colour.r << 16 | colour.g << 8 | colour.b) == (transmit & 0xFFFFFF))
                    continue;
            }
            for (int j = 0; j < bh; ++j)
                for (int i = 0; i < bw; ++i) {
                    if (!target.Inside(x + bx + i, y + by + j)) continue;
                    uint32_t& out = target.At(x + bx + i, y + by + j);
                    out = raw ? pixel : Write(target, kind, colour, out);
                }
        }
}

namespace {

// A source pixel as the target stores it.
uint32_t Copied(const REFIMAGE& target, const REFIMAGE& source, uint32_t p, uint32_t old)
{
    return target.nKind == source.nKind ? p : Write(target, source.nKind, Channels(source, p), old);
}

}  // namespace

void RefLens(REFIMAGE& target, const REFIMAGE& source, int tcx, int tcy, int radius, int depth,
             int scx, int scy, int mode, int clear, uint32_t transmit)
{
    const int big = static_cast<int>(std::sqrt(double(radius * radius + depth * depth)));
    const bool d3d32 = target.nKind == PIXEL_D3D32;
    const bool d3d16 = target.nKind == PIXEL_D3D1555 || target.nKind == PIXEL_D3D565;
    for (int j = -radius; j <= radius; ++j)
        for (int i = -radius; i <= radius; ++i) {
            if (!target.Inside(tcx + i, tcy + j)) continue;
            uint32_t& out = target.At(tcx + i, tcy + j);
            // What a pixel left undrawn becomes: transparent black when the
            // 32-bit lens clears, else what it was.
            const uint32_t undrawn = d3d32 && clear ? 0 : out;
            if (i * i + j * j > radius * radius) {
                out = undrawn;
                continue;
            }
            const double z = std::sqrt(double(big * big - i * i - j * j));
            const int col = z == 0 ? i : static_cast<int>(i * depth / z + 0.5);
            const int row = z == 0 ? j : static_cast<int>(j * depth / z + 0.5);
            if (!source.Inside(scx + col, scy + row)) {
                out = undrawn;
                continue;
            }
            const uint32_t p = source.At(scx + col, scy + row);
            const bool keyed = d3d16 ? mode == 1 : true;
            if (keyed && Transparent(source.nKind, p, transmit)) {
                out = undrawn;
                continue;
            }
            out = Copied(target, source, p, out);
        }
}

void RefRotate(REFIMAGE& target, const REFIMAGE& source, int x, int y, int width, int height,
               int pivotX, int pivotY, int angle, int sx, int sy, int mode, uint32_t transmit)
{
    const double a = angle * 0.017453292519943278;
    const int sf = static_cast<int>(std::sin(a) * 1024), cf = static_cast<int>(std::cos(a) * 1024);
    const int ci = static_cast<int>(std::cos(-a) * 1024), si = static_cast<int>(std::sin(-a) * 1024);
    // >> 10 rounds toward minus infinity.
    auto shift = [](long v) { return static_cast<int>(std::floor(v / 1024.0)); };
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    for (int cx : {0, width - 1})
        for (int cy : {0, height - 1}) {
            const int dx = cx - pivotX, dy = cy - pivotY;
            const int fx = pivotX + shift(long(cf) * dx - long(sf) * dy);
            const int fy = pivotY + shift(long(sf) * dx + long(cf) * dy);
            minX = std::min(minX, fx), maxX = std::max(maxX, fx);
            minY = std::min(minY, fy), maxY = std::max(maxY, fy);
        }
    for (int ty = 0; ty < target.nHeight; ++ty)
        for (int tx = 0; tx < target.nWidth; ++tx) {
            // The rectangle position of this target pixel, inside the widened scan box.
            const int u = tx - x + pivotX, v = ty - y + pivotY;
            if (u < minX - 2 || u >= maxX + 2 || v < minY - 2 || v >= maxY + 2) continue;
            const int dx = u - pivotX, dy = v - pivotY;
            const int col = pivotX + shift(long(ci) * dx - long(si) * dy);
            const int row = pivotY + shift(long(si) * dx + long(ci) * dy);
            if (col < 0 || col >= width || row < 0 || row >= height) continue;
            if (!source.Inside(sx + col, sy + row)) continue;
            const uint32_t p = source.At(sx + col, sy + row);
            if (mode == 1 && Transparent(source.nKind, p, transmit)) continue;
            target.At(tx, ty) = Copied(target, source, p, target.At(tx, ty));
        }
}

::testing::AssertionResult SameImage(const REFIMAGE& actual, const REFIMAGE& expected)
{
    int wrong = 0;
    std::string where;
    for (int y = 0; y < expected.nHeight; ++y)
        for (int x = 0; x < expected.nWidth; ++x)
            if (actual.At(x, y) != expected.At(x, y) && ++wrong <= 4) {
                char line[80];
                std::snprintf(line, sizeof line, " (%d,%d) %X want %X;", x, y,
                              static_cast<unsigned>(actual.At(x, y)),
                              static_cast<unsigned>(expected.At(x, y)));
                where += line;
            }
    if (!wrong) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << where;
}
