#include "gfx/glyph_cache.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "app/base/close_request.h"
#include "app/base/log.h"
#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/palette_table.h"
#include "gfx/surface.h"

const char FastFontFixedList[] =
    "０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンガギグゲゴザジズゼゾダヂヅデトバビブベボヴパピプペポァィゥェォッャュョ□■☆★％＆＜＞：";
static_assert(sizeof FastFontFixedList == 513, "256 double-byte characters");

void FastFontFullSize(int pitchX, int pitchY, int* columns, int* rows)
{
    if (pitchX <= 0 || pitchY <= 0) {
        *columns = *rows = 0;
        return;
    }
    if (Display.lpDTCon) {
        *columns = std::min(1024 / pitchX, 32);
        *rows = std::min(1024 / pitchY, 32);
    } else {
        *columns = std::min(Display.BackBuffer.nWidth / pitchX, 32);
        *rows = std::min(Display.BackBuffer.nHeight / pitchY, 30);
    }
}

FastFont::FastFont(int kind, int cellWidth, int cellHeight, int columns, int rows)
    : m_nKind(kind),
      m_nCellWidth(cellWidth),
      m_nCellHeight(cellHeight),
      m_nColumns(columns),
      m_nRows(rows),
      m_nCapacity(columns * rows)
{
    DDCreateSurface(&m_Surface, columns * cellWidth, rows * cellHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0,
                    0);
}

FastFont::~FastFont()
{
    DDReleaseSurface(&m_Surface);
}

int FastFont::Add(const char* character)
{
    if (m_nCount >= m_nCapacity) return 0;
    FASTFONTGLYPH glyph = {};
    glyph.szKey[0] = character[0];
    glyph.szKey[1] = character[0] ? character[1] : '\0';
    glyph.nIndex = m_nCount;
    glyph.x = (m_nCount % m_nColumns) * m_nCellWidth;
    glyph.y = (m_nCount / m_nColumns) * m_nCellHeight;
    m_Glyphs.push_back(glyph);
    ++m_nCount;
    return 1;
}

void FastFont::DrawHalf(DDSURFACEDATA* target, int x, int y, unsigned char byte, int mode)
{
    if (m_nColumns <= 0) return;
    DDBlt(target, x, y, m_nCellWidth, m_nCellHeight, &m_Surface, (byte % m_nColumns) * m_nCellWidth,
          (byte / m_nColumns) * m_nCellHeight, mode);
}

const FASTFONTGLYPH* FastFont::Find(const char* character) const
{
    for (const FASTFONTGLYPH& glyph : m_Glyphs)
        if (glyph.szKey[0] == character[0] && glyph.szKey[1] == character[1]) return &glyph;
    return nullptr;
}

int FastFont::DrawFull(DDSURFACEDATA* target, int x, int y, const char* character, int mode)
{
    const FASTFONTGLYPH* glyph = Find(character);
    if (!glyph) return 0;
    DDBlt(target, x, y, m_nCellWidth, m_nCellHeight, &m_Surface, glyph->x, glyph->y, mode);
    return 1;
}

void Font::DeleteCaches()
{
    m_lpFastFont_Half.reset();
    m_lpFastFont_FullAdd.reset();
}

void Font::BuildCaches()
{
    DeleteCaches();
    m_lpFastFont_Half.reset(new (std::nothrow) FastFont(0, m_nPitchX, m_nPitchY, 16, 16));
    if (!m_lpFastFont_Half) {
        TraceLogF("m_lpFastFont_Half Err");
        PostCloseToMainWindow();
        return;
    }
    int columns = 0, rows = 0;
    FastFontFullSize(m_nPitchX, m_nPitchY, &columns, &rows);
    m_lpFastFont_FullAdd.reset(new (std::nothrow) FastFont(1, m_nPitchX, m_nPitchY, columns, rows));
    if (!m_lpFastFont_FullAdd) {
        TraceLogF("m_lpFastFont_FullAdd Err");
        PostCloseToMainWindow();
        return;
    }
    MakeHalfCache();
    MakeFullAddCache(0);
}

void Font::RenderCacheText(DDSURFACEDATA* cache, const std::string& text)
{
    DDFillPal(cache, 0);
    const int savedFast = m_bFast;
    m_bFast = 0;
    DrawTextOnCleared(cache, text.c_str(), 0);
    m_bFast = savedFast;
}

void Font::MakeHalfCache()
{
    FastFont* cache = m_lpFastFont_Half.get();
    if (!cache) return;
    // Byte b lands in cell (b mod 16, b / 16); the first row (control bytes,
    // '\n' among them) stays empty.
    std::string text;
    for (int row = 0; row < cache->m_nRows; ++row) {
        for (int column = 0; column < cache->m_nColumns; ++column)
            if (row > 0) text += static_cast<char>(cache->m_nColumns * row + column);
        text += '\n';
    }
    RenderCacheText(&cache->m_Surface, text);
}

void Font::MakeFullAddCache(int restore)
{
    FastFont* cache = m_lpFastFont_FullAdd.get();
    if (!cache) return;
    if (!restore)
        for (const char* p = FastFontFixedList; p[0] && p[1] && cache->Add(p); p += 2) {
        }
    std::string text;
    for (int i = 0; i < cache->m_nCount; ++i) {
        if (i > 0 && i % cache->m_nColumns == 0) text += '\n';
        text.append(cache->m_Glyphs[i].szKey, 2);
    }
    RenderCacheText(&cache->m_Surface, text);
}

bool Font::DrawCachedFull(DDSURFACEDATA* target, int x, int y, const char* pair)
{
    FastFont* cache = m_lpFastFont_FullAdd.get();
    if (cache->DrawFull(target, x, y, pair, 1)) return true;
    if (!cache->Add(pair)) return false;
    const FASTFONTGLYPH& glyph = cache->m_Glyphs.back();
    DDSURFACEDATA* surface = &cache->m_Surface;
    if (Display.lpDTCon) {
        // With the caches in use the glyph brings its own scene, render target
        // and sprite.
        DrawGlyph(surface, nullptr, glyph.x, glyph.y, pair, 2);
    } else if (surface->lpDD && surface->lpDD->lpSurface) {
        // At 8 bits GDI matches the text colour against the displayed palette:
        // the font's entry must hold the game's colour while the glyph is drawn.
        const bool paletted = Display.nBpp == 8 && Display.lpDDPalette;
        if (paletted) Display.lpDDPalette->SetEntries(0, m_nColorIndex & 255, 1, &Display.Palette[m_nColorIndex & 255]);
        {
            cTextDC dc(surface, m_hFont, m_dwColor);
            if (dc.Get()) DrawGlyph(nullptr, dc.Get(), glyph.x, glyph.y, pair, 2);
        }
        if (paletted)
            Display.lpDDPalette->SetEntries(0, m_nColorIndex & 255, 1, &Display.ShownPalette[m_nColorIndex & 255]);
    }
    cache->DrawFull(target, x, y, pair, 1);
    return true;
}
