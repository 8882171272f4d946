#include "app/shell/data_services.h"

#include "app/base/log.h"
#include "app/shell/replay_services.h"
#include "files/database.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/system_data.h"
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

// The system settings' tune of a menu music slot and its loop argument.
void MenuTune(int slot, int* tune, int* loop)
{
    const bool known = slot >= 0 && static_cast<size_t>(slot) < SystemData.m_MenuBgm.size();
    *tune = known ? SystemData.m_MenuBgm[slot] : 0;
    *loop = known && static_cast<size_t>(slot) < SystemData.m_MenuBgmLoop.size() ? SystemData.m_MenuBgmLoop[slot] : 0;
}

int StageTune(int tune)
{
    GameProgress.m_nBgm = tune;
    return GameProgress.m_bBgmLoop;
}

// Read on the window thread only, which alone asks for music.
const std::vector<std::string>& TuneNames()
{
    static std::vector<std::string> names;
    names.clear();
    for (const cBgmData& tune : DataBase.m_Bgm) names.push_back(tune.m_sFile);
    return names;
}

// The game's own services, handed to the window thread before WinMain runs.
[[maybe_unused]] const bool bInstalled = (DataServices = {
    StartNamedStageFile, LoadReplayForPlay, AskReplayFileName, SaveReplayForPlay, OptionsName,
    MenuTune,    StageTune,    TuneNames,
}, true);

} // namespace
