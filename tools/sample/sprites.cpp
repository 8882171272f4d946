#include "tools/sample/sprites.h"

#include "tools/sample/game_palette.h"

namespace {
// Leg pairs of the walk and the other poses: x of the front and back foot, and
// how far each is lifted.
struct cLegs {
    int frontX, frontLift, backX, backLift;
};

void DrawLegs(cCanvas& c, int x, int y, cLegs l)
{
    // Trousers, then boots.
    c.FillRect(x + l.backX, y + 23, 4, 5 - l.backLift, pal::NAVY + 3);
    c.FillRect(x + l.backX - 1, y + 28 - l.backLift, 6, 3, pal::BROWN + 2);
    c.FillRect(x + l.frontX, y + 23, 4, 5 - l.frontLift, pal::NAVY + 4);
    c.FillRect(x + l.frontX - 1, y + 28 - l.frontLift, 6, 3, pal::BROWN + 3);
}
}  // namespace

void DrawHero(cCanvas& c, int x, int y, int pose)
{
    const int bob = (pose == HERO_WALK1 || pose == HERO_WALK3) ? 1 : 0;
    const int oy = y + bob - (pose == HERO_JUMP ? 1 : 0);
    cLegs legs{11, 0, 17, 0};
    switch (pose) {
    case HERO_WALK1: legs = {9, 1, 19, 0}; break;
    case HERO_WALK2: legs = {13, 0, 15, 2}; break;
    case HERO_WALK3: legs = {19, 0, 9, 1}; break;
    case HERO_JUMP: legs = {9, 3, 18, 1}; break;
    case HERO_FALL: legs = {10, 0, 19, 2}; break;
    case HERO_HURT: legs = {13, 1, 19, 0}; break;
    default: break;
    }
    DrawLegs(c, x, oy, legs);
    // Tunic with a belt.
    c.FillRect(x + 9, oy + 15, 14, 9, pal::SKY + 3);
    c.FillRect(x + 10, oy + 15, 4, 8, pal::SKY + 5);
    c.FillRect(x + 9, oy + 21, 14, 2, pal::BROWN + 1);
    c.Set(x + 15, oy + 21, pal::GOLD + 6);
    // Back arm, then head.
    c.FillRect(x + 21, oy + 16, 3, 6, pal::SKY + 2);
    c.FillEllipse(x + 8, oy + 3, 15, 13, pal::SKIN + 5);
    // Cap with its visor to the left, and hair at the back.
    c.FillEllipse(x + 8, oy + 1, 16, 9, pal::RED + 4);
    c.FillRect(x + 4, oy + 7, 8, 2, pal::RED + 3);
    c.FillRect(x + 11, oy + 2, 5, 2, pal::RED + 6);
    c.FillRect(x + 20, oy + 8, 3, 5, pal::BROWN + 2);
    // Eye, cheek, mouth.
    if (pose == HERO_HURT) {
        c.Line(x + 11, oy + 9, x + 13, oy + 11, pal::BLACK);
        c.Line(x + 13, oy + 9, x + 11, oy + 11, pal::BLACK);
    } else {
        c.FillRect(x + 12, oy + 9, 2, 3, pal::BLACK);
        c.Set(x + 12, oy + 9, pal::WHITE);
    }
    c.Set(x + 15, oy + 12, pal::PINK + 5);
    c.FillRect(x + 10, oy + 13, 2, 1, pal::SKIN + 1);
    // Front arm: forward with a glowing hand when shooting, raised when
    // jumping, by the side otherwise.
    if (pose == HERO_SHOOT) {
        c.FillRect(x + 3, oy + 17, 10, 3, pal::SKY + 4);
        c.FillRect(x + 1, oy + 16, 3, 4, pal::SKIN + 5);
        c.Set(x + 0, oy + 17, pal::YELLOW + 7);
    } else if (pose == HERO_JUMP) {
        c.FillRect(x + 10, oy + 11, 3, 7, pal::SKY + 4);
        c.FillRect(x + 10, oy + 9, 3, 3, pal::SKIN + 5);
    } else {
        c.FillRect(x + 11, oy + 16, 3, 6, pal::SKY + 4);
        c.FillRect(x + 11, oy + 22, 3, 2, pal::SKIN + 5);
    }
    c.OutlineInside(x, y, 32, 32, pal::NAVY + 0);
}

void DrawSlime(cCanvas& c, int x, int y, int frame)
{
    // Squash and stretch: frame 0 rests, 1 squashes, 2 stretches up, 3 rests.
    static const int W[ENEMY_FRAMES] = {24, 28, 20, 24};
    static const int H[ENEMY_FRAMES] = {18, 14, 22, 18};
    const int w = W[frame], h = H[frame];
    const int bx = x + (32 - w) / 2, by = y + 31 - h;
    c.FillEllipse(bx, by, w, h + 6, pal::GREEN + 4);
    c.FillEllipse(bx + 3, by + 2, w / 2, h / 2, pal::GREEN + 6);
    c.FillEllipse(bx + 4, by + 3, 4, 3, pal::WHITE);
    // Eyes look left.
    const int ey = by + h / 2;
    c.FillRect(bx + w / 4 - 1, ey, 3, 4, pal::BLACK);
    c.FillRect(bx + w / 2 - 1, ey, 3, 4, pal::BLACK);
    c.Set(bx + w / 4 - 1, ey, pal::WHITE);
    c.Set(bx + w / 2 - 1, ey, pal::WHITE);
    c.OutlineInside(x, y, 32, 32, pal::GREEN + 0);
}

void DrawBeetle(cCanvas& c, int x, int y, int frame)
{
    // Legs first, alternating in pairs.
    for (int i = 0; i < 3; ++i) {
        const int lx = x + 9 + i * 6;
        const int lift = ((i + frame) % 2) ? 2 : 0;
        c.Line(lx, y + 24, lx - 2 + lift, y + 30, pal::BLACK + 2);
        c.Set(lx - 2 + lift, y + 31, pal::BLACK + 2);
    }
    // Shell, its seam and spots.
    c.FillEllipse(x + 6, y + 10, 24, 18, pal::PURPLE + 3);
    c.FillEllipse(x + 9, y + 11, 14, 8, pal::PURPLE + 5);
    c.Line(x + 18, y + 11, x + 18, y + 26, pal::PURPLE + 1);
    c.FillEllipse(x + 12, y + 16, 4, 4, pal::YELLOW + 6);
    c.FillEllipse(x + 22, y + 18, 4, 4, pal::YELLOW + 6);
    // Head with horns and an eye, to the left.
    c.FillEllipse(x + 1, y + 15, 11, 10, pal::PLUM + 2);
    c.Line(x + 3, y + 16, x + 1, y + 11 + (frame % 2), pal::PLUM + 5);
    c.FillRect(x + 4, y + 18, 2, 2, pal::WHITE);
    c.Set(x + 4, y + 19, pal::RED + 3);
    c.OutlineInside(x, y, 32, 32, pal::PURPLE + 0);
}

void DrawMapWalker(cCanvas& c, int x, int y, int frame)
{
    c.FillEllipse(x + 9, y + 4, 14, 12, pal::SKIN + 5);
    c.FillEllipse(x + 9, y + 2, 14, 8, pal::RED + 4);
    c.FillRect(x + 11, y + 15, 10, 9, pal::SKY + 3);
    c.FillRect(x + 12 - frame, y + 24, 3, 6, pal::BROWN + 2);
    c.FillRect(x + 17 + frame, y + 24, 3, 6, pal::BROWN + 2);
    c.FillRect(x + 13, y + 9, 2, 2, pal::BLACK);
    c.FillRect(x + 18, y + 9, 2, 2, pal::BLACK);
    c.OutlineInside(x, y, 32, 32, pal::NAVY);
}
