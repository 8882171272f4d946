#pragma once
// MIDI background music over the Windows MIDI stream interface: a converted
// tune (cMidiFile) played double-buffered from the MIDI mapper, with a
// callback thread of its own that refills the buffers and loops the tune.
//
// Threads: Restart and Stop come from the window thread (through cBgm), the
// refills and the loop at the end from the stream's callback thread. Both
// change the position, the next buffer and the headers, so every one of
// those steps holds the stream's lock.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/system/midi_file.h"
#include "app/system/thread.h"

// The MIDI stream calls, every one of them made through this table. The one
// seam of MIDI playback: a test points lpMidiStreamApi at a stand-in device.
// Each entry keeps the contract of the winmm function of the same name; in
// particular the device posts MM_MOM_POSITIONCB (lParam: the MIDIHDR, its
// dwOffset at the event) to the callback thread given to Open
// (CALLBACK_THREAD) once it has played an event flagged MEVT_F_CALLBACK, and
// Stop and Reset hand every queued buffer back (MHDR_INQUEUE cleared).
struct MIDISTREAMAPI {
    MMRESULT(WINAPI* Open)(LPHMIDISTRM stream, LPUINT device, DWORD streams, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* Property)(HMIDISTRM stream, LPBYTE data, DWORD property);
    MMRESULT(WINAPI* Out)(HMIDISTRM stream, LPMIDIHDR header, UINT size);
    MMRESULT(WINAPI* Restart)(HMIDISTRM stream);
    MMRESULT(WINAPI* Stop)(HMIDISTRM stream);
    MMRESULT(WINAPI* Pause)(HMIDISTRM stream);
    MMRESULT(WINAPI* Close)(HMIDISTRM stream);
    MMRESULT(WINAPI* Reset)(HMIDIOUT out);
    MMRESULT(WINAPI* PrepareHeader)(HMIDIOUT out, LPMIDIHDR header, UINT size);
    MMRESULT(WINAPI* UnprepareHeader)(HMIDIOUT out, LPMIDIHDR header, UINT size);
};
extern const MIDISTREAMAPI WinmmMidiStreamApi;
// &WinmmMidiStreamApi unless a test stands in, set before the music opens.
// Threads: read by the thread that plays the music (the window thread).
extern const MIDISTREAMAPI* lpMidiStreamApi;

// The text for a MIDI error code, as the device driver words it. A string of
// its own for each call: the window thread and a stream's callback thread
// both log device errors.
std::string MidiErrorText(MMRESULT code);

class cMidiStream : public cMidiFile {
public:
    static const int BUFFER_COUNT = 2;
    static const DWORD BUFFER_SIZE = 24000;
    enum { STOPPED = 0, PLAYING = 1, PAUSED = 2 };

    // Reads the file and, when it converted, opens the stream with its first
    // buffer queued and waiting.
    explicit cMidiStream(const char* path);
    ~cMidiStream() override;

    // Plays from where the stream stands; loop: start again at the end.
    void Restart(int loop);
    // pause 0: stop and rewind (the first buffer waits again); 1: pause.
    void Stop(int pause);
    // Fills and queues the next buffer unless the tune is used up or that
    // buffer is still with the device.
    void QueueBuffer();
    // Converts events from the image position into the buffer; returns the
    // image bytes used.
    DWORD FillBuffer(DWORD position, MIDIHDR& header);

    int State() const { return m_nState; }
    DWORD Position() const
    {
        std::lock_guard<std::recursive_mutex> hold(m_Lock);
        return m_nPosition;
    }
    HMIDISTRM Handle() const { return m_hStream; }

private:
    static unsigned __stdcall MidiThreadProc(void* self);
    void Open();
    void OnPosition(const MIDIHDR* header);
    bool Exhausted() const { return m_nPosition >= m_Image.size(); }
    void LogError(const char* what, MMRESULT code);

    // Held by Restart, Stop and QueueBuffer (recursive: the callback's end of
    // the tune stops and restarts) around the position, the next buffer, the
    // headers and the device calls that queue or hand back buffers.
    mutable std::recursive_mutex m_Lock;
    int m_nNextBuffer = 0;
    HMIDISTRM m_hStream = nullptr;
    MIDIHDR m_Headers[BUFFER_COUNT] = {};
    std::vector<char> m_Buffers[BUFFER_COUNT];
    DWORD m_nPosition = MIDI_IMAGE_HEADER;
    // Written under the lock by the caller's thread and the stream's own
    // thread; State() reads it without.
    std::atomic<int> m_nState{STOPPED};
    cThread m_Thread;
    std::atomic<int> m_bLoop{0};
};

// One stream slot per music channel; only one tune exists at a time.
class cMidiPlayer {
public:
    ~cMidiPlayer();
    // Pauses and deletes every stream, then plays the file (its extension
    // exactly "mid") on the channel; 1 when it plays.
    int Play(int channel, const char* path, int loop);
    void StopAll(int pause);
    // Deletes every stream and empties the slots.
    void DeleteAll();
    void Resize(int channels);

    std::vector<std::unique_ptr<cMidiStream>> m_Streams;
};
