#include "app/game_init.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/checked.h"
#include "app/input.h"
#include "app/launch_dialog.h"
#include "app/log.h"
#include "app/log_box.h"
#include "app/main_window.h"
#include "app/main_window_handle.h"
#include "app/paths.h"
#include "app/scene_manager.h"
#include "records/data_record.h"

namespace {

const char SYSTEM_INI_PATH[] = "System.ini";
const char KEYCONFIG_PATH[] = "user_data\\KeyConfig.dat";
const char STAGE_EXTENSION[] = "stg4";

// The game title shown in the window's caption. The system settings, once read,
// give the game's own; until then it is their default, which is empty.
const char GAME_TITLE[] = "";

bool bTimerPeriodSet = false;
HICON hProgramIcon = nullptr;

// The icon of the program's own file, on the window's caption and task bar.
void SetProgramIcon()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(hInst, path, MAX_PATH);
    HICON icon = ExtractIconA(hInst, path, 0);
    // 0: the file has no icon; 1: it is no program file.
    if (!icon || icon == reinterpret_cast<HICON>(1)) return;
    hProgramIcon = icon;
    SendMessageA(hMainWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hMainWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

} // namespace

void LoadSystemIni(SYSTEMINI& ini, const std::vector<INIOPTION>& options)
{
    SetSystemIniDefaults(ini, options);
    if (!ReadSystemIni(SYSTEM_INI_PATH, ini, options)) {
        ReportLogBox("System.ini の読み込みに失敗しました！");
        SetSystemIniDefaults(ini, options);
    }
}

void TakeCommandLine(SYSTEMINI& ini, const char* commandLine)
{
    if (commandLine && *commandLine) ini.FreeStage = commandLine;
}

int FindFreeStage(SYSTEMINI& ini)
{
    if (ini.FreeStage.empty()) return 0;
    // A name longer than the key can hold is no file the game can open: it is
    // reported like a missing one instead of being cut to some other name.
    // The newest revision wins; without one, a file of exactly the name given
    // is played as it is.
    if (ini.FreeStage.size() <= FREESTAGE_MAX_LENGTH) {
        std::string found;
        if (FindNumberedFile(found, ini.FreeStage, STAGE_EXTENSION)) ini.FreeStage = found;
        if (GetFileAttributesA(ini.FreeStage.c_str()) != INVALID_FILE_ATTRIBUTES) return 1;
    }
    ReportLogAndTrace("「%s」の読み込みに失敗しました！", ini.FreeStage.c_str());
    ini.FreeStage.clear();
    return 0;
}

bool InitGame(const char* commandLine, int showMode)
{
    timeBeginPeriod(1);
    bTimerPeriodSet = true;
    nDataVersion = DATA_VERSION;
    bStripCR = 1;

    LoadSystemIni(SystemIni, DefaultIniOptions());
    // Cancelling the launch dialog ends start-up.
    if (!ChooseLaunchMode(SystemIni, MainWindow, GAME_TITLE)) return false;
    TakeCommandLine(SystemIni, commandLine);

    SceneManager.FrameRate = 60;
    SceneManager.m_nFadeStep = 10;

    for (int i = 0; i < static_cast<int>(Inputs.size()); ++i) CheckedAt(Inputs, i).SetRepeat(18, 6);

    InitCommonControls();
    MainWindow.Initialise(0, nullptr, &WindowRegistry, WndProc);
    hMainWnd = MainWindow.m_hWnd;
    SetWindowTextA(hMainWnd, GAME_TITLE);
    SetProgramIcon();

    ShowWindow(hMainWnd, showMode);

    for (cInput& input : Inputs) input.InitJoyButtons();
    if (!LoadKeyConfig(KEYCONFIG_PATH, KeyConfig)) SetDefaultKeyConfig(KeyConfig);

    // The stage named for direct play is started by stage play; a name that
    // does not exist is reported here and the game starts at the title.
    FindFreeStage(SystemIni);
    return true;
}

void UnInitGame()
{
    if (bTimerPeriodSet) timeEndPeriod(1);
    bTimerPeriodSet = false;
    SceneManager.DeleteAllScenes();
    UnhookKeyboard();
    if (hProgramIcon) DestroyIcon(hProgramIcon);
    hProgramIcon = nullptr;
}
