#include "app/game_init.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "app/system/bgm.h"
#include "app/base/checked.h"
#include "app/shell/data_services.h"
#include "app/shell/load_stage.h"
#include "app/system/folder_platform.h"
#include "app/system/input.h"
#include "app/system/launch_dialog.h"
#include "app/base/log.h"
#include "app/system/log_box.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/system/message_box.h"
#include "app/shell/palette_animation.h"
#include "app/shell/palette_startup.h"
#include "app/system/paths.h"
#include "app/shell/scene_manager.h"
#include "app/system/sound.h"
#include "app/system/system_report.h"
#include "app/shell/window_data.h"
#include "files/data_path.h"
#include "files/database.h"
#include "stage/objects/effect.h"
#include "files/file_error_box.h"
#include "files/frame_tables.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "files/system_defaults.h"
#include "files/world_map.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/display_report.h"
#include "gfx/font.h"
#include "gfx/glyph_cache.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "gfx/transparent_colour.h"
#include "records/data_record.h"
#include "records/record_context.h"
#include "stage/objects/random.h"


namespace {

const char SYSTEM_INI_PATH[] = "System.ini";
const char STAGE_EXTENSION[] = "stg4";
const int DIRECT_PLAY_KIND = 3;   // the title's "stage file" kind
const int TITLE_MUSIC_CHANNELS = 1;

const char TEXTURE_ERROR_TEXT[] =
    "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
    "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。";

// What start-up took that shut-down gives back. Threads: the window thread's.
struct StartupHolds {
    bool bTimerPeriodSet = false;
    HICON hProgramIcon = nullptr;
};
StartupHolds startup;

// A step that ends start-up with no box of its own. The line goes to the
// report log as well as the trace log: tracing is off in a normal run, and a
// program that vanished without a word would leave the player nothing to go on.
bool FailQuietly(const char* line)
{
    ReportLogAndTraceText(line);
    return false;
}

// The icon of the program's own file, on the window's caption and task bar.
void SetProgramIcon()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(MainWindow.hInst, path, MAX_PATH);
    HICON icon = ExtractIconA(MainWindow.hInst, path, 0);
    // 0: the file has no icon; 1: it is no program file.
    if (!icon || icon == reinterpret_cast<HICON>(1)) return;
    startup.hProgramIcon = icon;
    SendMessageA(hMainWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hMainWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

int DesktopBpp()
{
    HDC dc = GetDC(MainWindow.m_hWnd);
    const int bpp = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(MainWindow.m_hWnd, dc);
    return bpp;
}

// The main window joins the window framework, takes the game's title and
// its icon.
void PrepareMainWindow()
{
    if (SystemIni.Direct3D && SystemIni.WindowMode == 2) MainWindow.AddStyle(WS_THICKFRAME);
    InitCommonControls();
    MainWindow.Initialise(0, nullptr, &WindowRegistry, WndProc);
    hMainWnd = MainWindow.m_hWnd;
    SetWindowTextA(hMainWnd, SystemData.m_strTitle.c_str());
    SetProgramIcon();
}

bool StartDisplay(const DISPLAYCHOICE& choice, int showMode)
{
    if (choice.nBpp == 8) SystemIni.DD_VideoStretch = 0;
    const int vsync = SystemIni.VSync != 0;
    auto init = [&] {
        return DDInit(SystemIni.Direct3D, hMainWnd, 640, 480, choice.nBpp, vsync, choice.bWindowed, 1, 60, vsync,
                      SurfaceTables.Surface, SurfaceTables.SurfaceParam, SURFACE_COUNT, 0);
    };
    bool up = init();
    if (!up && SystemIni.Direct3D) {
        // DirectDraw takes over in the same window mode; "System.ini" stays as it is.
        DDUnInit();
        SystemIni.Direct3D = 0;
        ShowWindow(hMainWnd, choice.bWindowed ? showMode : SW_MAXIMIZE);
        up = init();
    }
    if (!up) return FailQuietly("DDInit失敗");
    if (Display.lpDTCon) {
        Display.lpDTCon->strTextureError = TEXTURE_ERROR_TEXT;
        LinkShareSurfaces();
    }
    return true;
}

// The stored placement of the window (window mode), then the window shown.
void ShowMainWindow(const DISPLAYCHOICE& choice, int showMode)
{
    if (choice.bWindowed && WindowData.LoadFile(WINDOW_DATA_PATH)) {
        MainWindow.MoveTo(WindowData.m_nX, WindowData.m_nY);
        if (SystemIni.Direct3D && SystemIni.WindowMode == 2)
            MainWindow.SetClientSize(WindowData.m_nWidth, WindowData.m_nHeight);
        if (WindowData.m_bMaximized) showMode = SW_SHOWMAXIMIZED;
    }
    ShowWindow(hMainWnd, SystemIni.Direct3D || choice.bWindowed ? showMode : SW_SHOWMAXIMIZED);
}

bool SetPaletteAndTransparentColour()
{
    if (!Display.lpDTCon && !Display.lpDDPalette) return true;
    const char* paletteImage = SurfaceTables.SurfaceParam[0].szFileName;
    if (!DDLoadPaletteFromFile(Display.Palette, paletteImage, Display.bWindowMode)) return FailQuietly("DDLoadPaletteFromFile失敗");
    std::memcpy(Display.ShownPalette, Display.Palette, sizeof(Display.ShownPalette));
    const BYTE* rgb = SystemData.m_TransparentColor;
    if (!SystemData.m_bFullColor || Display.nBpp == 16) {
        if (!DDSetTransmit(paletteImage)) return FailQuietly("DDSetTransmit失敗");
        if (SystemData.m_bFullColor) {
            RGBTRIPLE key{};
            key.rgbtRed = rgb[0];
            key.rgbtGreen = rgb[1];
            key.rgbtBlue = rgb[2];
            if (Display.lpDTCon) Display.lpDTCon->rgbKey_16 = key;
            if (Display.lpDDCon) Display.lpDDCon->rgbKey_16 = key;
        }
    } else {
        DDSetTransmit(rgb[0], rgb[1], rgb[2]);
    }
    return true;
}

// DirectDraw full screen flips in step with the monitor unless vertical sync
// is off or the monitor is slower than the game.
void ChoosePresentMode()
{
    if (Display.lpDTCon) return;
    if (Display.bWindowMode) {
        SceneManager.bBltPresent = 1;
        return;
    }
    DWORD frequency = 0;
    if (Display.lpDirectDraw) Display.lpDirectDraw->GetMonitorFrequency(&frequency);
    SceneManager.bBltPresent = SystemIni.VSync == 0 || static_cast<int>(frequency) < SceneManager.FrameRate;
}

bool CreateGameFonts()
{
    const int face = SystemData.m_nFontFace >= 0 && SystemData.m_nFontFace < FONT_FACES ? SystemData.m_nFontFace : 0;
    for (FONTPARAM& param : SurfaceTables.FontParam) {
        std::strncpy(param.szFace, FontFaceNames[face], sizeof(param.szFace) - 1);
        if (param.nFast == 2) param.nFast = Display.lpDTCon ? SystemIni.D3D_FontCache : SystemIni.DD_FontCache;
    }
    if (!CreateFonts(SurfaceTables.Fonts, SurfaceTables.FontParam, FONT_COUNT)) return false;
    SurfaceTables.Fonts[1].m_bCenterGlyph = SystemData.m_bCenterGlyphs;
    SurfaceTables.Fonts[1].m_bIcon = SystemData.m_bIconLetters;
    return CreateNumberSurfaces(SurfaceTables.SpareSurface, SurfaceTables.SpareSurfaceParam, FONT_COUNT, SurfaceTables.Fonts, SurfaceTables.FontParam) != 0;
}

// The stage named for direct play, started at once; a name that does not
// exist was reported and the game starts at the title.
bool StartDirectPlay()
{
    if (!FindFreeStage(SystemIni)) return true;
    bDirectPlay = 1;
    if (!DataServices.lpStartStageFile(SystemIni.FreeStage.c_str(), 1)) return false;
    SceneManager.m_nPlayMode = PLAYMODE_FREE;
    SceneManager.m_bRankingOn = 1;
    SceneManager.nGameKind = DIRECT_PLAY_KIND;
    SceneManager.m_nCurrentScene = SCENE_STAGE;
    SceneManager.m_nPreviousScene = SCENE_TITLE;
    return true;
}

} // namespace

bool LoadGameData()
{
    cWin32FolderPlatform folders(MainWindow.m_hWnd);
    if (!CreateDefaultData(folders)) {
        ReportLogBox("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
        return false;
    }
    CreateWorkFolders(folders);

    if (!DataBase.LoadAll()) {
        ReportLogBox("データベースの読み込みに失敗…");
        return false;
    }
    DataBase.CopyReversedEffectLists();
    BuildAnimeFrameTable(FrameTables.AnimeFrameTable);
    BuildEffectFrameTable(FrameTables.EffectFrameTable);
    BuildCharaEffectTemplates(CharaEffectTemplates, CharaEffectTemplatesRev);
    BuildScrEffectTemplates(ScrEffectTemplates, ScrEffectTemplatesRev);

    const char* systemPath = DataPath[DATAPATH_SYSTEM];
    if (!SystemData.LoadFile(systemPath)) {
        ReportLogBox("%s の読み込みに失敗…", systemPath);
        return false;
    }
    // Every definition read from here on (the common palette, the stages)
    // keeps its editor-only flows in a test play from the editor and where
    // the settings say so.
    RecordContext.bFromEditor = MainWindow.bFromEditor;
    RecordContext.nKeepFlaggedFlows = SystemData.m_bKeepFlaggedFlows;
    return true;
}

std::vector<INIOPTION> IniOptionsOf(const std::vector<cIniOption>& options)
{
    std::vector<INIOPTION> out;
    for (const cIniOption& option : options) out.push_back({option.m_strKey, option.m_nValue, option.m_strValue});
    return out;
}

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

void StartSoundAndMusic()
{
    if (Options.m_bBgm) Bgm.Init(TITLE_MUSIC_CHANNELS, BgmOggNames, BgmMidiNames, BGM_ENTRY_COUNT);

    SOUNDNAMES names;
    names.SystemSounds.assign(SystemData.m_SoundFiles.begin(), SystemData.m_SoundFiles.end());
    for (const cSoundData& sound : DataBase.m_Sound) names.UserSounds.push_back(sound.m_sFile);
    BuildSoundLists(names, SoundEffects.SoundDefList, SoundEffects.SoundList);

    if (!DS_Init(hMainWnd, 22050, 8, 1)) {
        ReportLogAndTraceText("DS_Init失敗！");
        return;
    }
    const int step = Options.m_nVolume >= 0 && Options.m_nVolume < OPTION_VOLUME_STEPS ? Options.m_nVolume : 0;
    DS_LoadSounds(SoundEffects.SoundList, SoundEffects.SoundDefList, SoundVolumeTable[step]);
}

DISPLAYCHOICE ChooseDisplay(SYSTEMINI& ini, const DISPLAYFACTS& facts)
{
    DISPLAYCHOICE choice;
    if (ini.Direct3D) {
        choice.bWindowed = ini.WindowMode != 0;
        if (ini.VSync >= 2) ini.VSync = 1;
    } else if (ini.WindowMode) {
        ini.VSync = 0;
        choice.bWindowed = 1;
    } else {
        choice.bWindowed = 0;
        if (ini.VSync >= 2) ini.VSync = facts.bVistaOrLater ? 0 : 1;
    }
    if (ini.Bpp == 0) {
        if (choice.bWindowed) {
            ini.Bpp = facts.nDesktopBpp;
        } else if (ini.Direct3D) {
            ini.Bpp = facts.nD3DFullBpp == 1 ? 16 : 32;
        } else if (facts.nDDFullBpp == 1) {
            ini.Bpp = 16;
        } else {
            ini.Bpp = facts.nDDFullBpp == 2 && !facts.bFullColor ? 8 : 32;
        }
    }
    choice.nBpp = ini.Bpp;
    return choice;
}

const char* CheckDisplayDepth(const SYSTEMINI& ini, const DISPLAYCHOICE& choice, const DISPLAYFACTS& facts)
{
    const int bpp = choice.nBpp;
    bool allowed = bpp == 16 || bpp == 32 || (!ini.Direct3D && bpp == 8 && !choice.bWindowed && !facts.bFullColor);
    if (choice.bWindowed && bpp != facts.nDesktopBpp) allowed = false;
    if (allowed) return nullptr;
    if (choice.bWindowed && (bpp == 16 || bpp == 32))
        return "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
    return "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";
}

bool InitGame(const char* commandLine, int showMode)
{
    timeBeginPeriod(1);
    startup.bTimerPeriodSet = true;
    GameSrand(timeGetTime());
    RecordContext.nDataVersion = DATA_VERSION;
    RecordContext.bStripCR = 1;
    lpFileErrorBox = ErrorBox;

    if (!LoadGameData()) return false;

    LoadSystemIni(SystemIni, IniOptionsOf(SystemData.m_IniOptions));
    // Cancelling the launch dialog ends start-up.
    if (!ChooseLaunchMode(SystemIni, MainWindow, SystemData.m_strTitle)) return false;
    TakeCommandLine(SystemIni, commandLine);

    SceneManager.FrameRate = 60;
    SceneManager.m_nFadeStep = 10;
    for (int i = 0; i < static_cast<int>(Inputs.size()); ++i) CheckedAt(Inputs, i).SetRepeat(18, 6);

    DISPLAYFACTS facts;
    facts.nDesktopBpp = DesktopBpp();
    facts.bVistaOrLater = IsWindowsVersionAtLeast(6, 0);
    facts.nD3DFullBpp = SystemData.m_nD3DFullBpp;
    facts.nDDFullBpp = SystemData.m_nDDFullBpp;
    facts.bFullColor = SystemData.m_bFullColor;
    const DISPLAYCHOICE choice = ChooseDisplay(SystemIni, facts);
    if (const char* refusal = CheckDisplayDepth(SystemIni, choice, facts)) {
        ErrorBoxF("%s", refusal);
        return false;
    }

    PrepareMainWindow();
    if (!StartDisplay(choice, showMode)) return false;
    ShowMainWindow(choice, showMode);
    ReportDisplayInfo(1);
    TraceLogF("DDInit成功");

    if (!SetPaletteAndTransparentColour()) return false;
    TraceLogF("1");
    ChoosePresentMode();

    const int firstSurfaces[] = {1};
    if (!DDLoadSurfaces(SurfaceTables.Surface, firstSurfaces, 1)) return false;
    if (!CreateGameFonts()) return false;
    TraceLogF("3");

    for (cInput& input : Inputs) input.InitJoyButtons();
    if (!LoadKeyConfig(DataPath[DATAPATH_KEYCONFIG], KeyConfig)) SetDefaultKeyConfig(KeyConfig);

    // A missing file keeps the defaults.
    Options.LoadFile(DataPath[DATAPATH_OPTION]);
    if (Display.nBpp == 8 && !LoadHbtPalette(Options.m_nPalette)) return false;

    StartSoundAndMusic();

    if (!WorldMap.LoadFile(DataPath[DATAPATH_WORLDMAP])) {
        ReportLogBox("%s のロードに失敗！", DataPath[DATAPATH_WORLDMAP]);
        return false;
    }
    if (!LoadCommonPalette(DataPath[DATAPATH_COMMON_PALETTE])) return false;
    TraceLogF("4");

    return StartDirectPlay();
}

void UnInitGame()
{
    if (Display.lpDTCon || Display.lpDDCon) {
        if (SurfaceTables.Fonts[0].m_lpFastFont_FullAdd) ReportLog("Font10 : %d", SurfaceTables.Fonts[0].m_lpFastFont_FullAdd->m_nCount);
        if (SurfaceTables.Fonts[1].m_lpFastFont_FullAdd) ReportLog("Font16 : %d", SurfaceTables.Fonts[1].m_lpFastFont_FullAdd->m_nCount);
    }
    if (startup.bTimerPeriodSet) timeEndPeriod(1);
    startup.bTimerPeriodSet = false;
    DS_Release();
    Bgm.Release();
    SceneManager.DeleteAllScenes();
    for (Font& font : SurfaceTables.Fonts) font.Release();
    for (DDSURFACEDATA& digits : SurfaceTables.SpareSurface) DDReleaseSurface(&digits);
    DDUnInit();
    UnhookKeyboard();
    if (startup.hProgramIcon) DestroyIcon(startup.hProgramIcon);
    startup.hProgramIcon = nullptr;
}
