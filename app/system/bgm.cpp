#include "app/system/bgm.h"

#include <cstring>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"

char BgmOggNames[BGM_ENTRY_COUNT][BGM_OGG_NAME_SIZE] = {
    "bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Challenge.ogg", "bgm\\Option.ogg", "bgm\\Stage.ogg"};
char BgmMidiNames[BGM_ENTRY_COUNT][BGM_MIDI_NAME_SIZE] = {
    "bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Challenge.mid", "bgm\\Option.mid", "bgm\\Stage.mid"};

int cVox::Init()
{
    m_hModule = LoadLibraryA("Vox.dll");
    m_lpCreateVox = m_hModule ? reinterpret_cast<LPCREATEVOX>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "CreateVox"))) : nullptr;
    if (!m_lpCreateVox) {
        if (m_hModule) FreeLibrary(m_hModule);
        m_hModule = nullptr;
        ErrorBoxF("oggの初期化に失敗！");
        return 0;
    }
    return 1;
}

int cVox::Create(int n)
{
    m_nChannels = n;
    DeletePlayers();
    m_Players.assign(n > 0 ? n : 0, nullptr);
    for (VOXPLAYER*& player : m_Players) {
        player = m_lpCreateVox ? m_lpCreateVox() : nullptr;
        if (!player) {
            OutOfMemoryExit();
            return 0;
        }
    }
    return 1;
}

int cVox::Play(int channel, const char* path, int loop)
{
    if (!path || !*path) return 0;
    Stop();
    if (m_Players.empty()) return 0;
    VOXPLAYER* player = CheckedAt(m_Players, channel);
    if (!player) return 0;
    player->lpOps->Close(player);
    if (!player->lpOps->Load(player, path)) {
        m_nPlaying = -1;
        return 0;
    }
    player->lpOps->SetLoop(player, loop ? VOX_LOOP_ENDLESS : 0);
    player->lpOps->Play(player);
    m_nPlaying = channel;
    return 1;
}

void cVox::Stop()
{
    if (m_nPlaying < 0) return;
    if (m_nPlaying < static_cast<int>(m_Players.size()) && m_Players[m_nPlaying])
        m_Players[m_nPlaying]->lpOps->Stop(m_Players[m_nPlaying]);
    m_nPlaying = -1;
}

void cVox::DeletePlayers()
{
    for (VOXPLAYER* player : m_Players)
        if (player) player->lpOps->Delete(player);
    m_Players.clear();
    m_nPlaying = -1;
}

void cVox::Release()
{
    DeletePlayers();
    if (m_hModule) FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_lpCreateVox = nullptr;
}

cBgm::~cBgm() { Release(); }

int cBgm::Init(int channels, char (*oggNames)[BGM_OGG_NAME_SIZE], char (*midiNames)[BGM_MIDI_NAME_SIZE], int entries)
{
    m_MidiPlayer.DeleteAll();
    if (!m_Vox.Init()) {
        // Without the player library the music stays off altogether.
        m_bInitialized = 0;
        TraceLog("m_Vox.Init失敗！");
        return 0;
    }
    m_bInitialized = 1;
    SetChannels(channels);
    m_lpOggNames = oggNames;
    m_lpMidiNames = midiNames;
    m_Kinds.assign(entries > 0 ? entries : 0, KIND_ANY);
    return 1;
}

void cBgm::SetChannels(int n)
{
    if (!m_bInitialized) return;
    m_MidiPlayer.Resize(n);
    m_Vox.Create(n);
    m_Backends.assign(n > 0 ? n : 0, BACKEND_NONE);
}

int cBgm::CheckEntry(int entry)
{
    if (m_Kinds.empty() || !m_lpOggNames || !m_lpMidiNames) return -1;
    if (entry >= 0 && entry < static_cast<int>(m_Kinds.size())) return entry;
    ReportBadIndex('V', entry, static_cast<int>(m_Kinds.size()), static_cast<int>(sizeof(int)));
    return 0;
}

int cBgm::SetFile(int entry, const char* file)
{
    if (!m_bInitialized) return 1;
    const int e = CheckEntry(entry);
    if (e < 0) return 0;
    char* ogg = m_lpOggNames[e];
    char* midi = m_lpMidiNames[e];
    int& kind = m_Kinds[e];
    std::string name = file ? file : "";
    std::string extension;
    if (!GetExtension(extension, name)) {
        ogg[0] = midi[0] = '\0';
        kind = KIND_ANY;
        return 0;
    }
    if (extension == "mid" || extension == "MID") {
        std::string midiName;
        ChangeExtension(midiName, name, "mid");
        if (midiName.size() < BGM_MIDI_NAME_SIZE) {
            memcpy(midi, midiName.c_str(), midiName.size() + 1);
            kind = KIND_MIDI;
            return 1;
        }
    } else if (name.size() < BGM_OGG_NAME_SIZE) {
        memcpy(ogg, name.c_str(), name.size() + 1);
        if (extension == "ogg" || extension == "OGG") {
            kind = KIND_OGG;
            return 1;
        }
        memcpy(midi, name.c_str(), name.size() + 1);
        kind = KIND_ANY;
        return 0;
    }
    // A name the tables cannot hold whole is not cut to some other file's name.
    ReportLogAndTrace("BGM %s ファイル名が長すぎます", name.c_str());
    ogg[0] = midi[0] = '\0';
    kind = KIND_ANY;
    return 0;
}

int cBgm::Play(int channel, int entry, int loop, int pauseOthers, int force)
{
    if (!m_bInitialized) return 1;
    if (entry == m_nCurrent && !force) return 1;
    const int e = CheckEntry(entry);
    if (e < 0 || m_Backends.empty()) return 0;
    if (channel < 0 || channel >= static_cast<int>(m_Backends.size())) {
        ReportBadIndex('V', channel, static_cast<int>(m_Backends.size()), static_cast<int>(sizeof(int)));
        channel = 0;
    }
    m_nCurrent = entry;
    int& backend = m_Backends[channel];
    const int kind = m_Kinds[e];
    if (kind == KIND_ANY || kind == KIND_OGG) {
        if (m_Vox.Play(channel, m_lpOggNames[e], loop)) {
            backend = BACKEND_OGG;
            m_MidiPlayer.StopAll(kind == KIND_ANY ? pauseOthers : 0);
            return 1;
        }
    }
    if (kind == KIND_ANY || kind == KIND_MIDI) {
        if (m_MidiPlayer.Play(channel, m_lpMidiNames[e], loop)) {
            backend = BACKEND_MIDI;
            m_Vox.Stop();
            return 1;
        }
    }
    backend = BACKEND_NONE;
    m_nCurrent = -1;
    m_Vox.Stop();
    m_MidiPlayer.StopAll(0);
    return 0;
}

void cBgm::Stop()
{
    if (!m_bInitialized) return;
    m_MidiPlayer.StopAll(0);
    m_Vox.Stop();
}

void cBgm::Release()
{
    if (!m_bInitialized) return;
    m_Vox.Release();
    m_MidiPlayer.DeleteAll();
    m_bInitialized = 0;
}

void ServeBgmRequest(cBgm& bgm, int entry, int tune, int loop, const std::vector<std::string>& tunes)
{
    if (entry < 0 || entry >= BGM_ENTRY_COUNT) return;
    auto name = [&]() { return tunes.empty() ? std::string() : CheckedAt(tunes, tune); };
    if (entry == BGM_ENTRY_COUNT - 1) bgm.SetFile(entry, name().c_str());
    if (tune == 0) {
        bgm.Stop();
        return;
    }
    if (entry != BGM_ENTRY_COUNT - 1) bgm.SetFile(entry, name().c_str());
    bgm.Play(0, entry, loop, 0, 1);
}

int ApplyMusicSwitch(cBgm& bgm, int on)
{
    if ((bgm.m_bInitialized != 0) == (on != 0)) return 0;
    bgm.Release();
    if (on) bgm.Init(1, BgmOggNames, BgmMidiNames, BGM_ENTRY_COUNT);
    return 1;
}
