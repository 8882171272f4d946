#include "gfx/palette_table.h"

PALETTEENTRY Palette[256] = {};
PALETTEENTRY ShownPalette[256] = {};
DWORD dwTransmit = 0;
