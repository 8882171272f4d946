#include "stage/script/key_input.h"

#include <algorithm>
#include <climits>

#include "records/key_cond_data.h"

std::vector<const cInputRuns*> KeyInputs;
const cInputRuns* (*lpShellKeyInput)(int input) = nullptr;

const cInputRuns* KeyInputOf(int input)
{
    if (!KeyInputs.empty())
        return input >= 0 && input < static_cast<int>(KeyInputs.size()) ? KeyInputs[input] : nullptr;
    return lpShellKeyInput ? lpShellKeyInput(input) : nullptr;
}

namespace {

const std::vector<INPUTRUN>& RunsOf(const cInputRuns& input, int entry)
{
    static const std::vector<INPUTRUN> none;
    const auto& lists = entry < KEYSTATE_FIRST_BUTTON ? input.m_DirectionRuns : input.m_ButtonRuns;
    const int list = entry < KEYSTATE_FIRST_BUTTON ? entry : entry - KEYSTATE_FIRST_BUTTON;
    return list < static_cast<int>(lists.size()) ? lists[list] : none;
}

int RunLength(const std::vector<INPUTRUN>& runs, int run)
{
    return run >= 0 && run < static_cast<int>(runs.size()) ? runs[run].nFrames : 0;
}

void MoveBack(const std::vector<INPUTRUN>& runs, int& run, int& frames, int& past, int n)
{
    const int oldest = static_cast<int>(runs.size()) - 1;
    if (past > 0) {
        past += n;
        return;
    }
    frames -= n;
    while (frames < 0) {
        if (run >= oldest) {
            // Before the oldest run: nothing is known there.
            past = -frames;
            frames = 0;
            return;
        }
        ++run;
        frames += RunLength(runs, run);
    }
    if (frames == 0 && run < oldest) {
        ++run;
        frames = RunLength(runs, run);
    }
}

void MoveForward(const std::vector<INPUTRUN>& runs, int& run, int& frames, int& past, int n)
{
    const int back = std::min(past, n);
    past -= back;
    n -= back;
    if (n == 0) return;
    frames += n;
    while (run > 0 && frames > RunLength(runs, run)) {
        frames -= RunLength(runs, run);
        --run;
    }
}

// Entry e seen by a mirrored step: left and right swap.
int Mirrored(int e)
{
    static const int mirror[9] = {0, 2, 1, 3, 4, 7, 8, 5, 6};
    return e >= 1 && e <= 8 ? mirror[e] : e;
}

int Mark(const cKeyCondData& step, int e)
{
    // An absent entry is ignored.
    return e < static_cast<int>(step.m_KeyStates.size()) ? step.m_KeyStates[e] : static_cast<int>(KEYMARK_NONE);
}

int ModeResult(int mode, int matches, int misses)
{
    switch (mode) {
    case 0: return misses == 0;
    case 1: return matches >= 1;
    case 2: return matches == 1;
    default: return 1;
    }
}

} // namespace

void StartKeyCursor(KEYCURSOR& cursor, const cInputRuns& input)
{
    for (int e = 0; e < KEY_ENTRIES; ++e) {
        cursor.nRun[e] = 0;
        cursor.nFrames[e] = RunLength(RunsOf(input, e), 0);
        cursor.nPast[e] = 0;
    }
}

int AdvanceKeyCounters(KEYCURSOR& cursor, const cInputRuns& input, int n)
{
    for (int e = 0; e < KEY_ENTRIES; ++e) {
        const auto& runs = RunsOf(input, e);
        if (n >= 0)
            MoveBack(runs, cursor.nRun[e], cursor.nFrames[e], cursor.nPast[e], n);
        else
            MoveForward(runs, cursor.nRun[e], cursor.nFrames[e], cursor.nPast[e], -n);
    }
    return 1;
}

int KeyHeldInRange(const INPUTRUN& run, int frames, const cKeyCondData& step, int required)
{
    if (required == KEYMARK_PRESSED) {
        if (!run.bOn) return 0;
        if (step.m_bAnyLength) return frames >= 1;
        return step.m_sMinFrames <= frames && frames <= step.m_sMaxFrames;
    }
    if (required == KEYMARK_RELEASED) return !run.bOn && frames >= 1;
    return 0;
}

int MatchKeyStepAt(const cKeyCondData& step, const KEYCURSOR& cursor, int& hold, const cInputRuns& input,
                   bool mirrored)
{
    int matches = 0, misses = 0;
    int held = -1;
    for (int e = 0; e < KEY_ENTRIES; ++e) {
        const int mark = Mark(step, e);
        if (mark == KEYMARK_NONE) continue;
        const int entry = mirrored && step.m_bMirror == 1 ? Mirrored(e) : e;
        const auto& runs = RunsOf(input, entry);
        const int run = cursor.nRun[entry];
        const int frames = cursor.nFrames[entry];
        const bool known = cursor.nPast[entry] == 0 && run < static_cast<int>(runs.size());
        if (!known || !KeyHeldInRange(runs[run], frames, step, mark)) {
            ++misses;
            continue;
        }
        ++matches;
        if (held < 0 || step.m_cMode == 2 || (step.m_cMode == 0 ? frames < held : step.m_cMode == 1 && frames > held))
            held = frames;
    }
    // A step that holds by no key still covers one frame.
    hold = held > 0 ? held : 1;
    return ModeResult(step.m_cMode, matches, misses);
}

int MatchKeySteps(const std::vector<cKeyCondData*>& steps, int window, const cInputRuns& input, bool mirrored,
                  bool keyOverlap)
{
    if (steps.empty()) return 0;
    KEYCURSOR cursor;
    StartKeyCursor(cursor, input);
    int s = static_cast<int>(steps.size()) - 1;
    int hold = 1;
    if (!steps[s] || !MatchKeyStepAt(*steps[s], cursor, hold, input, mirrored)) return 0;
    while (s > 0) {
        const cKeyCondData* later = steps[s];
        const cKeyCondData* step = steps[--s];
        if (!step) return 0;
        AdvanceKeyCounters(cursor, input, hold);
        int h = 1;
        if (MatchKeyStepAt(*step, cursor, h, input, mirrored)) {
            hold = h;
            continue;
        }
        if (window <= 0) return 0;
        int back = 0;
        bool found = false;
        while (back < window) {
            AdvanceKeyCounters(cursor, input, 1);
            ++back;
            if (MatchKeyStepAt(*step, cursor, h, input, mirrored)) {
                found = true;
                break;
            }
        }
        if (!found) {
            // Into the first frame of the later step's hold: the earlier step
            // must hold there, and (unless overlapping is allowed) the later
            // one not.
            AdvanceKeyCounters(cursor, input, -(back + 1));
            if (!MatchKeyStepAt(*step, cursor, h, input, mirrored)) return 0;
            int unused = 0;
            if (!keyOverlap && MatchKeyStepAt(*later, cursor, unused, input, mirrored)) return 0;
        }
        hold = h;
    }
    return 1;
}
