#pragma once
// What stage objects read of parts of the running stage that are not theirs.
// The play scene owns the view axes and will point these at its own; until
// it does, they point at two idle axes (all limits 0). The no-scroll-carry
// switch is the system settings' and is mirrored here by whoever loads them.
#include <vector>

#include "records/block_data.h"
#include "stage/objects/scroll_axis.h"

extern cScrollAxis* lpScrollX;
extern cScrollAxis* lpScrollY;
// Non-zero: an aimed speed gains the view's auto-scroll instead of losing it.
extern int bNoScrollCarry;

// The block map of the running stage: (height + 20) rows of the horizontal
// axis's pitch, cell (column, row) at column + (row << shift). Built by the
// stage set-up.
extern std::vector<cBlockData> BlockMap;

// The block at a cell of the map, or null for a cell off the map (which
// holds nothing).
cBlockData* BlockMapCell(int column, int row);
