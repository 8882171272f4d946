#pragma once
// Outlined rectangles and framed pictures, for windows and menus.
//
// Promises of this seam:
// - A frame lies inside its rectangle: thickness pixels of the palette colour
//   along each edge, drawn as one rectangle batch.
// - A framed picture is the source's top-left width x height copied opaque at
//   (x, y), with the frame around it, outside the picture.
#include "gfx/surface_record.h"

void DDDrawFrame(DDSURFACEDATA* target, int x, int y, int width, int height, int thickness,
                 int paletteIndex);
void DDBltFrame(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int thickness, int paletteIndex);
