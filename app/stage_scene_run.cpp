// The Windows shell's stage host: what the running stage asks of the scene
// manager, player 1's input, the keyboard, the fades, the sound and music of
// the window thread, the sub-loops, the dialogs and the stage files.
#include <windows.h>

#include "app/shell/data_services.h"
#include "app/game_init.h"
#include "app/system/game_messages.h"
#include "app/system/input.h"
#include "app/shell/load_stage.h"
#include "app/shell/main_window.h"
#include "app/base/main_window_handle.h"
#include "app/system/message_box.h"
#include "app/system/paths.h"
#include "app/shell/scene_manager.h"
#include "app/system/sound.h"
#include "app/system/timing.h"
#include "app/shell/window_requests.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/render_state.h"
#include "scenes/sub_loops.h"
#include "stage/draw/play_screen_draw.h"
#include "stage/scene/stage_boxes.h"
#include "stage/scene/stage_host.h"
#include "stage/script/key_input.h"

void DrawStagePicture(const cStageWorld& world, int picture, int value);
void DrawStageMenu(int firstText, int count, int cursor, int widthCount);

namespace {

cInput* PlayerOne() { return Inputs.empty() ? nullptr : &Inputs[0]; }

class cShellStageHost : public cStageHost {
public:
    void ReadModes(STAGEMODES& modes) override
    {
        modes.nPlayMode = SceneManager.m_nPlayMode;
        modes.nStartKind = SceneManager.nGameKind;
        modes.bRankingOn = SceneManager.m_bRankingOn;
        modes.bDirectPlay = bDirectPlay;
        modes.bTestPlay = MainWindow.bFromEditor;
        modes.nPreviousScene = SceneManager.m_nPreviousScene;
    }

    void HandOver(int nextScene) override
    {
        SceneManager.FrameRate = 60;
        SceneManager.m_nNextScene = nextScene;
        SceneManager.m_nPreviousScene = SCENE_STAGE;
        SceneManager.m_nCurrentScene = nextScene;
    }

    void ReadInput(uint16_t& direction, uint16_t& buttons) override
    {
        direction = buttons = 0;
        if (cInput* input = PlayerOne()) {
            direction = static_cast<uint16_t>(input->m_wDirection);
            buttons = static_cast<uint16_t>(input->m_wButtons);
        }
    }

    void WriteInput(uint16_t direction, uint16_t buttons, int numpad) override
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

    void RecordInput() override
    {
        if (cInput* input = PlayerOne()) {
            input->RecordHistory();
            input->UpdateRunLengths();
        }
    }

    void MenuInput() override
    {
        if (cInput* input = PlayerOne()) {
            input->ApplyRepeat();
            input->Trigger(0);
        }
    }

    int KeyDown(int key) override { return (lpReadKey(key) & 0x8000) ? 1 : 0; }

    int LoadImages(int all) override { return LoadStageImages(all); }
    void ReleaseImages() override { ReleaseStageImages(); }
    int FadeIn() override
    {
        return DDFadeIn(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false) ? 1 : 0;
    }
    int FadeOut() override
    {
        return DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, SceneManager.m_nFadeStep, Display.Palette, false) ? 1 : 0;
    }
    void FillBlank() override { DDFillPal(&Display.BackBuffer, 16); }
    void DrawPicture(const cStageWorld& world, int picture, int value) override
    {
        DrawStagePicture(world, picture, value);
    }
    void DrawMenu(int firstText, int count, int cursor, int widthCount) override
    {
        DrawStageMenu(firstText, count, cursor, widthCount);
    }
    cPlayScreenPainter* Painter() override { return &GfxPainter; }
    void ResetBlending() override { DDResetVertexColor(); }

    void PlaySE(int n) override { ::PlaySE(n); }
    void PlayUserSE(int n) override { ::PlayUserSE(n); }
    // The loop switch travels in the progress, where the window thread reads
    // it when it starts the tune.
    void RequestBgm(int n, int loop) override
    {
        GameProgress.m_bBgmLoop = loop;
        SendMessageA(hMainWnd, WM_GAME_BGM, 4, static_cast<LPARAM>(n));
    }

    void RunPauseLoop(int handshake) override { StartPauseLoop(handshake); }
    void RunRankingLoop() override { StartRankingLoop(); }
    void WaitWhileInactive(const std::atomic<int>* quit) override
    {
        while (!MainWindow.bAppActive && !*quit) Sleep(1);
    }

    // The window thread shows the dialog; the done flag is polled as for the
    // file dialogs.
    void EnterName() override
    {
        WindowReplies.bNameEntryDone = 0;
        SendMessageA(hMainWnd, WM_GAME_NAMEENTRY, 0, 0);
        while (!WindowReplies.bNameEntryDone) Sleep(1);
    }
    // The window thread asks for the name, writes the file or explains why it
    // could not; either way the play goes on.
    void SaveReplay(int which) override
    {
        WindowReplies.bDialogDone = 0;
        SendMessageA(hMainWnd, WM_GAME_SAVEREPLAY, static_cast<WPARAM>(which), 0);
        while (!WindowReplies.bDialogDone) Sleep(1);
    }
    void ErrorBox(const char* text) override { ::ErrorBox(text); }

    int FindStageFile(std::string& path, const std::string& name) override
    {
        return FindNumberedFile(path, name, "stg4");
    }
    int LoadStage(const std::string& path) override { return ::LoadStage(path, true, &PlayStageData); }
    int StartStageFile(const char* path, int directPlay) override
    {
        return DataServices.lpStartStageFile ? DataServices.lpStartStageFile(path, directPlay) : 0;
    }

    int CountEvery(int mode, unsigned n) override { return ::CountEvery(mode, n); }
    int NewSeed(unsigned& seed) override
    {
        seed = static_cast<unsigned>(timeGetTime());
        return 1;
    }
    void SetUpPlay(int frameRate) override
    {
        SceneManager.nLastMenuBgm = 0;
        for (cInput& input : Inputs) {
            input.ClearHistory();
            input.ResetRunLengths();
        }
        ::CountEvery(0, 0);
        SceneManager.FrameRate = frameRate > 0 ? frameRate : 60;
    }
};

} // namespace

namespace {

cStageHost& ShellHost()
{
    static cShellStageHost host;
    return host;
}

const cInputRuns* PlayerInput(int input)
{
    return input >= 0 && input < static_cast<int>(Inputs.size()) ? &Inputs[input] : nullptr;
}

void ShowStageBox(const char* text) { ErrorBox(text); }

// Handed to the stage before WinMain runs: the host, the players' key
// histories the flows' key conditions read, and the stage's error boxes.
[[maybe_unused]] const bool bHostInstalled =
    (SetProgramStageHost(&ShellHost()), lpShellKeyInput = PlayerInput, lpStageBoxShow = ShowStageBox, true);

} // namespace
