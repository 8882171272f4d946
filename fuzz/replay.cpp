// A replay file: the stage it was played on, the input and the progress.
#include "files/game_progress.h"
#include "files/replay.h"
#include "fuzz/record_target.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    PrepareRecordLoading();
    const std::string path = FuzzScratchPath("play.rep");
    WriteFuzzFile(path, data, size);
    cReplay replay;
    cStageData stage, play;
    cGameProgress progress;
    LoadReplayFile(replay, path, stage, play, progress);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    PrepareRecordLoading();
    cReplay replay;
    replay.m_nSeed = 12345;
    for (int frame = 0; frame < 90; ++frame) replay.RecordFrame(frame < 30 ? 2 : 0, frame % 20 < 5 ? 1 : 0);
    cStageData stage, settings;
    cGameProgress progress;
    const std::string path = FuzzScratchPath("seed.rep");
    if (!SaveReplayFile(replay, path, stage, settings, progress)) return {};
    return {{"play.rep", ReadFuzzFile(path)}};
}
