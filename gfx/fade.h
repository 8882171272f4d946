#pragma once
// The whole-screen fade out and fade in of every screen change, one step per
// call, on either back end.
//
// Promises of this seam:
// - Each direction and back end keeps its own angle in degrees; a fade moves
//   it by step per call and re-arms it once the fade has finished, so an
//   abandoned fade goes on from where it stopped the next time.
// - The picture follows sin(angle): out starts at 90 (the frame as drawn)
//   and falls to 0 (the colour), in rises from 0 to 90. The call that draws
//   the final picture returns true; with step 10 that is the tenth call.
//   reset draws the final picture at once.
// - Direct3D darkens the frame with one black quad whose alpha is the fade's
//   level (the colour and palettes are not read); false, with the angle
//   left as it was, when the scene or the render target cannot be had.
// - DirectDraw: at 8 bits the palette entries first..last of targetPalette
//   are blended from sourcePalette toward the colour and handed to the
//   display's palette; at other depths the frame saved in DDWorkSD at the
//   fade's first step is mixed toward the colour into BackBuffer.
#include <windows.h>

// Threads: the thread that runs the frame (game, or pause or ranking while the
// game thread waits for it).
struct FADEANGLES {
    double dFadeOutAngle = 90.0, dFadeOutAngleDD = 90.0;
    double dFadeInAngle = 0.0, dFadeInAngleDD = 0.0;
};
extern FADEANGLES FadeAngles;

bool DDFadeOut(PALETTEENTRY* targetPalette, int first, int last, BYTE red, BYTE green, BYTE blue,
               double step, const PALETTEENTRY* sourcePalette, bool reset);
bool DDFadeIn(PALETTEENTRY* targetPalette, int first, int last, BYTE red, BYTE green, BYTE blue,
              double step, const PALETTEENTRY* sourcePalette, bool reset);
