// The stage-play screen's Windows side: what its states need of the scene
// manager, player 1's input, the keyboard, the fades and the stage file.
#include <windows.h>

#include "app/shell/data_services.h"
#include "app/game_init.h"
#include "app/shell/load_stage.h"
#include "app/system/input.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"
#include "app/system/timing.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "stage/play_screen_draw.h"
#include "stage/stage_setup.h"
#include "stage/stage_shell.h"

void DrawStagePicture(int picture, int value);
// The stage-play screen's images (all: the whole set; 0: the backgrounds); 0 on failure.
void DrawStageMenu(int firstText, int count, int cursor, int widthCount);

namespace {

unsigned NewSeed() { return static_cast<unsigned>(timeGetTime()); }

// The shell's part of a stage set-up.
void SetUpShell(int frameRate)
{
    SceneManager.nLastMenuBgm = 0;
    for (cInput& input : Inputs) {
        input.ClearHistory();
        input.ResetRunLengths();
    }
    CountEvery(0, 0);
    SceneManager.FrameRate = frameRate > 0 ? frameRate : 60;
}

void ReadModes(STAGEMODES& modes)
{
    modes.nPlayMode = SceneManager.m_nPlayMode;
    modes.nStartKind = SceneManager.nGameKind;
    modes.bRankingOn = SceneManager.m_bRankingOn;
    modes.bDirectPlay = bDirectPlay;
    modes.bTestPlay = MainWindow.bFromEditor;
    modes.nPreviousScene = SceneManager.m_nPreviousScene;
    StageSetupMode.lpNewSeed = NewSeed;
    lpStageSetupShell = SetUpShell;
}

void HandOver(const STAGEMODES& modes)
{
    SceneManager.FrameRate = 60;
    SceneManager.m_nNextScene = modes.nNextScene;
    SceneManager.m_nPreviousScene = SCENE_STAGE;
    SceneManager.m_nCurrentScene = modes.nNextScene;
}

cInput* PlayerOne() { return Inputs.empty() ? nullptr : &Inputs[0]; }

void ReadInput(uint16_t& direction, uint16_t& buttons)
{
    if (cInput* input = PlayerOne()) {
        direction = static_cast<uint16_t>(input->m_wDirection);
        buttons = static_cast<uint16_t>(input->m_wButtons);
    }
}

void WriteInput(uint16_t direction, uint16_t buttons, int numpad)
{
    cInput* input = PlayerOne();
    if (!input) return;
    input->m_wDirection = static_cast<int16_t>(direction);
    input->m_wButtons = static_cast<int16_t>(buttons);
    if (!numpad) return;
    const int column = (direction & 1) ? 0 : (direction & 2) ? 2 : 1;
    const int row = (direction & 4) ? 2 : (direction & 8) ? 0 : 1;
    input->m_nNumpad = 1 + column + row * 3;
}

void RecordInput()
{
    if (cInput* input = PlayerOne()) {
        input->RecordHistory();
        input->UpdateRunLengths();
    }
}

void MenuInput()
{
    if (cInput* input = PlayerOne()) {
        input->ApplyRepeat();
        input->Trigger(0);
    }
}

int KeyDown(int key) { return (lpReadKey(key) & 0x8000) ? 1 : 0; }

int FadeIn() { return DDFadeIn(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false) ? 1 : 0; }

int FadeOut() { return DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false) ? 1 : 0; }

void FillBlank() { DDFillPal(&Display.BackBuffer, 16); }

int StartStageFile(const char* path, int directPlay)
{
    return DataServices.lpStartStageFile ? DataServices.lpStartStageFile(path, directPlay) : 0;
}

// Handed to the stage-play screen before WinMain runs.
[[maybe_unused]] const bool bInstalled = (StageShell = STAGESHELL{
    .lpReadModes = ReadModes,
    .lpHandOver = HandOver,
    .lpReadInput = ReadInput,
    .lpWriteInput = WriteInput,
    .lpRecordInput = RecordInput,
    .lpMenuInput = MenuInput,
    .lpKeyDown = KeyDown,
    .lpLoadImages = LoadStageImages,
    .lpReleaseImages = ReleaseStageImages,
    .lpFadeIn = FadeIn,
    .lpFadeOut = FadeOut,
    .lpFillBlank = FillBlank,
    .lpStartStageFile = StartStageFile,
    .lpCountEvery = CountEvery,
    .lpDrawPicture = DrawStagePicture,
    .lpDrawMenu = DrawStageMenu,
}, true);

} // namespace
