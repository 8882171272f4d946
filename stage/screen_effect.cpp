#include "stage/screen_effect.h"

#include "app/checked.h"
#include "app/log.h"
#include "files/database.h"
#include "stage/effect.h"
#include "stage/play_screen.h"
#include "stage/stage_scene.h"

int ScrEffectDivisor(int value) { return value < 1 ? 1 : value; }

namespace {

// Kind 8 turns its blink before the frame is drawn, so that an interval of
// n frames hides the objects for n frames and shows them for n.
void TurnBlink(const cEffectKindData& entry, cEffectRun& run)
{
    if (run.m_nWork1 >= entry.m_Param[1]) {
        run.m_nWork1 = 0;
        run.m_nWork2 = !run.m_nWork2;
    }
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

} // namespace

int StepScreenEffect(int kind, const cEffectKindData& entry, cEffectRun& run, int frozen)
{
    if (frozen || kind == SCRFX_NONE) return 0;
    const int* p = entry.m_Param;
    switch (kind) {
    case SCRFX_MOVE: {
        const double time = ScrEffectDivisor(p[0]);
        run.m_nWork1 = static_cast<int>((p[3] - p[1]) / time * run.m_dValue + p[1]);
        run.m_nWork2 = static_cast<int>((p[4] - p[2]) / time * run.m_dValue + p[2]);
        return run.StepScr(0, p[0], run.m_dStep);
    }
    case SCRFX_SHAKE_H:
    case SCRFX_SHAKE_V:
        Shake(entry, run);
        return run.StepScr(0, p[0], run.m_dStep);
    case SCRFX_BLINK:
        ++run.m_nWork1;
        return run.StepScr(0, p[0], run.m_dStep);
    case SCRFX_WAVE_H:
    case SCRFX_WAVE_V:
        if (++run.m_nWork1 >= 360) run.m_nWork1 = 0;
        return run.StepScr(p[1], p[2], run.m_dStep);
    default:
        return run.StepScr(p[1], p[2], run.m_dStep);
    }
}

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
        if (kind == SCRFX_BLINK) TurnBlink(entry, run);
        if (painter) painter->ScreenEffect(kind, entry, run);
        ended = StepScreenEffect(kind, entry, run, frozen);
    }
    if (!ended) return;
    run.m_sEffect = 0;
    if (painter) painter->EndVirtualBackBuffer();
}
