#pragma once
// Rectangle fills.
//
// Promises of this seam:
// - Direct3D colours are ARGB; the alpha byte decides how much of the old
//   picture shows through on a render target (alpha blending is on), while a
//   texture that cannot be rendered to gets the value written into its pixels.
// - A colour-keyed render target filled with its transparent form is cleared
//   (alpha included), not drawn over.
// - While the rect batch is open (batch.h) a render-target fill is collected,
//   not drawn; any other render-target fill is held and drawn together with
//   the fills next to it, before whatever uses the device next (batch.h), so
//   the picture is that of drawing it at once.
// - DirectDraw colours are pixel values of the surface's format; fills are
//   colour-fill blits clipped to the surface.
// - Palette fills: index 0 is the transparent colour under Direct3D.
// - A record that is null or has no back-end record is skipped.
#include "gfx/surface_record.h"

void DDFillRect(DDSURFACEDATA* record, int x, int y, int width, int height, DWORD color);
void DDFill(DDSURFACEDATA* record, DWORD color);
void DDFillRectPal(DDSURFACEDATA* record, int x, int y, int width, int height, int index);
void DDFillPal(DDSURFACEDATA* record, int index);
