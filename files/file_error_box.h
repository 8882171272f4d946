#pragma once
// The error box of a game data file that cannot be read. The data files have
// no window of their own: the shell points lpFileErrorBox at its error box
// (caption "エラー", an OK button; it returns when the box is closed) at
// start-up. The text always goes to the report log as well, so a run
// without the shell (or before start-up) still says which file failed.
#include "app/base/format.h"

// Set by start-up on the window thread before the game thread exists (a test
// sets its own first); read by every thread that reports a file.
extern int (*lpFileErrorBox)(const char* text);

// Formats the text, writes it to the report log and shows it through
// lpFileErrorBox when one is set.
void FileErrorBox(const char* format, ...) GAME_PRINTF(1, 2);
