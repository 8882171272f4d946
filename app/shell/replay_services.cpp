#include "app/shell/replay_services.h"

#include <string>

#include "app/shell/file_dialog.h"
#include "app/base/format.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "app/system/system_ini.h"
#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "gfx/dialog_mode.h"
#include "records/data_record.h"
#include "records/palette_data.h"

namespace {

constexpr const char* kReplayFolder = "user_data\\rpl4\\";

// "rpl4_" and the data version.
std::string ReplayExtension()
{
    return FormatText("rpl4_%d", DATA_VERSION);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::string SuggestReplayFileName(const std::string& stageKey, bool (*exists)(const std::string& path))
{
    if (stageKey.empty()) return {};
    std::string name;
    ChangeExtension(name, stageKey, ReplayExtension().c_str());
    StripDirectory(name);
    const std::string base = kReplayFolder + name;
    // Tens from 0 to 8, units from 0 to 8: 81 names, the last one taken
    // when every one exists.
    std::string numbered;
    for (int i = 0; i < 81; ++i) {
        AddNumberSuffix(numbered, base, i / 9, i % 9);
        if (!exists(numbered)) break;
    }
    StripDirectory(numbered);
    return numbered;
}

int AskReplayFileName(HWND owner, char* path)
{
    const std::string suggestion = SuggestReplayFileName(GameProgress.m_sStageKey, FileExists);
    lstrcpynA(path, suggestion.c_str(), FILE_DIALOG_PATH_SIZE);
    const std::string extension = ReplayExtension();
    std::string filter = FormatText("ReplayFile ( *.%s )", extension.c_str());
    filter += '\0';
    filter += FormatText("*.%s", extension.c_str());
    filter += '\0';
    DDSetDialogBoxMode(1);
    const int chosen = SaveFileDialog(owner, path, kReplayFolder,
                                      SystemIni.English ? "Save replay file" : "リプレイファイルの保存",
                                      filter.c_str(), extension.c_str(), 1);
    DDSetDialogBoxMode(0);
    return chosen;
}

int SaveReplayForPlay(const char* path, int previous)
{
    cReplay& replay = previous ? LastReplay : Replay;
    cGameProgress& progress = previous ? LastReplayProgress : ReplayProgress;
    if (SaveReplayFile(replay, path, StageData, PlayStageData, progress)) return 1;
    ErrorBoxF("リプレイファイル %s の保存に失敗しました！", path);
    return 0;
}

int LoadReplayForPlay(const char* path)
{
    // Read beside the game first: the hero is checked before anything is taken.
    cReplay replay;
    cStageData stage, play;
    cGameProgress progress = GameProgress;
    if (!LoadReplayFile(replay, path, stage, play, progress)) {
        RegisterPalette(PALETTE_STAGE, StageData.Lists());
        ErrorBoxF("リプレイファイル %s の読み込みに失敗しました！", path);
        return 0;
    }
    if (!stage.HasHero()) {
        RegisterPalette(PALETTE_STAGE, StageData.Lists());
        ErrorBox("主人公が配置されていないのでプレイできません！");
        return 0;
    }
    StageData = std::move(stage);
    RegisterPalette(PALETTE_STAGE, StageData.Lists());
    PlayStageData = std::move(play);
    Replay.Copy(replay);
    Replay.Rewind();
    GameProgress = progress;
    return 1;
}
