#pragma once
// What the running stage asks of the window thread: sounds, music and the
// pause loop that holds the game still. On Windows the entries are the
// shell's own requests; the headless build leaves them empty (an empty entry
// does nothing), and a test points them at its own recorders.
//
// Every entry is called on the game thread and returns when the request has
// been served.
class cPlayScreenPainter;

struct STAGESERVICES {
    // Sound effect number n of the system's list.
    void (*lpPlaySE)(int n);
    // User sound n of the sound database (0: nothing).
    void (*lpPlayUserSE)(int n);
    // Tune n of the music database for the stage, looping with loop set;
    // 0 stops the music.
    void (*lpRequestBgm)(int n, int loop);
    // Runs the pause loop on its own thread until the wait in the scene's
    // m_Wait is served, while the game thread waits; handshake: the new
    // thread is posted its start message before the wait.
    void (*lpRunPauseLoop)(int handshake);
    // Later blits are drawn opaque again (the screen effect that blended has gone).
    void (*lpResetBlending)();
    // Draws the play screen's pixels (stage/play_screen.h); the headless
    // build has none and draws nothing.
    cPlayScreenPainter* lpPainter;
};

extern STAGESERVICES StageServices;

// The entries called when they are set.
void StagePlaySE(int n);
void StagePlayUserSE(int n);
void StageRequestBgm(int n, int loop);
void StageRunPauseLoop(int handshake);
void StageResetBlending();
