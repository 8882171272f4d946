// A block definition record file.
#include "fuzz/record_target.h"
#include "records/block_data.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cBlockData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cBlockData definition;
    return {RecordSeed("default.dat", definition)};
}
