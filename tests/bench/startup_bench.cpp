// The time from the start of the game's process to its first presented
// frame, in a folder laid out from the sample game, and how much of it the
// system report's one-second clock measurement takes. Run by hand under the
// test environment (tools/test.sh sets it up); not a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/system/system_report.h"
#include "tests/bench/bench_clock.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_process.h"
#include "tests/support/test_dir.h"

namespace {

const int RUNS = 5;
// The window class's background, shown until the first frame is presented.
const COLORREF BACKGROUND = RGB(192, 192, 192);

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The colour of the window's client centre as the screen shows it.
COLORREF CentrePixel(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(window, &centre);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

struct Timing {
    double shown;      // the window shown (the display is up)
    double presented;  // the first frame on the screen
};

// One start: -1 in both when the game did not get that far.
Timing TimeOneStart()
{
    Timing timing{-1, -1};
    GameProcess game;
    const double start = Seconds();
    if (!game.Start()) return timing;
    HWND window = game.ShownWindow();
    if (!window) return timing;
    timing.shown = Seconds() - start;
    const DWORD limit = GetTickCount() + GAME_START_TIMEOUT;
    while (GetTickCount() < limit) {
        const COLORREF colour = CentrePixel(window);
        if (colour != CLR_INVALID && colour != BACKGROUND) {
            timing.presented = Seconds() - start;
            break;
        }
        Sleep(1);
    }
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    game.WaitExit();
    return timing;
}

} // namespace

int main()
{
    ScopedTestDir dir;
    if (!LayOutSampleGame() || !WriteFileText("System.ini", "Direct3D=1\r\nWindowMode=1\r\nShowFps=0\r\nExit\r\n")) {
        std::printf("startup_bench: the sample game could not be laid out\n");
        return 1;
    }
    std::vector<double> shown, presented;
    for (int run = 0; run < RUNS; ++run) {
        const Timing timing = TimeOneStart();
        if (timing.presented < 0) {
            std::printf("startup_bench: run %d did not reach its first frame\n", run + 1);
            return 1;
        }
        shown.push_back(timing.shown);
        presented.push_back(timing.presented);
        std::printf("BENCH startup_window_ms %.1f\nBENCH startup_first_frame_ms %.1f\n", timing.shown * 1000,
                    timing.presented * 1000);
    }
    const double clockStart = Seconds();
    GetCpuClockHz();
    const double clock = Seconds() - clockStart;
    std::printf("start to window shown:  %.0f ms (median of %d)\n", Median(shown) * 1000, RUNS);
    std::printf("start to first frame:   %.0f ms (median of %d)\n", Median(presented) * 1000, RUNS);
    std::printf("of which clock measure: %.0f ms\n", clock * 1000);
    return 0;
}
