#pragma once
// Reading a stage file for play. The file is read on thLoadStage while the
// calling thread (the game thread, or the window thread for a file chosen in
// the open-file dialog or named at start-up) goes on serving its own
// messages, so that the window stays responsive.
#include <string>

#include "records/stage_data.h"

// Reads the stage file name into StageData (files/stage_file.h). With
// findNewest the newest revision "<name with extension stg4>_NNN", 999 down
// to 000, is read, and none existing fails without a message; otherwise name
// is read as given. Then, unless out is null, out takes the settings of the
// stage read (CopyPlaySettings; the runtime passes PlayStageData). 1 when
// the stage was read and has a hero; 0 otherwise, with out untouched. A file
// that cannot be read whole leaves StageData as it was; a stage read whole
// is StageData even when it is then refused.
//
// A damaged file, one whose end marker is wrong and a stage without a hero
// are each reported in an error box; the caller decides where play goes on.
// A WM_QUIT taken meanwhile fails the load: the reader is let finish and
// joined, and the WM_QUIT is posted again for the caller's own loop.
int LoadStage(const std::string& name, bool findNewest, cStageData* out);

// The body of thLoadStage: reads the file named by arg (a std::string) and,
// when the whole stage was read, makes it StageData with m_bLoaded 1.
unsigned __stdcall LoadStageThread(void* arg);

// 1 when start-up plays the stage file named on the command line or by
// "System.ini"; set by InitGame before the game thread exists, never cleared.
extern int bDirectPlay;
