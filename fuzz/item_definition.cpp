// A item definition record file.
#include "fuzz/record_target.h"
#include "records/item_data.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cItemData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cItemData definition;
    return {RecordSeed("default.dat", definition)};
}
