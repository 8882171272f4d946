// An Ogg Vorbis file opened and decoded whole as the music player does it:
// the decoder in its own arena, interleaved 16-bit frames a piece at a time.
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_target.h"
#include "vox/vorbis_arena.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    cVorbisArena arena;
    stb_vorbis* decoder = arena.OpenMemory(data, static_cast<int>(size));
    if (!decoder) return;
    const stb_vorbis_info info = stb_vorbis_get_info(decoder);
    stb_vorbis_stream_length_in_samples(decoder);
    short frames[4096];
    const int channels = info.channels < 2 ? 1 : 2;
    while (stb_vorbis_get_samples_short_interleaved(decoder, channels, frames, 4096) > 0) {
    }
    stb_vorbis_seek_start(decoder);
    arena.Close(decoder);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    // The test tune the build makes (two tones, 0.4 s), when the seeds are written beside it.
    const char* tune = std::getenv("FUZZ_OGG_SEED");
    FuzzBytes bytes = tune ? ReadFuzzFile(tune) : FuzzBytes();
    if (bytes.empty()) return {};
    return {{"tune.ogg", bytes}};
}
