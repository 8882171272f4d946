#include "app/system/midi_stream.h"

#include <cstring>
#include <string>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "app/system/paths.h"

const MIDISTREAMAPI WinmmMidiStreamApi = {
    midiStreamOpen, midiStreamProperty, midiStreamOut,        midiStreamRestart,      midiStreamStop,
    midiStreamPause, midiStreamClose,   midiOutReset,         midiOutPrepareHeader,   midiOutUnprepareHeader,
};
const MIDISTREAMAPI* lpMidiStreamApi = &WinmmMidiStreamApi;

std::string MidiErrorText(MMRESULT code)
{
    // The MCI error texts have nothing for MIDI codes; the MIDI output's own do.
    char text[512] = {};
    if (midiOutGetErrorTextA(code, text, sizeof(text)) != MMSYSERR_NOERROR) text[0] = '\0';
    return text;
}

namespace {

constexpr DWORD END_OF_TRACK_WORD = 0x002FFF;  // the event word, low 24 bits, of FF 2F 00
constexpr DWORD EVENT_HEAD = 12;               // delta time, stream id, event word

DWORD PadToFour(DWORD n) { return (n + 3) & ~3u; }

void PutDword(char* p, DWORD v) { memcpy(p, &v, 4); }

} // namespace

cMidiStream::cMidiStream(const char* path) : cMidiFile(path)
{
    if (HasImage()) Open();
}

void cMidiStream::LogError(const char* what, MMRESULT code)
{
    ReportLogAndTrace("Midi %s %s %s", m_Name.c_str(), what, MidiErrorText(code).c_str());
}

void cMidiStream::Open()
{
    m_nNextBuffer = 0;
    for (int i = 0; i < BUFFER_COUNT; ++i) {
        m_Buffers[i].assign(BUFFER_SIZE, 0);
        m_Headers[i] = MIDIHDR{};
        m_Headers[i].lpData = m_Buffers[i].data();
        m_Headers[i].dwBufferLength = BUFFER_SIZE;
        m_Headers[i].dwUser = static_cast<DWORD_PTR>(i);
    }
    // The thread must have its message queue before the device posts to it.
    if (m_Thread.Start(MidiThreadProc, this)) m_Thread.PostStartMessage(true);
    UINT device = MIDI_MAPPER;
    MMRESULT result = lpMidiStreamApi->Open(&m_hStream, &device, 1, m_Thread.m_nThreadId, 0, CALLBACK_THREAD);
    if (result != MMSYSERR_NOERROR) {
        // Without a device the tune stays silent: no further device calls,
        // each of which could only fail again.
        m_hStream = nullptr;
        LogError("Open", result);
        return;
    }
    MIDIPROPTIMEDIV division = {sizeof(MIDIPROPTIMEDIV), Division()};
    result = lpMidiStreamApi->Property(m_hStream, reinterpret_cast<LPBYTE>(&division), MIDIPROP_SET | MIDIPROP_TIMEDIV);
    if (result != MMSYSERR_NOERROR) LogError("Property", result);
    m_nPosition = MIDI_IMAGE_HEADER;
    m_nState = STOPPED;
    QueueBuffer();
}

cMidiStream::~cMidiStream()
{
    if (!HasImage()) return;
    // The callback thread ends first, so no callback of the device can reach
    // this stream once it is gone.
    if (m_Thread.m_hThread) {
        PostThreadMessageA(m_Thread.m_nThreadId, WM_QUIT, 0, 0);
        m_Thread.Wait();
    }
    if (!m_hStream) return;
    MMRESULT result = lpMidiStreamApi->Reset(reinterpret_cast<HMIDIOUT>(m_hStream));
    if (result != MMSYSERR_NOERROR) LogError("Reset", result);
    for (MIDIHDR& header : m_Headers) {
        if (!(header.dwFlags & MHDR_PREPARED)) continue;
        result = lpMidiStreamApi->UnprepareHeader(reinterpret_cast<HMIDIOUT>(m_hStream), &header, sizeof(MIDIHDR));
        if (result != MMSYSERR_NOERROR) LogError("Unprepare", result);
    }
    result = lpMidiStreamApi->Close(m_hStream);
    if (result != MMSYSERR_NOERROR) LogError("Close", result);
    m_hStream = nullptr;
}

DWORD cMidiStream::FillBuffer(DWORD position, MIDIHDR& header)
{
    char* const out = header.lpData;
    memset(out, 0, header.dwBufferLength);
    const uint8_t* const image = m_Image.data();
    const DWORD end = static_cast<DWORD>(m_Image.size());
    DWORD written = 0;
    DWORD pendingDelta = 0;  // the deltas of meta events that write nothing
    DWORD used = position;   // the image up to the last event written
    long lastEvent = -1;
    DWORD p = position;
    while (p < end) {
        uint32_t delta = 0;
        int n = ReadVarLen(image + p, image + end, delta);
        if (n == 0 || p + n >= end) break;
        DWORD q = p + n;
        const uint8_t status = image[q++];
        DWORD word = 0;
        DWORD size = EVENT_HEAD;
        const uint8_t* longData = nullptr;
        DWORD longLength = 0;
        bool endOfTrack = false;
        if (status >= 0xC0 && status <= 0xDF) {
            word = DWORD(MEVT_SHORTMSG) << 24 | status | DWORD(image[q]) << 8;
            q += 1;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            q += ReadVarLen(image + q, image + end, length);
            longData = image + q;
            longLength = length;
            q += length;
            word = DWORD(MEVT_LONGMSG) << 24 | (length + 1);
            size = EVENT_HEAD + PadToFour(length + 1);
        } else if (status == 0xFF) {
            const uint8_t type = image[q];
            uint32_t length = 0;
            q += 1 + ReadVarLen(image + q + 1, image + end, length);
            if (type == 0x51 && length == 3) {
                word = DWORD(MEVT_TEMPO) << 24 | DWORD(image[q]) << 16 | DWORD(image[q + 1]) << 8 | image[q + 2];
            } else if (type == 0x2F && length == 0) {
                word = DWORD(MEVT_SHORTMSG) << 24 | MEVT_F_CALLBACK | 0xFF | 0x2F << 8;
                endOfTrack = true;
            } else {
                size = 0;
            }
            q += length;
        } else {
            word = DWORD(MEVT_SHORTMSG) << 24 | status | DWORD(image[q]) << 8 | DWORD(image[q + 1]) << 16;
            q += 2;
        }
        if (size == 0) {
            pendingDelta += delta;
            p = q;
            continue;
        }
        if (written + size > header.dwBufferLength) break;
        char* e = out + written;
        PutDword(e, pendingDelta + delta);
        PutDword(e + 4, 0);
        PutDword(e + 8, word);
        if (longData) {
            e[12] = static_cast<char>(status);
            memcpy(e + 13, longData, longLength);
        }
        lastEvent = static_cast<long>(written);
        written += size;
        pendingDelta = 0;
        p = q;
        used = q;
        if (endOfTrack) break;
    }
    if (lastEvent >= 0) {
        DWORD word;
        memcpy(&word, out + lastEvent + 8, 4);
        PutDword(out + lastEvent + 8, word | MEVT_F_CALLBACK);
    }
    header.dwBytesRecorded = written;
    header.dwFlags = 0;
    header.lpNext = nullptr;
    header.reserved = 0;
    header.dwOffset = 0;
    memset(header.dwReserved, 0, sizeof(header.dwReserved));
    // Meta events after the last event written are read again with the next
    // buffer, so their delta times are not lost.
    return used - position;
}

void cMidiStream::QueueBuffer()
{
    std::lock_guard<std::recursive_mutex> hold(m_Lock);
    if (!m_hStream || Exhausted()) return;
    MIDIHDR& header = m_Headers[m_nNextBuffer];
    if (header.dwFlags & MHDR_INQUEUE) return;
    m_nPosition += FillBuffer(m_nPosition, header);
    // An event larger than a whole buffer never fits: the output ends before it.
    if (header.dwBytesRecorded == 0) return;
    HMIDIOUT out = reinterpret_cast<HMIDIOUT>(m_hStream);
    MMRESULT result = lpMidiStreamApi->PrepareHeader(out, &header, sizeof(MIDIHDR));
    if (result != MMSYSERR_NOERROR) LogError("Prepare", result);
    result = lpMidiStreamApi->Out(m_hStream, &header, sizeof(MIDIHDR));
    if (result != MMSYSERR_NOERROR) LogError("Out", result);
    m_nNextBuffer = (m_nNextBuffer + 1) % BUFFER_COUNT;
}

void cMidiStream::Restart(int loop)
{
    if (!HasImage()) return;
    std::lock_guard<std::recursive_mutex> hold(m_Lock);
    m_bLoop = loop;
    if (m_nState == PLAYING || !m_hStream) return;
    MMRESULT result = lpMidiStreamApi->Restart(m_hStream);
    if (result != MMSYSERR_NOERROR) LogError("Restart", result);
    const int from = m_nState;
    m_nState = PLAYING;
    if (from == STOPPED && !Exhausted()) QueueBuffer();
}

void cMidiStream::Stop(int pause)
{
    if (!HasImage()) return;
    std::lock_guard<std::recursive_mutex> hold(m_Lock);
    if (!m_hStream) return;
    if (pause == 0) {
        MMRESULT result = lpMidiStreamApi->Stop(m_hStream);
        if (result != MMSYSERR_NOERROR) LogError("Stop", result);
        m_nState = STOPPED;
        m_nPosition = MIDI_IMAGE_HEADER;
        QueueBuffer();
    } else if (m_nState == PLAYING) {
        MMRESULT result = lpMidiStreamApi->Pause(m_hStream);
        if (result != MMSYSERR_NOERROR) LogError("Pause", result);
        m_nState = PAUSED;
    }
}

void cMidiStream::OnPosition(const MIDIHDR* header)
{
    if (!header) return;
    // The end of the tune is one step: a Restart or Stop of the window thread
    // comes before it or after it, never between its stop and restart; nor
    // can a Stop refill the header while it is read here.
    std::lock_guard<std::recursive_mutex> hold(m_Lock);
    DWORD word = 0;
    if (header->dwOffset + EVENT_HEAD <= header->dwBytesRecorded) memcpy(&word, header->lpData + header->dwOffset + 8, 4);
    if ((word & 0xFFFFFF) == END_OF_TRACK_WORD) {
        Stop(0);
        if (m_bLoop) Restart(1);
    } else if (!Exhausted()) {
        QueueBuffer();
    }
}

unsigned __stdcall cMidiStream::MidiThreadProc(void* self)
{
    cMidiStream* stream = static_cast<cMidiStream*>(self);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == MM_MOM_POSITIONCB) stream->OnPosition(reinterpret_cast<const MIDIHDR*>(msg.lParam));
    }
    return 0;
}

cMidiPlayer::~cMidiPlayer() { DeleteAll(); }

void cMidiPlayer::Resize(int channels)
{
    if (channels < 0) channels = 0;
    m_Streams.resize(channels);
}

void cMidiPlayer::DeleteAll()
{
    for (std::unique_ptr<cMidiStream>& stream : m_Streams) stream.reset();
}

void cMidiPlayer::StopAll(int pause)
{
    for (const std::unique_ptr<cMidiStream>& stream : m_Streams)
        if (stream) stream->Stop(pause);
}

int cMidiPlayer::Play(int channel, const char* path, int loop)
{
    StopAll(1);
    DeleteAll();
    std::string extension;
    if (!path || !GetExtension(extension, path) || extension != "mid") return 0;
    if (m_Streams.empty()) return 0;
    std::unique_ptr<cMidiStream>& slot = CheckedAt(m_Streams, channel);
    // A bad channel, reported by the checked access, plays nothing: a stream
    // outside the slots would be out of reach of every Stop and DeleteAll.
    if (channel < 0 || channel >= static_cast<int>(m_Streams.size())) return 0;
    slot = std::make_unique<cMidiStream>(path);
    if (!slot->HasImage()) return 0;
    slot->Restart(loop);
    return 1;
}
