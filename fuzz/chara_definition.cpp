// A chara definition record file.
#include "fuzz/record_target.h"
#include "records/chara_data.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cCharaData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cCharaData definition;
    return {RecordSeed("default.dat", definition)};
}
