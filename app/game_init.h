#pragma once
// Bringing the runtime up between the creation of the hidden main window and
// the start of the game thread, and releasing it again at the end.
#include <string>
#include <vector>

#include "app/system/system_ini.h"

class cIniOption;


// True when the game can start; after false, UnInitGame still runs.
bool InitGame(const char* commandLine, int showMode);
// Releases what InitGame built; safe after a failed or partial start.
void UnInitGame();

// Start-up's reading of the game's data: "data\" (made from "default\" with
// the player's consent), the working folders, the database with the tables
// built from it, and the system settings. RecordContext then holds the
// database's list lengths and whether editor-only flows stay (a test play
// from the editor, or the settings' flow-keep switch), for the common palette
// and every stage read afterwards. False after a box.
bool LoadGameData();

// The "System.ini" keys of the game's system settings, as the reader takes them.
std::vector<INIOPTION> IniOptionsOf(const std::vector<cIniOption>& options);
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

// The music (when the options have it on) and the sound effects of the
// system settings and the sound database. Without a sound device the game
// goes on silently, with a line in the report log: every sound function does
// nothing while DirectSound is closed.
void StartSoundAndMusic();

// The display asked of the graphics library, worked out from "System.ini",
// the system settings and the desktop.
struct DISPLAYCHOICE {
    int bWindowed = 0;
    int nBpp = 0;
};
// What the display choice reads besides the keys.
struct DISPLAYFACTS {
    int nDesktopBpp = 32;        // the desktop's current depth
    int bVistaOrLater = 1;       // Windows 6.0 or later
    int nD3DFullBpp = 0;         // the system settings' default colour mode per back end:
    int nDDFullBpp = 0;          //   0 32 bits, 1 16 bits, 2 8 bits (DirectDraw only)
    int bFullColor = 0;          // the explicit transparent colour switch
};
// Settles VSync and the window mode for the chosen back end, and a Bpp key of
// 0 (written back into the key).
DISPLAYCHOICE ChooseDisplay(SYSTEMINI& ini, const DISPLAYFACTS& facts);
// 0 when the depth is allowed for the back end and window mode; otherwise the
// text of the box that ends start-up.
const char* CheckDisplayDepth(const SYSTEMINI& ini, const DISPLAYCHOICE& choice, const DISPLAYFACTS& facts);
