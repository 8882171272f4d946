// The flow lists of a character: its copy of the flow definitions and,
// parallel to it, one running flow per definition. Building and changing
// them, the set-up of every running command and the animation schedule of
// each flow; the character's basic animation set.
#include "stage/script/flow_list.h"

#include <algorithm>

#include "app/base/checked.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "files/stage_file.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"

namespace {

int SubSteps()
{
    return std::max(1, static_cast<int>(StageData.m_nSubSteps));
}

// Frames of an animation before its key frame, in tenths of a second.
int LeadInTenths(const cAnimeData& anime)
{
    int tenths = 0;
    for (const cAnimeFrameData& frame : anime.m_Frames) {
        if (frame.m_bKey) break;
        tenths += frame.m_nTime;
    }
    return tenths;
}

// The animations of a new flow, timed so that each one's lead-in ends when
// its command starts; a flow too young for the whole lead-in starts the
// animation at once, its beginning skipped.
void BuildAnimSchedule(cRunningFlow& flow)
{
    const int b = SubSteps();
    flow.m_AnimSchedule.clear();
    int start = 0;   // passes before the command starts
    for (const cRunningCommand& command : flow.m_Commands) {
        const cCommandData& def = *command.m_lpCommandData;
        if (def.m_sStartAnime != 0 && !DataBase.m_Anime.empty()) {
            const cAnimeData& anime = CheckedAt(DataBase.m_Anime, def.m_sStartAnime);
            const int leadIn = LeadInTenths(anime) * 6;
            const int leadInPasses = leadIn * b;
            FLOWANIMENTRY entry;
            entry.sAnime = def.m_sStartAnime;
            entry.sCommandFrames = static_cast<int16_t>(def.m_sTime * 6);
            entry.nFlag = def.m_cKind == FLOWCMD_JUMP || def.m_cKind == FLOWCMD_SWORD ? 0 : 1;
            if (start >= leadInPasses) {
                entry.nStartPass = start - leadInPasses;
                entry.sSkip = 0;
                entry.sFrames = static_cast<int16_t>(leadIn);
            } else {
                int skip = std::min((leadInPasses - start) / b, leadIn);
                entry.nStartPass = 0;
                entry.sSkip = static_cast<int16_t>(skip);
                entry.sFrames = static_cast<int16_t>(leadIn - skip);
            }
            flow.m_AnimSchedule.push_back(entry);
        }
        if (!def.m_bNoWait) start += command.m_nLength;
    }
}

} // namespace

int cChara::InsertFlows(std::vector<cFlowData>& list, int facing, int insert, int position)
{
    const int count = static_cast<int>(list.size());
    const int b = SubSteps();
    const int16_t instance = m_sParamIndex;
    int start = 0;
    std::vector<cFlowData>* defs = &list;
    if (insert == 0) {
        m_Flows.clear();
        m_Flows.resize(count);
    } else {
        // Copies first: the list may be the character's own.
        std::vector<cFlowData> copies = list;
        const int size = static_cast<int>(m_Def.m_Flows.size());
        start = position >= 0 && position < size ? position : size;
        m_Def.m_Flows.insert(m_Def.m_Flows.begin() + start, copies.begin(), copies.end());
        m_Flows.insert(m_Flows.begin() + start, count, cRunningFlow{});
        defs = &m_Def.m_Flows;
    }

    for (int g = 0; g < count; ++g) {
        cFlowData& d = (*defs)[insert == 0 ? g : start + g];
        cRunningFlow& r = m_Flows[start + g];
        r.m_nIndex = start + g;
        r.m_lpFlowData = &d;
        r.m_nSerial = m_nFlowSerial++;
        r.m_KeySteps.clear();
        for (cKeyCondData& step : d.m_KeyConds) r.m_KeySteps.push_back(&step);
        r.m_Commands.assign(d.m_Commands.size(), cRunningCommand{});
        for (size_t i = 0; i < d.m_Commands.size(); ++i) {
            const cCommandData& k = d.m_Commands[i];
            cRunningCommand& c = r.m_Commands[i];
            c.m_lpCommandData = &k;
            c.m_lpMove = k.m_pMove.get();
            c.m_nLength = (k.m_sTimeStep * instance + k.m_sTime) * b * 6;
            if (const cEdMove* e = k.m_pMove.get()) {
                c.m_dSpeed = (e->m_sSpeedStep * instance + e->m_sSpeed) * 0.1 / b;
                if (e->m_bInertia) c.m_dSpeed2 = e->m_sInertiaLimit * 0.1 / b;
                c.m_nMoveDir = e->m_cDirection;
            }
            const int kind = k.m_cKind;
            if (kind >= 0 && kind < FLOWCMD_COUNT && FlowCmdInitTable[kind])
                FlowCmdInitTable[kind](&c, this, facing);
        }
        // A flow added during play does not fire on keys already being held.
        if (insert == 1 && !d.m_bKeyRepeat) r.m_bKeyLatch = 1;
    }
    if (insert == 1) RelinkFlows();
    for (int g = 0; g < count; ++g) BuildAnimSchedule(m_Flows[start + g]);
    return count;
}

void cChara::RemoveFlow(int index)
{
    if (index < 0 || index >= static_cast<int>(m_Flows.size()) ||
        index >= static_cast<int>(m_Def.m_Flows.size())) {
        ReportBadIndex('V', index, static_cast<int>(m_Flows.size()), static_cast<int>(sizeof(cRunningFlow)));
        return;
    }
    m_Flows[index].End(this);
    RemoveFlowOverlays(*this, m_Flows[index].m_nSerial);
    m_Def.m_Flows.erase(m_Def.m_Flows.begin() + index);
    m_Flows.erase(m_Flows.begin() + index);
    RelinkFlows();
}

int cChara::RemoveFlowsById(int id)
{
    if (id == 0) {
        for (cRunningFlow& flow : m_Flows) flow.End(this);
        m_Flows.clear();
        m_Def.m_Flows.clear();
        RemoveAllOverlays(*this);
        RelinkFlows();
        return 0;
    }
    int first = -1;
    for (size_t i = 0; i < m_Flows.size() && i < m_Def.m_Flows.size();) {
        if (m_Def.m_Flows[i].m_cFlowId != id) {
            ++i;
            continue;
        }
        if (first < 0) first = static_cast<int>(i);
        RemoveFlow(static_cast<int>(i));
    }
    return first;
}

void cChara::AppendFlow(const cRunningFlow& flow)
{
    m_Flows.push_back(flow);
}

void cChara::RelinkFlows()
{
    const int n = static_cast<int>(std::min(m_Flows.size(), m_Def.m_Flows.size()));
    for (int i = 0; i < n; ++i) {
        cRunningFlow& r = m_Flows[i];
        cFlowData& d = m_Def.m_Flows[i];
        r.m_nIndex = i;
        r.m_lpFlowData = &d;
        r.m_KeySteps.clear();
        for (cKeyCondData& step : d.m_KeyConds) r.m_KeySteps.push_back(&step);
        for (size_t c = 0; c < r.m_Commands.size() && c < d.m_Commands.size(); ++c) {
            r.m_Commands[c].m_lpCommandData = &d.m_Commands[c];
            r.m_Commands[c].m_lpMove = d.m_Commands[c].m_pMove.get();
        }
    }
}

void cChara::SetBasicAnimSet(int set, int force)
{
    if (!force && set == m_nBasicAnimSet) return;
    m_nBasicAnimSet = set;
    m_Anime.Clear();
    if (DataBase.m_AnimeSet.empty()) return;
    const cAnimeSetData& animeSet = CheckedAt(DataBase.m_AnimeSet, set);
    for (const cAnimeData& anime : animeSet.m_Animes) {
        cAnimeSeq::Sequence sequence;
        for (const cAnimeFrameData& frame : anime.m_Frames)
            sequence.push_back({frame.m_nCell, frame.m_nTime * 6, 1});
        sequence.push_back({-2, 0, 1});
        m_Anime.AddSequence(std::move(sequence));
    }
}

// -- overlay animations of the flows --

void StartFlowOverlay(cChara& chara, const FLOWANIMENTRY& entry, int serial)
{
    if (FrameTables.AnimeFrameTable.empty()) return;
    cAnimeSeq::Sequence sequence;
    bool held = false;
    for (const ANIMESEQENTRY& step : CheckedAt(FrameTables.AnimeFrameTable, entry.sAnime)) {
        cAnimeSeq::Entry e{step.nFrame, step.nDuration, static_cast<unsigned char>(step.nLock)};
        // The key frame holds while the command runs.
        if (!held && step.nLock && step.nFrame >= 0 && entry.sCommandFrames >= 2 && entry.nFlag == 1) {
            e.nTime += entry.sCommandFrames - 1;
            held = true;
        }
        if (step.nLock && step.nFrame >= 0) held = true;
        sequence.push_back(e);
    }
    OVERLAYANIM overlay;
    overlay.bTimed = 1;
    overlay.nFrames = entry.sFrames;
    overlay.nCommandFrames = entry.sCommandFrames;
    overlay.nKey = serial;
    overlay.Anime.AddSequence(std::move(sequence));
    overlay.Anime.Set(0, 1);
    for (int i = 0; i < entry.sSkip; ++i) overlay.Anime.Tick();
    chara.m_Overlays.push_back(std::move(overlay));
}

void RemoveFlowOverlays(cChara& chara, int serial)
{
    chara.m_Overlays.remove_if([serial](const OVERLAYANIM& o) { return o.nKey == serial; });
}

void RemoveAllOverlays(cChara& chara)
{
    chara.m_Overlays.clear();
}
