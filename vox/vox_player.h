#pragma once
// One player object of "Vox.dll": a loaded Ogg Vorbis file streamed to the
// wave output device in small buffers from a thread of its own.
#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "vox/vorbis_source.h"
#include "vox/vox.h"

class cVoxPlayer : public VOXPLAYER {
public:
    cVoxPlayer();
    ~cVoxPlayer();
    cVoxPlayer(const cVoxPlayer&) = delete;
    cVoxPlayer& operator=(const cVoxPlayer&) = delete;

    bool Load(const char* path);
    void Play();
    void Stop();
    void Close();
    void SetLoop(int count) { m_nLoop = count < 0 ? 0 : count; }
    int Status() const;
    unsigned Position() const { return static_cast<unsigned>(m_nPosition); }
    unsigned Length() const { return m_Source.Length(); }
    unsigned Rate() const { return m_Source.Rate(); }

    // Buffers kept queued at the device and the frames in each: about a
    // fifth of a second each at 22050 Hz, a tenth at 44100 Hz.
    static const int BUFFER_COUNT = 4;
    static const int BUFFER_FRAMES = 4096;

private:
    static unsigned __stdcall ThreadProc(void* self);
    void Stream();
    // Decodes the next frames into the buffer and queues it; false when the
    // tune has nothing more to give.
    bool Queue(int index);

    cVorbisSource m_Source;
    int m_nLoop = 0;
    HWAVEOUT m_hWaveOut = nullptr;
    HANDLE m_hDeviceEvent = nullptr;  // set by the device when a buffer is done
    HANDLE m_hQuitEvent = nullptr;    // set by Stop to end the thread
    HANDLE m_hThread = nullptr;
    WAVEHDR m_Headers[BUFFER_COUNT] = {};
    bool m_bQueued[BUFFER_COUNT] = {};
    std::vector<short> m_Samples[BUFFER_COUNT];
    volatile LONG m_nPosition = 0;
    volatile LONG m_bPlaying = 0;
};
