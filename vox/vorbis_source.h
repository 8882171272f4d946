#pragma once
// One Ogg Vorbis file as a stream of 16-bit PCM sample frames, decoded a
// piece at a time as it is read: a long tune is never decoded whole.
#include "vox/vorbis_arena.h"

class cVorbisSource {
public:
    cVorbisSource() = default;
    ~cVorbisSource();
    cVorbisSource(const cVorbisSource&) = delete;
    cVorbisSource& operator=(const cVorbisSource&) = delete;

    // Opens the file (dropping the one open before) at its first frame with
    // no repeat; false when it is missing or not Ogg Vorbis.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return m_lpDecoder != nullptr; }

    // Channels of the frames Read gives: the file's, mixed down to two.
    int Channels() const { return m_nChannels; }
    unsigned Rate() const { return m_nRate; }
    // Frames in one pass of the tune.
    unsigned Length() const { return m_nLength; }

    // Back to the first frame; the tune then plays repeats more times after
    // this pass (VOX_LOOP_ENDLESS: for ever). False when the file cannot seek.
    bool Rewind(int repeats);
    // Fills up to frames interleaved sample frames. At the end of a pass that
    // is to repeat, the next pass's first frame follows the last frame of this
    // one in the same call, so a loop has no gap and no padding. Fewer frames
    // than asked only when the last pass ends; 0 after it.
    int Read(short* out, int frames);
    bool Ended() const { return m_bEnded; }

private:
    cVorbisArena m_Arena;
    stb_vorbis* m_lpDecoder = nullptr;
    int m_nChannels = 0;
    unsigned m_nRate = 0;
    unsigned m_nLength = 0;
    unsigned m_nPassPosition = 0;
    int m_nRepeatsLeft = 0;
    bool m_bEnded = false;
};
