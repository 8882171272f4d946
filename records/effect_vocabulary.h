#pragma once
// The vocabulary of character effects and screen effects: the kinds, their
// labels and speed notes, and what each of a kind's five parameters means,
// with its range and default. Built once; the game itself reads only the
// defaults (old records are repaired with them) and the lowest values
// (a drawing never divides by less).
#include <cstddef>
#include <cstdint>

enum {
    CHARAEFFECT_BURST = 1,
    CHARAEFFECT_SPLIT_H = 2,
    CHARAEFFECT_SPLIT_V = 3,
    CHARAEFFECT_WAVE_H = 4,
    CHARAEFFECT_WAVE_V = 5,
    CHARAEFFECT_BLINK = 6,
    CHARAEFFECT_ROTATE_A = 7,
    CHARAEFFECT_ROTATE_B = 8,
    CHARAEFFECT_ROTATE_DEPTH = 9,
    CHARAEFFECT_CIRCLE = 10,
    CHARAEFFECT_ZOOM = 11,
    CHARAEFFECT_LENS = 12,
    CHARAEFFECT_COLOR = 13,
    CHARAEFFECT_TRANSLUCENT = 14,
    CHARAEFFECT_MOSAIC = 15,
    CHARAEFFECT_BLUR = 16,
    CHARAEFFECT_KINDS = 17,   // kind 0 (none) included
};

enum {
    SCREFFECT_MOVE = 1,
    SCREFFECT_SHAKE_H = 2,
    SCREFFECT_SHAKE_V = 3,
    SCREFFECT_SPLIT_H = 4,
    SCREFFECT_SPLIT_V = 5,
    SCREFFECT_WAVE_H = 6,
    SCREFFECT_WAVE_V = 7,
    SCREFFECT_BLINK = 8,
    SCREFFECT_ROTATE = 9,
    SCREFFECT_CIRCLE = 10,
    SCREFFECT_ZOOM = 11,
    SCREFFECT_LENS = 12,
    SCREFFECT_MOSAIC = 13,
    SCREFFECT_KINDS = 14,
};

// One parameter of a kind: an empty label and 0, 0, 0 where the kind has no
// such parameter.
struct EFFECTPARAMDESC {
    const char* szLabel;
    int16_t nLowest;
    int16_t nHighest;
    int16_t nDefault;
};

constexpr int EFFECT_PARAMS = 5;

// Kind k's label is row k - 1; each table ends with an empty row.
extern const char* const aCharaEffectKindLabel[CHARAEFFECT_KINDS];
extern const char* const aScrEffectKindLabel[SCREFFECT_KINDS];
// Per kind, how fast it draws: "Direct3D有効時：" a, a line break,
// "Direct3D無効時：" b. Rows as the labels'.
extern const char* const aCharaEffectSpeedNote[CHARAEFFECT_KINDS];
extern const char* const aScrEffectSpeedNote[SCREFFECT_KINDS];
// Row 5k + j describes parameter j of kind k.
extern const EFFECTPARAMDESC aCharaEffectParam[CHARAEFFECT_KINDS * EFFECT_PARAMS];
extern const EFFECTPARAMDESC aScrEffectParam[SCREFFECT_KINDS * EFFECT_PARAMS];

// The descriptor of parameter j of kind k; the empty row for a kind or a
// parameter outside the tables.
const EFFECTPARAMDESC& CharaEffectParam(int kind, int param);
const EFFECTPARAMDESC& ScrEffectParam(int kind, int param);
