#include "tools/sample/tiles.h"

#include "tools/sample/game_palette.h"

namespace {
// A cheap deterministic speckle for textures: a hash of the position.
int Speckle(int x, int y, int seed)
{
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h ^ (h >> 16)) & 0xFF);
}

void Bevel(cCanvas& c, int x, int y, int w, int h, uint8_t light, uint8_t dark)
{
    c.FillRect(x, y, w, 1, light);
    c.FillRect(x, y, 1, h, light);
    c.FillRect(x, y + h - 1, w, 1, dark);
    c.FillRect(x + w - 1, y, 1, h, dark);
}

void Dirt(cCanvas& c, int x, int y, int top)
{
    c.FillRect(x, y + top, 32, 32 - top, pal::BROWN + 3);
    for (int j = top; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            int s = Speckle(i, j, 7);
            if (s < 20) c.Set(x + i, y + j, pal::BROWN + 2);
            else if (s > 238) c.Set(x + i, y + j, pal::BROWN + 5);
        }
    // A few pebbles.
    c.FillEllipse(x + 6, y + 22, 5, 3, pal::SAND + 3);
    c.FillEllipse(x + 21, y + 15 + top / 4, 4, 3, pal::SAND + 2);
}
}  // namespace

void DrawBlock(cCanvas& c, int x, int y, int chip)
{
    switch (chip) {
    case BLOCK_CHIP_GRASS:
        Dirt(c, x, y, 6);
        c.FillRect(x, y, 32, 6, pal::GRASS + 5);
        c.FillRect(x, y, 32, 2, pal::GRASS + 7);
        for (int i = 0; i < 32; i += 4) c.FillRect(x + i + 1, y + 6, 2, 2 + (i / 4) % 3, pal::GRASS + 3);
        break;
    case BLOCK_CHIP_DIRT: Dirt(c, x, y, 0); break;
    case BLOCK_CHIP_BRICK:
        c.FillRect(x, y, 32, 32, pal::SAND + 2);
        for (int row = 0; row < 4; ++row) {
            const int off = (row % 2) ? 8 : 0;
            for (int col = -1; col < 2; ++col) {
                const int bx = x + off + col * 16, by = y + row * 8;
                for (int j = 0; j < 7; ++j)
                    for (int i = 0; i < 15; ++i)
                        if (bx + i >= x && bx + i < x + 32) c.Set(bx + i, by + j, pal::BRICK + 4);
                for (int i = 0; i < 15; ++i)
                    if (bx + i >= x && bx + i < x + 32) c.Set(bx + i, by, pal::BRICK + 6);
            }
        }
        break;
    case BLOCK_CHIP_STONE:
        c.FillRect(x, y, 32, 32, pal::STONE + 4);
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i)
                if (Speckle(i, j, 3) < 24) c.Set(x + i, y + j, pal::STONE + 3);
        Bevel(c, x, y, 32, 32, pal::STONE + 6, pal::STONE + 1);
        Bevel(c, x + 1, y + 1, 30, 30, pal::STONE + 5, pal::STONE + 2);
        break;
    case BLOCK_CHIP_BOX:
    case BLOCK_CHIP_USED_BOX: {
        const uint8_t base = chip == BLOCK_CHIP_BOX ? pal::GOLD : pal::BROWN;
        c.FillRect(x, y, 32, 32, base + 4);
        Bevel(c, x, y, 32, 32, base + 6, base + 1);
        Bevel(c, x + 1, y + 1, 30, 30, base + 5, base + 2);
        for (int k : {3, 27}) {
            c.FillRect(x + k, y + 3, 2, 2, base + 1);
            c.FillRect(x + k, y + 27, 2, 2, base + 1);
        }
        if (chip == BLOCK_CHIP_BOX) {
            // A coin mark in the middle.
            c.FillEllipse(x + 10, y + 8, 12, 16, pal::GOLD + 7);
            c.FillEllipse(x + 12, y + 10, 8, 12, pal::GOLD + 5);
            c.FillRect(x + 15, y + 12, 2, 8, pal::GOLD + 2);
        }
        break;
    }
    case BLOCK_CHIP_SPIKES:
        c.FillRect(x, y + 26, 32, 6, pal::STONE + 2);
        for (int k = 0; k < 4; ++k) {
            const int sx = x + k * 8;
            for (int j = 0; j < 20; ++j) {
                const int half = (j * 4) / 20;
                c.FillRect(sx + 4 - half - 1, y + 6 + j, 2 * half + 2, 1, pal::STONE + 5);
                c.Set(sx + 4 - half - 1, y + 6 + j, pal::STONE + 7);
            }
        }
        break;
    case BLOCK_CHIP_CLOUD:
        c.FillEllipse(x - 2, y + 6, 16, 14, pal::CLOUD + 6);
        c.FillEllipse(x + 8, y + 2, 18, 18, pal::CLOUD + 7);
        c.FillEllipse(x + 18, y + 6, 16, 14, pal::CLOUD + 6);
        c.FillRect(x, y + 14, 32, 6, pal::CLOUD + 5);
        c.FillRect(x, y + 19, 32, 1, pal::CLOUD + 2);
        break;
    case BLOCK_CHIP_LIFT:
        // A plank of wood on an iron frame, bolted at both ends.
        c.FillRect(x, y, 32, 32, pal::STONE + 2);
        Bevel(c, x, y, 32, 32, pal::STONE + 5, pal::STONE + 1);
        c.FillRect(x + 2, y + 2, 28, 10, pal::BROWN + 5);
        c.FillRect(x + 2, y + 2, 28, 2, pal::BROWN + 6);
        c.FillRect(x + 2, y + 11, 28, 1, pal::BROWN + 2);
        for (int k : {4, 26}) c.FillRect(x + k, y + 6, 2, 2, pal::STONE + 7);
        for (int k = 0; k < 3; ++k) c.FillRect(x + 6 + k * 9, y + 16, 3, 12, pal::STONE + 4);
        break;
    default: break;
    }
}

void DrawItem(cCanvas& c, int x, int y, int chip, int frame, int size)
{
    // Drawn at 32 pixels; the icon form halves every measure.
    const int s = size == 16 ? 2 : 1;
    auto R = [&](int rx, int ry, int rw, int rh, uint8_t col) { c.FillRect(x + rx / s, y + ry / s, (rw + s - 1) / s, (rh + s - 1) / s, col); };
    auto E = [&](int ex, int ey, int ew, int eh, uint8_t col) { c.FillEllipse(x + ex / s, y + ey / s, ew / s, eh / s, col); };
    switch (chip) {
    case ITEM_CHIP_COIN: {
        // Frame 1 shows the coin turned half away.
        const int w = frame == 0 ? 20 : 10;
        E(16 - w / 2, 6, w, 22, pal::GOLD + 2);
        E(16 - w / 2 + 1, 6, w - 2, 20, pal::GOLD + 5);
        E(16 - w / 2 + 3, 9, w - 6 > 2 ? w - 6 : 2, 14, pal::GOLD + 6);
        R(15, 11, 2, 10, pal::GOLD + 3);
        R(16 - w / 2 + 3, 9, 2, 4, pal::WHITE);
        break;
    }
    case ITEM_CHIP_HEART: {
        const int grow = frame == 0 ? 0 : 2;
        E(5 - grow, 7 - grow, 13 + grow, 12 + grow, pal::RED + 4);
        E(14, 7 - grow, 13 + grow, 12 + grow, pal::RED + 4);
        for (int j = 0; j < 12; ++j) R(6 - grow / 2 + j, 14 + j, 20 + grow - 2 * j, 1, pal::RED + 4);
        E(8, 9, 5, 4, pal::RED + 7);
        break;
    }
    case ITEM_CHIP_FLAG: {
        R(7, 2, 3, 29, pal::STONE + 6);
        E(5, 0, 7, 5, pal::GOLD + 6);
        const int wave = frame == 0 ? 0 : 2;
        for (int i = 0; i < 18; ++i) {
            const int dy = ((i / 4 + frame) % 2) ? wave : 0;
            R(10 + i, 4 + dy, 1, 12 - i / 3, pal::GREEN + 5);
            R(10 + i, 4 + dy, 1, 1, pal::GREEN + 7);
        }
        R(7, 29, 8, 3, pal::STONE + 3);
        break;
    }
    case ITEM_CHIP_SIGN:
        R(14, 18, 4, 14, pal::BROWN + 2);
        R(3, 4, 26, 16, pal::BROWN + 5);
        R(3, 4, 26, 2, pal::BROWN + 6);
        R(3, 18, 26, 2, pal::BROWN + 2);
        for (int k = 0; k < 3; ++k) R(7, 8 + k * 3, 18 - (k == 2 ? 6 : 0), 1, pal::BROWN + 1);
        if (frame == 1) E(24, 0, 7, 7, pal::YELLOW + 7);
        break;
    default: break;
    }
    if (s == 1) c.OutlineInside(x, y, 32, 32, pal::NAVY + 1);
}

void DrawShot(cCanvas& c, int x, int y, int chip, int frame)
{
    if (chip == SHOT_CHIP_SPARK) {
        const int r = frame == 0 ? 12 : 10;
        c.FillEllipse(x + 8 - r / 2, y + 8 - r / 2, r, r, pal::YELLOW + 5);
        c.FillEllipse(x + 8 - r / 4, y + 8 - r / 4, r / 2, r / 2, pal::WHITE);
        const uint8_t ray = pal::YELLOW + 7;
        if (frame == 0) {
            c.Line(x + 0, y + 8, x + 2, y + 8, ray);
            c.Line(x + 13, y + 8, x + 15, y + 8, ray);
        } else {
            c.Line(x + 2, y + 2, x + 4, y + 4, ray);
            c.Line(x + 11, y + 11, x + 13, y + 13, ray);
            c.Line(x + 13, y + 2, x + 11, y + 4, ray);
            c.Line(x + 2, y + 13, x + 4, y + 11, ray);
        }
    } else if (chip == SHOT_CHIP_SPIT) {
        c.FillEllipse(x + 3, y + 4 + frame, 10, 9 - frame, pal::PURPLE + 5);
        c.FillEllipse(x + 5, y + 5 + frame, 4, 3, pal::PURPLE + 7);
        c.OutlineInside(x, y, 16, 16, pal::PURPLE + 1);
    }
}
