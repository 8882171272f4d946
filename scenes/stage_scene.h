#pragma once
// The stage-play screen: for now only what the shell writes into it, over the
// plain screen; the stage itself comes with its own code.
#include <string>

#include "scenes/plain_scene.h"

class cStageScene : public cPlainScene {
public:
    // Set by the window thread when the window is closed while the pause loop
    // runs; the next frame of play posts WM_CLOSE again.
    int m_bQuit = 0;
    // Frames counted in the last full second, written by every frame.
    int m_nFps = 0;
    // The name entered into the rankings; the name entry edits it.
    std::string m_sRankName;
};
