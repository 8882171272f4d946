#pragma once
// The run-length history of one input that the stage's key-input conditions
// read: for each of the 10 direction entries and the 9 button entries, the
// last 32 runs of that entry's state, newest first. Free of Win32, so the
// stage code reads it in every build.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "app/base/checked.h"

struct INPUTRUN {
    int32_t bOn;
    int32_t nFrames;
};

constexpr int INPUT_RUNS = 32;
constexpr int INPUT_DIRECTION_RUN_LISTS = 10;  // 0 neutral, 1-8 one exact direction each, 9 any direction
constexpr int INPUT_BUTTON_RUN_LISTS = 9;      // 0 no button, k button bit k - 1

class cInputRuns {
public:
    cInputRuns()
        : m_DirectionRuns(INPUT_DIRECTION_RUN_LISTS, std::vector<INPUTRUN>(INPUT_RUNS, INPUTRUN{0, 0})),
          m_ButtonRuns(INPUT_BUTTON_RUN_LISTS, std::vector<INPUTRUN>(INPUT_RUNS, INPUTRUN{0, 0}))
    {
    }

    void ResetRunLengths()
    {
        for (auto& runs : m_DirectionRuns) std::fill(runs.begin(), runs.end(), INPUTRUN{0, 0});
        for (auto& runs : m_ButtonRuns) std::fill(runs.begin(), runs.end(), INPUTRUN{0, 0});
    }

    // Adds one frame of direction bits (left 1, right 2, up 4, down 8) and
    // button bits (button i + 1 at bit i).
    void AddRunFrame(int directionBits, int buttonBits)
    {
        static const int exactDirection[9] = {0, 1, 2, 4, 8, 5, 9, 6, 10};
        for (int list = 0; list < INPUT_DIRECTION_RUN_LISTS; ++list) {
            bool on = list < 9 ? directionBits == exactDirection[list] : (directionBits & 15) != 0;
            AdvanceRuns(CheckedAt(m_DirectionRuns, list), on);
        }
        for (int list = 0; list < INPUT_BUTTON_RUN_LISTS; ++list) {
            bool on = list == 0 ? buttonBits == 0 : (buttonBits & (1 << (list - 1))) != 0;
            AdvanceRuns(CheckedAt(m_ButtonRuns, list), on);
        }
    }

    // Starts a new run when the condition changed since the newest run, else
    // lengthens the newest (never past the int range); a list keeps its runs.
    static void AdvanceRuns(std::vector<INPUTRUN>& runs, bool condition)
    {
        INPUTRUN& newest = CheckedAt(runs, 0);
        if ((newest.bOn != 0) != condition) {
            runs.pop_back();
            runs.insert(runs.begin(), INPUTRUN{condition ? 1 : 0, 1});
        } else if (newest.nFrames < INT_MAX) {
            ++newest.nFrames;
        }
    }

    std::vector<std::vector<INPUTRUN>> m_DirectionRuns;  // newest run first
    std::vector<std::vector<INPUTRUN>> m_ButtonRuns;
};
