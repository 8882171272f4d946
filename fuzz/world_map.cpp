// "WorldMap.dat", the map's chips, stages and points.
#include "files/world_map.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cWorldMap>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cWorldMap map;
    return {RecordSeed("WorldMap.dat", map)};
}
