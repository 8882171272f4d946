#pragma once
// Text: every Japanese and Latin letter of the game is drawn by a Font, from
// Shift-JIS text (code page 932), one line per '\n', at a fixed character pitch
// or proportionally. A font can frame its text in a window, replace the
// letters a to z by small pictures of an icon sheet, and, with its fast flag,
// take its glyphs from two glyph caches (glyph_cache.h) instead of rendering
// every character. Direct3D renders glyphs with a D3DX font through a D3DX
// sprite, DirectDraw with a GDI font on a device context.
//
// Promises of this seam:
// - Positions are the top-left corner of the text. At fixed pitch a character
//   takes one pitch x by pitch y cell whatever its glyph; a double-byte pair
//   takes one cell, not two.
// - Nothing is drawn outside the text's extent (GetPitchTextExtent at fixed
//   pitch), except what the platform's glyph shapes overhang inside a cell.
// - Direct3D draws straight into a target only when it is a render target;
//   every other target gets the text composed on the font's work surface and
//   copied with its colour key. DirectDraw always composes on the work surface.
// - The same text looks the same with and without the glyph caches.
// - A font that was never created, or a target without a back-end record,
//   draws nothing. Formatted texts are cut at a character boundary to their
//   buffer sizes (255 and 511 bytes), never inside a Shift-JIS pair.
#include <windows.h>

#include <list>
#include <memory>
#include <string>

#include "app/base/format.h"
#include "gfx/surface_record.h"

struct ID3DXFont;
struct ID3DXSprite;
class FastFont;

// The font descriptor of the font tables.
struct FONTPARAM {
    char szFace[256] = {};
    int nWidth = 0, nHeight = 0;      // size handed to the font back end (width 0: its default)
    int nPitchX = 0, nPitchY = 0;     // cell advance; pitch x 0 = proportional spacing
    int nColor = 0;                   // palette index
    int nWindowSurface = 0;           // index into the surface array
    int nFrameThickness = 0, nFrameColor = 0;  // the frame colour is a palette index
    int nIconSurface = 0;             // index into the surface array
    int nFast = 0;                    // 0 no glyph caches; 2 is resolved from System.ini before use
};

// DirectDraw: a surface's GDI context with a font selected, a transparent
// background and a text colour, given back when it leaves scope. Get() is
// null when the surface gives no context.
class cTextDC {
public:
    cTextDC(DDSURFACEDATA* surface, HFONT font, COLORREF colour);
    ~cTextDC();
    cTextDC(const cTextDC&) = delete;
    cTextDC& operator=(const cTextDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    DDSURFACEDATA* m_lpSD;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    void Create(const char* face, int width, int height, int pitchX, int pitchY, int colorIndex,
                DDSURFACEDATA* windowSurface, int frameThickness, int frameColor,
                DDSURFACEDATA* iconSurface, int fast);
    // Frees the back-end objects, both caches and the work surface; safe to
    // call again.
    void Release();
    // After a display loss: restores lost DirectDraw surfaces and renders the
    // caches again (Direct3D: only those flagged lost).
    void Restore();

    int DrawText(DDSURFACEDATA* target, int x, int y, const char* text, int noIcons);
    void DrawTextF(DDSURFACEDATA* target, int x, int y, const char* format, ...) GAME_PRINTF(5, 6);
    // x or y 10000 centres the window on the window surface's size.
    void DrawWindow(DDSURFACEDATA* target, int x, int y, int width, int height);
    // width or height 0: margin + text width, text height.
    void DrawTextWindow(DDSURFACEDATA* target, int x, int y, int width, int height,
                        const char* text, int margin);
    void DrawTextWindowF(DDSURFACEDATA* target, int x, int y, int width, int height,
                         const char* format, ...) GAME_PRINTF(7, 8);
    SIZE GetPitchTextExtent(const char* text) const;
    // The text's size with the font selected into dc (widest line, lines x pitch y).
    SIZE MeasureText(HDC dc, const char* text) const;

    // Glyph caches (glyph_cache.cpp).
    void MakeHalfCache();
    void MakeFullAddCache(int restore);
    // Draws the text at (0, 0) of a surface just filled with the transparent
    // colour, with the icon flag as given (digit strips, cache surfaces).
    void DrawTextOnCleared(DDSURFACEDATA* surface, const char* text, int icons);

    int m_nId = 0;
    HFONT m_hFont = nullptr;                 // DirectDraw
    ID3DXFont* m_lpD3DXFont = nullptr;       // Direct3D
    ID3DXSprite* m_lpD3DXSprite = nullptr;   // Direct3D
    std::string m_strFace;                   // Direct3D: the face the D3DX font was made from
    int m_nWidth = 0, m_nHeight = 0, m_nPitchX = 0, m_nPitchY = 0;
    int m_nColorIndex = 0;
    DWORD m_dwColor = 0;                     // Direct3D ARGB, DirectDraw a GDI colour
    int m_bCenterGlyph = 0;                  // each glyph centred in its pitch cell
    DDSURFACEDATA Work;                      // scratch surface of the back buffer's size
    DDSURFACEDATA* m_lpWindowSD = nullptr;
    int m_nFrameThickness = 0, m_nFrameColor = 0;
    DDSURFACEDATA* m_lpIconSD = nullptr;
    int m_bIcon = 0;
    int m_bFast = 0;
    std::unique_ptr<FastFont> m_lpFastFont_Half;
    std::unique_ptr<FastFont> m_lpFastFont_FullAdd;

private:
    friend class FastFont;
    // Glyphs come from the caches: the fast flag is set and both were built.
    bool UsesCaches() const;
    SIZE TextExtent(const char* text) const;
    void DrawChars(DDSURFACEDATA* surface, HDC dc, int x, int y, DDSURFACEDATA* finalTarget,
                   int finalX, int finalY, const char* text, int icons);
    void DrawGlyph(DDSURFACEDATA* surface, HDC dc, int x, int y, const char* chars, int count);
    void DrawIcons(DDSURFACEDATA* surface, int x, int y, const char* text);
    // One double-byte character from the cache, added and rendered when new;
    // false when the cache is full (the caller renders it directly).
    bool DrawCachedFull(DDSURFACEDATA* target, int x, int y, const char* pair);
    // Direct3D: the D3DX sprite begun on a render target, and ended with the
    // default render target set back.
    bool BeginSprite(DDSURFACEDATA* renderTarget);
    void EndSprite();
    // The work surface, the cache surfaces, or a surface cleared for this text.
    bool IsScratch(const DDSURFACEDATA* surface) const;
    bool IsCacheSurface(const DDSURFACEDATA* surface) const;
    // Direct3D: one glyph through the begun sprite; cell is the glyph's pitch cell.
    void DrawSpriteGlyph(const char* chars, int count, int x, int y, const RECT& cell);
    // The text composed on the work surface, copied with its colour key.
    void CopyComposedText(DDSURFACEDATA* target, int x, int y, SIZE extent);
    void DeleteCaches();
    void BuildCaches();
    // Draws the text into a cache surface with the icon and fast flags off.
    void RenderCacheText(DDSURFACEDATA* cache, const std::string& text);

    DDSURFACEDATA* m_lpClearedTarget = nullptr;
    DDSURFACEDATA* m_lpSpriteTarget = nullptr;   // render target of the begun sprite
};

// Every font created, in order of creation; the recovery walks it.
// Threads: fonts are made and released by the window thread at start-up and
// shut-down; the recovery walks the list on the window thread while the
// drawing thread waits for it.
extern std::list<Font*>& FontList;

// Font::Create for each descriptor, with the window surface and icon sheet
// taken from lpSurfaceArray at the descriptor's indices. Always 1.
int CreateFonts(Font* fonts, const FONTPARAM* params, int count);
// One digit strip "0123456789" per font, 10 x pitch x by pitch y. Always 1.
int CreateNumberSurfaces(DDSURFACEDATA* surfaces, const DDSURFACEPARAM* surfaceParams, int count,
                         Font* fonts, const FONTPARAM* fontParams);
void MakeNumberSurface(DDSURFACEDATA* surface, Font* font);

// The text colour of a palette entry: Direct3D 0xFFRRGGBB; DirectDraw a GDI
// colour, at 16 bits each channel scaled from the display's range to 0-255.
DWORD FontColorValue(int index);

// Formats into a buffer of the given size (NUL included): the text is cut at a
// character boundary to fit.
std::string FormatBoundedV(size_t bufferSize, const char* format, va_list args);
