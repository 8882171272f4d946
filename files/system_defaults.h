#pragma once
// The fixed vocabulary of the display settings: the font faces that the
// system settings' face number chooses, and the labels that name the colour
// mode and the full-screen colour depths (the game itself does not show them).
constexpr int FONT_FACES = 123;
// "ＭＳ Ｐゴシック", the face of a new project.
constexpr int DEFAULT_FONT_FACE = 60;

// Face names by face number; the last one is the empty name.
extern const char* const FontFaceNames[FONT_FACES];

// Each label table ends with an empty entry.
extern const char* const ColorModeLabels[3];     // by m_bFullColor
extern const char* const DDFullBppLabels[4];     // by m_nDDFullBpp
extern const char* const D3DFullBppLabels[3];    // by m_nD3DFullBpp
