#pragma once
// The screen every id shows until the game's own screens exist: it fills the
// back buffer with palette colour 0 each frame and never changes screens.
#include "app/shell/scene.h"

class cPlainScene : public cScene {
public:
    void Run() override;

    int m_nState = -1;
    int m_nSubState = 0;
};
