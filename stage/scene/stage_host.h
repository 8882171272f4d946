#pragma once
// Everything the running stage asks of the program around it: how the play
// was started and where the screen goes next, player 1's input and keys,
// the screen's images, fades and the states' own pictures, sounds and
// music, the sub-loops that hold the game still, the dialogs, the stage
// files, the shell's clock and seed, and the close request.
//
// The Windows shell's host is the default there (stage/stage_scene_run.cpp);
// the headless build's default is this base class, whose members do what
// their comments say for "base" (mostly nothing). A test installs a host of
// its own with SetStageHost.
//
// Threads: the game thread calls every member, and a member returns once
// its request has been served (a request served by the window thread is
// sent and waited for). While the game thread waits in RunPauseLoop or
// RunRankingLoop, that sub-loop's thread calls members instead (the pause
// loop: PlaySE, KeyDown, SaveReplay and Painter), so no two threads ever
// call at once. The window thread calls nothing here.
#include <atomic>
#include <cstdint>
#include <string>

class cPlayScreenPainter;
class cStageWorld;

// How the play was started, as the shell handed it over; the stage takes a
// copy once a frame (cStageHost::ReadModes) before its state runs.
struct STAGEMODES {
    int nPlayMode = 0;       // 0 story, 1 challenge, 2 stage file, 3 replay
    int nStartKind = 0;      // the title item that started the game: 0 new story,
                             // 1 continue, 2 challenge, 3 stage file, 4 replay playback
    int bRankingOn = 0;      // plays of the mode enter the rankings
    int bDirectPlay = 0;     // start-up plays a named stage file
    int bTestPlay = 0;       // the editor started the runtime
    int nPreviousScene = 0;  // the screen that ran before this one
    // Taken when this screen has faded out; written by the state that
    // starts the fade-out, and only then (ReadModes leaves it as it is).
    int nNextScene = 0;

    // A replay is being played back.
    bool ReplayPlayback() const { return nStartKind == 4; }
    // A test play of the editor, started on a stage directly: no banners,
    // and the totals start afresh with every set-up.
    bool DirectTestPlay() const { return bTestPlay && bDirectPlay; }
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

// Windows key codes the stage asks about.
enum { STAGEKEY_PAUSE = 0x20, STAGEKEY_SAVE_REPLAY = 0x70, STAGEKEY_SAVE_LAST_REPLAY = 0x71, STAGEKEY_RANKING = 0x72 };

class cStageHost {
public:
    virtual ~cStageHost() = default;

    // -- the hand-over --
    // Copies the shell's values, but the next screen, into modes. Base: the
    // modes stay as they are.
    virtual void ReadModes(STAGEMODES& modes) {}
    // The hand-over at the end of the fade-out: frame rate 60, the current
    // screen becomes nextScene, the previous one the stage. Base: nothing.
    virtual void HandOver(int nextScene) {}

    // -- input --
    // Player 1's input words of this frame (direction bits 1 left, 2 right,
    // 4 up, 8 down; button bit 0 confirm, 1 cancel). Base: nothing pressed.
    virtual void ReadInput(uint16_t& direction, uint16_t& buttons) { direction = buttons = 0; }
    // Player 1's words replaced (held buttons cleared, a replay's words);
    // numpad: the direction code is recomputed. Base: nothing.
    virtual void WriteInput(uint16_t direction, uint16_t buttons, int numpad) {}
    // Player 1's histories and run lengths take this frame's words. Base: nothing.
    virtual void RecordInput() {}
    // Menu input of a state: key repeat and one-shot buttons on player 1's input.
    virtual void MenuInput() {}
    // 1 while the key of this Windows key code (STAGEKEY_*) is down. Base: 0.
    virtual int KeyDown(int key) { return 0; }

    // -- the screen --
    // The screen's images loaded: all = 1 the whole stage-play set, the tile
    // sheet and the character, sword and effect images (play starts from
    // another screen); 0 only the backgrounds. Base: 1 (loaded).
    virtual int LoadImages(int all) { return 1; }
    // Everything LoadImages and the stage's set-ups made released, when the
    // screen goes. Base: nothing.
    virtual void ReleaseImages() {}
    // One step of the fade-in or fade-out; 1 when it is done. Base: 1.
    virtual int FadeIn() { return 1; }
    virtual int FadeOut() { return 1; }
    // The back buffer filled with palette colour 16. Base: nothing.
    virtual void FillBlank() {}
    // A state's picture (STAGEPIC_*) with its value (area, counter); the
    // score panel shows the ranks the world's play reached. Base: nothing.
    virtual void DrawPicture(const cStageWorld& world, int picture, int value) {}
    // A one-column menu of texts first .. first + count - 1 of the system
    // settings centred on (320, 272), the cursor at row cursor. Base: nothing.
    virtual void DrawMenu(int firstText, int count, int cursor, int widthCount) {}
    // Draws the play screen's pixels (stage/scene/play_screen.h). Base: none, the
    // frames advance without drawing.
    virtual cPlayScreenPainter* Painter() { return nullptr; }
    // Later blits are drawn opaque again (the screen effect that blended has
    // gone). Base: nothing.
    virtual void ResetBlending() {}

    // -- sounds and music --
    // Sound effect number n of the system's list; also called by the
    // sub-loops' threads. Base: nothing.
    virtual void PlaySE(int n) {}
    // User sound n of the sound database (0: nothing). Base: nothing.
    virtual void PlayUserSE(int n) {}
    // Tune n of the music database for the stage, looping with loop set;
    // 0 stops the music. Base: nothing.
    virtual void RequestBgm(int n, int loop) {}

    // -- sub-loops and waits --
    // Runs the pause loop on its own thread until the wait in the scene's
    // m_Wait is served, while the game thread waits; handshake: the new
    // thread is posted its start message before the wait. Base: nothing.
    virtual void RunPauseLoop(int handshake) {}
    // Shows the ranking board on its own loop until the player leaves it.
    // Base: nothing.
    virtual void RunRankingLoop() {}
    // Returns once the application is active again (at once while it is),
    // or as soon as *quit is set. Base: at once.
    virtual void WaitWhileInactive(const std::atomic<int>* quit) {}

    // -- dialogs --
    // The name entry on the scene's ranking name; returns once it is closed.
    // Base: nothing.
    virtual void EnterName() {}
    // The save dialog of the current (0) or the previous (1) play's replay,
    // served by the window thread; returns once it is closed. Base: nothing.
    virtual void SaveReplay(int which) {}
    // A failure the player is told about (a box on Windows). Base: nothing.
    virtual void ErrorBox(const char* text) {}

    // -- stage files --
    // The newest revision of the stage file name (an "stg4" name); 1 with
    // path set, 0 when none exists. Base: 0.
    virtual int FindStageFile(std::string& path, const std::string& name) { return 0; }
    // Reads the stage file at path for play (its newest revision); 1 when it
    // is the stage now, 0 when it was refused (the reason reported). Base: 0.
    virtual int LoadStage(const std::string& path) { return 0; }
    // A fresh play of the stage file at path (progress reset, the stage read
    // again; in direct play with lives that never run out); 1, or 0 after
    // reporting. Base: 1.
    virtual int StartStageFile(const char* path, int directPlay) { return 1; }

    // -- the shell's clock and seed --
    // The every-n counter (mode 0 reset, 1 count: 1 on every n-th call,
    // 2 whether it is at 0). Base: a counter of the host's own.
    virtual int CountEvery(int mode, unsigned n);
    // The seed of a new recorded play: 1 with seed set, 0 to keep the last
    // play's seed. Base: 0.
    virtual int NewSeed(unsigned& seed) { return 0; }
    // The shell's part of a stage set-up: the menu tune forgotten, the
    // inputs' histories cleared, the every-second counter reset, the frame
    // rate set (frameRate, 60 when 0). Base: nothing.
    virtual void SetUpPlay(int frameRate) {}

    // -- closing --
    // Asks the program to close at the next chance. Base: the close request
    // to the main window (app/close_request.h), which any thread may make.
    virtual void RequestClose();

private:
    unsigned m_nEveryCounter = 0;
};

// The host the stage asks now: the one SetStageHost installed, else the
// build's default. Set and read on the game thread, and only between plays
// (a test swaps it around the play it runs).
cStageHost& StageHost();
// Installs host (null: the build's default again); returns the one before.
cStageHost* SetStageHost(cStageHost* host);
// The default host: the program's own (the Windows shell's), or the headless
// base where the program handed none over.
cStageHost& DefaultStageHost();
// The program hands its host over here before WinMain runs.
void SetProgramStageHost(cStageHost* host);
