#include "app/system/sound.h"

#include <algorithm>

#include "app/base/checked.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/base/log.h"
#include "app/base/main_window_handle.h"
#include "app/system/wave_file.h"
#include "app/base/whole_file.h"

HRESULT(WINAPI* lpDirectSoundCreate)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN) = DirectSoundCreate;

SOUNDEFFECTS SoundEffects;

const int SoundVolumeTable[11] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

namespace {

constexpr int SYSTEM_SOUND_COUNT = 17;

// The open DirectSound and what DS_Release frees. Threads: opened and closed
// by the window thread; the game thread's plays read it, never while the
// window thread serves one of its requests (it waits for each).
struct DirectSoundState {
    LPDIRECTSOUND lpDS = nullptr;
    LPDIRECTSOUNDBUFFER lpPrimary = nullptr;
    HWND hSoundWnd = nullptr;
    std::vector<DSSOUND>* lpSounds = nullptr;
    std::vector<DSSOUNDDEF>* lpSoundDefs = nullptr;
};
DirectSoundState device;

// An open that failed half-way: its trace line, and DirectSound closed again,
// so every function stays silent.
bool AbandonInit(const char* line)
{
    TraceLog(line);
    if (device.lpDS) device.lpDS->Release();
    device.lpDS = nullptr;
    return false;
}

LPDIRECTSOUNDBUFFER BufferAt(DSSOUND& sound, int index)
{
    if (index < 0 || index >= static_cast<int>(sound.Buffers.size())) return nullptr;
    return sound.Buffers[index].Get();
}

} // namespace

void BuildSoundLists(const SOUNDNAMES& names, std::vector<DSSOUNDDEF>& defs, std::vector<DSSOUND>& sounds)
{
    // Without a sound database the 17 system sounds still need their places.
    int count = std::max<int>(SYSTEM_SOUND_COUNT, static_cast<int>(names.UserSounds.size()) + 16);
    defs.resize(count);
    sounds.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::string* name = nullptr;
        if (i < SYSTEM_SOUND_COUNT) {
            if (i < static_cast<int>(names.SystemSounds.size())) name = &names.SystemSounds[i];
        } else {
            name = &names.UserSounds[i - 16];
        }
        if (!name) continue;
        defs[i].FileName = *name;
        defs[i].nBufferCount = 1;
        defs[i].nVolume = 0;
        defs[i].nSetting = 1;
    }
}

bool DS_Init(HWND window, DWORD rate, WORD bits, WORD channels)
{
    if (FAILED(lpDirectSoundCreate(nullptr, &device.lpDS, nullptr)) || !device.lpDS) {
        device.lpDS = nullptr;
        return AbandonInit("DIRECTSOUNDCREATE_ERR!");
    }
    if (FAILED(device.lpDS->SetCooperativeLevel(window, DSSCL_PRIORITY))) return AbandonInit("SETCOOPERATIVELEVEL_ERR!");
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN;
    if (FAILED(device.lpDS->CreateSoundBuffer(&desc, &device.lpPrimary, nullptr))) {
        device.lpPrimary = nullptr;
        return AbandonInit("CREATESOUNDBUFFER_ERR!");
    }
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = bits;
    format.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
    format.nAvgBytesPerSec = format.nBlockAlign * rate;
    device.lpPrimary->SetFormat(&format);
    device.hSoundWnd = window;
    device.lpSounds = nullptr;
    device.lpSoundDefs = nullptr;
    return true;
}

bool DS_ReadWave(const char* file, DSWAVE& wave)
{
    wave = DSWAVE{};
    std::vector<uint8_t> image;
    if (!ReadWholeFile(file, image)) return false;
    WAVEPCM format;
    std::vector<uint8_t> samples;
    if (!ParseWave(image.data(), image.size(), format, samples)) return false;
    wave.Format.wFormatTag = format.wFormatTag;
    wave.Format.nChannels = format.nChannels;
    wave.Format.nSamplesPerSec = format.nSamplesPerSec;
    wave.Format.nAvgBytesPerSec = format.nAvgBytesPerSec;
    wave.Format.nBlockAlign = format.nBlockAlign;
    wave.Format.wBitsPerSample = format.wBitsPerSample;
    wave.Format.cbSize = format.cbSize;
    wave.Data = std::move(samples);
    return true;
}

void DS_FreeWave(DSWAVE& wave)
{
    std::vector<unsigned char>().swap(wave.Data);
}

bool DS_CreateBuffer(LPDIRECTSOUNDBUFFER* out, const char* file)
{
    *out = nullptr;
    DSWAVE wave;
    if (!DS_ReadWave(file, wave)) {
        TraceLogF("%s読み込み失敗！", file);
        return false;
    }
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                   DSBCAPS_GETCURRENTPOSITION2;
    desc.dwBufferBytes = static_cast<DWORD>(wave.Data.size());
    desc.lpwfxFormat = &wave.Format;
    if (!device.lpDS || FAILED(device.lpDS->CreateSoundBuffer(&desc, out, nullptr)) || !*out) {
        *out = nullptr;
        TraceLogF("%s生成失敗！", file);
        return false;
    }
    void* p1 = nullptr;
    void* p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    // A buffer whose samples could not be written would play silence: it
    // counts as not created.
    if (FAILED((*out)->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER)) || !p1) {
        (*out)->Release();
        *out = nullptr;
        DS_FreeWave(wave);
        TraceLogF("%s生成失敗！", file);
        return false;
    }
    memcpy(p1, wave.Data.data(), std::min<size_t>(n1, wave.Data.size()));
    (*out)->Unlock(p1, n1, p2, n2);
    DS_FreeWave(wave);
    return true;
}

bool DS_DuplicateBuffer(LPDIRECTSOUNDBUFFER* out, LPDIRECTSOUNDBUFFER source)
{
    if (!device.lpDS) return true;
    *out = nullptr;
    if (!source || FAILED(device.lpDS->DuplicateSoundBuffer(source, out)) || !*out) {
        *out = nullptr;
        return false;
    }
    return true;
}

bool DS_LoadSound(DSSOUND& sound, const char* file, int count, int volume)
{
    if (!device.lpDS) return true;
    DS_FreeSound(sound);
    try {
        sound.Buffers.clear();
        sound.Buffers.resize(std::max(count, 1));
    } catch (const std::bad_alloc&) {
        TraceLogF("%sのメモリ確保失敗！", file);
        return false;
    }
    if (!DS_CreateBuffer(sound.Buffers[0].Put(), file)) return false;
    for (size_t j = 1; j < sound.Buffers.size(); ++j) {
        if (!DS_DuplicateBuffer(sound.Buffers[j].Put(), sound.Buffers[0].Get())) {
            TraceLogF("%sのメモリ共用バッファの生成失敗！", file);
            return false;
        }
    }
    sound.nBufferCount = static_cast<int>(sound.Buffers.size());
    sound.FileName = file;
    if (volume != 0)
        for (int j = 0; j < sound.nBufferCount; ++j) DS_SetVolume(sound, j, volume, 0);
    return true;
}

int DS_LoadSounds(std::vector<DSSOUND>& sounds, std::vector<DSSOUNDDEF>& defs, int volume)
{
    device.lpSounds = &sounds;
    device.lpSoundDefs = &defs;
    for (int i = 0; i < static_cast<int>(sounds.size()); ++i) {
        if (!sounds[i].Buffers.empty()) continue;
        const DSSOUNDDEF& def = CheckedAt(defs, i);
        DS_LoadSound(sounds[i], def.FileName.c_str(), def.nBufferCount, volume != 0 ? volume : def.nVolume);
    }
    return 1;
}

void DS_Play(DSSOUND& sound, DWORD flags)
{
    if (!device.lpDS) return;
    LPDIRECTSOUNDBUFFER buffer = BufferAt(sound, sound.nNext);
    if (!buffer) return;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0, 0, flags);
    if (++sound.nNext >= sound.nBufferCount) sound.nNext = 0;
}

int DS_SetVolume(DSSOUND& sound, int index, int volume, int relative)
{
    if (!device.lpDS) return 0;
    LPDIRECTSOUNDBUFFER buffer = BufferAt(sound, index);
    if (!buffer) return 0;
    if (relative == 1) volume += DS_GetVolume(sound, index);
    volume = std::clamp(volume, DSBVOLUME_MIN, DSBVOLUME_MAX);
    buffer->SetVolume(volume);
    return volume;
}

int DS_GetVolume(DSSOUND& sound, int index)
{
    if (!device.lpDS) return 0;
    LPDIRECTSOUNDBUFFER buffer = BufferAt(sound, index);
    LONG volume = 0;
    if (!buffer || FAILED(buffer->GetVolume(&volume))) return 0;
    return volume;
}

void DS_FreeSound(DSSOUND& sound)
{
    // Every slot that was built is released, the duplicates first, also when
    // the sound failed half-way.
    for (size_t j = sound.Buffers.size(); j-- > 0;) sound.Buffers[j].Reset();
    sound.Buffers.clear();
    sound.nBufferCount = 0;
    sound.nNext = 0;
}

DSSOUND::~DSSOUND() { DS_FreeSound(*this); }

void DS_Release()
{
    if (!device.lpDS) return;
    if (device.lpSounds)
        for (DSSOUND& sound : *device.lpSounds) DS_FreeSound(sound);
    if (device.lpPrimary) device.lpPrimary->Release();
    device.lpPrimary = nullptr;
    device.lpDS->Release();
    device.lpDS = nullptr;
    device.lpSounds = nullptr;
    device.lpSoundDefs = nullptr;
}

void DS_PlayCursorSE(const cInput& input, int axes, int number)
{
    if (!device.lpDS || !device.lpSounds || device.lpSounds->empty()) return;
    const int horizontal = INPUT_LEFT | INPUT_RIGHT, vertical = INPUT_UP | INPUT_DOWN;
    if (((axes & 1) && (input.m_wDirection & horizontal)) || ((axes & 2) && (input.m_wDirection & vertical)))
        DS_Play(CheckedAt(*device.lpSounds, number), 0);
}

void PlaySE(int number)
{
    SendMessageA(hMainWnd, WM_GAME_PLAYSE, static_cast<WPARAM>(number), 0);
}

void PlayUserSE(int n)
{
    int16_t user = static_cast<int16_t>(n);
    if (user == 0) return;
    SendMessageA(hMainWnd, WM_GAME_PLAYSE, static_cast<WPARAM>(user + 16), 0);
}
