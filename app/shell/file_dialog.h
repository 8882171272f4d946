#pragma once
// The common open-file and save-file dialogs, as the stage, replay and save
// requests of the window thread use them. In 8-bit DirectDraw mode palette
// entry 0 is shown black while a dialog is open, so that its text stays
// readable; the entry is restored whatever the outcome.
#include <windows.h>

#include <string>
#include <vector>

constexpr int FILE_DIALOG_PATH_SIZE = MAX_PATH;

// buffer (bufferSize bytes) receives the choice; folder is where the dialog
// starts; filter is the usual pairs of NUL-ended texts. With multiSelect the
// player may choose several files. When results is given it receives every
// chosen file as a full path, in the order the dialog gave them. 1 when a
// file was chosen, 0 when cancelled or failed.
int OpenFileDialog(HWND owner, char* buffer, int bufferSize, const char* folder, const char* title,
                   const char* filter, const char* defaultExtension, int multiSelect,
                   std::vector<std::string>* results);

// buffer holds FILE_DIALOG_PATH_SIZE bytes; it is emptied first unless keep is
// set (it then proposes its name). A file that exists is replaced only after
// the player agrees. 1 when a name was chosen, 0 otherwise.
int SaveFileDialog(HWND owner, char* buffer, const char* folder, const char* title, const char* filter,
                   const char* defaultExtension, int keep);

// The paths a multi-selection buffer names: one full path, or a folder followed
// by file names, each ended by a NUL and the whole by a second NUL. Nothing
// beyond size bytes is read.
std::vector<std::string> SplitFileSelection(const char* buffer, size_t size);
