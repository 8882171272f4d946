#pragma once
// The game's colour tables: the 256-entry palette, the copy actually shown,
// and the transparent colour as a pixel value. The palette operations that
// fill and change them live with the palette code; fills and effects read them.
#include <windows.h>

// They are Display.Palette, Display.ShownPalette and Display.dwTransmit
// (display.h), with the threads that use them.
#include "gfx/display.h"
