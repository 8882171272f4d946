#pragma once
// What the stage end, the replay keys and the sub-loops ask of the shell:
// how the play was started, the stage files on disk, the dialogs of the
// window thread and the ranking board's own loop. On Windows the entries are
// the shell's (set in stage/stage_end_services.cpp); the headless build leaves
// them empty, where an empty entry gives 0 or does nothing, and a test points
// them at its own.
//
// Every entry is called on the game thread.
#include <atomic>
#include <string>

struct STAGEENDSERVICES {
    // The kind of the title item that started the game: 0 new story,
    // 1 continue, 2 challenge, 3 stage file, 4 replay playback.
    int (*lpStartKind)();
    // The play mode (0 story, 1 challenge, 2 stage file, 3 replay) and
    // whether its plays enter the rankings.
    int (*lpPlayMode)();
    int (*lpRankingOn)();
    // The stage named at start-up is being played.
    int (*lpDirectPlay)();
    // Returns once the application is active again (at once while it is),
    // or as soon as *quit is set (1 ms sleeps meanwhile).
    void (*lpWaitWhileInactive)(const std::atomic<int>* quit);
    // The newest revision of the stage file name (an "stg4" name); 1 with
    // path set, 0 when none exists.
    int (*lpFindStageFile)(std::string& path, const std::string& name);
    // Reads the stage file at path for play (its newest revision); 1 when it
    // is the stage now, 0 when it was refused (the reason reported).
    int (*lpLoadStage)(const std::string& path);
    // The name entry on the scene's ranking name; returns once it is closed.
    void (*lpEnterName)();
    // Shows the ranking board on its own loop until the player leaves it.
    void (*lpRunRankingLoop)();
    // Key F1 (which 0) or F2 (which 1) is held now.
    int (*lpReplayKeyDown)(int which);
    // The save dialog of the current (0) or the previous (1) play's replay,
    // served by the window thread; returns once it is closed.
    void (*lpSaveReplay)(int which);
    // A failure the player is told about (a box on Windows).
    void (*lpErrorBox)(const char* text);
};

extern STAGEENDSERVICES StageEndServices;

// The entries, 0 where empty.
int StageStartKind();
int StagePlayMode();
int StageRankingOn();
int StageDirectPlay();
