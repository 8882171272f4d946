#include "app/system/timing.h"

#include <mmsystem.h>

DWORD(WINAPI* lpTimeSource)() = timeGetTime;

namespace {

// The pacing of the thread that runs the frames: the game thread, or a
// sub-loop while the game thread waits for it (one at a time, handed over by
// the thread's start and end).
DWORD stopwatchStart, stopwatchReading;
unsigned everyCounter;
bool fpsStarted;
DWORD fpsWindowStart;
int fpsCount, fpsLast;
bool frameStarted;
DWORD frameDue, frameLastCall;
bool paceStarted;
DWORD paceBase;
int paceIndex;

} // namespace

void ResetTiming()
{
    stopwatchStart = stopwatchReading = 0;
    everyCounter = 0;
    fpsStarted = frameStarted = paceStarted = false;
    fpsWindowStart = frameDue = frameLastCall = paceBase = 0;
    fpsCount = fpsLast = paceIndex = 0;
}

DWORD StartStopwatch()
{
    stopwatchStart = lpTimeSource();
    return stopwatchStart;
}

DWORD ReadStopwatch(int update)
{
    if (update) stopwatchReading = lpTimeSource() - stopwatchStart;
    return stopwatchReading;
}

int CountEvery(int mode, unsigned n)
{
    if (mode == 0) {
        everyCounter = 0;
        return 0;
    }
    if (mode == 2) return everyCounter == 0 ? 1 : 0;
    if (++everyCounter >= n) {
        everyCounter = 0;
        return 1;
    }
    return 0;
}

int CountFps(int update)
{
    if (!fpsStarted) {
        fpsStarted = true;
        fpsWindowStart = lpTimeSource();
    }
    if (!update) return fpsLast;
    DWORD now = lpTimeSource();
    if (now - fpsWindowStart >= 1000) {
        fpsLast = fpsCount;
        fpsCount = 0;
        fpsWindowStart = now;
        return fpsLast;
    }
    ++fpsCount;
    return fpsLast;
}

bool CheckFrameTime(unsigned fps)
{
    if (!frameStarted) {
        frameStarted = true;
        frameDue = lpTimeSource();
    }
    DWORD now = lpTimeSource();
    frameLastCall = now;
    if (fps == 0) return true;
    if (static_cast<int>(now - frameDue) < 0) return false;
    frameDue = now + 1000 / fps;
    return true;
}

bool PaceFrame(unsigned fps, bool direct3D)
{
    if (!direct3D || fps == 0) return true;
    if (!paceStarted) {
        paceStarted = true;
        paceBase = lpTimeSource();
        paceIndex = 0;
    }
    DWORD now = lpTimeSource();
    double due = 1000.0 / fps * paceIndex + paceBase;
    if (due > now) return false;
    if (++paceIndex >= static_cast<int>(fps)) {
        paceIndex = 0;
        paceBase = now;
    }
    return true;
}
