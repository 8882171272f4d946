#pragma once
// Bringing the runtime up between the creation of the hidden main window and
// the start of the game thread, and releasing it again at the end.
#include "app/system_ini.h"

// True when the game can start; after false, UnInitGame still runs.
bool InitGame(const char* commandLine, int showMode);
// Releases what InitGame built; safe after a failed or partial start.
void UnInitGame();

// Reads "System.ini" over the defaults of the option list; a file that cannot
// be read is reported with a box and leaves every key at its default.
void LoadSystemIni(SYSTEMINI& ini, const std::vector<INIOPTION>& options);
// A non-empty command line names a stage file to play at once and overrides "FreeStage".
void TakeCommandLine(SYSTEMINI& ini, const char* commandLine);
// Resolves "FreeStage" to the newest numbered stage file of that name, or
// without one to the file of exactly that name: 1 with the key holding its
// path; 0 when no stage is named, or when neither exists (reported, and the
// key emptied: the game starts at the title).
int FindFreeStage(SYSTEMINI& ini);
