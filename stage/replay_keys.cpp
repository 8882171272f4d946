#include "stage/replay_keys.h"

#include "files/replay.h"
#include "files/system_data.h"
#include "stage/stage_end_services.h"
#include "stage/stage_services.h"

namespace {

constexpr int START_REPLAY = 4;
// Frames a refused key stays quiet while it is held.
constexpr int REFUSAL_FRAMES = 60;

// Counted down once a call; game thread (or the pause loop while the game
// thread waits for it).
int nRefusalFrames = 0;

bool KeyDown(int which)
{
    return StageEndServices.lpReplayKeyDown && StageEndServices.lpReplayKeyDown(which);
}

} // namespace

int CheckReplayKeys()
{
    if (StageStartKind() == START_REPLAY || !SystemData.m_bReplay) return 0;
    if (nRefusalFrames > 0) --nRefusalFrames;
    int which;
    if (KeyDown(0))
        which = 0;
    else if (KeyDown(1))
        which = 1;
    else
        return 0;
    const cReplay& replay = which == 0 ? Replay : LastReplay;
    if (replay.m_DirValues.empty()) {
        if (nRefusalFrames <= 0) {
            StagePlaySE(3);
            nRefusalFrames = REFUSAL_FRAMES;
        }
        return 0;
    }
    StagePlaySE(1);
    // A file that cannot be written is explained by the window thread, and
    // the play goes on either way.
    if (StageEndServices.lpSaveReplay) StageEndServices.lpSaveReplay(which);
    return 1;
}
