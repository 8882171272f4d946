#include "gfx/alpha_blit.h"

#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/scene.h"
#include "gfx/surface_lock.h"

namespace {

// Calls mix(source pixel, target pixel) for every pixel of the rectangle whose
// target and source positions both lie inside their pictures, and stores what
// it returns; in mode 1 the source pixels that skip() names are left out.
template <class T, class Skip, class Mix>
void MixRect(const PIXELVIEW& dst, const PIXELVIEW& src, int x, int y, int width, int height,
             int sx, int sy, int mode, Skip skip, Mix mix)
{
    for (int r = 0; r < height; ++r) {
        const int ty = y + r, cy = sy + r;
        if (ty < 0 || ty >= dst.nHeight || cy < 0 || cy >= src.nHeight) continue;
        T* out = dst.Row<T>(ty);
        const T* in = src.Row<T>(cy);
        for (int c = 0; c < width; ++c) {
            const int tx = x + c, cx = sx + c;
            if (tx < 0 || tx >= dst.nWidth || cx < 0 || cx >= src.nWidth) continue;
            const DWORD s = in[cx];
            if (mode == 1 && skip(s)) continue;
            out[tx] = static_cast<T>(mix(s, static_cast<DWORD>(out[tx])));
        }
    }
}

template <class Skip, class Mix>
void MixPixels(const PIXELVIEW& dst, const PIXELVIEW& src, int x, int y, int width, int height,
               int sx, int sy, int mode, Skip skip, Mix mix)
{
    if (!dst.lpPixels || !src.lpPixels || dst.Layout.nBytes != src.Layout.nBytes) return;
    switch (dst.Layout.nBytes) {
    case 1: MixRect<BYTE>(dst, src, x, y, width, height, sx, sy, mode, skip, mix); break;
    case 2: MixRect<WORD>(dst, src, x, y, width, height, sx, sy, mode, skip, mix); break;
    case 4: MixRect<DWORD>(dst, src, x, y, width, height, sx, sy, mode, skip, mix); break;
    default: break;
    }
}

bool IsDirect3DLayout(int kind)
{
    return kind == PIXEL_D3D32 || kind == PIXEL_D3D1555 || kind == PIXEL_D3D565;
}

PIXELRGB Half(PIXELRGB a, PIXELRGB b)
{
    return {(a.r + b.r) >> 1, (a.g + b.g) >> 1, (a.b + b.b) >> 1};
}

DWORD AlphaPixel(const PIXELLAYOUT& tl, const PIXELLAYOUT& sl, DWORD s, DWORD t, DWORD transmit,
                 const BYTE* table)
{
    switch (tl.nKind) {
    case PIXEL_INDEX8:
        // Index 0 holds nothing to mix with.
        if ((t & 0xFF) == 0) return s;
        return table ? table[(t & 0xFF) * 256 + (s & 0xFF)] : t;
    case PIXEL_DD16:
        // The transparent colour is not a colour: the source replaces it.
        if ((t & 0xFFFF) == (transmit & 0xFFFF)) return s;
        return PackChannels(
            ChannelsFrom255(Half(ChannelsTo255(SplitChannels(s, sl.Format), sl.Format),
                                 ChannelsTo255(SplitChannels(t, tl.Format), tl.Format)),
                            tl.Format),
            tl.Format);
    case PIXEL_DD32:
        if (t == transmit) return (t & 0xFF000000) | (s & 0x00FFFFFF);
        return PackOpaque(tl, Half(SplitChannels(s, sl.Format), SplitChannels(t, tl.Format)), t);
    case PIXEL_D3D32:
    case PIXEL_D3D1555:
    case PIXEL_D3D565:
        // A texture's 5-bit green going into the full-screen back buffer's
        // 6-bit field counts double.
        return PackOpaque(tl,
                          Half(ConvertChannels(SplitChannels(s, sl.Format), sl.Format, tl.Format),
                               SplitChannels(t, tl.Format)),
                          t);
    default: return t;
    }
}

// The Direct3D software tint: the source keeps factor / 255 of itself, the
// tint colour (scaled into the source's channel widths) the rest.
struct D3DTINT {
    const PIXELLAYOUT& tl;
    const PIXELLAYOUT& sl;
    int level;
    float f;
    PIXELRGB c;       // the tint colour in the source's widths
    float cg[3];      // c x (1 - f), once per call

    D3DTINT(const PIXELLAYOUT& target, const PIXELLAYOUT& source, PALETTEENTRY tint, int lvl)
        : tl(target), sl(source), level(lvl)
    {
        int factor = 0;
        switch (level) {
        case 1: factor = 128; break;
        case 2: factor = 64; break;
        case 3: factor = 32; break;
        case 4: factor = 16; break;
        default: break;
        }
        f = factor * (1.0f / 255.0f);
        const float g = 1.0f - f;
        const COLORSHIFTS& m = source.Format;
        c = ChannelsFrom255({tint.peRed, tint.peGreen, tint.peBlue}, m);
        cg[0] = c.r * g, cg[1] = c.g * g, cg[2] = c.b * g;
    }
    int Channel(int s, int ci, float cGone) const
    {
        return level == 1 ? (s + ci) >> 1 : static_cast<int>(s * f + cGone);
    }
    DWORD operator()(DWORD s, DWORD t) const
    {
        const PIXELRGB v = SplitChannels(s, sl.Format);
        PIXELRGB out = {Channel(v.r, c.r, cg[0]), Channel(v.g, c.g, cg[1]), Channel(v.b, c.b, cg[2])};
        if (tl.nKind == PIXEL_D3D565 && sl.nKind == PIXEL_D3D1555) {
            // The texture's 5-bit green widened to the back buffer's 6 bits.
            out.g = level == 1 ? v.g + c.g : 2 * static_cast<int>(v.g * f + cg[1]);
            return PackOpaque(tl, out, t);
        }
        return PackOpaque(tl, ConvertChannels(out, sl.Format, tl.Format), t);
    }
};

// The DirectDraw tint: level halvings toward the colour.
int HalveToward(int v, int c, int times)
{
    for (int n = 0; n < times; ++n) {
        const int next = (v + c) >> 1;
        if (next == v) break;  // nothing changes any more
        v = next;
    }
    return v;
}

DWORD DDTintPixel(const PIXELLAYOUT& tl, const PIXELLAYOUT& sl, DWORD s, DWORD t,
                  const BYTE* blendTable, PALETTEENTRY tint, BYTE colourIndex, int level)
{
    switch (tl.nKind) {
    case PIXEL_INDEX8: {
        DWORD v = s & 0xFF;
        for (int n = 0; n < level && blendTable; ++n) {
            const DWORD next = blendTable[v * 256 + colourIndex];
            if (next == v) break;
            v = next;
        }
        return v;
    }
    case PIXEL_DD16: {
        const COLORSHIFTS& f = tl.Format;
        const PIXELRGB v = ChannelsTo255(SplitChannels(s, sl.Format), sl.Format);
        const PIXELRGB c = ChannelsTo255({tint.peRed, tint.peGreen, tint.peBlue}, f);
        return PackChannels(ChannelsFrom255({HalveToward(v.r, c.r, level),
                                             HalveToward(v.g, c.g, level),
                                             HalveToward(v.b, c.b, level)},
                                            f),
                            f);
    }
    case PIXEL_DD32: {
        const PIXELRGB v = SplitChannels(s, sl.Format);
        return PackOpaque(tl,
                          {HalveToward(v.r, tint.peRed, level), HalveToward(v.g, tint.peGreen, level),
                           HalveToward(v.b, tint.peBlue, level)},
                          t);
    }
    default: return t;
    }
}

// What the Direct3D blits work on after the source's mirror step and the
// resolution of duplicates and the virtual back buffer. quad: the pair gets
// a textured quad; sw, sh: the mirrored copies of the size for it.
struct D3DMIXPAIR {
    DDSURFACEDATA* target;
    DDSURFACEDATA* source;
    int sx, sy, sw, sh;
    bool quad;
};

bool PrepareD3DPair(DDSURFACEDATA* target, DDSURFACEDATA* source, int sx, int sy, int width,
                    int height, D3DMIXPAIR* pair)
{
    if (!target || !source) return false;
    int sw = width, sh = height;
    DDApplyMirror(source, sx, sy, sw, sh);
    DDGetShareSD(&target);
    DDGetShareSD(&source);
    DDRedirectBackBuffer(&target);
    DDRedirectBackBuffer(&source);
    if (!target->lpDT || !source->lpDT) return false;
    *pair = {target, source, sx, sy, sw, sh,
             target->lpDT->bRenderTarget && source->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM};
    return true;
}

// The quad's vertices in the source's vertex buffer and the target as render
// target; false when nothing can be drawn (the target is then left as it was).
bool BeginMixQuad(int x, int y, int width, int height, const D3DMIXPAIR& p, DWORD diffuse)
{
    if (!Display.lpDevice || !p.source->lpDT->lpTexture) return false;
    QUADVERTEX v[4];
    DTSetQuad(v, x, y, width, height, p.source, p.sx, p.sy, p.sw, p.sh, diffuse);
    return DTBeginQuad(p.target, p.source, v);
}

int QuadTintFactor(int level)
{
    switch (level) {
    case 1: return 128;
    case 2: return 80;
    case 3: return 48;
    case 4: return 16;
    default: return 0;
    }
}

}  // namespace

void AlphaPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                 int height, int sx, int sy, int mode, DWORD transmit, const BYTE* table)
{
    const PIXELLAYOUT& tl = target.Layout;
    const PIXELLAYOUT& sl = source.Layout;
    if (tl.nKind == PIXEL_NONE || sl.nKind == PIXEL_NONE) return;
    // At 8 bits index 0 is the transparent source pixel.
    const DWORD skipKey = tl.nKind == PIXEL_INDEX8 ? 0 : transmit;
    MixPixels(
        target, source, x, y, width, height, sx, sy, mode,
        [&](DWORD s) { return IsTransparentPixel(sl, s, skipKey); },
        [&](DWORD s, DWORD t) { return AlphaPixel(tl, sl, s, t, transmit, table); });
}

void TintPixels(const PIXELVIEW& target, const PIXELVIEW& source, int x, int y, int width,
                int height, int sx, int sy, int mode, DWORD transmit, const BYTE* blendTable,
                PALETTEENTRY tint, BYTE colourIndex, int level)
{
    const PIXELLAYOUT& tl = target.Layout;
    const PIXELLAYOUT& sl = source.Layout;
    if (tl.nKind == PIXEL_NONE || sl.nKind == PIXEL_NONE || level == 0) return;
    auto skip = [&](DWORD s) { return IsTransparentPixel(sl, s, transmit); };
    if (IsDirect3DLayout(tl.nKind)) {
        if (level < 0) return;
        MixPixels(target, source, x, y, width, height, sx, sy, mode, skip, D3DTINT(tl, sl, tint, level));
        return;
    }
    MixPixels(target, source, x, y, width, height, sx, sy, mode, skip, [&](DWORD s, DWORD t) {
        return DDTintPixel(tl, sl, s, t, blendTable, tint, colourIndex, level);
    });
}

bool DDBltAlpha(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
                int sx, int sy, int mode, const BYTE* table, int level)
{
    if (Display.lpDTCon) {
        D3DMIXPAIR p;
        if (!PrepareD3DPair(target, source, sx, sy, width, height, &p)) return true;
        if (p.quad) {
            // The alpha byte is the low byte of 255 - level.
            const DWORD diffuse = ~(static_cast<DWORD>(level) << 24);
            if (BeginMixQuad(x, y, width, height, p, diffuse)) {
                DTFinishQuad(p.source, D3DTOP_MODULATE, D3DTOP_MODULATE);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
            }
            return true;
        }
        cSurfaceLockPair locks(p.target, p.source);
        if (locks.Locked())
            AlphaPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, p.sx, p.sy,
                        mode, Display.dwTransmit, table);
        return true;
    }
    if (!target || !source) return false;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    AlphaPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, sx, sy, mode,
                Display.dwTransmit, table);
    return true;
}

bool DDBltHalf(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
               int sx, int sy, int mode, const BYTE* table)
{
    return DDBltAlpha(target, x, y, width, height, source, sx, sy, mode, table, 128);
}

bool DDBltTint(DDSURFACEDATA* target, int x, int y, int width, int height, DDSURFACEDATA* source,
               int sx, int sy, int mode, const PALETTEENTRY* colours, const BYTE* /*table*/,
               BYTE colourIndex, int level)
{
    const PALETTEENTRY tint = colours ? colours[colourIndex] : PALETTEENTRY{};
    if (Display.lpDTCon) {
        if (level <= 0) return true;
        D3DMIXPAIR p;
        if (!PrepareD3DPair(target, source, sx, sy, width, height, &p)) return true;
        if (p.quad) {
            const DWORD factor = static_cast<DWORD>(QuadTintFactor(level)) << 24 |
                                 tint.peRed << 16 | tint.peGreen << 8 | tint.peBlue;
            if (BeginMixQuad(x, y, width, height, p, 0xFFFFFFFF)) {
                // Colour = texture x factor + tint x (1 - factor), the texture's alpha kept.
                Display.lpDevice->SetRenderState(D3DRS_TEXTUREFACTOR, factor);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_BLENDFACTORALPHA);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
                Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
                DTDrawTexturedQuad(p.source);
            }
            return true;
        }
        cSurfaceLockPair locks(p.target, p.source);
        if (locks.Locked())
            TintPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, p.sx, p.sy,
                       mode, Display.dwTransmit, BlendTable, tint, colourIndex, level);
        return true;
    }
    if (!target || !source) return false;
    if (level == 0) return true;
    cSurfaceLockPair locks(target, source);
    if (!locks.Locked()) return false;
    TintPixels(locks.Target().View(), locks.Source().View(), x, y, width, height, sx, sy, mode,
               Display.dwTransmit, BlendTable, tint, colourIndex, level);
    return true;
}
