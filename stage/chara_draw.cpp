// A character's pixels: its chip through the drawing of its character
// effect (one handler per kind), its mark, and its HP and SP gauges.
#include <algorithm>
#include <cmath>

#include "app/checked.h"
#include "app/palette_animation.h"
#include "files/database.h"
#include "files/system_data.h"
#include "gfx/alpha_blit.h"
#include "gfx/blend_table.h"
#include "gfx/blit.h"
#include "gfx/blit_effects.h"
#include "gfx/blur_mosaic.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/render_state.h"
#include "gfx/shaped_blit.h"
#include "gfx/surface_tables.h"
#include "stage/chara.h"
#include "stage/chara_effects.h"
#include "stage/chip_source.h"

namespace {

// What one handler draws with: the chip (or the work surface it was
// stretched into), where it goes, and the run.
struct CHARAFXDRAW {
    DDSURFACEDATA* target;
    cChara* chara;
    CHIPSRC* src;
    DDSURFACEDATA* from;      // the picture the effect is drawn from
    int fx, fy;
    int x, y, w, h;
    int scaled;
    int size;                 // the size factor
    double v;                 // the run's value
    const int* p;             // the entry's parameters
    const cEffectRun* run;
    int coloured;
    BLENDPAIR colour;
};

double Scale(const CHARAFXDRAW& d, double value) { return d.scaled ? value * d.size : value; }

void DrawPlain(const CHARAFXDRAW& d)
{
    const CHIPSRC& s = *d.src;
    if (d.scaled) {
        const int sw = s.nCellFactor * d.chara->m_nBaseDrawW, sh = s.nCellFactor * d.chara->m_nBaseDrawH;
        if (d.coloured) DDBltStretchBlend(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, sw, sh, 1, d.colour);
        else DDBltStretch(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, sw, sh, 1);
    } else if (d.coloured) {
        DDBltBlend(d.target, d.x, d.y, d.w, d.h, s.lpCandidates[0], s.nSrcX, s.nSrcY, 1, d.colour);
    } else {
        DDBlt(d.target, d.x, d.y, d.w, d.h, s.lpCandidates[0], s.nSrcX, s.nSrcY, 1);
    }
}

void FxBurst(const CHARAFXDRAW& d)
{
    DDBltQuarter(d.target, d.x, d.y, d.w, d.h, d.from, d.fx, d.fy, static_cast<int>(Scale(d, d.v)), 1);
}

void FxSplit(const CHARAFXDRAW& d, int vertical)
{
    const int parts = std::max(1, d.p[3]);
    const int thickness = (d.h + parts - 1) / parts;
    DDBltStripe(d.target, d.x, d.y, d.w, d.h, std::max(1, thickness), static_cast<int>(Scale(d, d.v)), d.from,
                d.fx, d.fy, 1, vertical);
}

void FxWave(const CHARAFXDRAW& d, int vertical)
{
    DDBltWave(d.target, d.x, d.y, d.w, d.h, std::max(1, d.p[3]), Scale(d, d.v), d.run->m_nWork1,
              std::max(1, static_cast<int>(Scale(d, d.p[4]))), d.from, d.fx, d.fy, 1, vertical);
}

void FxRotate(const CHARAFXDRAW& d)
{
    DDBltRotate(d.target, d.x, d.y, d.w, d.h, d.w / 2, d.h / 2, static_cast<int>(d.v), d.from, d.fx, d.fy, 1);
}

void FxTurnOver(const CHARAFXDRAW& d)
{
    const CHIPSRC& s = *d.src;
    const int sw = s.nCellFactor * d.chara->m_nBaseDrawW, sh = s.nCellFactor * d.chara->m_nBaseDrawH;
    if (!s.lpOther) return;
    DDBltTurnOver(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, s.lpOther, s.nSrcX, s.nSrcY, sw, sh, 1,
                  static_cast<int>(d.v), 0);
}

void FxCircle(const CHARAFXDRAW& d)
{
    const int cx = d.x + d.w / 2, cy = d.y + d.h / 2;
    DDBltCircle(d.target, cx, cy, d.w / 2, d.h / 2, static_cast<int>(Scale(d, d.v)),
                std::max(1, static_cast<int>(Scale(d, d.p[3]))), d.from, d.fx + d.w / 2, d.fy + d.h / 2, 1);
}

void FxZoom(const CHARAFXDRAW& d)
{
    const int e = d.scaled ? static_cast<int>((d.v - 32) * d.size) >> 1 : static_cast<int>(d.v - 32);
    DDBltStretch(d.target, d.x - (e >> 1), d.y - (e >> 1), d.w + e, d.h + e, d.from, d.fx, d.fy, d.w, d.h, 1);
}

void FxLens(const CHARAFXDRAW& d)
{
    const int ox = d.p[3] * d.size, oy = d.p[4] * d.size;
    const int radius = static_cast<int>(1.4142135623730951 * (std::max(std::abs(ox), std::abs(oy)) + (d.w >> 1)));
    DDBltLens(d.target, d.x + d.w / 2 + ox, d.y + d.h / 2 + oy, radius, static_cast<int>(Scale(d, d.v)), d.from,
              d.fx + d.w / 2, d.fy + d.h / 2, 1, 0);
}

void FxTint(const CHARAFXDRAW& d, int colour, int level)
{
    DDBltTint(d.target, d.x, d.y, d.w, d.h, d.from, d.fx, d.fy, 1, ShownPalette, BlendTable,
              static_cast<BYTE>(colour), level);
}

// The handlers by kind; kind 0 (and a kind without a handler) draws plain.
void DrawEffect(int kind, const CHARAFXDRAW& d)
{
    switch (kind) {
    case CHARAFX_BURST: FxBurst(d); break;
    case CHARAFX_SPLIT_H: FxSplit(d, 0); break;
    case CHARAFX_SPLIT_V: FxSplit(d, 1); break;
    case CHARAFX_WAVE_H: FxWave(d, 0); break;
    case CHARAFX_WAVE_V: FxWave(d, 1); break;
    case CHARAFX_BLINK:
        if (d.run->m_nWork2) DrawPlain(d);
        break;
    case CHARAFX_ROTATE_A:
    case CHARAFX_ROTATE_B: FxRotate(d); break;
    case CHARAFX_ROTATE_DEPTH: FxTurnOver(d); break;
    case CHARAFX_CIRCLE: FxCircle(d); break;
    case CHARAFX_ZOOM: FxZoom(d); break;
    case CHARAFX_LENS: FxLens(d); break;
    case CHARAFX_COLOR: FxTint(d, d.p[3], static_cast<int>(d.v)); break;
    case CHARAFX_TRANSLUCENT:
        if (!d.run->m_nWork2) DDBltHalf(d.target, d.x, d.y, d.w, d.h, d.from, d.fx, d.fy, 1, BlendTable);
        break;
    case CHARAFX_MOSAIC:
        DDMosaic(d.target, d.x, d.y, d.w, d.h, std::max(1, static_cast<int>(d.v)), d.from, d.fx, d.fy, 1);
        break;
    case CHARAFX_BLUR:
        if (nBpp == 8) FxTint(d, 31, static_cast<int>(d.v));
        else DDBlur(d.target, d.x, d.y, d.w, d.h, static_cast<int>(d.v), static_cast<int>(d.v), d.from, d.fx, d.fy, 1);
        break;
    default: DrawPlain(d); break;
    }
}

// Kinds drawn from the first copy of the own-facing sheet when unscaled;
// the others take the second.
bool FromFirstCopy(int kind)
{
    return (kind >= CHARAFX_BURST && kind <= CHARAFX_WAVE_V) || kind == CHARAFX_CIRCLE || kind == CHARAFX_LENS;
}

// The chip offset of the character's pose, and its colour pair when it is
// drawn in an animated colour.
int GetDrawChip(const cChara& c, int* coloured, BLENDPAIR* colour)
{
    int offset = c.m_Def.m_sChipOffset;
    *coloured = 0;
    const int set = c.m_Def.m_sAnimeSet;
    const cAnimeSetData* anim =
        set >= 0 && set < static_cast<int>(DataBase.m_AnimeSet.size()) ? &DataBase.m_AnimeSet[static_cast<size_t>(set)] : nullptr;
    if (c.m_Def.m_cFlying && anim) offset += anim->m_nFlyingOffset;
    if (c.m_Def.m_cInvincible) {
        if (anim) offset += anim->m_nInvincibleOffset;
        const int n = c.m_Def.m_cInvincibleColor;
        if (bDirect3D && SystemData.m_bD3DCharaColor && n > 0 && n < 10) {
            *coloured = 1;
            *colour = {CycleColors[n].dwColor, CycleColors[n].nBlendMode};
        }
    }
    return offset;
}

} // namespace

void DrawCharaChip(DDSURFACEDATA* target, cChara& c, int frame)
{
    CHARAFXDRAW d{};
    int coloured = 0;
    BLENDPAIR colour{};
    const int offset = GetDrawChip(c, &coloured, &colour);
    CHIPSRC src;
    src.Set(CHIPUSE_CHARA, c.m_Def.m_cGraphicKind, c.m_nGraphic, offset, &c, frame);
    if (!src.lpOwn || !src.lpCandidates[0]) return;
    const int kind = CharaEffectKind(c.m_CharaEffect);
    d.target = target;
    d.chara = &c;
    d.src = &src;
    d.x = c.m_nScreenLeft;
    d.y = c.m_nScreenTop;
    d.w = c.m_nDrawW;
    d.h = c.m_nDrawH;
    d.size = std::max<int>(1, c.m_Def.m_cSize);
    d.scaled = src.bOwnCellSize ? d.size != src.nCellFactor : d.size > 1;
    d.run = &c.m_CharaEffect;
    d.v = c.m_CharaEffect.m_dValue;
    static const int none[5] = {};
    d.p = kind != CHARAFX_NONE ? CharaEffectEntry(c.m_CharaEffect).m_Param : none;
    d.coloured = coloured;
    d.colour = colour;
    const bool plain = kind == CHARAFX_NONE || kind == CHARAFX_BLINK || kind == CHARAFX_ROTATE_DEPTH;
    if (d.scaled && !plain) {
        // The chip is first stretched into a work surface at the draw size.
        DDSURFACEDATA* work = &Surface[kind >= CHARAFX_ROTATE_A && kind != CHARAFX_CIRCLE && kind != CHARAFX_ZOOM
                                           ? nEffectWorkSurface
                                           : nStretchWorkSurface];
        DDFillRectPal(work, 0, 0, d.w, d.h, 0);
        const int sw = src.nCellFactor * c.m_nBaseDrawW, sh = src.nCellFactor * c.m_nBaseDrawH;
        if (coloured) DDBltStretchBlend(work, 0, 0, d.w, d.h, src.lpOwn, src.nSrcX, src.nSrcY, sw, sh, 0, colour);
        else DDBltStretch(work, 0, 0, d.w, d.h, src.lpOwn, src.nSrcX, src.nSrcY, sw, sh, 0);
        d.from = work;
        d.fx = d.fy = 0;
        DrawEffect(kind, d);
    } else {
        d.from = FromFirstCopy(kind) ? src.lpCandidates[0] : (src.lpCandidates[2] ? src.lpCandidates[2] : src.lpOwn);
        d.fx = src.nSrcX;
        d.fy = src.nSrcY;
        const bool pair = coloured && !plain;
        if (pair) {
            DDSetVertexColor(colour.dwVertexColor);
            DDSetColorOp(colour.nColorOp);
        }
        DrawEffect(kind, d);
        if (pair) {
            DDResetVertexColor();
            DDResetColorOp();
        }
    }
    if (c.m_Def.m_bMark != 1) return;
    const int mx = c.m_Def.m_sMark / 15 * 32, my = c.m_Def.m_sMark % 15 * 32;
    if (d.size <= 1) DDBlt(target, d.x, d.y, 32, 32, &Surface[43], mx, my, 1);
    else DDBltStretch(target, d.x, d.y, d.w, d.h, &Surface[nMarkSheetSurface], mx, my, 32, 32, 1);
}

void DrawCharaGauge(DDSURFACEDATA* target, cChara& c, int sp)
{
    const GAUGEANIM& g = sp ? c.m_SpGauge : c.m_HpGauge;
    if (g.nFrames <= 0 || c.m_bDead) return;
    DDSURFACEDATA* sheet = &Surface[49];
    const bool tall = sheet->nHeight > 208;
    const int r0 = tall ? 208 : 128, t = tall ? 2 : 16, column = sp ? 64 : 0;
    const int x = c.m_nScreenLeft + (c.m_nDrawW >> 1) - 25, y = c.m_nScreenTop - (sp ? 7 : 3);
    DDBlt(target, x, y, GAUGE_LENGTH, 2, sheet, column, r0, 1);
    const int value = sp ? c.m_nSp : c.m_nHp;
    const int max = sp ? c.m_Def.m_nMaxSp : c.m_Def.m_nMaxHp;
    const bool low = IsGaugeLow(sp ? 3 : 2, value, max);
    if (g.nBar > 0) DDBlt(target, x, y, g.nBar, 2, sheet, column, r0 + (low ? 2 * t : t), 1);
    if (g.dLength >= 0) {
        const int m = static_cast<int>(g.dLength);
        if (m > 0) DDBlt(target, x + g.nBar - m, y, m, 2, sheet, column, r0 + 4 * t, 1);
    } else {
        const int m = static_cast<int>(-g.dLength);
        if (m > 0) DDBlt(target, x + g.nBar, y, m, 2, sheet, column, r0 + 3 * t, 1);
    }
}
