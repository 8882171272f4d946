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

} // namespace

// The decoder trusts the comment header: its clean-up after a failed open
// walks the comment list by the count the file gave even when the list could
// not be made, and it writes each text's end at the length the file gave. So
// the header is read here first: a count or a length that could not fit in
// the file refuses it, and the first buffer is made large enough that the
// list is always made.
int VorbisArenaStart(const unsigned char* bytes, int size, long long wholeSize)
{
    // The comment header is the second packet: the first page holds only
    // the identification header, so it starts the second page's body.
    int pos = 0;
    for (int page = 0; page < 2; ++page) {
        if (pos + 27 > size || std::memcmp(bytes + pos, "OggS", 4) != 0) return kFirstArenaBytes;
        const int segments = bytes[pos + 26];
        if (pos + 27 + segments > size) return kFirstArenaBytes;
        int body = 0;
        for (int i = 0; i < segments; ++i) body += bytes[pos + 27 + i];
        if (page == 0) {
            pos += 27 + segments + body;
            continue;
        }
        const int at = pos + 27 + segments;
        if (at + 11 > size || bytes[at] != 3) return kFirstArenaBytes;
        const uint64_t vendor = Word32(bytes + at + 7);
        if (at + 11 + vendor + 4 > static_cast<uint64_t>(wholeSize)) return -1;
        // A vendor text longer than the head read leaves the count unseen.
        if (at + 11 + vendor + 4 > static_cast<uint64_t>(size)) return kFirstArenaBytes;
        const uint64_t count = Word32(bytes + at + 11 + vendor);
        if (count > static_cast<uint64_t>(wholeSize) / 4) return -1;
        // Each comment's length must fit in the file too: the decoder writes
        // a text's end at its length, even one that wrapped round.
        uint64_t next = at + 11 + vendor + 4;
        for (uint64_t i = 0; i < count && next + 4 <= static_cast<uint64_t>(size); ++i) {
            const uint64_t length = Word32(bytes + next);
            if (length >= static_cast<uint64_t>(wholeSize)) return -1;
            next += 4 + length;
        }
        const uint64_t need = kFirstArenaBytes + vendor + count * sizeof(char*) * 2;
        if (need > static_cast<uint64_t>(VORBIS_ARENA_LIMIT)) return -1;
        int bytesFirst = kFirstArenaBytes;
        while (static_cast<uint64_t>(bytesFirst) < need) bytesFirst *= 2;
        return bytesFirst;
    }
    return kFirstArenaBytes;
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
    // The head of the file is enough to find the comment count.
    std::vector<unsigned char> head(65536);
    int size = 0;
    int64_t whole = 0;
    if (FILE* f = std::fopen(path, "rb")) {
        size = static_cast<int>(std::fread(head.data(), 1, head.size(), f));
        if (std::fseek(f, 0, SEEK_END) == 0) whole = std::ftell(f);
        std::fclose(f);
    }
    return OpenGrowing([path](const stb_vorbis_alloc* alloc, int* error) {
        return stb_vorbis_open_filename(path, error, alloc);
    }, VorbisArenaStart(head.data(), size, whole));
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
