// The common palette, the definitions of the characters (their flows and the
// shots their commands fire) and the items: read as start-up reads it, then
// a sample stage read and played with it. Byte 0 names the stage (modulo
// the number of sample stages), the rest is the palette file.
#include "fuzz/play_fuzz.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    if (size < 1) return;
    static const std::vector<FuzzBytes> stages = SampleStageFiles();
    PlayStageFile(stages[data[0] % PLAY_FUZZ_STAGES], data + 1, size - 1);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    const FuzzBytes palette = SampleCommonPaletteFile();
    std::vector<FuzzSeed> seeds;
    for (size_t i = 0; i < PLAY_FUZZ_STAGES; ++i) {
        FuzzBytes bytes(1, static_cast<uint8_t>(i));
        bytes.insert(bytes.end(), palette.begin(), palette.end());
        seeds.push_back({"sample" + std::to_string(i) + ".cplt4", std::move(bytes)});
    }
    return seeds;
}
