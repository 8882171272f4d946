// "Boot.dat", the launch choices.
#include "app/system/boot_data.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cBootData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cBootData boot;
    return {RecordSeed("Boot.dat", boot)};
}
