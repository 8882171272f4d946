#include "app/system/timing.h"

#include <mmsystem.h>

DWORD(WINAPI* lpTimeSource)() = timeGetTime;

namespace {

// The pacing of the thread that runs the frames: the game thread, or a
// sub-loop while the game thread waits for it (one at a time, handed over by
// the thread's start and end). No other thread reads it.
struct FramePacing {
    DWORD stopwatchStart = 0, stopwatchReading = 0;
    unsigned everyCounter = 0;
    bool fpsStarted = false;
    DWORD fpsWindowStart = 0;
    int fpsCount = 0, fpsLast = 0;
    bool frameStarted = false;
    DWORD frameDue = 0, frameLastCall = 0;
    bool paceStarted = false;
    DWORD paceBase = 0;
    int paceIndex = 0;
};
FramePacing pacing;

} // namespace

void ResetTiming()
{
    pacing = {};
}

DWORD StartStopwatch()
{
    pacing.stopwatchStart = lpTimeSource();
    return pacing.stopwatchStart;
}

DWORD ReadStopwatch(int update)
{
    if (update) pacing.stopwatchReading = lpTimeSource() - pacing.stopwatchStart;
    return pacing.stopwatchReading;
}

int CountEvery(int mode, unsigned n)
{
    if (mode == 0) {
        pacing.everyCounter = 0;
        return 0;
    }
    if (mode == 2) return pacing.everyCounter == 0 ? 1 : 0;
    if (++pacing.everyCounter >= n) {
        pacing.everyCounter = 0;
        return 1;
    }
    return 0;
}

int CountFps(int update)
{
    if (!pacing.fpsStarted) {
        pacing.fpsStarted = true;
        pacing.fpsWindowStart = lpTimeSource();
    }
    if (!update) return pacing.fpsLast;
    DWORD now = lpTimeSource();
    if (now - pacing.fpsWindowStart >= 1000) {
        pacing.fpsLast = pacing.fpsCount;
        pacing.fpsCount = 0;
        pacing.fpsWindowStart = now;
        return pacing.fpsLast;
    }
    ++pacing.fpsCount;
    return pacing.fpsLast;
}

bool CheckFrameTime(unsigned fps)
{
    if (!pacing.frameStarted) {
        pacing.frameStarted = true;
        pacing.frameDue = lpTimeSource();
    }
    DWORD now = lpTimeSource();
    pacing.frameLastCall = now;
    if (fps == 0) return true;
    if (static_cast<int>(now - pacing.frameDue) < 0) return false;
    pacing.frameDue = now + 1000 / fps;
    return true;
}

bool PaceFrame(unsigned fps, bool direct3D)
{
    if (!direct3D || fps == 0) return true;
    if (!pacing.paceStarted) {
        pacing.paceStarted = true;
        pacing.paceBase = lpTimeSource();
        pacing.paceIndex = 0;
    }
    DWORD now = lpTimeSource();
    double due = 1000.0 / fps * pacing.paceIndex + pacing.paceBase;
    if (due > now) return false;
    if (++pacing.paceIndex >= static_cast<int>(fps)) {
        pacing.paceIndex = 0;
        pacing.paceBase = now;
    }
    return true;
}
