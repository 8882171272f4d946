#pragma once
// What the stage-play screen's states need of the program around them: the
// scene manager's hand-over values, player 1's input, the fades and the
// screen's images, the pause key, the restart of a stage file, and the
// drawing of the states' own banners and menus.
//
// On Windows every entry is the shell's own (app/stage_scene_run.cpp,
// stage/stage_states_draw.cpp). The headless build leaves them empty and a
// test points them at its own: an empty entry does nothing and reports what
// the entry's comment says.
#include <cstdint>

// The hand-over values of the screens, read by the stage-play screen.
struct STAGEMODES {
    int nPlayMode = 0;       // 0 story, 1 challenge, 2 stage file, 3 replay
    int nStartKind = 0;      // the title item that started the game; 4 replay playback
    int bRankingOn = 0;      // plays of the mode enter the rankings
    int bDirectPlay = 0;     // start-up plays a named stage file
    int bTestPlay = 0;       // the editor started the runtime
    int nPreviousScene = 0;  // the screen that ran before this one
    // Taken when this screen has faded out; written by the state that
    // starts the fade-out, and only then.
    int nNextScene = 0;
};

// The states' own pictures over the play screen.
enum {
    STAGEPIC_REPLAY_BANNER = 0,   // replay playback
    STAGEPIC_STAGE_BANNER = 1,    // with the area number
    STAGEPIC_START_BANNER = 2,
    STAGEPIC_CLEAR_BANNER = 3,    // with the clear counter (stripes below 96)
    STAGEPIC_GAMEOVER_BANNER = 4,
    STAGEPIC_RANKING_HINT = 5,    // the F3 hint of a manual ranking entry
    STAGEPIC_SCORE_PANEL = 6,     // the ranks reached
    STAGEPIC_HALT = 7,            // a stage that could not be set up
};

struct STAGESHELL {
    // Copies the scene manager's values, but the next screen, into the modes
    // (once a frame, before the state runs). Empty: the modes stay as they are.
    void (*lpReadModes)(STAGEMODES& modes);
    // The hand-over at the end of the fade-out: frame rate 60, the current
    // screen becomes modes.nNextScene, the previous one the stage. Empty: nothing.
    void (*lpHandOver)(const STAGEMODES& modes);
    // Player 1's input words of this frame (direction bits 1 left, 2 right,
    // 4 up, 8 down; button bit 0 confirm, 1 cancel). Empty: nothing pressed.
    void (*lpReadInput)(uint16_t& direction, uint16_t& buttons);
    // Player 1's words replaced (held buttons cleared, a replay's words);
    // numpad: the direction code is recomputed. Empty: nothing.
    void (*lpWriteInput)(uint16_t direction, uint16_t buttons, int numpad);
    // Player 1's histories and run lengths take this frame's words. Empty: nothing.
    void (*lpRecordInput)();
    // Menu input of a state: key repeat and one-shot buttons on player 1's input.
    void (*lpMenuInput)();
    // 1 while the key of this Windows key code (Space 0x20, F3 0x72) is
    // down. Empty: 0.
    int (*lpKeyDown)(int key);
    // The screen's images loaded: all = 1 the whole stage-play set, the tile
    // sheet and the character, sword and effect images (play starts from
    // another screen); 0 only the backgrounds. Empty: 1 (loaded).
    int (*lpLoadImages)(int all);
    // Everything lpLoadImages and the stage's set-ups made released, when the
    // screen goes: the stage-play set of fixed surfaces, the character, sword
    // and effect images, the picture and message surfaces and the screens'
    // extra surfaces. Empty: nothing.
    void (*lpReleaseImages)();
    // One step of the fade-in or fade-out; 1 when it is done. Empty: 1.
    int (*lpFadeIn)();
    int (*lpFadeOut)();
    // The back buffer filled with palette colour 16.
    void (*lpFillBlank)();
    // A fresh play of the stage file at path (progress reset, the stage read
    // again; in direct play with lives that never run out); 1, or 0 after
    // reporting. Empty: 1.
    int (*lpStartStageFile)(const char* path, int directPlay);
    // The shell's every-n counter (mode 0 reset, 1 count: 1 on every n-th
    // call, 2 whether it is at 0). Empty: a counter of the stage's own.
    int (*lpCountEvery)(int mode, unsigned n);
    // A state's picture (STAGEPIC_*) with its value (area, counter).
    void (*lpDrawPicture)(int picture, int value);
    // A one-column menu of texts first .. first + count - 1 of the system
    // settings centred on (320, 272), the cursor at row cursor. Empty: nothing.
    void (*lpDrawMenu)(int firstText, int count, int cursor, int widthCount);
};

extern STAGESHELL StageShell;
extern STAGEMODES StageModes;

// The entries, each doing what its comment says when it is empty.
void StageReadInput(uint16_t& direction, uint16_t& buttons);
void StageWriteInput(uint16_t direction, uint16_t buttons, int numpad);
void StageRecordInput();
void StageMenuInput();
int StageKeyDown(int key);
enum { STAGEKEY_PAUSE = 0x20, STAGEKEY_RANKING = 0x72 };
int StageCountEvery(int mode, unsigned n);
void StageDrawPicture(int picture, int value);
void StageDrawMenu(int firstText, int count, int cursor, int widthCount);
