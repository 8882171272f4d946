#include "gfx/batch.h"

#include <algorithm>

#include "app/log.h"
#include "gfx/com_release.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/quad.h"
#include "gfx/scene.h"

RECTBATCH RectBatch;
SPRITEBATCH SpriteBatch;

namespace {

template <class BATCH>
void ReleaseRun(BATCH& batch)
{
    ReleaseCom(batch.lpIndexBuffer);
    ReleaseCom(batch.lpVertexBuffer);
    batch.lpVertexData.reset();
}

// 16-bit indices reach this many quads; longer runs are drawn in parts, each
// from its own base vertex.
constexpr int kQuadsPerDraw = 65536 / 4;

// Puts the run's vertices (n quads) and the indices of two triangles a quad
// (for at most kQuadsPerDraw quads) into fresh managed buffers, opens the
// scene and sets the run's target. False when any of it fails; the buffers
// are then released by the caller.
template <class BATCH>
bool PrepareRun(BATCH& batch, int n, DDSURFACEDATA* target)
{
    const UINT vertexBytes = n * QUAD_BYTES;
    if (FAILED(lpDevice->CreateVertexBuffer(vertexBytes, D3DUSAGE_WRITEONLY, QUAD_FVF,
                                            D3DPOOL_MANAGED, &batch.lpVertexBuffer, nullptr))) {
        batch.lpVertexBuffer = nullptr;
        ReportLogAndTrace("CreateVertexBuffer Err");
        return false;
    }
    if (!DTPutVertices(batch.lpVertexBuffer, batch.lpVertexData.get(), vertexBytes)) return false;

    const int indexed = std::min(n, kQuadsPerDraw);
    const UINT indexBytes = indexed * 6 * sizeof(WORD);
    if (FAILED(lpDevice->CreateIndexBuffer(indexBytes, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                           D3DPOOL_MANAGED, &batch.lpIndexBuffer, nullptr))) {
        batch.lpIndexBuffer = nullptr;
        ReportLogAndTrace("CreateIndexBuffer Err");
        return false;
    }
    WORD* indices = nullptr;
    if (FAILED(batch.lpIndexBuffer->Lock(0, indexBytes, reinterpret_cast<void**>(&indices), 0)))
        return false;
    // The triangles of the strip top-left, bottom-left, top-right, bottom-right.
    for (int q = 0; q < indexed; ++q) {
        const int v = 4 * q;
        for (int c : {0, 1, 2, 2, 1, 3}) *indices++ = static_cast<WORD>(v + c);
    }
    batch.lpIndexBuffer->Unlock();

    return DDBeginScene() && DDSetRenderTarget(0, target);
}

template <class BATCH>
void DrawIndexedQuads(BATCH& batch, int n)
{
    lpDevice->SetStreamSource(0, batch.lpVertexBuffer, 0, sizeof(QUADVERTEX));
    lpDevice->SetIndices(batch.lpIndexBuffer);
    lpDevice->SetFVF(QUAD_FVF);
    // One draw for the whole run: the device keeps the order of its triangles.
    for (int first = 0; first < n; first += kQuadsPerDraw) {
        const int count = std::min(kQuadsPerDraw, n - first);
        lpDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4 * first, 0, 4 * count, 0, 2 * count);
    }
}

// Walks the entries in runs of `same` ones; draw(run start, n) draws a prepared
// run. A run that fails is tried again from its second entry.
template <class BATCH, class ENTRY, class SAME, class FILL, class DRAW>
void WalkRuns(BATCH& batch, std::vector<ENTRY>& entries, SAME same, FILL fill, DRAW draw)
{
    size_t start = 0;
    while (start < entries.size()) {
        size_t end = start + 1;
        while (end < entries.size() && same(entries[start], entries[end])) ++end;
        const int n = static_cast<int>(end - start);
        batch.lpVertexData = std::make_unique<BYTE[]>(n * QUAD_BYTES);
        QUADVERTEX* v = reinterpret_cast<QUADVERTEX*>(batch.lpVertexData.get());
        for (int k = 0; k < n; ++k) fill(entries[start + k], v + 4 * k);
        bool drawn = false;
        if (PrepareRun(batch, n, entries[start].lpTarget)) {
            draw(start, n);
            drawn = true;
        }
        ReleaseRun(batch);
        if (drawn && lpDTCon->lpDefaultTarget && DDSetRenderTarget(0, lpDTCon->lpDefaultTarget))
            start = end;
        else
            start = start + 1;
    }
    ReleaseRun(batch);
}

}  // namespace

RECTBATCH::~RECTBATCH()
{
    ReleaseRun(*this);
}

SPRITEBATCH::~SPRITEBATCH()
{
    ReleaseRun(*this);
}

void DDBeginRectBatch()
{
    if (!lpDTCon) return;
    // What an open batch holds is drawn, not lost.
    if (RectBatch.bBatching) DDEndRectBatch();
    RectBatch.bBatching = 1;
    ReleaseRun(RectBatch);
    RectBatch.Rects.clear();
}

void DDCollectRect(DDSURFACEDATA* target, int x, int y, int width, int height, DWORD color)
{
    RectBatch.Rects.push_back({target, x, y, width, height, color});
}

void DDEndRectBatch()
{
    if (!lpDTCon || !lpDevice || RectBatch.Rects.empty()) {
        RectBatch.bBatching = 0;
        RectBatch.Rects.clear();
        return;
    }
    // Collected fills go through the drawing below, never back into the batch.
    RectBatch.bBatching = 0;
    std::vector<BATCHRECT>& rects = RectBatch.Rects;
    WalkRuns(
        RectBatch, rects,
        [](const BATCHRECT& a, const BATCHRECT& b) { return a.lpTarget == b.lpTarget; },
        [](const BATCHRECT& r, QUADVERTEX* v) {
            DTSetPlainQuad(v, r.x, r.y, r.nWidth, r.nHeight, r.dwColor,
                           static_cast<float>(r.nWidth), static_cast<float>(r.nHeight));
        },
        [&](size_t, int n) {
            lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
            lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
            lpDevice->SetTexture(0, WorkSD.lpDT ? WorkSD.lpDT->lpTexture.Get() : nullptr);
            DrawIndexedQuads(RectBatch, n);
        });
    rects.clear();
}

void DDBeginSpriteBatch(int sort)
{
    if (!lpDTCon) return;
    if (SpriteBatch.bBatching) DDEndSpriteBatch();
    SpriteBatch.bBatching = 1;
    SpriteBatch.bSort = sort;
    ReleaseRun(SpriteBatch);
    SpriteBatch.Sprites.clear();
    SpriteBatch.Order.clear();
    SpriteBatch.nCounter = 0;
}

int DDSetSpriteOrder(DDSURFACEDATA* source)
{
    if (!lpDTCon || !SpriteBatch.bBatching || !SpriteBatch.bSort) return 0;
    for (const SPRITEORDER& entry : SpriteBatch.Order)
        if (entry.lpSource == source) return 0;
    const int base = 100000 * (static_cast<int>(SpriteBatch.Order.size()) + 1);
    SpriteBatch.Order.push_back({source, base});
    return 1;
}

void DDCollectSprite(DDSURFACEDATA* target, int x, int y, int width, int height,
                     DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    if (!lpDTCon || !target || !source || !target->lpDT || !source->lpDT ||
        !source->lpDT->lpTexture)
        return;
    int base = 0;
    if (SpriteBatch.bSort)
        for (const SPRITEORDER& entry : SpriteBatch.Order)
            if (entry.lpSource == source) {
                base = entry.nBaseKey;
                break;
            }
    BATCHSPRITE s = {base + SpriteBatch.nCounter++, target, source, x, y, width, height,
                     sx, sy, sw, sh, mode, lpDTCon->dwVertexColor, lpDTCon->nColorOp,
                     lpDTCon->nAlphaOp, 0};
    SpriteBatch.Sprites.push_back(s);
}

int DDEndSpriteBatch()
{
    if (!lpDTCon || !lpDevice || SpriteBatch.Sprites.empty()) {
        SpriteBatch.bBatching = 0;
        SpriteBatch.Sprites.clear();
        SpriteBatch.Order.clear();
        SpriteBatch.nCounter = 0;
        return 0;
    }
    SpriteBatch.bBatching = 0;
    std::vector<BATCHSPRITE>& sprites = SpriteBatch.Sprites;
    if (SpriteBatch.bSort)
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
        SpriteBatch, sprites, same,
        [](const BATCHSPRITE& s, QUADVERTEX* v) {
            DTSetQuad(v, s.x, s.y, s.nWidth, s.nHeight, s.lpSource, s.sx, s.sy, s.sw, s.sh,
                      s.dwVertexColor);
        },
        [&](size_t start, int n) {
            const BATCHSPRITE& first = sprites[start];
            DTSURFACEDATA* src = first.lpSource->lpDT.get();
            if (first.nMode == 0 && src && src->bColorKey && (nBpp == 16 || nBpp == 32))
                for (int k = 0; k < n; ++k) {
                    const BATCHSPRITE& s = sprites[start + k];
                    DTClearRect(s.x, s.y, s.nWidth, s.nHeight, DTKeyClearColor(first.lpTarget));
                }
            DTSetTextureStages(first.nColorOp, first.nAlphaOp);
            lpDevice->SetTexture(0, src ? src->lpTexture.Get() : nullptr);
            DrawIndexedQuads(SpriteBatch, n);
        });
    sprites.clear();
    SpriteBatch.Order.clear();
    SpriteBatch.nCounter = 0;
    return 1;
}
