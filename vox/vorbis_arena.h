#pragma once
// The decoder takes all of its memory from a buffer of ours. Left to itself
// it allocates with malloc and, on some damaged files, returns from a failed
// open without freeing what it had taken; from our own buffer nothing can be
// lost, and what a file may make it take is bounded.
#include <memory>

struct stb_vorbis;

// The largest buffer a tune may need; a file that needs more is refused as
// the decoder refuses any file it cannot set up.
constexpr int VORBIS_ARENA_LIMIT = 64 * 1024 * 1024;

// VorbisArenaStart's answer when the head given ends inside the comment
// header: a longer head is needed.
constexpr int VORBIS_ARENA_MORE = 0;

// The first buffer for a file whose head (size bytes of a file of wholeSize)
// is given: large enough for its comment list; -1 when the file's comment
// header names more than it holds or the file ends inside it.
int VorbisArenaStart(const unsigned char* bytes, int size, long long wholeSize);

class cVorbisArena {
public:
    // Opens the file at path, or the bytes given; the decoder lives in this
    // arena's buffer until Close. Null when the file is missing, damaged or
    // needs more than the limit.
    stb_vorbis* OpenFile(const char* path);
    stb_vorbis* OpenMemory(const unsigned char* bytes, int size);
    // Closes the decoder (if any) and frees the buffer.
    void Close(stb_vorbis*& decoder);

private:
    template <class Open>
    stb_vorbis* OpenGrowing(Open open, int firstBytes);
    std::unique_ptr<char[]> m_lpBuffer;
};
