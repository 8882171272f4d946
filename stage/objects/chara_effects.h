#pragma once
// Character effects: the kinds of the character-effect list, and what a
// frame does to a running one besides drawing it.
class cEffectKindData;
class cEffectRun;
struct GAUGEANIM;

enum {
    CHARAFX_NONE = 0,
    CHARAFX_BURST = 1,
    CHARAFX_SPLIT_H = 2,
    CHARAFX_SPLIT_V = 3,
    CHARAFX_WAVE_H = 4,
    CHARAFX_WAVE_V = 5,
    CHARAFX_BLINK = 6,
    CHARAFX_ROTATE_A = 7,
    CHARAFX_ROTATE_B = 8,
    CHARAFX_ROTATE_DEPTH = 9,
    CHARAFX_CIRCLE = 10,
    CHARAFX_ZOOM = 11,
    CHARAFX_LENS = 12,
    CHARAFX_COLOR = 13,
    CHARAFX_TRANSLUCENT = 14,
    CHARAFX_MOSAIC = 15,
    CHARAFX_BLUR = 16,
    CHARAFX_COUNT = 17,
};

// The entry of the run (its reversed copy's when reversed).
const cEffectKindData& CharaEffectEntry(const cEffectRun& run);
// The kind whose drawing the run takes: CHARAFX_NONE for no effect and for
// a kind outside the table, which draws plain.
int CharaEffectKind(const cEffectRun& run);
// The frame's step after the drawing: waves move their phase, blink and
// translucent toggle their visibility; unless hold the run is stepped.
// 1 when the effect has ended.
int StepCharaEffect(cEffectRun& run, int hold);
// A gauge after a drawn frame: one frame less; the changed part shrinks by
// its step, and is gone once fewer than 60 frames are left.
void StepGauge(GAUGEANIM& gauge);
