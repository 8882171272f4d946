#pragma once
// The blit core: every picture reaches the screen as a copy of a rectangle of
// one surface into another, at its own size (DDBlt) or scaled (DDBltStretch),
// optionally with a vertex colour and colour operation for that one call.
//
// Promises of this seam:
// - Rectangles are x, y, width, height in pixels. mode 1 leaves the source's
//   transparent pixels out (colour key); mode 0 copies opaque: from a
//   colour-keyed source onto BackBuffer the transparent colour shows, onto any
//   other render target fully transparent black.
// - Direct3D: the two records are first resolved (duplicate -> the record it
//   shares, BackBuffer -> VirBackBuffer while that stands in). A render-target
//   target with a source outside system memory gets one textured quad, drawn
//   at once or collected by the open sprite batch (batch.h); any other pair
//   is copied pixel by pixel through surface locks, each pixel clipped to both
//   surfaces. DirectDraw: one BltFast (unscaled) or Blt (scaled) with the
//   source colour key in mode 1 (a source without a colour key is copied
//   whole, as under Direct3D).
// - Nothing left after clipping, a record without a back-end record, a failed
//   lock or render target: nothing is drawn and nothing is reported to the
//   caller.
// - Direct3D: on a duplicate record with mirror cells the source rectangle is
//   read mirrored inside its cell (DDApplyMirror). A negative source width or
//   height reads backwards (right to left, bottom to top) from source x / y;
//   DirectDraw refuses negative source sizes (nothing drawn).
// - The blend forms set the vertex colour and colour operation for their own
//   call only; later blits draw with opaque white and MODULATE again.
#include <windows.h>

#include "gfx/pixel_format.h"
#include "gfx/surface_record.h"

// {vertex colour as ARGB, Direct3D texture colour operation}.
struct BLENDPAIR {
    DWORD dwVertexColor;
    int nColorOp;
};

// Clips the target rectangle and the source rectangle against both surfaces,
// in place. 1 when something is left to draw, else 0. Unscaled pairs (source
// size = size) are clipped the same on both back ends; a source edge outside
// the source surface shortens the copy without moving the target. Scaled
// pairs clip the source to its surface and shrink the target in proportion;
// only DirectDraw then also clips the target to its surface (the Direct3D
// device clips the quad itself).
int DDClipRect(DDSURFACEDATA* target, int& x, int& y, int& width, int& height,
               DDSURFACEDATA* source, int& sx, int& sy, int& sw, int& sh);
// Direct3D, duplicate record with mirror cells: a whole cell is read
// backwards, a narrower rectangle mirrored inside its cell; a rectangle wider
// than a cell stays as it is. Nothing under DirectDraw or on a record that
// shares no texture.
void DDApplyMirror(DDSURFACEDATA* source, int& sx, int& sy, int& sw, int& sh);

void DDBlt(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
           int sx, int sy, int mode);
void DDBltStretch(DDSURFACEDATA* target, int x, int y, int width, int height,
                  DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode);
// Under DirectDraw the blend pair is ignored.
void DDBltBlend(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int sx, int sy, int mode, BLENDPAIR blend);
void DDBltStretchBlend(DDSURFACEDATA* target, int x, int y, int width, int height,
                       DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode,
                       BLENDPAIR blend);

// The pixel copy itself, on pixels in memory (the locks' views, or buffers of
// a caller's own): target rectangle (x, y, width, height) from source
// rectangle (sx, sy, sw, sh). Each target pixel takes the source pixel at
// trunc(i x sw / width) (single precision; a backwards span starts one pixel
// before sx), and is written only when both positions lie inside their
// pictures; mode 1 skips transparent source pixels (transmit: the transparent
// colour as a pixel value). Equal layouts copy the pixel unchanged; a texture
// pixel going into the full-screen R5G6B5 back buffer has its channels
// repacked. Only 16- and 32-bit layouts of one width are copied.
void DDCopyPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int sx, int sy, int sw, int sh, int mode, DWORD transmit);
