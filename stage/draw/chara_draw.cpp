// A character's pixels: its chip through the drawing of its character
// effect (one handler per kind), its mark, and its HP and SP gauges.
#include <algorithm>
#include <cmath>

#include "app/base/checked.h"
#include "app/shell/palette_animation.h"
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
#include "stage/objects/chara.h"
#include "stage/objects/chara_effects.h"
#include "stage/objects/chip_source.h"

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
// Fixed work surfaces: the chip of the effects drawn by the pixel when it
// is coloured, and the rotation's stretched chip under Direct3D.
constexpr int COLOUR_WORK_SURFACE = 68, D3D_ROTATE_WORK_SURFACE = 67;

// What one handler draws with: the chip, where it goes, and the run; and,
// once the handler has chosen, the picture the effect is drawn from (the
// chip in the sheet, or a work surface it was put into).
struct CHARAFXDRAW {
    DDSURFACEDATA* target;
    cChara* chara;
    CHIPSRC* src;
    DDSURFACEDATA* from;
    int fx, fy;
    int x, y, w, h;
    int scaled;
    int size;                 // the size factor
    double v;                 // the run's value
    const int* p;             // the entry's parameters
    const cEffectRun* run;
    int coloured;
    BLENDPAIR colour;
    int pair;                 // the colour pair goes on the effect's own drawing
};

using CHARAFXHANDLER = void (*)(CHARAFXDRAW& d);

double Scale(const CHARAFXDRAW& d, double value) { return d.scaled ? value * d.size : value; }

// The chip's size in its sheet: the cell-size factor times the unscaled draw size.
int CellWidth(const CHARAFXDRAW& d) { return d.src->nCellFactor * d.chara->m_nBaseDrawW; }
int CellHeight(const CHARAFXDRAW& d) { return d.src->nCellFactor * d.chara->m_nBaseDrawH; }

DDSURFACEDATA* SecondCopy(const CHIPSRC& s) { return s.lpCandidates[2] ? s.lpCandidates[2] : s.lpOwn; }

void DrawPlain(const CHARAFXDRAW& d)
{
    const CHIPSRC& s = *d.src;
    if (d.scaled) {
        if (d.coloured)
            DDBltStretchBlend(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, CellWidth(d), CellHeight(d), 1,
                              d.colour);
        else DDBltStretch(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, CellWidth(d), CellHeight(d), 1);
    } else if (d.coloured) {
        DDBltBlend(d.target, d.x, d.y, d.w, d.h, s.lpCandidates[0], s.nSrcX, s.nSrcY, 1, d.colour);
    } else {
        DDBlt(d.target, d.x, d.y, d.w, d.h, s.lpCandidates[0], s.nSrcX, s.nSrcY, 1);
    }
}

// The chip at (x, y) of a work surface at the draw size, with its colour
// pair and without the colour key: stretched from the chosen sheet when the
// character is scaled, else copied from the sheet's second copy.
void DrawChipScaled(const CHARAFXDRAW& d, DDSURFACEDATA* work, int x, int y)
{
    const CHIPSRC& s = *d.src;
    if (d.scaled) {
        if (d.coloured)
            DDBltStretchBlend(work, x, y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, CellWidth(d), CellHeight(d), 0, d.colour);
        else DDBltStretch(work, x, y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, CellWidth(d), CellHeight(d), 0);
    } else if (d.coloured) {
        DDBltBlend(work, x, y, d.w, d.h, SecondCopy(s), s.nSrcX, s.nSrcY, 0, d.colour);
    } else {
        DDBlt(work, x, y, d.w, d.h, SecondCopy(s), s.nSrcX, s.nSrcY, 0);
    }
}

// The effect drawn from the chip put into the work surface at (0, 0).
void FromWork(CHARAFXDRAW& d, DDSURFACEDATA* work)
{
    DDFillRectPal(work, 0, 0, d.w, d.h, 0);
    DrawChipScaled(d, work, 0, 0);
    d.from = work;
    d.fx = d.fy = 0;
    d.pair = 0;
}

// The effect drawn straight from the sheet's first or second copy, with the
// chip's colour pair.
void FromSheet(CHARAFXDRAW& d, int firstCopy)
{
    d.from = firstCopy ? d.src->lpCandidates[0] : SecondCopy(*d.src);
    d.fx = d.src->nSrcX;
    d.fy = d.src->nSrcY;
    d.pair = d.coloured;
}

void DrawWithPair(const CHARAFXDRAW& d, void (*effect)(const CHARAFXDRAW& d))
{
    if (d.pair) {
        DDSetVertexColor(d.colour.dwVertexColor);
        DDSetColorOp(d.colour.nColorOp);
    }
    effect(d);
    if (d.pair) {
        DDResetVertexColor();
        DDResetColorOp();
    }
}

// Most kinds: from the chip stretched into the work surface when scaled,
// else from the sheet.
void Standard(CHARAFXDRAW& d, int firstCopy, DDSURFACEDATA* work, void (*effect)(const CHARAFXDRAW& d))
{
    if (d.scaled) FromWork(d, work);
    else FromSheet(d, firstCopy);
    DrawWithPair(d, effect);
}

DDSURFACEDATA* StretchWork() { return &SurfaceTables.Surface[nStretchWorkSurface]; }

void Burst(const CHARAFXDRAW& d)
{
    DDBltQuarter(d.target, d.x, d.y, d.w, d.h, d.from, d.fx, d.fy, static_cast<int>(Scale(d, d.v)), 1);
}

void Split(const CHARAFXDRAW& d, int vertical)
{
    const int parts = std::max(1, d.p[3]);
    const int thickness = (d.h + parts - 1) / parts;
    DDBltStripe(d.target, d.x, d.y, d.w, d.h, std::max(1, thickness), static_cast<int>(Scale(d, d.v)), d.from,
                d.fx, d.fy, 1, vertical);
}

void Wave(const CHARAFXDRAW& d, int vertical)
{
    DDBltWave(d.target, d.x, d.y, d.w, d.h, std::max(1, d.p[3]), Scale(d, d.v), d.run->m_nWork1,
              std::max(1, static_cast<int>(Scale(d, d.p[4]))), d.from, d.fx, d.fy, 1, vertical);
}

// Turned about the character's centre: the rotation puts the pivot, half
// the draw size into the chip, on the point it is given.
void Rotate(const CHARAFXDRAW& d)
{
    DDBltRotate(d.target, d.x + d.w / 2, d.y + d.h / 2, d.w, d.h, d.w / 2, d.h / 2, static_cast<int>(d.v), d.from,
                d.fx, d.fy, 1);
}

void Circle(const CHARAFXDRAW& d)
{
    const int cx = d.x + d.w / 2, cy = d.y + d.h / 2;
    DDBltCircle(d.target, cx, cy, d.w / 2, d.h / 2, static_cast<int>(Scale(d, d.v)),
                std::max(1, static_cast<int>(Scale(d, d.p[3]))), d.from, d.fx + d.w / 2, d.fy + d.h / 2, 1);
}

void Zoom(const CHARAFXDRAW& d)
{
    const int e = d.scaled ? static_cast<int>((d.v - 32) * d.size) >> 1 : static_cast<int>(d.v - 32);
    DDBltStretch(d.target, d.x - (e >> 1), d.y - (e >> 1), d.w + e, d.h + e, d.from, d.fx, d.fy, d.w, d.h, 1);
}

void Tint(const CHARAFXDRAW& d, int colour)
{
    DDBltTint(d.target, d.x, d.y, d.w, d.h, d.from, d.fx, d.fy, 1, Display.ShownPalette, BlendTable,
              static_cast<BYTE>(colour), static_cast<int>(d.v));
}

void Mosaic(const CHARAFXDRAW& d)
{
    DDMosaic(d.target, d.x, d.y, d.w, d.h, std::max(1, static_cast<int>(d.v)), d.from, d.fx, d.fy, 1);
}

void Blur(const CHARAFXDRAW& d)
{
    DDBlur(d.target, d.x, d.y, d.w, d.h, static_cast<int>(d.v), static_cast<int>(d.v), d.from, d.fx, d.fy, 1);
}

// The mosaic and the blur, drawn by the pixel to the screen. DirectDraw
// draws them from the sheet's second copy, or from the effect work surface
// when scaled. Direct3D first puts the chip into a work surface: one that
// is a render target, so that the colour pair is drawn with the chip (the
// effect work surface is in system memory, where a blit takes no colour
// pair).
void ThroughEffectWork(CHARAFXDRAW& d, void (*effect)(const CHARAFXDRAW& d))
{
    if (Display.bDirect3D) FromWork(d, &SurfaceTables.Surface[COLOUR_WORK_SURFACE]);
    else if (d.scaled) FromWork(d, &SurfaceTables.Surface[nEffectWorkSurface]);
    else FromSheet(d, 0);
    effect(d);
}

// -- the handlers, by kind --

void DrawEffectPlain(CHARAFXDRAW& d) { DrawPlain(d); }
void DrawEffectBurst(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), Burst); }
void DrawEffectSplitH(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), [](const CHARAFXDRAW& e) { Split(e, 0); }); }
void DrawEffectSplitV(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), [](const CHARAFXDRAW& e) { Split(e, 1); }); }
void DrawEffectWaveH(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), [](const CHARAFXDRAW& e) { Wave(e, 0); }); }
void DrawEffectWaveV(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), [](const CHARAFXDRAW& e) { Wave(e, 1); }); }

void DrawEffectBlink(CHARAFXDRAW& d)
{
    if (d.run->m_nWork2) DrawPlain(d);
}

void DrawEffectRotateB(CHARAFXDRAW& d)
{
    Standard(d, 0, &SurfaceTables.Surface[Display.bDirect3D ? D3D_ROTATE_WORK_SURFACE : COLOUR_WORK_SURFACE], Rotate);
}

// Under DirectDraw a scaled character turns at its sheet's size in a square
// work surface, which is then stretched, with the colour key, to a square
// of sqrt(2) times the draw width centred on the character.
void DrawEffectRotateA(CHARAFXDRAW& d)
{
    if (Display.bDirect3D || !d.scaled) {
        DrawEffectRotateB(d);
        return;
    }
    const CHIPSRC& s = *d.src;
    const int sw = CellWidth(d), sh = CellHeight(d);
    const int side = static_cast<int>(s.nCellFactor * d.chara->m_nBaseDrawW * kSqrt2);
    const int shown = static_cast<int>(kSqrt2 * d.w);
    DDSURFACEDATA* work = &SurfaceTables.Surface[nEffectWorkSurface];
    DDFillRectPal(work, 0, 0, side, side, 0);
    DDBltRotate(work, side / 2, side / 2, sw, sh, sw / 2, sh / 2, static_cast<int>(d.v), s.lpOwn, s.nSrcX, s.nSrcY,
                0);
    DDBltStretch(d.target, d.x + (d.w >> 1) - (shown >> 1), d.y + (d.h >> 1) - (shown >> 1), shown, shown, work, 0,
                 0, side, side, 1);
}

void DrawEffectRotateDepth(CHARAFXDRAW& d)
{
    const CHIPSRC& s = *d.src;
    if (!s.lpOther) return;
    DDBltTurnOver(d.target, d.x, d.y, d.w, d.h, s.lpOwn, s.nSrcX, s.nSrcY, s.lpOther, s.nSrcX, s.nSrcY, CellWidth(d),
                  CellHeight(d), 1, static_cast<int>(d.v), 0);
}

void DrawEffectCircle(CHARAFXDRAW& d) { Standard(d, 1, StretchWork(), Circle); }
void DrawEffectZoom(CHARAFXDRAW& d) { Standard(d, 0, StretchWork(), Zoom); }

// The lens reaches past the chip: the chip is put, alone, in the middle of
// a cleared square of the effect work surface, so that the lens shows
// nothing of the chips beside it in the sheet.
void DrawEffectLens(CHARAFXDRAW& d)
{
    const int ox = d.p[3] * d.size, oy = d.p[4] * d.size;
    DDSURFACEDATA* work = &SurfaceTables.Surface[nEffectWorkSurface];
    const int reach = std::min(work->nWidth, work->nHeight) / 2;
    const int radius = static_cast<int>(kSqrt2 * (std::max(std::abs(ox), std::abs(oy)) + (d.w >> 1)));
    const int half = std::min(radius, reach);
    DDFillRectPal(work, 0, 0, 2 * half, 2 * half, 0);
    DrawChipScaled(d, work, half - (d.w >> 1), half - (d.h >> 1));
    DDBltLens(d.target, d.x + d.w / 2 + ox, d.y + d.h / 2 + oy, radius, static_cast<int>(Scale(d, d.v)), work, half,
              half, 1, 0);
}

// The tint and the half transparency are drawn by the pixel, which takes
// no colour pair: a coloured chip is put into the work surface with it.
void DrawEffectColor(CHARAFXDRAW& d)
{
    if (d.scaled || d.coloured) FromWork(d, &SurfaceTables.Surface[COLOUR_WORK_SURFACE]);
    else FromSheet(d, 0);
    DrawWithPair(d, [](const CHARAFXDRAW& e) { Tint(e, e.p[3]); });
}

void DrawEffectTranslucent(CHARAFXDRAW& d)
{
    if (d.run->m_nWork2) return;
    if (d.scaled || (d.coloured && Display.bDirect3D)) FromWork(d, &SurfaceTables.Surface[COLOUR_WORK_SURFACE]);
    else FromSheet(d, 0);
    DrawWithPair(d, [](const CHARAFXDRAW& e) {
        DDBltHalf(e.target, e.x, e.y, e.w, e.h, e.from, e.fx, e.fy, 1, BlendTable);
    });
}

void DrawEffectMosaic(CHARAFXDRAW& d) { ThroughEffectWork(d, Mosaic); }

// An 8-bit display has no blur: the chip is tinted toward palette colour 31.
void DrawEffectBlur(CHARAFXDRAW& d)
{
    if (Display.nBpp != 8) {
        ThroughEffectWork(d, Blur);
        return;
    }
    if (d.scaled) FromWork(d, &SurfaceTables.Surface[nEffectWorkSurface]);
    else FromSheet(d, 0);
    DrawWithPair(d, [](const CHARAFXDRAW& e) { Tint(e, 31); });
}

// The drawing of each kind of character effect, indexed by kind.
const CHARAFXHANDLER CharaEffectDrawTable[CHARAFX_COUNT] = {
    DrawEffectPlain,   DrawEffectBurst,       DrawEffectSplitH,      DrawEffectSplitV,  DrawEffectWaveH,
    DrawEffectWaveV,   DrawEffectBlink,       DrawEffectRotateA,     DrawEffectRotateB, DrawEffectRotateDepth,
    DrawEffectCircle,  DrawEffectZoom,        DrawEffectLens,        DrawEffectColor,   DrawEffectTranslucent,
    DrawEffectMosaic,  DrawEffectBlur,
};

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
        if (Display.bDirect3D && SystemData.m_bD3DCharaColor && n > 0 && n < 10) {
            *coloured = 1;
            *colour = {PaletteAnimation.CycleColors[n].dwColor, PaletteAnimation.CycleColors[n].nBlendMode};
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
    CharaEffectDrawTable[kind](d);
    if (c.m_Def.m_bMark != 1) return;
    const int mx = c.m_Def.m_sMark / 15 * 32, my = c.m_Def.m_sMark % 15 * 32;
    if (d.size <= 1) DDBlt(target, d.x, d.y, 32, 32, &SurfaceTables.Surface[43], mx, my, 1);
    else DDBltStretch(target, d.x, d.y, d.w, d.h, &SurfaceTables.Surface[nMarkSheetSurface], mx, my, 32, 32, 1);
}

void DrawCharaGauge(DDSURFACEDATA* target, cChara& c, int sp)
{
    const GAUGEANIM& g = sp ? c.m_SpGauge : c.m_HpGauge;
    if (g.nFrames <= 0 || c.m_bDead) return;
    DDSURFACEDATA* sheet = &SurfaceTables.Surface[49];
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
