#include "stage/scene/replay_keys.h"

#include "files/replay.h"
#include "files/system_data.h"
#include "stage/scene/stage_host.h"

namespace {

// Frames a refused key stays quiet while it is held.
constexpr int REFUSAL_FRAMES = 60;

// Counted down once a call; game thread (or the pause loop while the game
// thread waits for it).
int nRefusalFrames = 0;

bool KeyDown(int which)
{
    return StageHost().KeyDown(which == 0 ? STAGEKEY_SAVE_REPLAY : STAGEKEY_SAVE_LAST_REPLAY) != 0;
}

} // namespace

int CheckReplayKeys(const STAGEMODES& modes)
{
    if (modes.ReplayPlayback() || !SystemData.m_bReplay) return 0;
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
            StageHost().PlaySE(3);
            nRefusalFrames = REFUSAL_FRAMES;
        }
        return 0;
    }
    StageHost().PlaySE(1);
    // A file that cannot be written is explained by the window thread, and
    // the play goes on either way.
    StageHost().SaveReplay(which);
    return 1;
}
