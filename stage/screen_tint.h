#pragma once
// The full-screen colour of the screen-colour command. The play-screen
// drawing completes it.
class cScreenTint {
public:
    int m_nSavedAlpha = 255;      // saved transparency level; 255 no tint
};
