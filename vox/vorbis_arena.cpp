#include "vox/vorbis_arena.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace {
// Most tunes need 100 to 200 KB; the buffer doubles from here as needed.
constexpr int kFirstArenaBytes = 256 * 1024;

uint32_t Word32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }


// Gathers the comment header, the stream's second packet, from the head of
// the file: it starts the second page (the first holds only the
// identification header) and runs over segments, and pages, until a segment
// shorter than 255 bytes ends it. False when the head ends first.
bool CommentPacket(const unsigned char* bytes, int size, std::vector<unsigned char>& packet)
{
    int pos = 0;
    for (int page = 0;; ++page) {
        if (pos + 27 > size) return false;
        const int segments = bytes[pos + 26];
        if (pos + 27 + segments > size) return false;
        int at = pos + 27 + segments;
        for (int i = 0; i < segments; ++i) {
            const int length = bytes[pos + 27 + i];
            if (page > 0) {
                if (at + length > size) return false;
                packet.insert(packet.end(), bytes + at, bytes + at + length);
                if (length < 255) return true;
            }
            at += length;
        }
        pos = at;
    }
}

} // namespace

// The decoder trusts the comment header: its clean-up after a failed open
// walks the comment list by the count the file gave even when the list could
// not be made, it writes each text's end at the length the file gave (even
// one that wrapped round), and past the packet's end it reads lengths made
// of its end-of-packet marks. So the header is read here first: a count or a
// length that does not fit in the packet refuses the file, and the first
// buffer is made large enough that the list is always made.
int VorbisArenaStart(const unsigned char* bytes, int size, long long wholeSize)
{
    if (size < 4 || std::memcmp(bytes, "OggS", 4) != 0) return kFirstArenaBytes;
    std::vector<unsigned char> packet;
    if (!CommentPacket(bytes, size, packet)) return size < wholeSize ? VORBIS_ARENA_MORE : -1;
    // Not a comment header: the decoder refuses the file on its own.
    if (packet.size() < 7 || packet[0] != 3 || std::memcmp(packet.data() + 1, "vorbis", 6) != 0)
        return kFirstArenaBytes;
    const uint64_t total = packet.size();
    uint64_t next = 7;
    auto word = [&](uint64_t& value) {
        if (next + 4 > total) return false;
        value = Word32(packet.data() + next);
        next += 4;
        return true;
    };
    uint64_t vendor = 0, count = 0;
    if (!word(vendor) || vendor > total - next) return -1;
    next += vendor;
    if (!word(count) || count > (total - next) / 4) return -1;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t length = 0;
        if (!word(length) || length > total - next) return -1;
        next += length;
    }
    // Every text and pointer of the list, each rounded up to 8 bytes.
    const uint64_t need = kFirstArenaBytes + total + 8 + count * (sizeof(char*) + 8);
    if (need > static_cast<uint64_t>(VORBIS_ARENA_LIMIT)) return -1;
    int bytesFirst = kFirstArenaBytes;
    while (static_cast<uint64_t>(bytesFirst) < need) bytesFirst *= 2;
    return bytesFirst;
}

template <class Open>
stb_vorbis* cVorbisArena::OpenGrowing(Open open, int firstBytes)
{
    for (int bytes = firstBytes; bytes > 0 && bytes <= VORBIS_ARENA_LIMIT; bytes *= 2) {
        m_lpBuffer.reset(new (std::nothrow) char[bytes]);
        if (!m_lpBuffer) return nullptr;
        stb_vorbis_alloc alloc{m_lpBuffer.get(), bytes};
        int error = 0;
        if (stb_vorbis* decoder = open(&alloc, &error)) return decoder;
        if (error != VORBIS_outofmem) break;
    }
    m_lpBuffer.reset();
    return nullptr;
}

stb_vorbis* cVorbisArena::OpenFile(const char* path)
{
    // The head of the file is enough to find the comment header, unless the
    // header is long (a picture among the comments): then more is read.
    FILE* f = std::fopen(path, "rb");
    if (!f) return nullptr;
    long long whole = 0;
    if (std::fseek(f, 0, SEEK_END) == 0) whole = std::ftell(f);
    std::vector<unsigned char> head;
    int start = VORBIS_ARENA_MORE;
    for (long long want = 65536; start == VORBIS_ARENA_MORE; want *= 2) {
        if (want > whole) want = whole;
        head.resize(static_cast<size_t>(want));
        const int size = std::fseek(f, 0, SEEK_SET) == 0 ? static_cast<int>(std::fread(head.data(), 1, head.size(), f)) : 0;
        start = VorbisArenaStart(head.data(), size, size < want ? size : whole);
    }
    std::fclose(f);
    return OpenGrowing([path](const stb_vorbis_alloc* alloc, int* error) {
        return stb_vorbis_open_filename(path, error, alloc);
    }, start);
}

stb_vorbis* cVorbisArena::OpenMemory(const unsigned char* bytes, int size)
{
    return OpenGrowing([bytes, size](const stb_vorbis_alloc* alloc, int* error) {
        return stb_vorbis_open_memory(bytes, size, error, alloc);
    }, VorbisArenaStart(bytes, size, size));
}

void cVorbisArena::Close(stb_vorbis*& decoder)
{
    if (decoder) stb_vorbis_close(decoder);
    decoder = nullptr;
    m_lpBuffer.reset();
}
