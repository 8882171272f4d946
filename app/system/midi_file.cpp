#include "app/system/midi_file.h"

#include <cstring>
#include <functional>
#include <new>
#include <queue>
#include <utility>

#include "app/base/log.h"

namespace {

uint32_t ReadBE32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint16_t ReadBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void WriteBE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

// The end of track that closes the merged tune.
const uint8_t EndOfTrack[2] = {0x2F, 0x00};

// Deltas of the converted track must fit one variable-length quantity.
constexpr uint32_t MAX_TICK = 0x0FFFFFFF;

// The file is no tune this player can take: one line to both logs saying why.
bool Refuse(const char* name, const char* reason)
{
    ReportLogAndTrace("Midi %s Init %s", name, reason);
    return false;
}

} // namespace

cMidiFile::cMidiFile(const char* name, const std::vector<uint8_t>& file) : m_Name(name ? name : "")
{
    Take(file);
}

cMidiFile::~cMidiFile() = default;

uint16_t cMidiFile::Division() const { return HasImage() ? ReadBE16(&m_Image[12]) : 0; }

int cMidiFile::ReadVarLen(const uint8_t* bytes, const uint8_t* end, uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (bytes + i >= end) return 0;
        value = value << 7 | (bytes[i] & 0x7F);
        if (!(bytes[i] & 0x80)) return i + 1;
    }
    return 0;
}

int cMidiFile::WriteVarLen(uint8_t* out, uint32_t value)
{
    int count;
    if (value < 0x80) count = 1;
    else if (value < 0x4000) count = 2;
    else if (value < 0x200000) count = 3;
    else if (value <= MAX_TICK) count = 4;
    else return 0;
    for (int i = count - 1; i >= 0; --i) {
        out[count - 1 - i] = static_cast<uint8_t>(((value >> (7 * i)) & 0x7F) | (i > 0 ? 0x80 : 0));
    }
    return count;
}

void cMidiFile::Take(const std::vector<uint8_t>& file)
{
    m_Image.clear();
    try {
        if (!Init(file)) m_Image.clear();
    } catch (const std::bad_alloc&) {
        m_Tracks.clear();
        m_Merged.clear();
        std::vector<uint8_t>().swap(m_Image);
        Refuse(m_Name.c_str(), "メモリが足りない");
    }
}

bool cMidiFile::Init(const std::vector<uint8_t>& file)
{
    const char* name = m_Name.c_str();
    // The header chunk and the first track's chunk header.
    if (file.size() < 22 || memcmp(file.data(), "MThd", 4) != 0) {
        return Refuse(name, "標準MIDIでない(4)");
    }
    if (ReadBE32(&file[4]) != 6) {
        return Refuse(name, "標準MIDIでない(6)");
    }
    uint16_t format = ReadBE16(&file[8]);
    if (format == 2) {
        return Refuse(name, "対応フォーマットが2でない");
    }
    if (format > 2) {
        return Refuse(name, "対応フォーマットが0または1でない");
    }
    if (memcmp(&file[14], "MTrk", 4) != 0) {
        return Refuse(name, "標準MIDIでない(4)");
    }
    // Taken as ticks a quarter note.
    m_nDivision = ReadBE16(&file[12]);
    return Convert(file);
}

bool cMidiFile::Convert(const std::vector<uint8_t>& file)
{
    bool ok = ParseTrack(file);
    if (ok) {
        MergeTracks();
        WriteFormat0(file);
    }
    m_Tracks.clear();
    m_Merged.clear();
    return ok;
}

bool cMidiFile::ParseTrack(const std::vector<uint8_t>& file)
{
    const char* name = m_Name.c_str();
    const uint16_t trackCount = ReadBE16(&file[10]);
    if (trackCount == 0) {
        return Refuse(name, "標準MIDIでない(トラックがない)");
    }
    const uint8_t* const end = file.data() + file.size();
    const uint8_t* p = file.data() + 14;
    m_Tracks.assign(trackCount, {});
    m_nEventCount = 0;
    uint32_t lastEnd = 0;
    for (int track = 0; track < trackCount; ++track) {
        // The chunk id and length are skipped, not read: tracks follow one
        // another, each ending with its end-of-track event.
        if (end - p < 8) {
            return Refuse(name, "標準MIDIでない(データが途中で終わる)");
        }
        p += 8;
        uint8_t runningStatus = 0;
        uint32_t time = 0;
        while (p < end) {
            uint32_t delta = 0;
            int n = ReadVarLen(p, end, delta);
            if (n == 0) {
                return Refuse(name, "標準MIDIでない(可変長の値が不正)");
            }
            p += n;
            time += delta;
            if (time > MAX_TICK) {
                return Refuse(name, "標準MIDIでない(時間が長すぎる)");
            }
            if (p >= end) {
                return Refuse(name, "標準MIDIでない(データが途中で終わる)");
            }
            uint8_t status;
            if (*p & 0x80) status = *p++;
            else status = runningStatus;
            // A data byte where no status came before it has nothing to run on.
            if (status == 0) {
                return Refuse(name, "標準MIDIでない(ステータスがない)");
            }
            runningStatus = status;

            const uint8_t* data = p;
            uint32_t size;
            if (status >= 0xC0 && status <= 0xDF) {
                size = 1;
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t length = 0;
                n = ReadVarLen(p, end, length);
                if (n == 0) {
                    return Refuse(name, "標準MIDIでない(可変長の値が不正)");
                }
                size = n + length;
            } else if (status == 0xFF) {
                if (end - p >= 2 && p[0] == 0x2F && p[1] == 0x00) {
                    p += 2;
                    if (time > lastEnd) lastEnd = time;
                    break;
                }
                uint32_t length = 0;
                n = p < end ? ReadVarLen(p + 1, end, length) : 0;
                if (n == 0) {
                    return Refuse(name, "標準MIDIでない(可変長の値が不正)");
                }
                size = 1 + n + length;
            } else {
                size = 2;
            }
            if (size > static_cast<uint32_t>(end - p)) {
                return Refuse(name, "標準MIDIでない(データが途中で終わる)");
            }
            p += size;
            m_Tracks[track].push_back(EVENT{time, status, data, size});
            ++m_nEventCount;
        }
        // A track that ends with the file, between two events, ends there.
        if (time > lastEnd) lastEnd = time;
    }
    m_Tracks.back().push_back(EVENT{lastEnd, 0xFF, EndOfTrack, 2});
    ++m_nEventCount;
    return true;
}

void cMidiFile::MergeTracks()
{
    m_Merged.clear();
    m_Merged.reserve(m_nEventCount);
    // The next event of every track that has one, earliest first; on equal
    // times the lower track keeps its place. Tracks without events never enter.
    using Next = std::pair<uint32_t, size_t>;  // time, track
    std::priority_queue<Next, std::vector<Next>, std::greater<Next>> due;
    std::vector<size_t> next(m_Tracks.size(), 0);
    for (size_t t = 0; t < m_Tracks.size(); ++t)
        if (!m_Tracks[t].empty()) due.push({m_Tracks[t][0].nTime, t});
    while (!due.empty()) {
        const size_t t = due.top().second;
        due.pop();
        m_Merged.push_back(m_Tracks[t][next[t]++]);
        if (next[t] < m_Tracks[t].size()) due.push({m_Tracks[t][next[t]].nTime, t});
    }
    CalcLength();
}

void cMidiFile::CalcLength()
{
    const double division = m_nDivision;
    double seconds = 0.0;
    uint32_t tempo = 500000;  // microseconds a quarter note until the first change
    uint32_t lastTempoTick = 0;
    for (const EVENT& e : m_Merged) {
        if (e.nStatus != 0xFF || e.nSize < 2 || division == 0) continue;
        if (e.lpData[0] == 0x51 && e.lpData[1] == 3 && e.nSize >= 5) {
            seconds += tempo * 1e-6 * (e.nTime - lastTempoTick) / division;
            lastTempoTick = e.nTime;
            tempo = uint32_t(e.lpData[2]) << 16 | uint32_t(e.lpData[3]) << 8 | e.lpData[4];
        } else if (e.lpData[0] == 0x2F && e.lpData[1] == 0x00) {
            seconds += tempo * 1e-6 * (e.nTime - lastTempoTick) / division;
        }
    }
    m_dLength = seconds;
}

void cMidiFile::WriteFormat0(const std::vector<uint8_t>& file)
{
    std::vector<uint8_t>& out = m_Image;
    out.assign(MIDI_IMAGE_HEADER, 0);
    memcpy(&out[0], "MThd", 4);
    WriteBE32(&out[4], 6);
    out[8] = 0, out[9] = 0;
    out[10] = 0, out[11] = 1;
    out[12] = file[12], out[13] = file[13];
    memcpy(&out[14], "MTrk", 4);
    uint32_t previous = 0;
    uint8_t quantity[4];
    for (const EVENT& e : m_Merged) {
        int n = WriteVarLen(quantity, e.nTime - previous);
        out.insert(out.end(), quantity, quantity + n);
        out.push_back(e.nStatus);
        out.insert(out.end(), e.lpData, e.lpData + e.nSize);
        previous = e.nTime;
    }
    WriteBE32(&out[18], static_cast<uint32_t>(out.size() - MIDI_IMAGE_HEADER));
}
