// Draws a standard busy frame on each back end and prints the median time per
// frame and per blit: a full-screen background, 1,000 keyed 32 x 32 sprites
// (some across the edges), 100 stretched and mirrored ones and 300 fills,
// then the frame is shown. Under Direct3D the frame is drawn once blit by
// blit and once through the sprite batch. Run by hand; not a test. An
// argument "d3d" or "ddraw" measures that back end alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/base/log.h"
#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/scene.h"
#include "gfx/surface.h"
#include "gfx/transparent_colour.h"
#include "tests/bench/bench_clock.h"
#include "tests/bench/bench_window.h"
#include "tests/support/test_dir.h"

namespace {

constexpr int kSprites = 1000, kStretched = 100, kFills = 300;
constexpr int kWarmUp = 20, kFrames = 200;

double Milliseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A colour in the form the back end's fills take.
DWORD Colour(DWORD rgb)
{
    return Display.lpDTCon ? 0xFF000000 | rgb : rgb;
}

struct PLACE {
    int x, y, cell;
};

struct FRAME {
    DDSURFACEDATA background, sheet, mirror;
    std::vector<PLACE> sprites, stretched, fills;

    bool Build()
    {
        const int d3d = Display.lpDTCon != nullptr;
        if (!DDCreateSurface(&background, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0) ||
            !DDCreateSurface(&sheet, 256, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0))
            return false;
        for (int k = 0; k < 16; ++k)
            DDFillRect(&background, 0, k * 30, 640, 30, Colour(0x102030 + 0x0A0604 * k));
        // Eight cells, each with a transparent hole.
        const DWORD transparent = d3d ? Display.lpDTCon->dwTransmitTex : Display.dwTransmit;
        for (int k = 0; k < 8; ++k) {
            DDFillRect(&sheet, k * 32, 0, 32, 32, Colour(0x204060 + 0x180C06 * k));
            DDFillRect(&sheet, k * 32 + 8, 8, 16, 16, transparent);
        }
        // Direct3D mirrors a duplicate of the sheet as it draws; DirectDraw
        // keeps a mirrored sheet of its own.
        if (d3d) {
            if (!DDCreateSurface(&mirror, 256, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 1, 0)) return false;
            mirror.lpShareSD = &sheet;
        } else {
            if (!DDCreateSurface(&mirror, 256, 32, 1, 0, 0, 0, 0)) return false;
            DDBlt(&mirror, 0, 0, 256, 32, &sheet, 0, 0, 0);
        }
        mirror.nMirrorWidth = 32;
        unsigned state = 12345;
        auto next = [&](int n) {
            state = state * 214013 + 2531011;
            return static_cast<int>((state >> 16) % n);
        };
        for (int k = 0; k < kSprites; ++k)
            sprites.push_back({next(656) - 16, next(496) - 16, next(8)});
        for (int k = 0; k < kStretched; ++k)
            stretched.push_back({next(640) - 32, next(480) - 32, next(8)});
        for (int k = 0; k < kFills; ++k) fills.push_back({next(624), next(464), next(8)});
        return true;
    }

    // parts: 1 background, 2 keyed sprites, 4 stretched ones, 8 fills.
    void Draw(bool batched, int parts = 15)
    {
        if (batched) DDBeginSpriteBatch(0);
        if (parts & 1) DDBlt(&Display.BackBuffer, 0, 0, 640, 480, &background, 0, 0, 0);
        if (parts & 2)
            for (const PLACE& p : sprites)
                DDBlt(&Display.BackBuffer, p.x, p.y, 32, 32, &sheet, p.cell * 32, 0, 1);
        if (parts & 4)
            for (const PLACE& p : stretched)
                DDBltStretch(&Display.BackBuffer, p.x, p.y, 64, 64, &mirror, p.cell * 32, 0, 32, 32, 1);
        if (batched) DDEndSpriteBatch();
        if (parts & 8)
            for (const PLACE& p : fills)
                DDFillRect(&Display.BackBuffer, p.x, p.y, 16, 16, Colour(0x808080 + 0x100000 * p.cell));
    }

    void Release()
    {
        DDReleaseSurface(&mirror);
        DDReleaseSurface(&sheet);
        DDReleaseSurface(&background);
    }
};

// Shows the frame: the device's present under Direct3D (without the frame
// pacing), the copy to the window under DirectDraw.
void Show(HWND hwnd)
{
    if (Display.lpDTCon) {
        DDEndScene();
        Display.lpDevice->Present(nullptr, nullptr, nullptr, nullptr);
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Display.PrimarySD.lpDD->lpSurface->Blt(&client, Display.BackBuffer.lpDD->lpSurface, nullptr, DDBLT_WAIT,
                                   nullptr);
}

double Measure(const char* name, FRAME& frame, bool batched, HWND hwnd, int parts = 15, const char* key = nullptr)
{
    std::vector<double> total, submit;
    for (int n = 0; n < kWarmUp + kFrames; ++n) {
        PumpMessages();
        const double start = Milliseconds();
        frame.Draw(batched, parts);
        const double drawn = Milliseconds();
        Show(hwnd);
        const double shown = Milliseconds();
        if (n >= kWarmUp) {
            total.push_back(shown - start);
            submit.push_back(drawn - start);
        }
    }
    const double perFrame = Median(total);
    if (parts == 15) {
        const int blits = 1 + kSprites + kStretched;
        std::printf("%-28s frame %7.3f ms (drawing calls %7.3f ms)  per blit %.5f ms  "
                    "[%d blits, %d fills a frame]\n",
                    name, perFrame, Median(submit), perFrame / blits, blits, kFills);
        if (key) std::printf("BENCH busy_frame_%s_ms %.4f\n", key, perFrame);
    }
    return perFrame;
}

// The frame's parts on their own, so that the share of each shows.
void MeasureParts(FRAME& frame, bool batched, HWND hwnd)
{
    const double none = Measure("", frame, batched, hwnd, 0);
    const double background = Measure("", frame, batched, hwnd, 1) - none;
    const double keyed = Measure("", frame, batched, hwnd, 2) - none;
    const double stretched = Measure("", frame, batched, hwnd, 4) - none;
    const double fills = Measure("", frame, batched, hwnd, 8) - none;
    std::printf("%28s empty frame %.3f ms; background %.3f ms, %d keyed sprites %.3f ms "
                "(%.5f ms each), %d stretched %.3f ms (%.5f ms each), %d fills %.3f ms\n",
                "", none, background, kSprites, keyed, keyed / kSprites, kStretched, stretched,
                stretched / kStretched, kFills, fills);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    ScopedTestDir dir;
    CreateReportLog("Report_Game.txt");
    HWND hwnd = CreateBenchWindow("BlitBench");
    DDSURFACEDATA surfaces[1];
    DDSURFACEPARAM params[1];
    for (int d3d : {1, 0}) {
        if (!only.empty() && only != (d3d ? "d3d" : "ddraw")) continue;
        if (!DDInit(d3d, hwnd, 640, 480, 32, 0, 1, 1, 60, 0, surfaces, params, 1, 0)) {
            std::printf("%s: the display did not come up\n", d3d ? "Direct3D" : "DirectDraw");
            DDUnInit();
            continue;
        }
        DDSetTransmit(0xFF, 0x00, 0xFF);
        FRAME frame;
        if (frame.Build()) {
            if (d3d) {
                Measure("Direct3D, blit by blit", frame, false, hwnd, 15, "d3d_blits");
                MeasureParts(frame, false, hwnd);
                Measure("Direct3D, sprite batch", frame, true, hwnd, 15, "d3d_batch");
                MeasureParts(frame, true, hwnd);
            } else {
                Measure("DirectDraw", frame, false, hwnd, 15, "ddraw");
                MeasureParts(frame, false, hwnd);
            }
        } else {
            std::printf("%s: the surfaces could not be made\n", d3d ? "Direct3D" : "DirectDraw");
        }
        frame.Release();
        DDUnInit();
    }
    DestroyWindow(hwnd);
    return 0;
}
