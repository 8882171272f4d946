#pragma once
// The blocks, items and shots of the sample game, each drawn into its cell
// with the top-left corner at (x, y).
#include "tools/sample/canvas.h"

// Block chips (the first column of the block sheet).
enum {
    BLOCK_CHIP_GRASS = 1, BLOCK_CHIP_DIRT, BLOCK_CHIP_BRICK, BLOCK_CHIP_STONE, BLOCK_CHIP_BOX, BLOCK_CHIP_SPIKES,
    BLOCK_CHIP_CLOUD, BLOCK_CHIP_USED_BOX, BLOCK_CHIP_LIFT, BLOCK_CHIPS
};
// Item chips (rows of the item sheet, two frames each). Row 0 stays empty:
// an item of graphic 0 is no item, and taking it does nothing.
enum { ITEM_CHIP_COIN = 1, ITEM_CHIP_HEART, ITEM_CHIP_FLAG, ITEM_CHIP_SIGN, ITEM_CHIPS };
// Shot graphics (rows of the shot sheet, two 16 by 16 frames each).
enum { SHOT_CHIP_SPARK, SHOT_CHIP_SPIT, SHOT_CHIPS };

// A 32 by 32 block.
void DrawBlock(cCanvas& c, int x, int y, int chip);
// A 32 by 32 item in one of its two frames; size 16 draws the small icon.
void DrawItem(cCanvas& c, int x, int y, int chip, int frame, int size = 32);
// A 16 by 16 shot in one of its two frames.
void DrawShot(cCanvas& c, int x, int y, int chip, int frame);
