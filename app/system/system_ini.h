#pragma once
// "System.ini": the player's machine settings (back end, window mode, colour
// depth, vertical sync, glyph caches, video stretching, the frame-rate display,
// a stage to play at once and the English switch). The key names and defaults
// are the game's own: they come from the option list of the system settings.
#include <string>
#include <vector>

// One "System.ini" key as the game defines it: its name and its default, an
// int for the number keys, a text for "FreeStage".
struct INIOPTION {
    std::string strKey;
    int nValue = 0;
    std::string strValue;
};

// Positions of the keys in the option list.
enum {
    INI_DIRECT3D,
    INI_WINDOWMODE,
    INI_BPP,
    INI_VSYNC,
    INI_D3D_FONTCACHE,
    INI_DD_FONTCACHE,
    INI_DD_VIDEOSTRETCH,
    INI_SHOWFPS,
    INI_FREESTAGE,
    INI_ENGLISH,
    INI_OPTION_COUNT
};

// The longest stage name "FreeStage" (and the command line) can hold.
constexpr size_t FREESTAGE_MAX_LENGTH = 259;

struct SYSTEMINI {
    int Direct3D = 0;        // 0 DirectDraw, 1 Direct3D, 2 or more: ask with the launch dialog
    int WindowMode = 0;      // 0 full screen, 1 window, 2 resizable window (Direct3D)
    int Bpp = 0;             // 0 automatic, else 8, 16 or 32
    int VSync = 0;           // 0 off, 1 on, 2 or more automatic
    int D3D_FontCache = 0;
    int DD_FontCache = 0;
    int DD_VideoStretch = 0;
    int ShowFps = 0;         // 0 off, 2 plain small text, other: text window
    int English = 0;
    std::string FreeStage;   // stage file to play at once; at most FREESTAGE_MAX_LENGTH bytes
};

// Threads: read at start-up by the window thread before the game thread
// exists; read-only afterwards, by every thread.
extern SYSTEMINI SystemIni;

// The option list a game has before its system settings are read: the ten keys
// with their usual defaults (2, 0, 0, 2, 0, 1, 0, 1, "", 0).
const std::vector<INIOPTION>& DefaultIniOptions();

// Number keys from the int defaults of options 0 to 7, FreeStage from the text
// of option 8, English always 0.
void SetSystemIniDefaults(SYSTEMINI& ini, const std::vector<INIOPTION>& options);

// Reads the file over ini, changing only the keys it meets. 1 when the file was
// read to its end marker (a line "Exit" or a NUL byte), 0 when it cannot be
// opened or ends without the marker; the caller then restores the defaults.
int ReadSystemIni(const char* path, SYSTEMINI& ini, const std::vector<INIOPTION>& options);
