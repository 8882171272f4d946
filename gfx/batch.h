#pragma once
// The two Direct3D draw batches: filled rectangles (RectBatch) and textured
// quads (SpriteBatch). Each run of consecutive entries with the same target
// (and, for quads, the same source and drawing states) is drawn by one indexed
// draw from the vertices in memory, with one set of state changes.
//
// Promises of this seam:
// - Under DirectDraw every operation does nothing (fills and blits draw at once).
// - Batches do not nest: opening one while it is open first draws what it
//   holds, and ending it ends it for every caller.
// - A run whose scene or render target cannot be had is tried again from its
//   second entry; an entry aimed at a surface that cannot be a render target
//   draws nothing.
// - Fills drawn at once are held and drawn together, in the order they were
//   made, as late as the picture allows: before any other use of the device
//   (a draw or clear through DDSetRenderTarget, a surface lock, the end of the
//   scene, a released surface, the end of a batch). A fill made while the
//   sprite batch is open therefore still lands under the quads collected
//   before it, as if it had been drawn at once.
#include <windows.h>
#include <d3d9.h>

#include <vector>

#include "gfx/surface_record.h"

struct BATCHRECT {
    DDSURFACEDATA* lpTarget;   // after the share and back-buffer redirection
    int x, y, nWidth, nHeight; // already clipped to the target
    DWORD dwColor;             // ARGB
};

struct RECTBATCH {
    int bBatching = 0;
    std::vector<BATCHRECT> Rects;
};

struct BATCHSPRITE {
    int nSortKey;
    DDSURFACEDATA* lpTarget;
    DDSURFACEDATA* lpSource;
    int x, y, nWidth, nHeight;
    int sx, sy, sw, sh;        // a negative source size reads backwards
    int nMode;                 // 1 skips the source's transparent pixels
    DWORD dwVertexColor;
    int nColorOp, nAlphaOp;
    int nReserved;             // always 0
};

struct SPRITEORDER {
    DDSURFACEDATA* lpSource;
    int nBaseKey;
};

struct SPRITEBATCH {
    int bBatching = 0;
    std::vector<BATCHSPRITE> Sprites;
    int nCounter = 0;          // quads collected since the batch began
    int bSort = 0;
    std::vector<SPRITEORDER> Order;
};

// The batches being collected. Threads: the thread that runs the frame (game,
// or pause or ranking while the game thread waits for it).
struct DRAWBATCHES {
    RECTBATCH RectBatch;
    SPRITEBATCH SpriteBatch;
};
extern DRAWBATCHES Batches;

void DDBeginRectBatch();
void DDEndRectBatch();
// Collected by DDFillRect while RectBatch.bBatching is set.
void DDCollectRect(DDSURFACEDATA* target, int x, int y, int width, int height, DWORD color);

void DDBeginSpriteBatch(int sort);
// Registers a source so that its quads come after all others of a sorted
// batch, in the order of registration. Returns 1 when registered now.
int DDSetSpriteOrder(DDSURFACEDATA* source);
// Collected by the blit's GPU path while SpriteBatch.bBatching is set; takes
// the context's current vertex colour, colour and alpha operations.
void DDCollectSprite(DDSURFACEDATA* target, int x, int y, int width, int height,
                     DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode);
int DDEndSpriteBatch();

// A fill of a render target (already clipped and resolved) drawn at once as
// far as its caller can tell: held until DTDrawHeldFills. Opens the frame's
// scene; nothing is held when it cannot be opened.
void DTHoldFill(DDSURFACEDATA* target, int x, int y, int width, int height, DWORD color);
// Draws the held fills in the order they were made, one draw call for each
// run of fills on the same target, and sets lpDefaultTarget back.
void DTDrawHeldFills();
// Forgets the held fills without drawing them (the device is going).
void DTDropHeldFills();
