#pragma once
// The palette operations: the game's palette from the palette image, the
// 8-bit effects on palette tables (blend toward a colour, rotate a range) and
// a palette entry as a 16-bit DirectDraw pixel. The tables themselves
// (Palette, ShownPalette) are in palette_table.h.
//
// Promises of this seam:
// - Tables are 256 entries; ranges and indices outside 0..255 are clamped to
//   it, and a range whose first entry lies past its last changes nothing.
// - Blending and rotating only write the target table; handing a table to
//   the display is the caller's business.
#include <windows.h>

// Fills table from the palette image: under Direct3D an 8-bit image gives its
// colour table (flags 255); under DirectDraw at 8 bits an 8-bit image gives it
// too (entries 10..245 PC_RESERVED, the rest PC_EXPLICIT) and the table is then
// set on the palette object. At 16, 24 and 32 bits the colours are then read
// from the image's pixels (DDSetPalette_UnPal, colour_ops.h). False only when
// the image cannot be loaded at all. windowMode is not read.
bool DDLoadPaletteFromFile(PALETTEENTRY* table, const char* fileName, int windowMode);

// Entries first..last of target become those of source blended toward (red,
// green, blue): level 256 keeps the source colour, 0 gives the colour; their
// flags become 1. level is clamped to 0..256. The other entries of target stay.
void DDBlendPalette(PALETTEENTRY* target, int first, int last, int level, BYTE red, BYTE green,
                    BYTE blue, const PALETTEENTRY* source);
// At depths 8, 16 and 32: table becomes a copy of source with entries
// first..last rotated by count: direction 0 moves them up (the last ones wrap
// to the start of the range), 1 down; any other direction only copies. A
// count beyond the range's length goes round the range. At 24 bits nothing.
// table and source may be the same.
void DDRotatePalette(PALETTEENTRY* table, int first, int last, int count, int direction,
                     const PALETTEENTRY* source);

// DirectDraw: the entry packed into the display's 16-bit layout (masked, not
// scaled: at 16 bits the palette holds the display's own channel values).
// Direct3D: a trace line and 0.
WORD DDPalToRGB16(const PALETTEENTRY* entry);
