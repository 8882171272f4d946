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

#include "gfx/display_context.h"
#include "gfx/locked_value.h"
#include "gfx/surface_record.h"

// Shifts and masks of one pixel format: a component is (pixel >> shift) & mask.
struct COLORSHIFTS {
    int nRedShift, nGreenShift, nBlueShift, nAlphaShift;
    int nRedMask, nGreenMask, nBlueMask, nAlphaMask;
};

// Pixels of textures (Direct3D) or of every surface (DirectDraw).
extern COLORSHIFTS SurfaceFormat;
// The Direct3D back buffer at 16 bits (R5G6B5 in full screen).
extern COLORSHIFTS DisplayFormat;

// Display state, set by DDInit and read across the library.
// Threads: written by the window thread (DDInit at start-up and in a restore,
// DDUnInit at shut-down) while no other thread draws; read by every thread
// that draws or presents.
extern int bDirect3D;            // back end asked of DDInit: decides which back-end record a surface gets
extern HWND hDDWnd;              // window the display belongs to
extern int nScreenWidth, nScreenHeight;
extern int nBpp;                 // 8, 16, 24 or 32 (Direct3D: 16 or 32)
extern int bWindowMode;          // 1 window, 0 full screen
extern int bVSync;               // Direct3D clears it when the display cannot run at 60 Hz
extern int nRefreshRate;         // DirectDraw full-screen refresh rate
extern int bSetRefreshRate;      // DirectDraw: first ask the mode with nRefreshRate
extern DDSURFACEDATA* lpSurfaceArray;   // the game's fixed surfaces, kept for DDLoadSurfaces and DDUnInit
extern DDSURFACEPARAM* lpSurfaceParams;
extern int nSurfaceCount;
extern int bDDInit;              // 1 once DDInit has succeeded (stays 1 after DDUnInit)
extern int bDDCreated;           // likewise
extern int nDesktopBpp;          // DirectDraw window mode: the desktop's depth
// DirectDraw window mode: the client rectangle in screen coordinates, where
// the back buffer is shown. Written by the window thread (DDInit, WM_MOVE);
// read by every thread that presents (game, pause, ranking) and by WM_PAINT.
extern cLockedValue<RECT> rcClient;

// What the game draws into.
// Threads: drawn with by the thread that runs the frame (the game thread, or
// the pause or ranking thread while the game thread waits for it); changed by
// the window thread only at start-up, in a restore the drawing thread waits
// for (WM_GAME_RESTORE) and at shut-down.
extern DDSURFACEDATA BackBuffer;
// Direct3D: render-target textures of the back buffer's size. VirBackBuffer
// stands in for BackBuffer while a screen effect transforms the whole frame.
extern DDSURFACEDATA VirBackBuffer;
extern DDSURFACEDATA WorkSD;
// DirectDraw: the primary surface and a system-memory work surface of the screen's size.
extern DDSURFACEDATA PrimarySD;
extern DDSURFACEDATA DDWorkSD;

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
