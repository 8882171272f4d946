// Numbers, waves, stripes, turn-overs and quarters on both back ends, against
// frames computed from the pieces each effect is made of.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gfx/blit_effects.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/frame.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "tests/gfx/gfx_support.h"

namespace {

constexpr int kTargetW = 160, kTargetH = 120;
constexpr int kSheetW = 96, kSheetH = 40;
constexpr uint32_t kKey = 0xFF00FF;
constexpr uint32_t kBack = 0x102030;

// Each pixel of the two sheets has a colour of its own; a diagonal pattern is
// the transparent colour.
uint32_t SheetColour(int sheet, int c, int r)
{
    if ((c + 2 * r) % 7 == 3) return kKey;
    return static_cast<uint32_t>(2 * c + 1) << 16 | static_cast<uint32_t>(5 * r + 2) << 8 |
           (sheet == 1 ? 0x40u : 0xC0u);
}

// One copy of a rectangle: sheet 1 or 2, target (x, y, w, h) from source (sx, sy, sw, sh).
struct PIECE {
    int sheet, x, y, w, h, sx, sy, sw, sh;
};

PIECE Plain(int sheet, int x, int y, int w, int h, int sx, int sy)
{
    return {sheet, x, y, w, h, sx, sy, w, h};
}

// What each pixel of the frame may show: the pieces over the background,
// all copied in mode 1. Scaled pieces are the blit core's business down to
// the sampling (the device samples at pixel centres, DirectDraw rounds its
// own way), so there a pixel may come from near the source pixel that
// trunc(i x sw / w) names: within half a step and one pixel.
using FRAMESET = std::vector<std::vector<uint32_t>>;

FRAMESET ExpectedFrame(const std::vector<PIECE>& pieces)
{
    FRAMESET frame(kTargetW * kTargetH, std::vector<uint32_t>{kBack});
    for (const PIECE& p : pieces) {
        // Sampling at the centre of a pixel reaches half a step further.
        const int reachX = p.sw != p.w ? p.sw / (2 * p.w) + 1 : 0;
        const int reachY = p.sh != p.h ? p.sh / (2 * p.h) + 1 : 0;
        for (int j = 0; j < p.h; ++j)
            for (int i = 0; i < p.w; ++i) {
                const int tx = p.x + i, ty = p.y + j;
                if (tx < 0 || ty < 0 || tx >= kTargetW || ty >= kTargetH) continue;
                std::vector<uint32_t>& allowed = frame[ty * kTargetW + tx];
                std::vector<uint32_t> now;
                for (int dr = -reachY; dr <= reachY; ++dr)
                    for (int dc = -reachX; dc <= reachX; ++dc) {
                        const int c = p.sx + i * p.sw / p.w + dc, r = p.sy + j * p.sh / p.h + dr;
                        if (c < p.sx || r < p.sy || c >= p.sx + p.sw || r >= p.sy + p.sh) continue;
                        if (c >= kSheetW || r >= kSheetH) continue;
                        const uint32_t colour = SheetColour(p.sheet, c, r);
                        if (colour == kKey)
                            now.insert(now.end(), allowed.begin(), allowed.end());
                        else
                            now.push_back(colour);
                    }
                if (!now.empty()) allowed = now;
            }
    }
    return frame;
}

::testing::AssertionResult SameFrame(const std::vector<uint32_t>& got, const FRAMESET& want)
{
    int wrong = 0;
    std::string where;
    for (size_t k = 0; k < want.size(); ++k) {
        const uint32_t p = got[k] & 0xFFFFFF;
        if (std::find(want[k].begin(), want[k].end(), p) == want[k].end() && ++wrong <= 4) {
            char line[80];
            std::snprintf(line, sizeof line, " (%d,%d) %06X want %06X;", int(k % kTargetW),
                          int(k / kTargetW), unsigned(p), unsigned(want[k].front()));
            where += line;
        }
    }
    if (!wrong) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << where;
}

// The shift of wave strip k (1, 2, ...) over a span.
int WaveShift(int k, int cycles, double amplitude, int phase, int strip, int span)
{
    const double degrees = cycles * (phase + k * strip * 360.0 / span);
    return static_cast<int>(amplitude * std::sin(degrees * 3.14159265358979323846 / 180.0));
}

using DRAW = std::function<void(DDSURFACEDATA* target, DDSURFACEDATA* one, DDSURFACEDATA* two)>;

struct EFFECTCASE {
    const char* what;
    DRAW draw;
    std::vector<PIECE> pieces;
};

std::vector<EFFECTCASE> Cases()
{
    std::vector<EFFECTCASE> cases;
    // Numbers from the digits of sheet 1 (cells 8 x 10 from (0, 4)).
    auto digits = [](int x, const std::vector<int>& ds) {
        std::vector<PIECE> out;
        for (int d : ds) out.push_back(Plain(1, x, 20, 8, 10, 8 * d, 4)), x += 8;
        return out;
    };
    auto number = [](int value, int cells, int centre) {
        return [=](DDSURFACEDATA* t, DDSURFACEDATA* one, DDSURFACEDATA*) {
            DDDrawNumber(t, 30, 20, 8, 10, one, 0, 4, 1, value, cells, centre);
        };
    };
    cases.push_back({"7 in three cells", number(7, 3, 0), digits(46, {7})});
    cases.push_back({"7 centred in three cells", number(7, 3, 1), digits(38, {7})});
    cases.push_back({"12345 in three cells", number(12345, 3, 0), digits(30, {1, 2, 3, 4, 5})});
    cases.push_back({"0 in two cells centred", number(0, 2, 1), digits(34, {0})});
    cases.push_back({"2147483647", number(2147483647, 1, 0), digits(30, {2, 1, 4, 7, 4, 8, 3, 6, 4, 7})});
    cases.push_back({"a negative number", number(-5, 3, 0), {}});

    // Waves of a 40 x 30 picture from (10, 5) at (50, 40).
    auto wave = [](int cycles, double amplitude, int phase, int strip, int vertical, int w = 40,
                   int h = 30) {
        return [=](DDSURFACEDATA* t, DDSURFACEDATA* one, DDSURFACEDATA*) {
            DDBltWave(t, 50, 40, w, h, cycles, amplitude, phase, strip, one, 10, 5, 1, vertical);
        };
    };
    auto wavePieces = [](int cycles, double amplitude, int phase, int strip, int vertical) {
        std::vector<PIECE> out;
        const int span = vertical ? 40 : 30;
        for (int k = 1, at = 0; at < span; ++k, at += strip) {
            const int thick = std::min(strip, span - at);
            const int s = WaveShift(k, cycles, amplitude, phase, strip, span);
            out.push_back(vertical ? Plain(1, 50 + at, 40 + s, thick, 30, 10 + at, 5)
                                   : Plain(1, 50 + s, 40 + at, 40, thick, 10, 5 + at));
        }
        return out;
    };
    cases.push_back({"vertical wave", wave(2, 6.5, 30, 6, 1), wavePieces(2, 6.5, 30, 6, 1)});
    cases.push_back({"horizontal wave", wave(1, 9.0, -50, 4, 0), wavePieces(1, 9.0, -50, 4, 0)});
    cases.push_back({"wave without amplitude", wave(3, 0.0, 0, 7, 1), {Plain(1, 50, 40, 40, 30, 10, 5)}});
    cases.push_back({"wave of strip 0", wave(1, 5.0, 0, 0, 1), {}});
    cases.push_back({"wave one column wide", wave(1, 5.0, 0, 2, 1, 1, 30), {}});
    cases.push_back({"wave one row high", wave(1, 5.0, 0, 2, 0, 40, 1), {}});

    // Stripes of a 50 x 30 picture: 8-pixel stripes leave the last 2 undrawn.
    auto stripe = [](int stripeSize, int vertical) {
        return [=](DDSURFACEDATA* t, DDSURFACEDATA* one, DDSURFACEDATA*) {
            DDBltStripe(t, 50, 40, 50, 30, stripeSize, 3, one, 20, 2, 1, vertical);
        };
    };
    std::vector<PIECE> columns, rows;
    for (int i = 0; i < 6; ++i)
        columns.push_back(Plain(1, 50 + 8 * i, i % 2 ? 37 : 43, 8, 30, 20 + 8 * i, 2));
    for (int i = 0; i < 3; ++i)
        rows.push_back(Plain(1, i % 2 ? 47 : 53, 40 + 8 * i, 50, 8, 20, 2 + 8 * i));
    cases.push_back({"vertical stripes", stripe(8, 1), columns});
    cases.push_back({"horizontal stripes", stripe(8, 0), rows});
    cases.push_back({"stripe 0", stripe(0, 1), {Plain(1, 50, 40, 50, 30, 20, 2)}});

    // A 64 x 32 card turning between 32 x 32 pictures of the two sheets:
    // widths 64, 2, 2, 64, 64 from sheets 1, 1, 2, 2, 2.
    auto turn = [](int phase, int direction, int w = 64, int h = 32) {
        return [=](DDSURFACEDATA* t, DDSURFACEDATA* one, DDSURFACEDATA* two) {
            DDBltTurnOver(t, 40, 30, w, h, one, 0, 0, two, 32, 4, 32, 32, 1, phase, direction);
        };
    };
    auto card = [](int sheet, int inset, int direction) {
        const int sx = sheet == 1 ? 0 : 32, sy = sheet == 1 ? 0 : 4;
        if (direction == 0) return PIECE{sheet, 40 + inset, 30, 64 - 2 * inset, 32, sx, sy, 32, 32};
        return PIECE{sheet, 40, 30 + inset, 64, 32 - 2 * inset, sx, sy, 32, 32};
    };
    cases.push_back({"turn at phase 0", turn(0, 0), {card(1, 0, 0)}});
    cases.push_back({"turn at phase 31", turn(31, 0), {card(1, 31, 0)}});
    cases.push_back({"turn at phase 32", turn(32, 0), {card(2, 31, 0)}});
    cases.push_back({"turn at phase 63", turn(63, 0), {card(2, 0, 0)}});
    cases.push_back({"turn at phase 64", turn(64, 0), {card(2, 0, 0)}});
    cases.push_back({"turn at phase 10", turn(10, 0), {card(1, 10, 0)}});
    // About the horizontal axis the half span is 16: phase 20 is on its way back (16 - 4 - 1).
    cases.push_back({"turn over the top at phase 20", turn(20, 1), {card(2, 11, 1)}});
    cases.push_back({"turn in direction 2", turn(5, 2), {}});
    cases.push_back({"turn of a card one pixel wide", turn(5, 0, 1, 32), {}});
    cases.push_back({"turn of a card one pixel high", turn(5, 1, 64, 1), {}});

    // Quarters of a 33 x 21 picture (halves 16 and 10), 4 pixels apart.
    cases.push_back({"quarters",
                     [](DDSURFACEDATA* t, DDSURFACEDATA* one, DDSURFACEDATA*) {
                         DDBltQuarter(t, 60, 50, 33, 21, one, 30, 10, 4, 1);
                     },
                     {Plain(1, 56, 46, 16, 10, 30, 10), Plain(1, 80, 46, 16, 10, 46, 10),
                      Plain(1, 56, 64, 16, 10, 30, 20), Plain(1, 80, 64, 16, 10, 46, 20)}});
    return cases;
}

void WriteSheets()
{
    for (int sheet : {1, 2}) {
        std::vector<uint32_t> pixels;
        for (int r = 0; r < kSheetH; ++r)
            for (int c = 0; c < kSheetW; ++c) pixels.push_back(SheetColour(sheet, c, r));
        WriteBmp(sheet == 1 ? "sheet1.bmp" : "sheet2.bmp", kSheetW, kSheetH, 24, pixels);
    }
}

struct Sheets {
    DDSURFACEDATA target, one, two;
    ~Sheets()
    {
        DDReleaseSurface(&target);
        DDReleaseSurface(&one);
        DDReleaseSurface(&two);
    }
};

class BlitEffectsTest : public DisplayTest {};

}  // namespace

using BothBackEndsBlitEffectsTest = OnBothBackEnds<BlitEffectsTest>;

// Under DirectDraw everything lives in system memory, where stretching is
// exact (a display driver filters its own way).
TEST_P(BothBackEndsBlitEffectsTest, EffectsMatchTheirPiecesOnBothBackEnds)
{
    const int d3d = GetParam();
    WriteSheets();
    const std::vector<EFFECTCASE> cases = Cases();
    ASSERT_TRUE(UpWithKey(d3d));
    {
    Sheets s;
    const int ddMemory = d3d ? 0 : 1;
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.one, "sheet1.bmp", 1, 32, ddMemory, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&s.two, "sheet2.bmp", 1, 32, ddMemory, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&s.target, kTargetW, kTargetH, 0, ddMemory,
                                DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (const EFFECTCASE& c : cases) {
        SCOPED_TRACE(c.what);
        DDFill(&s.target, d3d ? 0xFF000000 | kBack : kBack);
        c.draw(&s.target, &s.one, &s.two);
        EXPECT_TRUE(SameFrame(ReadPixels(&s.target, 0, 0, kTargetW, kTargetH),
                              ExpectedFrame(c.pieces)));
    }
    }
    DDUnInit();
}

// A frame lies inside its rectangle; a framed picture has it outside.
TEST_P(BothBackEndsBlitEffectsTest, FramesAndFramedPictures)
{
    const int d3d = GetParam();
    WriteSheets();
    ASSERT_TRUE(UpWithKey(d3d));
    Display.Palette[5] = {0x30, 0xC0, 0x50, 0};
    const uint32_t frameColour = 0x30C050;
    {
        Sheets s;
        ASSERT_EQ(DDCreateSurfaceFromFile(&s.one, "sheet1.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        // {rectangle, thickness, picture}: DDDrawFrame, or DDBltFrame of
        // sheet 1 when picture is set.
        struct FRAMECASE {
            int x, y, w, h, thickness, picture;
        };
        for (const FRAMECASE& c : {FRAMECASE{10, 10, 100, 50, 2, 0}, FRAMECASE{30, 20, 40, 24, 3, 1}}) {
            DDFill(&Display.BackBuffer, d3d ? 0xFF000000 | kBack : kBack);
            if (c.picture)
                DDBltFrame(&Display.BackBuffer, c.x, c.y, c.w, c.h, &s.one, c.thickness, 5);
            else
                DDDrawFrame(&Display.BackBuffer, c.x, c.y, c.w, c.h, c.thickness, 5);
            // The frame's outer rectangle.
            const int t = c.thickness;
            const int fx = c.picture ? c.x - t : c.x, fy = c.picture ? c.y - t : c.y;
            const int fw = c.picture ? c.w + 2 * t : c.w, fh = c.picture ? c.h + 2 * t : c.h;
            const std::vector<uint32_t> got = ReadPixels(&Display.BackBuffer, 0, 0, 140, 80);
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 140; ++x) {
                    const bool inOuter = x >= fx && x < fx + fw && y >= fy && y < fy + fh;
                    const bool inInner = x >= fx + t && x < fx + fw - t && y >= fy + t && y < fy + fh - t;
                    uint32_t want = kBack;
                    if (inOuter && !inInner) want = frameColour;
                    // The picture is copied opaque: its transparent colour shows.
                    if (inInner && c.picture) want = SheetColour(1, x - c.x, y - c.y);
                    ASSERT_EQ(got[y * 140 + x] & 0xFFFFFF, want) << x << "," << y;
                }
        }
    }
    DDUnInit();
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsBlitEffectsTest);
