#pragma once
// A MIDI stream device for the tests: stands in for winmm through
// lpMidiStreamApi while it lives, records every call and every event queued,
// and plays a queued buffer to its end when the test says so.
#include <windows.h>
#include <mmsystem.h>

#include <mutex>
#include <string>
#include <vector>

#include "app/system/midi_stream.h"

struct RECORDEDMIDIEVENT {
    DWORD nDelta;
    DWORD nWord;
    std::vector<unsigned char> Params;
    bool operator==(const RECORDEDMIDIEVENT&) const = default;
};

class FakeMidiDevice {
public:
    FakeMidiDevice();
    ~FakeMidiDevice();

    // The calls so far, by name ("Open", "Out", "Stop", ...).
    std::vector<std::string> Calls();
    int CountCalls(const char* name);
    // The events of each buffer queued, in order.
    std::vector<std::vector<RECORDEDMIDIEVENT>> Buffers();
    DWORD TimeDivision();
    // As the device does when it has played the last event of the n-th
    // buffer queued: the buffer is handed back and the position callback of
    // that event is posted to the stream's thread.
    void PlayBufferToEnd(int n);
    // The same for the newest buffer the device still holds; false when it
    // holds none.
    bool PlayNewestToEnd();
    // Waits (30 s at most) until the stream's callback thread has served every
    // message posted to it so far, so that a test can tell that a callback
    // did nothing without guessing how long the thread needs.
    bool WaitUntilServed();
    DWORD CallbackThread();

    static FakeMidiDevice* lpCurrent;
    std::mutex m_Lock;
    std::vector<std::string> m_Calls;
    std::vector<std::vector<RECORDEDMIDIEVENT>> m_Buffers;
    std::vector<MIDIHDR*> m_Queued;  // the header of each buffer queued
    std::vector<MIDIHDR*> m_Held;    // the headers the device holds now
    DWORD m_nThreadId = 0;
    DWORD m_nTimeDivision = 0;
    // Outs of a header the device still held: the stream filled a buffer that
    // was still playing.
    int m_nRequeued = 0;

private:
    // Under m_Lock: hands the header back as played to its last event and
    // returns the thread to post the callback to.
    DWORD FinishBuffer(MIDIHDR* header);
    const MIDISTREAMAPI* m_lpPrevious;
};

// Every event of a stream buffer as the device reads it.
std::vector<RECORDEDMIDIEVENT> ReadStreamBuffer(const MIDIHDR& header);
