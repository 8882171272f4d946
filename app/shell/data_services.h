#pragma once
// What the window thread's requests need of the data files, the stage and
// the replays: the game's own services by default, a seam that tests point
// elsewhere. Entries are read on the window thread; they are set before the
// game thread starts and not changed later.
#include <windows.h>

#include <string>
#include <vector>

struct DATASERVICES {
    // Resets the game session and loads the stage file for play (directPlay 1
    // from start-up); 1 on success, 0 after reporting the reason.
    int (*lpStartStageFile)(const char* path, int directPlay);
    // Reads a replay file into the replay, the stage and the progress, and
    // makes the path the stage's file path; 1 on success, 0 (reported).
    int (*lpLoadReplayFile)(const char* path);
    // The save dialog of a replay (it switches the dialog mode itself),
    // proposing a name made from the stage name; 1 with path (MAX_PATH bytes)
    // filled, 0 when cancelled.
    int (*lpAskReplayFileName)(HWND owner, char* path);
    // Writes the current replay (previous 0) or the previous play's one, each
    // with its own progress copy; 1 on success, 0 (reported).
    int (*lpSaveReplayFile)(const char* path, int previous);
    // The options' registered ranking name, edited by the name entry that the
    // options screen asks for; null when there is none.
    std::string* (*lpOptionsRankingName)();
    // The system settings' music number and loop flag of menu slot 0 to 3.
    void (*lpMenuTune)(int slot, int* tune, int* loop);
    // Stores the stage's music number in the progress; gives the loop switch
    // that the stage stored with it.
    int (*lpSetStageTune)(int tune);
    // The music database's file names, entry 0 included.
    const std::vector<std::string>& (*lpTuneNames)();
};

// Filled by its static initialiser; a test replaces entries before the thread
// that calls them runs. Read by the window thread serving requests.
extern DATASERVICES DataServices;
