// Half, alpha and tinted blits against a reference written from their rules:
// in memory at every layout (the 8-bit mixes only there: a windowed test
// display under Wine keeps its surfaces at the desktop's depth), then through
// real surfaces on both back ends over a known background; and the 8-bit
// blend table file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "app/base/log.h"
#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"
#include "tests/gfx/pixel_reference.h"

namespace {

// At 8 bits index 0 is the transparent colour of these blits.
const LAYOUTPAIR kLayouts[] = {
    {"D3D 32", PIXEL_D3D32, PIXEL_D3D32, {}, 0},
    {"D3D 16 texture", PIXEL_D3D1555, PIXEL_D3D1555, {}, 0},
    {"D3D 16 into the full-screen back buffer", PIXEL_D3D1555, PIXEL_D3D565, {}, 0},
    {"DirectDraw 16 565", PIXEL_DD16, PIXEL_DD16, kRefFormat565, 0xF81F},
    {"DirectDraw 16 555", PIXEL_DD16, PIXEL_DD16, kRefFormat555, 0x7C1F},
    {"DirectDraw 32", PIXEL_DD32, PIXEL_DD32, {}, 0x00FF00FF},
    {"DirectDraw 8", PIXEL_INDEX8, PIXEL_INDEX8, {}, 0},
};

// {x, y, width, height, sx, sy, mode}
struct RECTCASE {
    int x, y, width, height, sx, sy, mode;
};

const RECTCASE kCases[] = {
    {0, 0, 10, 8, 0, 0, 0},
    {0, 0, 10, 8, 1, 1, 1},
    {-3, 5, 9, 6, 1, 1, 0},   // target rectangle partly outside the target
    {4, 2, 8, 7, 8, 4, 1},    // source rectangle reaching past the source
    {2, 2, 7, 5, -2, -3, 1},  // and starting before it
};

// A made-up 8-bit table: any fixed mapping serves to see it read as [t][s].
BYTE TableEntry(int t, int s)
{
    return static_cast<BYTE>((t * 7 + s * 13 + 1) & 255);
}

struct CH {
    int r, g, b;
};

CH Split(int kind, const COLORSHIFTS& dd16, uint32_t p)
{
    switch (kind) {
    case PIXEL_D3D1555: return {int(p >> 10) & 31, int(p >> 5) & 31, int(p) & 31};
    case PIXEL_D3D565: return {int(p >> 11) & 31, int(p >> 5) & 63, int(p) & 31};
    case PIXEL_DD16:
        return {int(p >> dd16.nRedShift) & dd16.nRedMask, int(p >> dd16.nGreenShift) & dd16.nGreenMask,
                int(p >> dd16.nBlueShift) & dd16.nBlueMask};
    default: return {int(p >> 16) & 255, int(p >> 8) & 255, int(p) & 255};
    }
}

uint32_t Pack(int kind, const COLORSHIFTS& dd16, CH c, uint32_t old)
{
    switch (kind) {
    case PIXEL_D3D32: return 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
    case PIXEL_D3D1555: return 0x8000u | c.r << 10 | c.g << 5 | c.b;
    case PIXEL_D3D565: return uint32_t(c.r) << 11 | c.g << 5 | c.b;
    case PIXEL_DD16:
        return uint32_t(c.r) << dd16.nRedShift | uint32_t(c.g) << dd16.nGreenShift |
               uint32_t(c.b) << dd16.nBlueShift;
    default: return (old & 0xFF000000u) | c.r << 16 | c.g << 8 | c.b;
    }
}

bool SourceTransparent(int kind, uint32_t s, uint32_t transmit)
{
    switch (kind) {
    case PIXEL_D3D32: return (s >> 24) == 0;
    case PIXEL_D3D1555: return (s & 0xA000) == 0;
    case PIXEL_INDEX8: return s == (transmit & 255);
    case PIXEL_DD16: return s == (transmit & 0xFFFF);
    default: return s == transmit;
    }
}

// Calls f(s, t) -> new t for each pixel inside both pictures, mode 1 skipping
// transparent sources.
template <class F>
void RefEach(REFIMAGE& dst, const REFIMAGE& src, const RECTCASE& c, uint32_t transmit, F f)
{
    for (int r = 0; r < c.height; ++r)
        for (int k = 0; k < c.width; ++k) {
            const int tx = c.x + k, ty = c.y + r, cx = c.sx + k, cy = c.sy + r;
            if (!dst.Inside(tx, ty) || !src.Inside(cx, cy)) continue;
            const uint32_t s = src.At(cx, cy);
            if (c.mode == 1 && SourceTransparent(src.nKind, s, transmit)) continue;
            dst.At(tx, ty) = f(s, dst.At(tx, ty));
        }
}

void RefHalf(REFIMAGE& dst, const REFIMAGE& src, const RECTCASE& c, uint32_t transmit)
{
    const COLORSHIFTS& m = dst.dd16;
    RefEach(dst, src, c, transmit, [&](uint32_t s, uint32_t t) -> uint32_t {
        const CH a = Split(src.nKind, m, s), b = Split(dst.nKind, m, t);
        switch (dst.nKind) {
        case PIXEL_INDEX8: return t == 0 ? s : TableEntry(t, s);
        case PIXEL_D3D565: return Pack(dst.nKind, m, {(a.r + b.r) / 2, (2 * a.g + b.g) / 2, (a.b + b.b) / 2}, t);
        case PIXEL_DD16: {
            if (t == (transmit & 0xFFFF)) return s;
            auto mix = [](int x, int y, int mask) { return ((x * 255 / mask + y * 255 / mask) / 2) * mask / 255; };
            return Pack(dst.nKind, m, {mix(a.r, b.r, m.nRedMask), mix(a.g, b.g, m.nGreenMask), mix(a.b, b.b, m.nBlueMask)}, t);
        }
        case PIXEL_DD32:
            if (t == transmit) return (t & 0xFF000000u) | (s & 0xFFFFFF);
            [[fallthrough]];
        default: return Pack(dst.nKind, m, {(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2}, t);
        }
    });
}

// The tint toward (red, green, blue) = palette entry colourIndex.
void RefTint(REFIMAGE& dst, const REFIMAGE& src, const RECTCASE& c, uint32_t transmit, CH tint,
             int colourIndex, int level, const BYTE* table)
{
    const COLORSHIFTS& m = dst.dd16;
    const bool d3d = dst.nKind == PIXEL_D3D32 || dst.nKind == PIXEL_D3D1555 || dst.nKind == PIXEL_D3D565;
    const int keep = level == 1 ? 128 : level == 2 ? 64 : level == 3 ? 32 : level == 4 ? 16 : 0;
    RefEach(dst, src, c, transmit, [&](uint32_t s, uint32_t t) -> uint32_t {
        const CH a = Split(src.nKind, m, s);
        if (d3d) {
            const int wide = src.nKind == PIXEL_D3D32 ? 255 : 31;
            const CH k = {tint.r * wide / 255, tint.g * wide / 255, tint.b * wide / 255};
            auto mix = [&](int v, int w) {
                return level == 1 ? (v + w) / 2 : int(v * keep / 255.0 + w * (1 - keep / 255.0));
            };
            CH out = {mix(a.r, k.r), mix(a.g, k.g), mix(a.b, k.b)};
            if (dst.nKind == PIXEL_D3D565) out.g = level == 1 ? a.g + k.g : 2 * mix(a.g, k.g);
            return Pack(dst.nKind, m, out, t);
        }
        if (dst.nKind == PIXEL_INDEX8) {
            uint32_t v = s;
            for (int n = 0; n < level; ++n) v = table[v * 256 + colourIndex];
            return v;
        }
        auto halve = [&](int v, int w, int mask) {
            v = v * 255 / mask, w = w * 255 / mask;
            for (int n = 0; n < level; ++n) v = (v + w) / 2;
            return v * mask / 255;
        };
        if (dst.nKind == PIXEL_DD16)
            return Pack(dst.nKind, m, {halve(a.r, tint.r, m.nRedMask), halve(a.g, tint.g, m.nGreenMask),
                                       halve(a.b, tint.b, m.nBlueMask)}, t);
        return Pack(dst.nKind, m, {halve(a.r, tint.r, 255), halve(a.g, tint.g, 255), halve(a.b, tint.b, 255)}, t);
    });
}

// Channels within tolerance (exact for palette indices and at 0).
void ExpectImageNear(const REFIMAGE& actual, const REFIMAGE& expected, int tolerance)
{
    int wrong = 0;
    for (int y = 0; y < expected.nHeight; ++y)
        for (int x = 0; x < expected.nWidth; ++x) {
            const uint32_t a = actual.At(x, y), e = expected.At(x, y);
            bool same = a == e;
            if (!same && tolerance && expected.nKind != PIXEL_INDEX8) {
                const CH p = Split(expected.nKind, expected.dd16, a), q = Split(expected.nKind, expected.dd16, e);
                const uint32_t rest = expected.nKind == PIXEL_D3D565 || expected.nKind == PIXEL_DD16 ? 0 : 0xFF000000u;
                same = (a & rest) == (e & rest) && std::abs(p.r - q.r) <= tolerance &&
                       std::abs(p.g - q.g) <= tolerance && std::abs(p.b - q.b) <= tolerance;
            }
            if (!same && ++wrong <= 3)
                ADD_FAILURE() << "(" << x << "," << y << ") " << std::hex << a << " expected " << e;
        }
    EXPECT_EQ(wrong, 0);
}

std::vector<BYTE> MadeUpTable()
{
    std::vector<BYTE> table(kBlendTableSize);
    for (int t = 0; t < 256; ++t)
        for (int s = 0; s < 256; ++s) table[t * 256 + s] = TableEntry(t, s);
    return table;
}

}  // namespace

TEST(MixingBlits, HalfAndTintMatchTheReferenceAtEveryLayout)
{
    const std::vector<BYTE> table = MadeUpTable();
    for (const LAYOUTPAIR& pair : kLayouts) {
        for (const RECTCASE& c : kCases) {
            SCOPED_TRACE(testing::Message() << pair.name << " rect " << c.x << "," << c.y << " "
                                            << c.width << "x" << c.height << " from " << c.sx << ","
                                            << c.sy << " mode " << c.mode);
            const REFIMAGE source = MakeRefImage(pair.sourceKind, 12, 10, 7, pair.transmit, pair.dd16);
            const REFIMAGE background = MakeRefImage(pair.targetKind, 10, 8, 99, pair.transmit, pair.dd16);
            const VIEWBUFFER from = ToView(source);
            {
                REFIMAGE expected = background;
                VIEWBUFFER target = ToView(background);
                AlphaPixels(target.view, from.view, c.x, c.y, c.width, c.height, c.sx, c.sy, c.mode,
                            pair.transmit, table.data());
                RefHalf(expected, source, c, pair.transmit);
                ExpectImageNear(FromView(target, expected), expected, 0);
            }
            // Level 5 and more: the tint colour alone (Direct3D), five halvings (DirectDraw).
            const bool paletted = pair.targetKind == PIXEL_INDEX8;
            const bool dd16 = pair.targetKind == PIXEL_DD16;
            const PALETTEENTRY tint = paletted ? PALETTEENTRY{0, 0, 0, 0}
                                      : dd16   ? PALETTEENTRY{20, 25, 5, 0}
                                               : PALETTEENTRY{200, 30, 120, 0};
            for (int level : {1, 2, 3, 4, 5}) {
                SCOPED_TRACE(testing::Message() << "tint level " << level);
                REFIMAGE expected = background;
                VIEWBUFFER target = ToView(background);
                TintPixels(target.view, from.view, c.x, c.y, c.width, c.height, c.sx, c.sy, c.mode,
                           pair.transmit, table.data(), tint, 77, level);
                RefTint(expected, source, c, pair.transmit, {tint.peRed, tint.peGreen, tint.peBlue}, 77,
                        level, table.data());
                // The Direct3D weights are single-precision floats.
                const bool floats = level > 1 && !paletted && !dd16 && pair.targetKind != PIXEL_DD32;
                ExpectImageNear(FromView(target, expected), expected, floats ? 1 : 0);
            }
        }
    }
}

// Levels that draw nothing, or (DirectDraw, negative) copy the source.
TEST(MixingBlits, TintLevelsOutsideOneToFour)
{
    const std::vector<BYTE> table = MadeUpTable();
    const RECTCASE whole = {0, 0, 10, 8, 0, 0, 0};
    for (int kind : {PIXEL_D3D32, PIXEL_DD32, PIXEL_INDEX8}) {
        SCOPED_TRACE(kind);
        const REFIMAGE source = MakeRefImage(kind, 10, 8, 5, 0);
        const REFIMAGE background = MakeRefImage(kind, 10, 8, 6, 0);
        const VIEWBUFFER from = ToView(source);
        for (int level : {0, -1}) {
            VIEWBUFFER target = ToView(background);
            TintPixels(target.view, from.view, 0, 0, 10, 8, 0, 0, 0, 0, table.data(), {9, 9, 9, 0}, 3, level);
            REFIMAGE expected = background;
            if (level < 0 && kind != PIXEL_D3D32)
                RefEach(expected, source, whole, 0, [&](uint32_t s, uint32_t t) {
                    return kind == PIXEL_DD32 ? (t & 0xFF000000u) | (s & 0xFFFFFF) : s;
                });
            ExpectImageNear(FromView(target, expected), expected, 0);
        }
    }
}

namespace {

REFIMAGE RefQuad(const REFIMAGE& background, const REFIMAGE& source, int x, int y, int w,
                 uint32_t other, bool overBackground)
{
    REFIMAGE out = background;
    for (int r = 0; r < source.nHeight; ++r)
        for (int c = 0; c < source.nWidth; ++c) {
            if (!out.Inside(x + c, y + r) || (source.At(c, r) >> 24) == 0) continue;
            const uint32_t s = source.At(c, r);
            const uint32_t o = overBackground ? out.At(x + c, y + r) : other;
            uint32_t mixed = 0xFF000000u;
            for (int shift : {0, 8, 16}) {
                const double v = ((s >> shift) & 255) * w / 255.0 + ((o >> shift) & 255) * (255 - w) / 255.0;
                mixed |= uint32_t(std::lround(v)) << shift;
            }
            out.At(x + c, y + r) = mixed;
        }
    return out;
}

void ExpectRgbNear(const REFIMAGE& actual, const REFIMAGE& expected, int tolerance)
{
    REFIMAGE a = actual, e = expected;
    for (uint32_t& p : a.pixels) p = 0xFF000000u | (p & 0xFFFFFF);
    for (uint32_t& p : e.pixels) p = 0xFF000000u | (p & 0xFFFFFF);
    a.nKind = e.nKind = PIXEL_D3D32;
    ExpectImageNear(a, e, tolerance);
}

}  // namespace

using BothBackEndsAlphaBlit = OnBothBackEnds<DisplayTest>;

// The software paths on real surfaces: Direct3D onto a system-memory texture,
// DirectDraw at 32 bits; the pixels drawn equal the reference exactly.
TEST_P(BothBackEndsAlphaBlit, MixingBlitsThroughLocksMatchTheReference)
{
    const int d3d = GetParam();
    WriteNoiseBmp("source.bmp", 12, 10, 11, 5, 2);
    const RECTCASE c = {-2, 1, 12, 10, 0, 0, 1};
    ASSERT_TRUE(Up(d3d));
    const int kind = d3d ? PIXEL_D3D32 : PIXEL_DD32;
    Display.dwTransmit = 0;
    Display.Palette[200] = Display.ShownPalette[200] = {250, 40, 10, 0};
    DDSURFACEDATA source, target;
    ASSERT_EQ(DDCreateSurfaceFromFile(&source, "source.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&target, 10, 8, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    const REFIMAGE from = ReadRef(&source, kind);
    for (int level : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(level);
        DDFill(&target, d3d ? 0xFF203040 : 0x203040);
        REFIMAGE expected = ReadRef(&target, kind);
        if (level == 0) {
            // The level does not matter on this path: always half and half.
            ASSERT_TRUE(DDBltAlpha(&target, c.x, c.y, c.width, c.height, &source, 0, 0, 1, BlendTable, 0));
            RefHalf(expected, from, c, 0);
        } else {
            ASSERT_TRUE(DDBltTint(&target, c.x, c.y, c.width, c.height, &source, 0, 0, 1,
                                  Display.ShownPalette, BlendTable, 200, level));
            RefTint(expected, from, c, 0, {250, 40, 10}, 200, level, BlendTable);
        }
        ExpectImageNear(ReadRef(&target, kind), expected, d3d && level > 1 ? 1 : 0);
    }
    DDReleaseSurface(&source);
    DDReleaseSurface(&target);
    DDUnInit();
}

// Direct3D onto a render target: one quad, weighted by the level; the
// source's transparent pixels leave the background.
TEST_F(DisplayTest, MixingQuadsOnRenderTargets)
{
    WriteNoiseBmp("source.bmp", 12, 10, 11, 5, 2);
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA source, target;
    ASSERT_EQ(DDCreateSurfaceFromFile(&source, "source.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&target, 16, 14, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const REFIMAGE from = ReadRef(&source, PIXEL_D3D32);
    const PALETTEENTRY tint = {250, 40, 10, 0};
    Display.ShownPalette[200] = tint;
    const uint32_t tintRgb = 0xFA280A;
    // {level, alpha blit (else tint), weight of the source}
    const struct {
        int level;
        bool alpha;
        int weight;
    } kRows[] = {{128, true, 127}, {0, true, 255}, {200, true, 55}, {256, true, 255}, {-1, true, 0},
                 {1, false, 128}, {2, false, 80}, {3, false, 48}, {4, false, 16}, {5, false, 0}};
    for (const auto& row : kRows) {
        SCOPED_TRACE(testing::Message() << (row.alpha ? "alpha " : "tint ") << row.level);
        DDFill(&target, 0xFF406080);
        const REFIMAGE background = ReadRef(&target, PIXEL_D3D32);
        if (row.alpha)
            EXPECT_TRUE(DDBltAlpha(&target, 3, 2, 12, 10, &source, 0, 0, 0, BlendTable, row.level));
        else
            EXPECT_TRUE(DDBltTint(&target, 3, 2, 12, 10, &source, 0, 0, 0, Display.ShownPalette, BlendTable, 200,
                                  row.level));
        ExpectRgbNear(ReadRef(&target, PIXEL_D3D32),
                      RefQuad(background, from, 3, 2, row.weight, tintRgb, row.alpha), 1);
    }
    // Level 0 tints nothing.
    DDFill(&target, 0xFF406080);
    const REFIMAGE background = ReadRef(&target, PIXEL_D3D32);
    EXPECT_TRUE(DDBltTint(&target, 3, 2, 12, 10, &source, 0, 0, 0, Display.ShownPalette, BlendTable, 200, 0));
    EXPECT_EQ(ReadRef(&target, PIXEL_D3D32).pixels, background.pixels);
    DDReleaseSurface(&source);
    DDReleaseSurface(&target);
}

TEST_F(DisplayTest, BlendTableFile)
{
    std::vector<uint8_t> bytes(kBlendTableSize);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31 + (i >> 8));
    WriteFileBytes("whole.dat", bytes);
    WriteFileBytes("short.dat", std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
    std::vector<BYTE> table(kBlendTableSize, 0xAB);

    // Under Direct3D there is nothing to load, not even a missing file.
    ASSERT_TRUE(Up(1));
    EXPECT_TRUE(DDLoadBlendTable(table.data(), "missing.dat"));
    EXPECT_TRUE(DDLoadBlendTable(table.data(), "whole.dat"));
    EXPECT_EQ(table, std::vector<BYTE>(kBlendTableSize, 0xAB));
    DDUnInit();

    ASSERT_TRUE(Up(0, 8));
    EXPECT_FALSE(DDLoadBlendTable(table.data(), "missing.dat"));
    // A short file is damaged: it fails with a report line and changes nothing.
    EXPECT_FALSE(DDLoadBlendTable(table.data(), "short.dat"));
    EXPECT_EQ(table, std::vector<BYTE>(kBlendTableSize, 0xAB));
    EXPECT_NE(ReportText().find("short.dat (65535 / 65536"), std::string::npos) << ReportText();
    EXPECT_TRUE(DDLoadBlendTable(table.data(), "whole.dat"));
    EXPECT_TRUE(std::equal(table.begin(), table.end(), bytes.begin()));
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsAlphaBlit);
