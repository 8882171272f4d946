#include "gfx/shaped_blit.h"

#include <algorithm>
#include <cmath>

#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/surface_lock.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943278;

// trunc(sqrt(n)) of a whole number; what lies outside the disc counts as 0.
int HalfChord(int n)
{
    return n > 0 ? static_cast<int>(std::sqrt(static_cast<double>(n))) : 0;
}

// One band of the circle: the chord of half width w clipped to the source
// columns [left, right).
void CircleBand(DDSURFACEDATA* target, int tcx, int ty, DDSURFACEDATA* source, int scx, int sy,
                int w, int rows, int left, int right, int mode)
{
    int sx = scx - w, tx = tcx - w, width = 2 * w;
    if (sx < left) {
        const int cut = left - sx;
        width -= cut;
        sx += cut;
        tx += cut;
    }
    if (sx + width >= right) width = right - sx;
    // Under Direct3D a blit is a stretch of equal sizes, collected by the batch.
    DDBlt(target, tx, ty, width, rows, source, sx, sy, mode);
}

bool SameWidth(const PIXELVIEW& target, const PIXELVIEW& source)
{
    return target.lpPixels && source.lpPixels && target.Layout.nBytes == source.Layout.nBytes &&
           target.Layout.nKind != PIXEL_NONE;
}

// The quad of the rotation; false when the quad path does not apply.
bool RotateQuad(DDSURFACEDATA* target, int x, int y, int width, int height, int pivotX,
                int pivotY, int angle, DDSURFACEDATA* source, int sx, int sy, int sw, int sh)
{
    const float a = static_cast<float>(angle * kRadiansPerDegree);
    const float s = std::sin(a), c = std::cos(a);
    QUADVERTEX v[4];
    DTSetQuad(v, 0, 0, width, height, source, sx, sy, sw, sh, Display.lpDTCon->dwVertexColor);
    // Left-top, left-bottom, right-top, right-bottom, as the strip takes them.
    const int corners[4][2] = {{-pivotX, -pivotY},
                               {-pivotX, height - pivotY},
                               {width - pivotX, -pivotY},
                               {width - pivotX, height - pivotY}};
    const float ox = static_cast<float>(pivotX - (width >> 1) + x) - 0.5f;
    const float oy = static_cast<float>(pivotY - (height >> 1) + y) - 0.5f;
    for (int k = 0; k < 4; ++k) {
        const float dx = static_cast<float>(corners[k][0]), dy = static_cast<float>(corners[k][1]);
        v[k].x = dx * c - dy * s + ox;
        v[k].y = dx * s + dy * c + oy;
    }
    // A quad that cannot be drawn leaves the picture as it was; that is no failure.
    if (DTBeginQuad(target, source, v)) DTFinishQuad(source, Display.lpDTCon->nColorOp, Display.lpDTCon->nAlphaOp);
    return true;
}

}  // namespace

int DDBltCircle(DDSURFACEDATA* target, int tcx, int tcy, int halfWidth, int halfHeight,
                int radius, int bandHeight, DDSURFACEDATA* source, int scx, int scy, int mode)
{
    const int r = radius, b = bandHeight;
    if (r <= 0 || b <= 0) return 0;
    DDGetShareSD(&target);
    DDGetShareSD(&source);
    const int left = std::max(0, scx - halfWidth);
    const int right = std::min(scx + halfWidth, source ? source->nWidth : 0);
    DDBeginSpriteBatch(0);
    if (b == 1) {
        for (int i = r - 1; i >= -r; --i) {
            if (i >= halfHeight) continue;
            if (i < -halfHeight) break;
            const int w = std::min(HalfChord(r * r - i * i), r - 1);
            CircleBand(target, tcx, tcy + i, source, scx, scy + i, w, 1, left, right, mode);
        }
    } else {
        for (int h = r - b; h >= -r; h -= b) {
            if (h >= halfHeight) continue;
            if (h + b <= -halfHeight) break;
            if (h + b > halfHeight)
                h = halfHeight - b;
            else if (h < -halfHeight)
                h = -halfHeight;
            const int middle = h + (b >> 1);
            const int w = std::min(HalfChord(r * r - middle * middle), r - 1);
            CircleBand(target, tcx, tcy + h, source, scx, scy + h, w, b, left, right, mode);
        }
    }
    return DDEndSpriteBatch();
}

void LensPixels(const PIXELVIEW& target, const PIXELVIEW& source, int tcx, int tcy, int radius,
                int depth, int scx, int scy, int mode, int clear, DWORD transmit)
{
    if (!SameWidth(target, source)) return;
    const PIXELLAYOUT& tl = target.Layout;
    const PIXELLAYOUT& sl = source.Layout;
    const int r = radius, d = depth;
    const int R = static_cast<int>(std::sqrt(static_cast<double>(r) * r + static_cast<double>(d) * d));
    const bool alphaKeyed = tl.nKind == PIXEL_D3D32;
    const bool clearing = alphaKeyed && clear;
    // Direct3D 16-bit keys by the mode; DirectDraw always keys out its transparent colour.
    const bool keyed = tl.nKind == PIXEL_D3D1555 || tl.nKind == PIXEL_D3D565 ? mode == 1 : true;
    for (int j = -r; j <= r; ++j) {
        const int ty = tcy + j;
        if (ty < 0 || ty >= target.nHeight) continue;
        for (int i = -r; i <= r; ++i) {
            const int tx = tcx + i;
            if (tx < 0 || tx >= target.nWidth) continue;
            const int n = i * i + j * j;
            if (n > r * r) {
                if (clearing) target.Write(tx, ty, 0);
                continue;
            }
            const double z = std::sqrt(static_cast<double>(R) * R - n);
            int col = i, row = j;
            if (z != 0) {
                col = static_cast<int>(i * d / z + 0.5);
                row = static_cast<int>(j * d / z + 0.5);
            }
            const int px = scx + col, py = scy + row;
            if (!source.Inside(px, py)) {
                if (clearing) target.Write(tx, ty, 0);
                continue;
            }
            const DWORD pixel = source.Read(px, py);
            if (keyed && IsTransparentPixel(sl, pixel, transmit)) {
                if (clearing) target.Write(tx, ty, 0);
                continue;
            }
            target.Write(tx, ty, ConvertPixel(tl, sl, pixel, target.Read(tx, ty)));
        }
    }
}

bool DDBltLens(DDSURFACEDATA* target, int tcx, int tcy, int radius, int depth,
               DDSURFACEDATA* source, int scx, int scy, int mode, int clear)
{
    if (depth < 0 || radius < 0) return false;
    const int sphere = static_cast<int>(
        std::sqrt(static_cast<double>(radius) * radius + static_cast<double>(depth) * depth));
    if (sphere <= depth) return false;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    LensPixels(locks.Target().View(), locks.Source().View(), tcx, tcy, radius, depth, scx, scy, mode,
               clear, Display.dwTransmit);
    return true;
}

void RotatePixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                  int height, int pivotX, int pivotY, int angle, int sx, int sy, int mode,
                  DWORD transmit)
{
    if (!SameWidth(target, source)) return;
    const PIXELLAYOUT& tl = target.Layout;
    const PIXELLAYOUT& sl = source.Layout;
    const double a = angle * kRadiansPerDegree;
    const int sf = static_cast<int>(std::sin(a) * 1024), cf = static_cast<int>(std::cos(a) * 1024);
    // The scan box: the turned corners' bounding box widened by 2 on every side.
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    const int corners[4][2] = {{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}};
    for (int k = 0; k < 4; ++k) {
        const int dx = corners[k][0] - pivotX, dy = corners[k][1] - pivotY;
        const int cx = pivotX + ((cf * dx - sf * dy) >> 10);
        const int cy = pivotY + ((sf * dx + cf * dy) >> 10);
        if (k == 0 || cx < minX) minX = cx;
        if (k == 0 || cx > maxX) maxX = cx;
        if (k == 0 || cy < minY) minY = cy;
        if (k == 0 || cy > maxY) maxY = cy;
    }
    const int ci = static_cast<int>(std::cos(-a) * 1024), si = static_cast<int>(std::sin(-a) * 1024);
    for (int v = minY - 2; v < maxY + 2; ++v) {
        const int ty = y + v - pivotY;
        if (ty < 0 || ty >= target.nHeight) continue;
        const int dy = v - pivotY;
        int dx = minX - 2 - pivotX;
        // Running sums: each column adds ci and si.
        int colSum = ci * dx - si * dy, rowSum = si * dx + ci * dy;
        for (int u = minX - 2; u < maxX + 2; ++u, colSum += ci, rowSum += si) {
            const int tx = x + u - pivotX;
            if (tx < 0 || tx >= target.nWidth) continue;
            const int col = pivotX + (colSum >> 10), row = pivotY + (rowSum >> 10);
            if (col < 0 || col >= width || row < 0 || row >= height) continue;
            // A rectangle reaching past either edge of the source reads nothing there.
            if (!source.Inside(sx + col, sy + row)) continue;
            const DWORD pixel = source.Read(sx + col, sy + row);
            if (mode == 1 && IsTransparentPixel(sl, pixel, transmit)) continue;
            target.Write(tx, ty, ConvertPixel(tl, sl, pixel, target.Read(tx, ty)));
        }
    }
}

bool DDBltRotate(DDSURFACEDATA* target, int x, int y, int width, int height, int pivotX,
                 int pivotY, int angle, DDSURFACEDATA* source, int sx, int sy, int mode)
{
    if (Display.lpDTCon) {
        int sw = width, sh = height;
        DDApplyMirror(source, sx, sy, sw, sh);
        if (!target || !source) return true;
        target = DDResolveLockSurface(target);
        source = DDResolveLockSurface(source);
        // A record without a texture goes on to the locks, which refuse it.
        if (target->lpDT && source->lpDT && target->lpDT->bRenderTarget &&
            source->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM)
            return RotateQuad(target, x, y, width, height, pivotX, pivotY, angle, source, sx, sy,
                              sw, sh);
    }
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    RotatePixels(locks.Target().View(), locks.Source().View(), x, y, width, height, pivotX, pivotY,
                 angle, sx, sy, mode, Display.dwTransmit);
    return true;
}
