#pragma once
// Frame timing on the multimedia timer's millisecond clock. All state is
// process-wide and meant for the one thread that drives frames at a time.
#include <windows.h>
#include <mmsystem.h>

// The clock every timing function reads; timeGetTime unless a test replaces it.
extern DWORD(WINAPI* lpTimeSource)();
// Forgets every first-call time, as at the start of a run.
void ResetTiming();

DWORD StartStopwatch();
DWORD ReadStopwatch(int update);
// Mode 0 resets the shared counter (0); mode 2 gives 1 when it is 0; any other
// mode counts one and gives 1 (resetting) when it reaches n.
int CountEvery(int mode, unsigned n);
// Frames counted in the last completed window of at least 1000 ms.
int CountFps(int update);
// True when the next frame is due (frames let through at most every 1000/fps ms).
bool CheckFrameTime(unsigned fps);
// True when frame k of the current second is due. Only a Direct3D display is
// paced this way (the caller says which display is up); else always true.
bool PaceFrame(unsigned fps, bool direct3D);
