// The player's options file.
#include "files/option_data.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cOptionData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cOptionData options;
    return {RecordSeed("Option.dat", options)};
}
