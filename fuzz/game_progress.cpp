// A save slot or the challenge file: the game's progress.
#include "files/game_progress.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cGameProgress>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cGameProgress progress;
    return {RecordSeed("Save1.dat", progress)};
}
