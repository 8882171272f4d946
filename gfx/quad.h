#pragma once
// The textured quad of Direct3D drawing: its vertex layout, how a rectangle
// becomes four vertices, and the clear that makes colour-keyed copies opaque.
// Shared by the blits, the batches and the fills.
#include <windows.h>
#include <d3d9.h>

#include "gfx/surface_record.h"

// XYZRHW | DIFFUSE | TEX1.
struct QUADVERTEX {
    float x, y, z, rhw;
    DWORD diffuse;
    float u, v;
};
static_assert(sizeof(QUADVERTEX) == 28, "a quad vertex is 28 bytes");
constexpr DWORD QUAD_FVF = 0x144;
constexpr UINT QUAD_BYTES = 4 * sizeof(QUADVERTEX);  // 112

// The four vertices, in triangle-strip order top-left, bottom-left, top-right,
// bottom-right, of the target rectangle (x, y, width, height) shifted by -0.5,
// z 0, rhw 1, with texture coordinates from the source rectangle divided by
// the source's texture size (a negative source size reads backwards).
void DTSetQuad(QUADVERTEX v[4], int x, int y, int width, int height, const DDSURFACEDATA* source,
               int sx, int sy, int sw, int sh, DWORD diffuse);
// The same corners with the given texture coordinates for the far edges
// (u1 at the right, v1 at the bottom; 0 at the near edges).
void DTSetPlainQuad(QUADVERTEX v[4], int x, int y, int width, int height, DWORD diffuse,
                    float u1, float v1);
// Copies bytes of vertices into the start of buffer; false when there is no
// buffer or it cannot be locked (nothing is copied then).
bool DTPutVertices(IDirect3DVertexBuffer9* buffer, const void* vertices, UINT bytes);
// Texture stage 0 for a textured quad: colorOp and alphaOp on the bound
// texture (argument 1) and the vertex colour (argument 2).
void DTSetTextureStages(int colorOp, int alphaOp);
// Texture stage 0 for untextured quads: colour and alpha both come from
// colourArg (D3DTA_DIFFUSE or D3DTA_TFACTOR).
void DTSetPlainStages(DWORD colourArg);
// Draws the four vertices in buffer untextured with DTSetPlainStages. The
// caller opens the scene and sets the render target.
void DTDrawPlainQuad(IDirect3DVertexBuffer9* buffer, DWORD colourArg);
// The two halves of every immediate textured quad. DTBeginQuad puts the four
// vertices into the source's vertex buffer and makes target the render
// target inside the frame's scene; false when any of that fails (nothing is
// drawn then). DTFinishQuad draws them: texture stage 0 takes colorOp and
// alphaOp on the source's texture and the vertex colour; the render target
// returns to the default target afterwards.
bool DTBeginQuad(DDSURFACEDATA* target, DDSURFACEDATA* source, const QUADVERTEX v[4]);
void DTFinishQuad(DDSURFACEDATA* source, int colorOp, int alphaOp);
// DTFinishQuad without the stage set-up, for a quad whose stages the caller
// has set its own way.
void DTDrawTexturedQuad(DDSURFACEDATA* source);
// The colour that a mode-0 copy of a colour-keyed source clears its target
// rectangle to first: the opaque transparent colour on BackBuffer, fully
// transparent black on any other target.
DWORD DTKeyClearColor(const DDSURFACEDATA* target);
// Device Clear of one rectangle of the current render target (z 1, stencil 0).
void DTClearRect(int x, int y, int width, int height, DWORD color);
// The immediate textured quad of a copy: the vertices go into the source's
// vertex buffer, the target becomes the render target inside the frame's
// scene, a mode-0 copy of a colour-keyed source clears the rectangle first,
// and texture stage 0 takes the context's colour and alpha operations with the
// texture and the vertex colour. The render target returns to the default
// target afterwards. False when nothing could be drawn (no texture, no vertex
// buffer, a failed lock, scene or render target). The caller clips and
// resolves shared and redirected records first.
bool DTDrawQuad(DDSURFACEDATA* target, int x, int y, int width, int height,
                DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode);
