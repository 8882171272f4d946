#pragma once
// Recovery after the display lost what was in video memory: a lost Direct3D
// device (DDRestoreSurface, on the window thread when the present reported
// the loss) or lost DirectDraw surfaces (DDRestore, on the game thread at the
// start of a frame). Both rebuild the surfaces the library knows from their
// files, mark the blank ones bLost so that their owners redraw them, and have
// every font render its glyphs again.
#include <windows.h>
#include <ddraw.h>

// Test seam: where the recovery learns whether anything is lost. The game
// asks the platform: DeviceState is the device's TestCooperativeLevel
// (D3D_OK, D3DERR_DEVICELOST or D3DERR_DEVICENOTRESET; D3D_OK without a
// device) and SurfaceState a DirectDraw surface's IsLost (DD_OK or
// DDERR_SURFACELOST). A windowed display under Wine never loses anything, so
// a test replaces either answer to force a loss; everything the recovery then
// does (releasing, resetting, re-creating, restoring) runs on the real device
// and surfaces. Set by a test before the display is up; read by the window
// thread's recovery.
struct DISPLAYLOSSQUERY {
    HRESULT (*lpDeviceState)();
    HRESULT (*lpSurfaceState)(IDirectDrawSurface7* surface);
};
extern DISPLAYLOSSQUERY DisplayLossQuery;
// The platform's own answers.
HRESULT DTQueryDeviceState();
HRESULT DDQuerySurfaceState(IDirectDrawSurface7* surface);

// Direct3D: 1 when the device was reset and every listed surface and font
// made anew; 0 while the device cannot be reset yet or the reset failed (a
// later frame tries again; what was released stays released until then).
// The device is asked first, the video-memory resources are released once,
// the render target and textures are unbound before the reset, and the fonts'
// D3DX objects are reset before the glyphs are rendered again. File surfaces
// get their image (and keep their pixel copy), blank ones come back empty
// with bLost set. Under DirectDraw: a trace line and 1.
int DDRestoreSurface();
// DirectDraw: when the primary surface is lost, restores it, the back buffer
// and the lost surfaces of the surface array (video-memory images reloaded,
// blank ones flagged bLost), shows ShownPalette again at 8 bits and restores
// the fonts. Always true; under Direct3D a trace line.
bool DDRestore();
