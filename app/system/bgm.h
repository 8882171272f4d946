#pragma once
// Background music: five tune entries (0 title, 1 world map, 2 challenge
// select, 3 options, 4 stage), each naming an Ogg Vorbis file, played by the
// player library "Vox.dll", or a Standard MIDI File, played over the MIDI
// stream interface. Everything comes from the window thread, the options'
// music switch included.
#include <windows.h>

#include <string>
#include <vector>

#include "app/system/midi_stream.h"
#include "vox/vox.h"

constexpr int BGM_ENTRY_COUNT = 5;
constexpr int BGM_OGG_NAME_SIZE = 260;
constexpr int BGM_MIDI_NAME_SIZE = 264;

// The name tables handed to cBgm::Init, "bgm\Title.ogg" ... "bgm\Stage.mid"
// until SetFile names other files. Threads: as Bgm's, which holds them.
extern char BgmOggNames[BGM_ENTRY_COUNT][BGM_OGG_NAME_SIZE];
extern char BgmMidiNames[BGM_ENTRY_COUNT][BGM_MIDI_NAME_SIZE];

// The players of "Vox.dll", one per channel. The one owner of the players and
// of the library: never copied, and released with it.
class cVox {
public:
    cVox() = default;
    cVox(const cVox&) = delete;
    cVox& operator=(const cVox&) = delete;
    ~cVox() { Release(); }

    // Loads the library and finds "CreateVox"; 0 (after an error box) when either is missing.
    int Init();
    // n players, one per channel; 0 when one cannot be made.
    int Create(int n);
    // Stops whatever plays, loads the file on the channel's player and plays
    // it, endlessly when loop is set; 1 when it plays.
    int Play(int channel, const char* path, int loop);
    void Stop();
    void Release();

    std::vector<VOXPLAYER*> m_Players;
    int m_nChannels = 0;
    int m_nPlaying = -1;  // the channel now playing
    HMODULE m_hModule = nullptr;
    LPCREATEVOX m_lpCreateVox = nullptr;

private:
    // Deletes every player; no channel plays afterwards.
    void DeletePlayers();
};

class cBgm {
public:
    enum { KIND_ANY = 0, KIND_OGG = 1, KIND_MIDI = 2 };
    enum { BACKEND_NONE = 0, BACKEND_OGG = 1, BACKEND_MIDI = 2 };

    ~cBgm();
    // 1 when the music is ready; 0 when "Vox.dll" is missing, and the
    // component then stays off.
    int Init(int channels, char (*oggNames)[BGM_OGG_NAME_SIZE], char (*midiNames)[BGM_MIDI_NAME_SIZE], int entries);
    void SetChannels(int n);
    // Names the entry's file; the extension picks the player. 1 for "ogg" and
    // "mid" (either case), 0 otherwise (and for a name too long to keep).
    int SetFile(int entry, const char* file);
    int Play(int channel, int entry, int loop, int pauseOthers, int force);
    void Stop();
    void Release();

    int m_bInitialized = 0;
    cVox m_Vox;
    char (*m_lpOggNames)[BGM_OGG_NAME_SIZE] = nullptr;
    cMidiPlayer m_MidiPlayer;
    char (*m_lpMidiNames)[BGM_MIDI_NAME_SIZE] = nullptr;
    int m_nCurrent = -1;
    std::vector<int> m_Kinds;
    std::vector<int> m_Backends;

private:
    // The entry index to use: a bad one is reported and taken as 0; -1 when there is none.
    int CheckEntry(int entry);
};

// Threads: played and switched by the window thread (the music requests and
// start-up); the game thread only sends those requests.
extern cBgm Bgm;

// A music request of the window thread: entries 0 to 3 play the tune number
// (0: stop), entry 4 first names it as the stage tune (also 0) and then plays
// or stops; tunes: the music database's file names, entry 0 included.
void ServeBgmRequest(cBgm& bgm, int entry, int tune, int loop, const std::vector<std::string>& tunes);

// The options' music switch, on the window thread: music off shuts a running
// component down; music on sets a stopped one up again as start-up does. 1
// when the component was changed (the menus then ask for their tunes anew).
int ApplyMusicSwitch(cBgm& bgm, int on);
