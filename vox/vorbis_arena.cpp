#include "vox/vorbis_arena.h"

#include <new>

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace {
// Most tunes need 100 to 200 KB; the buffer doubles from here as needed.
constexpr int kFirstArenaBytes = 256 * 1024;
}

template <class Open>
stb_vorbis* cVorbisArena::OpenGrowing(Open open)
{
    for (int bytes = kFirstArenaBytes; bytes <= VORBIS_ARENA_LIMIT; bytes *= 2) {
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
    return OpenGrowing([path](const stb_vorbis_alloc* alloc, int* error) {
        return stb_vorbis_open_filename(path, error, alloc);
    });
}

stb_vorbis* cVorbisArena::OpenMemory(const unsigned char* bytes, int size)
{
    return OpenGrowing([bytes, size](const stb_vorbis_alloc* alloc, int* error) {
        return stb_vorbis_open_memory(bytes, size, error, alloc);
    });
}

void cVorbisArena::Close(stb_vorbis*& decoder)
{
    if (decoder) stb_vorbis_close(decoder);
    decoder = nullptr;
    m_lpBuffer.reset();
}
