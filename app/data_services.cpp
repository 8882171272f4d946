#include "app/data_services.h"

#include "app/log.h"

namespace {

int NoStageLoader(const char* path, int)
{
    ReportLog("StartStageFile: this build cannot load stages (%s)", path);
    return 0;
}

int NoReplayLoader(const char* path)
{
    ReportLog("LoadReplayFile: this build cannot load replays (%s)", path);
    return 0;
}

int NoReplayDialog(HWND, char*)
{
    ReportLog("AskReplayFileName: this build cannot save replays");
    return 0;
}

int NoReplaySaver(const char* path, int)
{
    ReportLog("SaveReplayFile: this build cannot save replays (%s)", path);
    return 0;
}

std::string* NoOptionsName()
{
    return nullptr;
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
    NoStageLoader, NoReplayLoader, NoReplayDialog, NoReplaySaver, NoOptionsName,
    NoMenuTune,    NoStageTune,    NoTuneNames,
};
