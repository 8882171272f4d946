// Triggers: the firing of a character's flows, the per-frame firing marks,
// the key-input condition of a flow and the start of the animations that
// the flows schedule.
#include <algorithm>

#include "app/base/checked.h"
#include "files/system_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_list.h"
#include "stage/script/key_input.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

namespace {

// The input the key-input conditions read: player 1's.
const cInputRuns* PlayerOneInput()
{
    return Player.empty() ? nullptr : KeyInputOf(Player[P1].m_Def.m_cPlayerNo);
}

void ClearCurrent()
{
    if (!lpStageScene) return;
    lpStageScene->m_lpCurChara = nullptr;
    lpStageScene->m_lpCurFlow = nullptr;
    lpStageScene->m_lpCurCommand = nullptr;
}

} // namespace

void cChara::FireTrigger(int trigger)
{
    if (lpStageScene) lpStageScene->m_lpCurChara = this;
    // By index: a flow that runs at once may change the list.
    for (size_t i = 0; i < m_Flows.size(); ++i) {
        cRunningFlow& flow = m_Flows[i];
        if (flow.Trigger() != trigger) continue;
        if (!SystemData.m_bFlowRefire) {
            if (flow.m_bFired) continue;
            flow.m_bFired = 1;
        }
        if (flow.m_bRunning || flow.m_bPaused || flow.m_bStopped || flow.m_bStarted) continue;
        const int letter = flow.Letter();
        if (trigger == TRIGGER_ALWAYS && letter &&
            (CheckedAt(m_LetterBusy, letter) || CheckedAt(m_LetterStarted, letter)))
            continue;
        if (lpStageScene && !lpStageScene->CheckFlowConditions(flow, this)) continue;
        if (!CheckKeyInputCondition(flow)) continue;
        const cInputRuns* input =
            m_Def.m_cControl == CHARA_COMPUTER ? PlayerOneInput() : KeyInputOf(m_Def.m_cPlayerNo);
        flow.m_nInputDirection = GetFirstPressedDirection(input);
        flow.Start(*lpStageScene);
    }
    ClearCurrent();
}

void cChara::ResetFlowMarks()
{
    for (cRunningFlow& flow : m_Flows) {
        flow.m_bFired = 0;
        flow.m_bStarted = 0;
    }
    std::fill(m_LetterStarted.begin(), m_LetterStarted.end(), 0);
}

int cChara::CheckKeyInputCondition(cRunningFlow& flow)
{
    if (flow.m_KeySteps.empty()) return 1;
    const int window = flow.m_lpFlowData ? flow.m_lpFlowData->m_cKeyWindow : 0;
    const int matched = MatchKeySequence(flow.m_KeySteps, window);
    if (flow.m_lpFlowData && flow.m_lpFlowData->m_bKeyRepeat) return matched;
    if (!matched) {
        flow.m_bKeyLatch = 0;
        return 0;
    }
    if (flow.m_bKeyLatch) {
        // Still held since the last try: the letter stays blocked this frame.
        const int letter = flow.Letter();
        if (flow.Trigger() == TRIGGER_ALWAYS && letter) {
            CheckedAt(m_LetterBusy, letter) = 1;
            CheckedAt(m_LetterEnded, letter) = 1;
            m_bLetterEnded = 1;
        }
        return 0;
    }
    flow.m_bKeyLatch = 1;
    return 1;
}

int cChara::MatchKeySequence(const std::vector<cKeyCondData*>& steps, int window)
{
    const cInputRuns* input = PlayerOneInput();
    if (!input) return 0;
    const cChara* current = lpStageScene && lpStageScene->m_lpCurChara ? lpStageScene->m_lpCurChara : this;
    return MatchKeySteps(steps, window, *input, current->m_nFacing == 0, SystemData.m_bKeyOverlap != 0);
}

int cChara::GetFirstPressedDirection(const cInputRuns* input)
{
    if (!input) return 0;
    for (int e = 0; e < static_cast<int>(input->m_DirectionRuns.size()); ++e) {
        const auto& runs = input->m_DirectionRuns[e];
        if (!runs.empty() && runs[0].bOn) return e;
    }
    return 0;
}

int cChara::CheckKeyStep(const cInputRuns* input, const cKeyCondData& step)
{
    if (!input) return 0;
    int matches = 0, misses = 0;
    for (int e = 0; e < KEY_ENTRIES; ++e) {
        const int mark = e < static_cast<int>(step.m_KeyStates.size()) ? step.m_KeyStates[e] : 0;
        if (mark != KEYMARK_PRESSED && mark != KEYMARK_RELEASED) continue;
        const auto& lists = e < KEYSTATE_FIRST_BUTTON ? input->m_DirectionRuns : input->m_ButtonRuns;
        const int list = e < KEYSTATE_FIRST_BUTTON ? e : e - KEYSTATE_FIRST_BUTTON;
        const bool on = list < static_cast<int>(lists.size()) && !lists[list].empty() && lists[list][0].bOn;
        if (on == (mark == KEYMARK_PRESSED)) {
            ++matches;
            if (step.m_cMode == 1) break;
        } else {
            ++misses;
        }
    }
    switch (step.m_cMode) {
    case 0: return misses == 0;
    case 1: return matches >= 1;
    case 2: return matches == 1;
    default: return 1;
    }
}

void cChara::RunFlowAnimations()
{
    for (const cRunningFlow& flow : m_Flows) {
        if (!flow.m_bRunning || flow.m_bPaused) continue;
        for (const FLOWANIMENTRY& entry : flow.m_AnimSchedule)
            if (entry.nStartPass == flow.m_nFrames) StartFlowOverlay(*this, entry, flow.m_nSerial);
    }
}
