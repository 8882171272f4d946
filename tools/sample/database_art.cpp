#include "tools/sample/database_art.h"

#include <cmath>

#include "tools/sample/game_palette.h"
#include "tools/sample/pixel_font.h"
#include "tools/sample/sprites.h"

const char* const EFFECT_HIT_FILE = "bmp/effect/Hit.bmp";
const char* const EFFECT_PUFF_FILE = "bmp/effect/Puff.bmp";
const char* const EFFECT_SPARKLE_FILE = "bmp/effect/Sparkle.bmp";
const char* const SWORD_LEFT_FILE = "bmp/sword/SwordL.bmp";
const char* const SWORD_RIGHT_FILE = "bmp/sword/SwordR.bmp";
const char* const KING_SLIME_FILE = "bmp/chara_sp/KingSlime.bmp";
const char* const WELCOME_PICTURE_FILE = "bmp/picture/Welcome.bmp";

namespace {
constexpr double PI = 3.14159265358979323846;

// The point at distance r from (cx, cy) in direction a (degrees), rounded.
int Px(int cx, double r, double a) { return cx + static_cast<int>(std::lround(r * std::cos(a * PI / 180))); }
int Py(int cy, double r, double a) { return cy - static_cast<int>(std::lround(r * std::sin(a * PI / 180))); }

// A burst of eight rays round a core that shrinks as the rays grow and fade.
cCanvas HitPicture()
{
    cCanvas c(EFFECT_CELL * HIT_FRAMES, EFFECT_CELL);
    for (int f = 0; f < HIT_FRAMES; ++f) {
        const int cx = f * EFFECT_CELL + 16, cy = 16;
        const int inner = 2 + f * 3, outer = 7 + f * 3;
        const uint8_t ray = static_cast<uint8_t>(pal::YELLOW + 7 - f);
        for (int k = 0; k < 8; ++k) {
            const double a = k * 45.0;
            const int len = k % 2 ? outer - 3 : outer;
            c.Line(Px(cx, inner, a), Py(cy, inner, a), Px(cx, len, a), Py(cy, len, a), ray);
        }
        const int core = 10 - f * 3;
        if (core > 0) {
            c.FillEllipse(cx - core / 2, cy - core / 2, core, core, pal::ORANGE + 6);
            c.FillEllipse(cx - core / 4, cy - core / 4, core / 2 + 1, core / 2 + 1, pal::WHITE);
        }
    }
    return c;
}

// Four round clouds that swell, pale and drift apart.
cCanvas PuffPicture()
{
    cCanvas c(EFFECT_CELL * PUFF_FRAMES, EFFECT_CELL);
    static const int DIR[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int f = 0; f < PUFF_FRAMES; ++f) {
        const int cx = f * EFFECT_CELL + 16, cy = 16;
        // Each cloud stays inside the cell: spread + r is at most 14.
        static const int R[PUFF_FRAMES] = {6, 7, 7, 6, 4};
        const int spread = 2 + f * 2, r = R[f];
        for (const auto& d : DIR) {
            const int x = cx + d[0] * spread - r, y = cy + d[1] * spread - r;
            c.FillEllipse(x, y, 2 * r, 2 * r, static_cast<uint8_t>(pal::GREY + 8 + f));
            c.FillEllipse(x + r / 2, y + r / 3, r, r, static_cast<uint8_t>(pal::GREY + 10 + f));
        }
        if (f == 0) c.FillEllipse(cx - 4, cy - 4, 8, 8, pal::WHITE);
    }
    return c;
}

// A four-pointed twinkle at (cx, cy) with arms of length r.
void Twinkle(cCanvas& c, int cx, int cy, int r, uint8_t colour)
{
    c.Line(cx - r, cy, cx + r, cy, colour);
    c.Line(cx, cy - r, cx, cy + r, colour);
    if (r >= 3) {
        c.Line(cx - 1, cy - 1, cx + 1, cy + 1, colour);
        c.Line(cx - 1, cy + 1, cx + 1, cy - 1, colour);
    }
    c.Set(cx, cy, pal::WHITE);
}

// Three gold twinkles rising from where the coin was, large then small.
cCanvas SparklePicture()
{
    cCanvas c(EFFECT_CELL * SPARKLE_FRAMES, EFFECT_CELL);
    static const int SIZE[SPARKLE_FRAMES][3] = {{2, 4, 1}, {4, 3, 3}, {3, 2, 4}, {1, 1, 2}};
    for (int f = 0; f < SPARKLE_FRAMES; ++f) {
        const int x = f * EFFECT_CELL, rise = f * 2;
        Twinkle(c, x + 9, 20 - rise, SIZE[f][0], pal::GOLD + 7);
        Twinkle(c, x + 17, 11 - rise, SIZE[f][1], pal::YELLOW + 7);
        Twinkle(c, x + 24, 22 - rise, SIZE[f][2], pal::GOLD + 6);
    }
    return c;
}

// The blade of the sword from its hilt at (hx, hy) in direction a.
void DrawBlade(cCanvas& c, int hx, int hy, double a)
{
    // Grip and guard, then a steel blade three pixels wide that narrows to
    // its point, with a bright line along its middle.
    c.Line(hx, hy, Px(hx, 4, a + 180), Py(hy, 4, a + 180), pal::BROWN + 3);
    for (int t = 1; t <= 20; ++t) {
        const int x = Px(hx, t, a), y = Py(hy, t, a);
        if (t < 18) c.FillRect(x - 1, y - 1, 3, 3, pal::STONE + 4);
        else c.Set(x, y, pal::STONE + 6);
    }
    c.Line(Px(hx, 2, a), Py(hy, 2, a), Px(hx, 18, a), Py(hy, 18, a), pal::STONE + 7);
    c.Line(Px(hx, 4, a + 90), Py(hy, 4, a + 90), Px(hx, 4, a - 90), Py(hy, 4, a - 90), pal::GOLD + 5);
    c.Set(Px(hx, 21, a), Py(hy, 21, a), pal::WHITE);
}

// The swing for facing left: raised, half-way, struck forward (left), each
// pose in a 32 by 32 cell with the hilt near the owner's side (the right).
cCanvas SwordPicture(bool mirrored)
{
    cCanvas left(32 * SWORD_POSES, 32);
    static const double ANGLE[SWORD_POSES] = {100, 145, 180};
    for (int p = 0; p < SWORD_POSES; ++p) DrawBlade(left, p * 32 + 26, 24 - (p == 2 ? 8 : 0), ANGLE[p]);
    if (!mirrored) return left;
    cCanvas right(left.Width(), left.Height());
    for (int p = 0; p < SWORD_POSES; ++p) right.BlitMirrored(p * 32, 0, left, p * 32, 0, 32, 32);
    return right;
}

// The slime at twice the size with a gold crown, in 64-pixel cells, eight
// to the row of a 512-pixel picture.
cCanvas KingSlimePicture()
{
    cCanvas small(32 * KING_SLIME_FRAMES, 32);
    for (int f = 0; f < KING_SLIME_FRAMES; ++f) DrawSlime(small, f * 32, 0, f);
    cCanvas c(512, 64);
    static const int TOP[KING_SLIME_FRAMES] = {13, 17, 9, 13};  // the body's top in the small cell
    for (int f = 0; f < KING_SLIME_FRAMES; ++f) {
        for (int j = 0; j < 64; ++j)
            for (int i = 0; i < 64; ++i) {
                const uint8_t p = small.Get(f * 32 + i / 2, j / 2);
                if (p != pal::KEY) c.Set(f * 64 + i, j, p);
            }
        // The crown sits on the body and rides its squash and stretch.
        const int x = f * 64 + 22, y = TOP[f] * 2 - 12;
        c.FillRect(x, y + 6, 20, 6, pal::GOLD + 5);
        for (int k = 0; k < 3; ++k) {
            // Three points, each widening from a jewel at its tip.
            const int px = x + 2 + k * 8;
            for (int r = 0; r < 6; ++r) c.FillRect(px - r / 2, y + r, 1 + (r / 2) * 2, 1, pal::GOLD + 5);
            c.Set(px, y - 1, pal::GOLD + 7);
        }
        c.FillRect(x, y + 10, 20, 2, pal::GOLD + 2);
        c.FillRect(x + 8, y + 7, 4, 3, pal::RED + 5);
        c.OutlineInside(f * 64, 0, 64, 64, pal::GREEN + 0);
    }
    return c;
}

// A postcard of the island: sky, sun, two hills and a greeting.
cCanvas WelcomePicture()
{
    cCanvas c(256, 144);
    c.FillRect(0, 0, 256, 144, pal::WINDOW + 1);
    c.GradientV(6, 6, 244, 132, pal::SKY + 2, pal::SKY + 7);
    c.FillEllipse(186, 18, 36, 36, pal::YELLOW + 6);
    c.FillEllipse(192, 24, 18, 18, pal::YELLOW + 7);
    c.FillEllipse(-40, 96, 200, 100, pal::LEAF + 3);
    c.FillEllipse(90, 104, 220, 90, pal::GRASS + 4);
    c.FillRect(0, 138, 256, 6, pal::WINDOW + 1);
    c.FillRect(0, 0, 6, 144, pal::WINDOW + 1);
    c.FillRect(250, 0, 6, 144, pal::WINDOW + 1);
    const std::string text = "WELCOME!";
    const int w = PixelTextWidth(text, 3);
    DrawPixelText(c, (256 - w) / 2, 62, text, pal::WHITE, 3, pal::NAVY + 1);
    cCanvas hero(32, 32);
    DrawHero(hero, 0, 0, HERO_STAND);
    c.BlitMirrored(40, 100, hero, 0, 0, 32, 32, pal::KEY);
    c.FrameRect(0, 0, 256, 144, pal::FRAME);
    c.FrameRect(5, 5, 246, 134, pal::WINDOW + 6);
    return c;
}
}  // namespace

std::vector<cPicture> DrawDatabasePictures()
{
    std::vector<cPicture> out;
    out.push_back({EFFECT_HIT_FILE, HitPicture()});
    out.push_back({EFFECT_PUFF_FILE, PuffPicture()});
    out.push_back({EFFECT_SPARKLE_FILE, SparklePicture()});
    out.push_back({SWORD_LEFT_FILE, SwordPicture(false)});
    out.push_back({SWORD_RIGHT_FILE, SwordPicture(true)});
    out.push_back({KING_SLIME_FILE, KingSlimePicture()});
    out.push_back({WELCOME_PICTURE_FILE, WelcomePicture()});
    return out;
}

std::string GamePath(const std::string& relative)
{
    std::string out = relative;
    for (char& ch : out)
        if (ch == '/') ch = '\\';
    return out;
}
