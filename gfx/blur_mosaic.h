#pragma once
// The two effects that are pure pixel work, on either back end: a box blur and
// blocks of one colour. Both read the source rectangle (sx, sy, width, height)
// and write the target rectangle (x, y, width, height).
//
// Promises of this seam:
// - Target pixels outside the target are skipped (the part inside is drawn);
//   source pixels outside the source surface are never read.
// - mode 1 skips transparent source pixels (pixel_format.h says which).
// - False only when a lock fails; true also when nothing is drawn (a radius or
//   block size below 1, a depth without a software path). Target and source
//   may be the same surface: it is locked once.

#include "gfx/surface_record.h"

// Each target pixel becomes the average of the source box that reaches
// radius pixels up and left and radius - 1 down and right of it, limited to
// the source rectangle; in mode 1 a transparent centre leaves the target
// pixel as it was. Not at 8 bits (a trace line) nor 24.
bool DDBlur(DDSURFACEDATA* target, int x, int y, int width, int height, int radiusX, int radiusY,
            DDSURFACEDATA* source, int sx, int sy, int mode);
// The rectangle cut into blockSize x blockSize blocks from its top-left corner,
// each written in one colour: its top-left source pixel (Direct3D 16-bit,
// 8-bit) or the average of its pixels (otherwise).
bool DDMosaic(DDSURFACEDATA* target, int x, int y, int width, int height, int blockSize,
              DDSURFACEDATA* source, int sx, int sy, int mode);
