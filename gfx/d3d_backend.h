#pragma once
// The Direct3D 9 back end: its context, device set-up and fixed device states.
//
// Promises of this seam:
// - DTInit creates the device for a window (back buffer = client size) or full
//   screen, at 16 or 32 bits only, with a lockable back buffer; it fills
//   SurfaceFormat/DisplayFormat and gives BackBuffer, VirBackBuffer and WorkSD
//   their Direct3D records. Every failure is written to the report or trace
//   log and returns 0; what was created stays for DDUnInit.
// - Textures are A8R8G8B8 (32-bit) or A1R5G5B5 (16-bit); the back buffer is
//   X8R8G8B8, A1R5G5B5 (16-bit window) or R5G6B5 (16-bit full screen).
// - After DTSetRenderStates: no culling, no depth test, alpha blending
//   SRCALPHA / INVSRCALPHA, point sampling with wrapping on stages 0 and 1.
#include <windows.h>
#include <d3d9.h>

#include <string>

#include "gfx/display.h"
#include "gfx/display_context.h"
#include "gfx/surface_record.h"

struct DTCONTEXT {
    D3DFORMAT fmtBackBuffer = D3DFMT_UNKNOWN;
    D3DFORMAT fmtTexture = D3DFMT_UNKNOWN;
    D3DPRESENT_PARAMETERS d3dpp = {};   // kept for the device reset
    UINT nAdapter = 0;
    D3DDEVTYPE nDeviceType = D3DDEVTYPE(0);
    D3DFORMAT fmtAdapter = D3DFMT_UNKNOWN;
    D3DCAPS9 d3dCaps = {};
    int bPow2 = 0;                      // textures must have power-of-two sizes
    int bSquareOnly = 0;                // textures must be square
    int bVirBackBuffer = 0;
    DDSURFACEDATA* lpDefaultTarget = nullptr;  // where the render target returns after every draw
    int bCopyVirBackBuffer = 0;
    RGBTRIPLE rgbTransmit = {};         // the transparent colour
    RGBTRIPLE rgbKey_16 = {};           // the image loader's colour key at 16 bits
    DWORD dwTransmitTex = 0;            // transparent colour as stored in textures
    DWORD dwTransmitBack = 0;           // transparent colour as drawn on the back buffer
    WORD wTransmit_16 = 0;
    WORD wTransmitBack_16 = 0;
    int bInScene = 0;
    DWORD dwVertexColor = 0xFFFFFFFF;   // vertex colour of blits (render_state.h)
    int nColorOp = D3DTOP_MODULATE;
    int nAlphaOp = D3DTOP_MODULATE;
    int nSurfaceId = 0;                 // next surface id
    int nFontId = 0;                    // next font id
    std::string strTextureError;        // box text when a texture cannot be created; empty: no box
};

// The Direct3D object and its device are Display.lpDirect3D and
// Display.lpDevice (display.h).

// 1 success, 0 failure (backBuffers is not read).
int DTInit(HWND hwnd, int width, int height, int bpp, int backBuffers);
// The fixed device states; after device creation and after every reset.
void DTSetRenderStates();

// Test seam: texture capability bits added to the device's own at DTInit
// (D3DPTEXTURECAPS_POW2, D3DPTEXTURECAPS_SQUAREONLY), so that the size rules of
// devices that demand them can be exercised on one that does not. 0 in the game.
// Both seams are set by a test before DTInit and read by the window thread there.
extern DWORD dwForceTextureCaps;
// Test seam: where DTInit learns the display driver's DDI version (GetDDIVersion
// in the game), so that a driver below version 9 can be simulated.
extern int (*lpDDIVersionSource)();
