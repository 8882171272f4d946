#pragma once
// The list of story save slots as the title's "continue" and the world-map
// menu show it: a window of slot rows, each with its number and save time.
#include <vector>

#include "files/save_slots.h"

class Font;
struct DDSURFACEDATA;

// rows rows of 16 pixels from slot first on, in a 320-pixel window at (x, y)
// drawn with font (the second font). Every row but the last has a separator
// line along its bottom; the first row past the list ends the drawing.
void DrawSaveSlots(Font& font, DDSURFACEDATA* target, int x, int y, const std::vector<cSaveSlotData>& list,
                   int first, int rows);
