// What the drawing of a character decides and advances: the frame shown
// (base animation or an overlay), its character effect's run, the end of a
// dead character's drawing, the gauges' animation, and the overlays the
// play-animation command starts. The pixels are the painter's.
#include <climits>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "files/stage_file.h"
#include "stage/objects/chara.h"
#include "stage/objects/chara_effects.h"
#include "stage/script/messages_links.h"
#include "stage/scene/play_screen.h"
#include "stage/objects/player.h"

const cEffectKindData& CharaEffectEntry(const cEffectRun& run)
{
    return run.m_lpData ? *run.m_lpData : CheckedAt(DataBase.m_CharaEffect, run.m_sEffect);
}

int CharaEffectKind(const cEffectRun& run)
{
    if (run.m_sEffect == 0) return CHARAFX_NONE;
    const int kind = CharaEffectEntry(run).m_nKind;
    // A kind the table has no handler for draws plain and never ends.
    return kind >= 0 && kind < CHARAFX_COUNT ? kind : CHARAFX_NONE;
}

int StepCharaEffect(cEffectRun& run, int hold)
{
    const int kind = CharaEffectKind(run);
    if (kind == CHARAFX_NONE) return 0;
    if (kind == CHARAFX_WAVE_H || kind == CHARAFX_WAVE_V) {
        if (!hold && ++run.m_nWork1 >= 360) run.m_nWork1 = 0;
    } else if (kind == CHARAFX_BLINK || kind == CHARAFX_TRANSLUCENT) {
        // Work 1 counts the frames since the last toggle, work 2 is the
        // visibility flag.
        if (run.m_nWork1 >= CharaEffectEntry(run).m_Param[1]) {
            run.m_nWork2 = !run.m_nWork2;
            run.m_nWork1 = 0;
        }
        if (!hold) ++run.m_nWork1;
    }
    return hold ? 0 : run.StepChara();
}

int cChara::CurrentFrame(int hold)
{
    if (!hold) {
        m_Anime.Tick();
        for (auto it = m_Overlays.begin(); it != m_Overlays.end();) {
            if (it->bStopped) {
                ++it;
                continue;
            }
            if (it->Anime.Tick() == ANIMESEQ_END) {
                it = m_Overlays.erase(it);
                continue;
            }
            --it->nFrames;
            ++it;
        }
    }
    if (m_Overlays.empty()) return m_Anime.Frame();
    const OVERLAYANIM* best = nullptr;
    int bestValue = INT_MAX;
    bool latched = false;
    for (const OVERLAYANIM& o : m_Overlays) {
        if (o.bStopped) continue;
        const int value = o.nFrames;
        if (latched) {
            if (value <= 0 && bestValue <= 0 && value > bestValue) {
                best = &o;
                bestValue = value;
            }
        } else if (o.bTimed) {
            if (value <= 0 && bestValue <= 0) {
                best = &o;
                bestValue = value;
                latched = true;
            } else if (value < bestValue) {
                best = &o;
                bestValue = value;
            }
        } else if (!best) {
            best = &o;
            bestValue = INT_MAX;
        }
    }
    return best ? best->Anime.Frame() : m_Anime.Frame();
}

void cChara::RunCharaEffect(int hold)
{
    if (StepCharaEffect(m_CharaEffect, hold)) m_CharaEffect.m_sEffect = 0;
}

void cChara::Draw(cPlayScreenPainter* painter, int hold)
{
    const int frame = CurrentFrame(hold);
    if (!m_Def.m_bTransparent && painter) painter->Chara(*this, frame);
    RunCharaEffect(hold);
}

int cChara::DrawDead(cPlayScreenPainter* painter, int hold)
{
    // An effect that draws plain never ends: it counts as none here, so that
    // the character still leaves.
    const bool effect = CharaEffectKind(m_CharaEffect) != CHARAFX_NONE;
    if (m_nSide != 0) {
        if (!effect) return 1;
        if (painter) painter->Chara(*this, 0);
        if (StepCharaEffect(m_CharaEffect, hold)) {
            m_CharaEffect.m_sEffect = 0;
            return 1;
        }
        return 0;
    }
    if (effect) {
        if (painter) painter->Chara(*this, 0);
        if (StepCharaEffect(m_CharaEffect, hold)) m_CharaEffect.m_sEffect = 0;
        return 0;
    }
    m_CharaEffect.m_sEffect = 0;
    if (!hold) ++m_nDeadFrames;
    const int rate = StageData.m_nFrameRate > 0 ? StageData.m_nFrameRate : 60;
    return m_nDeadFrames > rate;
}

void StepGauge(GAUGEANIM& g)
{
    if (--g.nFrames < 60) g.dLength = 0;
    else g.dLength -= g.dStep;
}

void cChara::DrawGauges(cPlayScreenPainter* painter)
{
    if (m_bDead) return;
    GAUGEANIM* gauges[2] = {&m_HpGauge, &m_SpGauge};
    for (int sp = 0; sp < 2; ++sp) {
        if (gauges[sp]->nFrames <= 0) continue;
        if (painter) painter->Gauge(*this, sp);
        StepGauge(*gauges[sp]);
    }
}

void cPlayer::Draw(cPlayScreenPainter* painter, int hold)
{
    cChara::Draw(painter, hold);
    if (painter) painter->PlayerBoxes(*this);
}

void StartCharaOverlay(cChara* chara, int sequence, int flowSerial)
{
    if (FrameTables.AnimeFrameTable.empty()) return;
    cAnimeSeq::Sequence steps;
    for (const ANIMESEQENTRY& step : CheckedAt(FrameTables.AnimeFrameTable, sequence))
        steps.push_back({step.nFrame, step.nDuration, static_cast<unsigned char>(step.nLock)});
    OVERLAYANIM overlay;
    overlay.nKey = flowSerial;
    overlay.Anime.AddSequence(std::move(steps));
    overlay.Anime.Set(0, 1);
    chara->m_Overlays.push_front(std::move(overlay));
}
