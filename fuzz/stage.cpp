// A stage file, checked for its end marker and read as a stage load reads it.
#include "files/stage_file.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    PrepareRecordLoading();
    const std::string path = FuzzScratchPath("stage.tst4");
    WriteFuzzFile(path, data, size);
    if (!CheckStageFileEnd(path)) return;
    cStageData stage;
    stage.LoadFile(path);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    cStageData stage;
    return {RecordSeed("default.tst4", stage)};
}
