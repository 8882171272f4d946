// "System.dat", the game's settings, with the lists its version holds.
#include "files/system_data.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cSystemData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cSystemData settings;
    return {RecordSeed("System.dat", settings)};
}
