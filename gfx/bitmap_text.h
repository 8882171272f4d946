#pragma once
// Text drawn from a character sheet: 16 characters a row in cells of the given
// size, rows 2 to 7 for the bytes 0x20 to 0x7F, rows 0 and 1 for the half-width
// katakana 0xA6 to 0xBF, rows 8 and 9 for 0xC0 to 0xDD. Each byte is one keyed
// blit; '\n' starts a new line, and a line wraps when it reaches the display's
// width. The formatted form cuts its text to 255 bytes.
#include "app/base/format.h"
#include "gfx/surface_record.h"

void DDDrawBitmapText(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                      DDSURFACEDATA* sheet, const char* text);
void DDDrawBitmapTextF(DDSURFACEDATA* target, int x, int y, int cellWidth, int cellHeight,
                       DDSURFACEDATA* sheet, const char* format, ...) GAME_PRINTF(7, 8);
// The sheet cell {column, row} of a byte.
POINT BitmapTextCell(unsigned char byte);
