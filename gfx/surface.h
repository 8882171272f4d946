#pragma once
// Surfaces: blank or from a BMP file, on either back end; sets of them loaded
// from descriptors; the list of Direct3D surfaces to re-create after a device
// loss.
//
// Promises of this seam:
// - Under Direct3D a surface is a texture with its own 112-byte vertex buffer;
//   nWidth/nHeight stay the requested (or bitmap) size while
//   nTexWidth/nTexHeight are the texture's, grown to powers of two or squares
//   when the device demands it.
// - A blank video-memory Direct3D surface is a render-target texture with a
//   system-memory copy for pixel access, cleared to dwTransmitBack; under
//   DirectDraw a blank surface starts filled with palette colour 0.
// - Images are BMP only: a file LoadImageA refuses is a load failure (8).
// - A duplicate record (share) gets no texture under Direct3D: it draws from
//   its lpShareSD, which the table set-up links.
// - RestoreList holds exactly the loaded Direct3D records that own a texture,
//   in creation order; the records must not move while they are listed (see
//   DDSurfaceVector).
#include <list>
#include <vector>

#include "gfx/display.h"
#include "gfx/surface_record.h"

// Surface result codes of DDCreateSurfaceFromFile.
enum {
    SURFACE_OK = 0,
    SURFACE_MIRROR_ERR = 1,       // the mirrored cells could not be drawn (the surface is usable)
    SURFACE_CREATE_ERR = 4,
    SURFACE_LOADIMAGE_ERR = 8,
    SURFACE_COLORKEY_ERR = 9,
};
// A Direct3D call that fails writes its HRESULT to the report log and gives
// SURFACE_CREATE_ERR: no HRESULT is passed on as a result code.

// The surfaces to re-create after a device reset: Display.RestoreList.

// Gives the record an empty back-end record for the back end DDInit was asked
// for, unless it has one.
void DDAllocDT(DDSURFACEDATA* record);
// The device's texture size rules (power of two, square).
void DTAdjustTextureSize(int* width, int* height);
// 0 (after a report line) when the size exceeds the device's maximum, else 1.
int DTCheckTextureSize(unsigned width, unsigned height);

// A blank surface. restore 1 re-creates a listed record after a device loss.
bool DDCreateSurface(DDSURFACEDATA* record, int width, int height, int colorKey, int ddMemory,
                     int memoryType, int share, int restore);
// A surface from a BMP file; returns a surface result code.
int DDCreateSurfaceFromFile(DDSURFACEDATA* record, const char* fileName, int colorKey, int bpp,
                            int ddMemory, int memoryType, int share, int pixelCopy,
                            int mirrorWidth, int mirrorHeight, int restore);
// False (after a trace line) for a result that left the surface unusable.
bool DDCheckSurfaceResult(int code);

// (Re)loads the listed entries of the surface array from the descriptor table
// given to DDInit. Stops at the first required surface that fails (box, or the
// out-of-memory exit) and returns false; optional ones that fail stay empty.
bool DDLoadSurfaces(DDSURFACEDATA* surfaces, const int* indices, int count);

// Appends a zero-filled record and its descriptor, then creates the blank
// surface; the containers keep the new elements even when creation fails.
bool DDAddSurface(DDSurfaceVector& surfaces, DDSurfaceParamVector& params, int width, int height,
                  int colorKey, int ddMemory, int memoryType, int share);
bool DDAddSurfaceToList(std::list<DDSURFACEDATA>& surfaces, std::list<DDSURFACEPARAM>& params,
                        int width, int height, int colorKey, int ddMemory, int memoryType,
                        int share);
// Releases the record and erases it and the descriptor at the same position;
// 0 when the record is not in the list.
int DDRemoveSurfaceFromList(std::list<DDSURFACEDATA>& surfaces, std::list<DDSURFACEPARAM>& params,
                            const DDSURFACEDATA* record);

// Releases the back-end part of a record (null or empty: nothing). Sizes,
// names, lpShareSD and bLost stay, so the record can be loaded again.
void DDReleaseSurface(DDSURFACEDATA* record);
void DDReleaseSurfaceVector(DDSurfaceVector& surfaces);
void DDReleaseSurfaceList(std::list<DDSURFACEDATA>& surfaces);
