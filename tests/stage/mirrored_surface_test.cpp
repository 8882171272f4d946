// The sheet a mirrored character or shot is drawn from.
#include "stage/draw/mirrored_surface.h"

#include <gtest/gtest.h>

#include "gfx/display.h"

TEST(MirroredSurface, TheCopy18EntriesOnIsUsedWhereItExists)
{
    DDSURFACEDATA table[40];
    DDSURFACEDATA* savedArray = Display.lpSurfaceArray;
    int savedD3D = Display.bDirect3D;
    Display.lpSurfaceArray = table;
    struct Case {
        bool sheet, copy;
        int mirrored, d3d, want;
    };
    const Case cases[] = {
        {true, true, 1, 0, 23}, {true, false, 1, 0, 5}, {true, true, 0, 0, 5},
        {false, true, 0, 0, 23}, {false, false, 0, 0, 23}, {true, true, 1, 1, 5}, {false, true, 0, 1, 5},
    };
    for (const Case& c : cases) {
        table[5].lpDD.reset(c.sheet ? new DDRAWSURFACEDATA{} : nullptr);
        table[23].lpDD.reset(c.copy ? new DDRAWSURFACEDATA{} : nullptr);
        Display.bDirect3D = c.d3d;
        EXPECT_EQ(MirroredSurfaceIndex(5, c.mirrored), c.want)
            << c.sheet << c.copy << c.mirrored << c.d3d;
    }
    Display.lpSurfaceArray = savedArray;
    Display.bDirect3D = savedD3D;
}
