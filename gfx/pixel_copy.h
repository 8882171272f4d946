#pragma once
// The pixel copy: for a 16- or 32-bit surface, the palette index of every
// pixel, kept beside the surface for code that needs to know which palette
// colour a pixel was drawn with.
//
// Promises of this seam:
// - The copy is (locked pitch in pixels) x nHeight bytes, row by row; entry
//   (x, y) is the first entry of Palette with the pixel's red, green and blue.
//   Entries of pixels that match no entry, and of depths without a rule (8
//   bits), are 0.
// - Direct3D 16-bit: channels scaled to 0..255 (value x 255 / mask); pixel 0
//   of a colour-keyed surface is index 0. DirectDraw 16-bit: the pixel compared
//   with each entry packed into the display's layout. 24 and 32 bits: the
//   pixel's bytes blue, green, red.
// - The copy is owned by the back-end record and freed with it.
#include <windows.h>

#include "gfx/surface_record.h"

// Replaces *copy by the pixel copy of record. 1 on
// success; 0 when the surface cannot be locked, after the out-of-memory exit
// (the old copy is kept then).
int DDMakePixelCopy(std::unique_ptr<BYTE[]>* copy, DDSURFACEDATA* record);
