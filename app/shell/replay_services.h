#pragma once
// What the window thread does with replay files for the game thread: the
// save dialog with its suggested name, writing the current or the previous
// play's replay, and reading a chosen replay into the game for playback.
#include <windows.h>

#include <string>

// The name proposed for a new replay of the stage named by stageKey: the
// key's file name with the replay extension and the first free number
// "_00" to "_88" (digits 0 to 8 each; the last one when all are taken).
// Empty for an empty key. exists tells whether a file is there.
std::string SuggestReplayFileName(const std::string& stageKey, bool (*exists)(const std::string& path));

// The save dialog in "user_data\rpl4\" proposing the suggested name for the
// progress's stage; 1 with path (FILE_DIALOG_PATH_SIZE bytes) filled when a
// name was chosen.
int AskReplayFileName(HWND owner, char* path);

// Writes the current play's replay (previous 0) or the previous play's
// (previous 1), each with the progress its play started from, with the
// stage in play. A file that cannot be written is explained in a box and
// the play goes on: 0 then, 1 when written.
int SaveReplayForPlay(const char* path, int previous);

// Reads the replay file at path into the replay, the stage and the progress
// for playback. A file that cannot be read, or a stage without its hero, is
// explained in a box and changes nothing: 0 then, 1 when loaded.
int LoadReplayForPlay(const char* path);
