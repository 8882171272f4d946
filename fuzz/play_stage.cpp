// A stage file, read as a stage is loaded for play, set up and played for a
// few hundred frames with scripted input, the sample game around it.
#include "fuzz/play_fuzz.h"

void FuzzOne(const uint8_t* data, size_t size) { PlayStageFile(FuzzBytes(data, data + size), nullptr, 0); }

std::vector<FuzzSeed> FuzzSeeds()
{
    std::vector<FuzzSeed> seeds;
    for (FuzzBytes& file : SampleStageFiles(PlacedDefinitions::Own))
        seeds.push_back({"sample" + std::to_string(seeds.size()) + ".stg4", std::move(file)});
    return seeds;
}
