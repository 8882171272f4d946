#include "scenes/game_start.h"

#include <string>

#include "app/base/checked.h"
#include "app/shell/load_stage.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "records/palette_data.h"

namespace {

// The lives a game of a play mode starts with: infinite, or the mode's
// default with the life being played not counted.
void SetStartLives(cGameProgress& progress, int mode)
{
    if (CheckedAt(SystemData.m_InfiniteLives, mode)) {
        progress.m_nStartLives = progress.m_nLives = INFINITE_LIVES;
    } else {
        progress.m_nStartLives = CheckedAt(SystemData.m_DefaultLives, mode);
        progress.m_nLives = progress.m_nStartLives - 1;
    }
}

} // namespace

void NewGame()
{
    GameProgress.Reset();
    GameProgress.m_nMapX = WorldMap.m_nStartX;
    GameProgress.m_nMapY = WorldMap.m_nStartY;
    GameProgress.m_nLap = 0;
    SetStartLives(GameProgress, PLAYMODE_STORY);
}

namespace {

// A replay offered where a stage file is asked for: the stage loader would
// take its stage body and stumble over what follows.
bool IsReplayName(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    const size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = name.substr(dot + 1, 4);
    for (char& c : extension) c = static_cast<char>(c | 0x20);
    return extension == "rpl4";
}

} // namespace

int StartStageFile(const char* path, int findNewest, int directPlay)
{
    std::string name = path ? path : "";
    if (IsReplayName(name)) {
        ErrorBoxF("ステージファイル %s が読み込めません！", name.c_str());
        return 0;
    }
    // A refused file must leave the game as it was: the progress is built
    // aside, and the stage the loader may have replaced is put back.
    cGameProgress progress;
    progress.Reset();
    cStageData stageBefore = StageData;
    if (!LoadStage(name, findNewest != 0, &PlayStageData)) {
        StageData = std::move(stageBefore);
        RegisterPalette(PALETTE_STAGE, StageData.Lists());
        return 0;
    }
    progress.m_nStageNo = 1;
    progress.m_nArea = 1;
    if (directPlay)
        progress.m_nStartLives = progress.m_nLives = INFINITE_LIVES;
    else
        SetStartLives(progress, PLAYMODE_FREE);
    ToRelativePath(name);
    progress.SetStageName(name.c_str());
    GameProgress = progress;
    return 1;
}
