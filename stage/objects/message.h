#pragma once
// Messages of the running stage: a text in the message font on a surface of
// its own, optionally in the font's window frame, whose variable escapes
// (#nC, #nS) show common or stage variables and may be refreshed while it is
// shown; the same object is the blank timed message of a wait and the small
// rising pop-up of a chip graphic or an icon.
//
// The logic here (timers, escapes, measuring, placement) builds headless;
// the surfaces and the drawing go through MessageGfx, which the Windows
// build points at the graphics library (stage/draw/message_draw.cpp).
#include <string>

struct DDSURFACEDATA;
class cMessage;
class cStageWorld;

// Drawing modes.
enum { MSGMODE_NONE = 0, MSGMODE_TEXT = 1, MSGMODE_CHIP = 2, MSGMODE_ICON = 3 };
// Time modes of messages and pictures.
enum { SHOW_UNTIL_KEY = 0, SHOW_UNTIL_STAGE_END = 1, SHOW_TIMED = 2 };
// Placements.
enum {
    MSGPLACE_CENTRE = 0,
    MSGPLACE_ABOVE_SELF = 1, MSGPLACE_BELOW_SELF = 2, MSGPLACE_CENTRE_SELF = 3,
    MSGPLACE_ABOVE_HERO = 4, MSGPLACE_BELOW_HERO = 5, MSGPLACE_CENTRE_HERO = 6,
    MSGPLACE_SCREEN = 7, MSGPLACE_STAGE = 8,
};

// The message font and the message surfaces. Entries left empty measure 0
// and make no surface (the headless build).
struct MESSAGEGFX {
    // A fixed-pitch font's size of the whole text (widest line in cells by
    // lines); 0 when the font is not fixed-pitch.
    int (*lpPitchExtent)(const std::string& text, int* width, int* height);
    // The width of one line and the height of a line of a proportional font.
    int (*lpLineWidth)(const std::string& line);
    int (*lpLineHeight)();
    // A surface of the size with the colour key, kept in the message-surface
    // list; null when it cannot be made.
    DDSURFACEDATA* (*lpCreateSurface)(int width, int height);
    // Takes the surface out of the list and releases it.
    void (*lpReleaseSurface)(DDSURFACEDATA* surface);
    // Draws the message's text (in its frame) into its surface.
    void (*lpRender)(const cMessage& message);
};

extern MESSAGEGFX MessageGfx;

// Points MessageGfx at the graphics library and the message font (Windows
// build; the play screen's set-up calls it once the fonts exist).
void UseMessageGraphics();

class cMessage {
public:
    DDSURFACEDATA* m_lpSurface = nullptr;   // mode 1's text surface, else null
    int m_nMode = 0;
    std::string m_strText;                  // as shown
    std::string m_strTemplate;              // as given
    int m_nValue1 = 0, m_nValue2 = 0, m_nValue3 = 0;   // pop-up chip: kind, chip, frame
    int m_bEscapes = 0;
    int m_bRefresh = 0;
    int m_nRefreshInterval = 0;             // frames; 0 never
    int m_bWindow = 0;
    int m_nPlacement = 0;
    int m_nCellX = 0, m_nCellY = 0;
    int m_nOffsetX = 0, m_nOffsetY = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_bKeepOnScreen = 0;
    int m_nTimeMode = 0;
    int m_bScreenFixed = 0;
    int m_bLatched = 0, m_nLatchX = 0, m_nLatchY = 0;
    int m_nExtra1 = 0, m_nExtra2 = 0;       // the message command's ID switch and ID
    int m_nAnchor = 0;                      // serial of the character placements 1..6 refer to
    int m_nFrames = 0;                      // frames left when timed; a pop-up's age
    int m_bCountWhileFrozen = 0;
    int m_bGrowIn = 0;
    double m_dGrow = 0;
    // Where a pop-up was last shown, kept when its character is gone.
    int m_nLastX = 0, m_nLastY = 0;

    void Set(int mode, const char* text, int value1, int value2, int value3, int placement,
             int cellX, int cellY, int offsetX, int offsetY, int keepOnScreen, int screenFixed,
             int timeMode, int frames, int countWhileFrozen, int anchor, int noGrowIn, int escapes,
             int refresh, int refreshInterval, int window, int extra1, int extra2, int keepSurface);
    // Counts, refreshes, places and draws; 1 when the message has ended and
    // is to be removed (its surface is released then).
    int Update(const cStageWorld& world, DDSURFACEDATA* target, int frozen);
    // Draws the message at its place (x, y).
    void Paint(DDSURFACEDATA* target, int x, int y);
    void CreateSurface();
    void Render();
    // Releases the surface, if any (the owner removing the message).
    void ReleaseSurface();

    // The parts of Update that do not draw. Step: the time and the refresh;
    // 1 when the message has ended. Place: the screen position of the top
    // left; 0 when the character it is placed at is gone (a text then ends).
    int Step(const cStageWorld& world, int frozen);
    int Place(const cStageWorld& world, int* x, int* y);
};

// Replaces the variable escapes of the text by the variables' values.
void ExpandMessageText(std::string& text);
// The size of the text's box in the message font: the text's size plus a
// one-pixel border on each side.
void MeasureMessageText(const std::string& text, int* width, int* height);

// The scene's wait request: mode 0 game wait, 1 message, 2 effect, 3 picture,
// 4 extra-life display; with the button the wait ends on a new press of the
// confirm button (a message's after 10 frames unless noDelay), else after
// extra frames.
void SetModeTimer(cStageWorld& world, int mode, int button, int extra, int noDelay);
