#include "vox/vox_player.h"

#include <process.h>

cVoxPlayer::cVoxPlayer()
{
    lpOps = nullptr;
    m_hDeviceEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_hQuitEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

cVoxPlayer::~cVoxPlayer()
{
    Close();
    if (m_hDeviceEvent) CloseHandle(m_hDeviceEvent);
    if (m_hQuitEvent) CloseHandle(m_hQuitEvent);
}

bool cVoxPlayer::Load(const char* path)
{
    Close();
    return m_Source.Open(path);
}

int cVoxPlayer::Status() const
{
    if (m_bPlaying) return VOX_STATUS_PLAYING;
    return m_Source.IsOpen() ? VOX_STATUS_STOPPED : VOX_STATUS_EMPTY;
}

void cVoxPlayer::Play()
{
    Stop();
    if (!m_Source.IsOpen() || !m_hDeviceEvent || !m_hQuitEvent) return;
    if (!m_Source.Rewind(m_nLoop)) return;

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(m_Source.Channels());
    format.nSamplesPerSec = m_Source.Rate();
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    // A device still being set up (by this or another program) refuses for a
    // moment; it is asked again a few times before the tune stays silent.
    MMRESULT result = MMSYSERR_ERROR;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) Sleep(40);
        result = waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(m_hDeviceEvent), 0,
                             CALLBACK_EVENT);
        if (result != MMSYSERR_NOTENABLED && result != MMSYSERR_ALLOCATED) break;
    }
    if (result != MMSYSERR_NOERROR) {
        m_hWaveOut = nullptr;
        return;
    }
    for (int i = 0; i < BUFFER_COUNT; ++i) {
        m_Samples[i].assign(static_cast<size_t>(BUFFER_FRAMES) * m_Source.Channels(), 0);
        m_Headers[i] = WAVEHDR{};
        m_Headers[i].lpData = reinterpret_cast<LPSTR>(m_Samples[i].data());
        m_Headers[i].dwBufferLength = static_cast<DWORD>(m_Samples[i].size() * sizeof(short));
        waveOutPrepareHeader(m_hWaveOut, &m_Headers[i], sizeof(WAVEHDR));
        m_bQueued[i] = false;
    }
    m_nPosition = 0;
    ResetEvent(m_hQuitEvent);
    InterlockedExchange(&m_bPlaying, 1);
    unsigned id = 0;
    m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, 0, &id));
    if (!m_hThread) Stop();
}

void cVoxPlayer::Stop()
{
    if (m_hThread) {
        SetEvent(m_hQuitEvent);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    if (m_hWaveOut) {
        waveOutReset(m_hWaveOut);
        for (int i = 0; i < BUFFER_COUNT; ++i) {
            if (m_Headers[i].dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(m_hWaveOut, &m_Headers[i], sizeof(WAVEHDR));
            m_bQueued[i] = false;
        }
        waveOutClose(m_hWaveOut);
        m_hWaveOut = nullptr;
    }
    InterlockedExchange(&m_bPlaying, 0);
}

void cVoxPlayer::Close()
{
    Stop();
    m_Source.Close();
}

unsigned __stdcall cVoxPlayer::ThreadProc(void* self)
{
    static_cast<cVoxPlayer*>(self)->Stream();
    return 0;
}

bool cVoxPlayer::Queue(int index)
{
    int frames = m_Source.Read(m_Samples[index].data(), BUFFER_FRAMES);
    if (frames <= 0) return false;
    WAVEHDR& header = m_Headers[index];
    header.dwBufferLength = static_cast<DWORD>(frames * m_Source.Channels() * sizeof(short));
    header.dwFlags &= ~WHDR_DONE;
    if (waveOutWrite(m_hWaveOut, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
    m_bQueued[index] = true;
    InterlockedExchangeAdd(&m_nPosition, frames);
    return true;
}

void cVoxPlayer::Stream()
{
    for (int i = 0; i < BUFFER_COUNT; ++i)
        if (!Queue(i)) break;
    HANDLE events[2] = {m_hQuitEvent, m_hDeviceEvent};
    for (;;) {
        // A buffer the device has finished is refilled at once, so the device
        // always holds the next ones while one plays.
        bool anyQueued = false;
        for (int i = 0; i < BUFFER_COUNT; ++i) {
            if (m_bQueued[i] && (m_Headers[i].dwFlags & WHDR_DONE)) {
                m_bQueued[i] = false;
                Queue(i);
            }
            anyQueued = anyQueued || m_bQueued[i];
        }
        if (!anyQueued) break;  // the last pass has been heard to its end
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    }
    InterlockedExchange(&m_bPlaying, 0);
}
