#pragma once
// What stands in for palette hardware at 16 and 32 bits: the palette read
// from the pixels of a palette image, the fade of a whole surface toward a
// colour (DirectDraw), and a surface drawn over itself modulated by a colour
// (Direct3D).
//
// Promises of this seam:
// - Pixels are read only where they lie inside the surface they come from.
// - A back end that lacks an operation writes its trace line and draws nothing.
#include <windows.h>

#include "gfx/pixel_format.h"
#include "gfx/surface_record.h"

// The 256 colours from the 16 x 16 grid at columns 0..15 of rows 8..23 of the
// surface, entry 16 x (row - 8) + column (pixel_format.h gives the rule per
// depth). Entries whose pixel is transparent, outside the surface or at a
// depth that is not read keep their values; a failed lock leaves the table
// as it was. Always true.
bool DDSetPalette_UnPal(PALETTEENTRY* table, DDSURFACEDATA* surface);

// DirectDraw: every pixel of target becomes the source pixel at the same
// place pulled toward (red, green, blue) by level (256 the source, 0 the
// colour); target pixels with no source pixel under them stay. False when a
// lock fails. Direct3D: a trace line, true, nothing drawn.
bool DDFade_UnPal(DDSURFACEDATA* target, int level, BYTE red, BYTE green, BYTE blue,
                  DDSURFACEDATA* source);

// Direct3D: the whole of lpDstSD drawn over itself modulated by the colour,
// with (255 - nAlpha) as the colour's opacity; the rectangle is not read.
// Always true. DirectDraw: a trace line, nothing drawn.
bool DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha,
                   BYTE bRed, BYTE bGreen, BYTE bBlue);
// Its worker: one quad over the whole target textured with the source.
bool DDChangeColorBlt(DDSURFACEDATA* target, int x, int y, int width, int height,
                      DDSURFACEDATA* source, int alpha, BYTE red, BYTE green, BYTE blue);

// The pixel work of the two above on pixels in memory (the locks' views, or a
// caller's buffers in any layout).
void ReadPaletteGrid(PALETTEENTRY* table, const PIXELVIEW& image);
void FadePixels(const PIXELVIEW& target, const PIXELVIEW& source, int level, int red, int green,
                int blue);
