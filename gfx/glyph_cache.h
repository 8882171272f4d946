#pragma once
// A glyph cache of a fast font: a colour-keyed surface of pitch-sized cells
// that the font renders with its own text drawing, from which each character
// is then one keyed blit.
//
// Promises of this seam:
// - The single-byte cache (kind 0, 16 x 16 cells) holds byte b in cell
//   (b mod 16, b / 16); cells of bytes below 16 stay empty.
// - The double-byte cache (kind 1) holds the fixed list of 256 common
//   full-width characters as entries 0 to 255, then every other character in
//   the order of its first drawing; entry n sits in cell n (row-major). A glyph
//   once added stays; when the cache is full, Add refuses.
#include <string>
#include <vector>

#include "gfx/surface_record.h"

class Font;

// The 256 full-width characters every double-byte cache starts with.
extern const char FastFontFixedList[];

// Cells per row and rows of a double-byte cache for the active back end.
void FastFontFullSize(int pitchX, int pitchY, int* columns, int* rows);

struct FASTFONTGLYPH {
    char szKey[4];   // the two bytes of the character and a NUL
    int nIndex;      // cell index
    int x, y;        // the cell's top-left pixel in the cache surface
};

class FastFont {
public:
    FastFont(int kind, int cellWidth, int cellHeight, int columns, int rows);
    ~FastFont();
    FastFont(const FastFont&) = delete;
    FastFont& operator=(const FastFont&) = delete;

    // 0 when full; otherwise appends the character (its first two bytes).
    int Add(const char* character);
    // Cell (byte mod columns, byte / columns), the byte taken as 0 to 255.
    void DrawHalf(DDSURFACEDATA* target, int x, int y, unsigned char byte, int mode);
    // 1 when the character is in the cache (and drawn), else 0.
    int DrawFull(DDSURFACEDATA* target, int x, int y, const char* character, int mode);
    const FASTFONTGLYPH* Find(const char* character) const;

    int m_nKind;
    int m_nCellWidth, m_nCellHeight;
    int m_nColumns, m_nRows;
    int m_nCapacity;
    DDSURFACEDATA m_Surface;
    std::vector<FASTFONTGLYPH> m_Glyphs;
    int m_nCount = 0;
};
