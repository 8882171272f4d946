#pragma once
// The DirectDraw 7 back end: its context and the full-screen and window set-ups.
//
// Promises of this seam:
// - DDInitFullScreen and DDInitWindow return an init result code (below) and
//   write the failed step's line to the report log; what they created stays
//   for DDUnInit.
// - In a window the back buffer is an ordinary off-screen surface of the
//   client's size that the scene manager copies to the window; in full screen
//   it is the attached back buffer of the primary flip chain.
// - DDWorkSD is a system-memory surface of the screen's size on both.
// - A palette object exists after either set-up, at every depth.
#include <windows.h>
#include <ddraw.h>

#include "gfx/display.h"
#include "gfx/display_context.h"

struct DDCONTEXT {
    RGBTRIPLE rgbTransmit = {};  // the transparent colour
    RGBTRIPLE rgbKey_16 = {};    // 24/32-bit image colour that becomes transparent at 16 bits
    int nFontId = 0;             // next font id
};

// The DirectDraw object, its palette and clipper are Display.lpDirectDraw,
// Display.lpDDPalette and Display.lpClipper (display.h).

// Init result codes; any other value counts as success.
enum {
    DDINIT_OK = 0,
    CREATEEX_ERR = 1,
    SETCOOPLEVEL_ERR = 2,
    SETDISPLAYMODE_ERR = 3,
    CREATESURFACE_ERR = 4,
    GETATTACHEDSURFACE_ERR = 5,
    CREATEPALETTE_ERR = 6,
    SETPALETTE_ERR = 7,
    CLIPPER_ERR = 10,
    SETHWND_ERR = 11,
    SETCLIPPER_ERR = 12,
};

int DDInitFullScreen(HWND hwnd, int width, int height, int bpp, int backBuffers);
int DDInitWindow(HWND hwnd);
// False for an error code (after a trace line with its name), true otherwise.
bool DDCheckInitResult(int code);

struct COLORSHIFTS;
// Reads the primary surface's pixel format into format: each component's shift
// is the position of the lowest bit of its mask, and the mask is shifted down
// by it; alpha is left as it was. Does nothing under Direct3D.
void DDGetColorShifts(COLORSHIFTS* format);
