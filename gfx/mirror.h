#pragma once
// The cell-mirrored form of a Direct3D image: every whole cell of
// mirrorWidth columns turned around left to right, in place, so that a
// character sheet gets its facing-left copy once at load instead of at every
// draw. (Duplicate records mirror at draw time instead, blit.h.)
//
// Promises of this seam:
// - Direct3D only; with a mirror width of 0, or any mirror height, nothing is
//   done. Pixels of a last partial cell are not copied.
// - A render-target target is first cleared to fully transparent black.
// - The cells are read from source and written to target with opaque copies;
//   the two are normally two loads of the same file. Always true.
#include "gfx/surface_record.h"

bool CreateMirror(DDSURFACEDATA* target, DDSURFACEDATA* source, int mirrorWidth,
                  int mirrorHeight);
