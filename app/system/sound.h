#pragma once
// Sound effects: short PCM WAV files held in DirectSound's static secondary
// buffers and played by number. Numbers 0 to 16 are the 17 system sounds,
// 17 and up the sound database's entries from entry 1 on (user sound n is
// number n + 16).
//
// Every function but DS_Init does nothing while DirectSound is closed, so the
// game runs silently when it never opened.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <string>
#include <vector>

#include "app/base/sound_request.h"
#include "app/system/com_ptr.h"

class cInput;

// How one sound-effect number is to be loaded.
struct DSSOUNDDEF {
    std::string FileName;  // relative to the current directory
    int nBufferCount = 0;  // plays that may overlap; 1 for every sound of the game
    int nVolume = 0;       // hundredths of a decibel; 0 = none given
    int nSetting = 0;      // carried for the list's owner; not read here
};

// One loaded sound, the one owner of its buffers: moved, never copied, and
// its buffers released with it. An empty buffer array means "not loaded"; a
// slot that failed to build stays null and plays nothing. DS_Release frees
// the sound list's buffers before DirectSound closes, which takes every
// buffer it made with it.
struct DSSOUND {
    DSSOUND() = default;
    DSSOUND(DSSOUND&&) noexcept = default;
    DSSOUND& operator=(DSSOUND&&) noexcept = default;
    DSSOUND(const DSSOUND&) = delete;
    DSSOUND& operator=(const DSSOUND&) = delete;
    ~DSSOUND();

    std::string FileName;
    std::vector<cComPtr<IDirectSoundBuffer>> Buffers;  // [0] from the file, the rest share its samples
    int nBufferCount = 0;
    int nNext = 0;  // round-robin index of the buffer played next
};

struct DSWAVE {
    WAVEFORMATEX Format = {};
    std::vector<unsigned char> Data;
};

// The sound list and the definition list, one entry per sound-effect number.
// Threads: built and played by the window thread (sound requests); the game
// thread plays the menus' cursor sounds and sets volumes itself, never while
// the window thread serves one of its requests, since it waits for each.
struct SOUNDEFFECTS {
    std::vector<DSSOUNDDEF> SoundDefList;
    std::vector<DSSOUND> SoundList;
};
extern SOUNDEFFECTS SoundEffects;

// The DirectSound creation, on the default device. The one seam of this
// component: a test points it at a stand-in to play a machine without sound.
// It keeps DirectSoundCreate's contract (S_OK and the object, or an error).
extern HRESULT(WINAPI* lpDirectSoundCreate)(LPCGUID device, LPDIRECTSOUND* out, LPUNKNOWN outer);

// DirectSound-volume of each step 0 to 10 of the options' sound-effect volume.
extern const int SoundVolumeTable[11];

// The names the sound list is built from, as the data files give them.
struct SOUNDNAMES {
    std::vector<std::string> SystemSounds;  // the 17 system sounds of the system settings
    std::vector<std::string> UserSounds;    // the sound database's file names, entry 0 included
};
// Sizes both lists to the user sounds + 16 entries, never fewer than the 17
// system sounds, and names each definition (one buffer, no volume, setting 1).
void BuildSoundLists(const SOUNDNAMES& names, std::vector<DSSOUNDDEF>& defs, std::vector<DSSOUND>& sounds);

bool DS_Init(HWND window, DWORD rate, WORD bits, WORD channels);
// Loads every sound of the list not loaded yet; volume 0 keeps each
// definition's own. Returns 1.
int DS_LoadSounds(std::vector<DSSOUND>& sounds, std::vector<DSSOUNDDEF>& defs, int volume);
bool DS_LoadSound(DSSOUND& sound, const char* file, int count, int volume);
bool DS_CreateBuffer(LPDIRECTSOUNDBUFFER* out, const char* file);
bool DS_DuplicateBuffer(LPDIRECTSOUNDBUFFER* out, LPDIRECTSOUNDBUFFER source);
// Restarts the sound's next buffer from its beginning and moves on round-robin.
void DS_Play(DSSOUND& sound, DWORD flags);
// Sets (relative: adds to) the buffer's volume, clamped to -10000..0; returns
// the volume set, 0 when there is nothing to set.
int DS_SetVolume(DSSOUND& sound, int index, int volume, int relative);
int DS_GetVolume(DSSOUND& sound, int index);
void DS_FreeSound(DSSOUND& sound);
void DS_Release();
bool DS_ReadWave(const char* file, DSWAVE& wave);
void DS_FreeWave(DSWAVE& wave);

// A menu's cursor sound, on the game thread: plays the sound when the input
// holds left or right (axes & 1) or up or down (axes & 2).
void DS_PlayCursorSE(const cInput& input, int axes, int number);
