#pragma once
// Numbers from a strip of digit images and four picture effects built only
// from blits: a sine wave, alternating stripes, a card turning over, and four
// quarters drifting apart. Each is a fixed sequence of DDBlt / DDBltStretch
// calls, so it draws alike on both back ends; the effects of several pieces
// collect them into one sprite batch.
//
// Promises of this seam:
// - mode is the blit mode (1 skips the source's transparent pixels).
// - Nothing is drawn where a size makes the effect meaningless: a wave strip
//   of 0 or less, a wave or turn over a span (the one it divides by) below 2
//   pixels, a turn direction other than 0 and 1, a negative number.
#include "gfx/surface_record.h"

// value in decimal, one cell (cellWidth x cellHeight, digit d at sx + cellWidth
// x d, sy of the digits source) per digit, right-aligned in cells cells, or
// centred in them when centre is set. More digits than cells run on to the right.
void DDDrawNumber(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                  DDSURFACEDATA* digits, int sx, int sy, int mode, int value, int cells,
                  int centre);

// The source rectangle cut into strips strip pixels thick (columns when
// vertical is set, else rows); strip k (1, 2, ...) is shifted across the strip
// by trunc(amplitude x sin(cycles x (phase + k x strip x 360 / span) degrees)),
// span being the width for columns and the height for rows.
void DDBltWave(DDSURFACEDATA* target, int x, int y, int width, int height, int cycles,
               double amplitude, int phase, int strip, DDSURFACEDATA* source, int sx, int sy,
               int mode, int vertical);
// The source rectangle in whole stripes stripe pixels thick, the even ones
// shifted shift pixels down (vertical) or right, the odd ones up or left; the
// remainder past the last whole stripe is not drawn. stripe 0: a plain copy.
void DDBltStripe(DDSURFACEDATA* target, int x, int y, int width, int height, int stripe,
                 int shift, DDSURFACEDATA* source, int sx, int sy, int mode, int vertical);
// One picture of a card turning between two pictures about the vertical
// (direction 0) or horizontal (1) axis: as phase counts up the picture
// narrows to a line and widens again showing the other side, a half turn
// every width (or height) phases rounded down to even.
void DDBltTurnOver(DDSURFACEDATA* target, int x, int y, int width, int height,
                   DDSURFACEDATA* source1, int sx1, int sy1, DDSURFACEDATA* source2, int sx2,
                   int sy2, int sourceWidth, int sourceHeight, int mode, int phase, int direction);
// The four quarters of the source rectangle, each moved gap pixels outward.
void DDBltQuarter(DDSURFACEDATA* target, int x, int y, int width, int height,
                  DDSURFACEDATA* source, int sx, int sy, int gap, int mode);

