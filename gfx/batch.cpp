#include "gfx/batch.h"

#include <algorithm>

#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/quad.h"
#include "gfx/scene.h"

DRAWBATCHES Batches;

namespace {

// 16-bit indices reach this many quads; longer runs are drawn in parts.
constexpr int kQuadsPerDraw = 65536 / 4;

// The triangles of kQuadsPerDraw quads, each of the strip top-left,
// bottom-left, top-right, bottom-right.
const WORD* QuadIndices()
{
    static const std::vector<WORD> indices = [] {
        std::vector<WORD> out;
        out.reserve(6 * kQuadsPerDraw);
        for (int q = 0; q < kQuadsPerDraw; ++q)
            for (int c : {0, 1, 2, 2, 1, 3}) out.push_back(static_cast<WORD>(4 * q + c));
        return out;
    }();
    return indices.data();
}

// One indexed triangle list for n quads (vertices from memory, four a quad),
// in parts of at most kQuadsPerDraw quads: the device keeps the order of its
// triangles.
void DrawQuads(const QUADVERTEX* v, int n)
{
    Display.lpDevice->SetFVF(QUAD_FVF);
    for (int first = 0; first < n; first += kQuadsPerDraw) {
        const int count = std::min(kQuadsPerDraw, n - first);
        Display.lpDevice->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 4 * count, 2 * count, QuadIndices(),
                                         D3DFMT_INDEX16, v + 4 * first, sizeof(QUADVERTEX));
    }
}

struct HELDRUN {
    DDSURFACEDATA* lpTarget;
    int nQuads;
};

// The held fills: their vertices, four a fill, and their runs of one target.
struct HELDFILLS {
    std::vector<QUADVERTEX> Vertices;
    std::vector<HELDRUN> Runs;
};

// The vertices of the run being drawn, kept between runs for their room, and
// the held fills. Threads: the thread that runs the frame.
struct BatchScratch {
    std::vector<QUADVERTEX> RunVertices;
    HELDFILLS HeldFills;
};
BatchScratch scratch;

// Walks the entries in runs of `same` ones: fill(entry, vertices) writes an
// entry's four vertices, draw(run start, vertices, n) draws a run whose scene
// and target are set. A run whose scene or target cannot be had is tried
// again from its second entry.
template <class ENTRY, class SAME, class FILL, class DRAW>
void WalkRuns(std::vector<ENTRY>& entries, SAME same, FILL fill, DRAW draw)
{
    size_t start = 0;
    while (start < entries.size()) {
        size_t end = start + 1;
        while (end < entries.size() && same(entries[start], entries[end])) ++end;
        const int n = static_cast<int>(end - start);
        scratch.RunVertices.resize(4 * static_cast<size_t>(n));
        QUADVERTEX* v = scratch.RunVertices.data();
        for (int k = 0; k < n; ++k) fill(entries[start + k], v + 4 * k);
        bool drawn = false;
        if (DDBeginScene() && DDSetRenderTarget(0, entries[start].lpTarget)) {
            draw(start, v, n);
            drawn = true;
        }
        if (drawn && Display.lpDTCon->lpDefaultTarget && DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget))
            start = end;
        else
            start = start + 1;
    }
}

}  // namespace

void DTHoldFill(DDSURFACEDATA* target, int x, int y, int width, int height, DWORD color)
{
    if (!DDBeginScene()) return;
    const size_t at = scratch.HeldFills.Vertices.size();
    scratch.HeldFills.Vertices.resize(at + 4);
    DTSetPlainQuad(&scratch.HeldFills.Vertices[at], x, y, width, height, color, 0.0f, 0.0f);
    if (scratch.HeldFills.Runs.empty() || scratch.HeldFills.Runs.back().lpTarget != target)
        scratch.HeldFills.Runs.push_back({target, 0});
    ++scratch.HeldFills.Runs.back().nQuads;
}

void DTDrawHeldFills()
{
    if (scratch.HeldFills.Runs.empty()) return;
    // Taken out first: the targets set below find nothing held.
    HELDFILLS fills;
    std::swap(fills, scratch.HeldFills);
    const QUADVERTEX* v = fills.Vertices.data();
    for (const HELDRUN& run : fills.Runs) {
        if (Display.lpDevice && DDBeginScene() && DDSetRenderTarget(0, run.lpTarget)) {
            DTSetPlainStages(D3DTA_DIFFUSE);
            DrawQuads(v, run.nQuads);
        }
        v += 4 * run.nQuads;
    }
    if (Display.lpDTCon && Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
    // Their room serves the next frame's fills.
    fills.Vertices.clear();
    fills.Runs.clear();
    std::swap(fills, scratch.HeldFills);
}

void DTDropHeldFills()
{
    scratch.HeldFills.Vertices.clear();
    scratch.HeldFills.Runs.clear();
}

void DDBeginRectBatch()
{
    if (!Display.lpDTCon) return;
    // What an open batch holds is drawn, not lost.
    if (Batches.RectBatch.bBatching) DDEndRectBatch();
    Batches.RectBatch.bBatching = 1;
    Batches.RectBatch.Rects.clear();
}

void DDCollectRect(DDSURFACEDATA* target, int x, int y, int width, int height, DWORD color)
{
    Batches.RectBatch.Rects.push_back({target, x, y, width, height, color});
}

void DDEndRectBatch()
{
    if (!Display.lpDTCon || !Display.lpDevice || Batches.RectBatch.Rects.empty()) {
        Batches.RectBatch.bBatching = 0;
        Batches.RectBatch.Rects.clear();
        return;
    }
    // Collected fills go through the drawing below, never back into the batch.
    Batches.RectBatch.bBatching = 0;
    DTDrawHeldFills();
    std::vector<BATCHRECT>& rects = Batches.RectBatch.Rects;
    WalkRuns(
        rects,
        [](const BATCHRECT& a, const BATCHRECT& b) { return a.lpTarget == b.lpTarget; },
        [](const BATCHRECT& r, QUADVERTEX* v) {
            DTSetPlainQuad(v, r.x, r.y, r.nWidth, r.nHeight, r.dwColor,
                           static_cast<float>(r.nWidth), static_cast<float>(r.nHeight));
        },
        [](size_t, const QUADVERTEX* v, int n) {
            Display.lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
            Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
            Display.lpDevice->SetTexture(0, Display.WorkSD.lpDT ? Display.WorkSD.lpDT->lpTexture.Get() : nullptr);
            DrawQuads(v, n);
        });
    rects.clear();
}

void DDBeginSpriteBatch(int sort)
{
    if (!Display.lpDTCon) return;
    if (Batches.SpriteBatch.bBatching) DDEndSpriteBatch();
    Batches.SpriteBatch.bBatching = 1;
    Batches.SpriteBatch.bSort = sort;
    Batches.SpriteBatch.Sprites.clear();
    Batches.SpriteBatch.Order.clear();
    Batches.SpriteBatch.nCounter = 0;
}

int DDSetSpriteOrder(DDSURFACEDATA* source)
{
    if (!Display.lpDTCon || !Batches.SpriteBatch.bBatching || !Batches.SpriteBatch.bSort) return 0;
    for (const SPRITEORDER& entry : Batches.SpriteBatch.Order)
        if (entry.lpSource == source) return 0;
    const int base = 100000 * (static_cast<int>(Batches.SpriteBatch.Order.size()) + 1);
    Batches.SpriteBatch.Order.push_back({source, base});
    return 1;
}

void DDCollectSprite(DDSURFACEDATA* target, int x, int y, int width, int height,
                     DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    if (!Display.lpDTCon || !target || !source || !target->lpDT || !source->lpDT ||
        !source->lpDT->lpTexture)
        return;
    int base = 0;
    if (Batches.SpriteBatch.bSort)
        for (const SPRITEORDER& entry : Batches.SpriteBatch.Order)
            if (entry.lpSource == source) {
                base = entry.nBaseKey;
                break;
            }
    BATCHSPRITE s = {base + Batches.SpriteBatch.nCounter++, target, source, x, y, width, height,
                     sx, sy, sw, sh, mode, Display.lpDTCon->dwVertexColor, Display.lpDTCon->nColorOp,
                     Display.lpDTCon->nAlphaOp, 0};
    Batches.SpriteBatch.Sprites.push_back(s);
}

int DDEndSpriteBatch()
{
    if (!Display.lpDTCon || !Display.lpDevice || Batches.SpriteBatch.Sprites.empty()) {
        Batches.SpriteBatch.bBatching = 0;
        Batches.SpriteBatch.Sprites.clear();
        Batches.SpriteBatch.Order.clear();
        Batches.SpriteBatch.nCounter = 0;
        return 0;
    }
    Batches.SpriteBatch.bBatching = 0;
    // Fills made while the batch was open lie under all of its quads.
    DTDrawHeldFills();
    std::vector<BATCHSPRITE>& sprites = Batches.SpriteBatch.Sprites;
    if (Batches.SpriteBatch.bSort)
        std::stable_sort(sprites.begin(), sprites.end(),
                         [](const BATCHSPRITE& a, const BATCHSPRITE& b) {
                             return a.nSortKey < b.nSortKey;
                         });
    auto same = [](const BATCHSPRITE& a, const BATCHSPRITE& b) {
        return a.lpSource == b.lpSource && a.lpTarget == b.lpTarget &&
               a.dwVertexColor == b.dwVertexColor && a.nMode == b.nMode &&
               a.nColorOp == b.nColorOp && a.nAlphaOp == b.nAlphaOp && a.nReserved == b.nReserved;
    };
    WalkRuns(
        sprites, same,
        [](const BATCHSPRITE& s, QUADVERTEX* v) {
            DTSetQuad(v, s.x, s.y, s.nWidth, s.nHeight, s.lpSource, s.sx, s.sy, s.sw, s.sh,
                      s.dwVertexColor);
        },
        [&](size_t start, const QUADVERTEX* v, int n) {
            const BATCHSPRITE& first = sprites[start];
            DTSURFACEDATA* src = first.lpSource->lpDT.get();
            if (first.nMode == 0 && src && src->bColorKey && (Display.nBpp == 16 || Display.nBpp == 32))
                for (int k = 0; k < n; ++k) {
                    const BATCHSPRITE& s = sprites[start + k];
                    DTClearRect(s.x, s.y, s.nWidth, s.nHeight, DTKeyClearColor(first.lpTarget));
                }
            DTSetTextureStages(first.nColorOp, first.nAlphaOp);
            Display.lpDevice->SetTexture(0, src ? src->lpTexture.Get() : nullptr);
            DrawQuads(v, n);
        });
    sprites.clear();
    Batches.SpriteBatch.Order.clear();
    Batches.SpriteBatch.nCounter = 0;
    return 1;
}
