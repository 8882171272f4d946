#include "gfx/bitmap_text.h"

#include <cstdarg>

#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/display_context.h"
#include "gfx/font.h"

POINT BitmapTextCell(unsigned char byte)
{
    int row = byte >> 4;
    if (byte >= 0xA6 && byte <= 0xBF)
        row -= 10;
    else if (byte >= 0xC0 && byte <= 0xDD)
        row -= 4;
    return {byte & 15, row};
}

void DDDrawBitmapText(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                      DDSURFACEDATA* sheet, const char* text)
{
    if (!text) return;
    const bool batched = Display.lpDTCon != nullptr;
    if (batched) DDBeginSpriteBatch(0);
    int c = 0, lineY = y;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            lineY += cellHeight;
            c = 0;
            continue;
        }
        POINT cell = BitmapTextCell(static_cast<unsigned char>(*p));
        DDBlt(target, x + c, lineY, cellWidth, cellHeight, sheet, cell.x * cellWidth,
              cell.y * cellHeight, 1);
        c += cellWidth;
        if (c >= Display.nScreenWidth) {
            lineY += cellHeight;
            c = 0;
        }
    }
    if (batched) DDEndSpriteBatch();
}

void DDDrawBitmapTextF(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                       DDSURFACEDATA* sheet, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatBoundedV(256, format, args);
    va_end(args);
    DDDrawBitmapText(target, x, y, cellWidth, cellHeight, sheet, text.c_str());
}
