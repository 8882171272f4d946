#pragma once
// The game's colour tables: the 256-entry palette, the copy actually shown,
// and the transparent colour as a pixel value. The palette operations that
// fill and change them live with the palette code; fills and effects read them.
#include <windows.h>

// {peRed, peGreen, peBlue, peFlags}. Under DirectDraw at 16 bits the components
// are the display's own channel values (0..31 / 0..63), packed unchanged.
// Threads: used by the thread that runs the frame (the game thread, or
// the pause or ranking thread while the game thread waits for it); changed by
// the window thread only at start-up, in a restore the drawing thread waits
// for (WM_GAME_RESTORE) and at shut-down.
extern PALETTEENTRY Palette[256];
extern PALETTEENTRY ShownPalette[256];
// The transparent colour as a pixel value: DirectDraw 8-bit index, 16-bit
// packed pixel, 32-bit pixel (the DirectDraw colour key); Direct3D 32-bit 0.
extern DWORD dwTransmit;
