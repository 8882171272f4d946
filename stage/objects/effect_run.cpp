#include <cmath>
#include <cstdlib>
#include <utility>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/database.h"
#include "records/record_list.h"
#include "stage/objects/effect.h"

std::vector<cEffectRun> CharaEffectTemplates;
std::vector<cEffectRun> CharaEffectTemplatesRev;
std::vector<cEffectRun> ScrEffectTemplates;
std::vector<cEffectRun> ScrEffectTemplatesRev;

namespace {

enum { CHARA_BLINK = 6, CHARA_TRANSLUCENT = 14, CHARA_WAVE_H = 4, CHARA_WAVE_V = 5 };
enum {
    SCR_MOVE = 1, SCR_SHAKE_H = 2, SCR_SHAKE_V = 3, SCR_WAVE_H = 6, SCR_WAVE_V = 7, SCR_BLINK = 8,
    SCR_LAST = 13
};

// The run time in frames of a pass; a time below one tenth counts as one
// tenth, so that every pass has an end.
int PassFrames(const cEffectKindData* data)
{
    int time = data ? data->m_Param[0] : 1;
    return (time < 1 ? 1 : time) * 6;
}

double StepOver(int from, int to, const cEffectKindData& data)
{
    return std::abs(static_cast<double>(to) - from) / PassFrames(&data);
}

template <class T>
cEffectKindData& EntryOf(std::vector<T>& normal, std::vector<T>& reversed, int entry, int rev)
{
    return rev ? CheckedAt(reversed, entry) : CheckedAt(normal, entry);
}

} // namespace

void cEffectRun::InitCharaTemplate(int entry, int reversed)
{
    m_sEffect = static_cast<int16_t>(entry);
    cEffectKindData& data = EntryOf(DataBase.m_CharaEffect, DataBase.m_CharaEffectRev, entry, reversed);
    m_lpData = &data;
    int kind = data.m_nKind;
    if (kind < 1 || kind > 16) return;
    if (kind == CHARA_BLINK || kind == CHARA_TRANSLUCENT) {
        m_nStart = 0;
        m_nEnd = PassFrames(&data) / 6;
        m_dValue = 0;
        m_dStep = 1.0 / 6;
        m_nWork1 = m_nWork2 = 0;
        return;
    }
    if (reversed) std::swap(data.m_Param[1], data.m_Param[2]);
    m_nStart = data.m_Param[1];
    m_nEnd = data.m_Param[2];
    m_dValue = m_nStart;
    m_dStep = StepOver(m_nStart, m_nEnd, data);
    if (kind == CHARA_WAVE_H || kind == CHARA_WAVE_V) m_nWork1 = 0;
}

void cEffectRun::InitScrTemplate(int entry, int reversed)
{
    m_sEffect = static_cast<int16_t>(entry);
    cEffectKindData& data = EntryOf(DataBase.m_ScrEffect, DataBase.m_ScrEffectRev, entry, reversed);
    m_lpData = &data;
    int32_t* p = data.m_Param;
    switch (data.m_nKind) {
    case SCR_MOVE:
        if (reversed) {
            std::swap(p[1], p[3]);
            std::swap(p[2], p[4]);
        }
        m_dValue = 0;
        m_dStep = 1.0 / 6;
        m_nWork1 = p[1];
        m_nWork2 = p[2];
        break;
    case SCR_SHAKE_H:
    case SCR_SHAKE_V:
        m_dValue = 0;
        m_dWork = 0;
        m_dStep = 1.0 / 6;
        m_nWork1 = 0;
        break;
    case SCR_BLINK:
        m_dValue = 0;
        m_dStep = 1.0 / 6;
        m_nWork1 = m_nWork2 = 0;
        break;
    default:
        if (data.m_nKind < 4 || data.m_nKind > SCR_LAST) break;
        if (reversed) std::swap(p[1], p[2]);
        m_dValue = p[1];
        m_dStep = StepOver(p[1], p[2], data);
        if (data.m_nKind == SCR_WAVE_H || data.m_nKind == SCR_WAVE_V) m_nWork1 = 0;
        break;
    }
}

void cEffectRun::CopyTemplate(const cEffectRun& source)
{
    m_lpData = source.m_lpData;
    m_nStart = source.m_nStart;
    m_nEnd = source.m_nEnd;
    m_dValue = source.m_dValue;
    m_dWork = source.m_dWork;
    m_dStep = source.m_dStep;
    m_nWork1 = source.m_nWork1;
    m_nWork2 = source.m_nWork2;
}

void cEffectRun::StartChara(int16_t entry, int mode, int loop)
{
    CopyTemplate(mode == EFFECTRUN_REVERSED ? CheckedAt(CharaEffectTemplatesRev, entry)
                                            : CheckedAt(CharaEffectTemplates, entry));
    m_bReversed = mode == EFFECTRUN_REVERSED;
    m_sEffect = entry;
    m_nMode = mode;
    m_bLoop = loop;
    m_nCount = 0;
}

void cEffectRun::StartScr(int16_t entry, int mode, int loop)
{
    CopyTemplate(mode == EFFECTRUN_REVERSED ? CheckedAt(ScrEffectTemplatesRev, entry)
                                            : CheckedAt(ScrEffectTemplates, entry));
    m_bReversed = mode == EFFECTRUN_REVERSED;
    m_sEffect = entry;
    m_nMode = mode;
    m_bLoop = loop;
    m_nCount = 0;
}

void cEffectRun::RestartChara()
{
    if (m_nMode == EFFECTRUN_BACK_AND_FORTH) m_bReversed = !m_bReversed;
    CopyTemplate(m_bReversed ? CheckedAt(CharaEffectTemplatesRev, m_sEffect)
                             : CheckedAt(CharaEffectTemplates, m_sEffect));
    m_nCount = 0;
}

void cEffectRun::RestartScr()
{
    if (m_nMode == EFFECTRUN_BACK_AND_FORTH) m_bReversed = !m_bReversed;
    CopyTemplate(m_bReversed ? CheckedAt(ScrEffectTemplatesRev, m_sEffect)
                             : CheckedAt(ScrEffectTemplates, m_sEffect));
    m_nCount = 0;
}

// A step of zero (equal start and end) or one that is not a number would
// never reach the end: such a pass ends after the run time's frames.
int cEffectRun::PassOver(int reachedEnd, double step)
{
    ++m_nCount;
    if (!reachedEnd && (step != 0 && std::isfinite(step))) return 0;
    if (!reachedEnd && m_nCount < PassFrames(m_lpData)) return 0;
    return 1;
}

int cEffectRun::StepChara()
{
    bool down = m_nEnd < m_nStart;
    if (std::isfinite(m_dStep)) m_dValue += down ? -m_dStep : m_dStep;
    bool reached = down ? !(m_dValue >= m_nEnd) : !(m_dValue <= m_nEnd);
    if (!PassOver(reached, m_dStep)) return 0;
    if (m_bLoop || (m_nMode == EFFECTRUN_BACK_AND_FORTH && !m_bReversed)) {
        RestartChara();
        return 0;
    }
    return 1;
}

int cEffectRun::StepScr(int start, int end, double step)
{
    bool down = start > end;
    if (std::isfinite(step)) m_dValue += down ? -step : step;
    // Compared truncated: the pass runs until the whole part passes the end.
    bool reached;
    if (!std::isfinite(m_dValue) || std::fabs(m_dValue) >= 2147483647.0)
        reached = true;
    else
        reached = down ? !(static_cast<int>(m_dValue) >= end) : !(static_cast<int>(m_dValue) <= end);
    if (!PassOver(reached, step)) return 0;
    if (m_bLoop || (m_nMode == EFFECTRUN_BACK_AND_FORTH && !m_bReversed)) {
        RestartScr();
        return 0;
    }
    return 1;
}

namespace {

// The reversed copy is taken afresh from the list, so that its start and end
// are exchanged exactly once however often the runs are built.
template <class T>
void BuildRuns(std::vector<T>& list, std::vector<T>& copy, std::vector<cEffectRun>& normal,
               std::vector<cEffectRun>& reversed, void (cEffectRun::*init)(int, int))
{
    AssignRecords(copy, list);
    normal.assign(list.size(), cEffectRun());
    reversed.assign(list.size(), cEffectRun());
    for (size_t i = 0; i < list.size(); ++i) {
        (normal[i].*init)(static_cast<int>(i), 0);
        (reversed[i].*init)(static_cast<int>(i), 1);
    }
}

} // namespace

void BuildCharaEffectTemplates(std::vector<cEffectRun>& normal, std::vector<cEffectRun>& reversed)
{
    BuildRuns(DataBase.m_CharaEffect, DataBase.m_CharaEffectRev, normal, reversed,
              &cEffectRun::InitCharaTemplate);
}

void BuildScrEffectTemplates(std::vector<cEffectRun>& normal, std::vector<cEffectRun>& reversed)
{
    BuildRuns(DataBase.m_ScrEffect, DataBase.m_ScrEffectRev, normal, reversed,
              &cEffectRun::InitScrTemplate);
}
