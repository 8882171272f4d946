#pragma once
// A 5 by 7 pixel font for the words drawn into the pictures (the title, the
// banners, the menu pictures). Capital letters, digits and a few signs.
#include <cstdint>
#include <string>

#include "tools/sample/canvas.h"

// Draws text with its top-left corner at (x, y), each font pixel a scale by
// scale square, 6 x scale pixels a character. With a shadow colour (not
// negative) every pixel first gets a shadow one step right and down.
// Returns the width drawn.
int DrawPixelText(cCanvas& canvas, int x, int y, const std::string& text, uint8_t colour, int scale = 1,
                  int shadow = -1);
// The width DrawPixelText takes for text.
int PixelTextWidth(const std::string& text, int scale = 1);
