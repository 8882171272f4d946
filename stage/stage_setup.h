#pragma once
// What the stage set-up needs to know of the play it starts, and the part of
// a set-up that belongs to the shell. The screen that starts a play sets the
// two modes; on Windows the shell points lpStageSetupShell at its own part,
// the native build leaves it null.
struct STAGESETUPMODE {
    int bReplayPlayback = 0;     // a replay is being played back
    int bTestPlay = 0;           // a test play of the editor, started on a stage directly
    // The seed of a new recorded play; null: the last play's seed again.
    unsigned (*lpNewSeed)() = nullptr;
    // -- hits --
    // What the goal asks of the play for the rankings: started on a stage
    // file directly, the play mode (0 story, 1 challenge, 2 stage file), and
    // whether plays of that mode enter the rankings.
    int bDirectPlay = 0;
    int nPlayMode = 0;
    int bRankingOn = 0;
};
extern STAGESETUPMODE StageSetupMode;

// The shell's part of a set-up: the menu tune forgotten, the inputs' histories
// and the menu cursor stack cleared, the every-second counter reset, the
// palette and the frame rate set. Null: nothing.
extern void (*lpStageSetupShell)(int frameRate);
