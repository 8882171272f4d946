#pragma once
// The screen effect of the running stage (the scene's m_ScrEffect): a
// transformation of the whole finished frame, drawn by the painter from the
// run's state and then stepped here.
class cEffectKindData;
class cEffectRun;
class cPlayScreenPainter;
class cStageScene;

enum {
    SCRFX_NONE = 0,
    SCRFX_MOVE = 1,
    SCRFX_SHAKE_H = 2,
    SCRFX_SHAKE_V = 3,
    SCRFX_SPLIT_H = 4,
    SCRFX_SPLIT_V = 5,
    SCRFX_WAVE_H = 6,
    SCRFX_WAVE_V = 7,
    SCRFX_BLINK = 8,
    SCRFX_ROTATE = 9,
    SCRFX_CIRCLE = 10,
    SCRFX_ZOOM = 11,
    SCRFX_LENS = 12,
    SCRFX_MOSAIC = 13,
    SCRFX_COUNT = 14,
};

// Once a drawn frame: the running effect's handler, chosen by the entry's
// kind from ScrEffectHandlerTable. A kind without a handler ends the effect
// with a report-log line.
void RunScreenEffect(cStageScene& scene, int frozen);
// A parameter used as a divisor or a count: never below 1.
int ScrEffectDivisor(int value);

// What a screen-effect handler works with: the painter (null: nothing is
// drawn), the entry and its run, and whether the frame is frozen.
struct SCRFXFRAME {
    cPlayScreenPainter* lpPainter;
    const cEffectKindData& Entry;
    cEffectRun& Run;
    int bFrozen;
};
// A handler has the painter draw the kind's picture of this frame from the
// run as it stands and then, unless frozen, steps the run; 1 when the
// effect has ended.
using SCRFXHANDLER = int (*)(const SCRFXFRAME& frame);
extern const SCRFXHANDLER ScrEffectHandlerTable[SCRFX_COUNT];
