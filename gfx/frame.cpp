#include "gfx/frame.h"

#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/fill.h"

void DDDrawFrame(DDSURFACEDATA* target, int x, int y, int width, int height, int thickness,
                 int paletteIndex)
{
    DDBeginRectBatch();
    DDFillRectPal(target, x, y, width, thickness, paletteIndex);
    DDFillRectPal(target, x, y + height - thickness, width, thickness, paletteIndex);
    DDFillRectPal(target, x, y, thickness, height, paletteIndex);
    DDFillRectPal(target, x + width - thickness, y, thickness, height, paletteIndex);
    DDEndRectBatch();
}

void DDBltFrame(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int thickness, int paletteIndex)
{
    DDBlt(target, x, y, width, height, source, 0, 0, 0);
    DDDrawFrame(target, x - thickness, y - thickness, width + 2 * thickness, height + 2 * thickness,
                thickness, paletteIndex);
}
