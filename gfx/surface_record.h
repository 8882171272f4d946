#pragma once
// The surface record that every drawing operation takes, its two back-end
// records, and the descriptor from which a surface is (re)created.
//
// A record is owned by whoever holds it (a fixed array, a container of a
// screen, a font); the library allocates and frees only its back-end record,
// which the record owns alone: a record cannot be copied, and the restore
// list keeps its address, so it is never moved either.
// Exactly one of lpDT / lpDD is set while the record is loaded, for the back end
// the display was created with. A record without a back-end record (never
// loaded, released, or an optional image that failed) draws nothing and
// receives nothing: every operation checks before it touches the back end.
#include <windows.h>
#include <d3d9.h>
#include <ddraw.h>

#include <deque>
#include <memory>

#include "app/system/com_ptr.h"

// Where a Direct3D surface lives.
enum DTMEMORYTYPE {
    // Video memory: a blank surface is a render-target texture (DEFAULT pool),
    // an image a MANAGED texture.
    DTMEMORYTYPE_VIDEO_RT = 0,
    // A DYNAMIC texture in the SYSTEMMEM pool: never a render target, survives a
    // device loss.
    DTMEMORYTYPE_SYSTEM = 1,
    // Accepted by the descriptors and handled as DTMEMORYTYPE_VIDEO_RT.
    DTMEMORYTYPE_VIDEO_NORT = 2,
};

// Direct3D back-end record.
// The one owner of its interfaces: never copied, and what it still holds is
// released with it. A duplicate record's holds none (it draws from the
// record it shares).
struct DTSURFACEDATA {
    int nId = 0;                                      // unique while loaded; BackBuffer has 0
    cComPtr<IDirect3DSurface9> lpSurface;             // level 0 of the texture (BackBuffer: the device's back buffer)
    cComPtr<IDirect3DSurface9> lpSystemSurface;       // system-memory copy of a render-target texture (pixel access)
    cComPtr<IDirect3DVertexBuffer9> lpVertexBuffer;   // four 28-byte vertices (QUADVERTEX), MANAGED, WRITEONLY
    cComPtr<IDirect3DTexture9> lpTexture;
    D3DSURFACE_DESC descLevel0 = {};
    int nMemoryType = 0;                              // DTMEMORYTYPE in use (after a fall-back, the real one)
    int bColorKey = 0;                                // drawn with the transparent colour as colour key
    int bRenderTarget = 0;                            // the texture can be a render target
    std::unique_ptr<BYTE[]> lpPixelCopy;
};

// DirectDraw back-end record.
struct DDRAWSURFACEDATA {
    IDirectDrawSurface7* lpSurface;
    std::unique_ptr<BYTE[]> lpPixelCopy;
};

// The surface record. Built zero-filled; its destructor releases nothing
// (DDReleaseSurface does that while the display is up).
struct DDSURFACEDATA {
    DDSURFACEDATA() = default;
    DDSURFACEDATA(const DDSURFACEDATA&) = delete;
    DDSURFACEDATA& operator=(const DDSURFACEDATA&) = delete;

    std::unique_ptr<DTSURFACEDATA> lpDT;     // Direct3D back-end record, null under DirectDraw
    std::unique_ptr<DDRAWSURFACEDATA> lpDD;  // DirectDraw back-end record, null under Direct3D
    char szSurfaceType[260] = {};       // "BackBuffer", "VirBackBuffer", "WorkSD", "OffScreen", "OffScreenFromFile" (Direct3D)
    int nWidth = 0, nHeight = 0;        // size of the picture
    int nTexWidth = 0, nTexHeight = 0;  // size of the texture behind it; divisor of texture coordinates
    char szFileName[260] = {};          // BMP the picture comes from; "E" for a blank Direct3D surface
    int nDDMemory = 0;                  // DirectDraw memory: 0 video, 1 system (the memory in use)
    int nMirrorWidth = 0, nMirrorHeight = 0;  // mirror cell size, 0 = none
    DDSURFACEDATA* lpShareSD = nullptr; // Direct3D: the record whose texture this duplicate draws with
    int bLost = 0;                      // contents lost on a re-creation; the owner redraws and clears it
};

// The descriptor of one surface.
struct DDSURFACEPARAM {
    char szFileName[260] = {};  // BMP path; "E" = a blank surface; "" = no image
    int bColorKey = 0;
    int nDDMemory = 0;          // 0 video, 1 system
    int nMemoryType = 0;        // DTMEMORYTYPE
    int bShare = 0;             // duplicate record (draws from its lpShareSD under Direct3D)
    int bPixelCopy = 0;
    int bOptional = 0;          // a failed load does not stop a load of several surfaces
    int nMirrorWidth = 0, nMirrorHeight = 0;
    int nWidth = 0, nHeight = 0;  // size of a blank surface

    // Copies the file name (cut to 259 bytes) and stores the ten values in field order.
    DDSURFACEPARAM& Set(const char* fileName, int colorKey, int ddMemory, int memoryType, int share,
                        int pixelCopy, int optional, int mirrorWidth, int mirrorHeight, int width,
                        int height);
};

// Containers of surface records that grow one record at a time (the screens'
// and the stage's extra surfaces). The restore list and the screens keep the
// addresses of these records, so appending must never move the ones already
// there: a deque keeps every element in place on push_back and on growing
// resize. The descriptors go in a second container of the same kind, element
// for element.
using DDSurfaceVector = std::deque<DDSURFACEDATA>;
using DDSurfaceParamVector = std::deque<DDSURFACEPARAM>;
