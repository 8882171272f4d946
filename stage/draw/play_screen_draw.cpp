// The play screen's pixels: backgrounds, blocks, objects, pictures, effects,
// messages, the screen effect, the status bar, the time, the system text and
// the tint, drawn into the back buffer with the graphics library.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/base/checked.h"
#include "app/shell/load_stage.h"
#include "app/shell/palette_animation.h"
#include "app/base/sjis.h"
#include "app/system/timing.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/effect_kind_data.h"
#include "gfx/alpha_blit.h"
#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/blit_effects.h"
#include "gfx/blur_mosaic.h"
#include "gfx/colour_ops.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"
#include "gfx/render_state.h"
#include "gfx/shaped_blit.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "stage/objects/chip_source.h"
#include "stage/objects/play_links.h"
#include "stage/scene/play_screen.h"
#include "stage/draw/play_screen_draw.h"
#include "stage/scene/screen_effect.h"
#include "stage/scene/screen_tint.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

// The chip drawing of a character, its gauges and the character-effect
// handlers (stage/draw/chara_draw.cpp).
void DrawCharaChip(DDSURFACEDATA* target, cChara& chara, int frame);
void DrawCharaGauge(DDSURFACEDATA* target, cChara& chara, int sp);
// The sight mask over the screen (stage/draw/stage_resources_draw.cpp).
void MakeSightSurfaces(int mask, int window, int sight, int shape);
void DrawSightMask(DDSURFACEDATA* target, cPlayer& player, int mask);

namespace {

constexpr int SCREEN_W = 640, SCREEN_H = 480;
constexpr int BG_SURFACE = 55, STATUS_SURFACE = 46, ICON_SURFACE = 49, DIGIT_SURFACE = 51, MARK_SURFACE = 43;

DDSURFACEDATA* Back() { return &Display.BackBuffer; }

cStageScene& Scene() { return *lpStageScene; }

// Background layer i's image, or null when it holds none.
DDSURFACEDATA* LayerImage(int i)
{
    if (i < 0 || BG_SURFACE + i > 62) return nullptr;
    DDSURFACEDATA* s = &SurfaceTables.Surface[BG_SURFACE + i];
    return s->nWidth > 0 && s->nHeight > 0 ? s : nullptr;
}

int LayerSize(int i, int vertical)
{
    DDSURFACEDATA* s = LayerImage(i);
    return s ? (vertical ? s->nHeight : s->nWidth) : 0;
}

int Modulo(int v, int m) { return m > 0 ? ((v % m) + m) % m : 0; }

void TileLayer(DDSURFACEDATA* image, int x, int y, int mode)
{
    const int w = image->nWidth, h = image->nHeight;
    int sy = Modulo(y, h);
    DDBeginSpriteBatch(0);
    for (int ty = 0, rows = 0; ty < SCREEN_H && rows < 1000; ++rows) {
        const int rh = h - sy;
        int sx = Modulo(x, w);
        for (int tx = 0, cols = 0; tx < SCREEN_W && cols < 1000; ++cols) {
            const int cw = w - sx;
            DDBlt(Back(), tx, ty, cw, rh, image, sx, sy, mode);
            tx += cw;
            sx = 0;
        }
        ty += rh;
        sy = 0;
    }
    DDEndSpriteBatch();
}

void DrawLayers(int key)
{
    auto& layers = StageData.m_Backgrounds;
    if (key == 0) {
        bool any = false;
        for (const cBackgroundData& b : layers) any = any || b.m_bShown;
        if (!any) {
            DDFillPal(Back(), 16);
            return;
        }
    }
    bool drawn = false;
    const cScrollAxis& ax = Scene().m_ScrollX;
    const cScrollAxis& ay = Scene().m_ScrollY;
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        const cBackgroundData& b = layers[static_cast<size_t>(i)];
        if (b.m_nLayer != key || !b.m_bShown) continue;
        if (b.m_bFill) {
            DDFillRectPal(Back(), 0, 0, SCREEN_W, SCREEN_H, b.m_nFillColor);
            drawn = true;
            continue;
        }
        DDSURFACEDATA* image = LayerImage(i);
        if (!image) continue;
        const int mx = ax.m_nMargin * 32, my = ay.m_nMargin * 32;
        const int x = b.m_bAutoScrollX ? static_cast<int>(ax.m_dPos + b.m_dAutoOffsetX - mx)
                                       : static_cast<int>((static_cast<int>(ax.m_dPos + 0.5) - mx) * b.m_dRateX);
        const int y = b.m_bAutoScrollY ? static_cast<int>(ay.m_dPos + b.m_dAutoOffsetY - my)
                                       : static_cast<int>((static_cast<int>(ay.m_dPos) - my) * b.m_dRateY);
        // The first layer behind everything covers the screen opaque.
        TileLayer(image, x, y, key == 0 && !drawn ? 0 : 1);
        drawn = true;
    }
    if (key == 0 && !drawn) DDFillPal(Back(), 16);
}

void BeginMarkBatch()
{
    DDBeginSpriteBatch(1);
    DDSetSpriteOrder(&SurfaceTables.Surface[MARK_SURFACE]);
}

void DrawBlockCell(const cBlockData& block, int x, int y)
{
    CHIPSRC src;
    src.Set(0, block.m_cGraphicKind, block.m_sGraphic, block.m_sGraphicOffset, nullptr, 0);
    if (src.lpOwn) DDBlt(Back(), x, y, 32, 32, src.lpOwn, src.nSrcX, src.nSrcY, 1);
    if (block.m_cMarkDisplay == 1)
        DDBlt(Back(), x, y, 32, 32, &SurfaceTables.Surface[MARK_SURFACE], block.m_sMark / 15 * 32, block.m_sMark % 15 * 32, 1);
}

void DrawBlockLayer(int layer)
{
    cStageScene& scene = Scene();
    const int vx = static_cast<int>(scene.m_ScrollX.m_dPos), vy = static_cast<int>(scene.m_ScrollY.m_dPos);
    const int col0 = vx >> 5, row0 = vy >> 5, ox = vx & 31, oy = vy & 31;
    BeginMarkBatch();
    for (int r = 0; r < 16; ++r) {
        const int row = row0 + r;
        if (row < 0 || row >= scene.m_ScrollY.m_nLimitCells) continue;
        for (int c = 0; c < 21; ++c) {
            const int column = col0 + c;
            if (column < 0 || column >= scene.m_ScrollX.m_nLimitCells) continue;
            cBlockData* block = BlockMapCell(column, row);
            if (!block || block->m_sGraphic == 0 || block->m_bFront != layer || block->m_bHidden) continue;
            if (!scene.CheckBlockConditions(*block)) continue;
            DrawBlockCell(*block, c * 32 - ox, r * 32 - oy);
        }
    }
    DDEndSpriteBatch();
}

bool Scaled(const CHIPSRC& src, int size)
{
    return src.bOwnCellSize ? size != src.nCellFactor : size > 1;
}

// Status items: 0 total score, 1 stage score, 2 HP, 3 SP, 4 lives.
int ItemWidth(int i, const cStatusItem& item)
{
    if (!item.m_bVisible) return 0;
    const int head = item.m_bIcon ? 16 : CountDisplayChars(item.m_strLabel.c_str()) * 16;
    return head + (i == 2 || i == 3 ? 50 : item.m_nDigits * 16);
}

void DrawStatusGauge(int x, int i, const cStatusItem& item, int value, int max)
{
    const int column = i == 2 ? 0 : 64;
    if (item.m_bIcon) {
        DDBlt(Back(), x, 3, 16, 16, &SurfaceTables.Surface[ICON_SURFACE], i == 2 ? 32 : 48, 32, 1);
        x += 16;
    } else {
        SurfaceTables.Fonts[1].DrawTextF(Back(), x, 3, "%s", item.m_strLabel.c_str());
        x += CountDisplayChars(item.m_strLabel.c_str()) * 16;
    }
    DDBlt(Back(), x, 3, 50, 16, &SurfaceTables.Surface[ICON_SURFACE], column, 128, 1);
    const int fill = max > 0 ? static_cast<int>(static_cast<long long>(value) * 50 / max) : 0;
    const bool low = IsGaugeLow(i, value, max);
    if (fill > 0) DDBlt(Back(), x, 3, fill, 16, &SurfaceTables.Surface[ICON_SURFACE], column, low ? 160 : 144, 1);
    if (item.m_bShowValue) SurfaceTables.Fonts[0].DrawTextF(Back(), x, 6, "%d", value);
}

void DrawStatusValue(int x, int i, const cStatusItem& item, int value)
{
    static const int iconX[5] = {0, 16, 0, 0, 64};
    const bool unlimited = i == 4 && value == INFINITE_LIVES;
    if (item.m_bIcon) {
        DDBlt(Back(), x, 3, 16, 16, &SurfaceTables.Surface[ICON_SURFACE], iconX[i], 32, 1);
        if (unlimited) SurfaceTables.Fonts[1].DrawText(Back(), x + 16, 3, "-", 0);
        else SurfaceTables.Fonts[1].DrawTextF(Back(), x + 16, 3, "%d", value);
    } else if (unlimited) {
        SurfaceTables.Fonts[1].DrawTextF(Back(), x, 3, "%s-", item.m_strLabel.c_str());
    } else {
        SurfaceTables.Fonts[1].DrawTextF(Back(), x, 3, "%s%d", item.m_strLabel.c_str(), value);
    }
}

void DrawStatus()
{
    if (!Scene().m_nStatusBarKind) return;
    const auto& items = SystemData.m_StatusItems;
    const int n = std::min<int>(5, static_cast<int>(items.size()));
    int sum = 0, visible = 0;
    for (int i = 0; i < n; ++i) {
        sum += ItemWidth(i, items[static_cast<size_t>(i)]);
        visible += items[static_cast<size_t>(i)].m_bVisible ? 1 : 0;
    }
    if (!visible) return;
    const int gap = (638 - sum) / (visible + 1);
    DDBlt(Back(), 0, 0, 640, 20, &SurfaceTables.Surface[STATUS_SURFACE], 0, 0, 1);
    const cPlayer* p1 = Player.empty() ? nullptr : &CheckedAt(Player, P1);
    int x = gap;
    for (int i = 0; i < n; ++i) {
        const cStatusItem& item = items[static_cast<size_t>(i)];
        if (!item.m_bVisible) continue;
        switch (i) {
        case 0: DrawStatusValue(x, i, item, GameProgress.m_nTotalScore); break;
        case 1: DrawStatusValue(x, i, item, GameProgress.m_nScore); break;
        case 2:
            if (p1) DrawStatusGauge(x, i, item, p1->m_nHp, p1->m_Def.m_nMaxHp);
            break;
        case 3:
            if (p1) DrawStatusGauge(x, i, item, p1->m_nSp, p1->m_Def.m_nMaxSp);
            break;
        default: DrawStatusValue(x, i, item, GameProgress.m_nLives); break;
        }
        x += ItemWidth(i, item) + gap;
    }
}

// Player 1's centre on the screen.
void PlayerCentre(int* x, int* y)
{
    *x = 320;
    *y = 240;
    if (Player.empty()) return;
    const cPlayer& p = CheckedAt(Player, P1);
    *x = p.m_nScreenLeft + p.m_nDrawW / 2;
    *y = p.m_nScreenTop + p.m_nDrawH / 2;
}

int Reach(int c, int half) { return c >= half ? c : 2 * half - c; }

void ScreenEffectPixels(int kind, const cEffectKindData& entry, const cEffectRun& run)
{
    const int* p = entry.m_Param;
    DDSURFACEDATA* back = Back();
    if (kind == SCRFX_NONE) {
        if (Display.bDirect3D) DDSetVirBackBuffer(0);
        return;
    }
    if (kind == SCRFX_BLINK) {
        if (!run.m_nWork2) {
            DrawLayers(0);
            DrawLayers(1);
        }
        return;
    }
    int cx = 0, cy = 0;
    PlayerCentre(&cx, &cy);
    DDSURFACEDATA* work = &SurfaceTables.Surface[67];
    if (kind == SCRFX_ROTATE || kind == SCRFX_LENS || kind == SCRFX_MOSAIC) work = &SurfaceTables.Surface[68];
    if (kind == SCRFX_ZOOM) work = &SurfaceTables.Surface[nStretchWorkSurface];
    int lensR = 0;
    if (kind == SCRFX_LENS) {
        cx += p[3];
        cy += p[4];
        lensR = static_cast<int>(std::max(Reach(cx, 320), Reach(cy, 240)) * 1.4142135623730951);
        const int side = (Display.nBpp == 16 ? 4 : 2) * lensR;
        DDFillRectPal(work, 0, 0, side, side, 0);
    }
    DDBlt(work, 0, 0, SCREEN_W, SCREEN_H, back, 0, 0, 0);
    const double z = run.m_dValue * 0.0015625;
    if (kind == SCRFX_SHAKE_H) {
        const double off = run.m_dWork;
        if (off > 0) DDFillRectPal(back, 0, 0, static_cast<int>(off + 1), SCREEN_H, 16);
        else if (off < 0) DDFillRectPal(back, static_cast<int>(640 + off), 0, static_cast<int>(1 - off), SCREEN_H, 16);
    } else if (kind != SCRFX_ZOOM || z < 1) {
        DDFillPal(back, 16);
    }
    DDSetAlphaOp(1);
    const int v = static_cast<int>(run.m_dValue);
    switch (kind) {
    case SCRFX_MOVE: DDBlt(back, run.m_nWork1, run.m_nWork2, SCREEN_W, SCREEN_H, work, 0, 0, 0); break;
    case SCRFX_SHAKE_H: DDBlt(back, static_cast<int>(run.m_dWork), 0, SCREEN_W, SCREEN_H, work, 0, 0, 0); break;
    case SCRFX_SHAKE_V: DDBlt(back, 0, static_cast<int>(run.m_dWork), SCREEN_W, SCREEN_H, work, 0, 0, 0); break;
    case SCRFX_SPLIT_H:
    case SCRFX_SPLIT_V: {
        const int strips = ScrEffectDivisor(p[3]);
        const int span = kind == SCRFX_SPLIT_H ? SCREEN_H : SCREEN_W;
        DDBltStripe(back, 0, 0, SCREEN_W, SCREEN_H, (span + strips - 1) / strips, v, work, 0, 0, 0,
                    kind == SCRFX_SPLIT_V);
        break;
    }
    case SCRFX_WAVE_H:
    case SCRFX_WAVE_V:
        DDBltWave(back, 0, 0, SCREEN_W, SCREEN_H, ScrEffectDivisor(p[3]), run.m_dValue, run.m_nWork1,
                  ScrEffectDivisor(p[4]), work, 0, 0, 0, kind == SCRFX_WAVE_V);
        break;
    // The rotation puts its pivot, the picture's centre, on the point it is given.
    case SCRFX_ROTATE: DDBltRotate(back, 320, 240, SCREEN_W, SCREEN_H, 320, 240, v, work, 0, 0, 0); break;
    case SCRFX_CIRCLE:
        DDBltCircle(back, cx, cy, Reach(cx, 320), Reach(cy, 240), v, ScrEffectDivisor(p[3]), work, cx, cy, 0);
        break;
    case SCRFX_ZOOM:
        if (z >= 1) {
            const double w = 640 / z, h = 480 / z;
            int left = static_cast<int>(cx - w * 0.5), top = static_cast<int>(cy - h * 0.5);
            if (left + static_cast<int>(w) > 639) left = static_cast<int>(640 - w);
            if (left < 0) left = 0;
            if (top + static_cast<int>(h) > 479) top = static_cast<int>(480 - h);
            if (top < 0) top = 0;
            DDBltStretch(back, 0, 0, SCREEN_W, SCREEN_H, work, left, top, static_cast<int>(w), static_cast<int>(h), 0);
        } else if (z > 0) {
            DDBltStretch(back, static_cast<int>((640 - 640 * z) * 0.5), static_cast<int>((480 - 480 * z) * 0.5),
                         static_cast<int>(640 * z), static_cast<int>(480 * z), work, 0, 0, SCREEN_W, SCREEN_H, 0);
        }
        break;
    case SCRFX_LENS: DDBltLens(back, cx, cy, lensR, v, work, cx, cy, 0, 0); break;
    case SCRFX_MOSAIC: DDMosaic(back, 0, 0, SCREEN_W, SCREEN_H, std::max(1, v), work, 0, 0, 0); break;
    default: break;
    }
    DDResetAlphaOp();
}

class cGfxPainter final : public cPlayScreenPainter {
public:
    void BeginFrame(int virtualBackBuffer) override
    {
        if (SurfaceTables.Surface[63].bLost || SurfaceTables.Surface[64].bLost) {
            Scene().BuildTileSheet();
            SurfaceTables.Surface[63].bLost = SurfaceTables.Surface[64].bLost = 0;
        }
        if (virtualBackBuffer) DDSetVirBackBuffer(1);
    }
    void BackLayers(int key) override { DrawLayers(key); }
    int BackgroundSize(int layer, int vertical) override { return LayerSize(layer, vertical); }
    void Blocks(int layer) override { DrawBlockLayer(layer); }
    void BeginBatch(int sorted) override
    {
        if (sorted) BeginMarkBatch();
        else DDBeginSpriteBatch(0);
    }
    void EndBatch() override { DDEndSpriteBatch(); }
    void Chara(cChara& chara, int frame) override { DrawCharaChip(Back(), chara, frame); }
    void Gauge(cChara& chara, int sp) override { DrawCharaGauge(Back(), chara, sp); }
    void NpcIcon(cNpc& chara) override { chara.DrawIcon(Back()); }
    void PlayerBoxes(cPlayer& player) override { player.DrawBoxDisplay(Back()); }
    void ViewPicture(cPlayer& player) override { DrawSightMask(Back(), player, 65); }
    void Item(cItem& item, int frame) override
    {
        const cItemData& d = item.m_ItemData;
        CHIPSRC src;
        src.Set(CHIPUSE_ITEM, d.m_cGraphicKind, d.m_sGraphic, d.m_sGraphicOffset, &item, frame);
        if (!src.lpOwn) return;
        const int x = item.m_nScreenLeft, y = item.m_nScreenTop;
        if (Scaled(src, d.m_cSize))
            DDBltStretch(Back(), x, y, item.m_nDrawW, item.m_nDrawH, src.lpOwn, src.nSrcX, src.nSrcY,
                         item.m_nBaseDrawW * src.nCellFactor, item.m_nBaseDrawH * src.nCellFactor, 1);
        else
            DDBlt(Back(), x, y, item.m_nDrawW, item.m_nDrawH, src.lpOwn, src.nSrcX, src.nSrcY, 1);
        if (d.m_cMarkDisplay != 1) return;
        const int mx = d.m_sMark / 15 * 32, my = d.m_sMark % 15 * 32;
        if (d.m_cSize < 2)
            DDBlt(Back(), x, y, 32, 32, &SurfaceTables.Surface[MARK_SURFACE], mx, my, 1);
        else
            DDBltStretch(Back(), x, y, item.m_nDrawW, item.m_nDrawH, &SurfaceTables.Surface[nMarkSheetSurface], mx, my,
                         item.m_nBaseDrawW, item.m_nBaseDrawH, 1);
    }
    void Shot(cShot& shot, int frame) override { shot.Draw(Back(), frame); }
    void Picture(cPicture& picture, int index) override
    {
        if (index < 0 || index >= static_cast<int>(SurfaceTables.PictureSurfaces.size())) return;
        picture.Paint(Scene(), Back(), &*std::next(SurfaceTables.PictureSurfaces.begin(), index));
    }
    void Effect(cEffect& effect, int frame) override { effect.DrawFrame(Scene(), Back(), frame); }
    void Message(cMessage& message, int x, int y) override { message.Paint(Back(), x, y); }
    void ScreenEffect(int kind, const cEffectKindData& entry, const cEffectRun& run) override
    {
        ScreenEffectPixels(kind, entry, run);
    }
    void EndVirtualBackBuffer() override { DDSetVirBackBuffer(0); }
    void StatusBar() override { DrawStatus(); }
    void Time(int timeSound) override
    {
        cStageScene& scene = Scene();
        if (scene.m_bTimerOff) return;
        DDDrawNumber(Back(), 272, 24, 32, 32, &SurfaceTables.Surface[DIGIT_SURFACE], 0, 160, 1, scene.m_nTime, 3, 1);
        if (timeSound && scene.m_nTime >= 1 && scene.m_nTime <= StageData.m_nTimeWarning && CountEvery(2, 60))
            StageHost().PlaySE(13);
    }
    void SystemText() override
    {
        const int text = bDirectPlay ? 26 : Scene().m_Modes.DirectTestPlay() ? 25 : -1;
        if (text < 0 || text >= static_cast<int>(SystemData.m_TextList.size())) return;
        const char* s = SystemData.m_TextList[static_cast<size_t>(text)].c_str();
        SurfaceTables.Fonts[1].DrawText(Back(), 320 - CountDisplayChars(s) * 16 / 2, 456, s, 0);
    }
    void CyclePalette() override { ::CyclePalette(); }
    int TintMode() override
    {
        if (Display.bDirect3D) return TINT_BLEND;
        return Display.nBpp == 8 ? TINT_PALETTE : TINT_NONE;
    }
    void Tint(int level, int red, int green, int blue) override
    {
        if (Display.bDirect3D) {
            DDChangeColor(Back(), 0, 0, SCREEN_W, SCREEN_H, level, static_cast<BYTE>(red), static_cast<BYTE>(green),
                          static_cast<BYTE>(blue));
            return;
        }
        PALETTEENTRY shown[256];
        DDBlendPalette(shown, 0, 255, level, static_cast<BYTE>(red), static_cast<BYTE>(green),
                       static_cast<BYTE>(blue), Display.ShownPalette);
        if (Display.lpDDPalette) Display.lpDDPalette->SetEntries(0, 0, 256, shown);
    }
    void ReleaseStageSurfaces() override
    {
        Scene().ClearPictures();
        Scene().ClearMessageSurfaces();
    }
    void CreateWorkSurfaces(int mask, int window, int sight, int shape) override
    {
        MakeSightSurfaces(mask, window, sight, shape);
    }
};

cGfxPainter Painter;

} // namespace

cPlayScreenPainter& GfxPainter = Painter;
