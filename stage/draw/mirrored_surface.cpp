// Drawing code of the stage: needs the graphics library, so it stays out of
// the build without a window.
#include "stage/draw/mirrored_surface.h"

#include "gfx/display.h"

namespace {
constexpr int MIRROR_DISTANCE = 18;

bool Loaded(int index) { return Display.lpSurfaceArray && Display.lpSurfaceArray[index].lpDD; }
}

int MirroredSurfaceIndex(int surface, int mirrored)
{
    if (Display.bDirect3D) return surface;
    if (mirrored ? Loaded(surface + MIRROR_DISTANCE) : !Loaded(surface)) return surface + MIRROR_DISTANCE;
    return surface;
}
