#pragma once
// Puts the pixels of a BMP file into a DirectDraw surface that has been
// created at the bitmap's size, optionally mirroring it cell by cell; copies
// it again after the surface lost its contents; tells a BMP's size.
//
// Promises of this seam:
// - Under Direct3D, or with a null or empty file name: true, nothing done
//   (the Direct3D image loader fills textures itself).
// - 8-bit display: palette indices of an 8-bit image copied exactly (only
//   when the surface has the bitmap's size); an image of any other depth is
//   refused (report-log line, false). 16-bit display with a 24/32-bit image: per pixel, the
//   DirectDraw context's rgbKey_16 becomes exactly dwTransmit and no opaque
//   pixel turns into it. Everything else goes through GDI.
// - Pixels of a last partial mirror cell are not copied.
// - pixelCopy at a depth other than 8 builds the record's pixel copy
//   (pixel_copy.h); otherwise the record is left without one.
// - Every bitmap handle loaded is deleted again.
#include <windows.h>

#include "gfx/surface_record.h"

// bpp is the display depth. False when the file cannot be loaded or is
// refused, the record has no DirectDraw surface, or the pixel copy cannot be
// made.
bool CopyBitmap(DDSURFACEDATA* record, const char* fileName, int bpp, int pixelCopy,
                int mirrorWidth, int mirrorHeight);
// DirectDraw: CopyBitmap of the record's own file, mirror cells and pixel
// copy (rebuilt exactly when it has one). Direct3D: true, nothing done.
bool DDReloadBitmap(DDSURFACEDATA* record, int bpp);
// DirectDraw: 1 with *larger = 1 when the BMP is wider than width or higher
// than height, else *larger = 0; 0 with *larger = 0 when it cannot be loaded.
// Direct3D: 1, *larger untouched.
int DDCheckBitmapSize(int* larger, const char* fileName, int width, int height);
// The size of a BMP as LoadImageA sees it; false when it refuses the file.
bool DDReadBitmapSize(const char* fileName, int* width, int* height);

// A BMP file loaded as a DIB section (null when LoadImageA refuses it); the
// caller deletes it.
HBITMAP LoadBitmapFile(const char* fileName);
// The colour table of an 8-bit DIB section, entries past the table's end
// black; false for an image of any other depth.
bool ReadColourTable(HBITMAP bitmap, RGBQUAD (&colours)[256]);
