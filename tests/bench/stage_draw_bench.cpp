// A sample stage played in direct play as the game plays it, in a folder laid
// out from the sample game, on the back end that the first argument names
// ("d3d" or "ddraw"); the second names the stage file (default the first
// story stage). Prints the time of the stage file's load, of the stage's
// set-up, and, over a few hundred frames, of the stage screen's frame (play
// step and drawing), of its drawing alone (the same frame drawn again,
// frozen) and of the present without the frame pacing. Run by hand or by
// tools/bench.sh; not a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/base/close_request.h"
#include "app/game_init.h"
#include "app/game_loop.h"
#include "app/system/input.h"
#include "app/shell/load_stage.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/shell/scene_manager.h"
#include "files/stage_file.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/scene.h"
#include "gfx/surface_tables.h"
#include "stage/scene/play_screen.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/bench/bench_clock.h"
#include "tests/support/game_folder.h"
#include "tests/support/test_dir.h"

namespace {

constexpr int WARM_UP = 30, FRAMES = 300, SECTION_FRAMES = 100;

std::string StageName = "Meadow.stg4_001";
double LoadMs = -1, SetUpMs = -1;
std::vector<double> FrameMs, DrawMs, PresentMs;
int Failed = 0;

// The sections of a frozen frame's drawing, each waited for (under Direct3D
// until the device has drawn it).
enum { SEC_BACK, SEC_BLOCKS, SEC_OBJECTS, SEC_FRONT, SEC_BAR, SEC_PRESENT, SECTIONS };
const char* const SECTION_NAMES[SECTIONS] = {"back_layers", "blocks_behind", "objects", "front", "status_bar",
                                             "present"};
std::vector<double> SectionMs[SECTIONS];

// Waits until the device has carried out everything given to it so far.
void Finish()
{
    if (!Display.lpDTCon || !Display.lpDevice) return;
    IDirect3DQuery9* query = nullptr;
    if (FAILED(Display.lpDevice->CreateQuery(D3DQUERYTYPE_EVENT, &query))) return;
    query->Issue(D3DISSUE_END);
    while (query->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE) {
    }
    query->Release();
}

// The present of cSceneManager::Present without its pacing.
void PresentUnpaced()
{
    if (Display.lpDTCon) {
        if (Display.lpDTCon->bVirBackBuffer) DDCopyVirBackBuffer(&Display.BackBuffer, &Display.VirBackBuffer);
        DDEndScene();
        Display.lpDevice->Present(nullptr, nullptr, nullptr, nullptr);
        return;
    }
    if (Display.PrimarySD.lpDD && Display.BackBuffer.lpDD) {
        RECT client = Display.rcClient.Load();
        Display.PrimarySD.lpDD->lpSurface->Blt(&client, Display.BackBuffer.lpDD->lpSurface, nullptr, DDBLT_WAIT, nullptr);
    }
}

// The game thread of the bench: the scene manager's frame, timed in parts.
unsigned __stdcall BenchLoop(void*)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    const std::string path = "data\\stg4\\" + StageName;
    const double loadStart = BenchSeconds();
    if (!LoadStage(path, false, &PlayStageData)) Failed = 1;
    LoadMs = (BenchSeconds() - loadStart) * 1000;
    for (int n = 0; !Failed && n < WARM_UP + FRAMES; ++n) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_QUIT) return 1;
        SceneManager.UpdateInput(Inputs);
        SceneManager.PrepareScene(SceneManager.m_nCurrentScene);
        cScene* scene = SceneManager.GetScene(SceneManager.m_nCurrentScene);
        if (!scene || !lpStageScene) {
            Failed = 1;
            break;
        }
        const double start = BenchSeconds();
        scene->Run();
        const double run = BenchSeconds();
        if (n == 0) SetUpMs = (run - start) * 1000;
        const bool playing = lpStageScene->m_nState == STAGE_PLAY;
        if (playing) lpStageScene->DrawPlayScreen(1, 1, 0, 1);
        const double drawn = BenchSeconds();
        PresentUnpaced();
        const double shown = BenchSeconds();
        if (n >= WARM_UP && playing) {
            FrameMs.push_back((run - start) * 1000);
            DrawMs.push_back((drawn - run) * 1000);
            PresentMs.push_back((shown - drawn) * 1000);
        }
    }
    // The drawing in sections: a frame played and shown untimed, then drawn
    // again frozen, section by section.
    for (int n = 0; !Failed && n < SECTION_FRAMES; ++n) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_QUIT) return 1;
        SceneManager.UpdateInput(Inputs);
        cScene* scene = SceneManager.GetScene(SceneManager.m_nCurrentScene);
        cPlayScreenPainter* p = ScreenPainter();
        if (!scene || !lpStageScene || !p) break;
        scene->Run();
        PresentUnpaced();
        if (lpStageScene->m_nState != STAGE_PLAY) continue;
        Finish();
        double last = BenchSeconds();
        auto lap = [&](int section) {
            Finish();
            const double now = BenchSeconds();
            SectionMs[section].push_back((now - last) * 1000);
            last = now;
        };
        p->BeginFrame(lpStageScene->m_ScrEffect.m_sEffect != 0);
        p->BackLayers(0);
        lap(SEC_BACK);
        lpStageScene->DrawPictures(0, 1);
        p->Blocks(0);
        lap(SEC_BLOCKS);
        lpStageScene->DrawObjects(1);
        lap(SEC_OBJECTS);
        p->Blocks(1);
        p->BackLayers(1);
        if (!Player.empty()) p->ViewPicture(Player[P1]);
        lpStageScene->DrawPictures(1, 1);
        lap(SEC_FRONT);
        p->StatusBar();
        p->Time(0);
        p->SystemText();
        lap(SEC_BAR);
        PresentUnpaced();
        lap(SEC_PRESENT);
    }
    PostCloseToMainWindow();
    return 1;
}

bool RegisterBenchClass()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = MainWindow.hInst;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    return RegisterClassExA(&windowClass) != 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool d3d = argc < 2 || std::strcmp(argv[1], "ddraw") != 0;
    if (argc >= 3) StageName = argv[2];
    const char* backEnd = d3d ? "d3d" : "ddraw";
    ScopedTestDir dir;
    const std::string ini = std::string(d3d ? "Direct3D=1" : "Direct3D=0") +
                            "\r\nWindowMode=1\r\nVSync=0\r\nShowFps=0\r\nFreeStage=data\\stg4\\" + StageName +
                            "\r\nExit\r\n";
    // The music player library beside the game, as the run script lays it out.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string build = exe;
    build = build.substr(0, build.find_last_of("\\/"));
    build = build.substr(0, build.find_last_of("\\/"));
    CopyFileA((build + "\\Vox.dll").c_str(), "Vox.dll", FALSE);
    if (!LayOutSampleGame() || !WriteFileText("System.ini", ini)) {
        std::printf("stage_draw_bench: the sample game could not be laid out\n");
        return 1;
    }
    if (!CreateReportLog("Report_Game.txt")) return 1;
    MainWindow.hInst = GetModuleHandleA(nullptr);
    if (!RegisterBenchClass()) return 1;
    MainWindow.Setup(640, 480, 100, 100, 640, 480, MAIN_WINDOW_STYLE);
    HWND hWnd = CreateWindowExA(0, MAIN_WINDOW_CLASS, "", MAIN_WINDOW_STYLE, 100, 100, MainWindow.m_nWindowWidth,
                                MainWindow.m_nWindowHeight, nullptr, nullptr, MainWindow.hInst, nullptr);
    if (!hWnd) return 1;
    MainWindow.m_hWnd = hWnd;
    if (!InitGame("", SW_SHOWNORMAL)) {
        std::printf("stage_draw_bench: the game did not start\n");
        UnInitGame();
        return 1;
    }
    MainWindow.bInitialized = 1;
    if (!StartGameThread(BenchLoop)) {
        UnInitGame();
        return 1;
    }
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The game's own shut-down, untimed: the stage scene releases its images
    // and the display checks that nothing it made is still held.
    UnInitGame();
    if (Failed || FrameMs.empty()) {
        std::printf("stage_draw_bench: %s did not play (%zu frames)\n", StageName.c_str(), FrameMs.size());
        return 1;
    }
    std::printf("%s on %s: %zu frames; frame %.3f ms (drawing alone %.3f ms), present %.3f ms; load %.2f ms, set-up %.2f ms\n",
                StageName.c_str(), backEnd, FrameMs.size(), Median(FrameMs), Median(DrawMs), Median(PresentMs), LoadMs,
                SetUpMs);
    std::printf("drawing in sections, each waited for:");
    for (int k = 0; k < SECTIONS; ++k) std::printf(" %s %.3f ms", SECTION_NAMES[k], Median(SectionMs[k]));
    std::printf("\n");
    for (int k = 0; k < SECTIONS; ++k)
        std::printf("BENCH section_%s_%s_ms %.4f\n", SECTION_NAMES[k], backEnd, Median(SectionMs[k]));
    std::printf("BENCH stage_frame_%s_ms %.4f\n", backEnd, Median(FrameMs));
    std::printf("BENCH stage_draw_%s_ms %.4f\n", backEnd, Median(DrawMs));
    std::printf("BENCH stage_present_%s_ms %.4f\n", backEnd, Median(PresentMs));
    std::printf("BENCH stage_load_ms %.4f\n", LoadMs);
    std::printf("BENCH stage_setup_%s_ms %.4f\n", backEnd, SetUpMs);
    return 0;
}
