// An animation set record file.
#include "fuzz/record_target.h"
#include "records/anime_data.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cAnimeSetData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cAnimeSetData set;
    return {RecordSeed("default.dat", set)};
}
