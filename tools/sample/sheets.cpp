#include "tools/sample/sheets.h"

#include "tools/sample/game_palette.h"
#include "tools/sample/pixel_font.h"
#include "tools/sample/sprites.h"
#include "tools/sample/tiles.h"
#include "tools/sample/world.h"

namespace {
constexpr int SCREEN_W = 640, SCREEN_H = 480;
const char GAME_TITLE[] = "SUNNY HILLS";

cCanvas PalettePicture()
{
    // Entry 0 fills the picture and so gives the top-left pixel, the
    // transparent colour. The game reads the colours at 16 bits and more from
    // a grid of one pixel an entry at rows 8 to 23; beside it the same
    // colours are swatches of 6 pixels for the eye.
    cCanvas c(128, 128);
    for (int i = 0; i < 256; ++i) {
        c.FillRect(i % 16, 8 + i / 16, 1, 1, static_cast<uint8_t>(i));
        c.FillRect(24 + (i % 16) * 6, 8 + (i / 16) * 6, 6, 6, static_cast<uint8_t>(i));
    }
    return c;
}

cCanvas DebugPicture()
{
    // Digits for on-screen figures, 8 by 16 cells.
    cCanvas c(160, 16);
    for (int d = 0; d < 10; ++d) DrawPixelText(c, d * 8 + 1, 4, std::string(1, static_cast<char>('0' + d)), pal::WHITE);
    c.FillRect(80, 0, 16, 16, pal::RED + 5);
    c.FillRect(96, 0, 16, 16, pal::GREEN + 5);
    c.FillRect(112, 0, 16, 16, pal::BLUE + 5);
    return c;
}

cCanvas BlockSheet()
{
    cCanvas c(SCREEN_W, SCREEN_H);
    for (int chip = 1; chip < BLOCK_CHIPS; ++chip) DrawBlock(c, (chip / 15) * 32, (chip % 15) * 32, chip);
    return c;
}

cCanvas CharacterSheet()
{
    cCanvas c(SCREEN_W, SCREEN_H);
    for (int pose = 0; pose < HERO_POSES; ++pose) DrawHero(c, pose * 32, 0, pose);
    for (int f = 0; f < ENEMY_FRAMES; ++f) {
        DrawSlime(c, f * 32, 32, f);
        DrawBeetle(c, f * 32, 64, f);
    }
    return c;
}

cCanvas ShotSheet()
{
    cCanvas c(256, SCREEN_H);
    for (int g = 0; g < SHOT_CHIPS; ++g)
        for (int f = 0; f < 2; ++f) DrawShot(c, (2 * (g / 30) + f) * 16, (g % 30) * 16, g, f);
    return c;
}

cCanvas ItemSheet(int size)
{
    cCanvas c(size == 32 ? 128 : 32, 15 * size);
    for (int chip = 1; chip < ITEM_CHIPS; ++chip) {
        if (size == 32) {
            for (int f = 0; f < 2; ++f) DrawItem(c, (chip / 15) * 64 + f * 32, (chip % 15) * 32, chip, f);
        } else {
            DrawItem(c, (chip / 15) * 32, (chip % 15) * 16, chip, 0, 16);
        }
    }
    return c;
}

cCanvas MarkSheet()
{
    // 120 marks, 15 to a column: a ring of colour with the mark's number in
    // dots, so that marks tell apart at a glance.
    cCanvas c(256, SCREEN_H);
    for (int m = 0; m < 120; ++m) {
        const int x = (m / 15) * 32, y = (m % 15) * 32;
        const uint8_t col = static_cast<uint8_t>(pal::CYCLE + (m * 4) % 32);
        c.FrameRect(x + 1, y + 1, 30, 30, col);
        c.FrameRect(x + 2, y + 2, 28, 28, col);
        DrawPixelText(c, x + 4, y + 12, std::to_string(m), pal::WHITE, 1, pal::BLACK);
    }
    return c;
}

cCanvas WindowPicture()
{
    // The windows' inside: a deep blue that lightens to the bottom with a
    // faint diagonal weave.
    cCanvas c(SCREEN_W, SCREEN_H);
    c.GradientV(0, 0, SCREEN_W, SCREEN_H, pal::WINDOW + 1, pal::WINDOW + 5);
    for (int y = 0; y < SCREEN_H; ++y)
        for (int x = (y % 8); x < SCREEN_W; x += 8)
            if (((x + y) / 8) % 2 == 0) c.Set(x, y, static_cast<uint8_t>(c.Get(x, y) + 1));
    return c;
}

cCanvas StatusPicture()
{
    cCanvas c(SCREEN_W, 20);
    c.GradientV(0, 0, SCREEN_W, 20, pal::NAVY + 4, pal::NAVY + 1);
    c.FillRect(0, 0, SCREEN_W, 1, pal::NAVY + 6);
    c.FillRect(0, 19, SCREEN_W, 1, pal::BLACK);
    return c;
}

void DrawHills(cCanvas& c, int baseY, int amplitude, int period, uint8_t colour, int phase)
{
    for (int x = 0; x < c.Width(); ++x) {
        // A smooth bump from a triangle wave, in integers.
        int t = (x + phase) % period;
        int tri = t < period / 2 ? t : period - t;
        int top = baseY - amplitude * tri * (period - 2 * tri) / (period * period / 8 + 1);
        c.FillRect(x, top, 1, c.Height() - top, colour);
    }
}

void DrawCloud(cCanvas& c, int x, int y, int scale)
{
    c.FillEllipse(x, y + 4 * scale, 16 * scale, 8 * scale, pal::CLOUD + 6);
    c.FillEllipse(x + 5 * scale, y, 14 * scale, 10 * scale, pal::CLOUD + 7);
    c.FillEllipse(x + 12 * scale, y + 3 * scale, 14 * scale, 9 * scale, pal::CLOUD + 6);
}

cCanvas SkyPicture(bool dusk)
{
    cCanvas c(SCREEN_W, SCREEN_H);
    if (dusk) c.GradientV(0, 0, SCREEN_W, 300, pal::DUSK + 0, pal::DUSK + 7);
    else c.GradientV(0, 0, SCREEN_W, 300, pal::SKY + 2, pal::SKY + 7);
    c.FillRect(0, 300, SCREEN_W, 180, dusk ? pal::DUSK + 7 : pal::SKY + 7);
    DrawCloud(c, 60, 60, 3);
    DrawCloud(c, 400, 110, 2);
    DrawCloud(c, 520, 40, 2);
    DrawHills(c, 360, 90, 320, pal::LEAF + 3, 0);
    DrawHills(c, 420, 60, 200, pal::GRASS + 3, 90);
    return c;
}

cCanvas TitlePicture()
{
    cCanvas c = SkyPicture(false);
    // A ground strip with the hero and the two enemies standing on it.
    for (int x = 0; x < SCREEN_W; x += 32) {
        DrawBlock(c, x, 416, BLOCK_CHIP_GRASS);
        DrawBlock(c, x, 448, BLOCK_CHIP_DIRT);
    }
    cCanvas sprites(96, 32);
    DrawHero(sprites, 0, 0, HERO_JUMP);
    DrawSlime(sprites, 32, 0, 0);
    DrawBeetle(sprites, 64, 0, 1);
    // The hero, mirrored to face right, leaps at twice the size.
    for (int j = 0; j < 64; ++j)
        for (int i = 0; i < 64; ++i) {
            uint8_t p = sprites.Get(31 - i / 2, j / 2);
            if (p != pal::KEY) c.Set(64 + i, 330 + j, p);
        }
    c.Blit(520, 384, sprites, 32, 0, 32, 32, pal::KEY);
    c.Blit(570, 384, sprites, 64, 0, 32, 32, pal::KEY);
    // The title in big letters with a dark drop shadow, on a gold band, and
    // the subtitle under it, both above y 150: the continue list's slots
    // open from y 160 in a framed window.
    const int scale = 7, w = PixelTextWidth(GAME_TITLE, scale);
    const int x = (SCREEN_W - w) / 2, y = 44;
    c.FillRect(x - 24, y - 18, w + 48, 7 * scale + 36, pal::NAVY + 2);
    c.FrameRect(x - 24, y - 18, w + 48, 7 * scale + 36, pal::GOLD + 6);
    c.FrameRect(x - 21, y - 15, w + 42, 7 * scale + 30, pal::GOLD + 3);
    DrawPixelText(c, x, y, GAME_TITLE, pal::GOLD + 6, scale, pal::BROWN + 0);
    // Highlights on the upper rows of each letter.
    for (int j = y; j < y + 2 * scale; ++j)
        for (int i = x; i < x + w; ++i)
            if (c.Get(i, j) == pal::GOLD + 6) c.Set(i, j, pal::GOLD + 7);
    // The subtitle on a narrow band of its own, so that it reads over the
    // cloud behind it.
    const char sub[] = "A SMALL ADVENTURE";
    const int subW = PixelTextWidth(sub, 2), subX = (SCREEN_W - subW) / 2, subY = y + 7 * scale + 26;
    c.FillRect(subX - 10, subY - 6, subW + 20, 7 * 2 + 12, pal::NAVY + 2);
    c.FrameRect(subX - 10, subY - 6, subW + 20, 7 * 2 + 12, pal::GOLD + 3);
    DrawPixelText(c, subX, subY, sub, pal::WHITE, 2, pal::NAVY + 1);
    return c;
}

cCanvas MenuPicture()
{
    // One 32-pixel row per title menu item, in the order of the menu.
    static const char* const ITEMS[] = {"NEW GAME", "CONTINUE", "CHALLENGE", "STAGE FILE", "REPLAY", "OPTIONS", "EXIT"};
    cCanvas c(256, 32 * 7);
    for (int i = 0; i < 7; ++i) DrawPixelText(c, 8, i * 32 + 5, ITEMS[i], pal::WHITE, 3, pal::NAVY + 1);
    return c;
}

// A 16 by 16 icon of the status bar and the lives box.
void DrawStatusIcon(cCanvas& c, int x, int y, int kind)
{
    switch (kind) {
    case 0: {  // total score: a gold star
        static const char* const STAR[16] = {
            "       ##       ", "       ##       ", "      ####      ", "      ####      ",
            "######====######", " ##==========## ", "  ##========##  ", "   ##======##   ",
            "    #======#    ", "   ##======##   ", "   #==#  #==#   ", "  ##=#    #=##  ",
            "  #=#      #=#  ", " ##          ## ", " #            # ", "                "};
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i)
                if (STAR[j][i] != ' ') c.Set(x + i, y + j, STAR[j][i] == '#' ? pal::GOLD + 3 : pal::GOLD + 6);
        break;
    }
    case 1: {  // stage score: a silver cup, not to be read as a count of coins
        static const char* const CUP[16] = {
            "                ", "  ############  ", "###=+========###", "# #=+========# #",
            "# #=+========# #", " ##=+========## ", "   #=+======#   ", "    #=+====#    ",
            "     ##==##     ", "      #==#      ", "      #==#      ", "     ##==##     ",
            "    #======#    ", "   ##########   ", "   #========#   ", "   ##########   "};
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 16; ++i) {
                const char p = CUP[j][i];
                if (p == ' ') continue;
                c.Set(x + i, y + j, p == '#' ? pal::STONE + 2 : p == '+' ? pal::WHITE : pal::STONE + 5);
            }
        break;
    }
    case 2:  // hit points: a heart
        DrawItem(c, x, y, ITEM_CHIP_HEART, 0, 16);
        break;
    case 3:  // special points: a spark
        DrawShot(c, x, y, SHOT_CHIP_SPARK, 0);
        break;
    default:  // lives: the hero's head
        c.FillEllipse(x + 2, y + 3, 12, 12, pal::SKIN + 5);
        c.FillEllipse(x + 2, y + 1, 13, 8, pal::RED + 4);
        c.FillRect(x + 0, y + 6, 6, 2, pal::RED + 3);
        c.FillRect(x + 5, y + 8, 2, 3, pal::BLACK);
        break;
    }
}

void DrawGauge(cCanvas& c, int x, int y, uint8_t ramp)
{
    // Frame row y, fill row y + 16, low fill row y + 32; 50 by 16 each.
    c.FillRect(x, y, 50, 16, pal::KEY);
    c.FrameRect(x, y + 2, 50, 12, pal::WHITE);
    c.FrameRect(x + 1, y + 3, 48, 10, pal::BLACK);
    c.GradientV(x, y + 16 + 4, 50, 8, ramp + 7, ramp + 3);
    c.GradientV(x, y + 32 + 4, 50, 8, pal::RED + 7, pal::RED + 3);
}

// The mark of a cleared challenge stage, 32 by 32: a gold medal with a
// white tick, hanging from a red ribbon.
void DrawClearedMark(cCanvas& c, int x, int y)
{
    for (int j = 0; j < 12; ++j) {
        c.FillRect(x + 6 + j / 2, y + j, 5, 1, pal::RED + 5);
        c.FillRect(x + 21 - j / 2, y + j, 5, 1, pal::RED + 3);
    }
    c.FillEllipse(x + 5, y + 9, 22, 22, pal::GOLD + 2);
    c.FillEllipse(x + 7, y + 11, 18, 18, pal::GOLD + 5);
    c.FillEllipse(x + 9, y + 12, 8, 6, pal::GOLD + 7);
    for (int k = 0; k < 4; ++k) c.FillRect(x + 10 + k, y + 19 + k, 2, 2, pal::WHITE);
    for (int k = 0; k < 7; ++k) c.FillRect(x + 14 + k, y + 21 - k, 2, 2, pal::WHITE);
    c.OutlineInside(x, y, 32, 32, pal::BLACK);
}

cCanvas AccessorySheet()
{
    cCanvas c(128, 208);
    // The menu cursor: a pointing hand-like arrow, 32 by 32.
    for (int j = 0; j < 16; ++j) {
        const int half = j < 8 ? j : 15 - j;
        c.FillRect(6, 8 + j, half + 1, 1, pal::GOLD + 6);
        c.FillRect(6 + half + 1, 8 + j, 1, 1, pal::GOLD + 2);
    }
    c.FillRect(4, 12, 4, 8, pal::GOLD + 4);
    c.OutlineInside(0, 0, 32, 32, pal::BROWN);
    // The small cursors at (64, 0) and (80, 0).
    for (int k = 0; k < 2; ++k) {
        const int x = 64 + 16 * k;
        for (int j = 0; j < 10; ++j) {
            const int half = j < 5 ? j : 9 - j;
            c.FillRect(x + 4, 3 + j, half + 1, 1, k == 0 ? pal::GOLD + 6 : pal::SKY + 6);
        }
    }
    for (int k = 0; k < 5; ++k) DrawStatusIcon(c, 16 * k, 32, k);
    // The cleared mark of the challenge list at (96, 0).
    DrawClearedMark(c, 96, 0);
    // The item pop-up icon at (0, 48) and the ranking indicator at (16, 48).
    DrawStatusIcon(c, 0, 48, 4);
    for (int j = 0; j < 10; ++j) c.FillRect(16 + 3 + (j < 5 ? 5 - j : j - 4), 48 + 3 + j, 2, 1, pal::RED + 6);
    c.FillRect(16 + 3, 48 + 7, 8, 2, pal::RED + 6);
    // The world-map walker: down at (0, 64), up at (64, 64), right at
    // (0, 96), left at (64, 96); the second frame 32 to the right.
    for (int f = 0; f < 2; ++f) {
        DrawMapWalker(c, 32 * f, 64, f);
        DrawMapWalker(c, 64 + 32 * f, 64, f);
        // Seen from behind: the cap covers the face.
        c.FillEllipse(64 + 32 * f + 9, 64 + 2, 14, 11, pal::RED + 4);
        cCanvas side(32, 32);
        DrawHero(side, 0, 0, f == 0 ? HERO_STAND : HERO_WALK2);
        c.Blit(64 + 32 * f, 96, side, 0, 0, 32, 32, pal::KEY);
        c.BlitMirrored(32 * f, 96, side, 0, 0, 32, 32, pal::KEY);
    }
    DrawGauge(c, 0, 128, pal::GREEN);
    DrawGauge(c, 64, 128, pal::SKY);
    return c;
}

void DrawSymbol(cCanvas& c, int x, int letter)
{
    // Icons for the letters a to z of the fonts; the first five are the
    // status icons, then arrows, shapes and buttons.
    if (letter < 5) {
        DrawStatusIcon(c, x, 0, letter);
        return;
    }
    const uint8_t col = static_cast<uint8_t>(pal::CYCLE + (letter * 5) % 32);
    switch (letter % 4) {
    case 0: c.FillEllipse(x + 2, 2, 12, 12, col); break;
    case 1: c.FillRect(x + 3, 3, 10, 10, col); break;
    case 2:
        for (int j = 0; j < 10; ++j) c.FillRect(x + 8 - j / 2 - 1, 3 + j, j + 2, 1, col);
        break;
    default:
        for (int j = 0; j < 12; ++j) c.FillRect(x + 8 - (j < 6 ? j : 11 - j) - 1, 2 + j, 2 * (j < 6 ? j : 11 - j) + 2, 1, col);
        break;
    }
    c.OutlineInside(x, 0, 16, 16, pal::BLACK);
}

cCanvas SymbolSheet()
{
    cCanvas c(26 * 16, 16);
    for (int k = 0; k < 26; ++k) DrawSymbol(c, k * 16, k);
    return c;
}

cCanvas WordSheet()
{
    // Banners at fixed places, and two rows of ten 32 by 32 digits.
    cCanvas c(320, 192);
    auto banner = [&](int x, int y, int w, const char* text, uint8_t ramp) {
        // Three times the font where the word fits its place, else twice.
        const int scale = PixelTextWidth(text, 3) + 3 <= w ? 3 : 2;
        const int tw = PixelTextWidth(text, scale);
        DrawPixelText(c, x + (w - tw) / 2, y + (32 - 7 * scale) / 2, text, ramp + 6, scale, pal::BLACK);
    };
    banner(0, 0, 128, "STAGE", pal::SKY);
    banner(160, 0, 80, "GO!", pal::GOLD);
    banner(0, 32, 128, "REPLAY", pal::PINK);
    banner(0, 64, 128, "CLEAR!", pal::GOLD);
    banner(0, 96, 144, "GAME OVER", pal::RED);
    for (int d = 0; d < 10; ++d) {
        const std::string s(1, static_cast<char>('0' + d));
        DrawPixelText(c, d * 32 + 7, 128 + 5, s, pal::WHITE, 3, pal::BLACK);
        DrawPixelText(c, d * 32 + 7, 160 + 5, s, pal::YELLOW + 6, 3, pal::BROWN);
    }
    return c;
}

void DrawMapChip(cCanvas& c, int x, int y, int chip)
{
    switch (chip) {
    case MAP_CHIP_SEA:
        // Transparent: the map's background picture paints the sea.
        break;
    case MAP_CHIP_DEEP: {
        const uint8_t base = pal::WATER + 2;
        c.FillRect(x, y, 32, 32, base);
        for (int k = 0; k < 3; ++k) c.FillRect(x + 4 + (k % 2) * 12, y + 6 + k * 9, 8, 1, base + 2);
        break;
    }
    case MAP_CHIP_MOUNTAIN:
        c.FillRect(x, y, 32, 32, pal::GRASS + 4);
        for (int j = 0; j < 24; ++j) c.FillRect(x + 16 - j * 2 / 3 - 1, y + 6 + j, j * 4 / 3 + 2, 1, pal::STONE + 3);
        for (int j = 0; j < 7; ++j) c.FillRect(x + 16 - j * 2 / 3 - 1, y + 6 + j, j * 4 / 3 + 2, 1, pal::WHITE);
        break;
    case MAP_CHIP_FOREST:
        c.FillRect(x, y, 32, 32, pal::GRASS + 4);
        for (int k = 0; k < 2; ++k) {
            const int tx = x + 2 + k * 15, ty = y + 4 + k * 6;
            c.FillRect(tx + 6, ty + 16, 3, 6, pal::BROWN + 2);
            c.FillEllipse(tx, ty, 15, 18, pal::LEAF + 4);
            c.FillEllipse(tx + 3, ty + 3, 6, 6, pal::LEAF + 6);
        }
        break;
    case MAP_CHIP_ROCK:
        c.FillRect(x, y, 32, 32, pal::GRASS + 4);
        c.FillEllipse(x + 4, y + 8, 24, 18, pal::STONE + 3);
        c.FillEllipse(x + 8, y + 10, 10, 7, pal::STONE + 5);
        break;
    case MAP_CHIP_MEADOW:
        c.FillRect(x, y, 32, 32, pal::GRASS + 4);
        for (int k = 0; k < 4; ++k) c.FillRect(x + 3 + k * 8, y + 5 + (k * 11) % 20, 2, 3, pal::GRASS + 6);
        break;
    case MAP_CHIP_ROAD_H:
    case MAP_CHIP_ROAD_V:
        c.FillRect(x, y, 32, 32, pal::GRASS + 4);
        if (chip == MAP_CHIP_ROAD_H) c.FillRect(x, y + 10, 32, 12, pal::SAND + 4);
        else c.FillRect(x + 10, y, 12, 32, pal::SAND + 4);
        break;
    case MAP_CHIP_SAND:
        c.FillRect(x, y, 32, 32, pal::SAND + 5);
        for (int k = 0; k < 5; ++k) c.Set(x + 5 + k * 6, y + 7 + (k * 13) % 20, pal::SAND + 3);
        break;
    case MAP_CHIP_BRIDGE:
        // Planks over the background picture's water.
        c.FillRect(x, y + 8, 32, 16, pal::BROWN + 4);
        for (int k = 0; k < 32; k += 6) c.FillRect(x + k, y + 8, 1, 16, pal::BROWN + 2);
        break;
    default: break;
    }
}

cCanvas MapChipSheet()
{
    cCanvas c(160, 64);
    for (int n = 0; n < MAP_CHIPS; ++n) DrawMapChip(c, 32 * (n % 5), 32 * (n / 5), n);
    return c;
}

cCanvas MapEventSheet()
{
    // Per row: the point before it is cleared at x 0, after at x 32.
    cCanvas c(64, 32 * MAP_EVENTS);
    for (int cleared = 0; cleared < 2; ++cleared) {
        const int x = 32 * cleared;
        // A stage: a round stone that turns into a flag.
        c.FillEllipse(x + 6, 14, 20, 14, pal::STONE + 2);
        c.FillEllipse(x + 8, 14, 16, 11, cleared ? pal::GREEN + 5 : pal::RED + 5);
        if (cleared) {
            c.FillRect(x + 15, 2, 2, 18, pal::WHITE);
            c.FillRect(x + 17, 2, 9, 6, pal::GOLD + 6);
        }
        // The castle of the last stage.
        const int y = 32;
        c.FillRect(x + 6, y + 12, 20, 18, pal::STONE + 5);
        for (int k = 0; k < 3; ++k) c.FillRect(x + 6 + k * 8, y + 8, 4, 5, pal::STONE + 5);
        c.FillRect(x + 13, y + 20, 6, 10, pal::BROWN + 1);
        c.FillRect(x + 15, y, 2, 9, pal::WHITE);
        c.FillRect(x + 17, y, 7, 5, cleared ? pal::GOLD + 6 : pal::RED + 5);
    }
    c.OutlineInside(0, 0, 64, 32 * MAP_EVENTS, pal::BLACK);
    return c;
}

}  // namespace

std::vector<cPicture> DrawAllPictures()
{
    std::vector<cPicture> out;
    out.push_back({"bmp/plt/Palette.bmp", PalettePicture()});
    out.push_back({"bmp/Debug.bmp", DebugPicture()});
    out.push_back({"bmp/Block.bmp", BlockSheet()});
    out.push_back({"bmp/Character1.bmp", CharacterSheet()});
    out.push_back({"bmp/Shot.bmp", ShotSheet()});
    out.push_back({"bmp/Item.bmp", ItemSheet(32)});
    out.push_back({"bmp/Item_Mini.bmp", ItemSheet(16)});
    out.push_back({"bmp/Mark.bmp", MarkSheet()});
    out.push_back({"bmp/Window.bmp", WindowPicture()});
    out.push_back({"bmp/StatusWindow.bmp", StatusPicture()});
    out.push_back({"bmp/Title.bmp", TitlePicture()});
    out.push_back({"bmp/GameMode.bmp", MenuPicture()});
    out.push_back({"bmp/Accessory.bmp", AccessorySheet()});
    out.push_back({"bmp/Symbol.bmp", SymbolSheet()});
    out.push_back({"bmp/Word.bmp", WordSheet()});
    out.push_back({"bmp/WorldMapChip.bmp", MapChipSheet()});
    out.push_back({"bmp/WorldEvent.bmp", MapEventSheet()});
    out.push_back({"bmp/WorldBack.bmp", WorldBackPicture()});
    out.push_back({"bmp/back/Hills.bmp", SkyPicture(false)});
    out.push_back({"bmp/back/Dusk.bmp", SkyPicture(true)});
    return out;
}
