#include "tests/app/fake_midi_device.h"

#include <algorithm>
#include <cstring>

FakeMidiDevice* FakeMidiDevice::lpCurrent = nullptr;

namespace {

const HMIDISTRM FAKE_STREAM = reinterpret_cast<HMIDISTRM>(0x5151);

// How long a test waits for the stream's thread before it gives up.
constexpr DWORD WAIT_LIMIT_MS = 30000;

// A message the stream's thread ignores, posted behind the callbacks: once the
// thread takes it from its queue, everything before it has been served.
constexpr UINT SERVED_MARK = WM_APP + 0x51;
HANDLE hServedEvent = nullptr;

LRESULT CALLBACK WatchForServedMark(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && msg->message == SERVED_MARK && hServedEvent) SetEvent(hServedEvent);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Record(const char* name)
{
    std::lock_guard<std::mutex> hold(FakeMidiDevice::lpCurrent->m_Lock);
    FakeMidiDevice::lpCurrent->m_Calls.push_back(name);
}

MMRESULT WINAPI FakeOpen(LPHMIDISTRM stream, LPUINT, DWORD, DWORD_PTR callback, DWORD_PTR, DWORD flags)
{
    Record("Open");
    if ((flags & CALLBACK_TYPEMASK) != CALLBACK_THREAD) return MMSYSERR_INVALFLAG;
    FakeMidiDevice::lpCurrent->m_nThreadId = static_cast<DWORD>(callback);
    *stream = FAKE_STREAM;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeProperty(HMIDISTRM, LPBYTE data, DWORD property)
{
    Record("Property");
    if (property == (MIDIPROP_SET | MIDIPROP_TIMEDIV))
        FakeMidiDevice::lpCurrent->m_nTimeDivision = reinterpret_cast<MIDIPROPTIMEDIV*>(data)->dwTimeDiv;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeOut(HMIDISTRM, LPMIDIHDR header, UINT)
{
    Record("Out");
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    FakeMidiDevice& device = *FakeMidiDevice::lpCurrent;
    std::lock_guard<std::mutex> hold(device.m_Lock);
    // Told by what the device holds, not by the flags, which a stream that
    // refills a playing buffer clears.
    if (std::find(device.m_Held.begin(), device.m_Held.end(), header) != device.m_Held.end()) {
        ++device.m_nRequeued;
        return MIDIERR_STILLPLAYING;
    }
    device.m_Held.push_back(header);
    header->dwFlags |= MHDR_INQUEUE;
    FakeMidiDevice::lpCurrent->m_Buffers.push_back(ReadStreamBuffer(*header));
    FakeMidiDevice::lpCurrent->m_Queued.push_back(header);
    return MMSYSERR_NOERROR;
}

// Stop and reset hand every queued buffer back.
void HandBack()
{
    std::lock_guard<std::mutex> hold(FakeMidiDevice::lpCurrent->m_Lock);
    for (MIDIHDR* header : FakeMidiDevice::lpCurrent->m_Held) header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    FakeMidiDevice::lpCurrent->m_Held.clear();
}

MMRESULT WINAPI FakeRestart(HMIDISTRM) { Record("Restart"); return MMSYSERR_NOERROR; }
MMRESULT WINAPI FakeStop(HMIDISTRM) { Record("Stop"); HandBack(); return MMSYSERR_NOERROR; }
MMRESULT WINAPI FakePause(HMIDISTRM) { Record("Pause"); return MMSYSERR_NOERROR; }
MMRESULT WINAPI FakeClose(HMIDISTRM) { Record("Close"); return MMSYSERR_NOERROR; }
MMRESULT WINAPI FakeReset(HMIDIOUT) { Record("Reset"); HandBack(); return MMSYSERR_NOERROR; }

MMRESULT WINAPI FakePrepare(HMIDIOUT, LPMIDIHDR header, UINT)
{
    Record("Prepare");
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeUnprepare(HMIDIOUT, LPMIDIHDR header, UINT)
{
    Record("Unprepare");
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

const MIDISTREAMAPI FakeApi = {FakeOpen, FakeProperty, FakeOut,   FakeRestart, FakeStop,
                               FakePause, FakeClose,   FakeReset, FakePrepare, FakeUnprepare};

} // namespace

std::vector<RECORDEDMIDIEVENT> ReadStreamBuffer(const MIDIHDR& header)
{
    std::vector<RECORDEDMIDIEVENT> events;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(header.lpData);
    for (DWORD at = 0; at + 12 <= header.dwBytesRecorded;) {
        RECORDEDMIDIEVENT e;
        DWORD streamId;
        memcpy(&e.nDelta, p + at, 4);
        memcpy(&streamId, p + at + 4, 4);
        memcpy(&e.nWord, p + at + 8, 4);
        at += 12;
        if (e.nWord & MEVT_F_LONG) {
            DWORD length = e.nWord & 0xFFFFFF;
            e.Params.assign(p + at, p + at + length);
            at += (length + 3) & ~3u;
        }
        events.push_back(e);
    }
    return events;
}

FakeMidiDevice::FakeMidiDevice() : m_lpPrevious(lpMidiStreamApi)
{
    lpCurrent = this;
    lpMidiStreamApi = &FakeApi;
}

FakeMidiDevice::~FakeMidiDevice()
{
    lpMidiStreamApi = m_lpPrevious;
    lpCurrent = nullptr;
}

std::vector<std::string> FakeMidiDevice::Calls()
{
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Calls;
}

int FakeMidiDevice::CountCalls(const char* name)
{
    std::lock_guard<std::mutex> hold(m_Lock);
    int n = 0;
    for (const std::string& call : m_Calls) n += call == name;
    return n;
}

std::vector<std::vector<RECORDEDMIDIEVENT>> FakeMidiDevice::Buffers()
{
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_Buffers;
}

DWORD FakeMidiDevice::TimeDivision()
{
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_nTimeDivision;
}

DWORD FakeMidiDevice::CallbackThread()
{
    std::lock_guard<std::mutex> hold(m_Lock);
    return m_nThreadId;
}

DWORD FakeMidiDevice::FinishBuffer(MIDIHDR* header)
{
    // The offset of the last event: the one that carries the callback flag.
    DWORD last = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(header->lpData);
    for (DWORD at = 0; at + 12 <= header->dwBytesRecorded;) {
        last = at;
        DWORD word;
        memcpy(&word, p + at + 8, 4);
        at += 12 + ((word & MEVT_F_LONG) ? (((word & 0xFFFFFF) + 3) & ~3u) : 0);
    }
    header->dwOffset = last;
    header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    m_Held.erase(std::remove(m_Held.begin(), m_Held.end(), header), m_Held.end());
    return m_nThreadId;
}

void FakeMidiDevice::PlayBufferToEnd(int n)
{
    MIDIHDR* header;
    DWORD thread;
    {
        std::lock_guard<std::mutex> hold(m_Lock);
        header = m_Queued.at(n);
        thread = FinishBuffer(header);
    }
    PostThreadMessageA(thread, MM_MOM_POSITIONCB, 0, reinterpret_cast<LPARAM>(header));
}

bool FakeMidiDevice::PlayNewestToEnd()
{
    MIDIHDR* header;
    DWORD thread;
    {
        std::lock_guard<std::mutex> hold(m_Lock);
        if (m_Held.empty()) return false;
        header = m_Held.back();
        thread = FinishBuffer(header);
    }
    PostThreadMessageA(thread, MM_MOM_POSITIONCB, 0, reinterpret_cast<LPARAM>(header));
    return true;
}

bool FakeMidiDevice::WaitUntilServed()
{
    const DWORD thread = CallbackThread();
    HANDLE served = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!thread || !served) return false;
    hServedEvent = served;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchForServedMark, nullptr, thread);
    const bool ok = hook && PostThreadMessageA(thread, SERVED_MARK, 0, 0) &&
                    WaitForSingleObject(served, WAIT_LIMIT_MS) == WAIT_OBJECT_0;
    if (hook) UnhookWindowsHookEx(hook);
    hServedEvent = nullptr;
    CloseHandle(served);
    return ok;
}
