#pragma once
// Palette animation: the numbered colour sets of the 8-bit DirectDraw display
// (LoadHbtPalette) and the colours that move once per drawn frame
// (CyclePalette): a band of rotating palette entries in 8-bit DirectDraw mode,
// a table of pulsing colours for the character drawing under Direct3D.
//
// The cycle values live for the whole run and are never reset between screens.
#include <windows.h>

// A colour of the Direct3D cycle: 0xAARRGGBB and the blend mode the
// character drawing uses with it.
struct CYCLECOLOR {
    DWORD dwColor;
    int nBlendMode;
};
// The two system settings the animation reads; start-up copies them from the
// game's system settings.
struct PALETTEANIMATIONSETTINGS {
    int bPaletteRotation = 0;   // 8-bit DirectDraw: rotate entries 208..239
    int nColorCycleStep = 0;    // Direct3D: step of every cycle value per call
};

// Threads: the settings are written by start-up before the game thread runs;
// the rest is advanced and read by the thread that runs the frame (the game
// thread, or a sub-loop while the game thread waits for it).
struct PALETTEANIMATION {
    PALETTEANIMATIONSETTINGS Settings;
    // Entries 1 to 9 are used: a character whose animated-colour number is n
    // is drawn with entry n.
    CYCLECOLOR CycleColors[10] = {};
    // One value per used cycle entry (1..9 at index 0..8).
    int CycleValue[9] = {};
    int CycleDirection[9] = {};
    int CycleSelector = 0;   // entry 9: 0 red, 1 green, 2 blue, 3 yellow
    int RotationCalls = 0;
};
extern PALETTEANIMATION PaletteAnimation;

// The highest colour-set number: sets 0..11 rotate the twelve 16-entry
// colour groups of entries 16..207, sets 12..23 repeat one group in all twelve.
constexpr int kLastHbtPalette = 23;

// One step of a value running between minimum and maximum and back: it turns
// one step short of either bound, never reaching it. direction 0 rises, 1
// falls. 1 when the value has just turned at the minimum, else 0.
int StepPingPong(int* value, int* direction, int step, int minimum, int maximum);

// 8-bit DirectDraw only (otherwise 1 at once): loads the colour set's blend
// table "bmp\hbt\hbtNN.dat" and the palette image, arranges the colour
// groups, and shows the result (entries 0..254). 0 after a box (blend table
// missing or damaged), a trace line (palette image) or a report line (number
// outside 0..23); ShownPalette and the display palette are then unchanged.
int LoadHbtPalette(int number);

// Once per drawn frame. Direct3D: every cycle value takes one step and
// CycleColors follows. 8-bit DirectDraw with the rotation setting on: every
// sixth call rotates the eight 4-entry groups of 208..239 by one entry and
// shows them. Nothing at other depths.
void CyclePalette();
