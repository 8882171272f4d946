#pragma once
// A Standard MIDI File of format 0 or 1, read whole and converted into one
// format-0 track in memory (big-endian like the file):
//   "MThd", 00 00 00 06, format 0, 1 track, the source's division,
//   "MTrk", the track length, then the events, each a delta time and the
//   event with its status byte written out (no running status).
// The stream reads that image from offset MIDI_IMAGE_HEADER on.
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t MIDI_IMAGE_HEADER = 22;

class cMidiFile {
public:
    // Reads and converts the file; afterwards the image is empty when the file
    // could not be read or is not a Standard MIDI File of format 0 or 1.
    explicit cMidiFile(const char* path);
    // Converts a file already in memory; name is what the log lines call it.
    cMidiFile(const char* name, const std::vector<uint8_t>& file);
    virtual ~cMidiFile();
    cMidiFile(const cMidiFile&) = delete;
    cMidiFile& operator=(const cMidiFile&) = delete;

    bool HasImage() const { return !m_Image.empty(); }
    const std::vector<uint8_t>& Image() const { return m_Image; }
    const std::string& Name() const { return m_Name; }
    // Play length in seconds, from the tempo changes and the end of the tune.
    double Length() const { return m_dLength; }
    uint16_t Division() const;

    // Variable-length quantities: big-endian groups of seven bits, the top bit
    // set on every byte but the last. ReadVarLen returns the bytes used (1 to
    // 4), or 0 when the value runs past end or has no last byte within four.
    static int ReadVarLen(const uint8_t* bytes, const uint8_t* end, uint32_t& value);
    // Returns the bytes written (1 to 4); 0 for values above 0x0FFFFFFF.
    static int WriteVarLen(uint8_t* out, uint32_t value);

protected:
    struct EVENT {
        uint32_t nTime;        // absolute, in ticks
        uint8_t nStatus;
        const uint8_t* lpData; // the event's bytes after the status
        uint32_t nSize;
    };

    void Create(const char* path);
    // Init, with memory running out refused like a damaged file.
    void Take(const std::vector<uint8_t>& file);
    bool Init(const std::vector<uint8_t>& file);
    bool Convert(const std::vector<uint8_t>& file);
    bool ParseTrack(const std::vector<uint8_t>& file);
    void MergeTracks();
    void CalcLength();
    void WriteFormat0(const std::vector<uint8_t>& file);

    std::vector<uint8_t> m_Image;
    std::string m_Name;
    double m_dLength = 0.0;

private:
    std::vector<std::vector<EVENT>> m_Tracks;
    std::vector<EVENT> m_Merged;
    size_t m_nEventCount = 0;
    uint16_t m_nDivision = 0;
};
