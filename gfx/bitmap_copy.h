#pragma once
// Puts the pixels of a BMP file into a DirectDraw surface that has been
// created at the bitmap's size, optionally mirroring it cell by cell.
//
// Promises of this seam:
// - Under Direct3D, or with a null or empty file name: true, nothing done
//   (the Direct3D image loader fills textures itself).
// - 8-bit display: palette indices copied exactly (only when the surface has
//   the bitmap's size). 16-bit display with a 24/32-bit image: per pixel, the
//   DirectDraw context's rgbKey_16 becomes exactly dwTransmit and no opaque
//   pixel turns into it. Everything else goes through GDI.
// - Pixels of a last partial mirror cell are not copied.
#include "gfx/surface_record.h"

bool CopyBitmap(DDSURFACEDATA* record, const char* fileName, int bpp, int pixelCopy,
                int mirrorWidth, int mirrorHeight);
