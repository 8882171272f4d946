#include "app/system/wave_file.h"

#include <algorithm>
#include <new>

namespace {

constexpr size_t CHUNK_HEADER = 8;
constexpr size_t PCM_FIELDS = 16;     // the format without its cbSize
constexpr size_t FORMAT_FIELDS = 18;  // with it

uint32_t Word32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Word16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint32_t FourCC(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

struct Chunk {
    size_t start = 0;   // its header
    uint32_t size = 0;  // its contents, as the header says
};

// The offset after a chunk and its pad byte; sizes near 4 GB go past any
// image, which ends the search.
uint64_t After(const Chunk& chunk)
{
    return uint64_t(chunk.start) + CHUNK_HEADER + chunk.size + (chunk.size & 1);
}

// The first chunk with the id whose header starts in [from, end).
bool FindChunk(const uint8_t* image, uint64_t from, uint64_t end, uint32_t id, Chunk& found)
{
    for (uint64_t pos = from; pos + CHUNK_HEADER <= end;) {
        Chunk chunk{static_cast<size_t>(pos), Word32(image + pos + 4)};
        if (Word32(image + pos) == id) {
            found = chunk;
            return true;
        }
        pos = After(chunk);
    }
    return false;
}

// The first RIFF chunk of the form, its form word inside the image.
bool FindRiff(const uint8_t* image, size_t size, uint32_t form, Chunk& found)
{
    for (uint64_t pos = 0; pos + CHUNK_HEADER + 4 <= size;) {
        Chunk chunk;
        if (!FindChunk(image, pos, size, FourCC('R', 'I', 'F', 'F'), chunk)) return false;
        if (chunk.start + CHUNK_HEADER + 4 <= size && Word32(image + chunk.start + CHUNK_HEADER) == form) {
            found = chunk;
            return true;
        }
        pos = After(chunk);
    }
    return false;
}

} // namespace

bool ParseWave(const uint8_t* image, size_t size, WAVEPCM& format, std::vector<uint8_t>& samples)
{
    format = WAVEPCM{};
    samples.clear();
    Chunk riff, fmt, data;
    if (!FindRiff(image, size, FourCC('W', 'A', 'V', 'E'), riff)) return false;
    const uint64_t riffEnd = std::min<uint64_t>(uint64_t(riff.start) + CHUNK_HEADER + riff.size, size);
    const uint64_t contents = riff.start + CHUNK_HEADER + 4;
    if (!FindChunk(image, contents, riffEnd, FourCC('f', 'm', 't', ' '), fmt)) return false;
    if (fmt.size < PCM_FIELDS) return false;
    const size_t want = fmt.size < FORMAT_FIELDS ? PCM_FIELDS : FORMAT_FIELDS;
    const size_t at = fmt.start + CHUNK_HEADER;
    if (at + want > size) return false;
    const uint8_t* p = image + at;
    format.wFormatTag = Word16(p);
    format.nChannels = Word16(p + 2);
    format.nSamplesPerSec = Word32(p + 4);
    format.nAvgBytesPerSec = Word32(p + 8);
    format.nBlockAlign = Word16(p + 12);
    format.wBitsPerSample = Word16(p + 14);
    format.cbSize = want == FORMAT_FIELDS ? Word16(p + 16) : 0;
    constexpr uint16_t PCM = 1;
    if (format.wFormatTag != PCM) return false;
    if (!FindChunk(image, After(fmt), riffEnd, FourCC('d', 'a', 't', 'a'), data)) return false;
    // The samples must be in the image before anything is allocated for them.
    const uint64_t first = uint64_t(data.start) + CHUNK_HEADER;
    if (first + data.size > size) return false;
    try {
        samples.assign(image + first, image + first + data.size);
    } catch (const std::bad_alloc&) {
        samples.clear();
        return false;
    }
    return true;
}
