#include "gfx/blit.h"

#include <algorithm>

#include "gfx/batch.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_format.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/surface_lock.h"

namespace {

// Float to int toward zero, held to the int range (absurd rectangles then
// clip to nothing instead of wrapping).
int TruncToInt(double v)
{
    return static_cast<int>(std::clamp(v, -2147483648.0, 2147483647.0));
}

// One axis of an unscaled pair: the source span [s, s + size) is cut to the
// source surface, then the target span is cut to the target surface. A source
// edge below 0 shortens the copy but leaves the target position where it was.
void ClipUnscaledAxis(int& pos, int& size, int& spos, int& ssize, int sourceExtent,
                      int targetExtent)
{
    long long left = std::max(spos, 0);
    long long right = std::min<long long>(static_cast<long long>(spos) + size, sourceExtent);
    long long at = pos;
    if (at < 0) {
        left -= at;
        at = 0;
    }
    if (at + (right - left) > targetExtent) right = targetExtent - at + left;
    const long long length = std::clamp<long long>(right - left, -1, targetExtent);
    pos = static_cast<int>(at);
    spos = static_cast<int>(std::clamp<long long>(left, 0, sourceExtent));
    size = ssize = static_cast<int>(length);
}

// One axis of a scaled pair. The source span is cut to the source surface and
// the target size shrinks in the same proportion. Under Direct3D a backwards
// span (negative source size) keeps its direction and the target is left for
// the device to clip; under DirectDraw the target is then cut to the target
// surface, the source span with it. False when nothing is left.
bool ClipScaledAxis(bool d3d, int& pos, int& size, int& spos, int& ssize, int sourceExtent,
                    int targetExtent)
{
    const bool backwards = ssize < 0;
    double left = spos, right = static_cast<double>(spos) + ssize;
    if (d3d && backwards) std::swap(left, right);
    left = std::max(left, 0.0);
    right = std::min(right, static_cast<double>(sourceExtent));
    const double k = (right - left) / ssize;
    if (d3d && backwards) std::swap(left, right);
    spos = TruncToInt(left);
    ssize = TruncToInt(right - left);
    size = TruncToInt(size * k);
    if (d3d) {
        if (backwards) size = -size;
        return true;
    }
    if (pos < 0) {
        if (static_cast<long long>(pos) + size < 0 || size == 0) {
            size = 0;
            return false;
        }
        const int start = TruncToInt(spos + static_cast<double>(-pos) / size * ssize);
        ssize -= start - spos;
        spos = start;
        size += pos;
        pos = 0;
    }
    if (static_cast<long long>(pos) + size > targetExtent) {
        if (pos >= targetExtent || size == 0) {
            size = 0;
            return false;
        }
        ssize = TruncToInt(static_cast<double>(targetExtent - pos) / size * ssize);
        size = targetExtent - pos;
    }
    return true;
}

// A whole mirror cell is read backwards from its far edge; a narrower span is
// moved to the mirrored place inside its cell and read backwards.
void MirrorAxis(int& spos, int& ssize, int cell)
{
    if (!cell) return;
    if (ssize == cell) {
        spos += cell;
        ssize = -cell;
    } else if (ssize < cell) {
        spos = spos + cell - 2 * (spos % cell);
        ssize = -ssize;
    }
}

bool HasDDSurface(const DDSURFACEDATA* record)
{
    return record && record->lpDD && record->lpDD->lpSurface;
}

// Mode 1 keys the source only when it has a colour key: a surface without one
// has no transparent pixels, and a keyed Blt from it would draw nothing.
bool KeysSource(const DDSURFACEDATA* source, int mode)
{
    DDCOLORKEY key;
    return mode == 1 && SUCCEEDED(source->lpDD->lpSurface->GetColorKey(DDCKEY_SRCBLT, &key));
}

// The source offset of target offset i in a scaled copy: trunc(i x k), which
// must stay within the source span; a backwards span starts one pixel before
// its start position. False when the offset falls outside the span.
bool ScaledOffset(int i, float k, int ssize, int* offset)
{
    const float product = i * k;  // single precision
    int u = TruncToInt(product);
    if (ssize > 0) {
        if (u < 0 || u > ssize - 1) return false;
    } else {
        if (u < ssize + 1 || u > 0) return false;
        --u;
    }
    *offset = u;
    return true;
}

// DDCopyPixels for pixels of one width.
template <class T>
void CopyPixelsOf(const PIXELVIEW& dst, const PIXELVIEW& src, int x, int y, int width, int height,
                  int sx, int sy, int sw, int sh, int mode, DWORD transmit)
{
    const PIXELLAYOUT& dl = dst.Layout;
    const PIXELLAYOUT& sl = src.Layout;
    const bool scaled = width != sw || height != sh;
    const float kx = scaled ? static_cast<float>(sw) / width : 1.0f;
    const float ky = scaled ? static_cast<float>(sh) / height : 1.0f;
    const bool repack = dl.nKind != sl.nKind;
    // Only the target rows and columns inside the target are walked; the
    // others would be skipped pixel by pixel anyway.
    auto span = [](int pos, int size, int extent, int* first, int* end) {
        *first = static_cast<int>(
            std::clamp<long long>(-static_cast<long long>(pos), 0, std::max(size, 0)));
        *end = static_cast<int>(std::min<long long>(size, static_cast<long long>(extent) - pos));
    };
    int firstColumn, endColumn, firstRow, endRow;
    span(x, width, dst.nWidth, &firstColumn, &endColumn);
    span(y, height, dst.nHeight, &firstRow, &endRow);
    for (int j = firstRow; j < endRow; ++j) {
        int v = j;
        if (scaled && !ScaledOffset(j, ky, sh, &v)) continue;
        const long long py = static_cast<long long>(sy) + v;
        if (py < 0 || py >= src.nHeight) continue;
        const T* in = src.Row<T>(static_cast<int>(py));
        T* out = dst.Row<T>(y + j);
        for (int i = firstColumn; i < endColumn; ++i) {
            int u = i;
            if (scaled && !ScaledOffset(i, kx, sw, &u)) continue;
            const long long px = static_cast<long long>(sx) + u;
            if (px < 0 || px >= src.nWidth) continue;
            const DWORD pixel = in[px];
            if (mode == 1 && IsTransparentPixel(sl, pixel, transmit)) continue;
            out[x + i] = static_cast<T>(repack ? ConvertPixel(dl, sl, pixel, out[x + i]) : pixel);
        }
    }
}

void CopyThroughLocks(DDSURFACEDATA* target, int x, int y, int width, int height,
                      DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    if (width <= 0 || height <= 0 || sw == 0 || sh == 0) return;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return;
    DDCopyPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, sx, sy, sw, sh,
                 mode, Display.dwTransmit);
}

void BltStretchD3D(DDSURFACEDATA* target, int x, int y, int width, int height,
                   DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    if (!target || !source) return;
    DDGetShareSD(&target);
    DDGetShareSD(&source);
    if (Display.lpDTCon->bCopyVirBackBuffer) {
        target = &Display.BackBuffer;
        source = &Display.VirBackBuffer;
    } else {
        DDRedirectBackBuffer(&target);
        DDRedirectBackBuffer(&source);
    }
    if (!target->lpDT || !source->lpDT) return;
    if (target->lpDT->bRenderTarget && source->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM) {
        if (!DDClipRect(target, x, y, width, height, source, sx, sy, sw, sh)) return;
        if (Batches.SpriteBatch.bBatching)
            DDCollectSprite(target, x, y, width, height, source, sx, sy, sw, sh, mode);
        else
            DTDrawQuad(target, x, y, width, height, source, sx, sy, sw, sh, mode);
        return;
    }
    CopyThroughLocks(target, x, y, width, height, source, sx, sy, sw, sh, mode);
}

}  // namespace

void DDCopyPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int sx, int sy, int sw, int sh, int mode, DWORD transmit)
{
    if (width <= 0 || height <= 0 || sw == 0 || sh == 0) return;
    if (target.Layout.nBytes != source.Layout.nBytes) return;
    if (target.Layout.nBytes == 2)
        CopyPixelsOf<WORD>(target, source, x, y, width, height, sx, sy, sw, sh, mode, transmit);
    else if (target.Layout.nBytes == 4)
        CopyPixelsOf<DWORD>(target, source, x, y, width, height, sx, sy, sw, sh, mode, transmit);
}

int DDClipRect(DDSURFACEDATA* target, int& x, int& y, int& width, int& height,
               DDSURFACEDATA* source, int& sx, int& sy, int& sw, int& sh)
{
    if (!target || !source) return 0;
    if (width <= 0 || height <= 0 || sw == 0 || sh == 0) return 0;
    const bool d3d = Display.lpDTCon != nullptr;
    const bool backX = sw < 0, backY = sh < 0;
    // Only the Direct3D quad can read a rectangle backwards.
    if (!d3d && (backX || backY)) return 0;
    if (sw == width && sh == height) {
        ClipUnscaledAxis(x, width, sx, sw, source->nWidth, target->nWidth);
        ClipUnscaledAxis(y, height, sy, sh, source->nHeight, target->nHeight);
    } else if (!ClipScaledAxis(d3d, x, width, sx, sw, source->nWidth, target->nWidth) ||
               !ClipScaledAxis(d3d, y, height, sy, sh, source->nHeight, target->nHeight)) {
        return 0;
    }
    const bool columnsLeft = backX ? sw < 0 : sw > 0;
    const bool rowsLeft = backY ? sh < 0 : sh > 0;
    return columnsLeft && rowsLeft && width > 0 && height > 0;
}

void DDApplyMirror(DDSURFACEDATA* source, int& sx, int& sy, int& sw, int& sh)
{
    if (!Display.lpDTCon || !source || !source->lpShareSD) return;
    MirrorAxis(sx, sw, source->nMirrorWidth);
    MirrorAxis(sy, sh, source->nMirrorHeight);
}

void DDBlt(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
           int sx, int sy, int mode)
{
    if (Display.lpDTCon) {
        DDBltStretch(target, x, y, width, height, source, sx, sy, width, height, mode);
        return;
    }
    if (!Display.lpDDCon || !HasDDSurface(target) || !HasDDSurface(source)) return;
    int sw = width, sh = height;
    if (!DDClipRect(target, x, y, width, height, source, sx, sy, sw, sh)) return;
    RECT rect = {sx, sy, sx + sw, sy + sh};
    DWORD flags = DDBLTFAST_WAIT;
    if (KeysSource(source, mode)) flags |= DDBLTFAST_SRCCOLORKEY;
    target->lpDD->lpSurface->BltFast(x, y, source->lpDD->lpSurface, &rect, flags);
}

void DDBltStretch(DDSURFACEDATA* target, int x, int y, int width, int height,
                  DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    DDApplyMirror(source, sx, sy, sw, sh);
    if (Display.lpDTCon) {
        BltStretchD3D(target, x, y, width, height, source, sx, sy, sw, sh, mode);
        return;
    }
    if (!Display.lpDDCon || !HasDDSurface(target) || !HasDDSurface(source)) return;
    if (!DDClipRect(target, x, y, width, height, source, sx, sy, sw, sh)) return;
    RECT to = {x, y, x + width, y + height};
    RECT from = {sx, sy, sx + sw, sy + sh};
    DWORD flags = DDBLT_WAIT;
    if (KeysSource(source, mode)) flags |= DDBLT_KEYSRC;
    target->lpDD->lpSurface->Blt(&to, source->lpDD->lpSurface, &from, flags, nullptr);
}

void DDBltBlend(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int sx, int sy, int mode, BLENDPAIR blend)
{
    if (Display.lpDTCon)
        DDBltStretchBlend(target, x, y, width, height, source, sx, sy, width, height, mode, blend);
    else
        DDBlt(target, x, y, width, height, source, sx, sy, mode);
}

void DDBltStretchBlend(DDSURFACEDATA* target, int x, int y, int width, int height,
                       DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode,
                       BLENDPAIR blend)
{
    if (!Display.lpDTCon) {
        DDBltStretch(target, x, y, width, height, source, sx, sy, sw, sh, mode);
        return;
    }
    DDSetVertexColor(blend.dwVertexColor);
    DDSetColorOp(blend.nColorOp);
    DDBltStretch(target, x, y, width, height, source, sx, sy, sw, sh, mode);
    DDResetVertexColor();
    DDResetColorOp();
}
