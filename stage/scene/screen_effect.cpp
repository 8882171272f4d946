#include "stage/scene/screen_effect.h"

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/database.h"
#include "stage/objects/effect.h"
#include "stage/scene/play_screen.h"
#include "stage/scene/stage_scene.h"

int ScrEffectDivisor(int value) { return value < 1 ? 1 : value; }

namespace {

void Paint(const SCRFXFRAME& f, int kind)
{
    if (f.lpPainter) f.lpPainter->ScreenEffect(kind, f.Entry, f.Run);
}

// The progress of kinds 1, 2, 3 and 8 runs from 0 to the run time, the
// others' from parameter 1 to parameter 2.
int StepOverTime(const SCRFXFRAME& f)
{
    return f.Run.StepScr(0, f.Entry.m_Param[0], f.Run.m_dStep);
}

int StepOverRange(const SCRFXFRAME& f)
{
    return f.Run.StepScr(f.Entry.m_Param[1], f.Entry.m_Param[2], f.Run.m_dStep);
}

void Shake(const cEffectKindData& entry, cEffectRun& run)
{
    const int* p = entry.m_Param;
    const double step = static_cast<double>(p[2]) * p[1] * 4 / (ScrEffectDivisor(p[0]) * 6);
    if (run.m_nWork1) {
        run.m_dWork -= step;
        if (run.m_dWork <= -p[1]) {
            run.m_dWork = -p[1];
            run.m_nWork1 = 0;
        }
    } else {
        run.m_dWork += step;
        if (run.m_dWork >= p[1]) {
            run.m_dWork = p[1];
            run.m_nWork1 = 1;
        }
    }
}

// Kind 0 keeps the run alive until another screen effect replaces it.
int ScrEffectNone(const SCRFXFRAME& f)
{
    Paint(f, SCRFX_NONE);
    return 0;
}

// The picture at the place computed in the previous frame.
int ScrEffectMove(const SCRFXFRAME& f)
{
    Paint(f, SCRFX_MOVE);
    if (f.bFrozen) return 0;
    const int* p = f.Entry.m_Param;
    const double time = ScrEffectDivisor(p[0]);
    f.Run.m_nWork1 = static_cast<int>((p[3] - p[1]) / time * f.Run.m_dValue + p[1]);
    f.Run.m_nWork2 = static_cast<int>((p[4] - p[2]) / time * f.Run.m_dValue + p[2]);
    return StepOverTime(f);
}

int ScrEffectShake(const SCRFXFRAME& f, int kind)
{
    Paint(f, kind);
    if (f.bFrozen) return 0;
    Shake(f.Entry, f.Run);
    return StepOverTime(f);
}

int ScrEffectShakeH(const SCRFXFRAME& f) { return ScrEffectShake(f, SCRFX_SHAKE_H); }
int ScrEffectShakeV(const SCRFXFRAME& f) { return ScrEffectShake(f, SCRFX_SHAKE_V); }

// Kinds whose only state is the progress.
int ScrEffectOverRange(const SCRFXFRAME& f, int kind)
{
    Paint(f, kind);
    return f.bFrozen ? 0 : StepOverRange(f);
}

int ScrEffectSplitH(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_SPLIT_H); }
int ScrEffectSplitV(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_SPLIT_V); }
int ScrEffectRotate(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_ROTATE); }
int ScrEffectCircle(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_CIRCLE); }
int ScrEffectZoom(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_ZOOM); }
int ScrEffectLens(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_LENS); }
int ScrEffectMosaic(const SCRFXFRAME& f) { return ScrEffectOverRange(f, SCRFX_MOSAIC); }

int ScrEffectWave(const SCRFXFRAME& f, int kind)
{
    Paint(f, kind);
    if (f.bFrozen) return 0;
    if (++f.Run.m_nWork1 >= 360) f.Run.m_nWork1 = 0;
    return StepOverRange(f);
}

int ScrEffectWaveH(const SCRFXFRAME& f) { return ScrEffectWave(f, SCRFX_WAVE_H); }
int ScrEffectWaveV(const SCRFXFRAME& f) { return ScrEffectWave(f, SCRFX_WAVE_V); }

// The blink turns before the frame is drawn, so that an interval of n
// frames hides the objects for n frames and shows them for n.
int ScrEffectBlink(const SCRFXFRAME& f)
{
    if (f.Run.m_nWork1 >= f.Entry.m_Param[1]) {
        f.Run.m_nWork1 = 0;
        f.Run.m_nWork2 = !f.Run.m_nWork2;
    }
    Paint(f, SCRFX_BLINK);
    if (f.bFrozen) return 0;
    ++f.Run.m_nWork1;
    return StepOverTime(f);
}

} // namespace

const SCRFXHANDLER ScrEffectHandlerTable[SCRFX_COUNT] = {
    ScrEffectNone,
    ScrEffectMove,
    ScrEffectShakeH,
    ScrEffectShakeV,
    ScrEffectSplitH,
    ScrEffectSplitV,
    ScrEffectWaveH,
    ScrEffectWaveV,
    ScrEffectBlink,
    ScrEffectRotate,
    ScrEffectCircle,
    ScrEffectZoom,
    ScrEffectLens,
    ScrEffectMosaic,
};

void RunScreenEffect(cStageScene& scene, int frozen)
{
    cEffectRun& run = scene.m_ScrEffect;
    if (run.m_sEffect == 0) return;
    const cEffectKindData& entry = run.m_lpData ? *run.m_lpData : CheckedAt(DataBase.m_ScrEffect, run.m_sEffect);
    cPlayScreenPainter* painter = ScreenPainter();
    const int kind = entry.m_nKind;
    int ended;
    if (kind < 0 || kind >= SCRFX_COUNT) {
        ReportLog("Screen effect %d has kind %d, which no handler draws; the effect ends", run.m_sEffect, kind);
        ended = 1;
    } else {
        ended = ScrEffectHandlerTable[kind](SCRFXFRAME{painter, entry, run, frozen});
    }
    if (!ended) return;
    run.m_sEffect = 0;
    if (painter) painter->EndVirtualBackBuffer();
}
