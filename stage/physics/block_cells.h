#pragma once
// The cells of the block map that a character's edges touch, and the
// push-outs built on them; used by the block collision and its tests.
//
// A search samples points along an edge and keeps the cell with the highest
// collision kind for the character's hit layer; a later cell replaces the
// best only with a strictly higher kind (the first found wins ties), except
// where the point nearer the middle of the edge is said to win. A cell off
// the map holds nothing: no block, kind 0.
#include "records/block_data.h"

class cChara;

struct BlockCell {
    cBlockData* block = nullptr;
    int kind = BLOCK_PASSABLE;
};

// The character goes through every block: it does not fall and blocks do
// not stop it. Every block test gives 0 for it.
bool SkipsBlocks(const cChara& chara);
// A solid block kills the character: it does not fall and dies on blocks.
bool TouchKills(const cChara& chara);

// On the vertical line at x from y1: size factor + 1 points, (base hit
// height - 1) pixels apart.
BlockCell FindStrongestCellOnLine(const cChara& chara, int x, int y1);
// On the horizontal line at y from x1 to x2: size factor + 1 points from
// x1, (base hit width - 1) apart; the point nearer (x1 + x2) / 2 wins ties.
BlockCell FindStrongestCellOnHLine(const cChara& chara, int x1, int x2, int y);
// The floor under a player-side character along its bottom edge: size
// factor + 2 points for an odd factor, + 1 for an even one, hit width /
// (points - 1) apart from the left edge, the last on the right edge itself;
// the point nearer the middle wins ties.
BlockCell FindFloorCell(const cChara& chara);
// The four corner cells: left-top, right-top, left-bottom, right-bottom.
BlockCell FindStrongestCorner(const cChara& chara);

// Pushes the character out of a block at its left (right) edge to the cell
// boundary, setting its contact flag and firing its block events; 2 when the
// block kills it instead.
int PushOutLeft(cChara& chara);
int PushOutRight(cChara& chara);
