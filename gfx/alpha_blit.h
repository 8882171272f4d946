#pragma once
// Blits that mix colours while they copy: the source over the target at a
// transparency level (DDBltAlpha, DDBltHalf), and the source pulled toward one
// palette colour in four strengths (DDBltTint). Source and target rectangles
// have the same size; mode 1 leaves the source's transparent pixels out.
//
// Promises of this seam:
// - Direct3D, target a render-target texture and source outside system
//   memory: one textured quad drawn at once (never collected by an open
//   sprite batch); the source's alpha decides what is transparent, whatever
//   the mode. The alpha quad draws with vertex alpha = low byte of
//   255 - level (0 opaque, 255 nothing visible); the tint quad keeps
//   128, 80, 48 or 16 of 255 of the source for levels 1 to 4.
// - Every other pair (and always under DirectDraw) is mixed on locked
//   pixels: a pixel is handled only when its target and source positions
//   both lie inside their surfaces. The alpha mix is half and half whatever
//   the level; at 8 bits it comes from the blend table. The tint keeps
//   128, 64, 32 or 16 of 255 of the source under Direct3D and 1/2, 1/4, 1/8,
//   1/16 (repeated halving, at 8 bits through BlendTable) under DirectDraw;
//   it writes the target without reading it.
// - The quad paths overwrite the source's vertex buffer and leave texture
//   stage 0 in their own states; later draws set theirs.
// - Results: Direct3D always true (also when nothing could be drawn);
//   DirectDraw false only when a lock fails. A tint of level 0 draws nothing;
//   24 bits draws nothing.
#include <windows.h>

#include "gfx/blend_table.h"
#include "gfx/pixel_format.h"
#include "gfx/surface_record.h"

// table: the blend table, read as [target index][source index] at 8 bits.
bool DDBltAlpha(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int sx, int sy, int mode, const BYTE* table, int level);
// DDBltAlpha at level 128.
bool DDBltHalf(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
               int sx, int sy, int mode, const BYTE* table);
// colours: 256 palette entries (callers pass ShownPalette); colourIndex picks
// the tint colour. table is not read: the 8-bit tint always mixes through the
// global BlendTable. level 1 (weakest) to 4 (strongest); under Direct3D a
// level of 5 or more gives the tint colour alone, under DirectDraw a level n
// halves n times and a negative level copies the source unchanged.
bool DDBltTint(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
               int sx, int sy, int mode, const PALETTEENTRY* colours, const BYTE* table,
               BYTE colourIndex, int level);

// The pixel work of the software paths, on pixels in memory (the locks'
// views, or a caller's own buffers in any layout): target rectangle at
// (x, y), source rectangle at (sx, sy), both width x height. transmit is the
// transparent colour as a pixel value (dwTransmit). Layouts of different
// pixel sizes, or without a software path, draw nothing.
void AlphaPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                 int height, int sx, int sy, int mode, DWORD transmit, const BYTE* table);
// tint: the colour table entry's channels as stored (bytes; under DirectDraw
// 16-bit the display's own channel widths). blendTable serves the 8-bit tint.
void TintPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                int height, int sx, int sy, int mode, DWORD transmit, const BYTE* blendTable,
                PALETTEENTRY tint, BYTE colourIndex, int level);
