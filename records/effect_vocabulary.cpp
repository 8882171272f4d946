#include "records/effect_vocabulary.h"

namespace {

#define NOTE(a, b) "Direct3D有効時：" a "\r\nDirect3D無効時：" b

constexpr EFFECTPARAMDESC kNone = {"", 0, 0, 0};
constexpr EFFECTPARAMDESC kTime5 = {"実行時間(1/10s)", 1, 9999, 5};
constexpr EFFECTPARAMDESC kTime10 = {"実行時間(1/10s)", 1, 9999, 10};

} // namespace

const char* const aCharaEffectKindLabel[CHARAEFFECT_KINDS] = {
    "破裂", "分割（横）", "分割（縦）", "波（横）", "波（縦）", "点滅", "回転A", "回転B",
    "回転（奥）", "円", "拡大", "レンズ", "色変化", "半透明", "モザイク", "ぼかし", "",
};

const char* const aScrEffectKindLabel[SCREFFECT_KINDS] = {
    "移動", "振動（横）", "振動（縦）", "分割（横）", "分割（縦）", "波（横）", "波（縦）",
    "点滅", "回転", "円", "拡大", "レンズ", "モザイク", "",
};

const char* const aCharaEffectSpeedNote[CHARAEFFECT_KINDS] = {
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("速い", "速い"),
    NOTE("回転Aと回転Bは同じ", "巨大キャラには実行速度重視"),
    NOTE("回転Aと回転Bは同じ", "やや遅い。巨大キャラには描画精度重視"),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("", ""),
    NOTE("遅過ぎ", "遅い"),
    NOTE("", "画面が8bit色→精度悪い、16bit色以上→やや遅い"),
    NOTE("", "画面が8bit色→精度悪い、16bit色以上→遅過ぎ"),
    NOTE("遅い", "画面が16bit色以上だと遅い"),
    NOTE("遅い", "画面が16bit色以上でのみ有効。遅い"),
    "",
};

const char* const aScrEffectSpeedNote[SCREFFECT_KINDS] = {
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("", ""),
    NOTE("やや遅い", "やや遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("速い", "速い"),
    NOTE("", "遅い"),
    NOTE("やや遅い", "やや遅い"),
    NOTE("", "やや遅い"),
    NOTE("遅過ぎ", "遅過ぎ"),
    NOTE("遅過ぎ", "画面が16bit色以上だと遅過ぎ"),
    "",
};

const EFFECTPARAMDESC aCharaEffectParam[CHARAEFFECT_KINDS * EFFECT_PARAMS] = {
    kNone, kNone, kNone, kNone, kNone,
    // 1 burst
    kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, kNone, kNone,
    // 2, 3 splits
    kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone,
    kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone,
    // 4, 5 waves
    kTime5, {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2},
    kTime5, {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2},
    // 6 blink
    kTime10, {"点滅間隔(1/60s)", 1, 9999, 2}, kNone, kNone, kNone,
    // 7, 8 rotations, 9 rotation in depth
    kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    kTime10, {"開始位置(dot)", 0, 9999, 0}, {"終了位置(dot)", 0, 9999, 256}, kNone, kNone,
    // 10 circle
    kTime5, {"開始半径(dot)", 0, 32, 32}, {"終了半径(dot)", 0, 32, 0}, {"円の粗さ(dot)", 1, 4, 2}, kNone,
    // 11 zoom, 12 lens
    kTime10, {"開始幅(dot)", 0, 320, 32}, {"終了幅(dot)", 0, 320, 64}, kNone, kNone,
    kTime10, {"開始距離", 0, 100, 100}, {"終了距離", 0, 100, 5}, {"ズレX(dot)", -16, 16, 0}, {"ズレY(dot)", -16, 16, 0},
    // 13 colour, 14 translucent
    kTime10, {"開始合成度", 1, 4, 1}, {"終了合成度", 1, 4, 1}, {"色", 16, 207, 16}, kNone,
    kTime10, {"点滅間隔(1/60s)", 1, 9999, 9999}, kNone, kNone, kNone,
    // 15 mosaic, 16 blur
    kTime10, {"開始強度", 1, 16, 1}, {"終了強度", 1, 16, 8}, kNone, kNone,
    kTime10, {"開始強度", 1, 1, 1}, {"終了強度", 1, 4, 4}, kNone, kNone,
};

const EFFECTPARAMDESC aScrEffectParam[SCREFFECT_KINDS * EFFECT_PARAMS] = {
    kNone, kNone, kNone, kNone, kNone,
    // 1 move
    kTime10, {"開始座標X(dot)", -640, 640, 0}, {"開始座標Y(dot)", -480, 480, 0}, {"終了座標X(dot)", -640, 640, 640},
    {"終了座標Y(dot)", -480, 480, 0},
    // 2, 3 shakes
    kTime10, {"振動幅(dot)", 1, 640, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone,
    kTime10, {"振動幅(dot)", 1, 480, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone,
    // 4, 5 splits
    kTime10, {"開始位置(dot)", 0, 640, 0}, {"終了位置(dot)", 0, 640, 640}, {"分割数", 2, 240, 15}, kNone,
    kTime10, {"開始位置(dot)", 0, 480, 0}, {"終了位置(dot)", 0, 480, 480}, {"分割数", 2, 320, 20}, kNone,
    // 6, 7 waves
    kTime10, {"開始幅(dot)", 0, 640, 0}, {"終了幅(dot)", 0, 640, 640}, {"波の数", 2, 240, 4}, {"波の粗さ(dot)", 1, 48, 8},
    kTime10, {"開始幅(dot)", 0, 480, 0}, {"終了幅(dot)", 0, 480, 480}, {"波の数", 2, 320, 4}, {"波の粗さ(dot)", 1, 64, 10},
    // 8 blink, 9 rotation
    kTime10, {"点滅間隔(1/60s)", 1, 9999, 10}, kNone, kNone, kNone,
    kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone,
    // 10 circle
    kTime10, {"開始半径(dot)", 0, 640, 640}, {"終了半径(dot)", 0, 640, 0}, {"円の粗さ(dot)", 1, 48, 8}, kNone,
    // 11 zoom, 12 lens, 13 mosaic
    kTime10, {"開始幅(dot)", 0, 6400, 640}, {"終了幅(dot)", 0, 6400, 1280}, kNone, kNone,
    kTime10, {"開始距離", 0, 1500, 1500}, {"終了距離", 0, 1500, 5}, {"ズレX(dot)", -320, 320, 0}, {"ズレY(dot)", -240, 240, 0},
    kTime10, {"開始強度", 1, 240, 1}, {"終了強度", 1, 240, 60}, kNone, kNone,
};

namespace {

template <size_t N>
const EFFECTPARAMDESC& Row(const EFFECTPARAMDESC (&table)[N], int kind, int param)
{
    if (kind < 0 || param < 0 || param >= EFFECT_PARAMS || kind >= static_cast<int>(N / EFFECT_PARAMS)) return kNone;
    return table[kind * EFFECT_PARAMS + param];
}

} // namespace

const EFFECTPARAMDESC& CharaEffectParam(int kind, int param) { return Row(aCharaEffectParam, kind, param); }
const EFFECTPARAMDESC& ScrEffectParam(int kind, int param) { return Row(aScrEffectParam, kind, param); }
