#include "app/data_services.h"

#include "app/log.h"
#include "app/replay_services.h"
#include "files/option_data.h"
#include "scenes/game_start.h"

namespace {

// A file named at start-up or chosen in the dialog is read as it is named.
int StartNamedStageFile(const char* path, int directPlay)
{
    return StartStageFile(path, 0, directPlay);
}

std::string* OptionsName()
{
    return &Options.m_sRankingName;
}

void NoMenuTune(int, int* tune, int* loop)
{
    *tune = 0;
    *loop = 0;
}

int NoStageTune(int)
{
    return 0;
}

const std::vector<std::string>& NoTuneNames()
{
    static const std::vector<std::string> none;
    return none;
}

} // namespace

DATASERVICES DataServices = {
    StartNamedStageFile, LoadReplayForPlay, AskReplayFileName, SaveReplayForPlay, OptionsName,
    NoMenuTune,    NoStageTune,    NoTuneNames,
};
