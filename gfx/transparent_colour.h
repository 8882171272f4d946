#pragma once
// The transparent colour, set once at start-up and kept in every form the back
// ends and depths need:
// - both contexts: rgbTransmit (red, green, blue; at 16-bit Direct3D the
//   5-bit components) and rgbKey_16;
// - Direct3D context: dwTransmitTex (0, transparent black in textures),
//   dwTransmitBack (the colour opaque, as drawn on the back buffer),
//   wTransmit_16 (0) and wTransmitBack_16 (the 16-bit colour with its alpha
//   bit, 16-bit mode only);
// - dwTransmit (palette_table.h): the colour as a pixel value, DirectDraw's
//   colour key and the pixel effects' transparency test.
#include <windows.h>

// The transparent colour is the top-left pixel of the image. 1 on success;
// 0 (after a trace line) when the image cannot be loaded or locked.
int DDSetTransmit(const char* fileName);
// The transparent colour from its components. DirectDraw at 8 and 24 bits
// keeps no such form and changes nothing.
void DDSetTransmit(BYTE red, BYTE green, BYTE blue);
