#pragma once
// The full-screen colour of the screen-colour command: a fade to a colour, a
// return from it, or flashes. Set starts a change; every drawn frame asks
// Level for the transparency to draw with (0 full tint, 255 none) and steps
// the change unless the frame is frozen.
class cCommandData;

// How the display can tint the screen: not at all (the change ends at
// once), by blending over the picture, or by blending the palette.
enum { TINT_NONE = 0, TINT_BLEND = 1, TINT_PALETTE = 2 };

class cScreenTint {
public:
    int m_nRed = 0, m_nGreen = 0, m_nBlue = 0;
    int m_nStrength = 0;          // percent
    int m_bReturn = 0;
    int m_nDuration = 0;          // frames
    int m_nFlash = 0;             // flash mode: non-zero flashes
    int m_nRepeat = 0;            // flashes to run
    int m_bRunning = 0;
    int m_nFrame = 0;
    int m_nRepeatsDone = 0;
    int m_nAlpha = 255;           // current transparency level
    int m_nSavedRed = 0, m_nSavedGreen = 0, m_nSavedBlue = 0;
    int m_nSavedStrength = 0;
    int m_nSavedAlpha = 255;      // saved transparency level; 255 no tint
    int m_bEverSet = 0;

    // The command's eight integers: red, green, blue, strength, return flag,
    // duration in tenths of a second, flash mode, repeat count.
    void Set(const int values[8], int mode);
    // The level to draw this frame and the colour to draw it in; false when
    // nothing is to be drawn. Steps the change unless frozen; a display that
    // cannot tint (mode TINT_NONE) ends it.
    bool Step(int frozen, int mode, int* level, int* red, int* green, int* blue);
};
