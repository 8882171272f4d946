#pragma once
// The display: one 640 by 480 back buffer that the whole game draws into, over
// Direct3D 9 (d3d_backend.h) or DirectDraw 7 (ddraw_backend.h), chosen once by
// DDInit. Every graphics operation tests lpDTCon first: non-null means
// Direct3D is active, otherwise DirectDraw (lpDDCon) is, or nothing is up.
//
// Promises of this seam:
// - DDInit brings one back end up and sets the display state below; a failed
//   DDInit leaves what it created until DDUnInit, and DDUnInit releases all of
//   it (both context pointers null afterwards), so a fall-back to the other
//   back end starts from nothing. A DDInit while a display is up releases that
//   display first.
// - DDUnInit releases the surface array given to DDInit and the library's own
//   records; it is safe to call when nothing or only part was created.
// - Under Direct3D all drawing of a frame happens inside one device scene,
//   opened by the first draw (DDBeginScene, scene.h) and closed by DDPresent;
//   every draw sets the render target to its own target and back to
//   lpDTCon->lpDefaultTarget afterwards.
#include <windows.h>

#include <vector>

#include "gfx/locked_value.h"
#include "gfx/surface_record.h"

// The back ends' contexts (display_context.h creates them; the records are
// defined in d3d_backend.h and ddraw_backend.h).
struct DTCONTEXT;
struct DDCONTEXT;

// Shifts and masks of one pixel format: a component is (pixel >> shift) & mask.
struct COLORSHIFTS {
    int nRedShift, nGreenShift, nBlueShift, nAlphaShift;
    int nRedMask, nGreenMask, nBlueMask, nAlphaMask;
};

// Everything the graphics library knows of the display that is up: its
// settings, its back end's objects, the surfaces the game draws into and the
// colour tables. One object for the whole run (Display).
//
// Threads, unless a member says otherwise: written by the window thread
// (DDInit at start-up and in a restore the drawing thread waits for,
// DDUnInit at shut-down) while no other thread draws; read by every thread
// that draws or presents (the game thread, or the pause or ranking thread
// while the game thread waits for it).
struct DISPLAY {
    // Pixels of textures (Direct3D) or of every surface (DirectDraw).
    COLORSHIFTS SurfaceFormat = {};
    // The Direct3D back buffer at 16 bits (R5G6B5 in full screen).
    COLORSHIFTS DisplayFormat = {};

    // Display state, set by DDInit and read across the library.
    int bDirect3D = 0;            // back end asked of DDInit: decides which back-end record a surface gets
    HWND hDDWnd = nullptr;        // window the display belongs to
    int nScreenWidth = 0, nScreenHeight = 0;
    int nBpp = 0;                 // 8, 16, 24 or 32 (Direct3D: 16 or 32)
    int bWindowMode = 0;          // 1 window, 0 full screen
    int bVSync = 0;               // Direct3D clears it when the display cannot run at 60 Hz
    int nRefreshRate = 0;         // DirectDraw full-screen refresh rate
    int bSetRefreshRate = 0;      // DirectDraw: first ask the mode with nRefreshRate
    DDSURFACEDATA* lpSurfaceArray = nullptr;   // the game's fixed surfaces, kept for DDLoadSurfaces and DDUnInit
    DDSURFACEPARAM* lpSurfaceParams = nullptr;
    int nSurfaceCount = 0;
    int bDDInit = 0;              // 1 once DDInit has succeeded (stays 1 after DDUnInit)
    int bDDCreated = 0;           // likewise
    int nDesktopBpp = 0;          // DirectDraw window mode: the desktop's depth
    // 1 from a full-screen DDInit until DDUnInit: message boxes then go
    // through the display's dialog mode (dialog_mode.h).
    int bFullScreenBoxes = 0;
    // DirectDraw window mode: the client rectangle in screen coordinates, where
    // the back buffer is shown. Written by the window thread (DDInit, WM_MOVE);
    // read by every thread that presents (game, pause, ranking) and by WM_PAINT.
    cLockedValue<RECT> rcClient;

    // The active back end's context: exactly one is non-null while the
    // display is up, and every graphics operation tests lpDTCon (Direct3D)
    // first. Views of the contexts that display_context.cpp owns: set by its
    // Create functions, null after the Delete ones.
    DTCONTEXT* lpDTCon = nullptr;
    DDCONTEXT* lpDDCon = nullptr;

    // Direct3D: the device is reset by the window thread while the drawing
    // thread waits.
    IDirect3D9* lpDirect3D = nullptr;
    IDirect3DDevice9* lpDevice = nullptr;
    // DirectDraw: also used by the window thread's WM_PAINT and palette
    // realisation.
    IDirectDraw7* lpDirectDraw = nullptr;
    IDirectDrawPalette* lpDDPalette = nullptr;
    IDirectDrawClipper* lpClipper = nullptr;   // window mode only

    // What the game draws into. Changed by the window thread only at start-up,
    // in a restore the drawing thread waits for (WM_GAME_RESTORE) and at
    // shut-down.
    DDSURFACEDATA BackBuffer;
    // Direct3D: render-target textures of the back buffer's size. VirBackBuffer
    // stands in for BackBuffer while a screen effect transforms the whole frame.
    DDSURFACEDATA VirBackBuffer;
    DDSURFACEDATA WorkSD;
    // DirectDraw: the primary surface and a system-memory work surface of the screen's size.
    DDSURFACEDATA PrimarySD;
    DDSURFACEDATA DDWorkSD;

    // The game's colour tables (palette_table.h): {peRed, peGreen, peBlue,
    // peFlags}. Under DirectDraw at 16 bits the components are the display's
    // own channel values (0..31 / 0..63), packed unchanged. Changed by the
    // window thread only at start-up, in a restore and at shut-down; else by
    // the drawing thread.
    PALETTEENTRY Palette[256] = {};
    PALETTEENTRY ShownPalette[256] = {};
    // The transparent colour as a pixel value: DirectDraw 8-bit index, 16-bit
    // packed pixel, 32-bit pixel (the DirectDraw colour key); Direct3D 32-bit 0.
    DWORD dwTransmit = 0;

    // Direct3D: the surfaces to re-create after a device reset (surface.h).
    std::vector<DDSURFACEDATA*> RestoreList;
};
extern DISPLAY Display;

// bD3D 1 Direct3D, 0 DirectDraw; windowed 1 window, 0 full screen;
// backBuffers 1 asks DirectDraw for one back buffer, any other value for two;
// surfaces/params/count: the game's surface array and its descriptor table.
// Writes "VSync : %d" first. True when the display is up.
bool DDInit(int bD3D, HWND hwnd, int width, int height, int bpp, int vsync, int windowed,
            int backBuffers, int refreshRate, int setRefreshRate, DDSURFACEDATA* surfaces,
            DDSURFACEPARAM* params, int count, int reserved);
void DDUnInit();

// Direct3D only: turns the virtual back buffer on or off. Turning it off copies
// what was drawn into VirBackBuffer onto BackBuffer first.
void DDSetVirBackBuffer(int on);
// While the virtual back buffer is on, replaces a pointer to BackBuffer by
// VirBackBuffer and returns 1; otherwise 0 and no change.
int DDRedirectBackBuffer(DDSURFACEDATA** surface);
// Copies source onto target, opaque (BackBuffer <- VirBackBuffer).
void DDCopyVirBackBuffer(DDSURFACEDATA* target, DDSURFACEDATA* source);
// Ends a Direct3D frame: paces it to fps (sleeping, VSync on or off), closes
// the scene and presents. 0 when the device is lost, otherwise 1; 1 at once under DirectDraw.
int DDPresent(unsigned fps);
