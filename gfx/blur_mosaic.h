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
#include "gfx/pixel_format.h"
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

// The pixel work itself, on pixels in memory (the locks' views, or a
// caller's buffers in any layout): target rectangle at (x, y), source
// rectangle at (sx, sy), both width x height; transmit is the transparent
// colour as a pixel value. Target and source may be the same view. A source
// layout without a software path, or 8 bits for the blur, draws nothing.
void BlurPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                int height, int radiusX, int radiusY, int sx, int sy, int mode, DWORD transmit);
void MosaicPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int blockSize, int sx, int sy, int mode, DWORD transmit);
