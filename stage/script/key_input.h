#pragma once
// Key-input sequences: a flow's key steps matched against the run-length
// history of player 1's input, the last step at the present moment and each
// earlier step just before the later one began (within the flow's window).
#include <vector>

#include "app/system/input_runs.h"

class cKeyCondData;

// Input histories by input number that stand in for the shell's inputs
// while the list is not empty (the tests' own histories).
extern std::vector<const cInputRuns*> KeyInputs;
// The shell's input record of an input number, null when there is none
// (app/stage_services.cpp on Windows). Null: no record.
extern const cInputRuns* (*lpShellKeyInput)(int input);
// The history of an input number (a player's input number): the shell's
// input record, or KeyInputs' entry; null when there is none.
const cInputRuns* KeyInputOf(int input);

enum { KEY_ENTRIES = 19 };

// A moment of the history: for each key entry (0..9 directions, 10..18
// buttons) the run it falls in and that run's frames at or before it.
// Frames before the oldest run are counted apart (nPast): no step holds there.
struct KEYCURSOR {
    int nRun[KEY_ENTRIES];
    int nFrames[KEY_ENTRIES];
    int nPast[KEY_ENTRIES];
};

// The present moment: run 0 of every list with its full length.
void StartKeyCursor(KEYCURSOR& cursor, const cInputRuns& input);
// Moves the cursor n frames back (n > 0) or -n frames forward (n < 0); the
// one exactly undoes the other. Returns 1.
int AdvanceKeyCounters(KEYCURSOR& cursor, const cInputRuns& input, int n);
// Whether a run with this many frames at or before the moment meets the
// required mark (1 pressed, within the step's hold limits; 2 released).
int KeyHeldInRange(const INPUTRUN& run, int frames, const cKeyCondData& step, int required);
// One step at the cursor; its hold length (the frames the step has held at
// the cursor, 1 for a step that marks no key) goes to hold. mirrored: the
// direction entries are read mirrored (a left-facing character).
int MatchKeyStepAt(const cKeyCondData& step, const KEYCURSOR& cursor, int& hold, const cInputRuns& input,
                   bool mirrored);
// The steps, last first, from the present moment back; window: the frames
// an earlier step may lie before the later one. keyOverlap: the old rule
// that lets the earlier step's fallback frame also hold the later step.
int MatchKeySteps(const std::vector<cKeyCondData*>& steps, int window, const cInputRuns& input, bool mirrored,
                  bool keyOverlap);
