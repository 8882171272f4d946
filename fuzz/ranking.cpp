// A stage's ranking file.
#include "files/ranking.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cRankingSet>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cRankingSet set;
    return {RecordSeed("ranking.dat", set)};
}
