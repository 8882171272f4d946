#pragma once
// Three shaped blits of the screen and character effects: a disc copied as
// horizontal bands, a disc seen through a glass sphere (the lens), and a
// rectangle rotated by whole degrees.
//
// Promises of this seam:
// - The circle goes through the ordinary blits inside one unsorted sprite
//   batch and returns what ending the batch returns; a radius or band height
//   below 1 draws nothing and opens no batch.
// - The lens and the software rotation work on locked pixels (target locked
//   first) and return false when a lock fails; the lens also returns false,
//   locking nothing, for a negative radius or depth and for a sphere no
//   deeper than depth (which includes radius 0).
// - The rotation under Direct3D draws one rotated textured quad when the
//   target is a render target and the source is not in system memory (the
//   texture's alpha decides what shows; the context's vertex colour, colour
//   and alpha operations apply and stay set); otherwise, and always under
//   DirectDraw, pixels are mapped in fixed point. With the pivot at the
//   rectangle's centre both place the image alike, centred on (x, y).
// - Mode 1 leaves transparent source pixels out by the locks' transparency
//   test (pixel_format.h) in both rotations. The lens keys by the target's
//   depth: Direct3D 16-bit by the mode, Direct3D 32-bit always by alpha (with
//   the clear flag, whatever is not drawn in the square around the disc
//   becomes transparent black), DirectDraw always by the transparent colour.
#include <windows.h>

#include "gfx/pixel_format.h"
#include "gfx/surface_record.h"

// The source disc around (scx, scy) onto the target around (tcx, tcy), cut to
// halfWidth / halfHeight either side of the centres, bandHeight rows a band.
int DDBltCircle(DDSURFACEDATA* target, int tcx, int tcy, int halfWidth, int halfHeight,
                int radius, int bandHeight, DDSURFACEDATA* source, int scx, int scy, int mode);
// The disc of radius around (tcx, tcy) shows the source around (scx, scy)
// magnified toward the centre by the sphere's depth and continuous at the rim.
bool DDBltLens(DDSURFACEDATA* target, int tcx, int tcy, int radius, int depth,
               DDSURFACEDATA* source, int scx, int scy, int mode, int clear);
// The source rectangle (sx, sy, width, height) turned by angle degrees about
// the pivot (relative to the rectangle's top-left; callers pass its centre).
bool DDBltRotate(DDSURFACEDATA* target, int x, int y, int width, int height, int pivotX,
                 int pivotY, int angle, DDSURFACEDATA* source, int sx, int sy, int mode);

// The pixel work of the lens and the software rotation on pixels in memory
// (the locks' views, or a caller's buffers in any layout); transmit is the
// transparent colour as a pixel value.
void LensPixels(const PIXELVIEW& target, const PIXELVIEW& source, int tcx, int tcy, int radius,
                int depth, int scx, int scy, int mode, int clear, DWORD transmit);
void RotatePixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int pivotX, int pivotY, int angle, int sx, int sy, int mode,
                  DWORD transmit);
