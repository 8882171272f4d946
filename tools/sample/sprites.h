#pragma once
// The sample game's figures, each drawn facing left into a 32 by 32 cell
// whose top-left corner is (x, y); the game mirrors them for facing right.
#include "tools/sample/canvas.h"

// Poses of the hero, also its columns on the character sheet.
enum { HERO_STAND, HERO_WALK1, HERO_WALK2, HERO_WALK3, HERO_JUMP, HERO_FALL, HERO_SHOOT, HERO_HURT, HERO_POSES };
// The two enemies have four frames each.
constexpr int ENEMY_FRAMES = 4;

void DrawHero(cCanvas& c, int x, int y, int pose);
// A round jelly that squashes as it hops.
void DrawSlime(cCanvas& c, int x, int y, int frame);
// A shelled beetle that walks on six legs.
void DrawBeetle(cCanvas& c, int x, int y, int frame);
// A small hero walking on the world map (frames 0 and 1).
void DrawMapWalker(cCanvas& c, int x, int y, int frame);
