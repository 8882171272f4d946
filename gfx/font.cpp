#include "gfx/font.h"

#include <d3dx9.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <new>

#include "app/base/close_request.h"
#include "app/base/log.h"
#include "app/base/sjis.h"
#include "gfx/batch.h"
#include "gfx/blit.h"
#include "gfx/com_release.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/frame.h"
#include "gfx/glyph_cache.h"
#include "gfx/palette_table.h"
#include "gfx/render_state.h"
#include "gfx/scene.h"
#include "gfx/surface.h"

// Fonts leave the list when they are destroyed, so the list must outlive every
// font, including those destroyed at exit: it is never destroyed itself.
std::list<Font*>& FontList = *new std::list<Font*>;

namespace {

// The face as D3DX takes it: at most 31 bytes, never half a Shift-JIS pair,
// always terminated.
void CopyFaceName(char (&out)[LF_FACESIZE], const char* face)
{
    size_t len = std::strlen(face);
    size_t cut = SjisCutLength(face, len, LF_FACESIZE - 1);
    std::memcpy(out, face, cut);
    out[cut] = '\0';
}

bool HasBackEnd(const DDSURFACEDATA* surface)
{
    return surface && (surface->lpDT || surface->lpDD);
}

// Walks the text as the fixed-pitch drawing lays it out: per line the number
// of display characters (a pair counts once, '\n' ends the line).
template <class Line>
void ForEachLine(const char* text, Line line)
{
    int count = 0;
    const char* start = text;
    const char* p = text;
    while (*p) {
        if (IsDBCSPair(p)) {
            p += 2;
            ++count;
        } else if (*p == '\n') {
            line(start, static_cast<int>(p - start), count);
            count = 0;
            start = ++p;
        } else {
            ++p;
            ++count;
        }
    }
    line(start, static_cast<int>(p - start), count);
}

}  // namespace

DWORD FontColorValue(int index)
{
    const PALETTEENTRY& e = Display.Palette[std::clamp(index, 0, 255)];
    if (Display.lpDTCon) return 0xFF000000u | (DWORD(e.peRed) << 16) | (DWORD(e.peGreen) << 8) | e.peBlue;
    if (Display.nBpp == 16) {
        // At 16 bits the palette holds the display's own channel values.
        auto scale = [](int value, int mask) { return mask > 0 ? value * 255 / mask : value; };
        return RGB(scale(e.peRed, Display.SurfaceFormat.nRedMask), scale(e.peGreen, Display.SurfaceFormat.nGreenMask),
                   scale(e.peBlue, Display.SurfaceFormat.nBlueMask));
    }
    return RGB(e.peRed, e.peGreen, e.peBlue);
}

namespace {

DDSURFACEDATA* SurfaceAt(int index)
{
    if (!Display.lpSurfaceArray || index < 0 || index >= Display.nSurfaceCount) return nullptr;
    return &Display.lpSurfaceArray[index];
}

// The glyph renderer's device context for a GDI font: a memory context, which
// measures exactly as the surface contexts the glyphs are drawn on.
class FontDC {
public:
    explicit FontDC(HFONT font) : m_hDC(CreateCompatibleDC(nullptr))
    {
        if (m_hDC && font) m_hOld = SelectObject(m_hDC, font);
    }
    ~FontDC()
    {
        if (!m_hDC) return;
        if (m_hOld) SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld = nullptr;
};

}  // namespace

cTextDC::cTextDC(DDSURFACEDATA* surface, HFONT font, COLORREF colour) : m_lpSD(surface)
{
    if (!surface || !surface->lpDD || !surface->lpDD->lpSurface ||
        FAILED(surface->lpDD->lpSurface->GetDC(&m_hDC))) {
        m_hDC = nullptr;
        return;
    }
    m_hOld = SelectObject(m_hDC, font);
    SetBkMode(m_hDC, TRANSPARENT);
    SetTextColor(m_hDC, colour);
}

cTextDC::~cTextDC()
{
    if (!m_hDC) return;
    SelectObject(m_hDC, m_hOld);
    m_lpSD->lpDD->lpSurface->ReleaseDC(m_hDC);
}

std::string FormatBoundedV(size_t bufferSize, const char* format, va_list args)
{
    std::string text = FormatTextV(format, args);
    if (bufferSize == 0) return {};
    text.resize(SjisCutLength(text.data(), text.size(), bufferSize - 1));
    return text;
}

Font::Font() = default;

Font::~Font()
{
    Release();
    FontList.remove(this);
}

bool Font::UsesCaches() const
{
    return m_bFast && m_nPitchX && m_nPitchY && m_lpFastFont_Half && m_lpFastFont_FullAdd;
}

void Font::Create(const char* face, int width, int height, int pitchX, int pitchY, int colorIndex,
                  DDSURFACEDATA* windowSurface, int frameThickness, int frameColor,
                  DDSURFACEDATA* iconSurface, int fast)
{
    if (!face) face = "";
    m_nWidth = width;
    m_nHeight = height;
    m_nPitchX = pitchX;
    m_nPitchY = pitchY;
    m_nColorIndex = colorIndex;
    m_lpWindowSD = windowSurface;
    m_nFrameThickness = frameThickness;
    m_nFrameColor = frameColor;
    if (Display.nBpp) m_dwColor = FontColorValue(colorIndex);
    m_lpIconSD = iconSurface;
    m_bIcon = iconSurface != nullptr;

    int* fontId = nullptr;
    if (Display.lpDTCon) {
        // A font set up again gets new renderers; the old ones would only leak.
        ReleaseCom(m_lpD3DXFont);
        ReleaseCom(m_lpD3DXSprite);
        m_strFace = face;
        D3DXFONT_DESCA desc = {};
        desc.Height = height;
        desc.Width = 0;
        desc.Weight = FW_NORMAL;
        desc.MipLevels = 0;
        desc.Italic = FALSE;
        desc.CharSet = SHIFTJIS_CHARSET;
        CopyFaceName(desc.FaceName, face);
        D3DXCreateFontIndirectA(Display.lpDevice, &desc, &m_lpD3DXFont);
        D3DXCreateSprite(Display.lpDevice, &m_lpD3DXSprite);
        if (!Work.lpDT)
            DDCreateSurface(&Work, Display.BackBuffer.nWidth, Display.BackBuffer.nHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT,
                            0, 0);
        fontId = &Display.lpDTCon->nFontId;
    } else if (Display.lpDDCon) {
        if (m_hFont) DeleteObject(m_hFont);
        m_hFont = CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                              0, 0, 0, 0, face);
        if (!Work.lpDD &&
            !DDCreateSurface(&Work, Display.BackBuffer.nWidth, Display.BackBuffer.nHeight, 1, 0,
                             DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
            TraceLogF("DDCreateSurface Font::Work");
            PostCloseToMainWindow();
            return;
        }
        fontId = &Display.lpDDCon->nFontId;
    } else {
        return;
    }
    m_nId = (*fontId)++;
    if (std::find(FontList.begin(), FontList.end(), this) == FontList.end()) FontList.push_back(this);
    m_bFast = fast;

    if (!fast)
        DeleteCaches();
    else if (pitchX && pitchY)
        BuildCaches();
    else
        TraceLogF("※フォントクラスで文字間が未設定！");
}

void Font::Release()
{
    ReleaseCom(m_lpD3DXFont);
    ReleaseCom(m_lpD3DXSprite);
    if (m_hFont) DeleteObject(m_hFont), m_hFont = nullptr;
    DeleteCaches();
    DDReleaseSurface(&Work);
}

void Font::Restore()
{
    if (Display.lpDTCon) {
        if (m_lpFastFont_Half && m_lpFastFont_Half->m_Surface.bLost) {
            MakeHalfCache();
            m_lpFastFont_Half->m_Surface.bLost = 0;
        }
        if (m_lpFastFont_FullAdd && m_lpFastFont_FullAdd->m_Surface.bLost) {
            MakeFullAddCache(1);
            m_lpFastFont_FullAdd->m_Surface.bLost = 0;
        }
        return;
    }
    if (!Display.lpDDCon) return;
    auto restoreLost = [](DDSURFACEDATA* sd) {
        if (sd->lpDD && sd->lpDD->lpSurface && sd->lpDD->lpSurface->IsLost() == DDERR_SURFACELOST)
            sd->lpDD->lpSurface->Restore();
    };
    restoreLost(&Work);
    if (m_lpFastFont_Half && m_lpFastFont_Half->m_Surface.lpDD) {
        restoreLost(&m_lpFastFont_Half->m_Surface);
        MakeHalfCache();
    }
    if (m_lpFastFont_FullAdd && m_lpFastFont_FullAdd->m_Surface.lpDD) {
        restoreLost(&m_lpFastFont_FullAdd->m_Surface);
        MakeFullAddCache(1);
    }
}

SIZE Font::GetPitchTextExtent(const char* text) const
{
    int widest = 0, lines = 0;
    ForEachLine(text, [&](const char*, int, int count) {
        widest = std::max(widest, count);
        ++lines;
    });
    return {widest * m_nPitchX, lines * m_nPitchY};
}

SIZE Font::MeasureText(HDC dc, const char* text) const
{
    int widest = 0, lines = 0;
    ForEachLine(text, [&](const char* line, int bytes, int) {
        SIZE size = {};
        if (dc && bytes > 0 && GetTextExtentPoint32A(dc, line, bytes, &size))
            widest = std::max(widest, static_cast<int>(size.cx));
        ++lines;
    });
    return {widest, lines * m_nPitchY};
}

SIZE Font::TextExtent(const char* text) const
{
    if (m_nPitchX) return GetPitchTextExtent(text);
    // Proportional text is measured with the font that draws it: under
    // Direct3D the D3DX font's own context, which has it selected.
    if (Display.lpDTCon) return MeasureText(m_lpD3DXFont ? m_lpD3DXFont->GetDC() : nullptr, text);
    FontDC dc(m_hFont);
    return MeasureText(dc.Get(), text);
}

bool Font::IsScratch(const DDSURFACEDATA* surface) const
{
    return surface == &Work || surface == m_lpClearedTarget || IsCacheSurface(surface);
}

bool Font::BeginSprite(DDSURFACEDATA* renderTarget)
{
    if (!m_lpD3DXSprite || !DDSetRenderTarget(0, renderTarget)) return false;
    if (FAILED(m_lpD3DXSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE))) {
        if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
        return false;
    }
    // On a surface cleared for this text, glyph pixels keep the font's colour
    // with their coverage as alpha; the keyed copy onto the real target then
    // blends them exactly as drawing there directly would. Blending them over
    // the transparent colour would darken and thin every edge. The sprite's
    // End puts the blend operation back.
    if (IsScratch(renderTarget)) Display.lpDevice->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_MAX);
    // Glyphs are drawn texel for pixel: sampled exactly, they neither blur
    // nor pick up their neighbours in the renderer's glyph sheets.
    for (D3DSAMPLERSTATETYPE filter : {D3DSAMP_MINFILTER, D3DSAMP_MAGFILTER, D3DSAMP_MIPFILTER})
        Display.lpDevice->SetSamplerState(0, filter, D3DTEXF_POINT);
    m_lpSpriteTarget = renderTarget;
    return true;
}

void Font::EndSprite()
{
    m_lpD3DXSprite->End();
    m_lpSpriteTarget = nullptr;
    if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
}

int Font::DrawText(DDSURFACEDATA* target, int x, int y, const char* text, int noIcons)
{
    if (!target || !text) return 0;
    const int icons = !noIcons && m_bIcon;
    if (Display.lpDTCon) {
        if (!Work.lpDT || !m_lpD3DXFont) return 0;
        DDGetShareSD(&target);
        DDRedirectBackBuffer(&target);
        if (!target->lpDT) return 0;
        const bool cached = UsesCaches();
        // Straight into the target only when it can be rendered to; a
        // system-memory or image texture gets the text through the work surface.
        if (target->lpDT->bRenderTarget) {
            if (!cached && (!DDBeginScene() || !BeginSprite(target))) return 0;
            DrawChars(target, nullptr, x, y, target, x, y, text, icons);
            if (!cached) EndSprite();
            DrawIcons(target, x, y, text);
            return 1;
        }
        SIZE extent = TextExtent(text);
        DDFillRectPal(&Work, 0, 0, extent.cx, extent.cy, 0);
        if (!cached && (!DDBeginScene() || !BeginSprite(&Work))) return 0;
        DrawChars(&Work, nullptr, 0, 0, target, x, y, text, icons);
        if (!cached) EndSprite();
        DrawIcons(&Work, 0, 0, text);
        CopyComposedText(target, x, y, extent);
        return 1;
    }
    if (Display.lpDDCon) {
        if (!Work.lpDD || !m_hFont || !target->lpDD) return 0;
        SIZE extent = TextExtent(text);
        DDFillRectPal(&Work, 0, 0, extent.cx, extent.cy, 0);
        {
            cTextDC dc(&Work, m_hFont, m_dwColor);
            if (!dc.Get()) return 0;
            DrawChars(&Work, dc.Get(), 0, 0, target, x, y, text, icons);
        }
        CopyComposedText(target, x, y, extent);
        DrawIcons(target, x, y, text);
        return 1;
    }
    return 0;
}

void Font::CopyComposedText(DDSURFACEDATA* target, int x, int y, SIZE extent)
{
    DDBlt(target, x, y, extent.cx, extent.cy, &Work, 0, 0, 1);
}

void Font::DrawChars(DDSURFACEDATA* surface, HDC dc, int x, int y, DDSURFACEDATA* finalTarget,
                     int finalX, int finalY, const char* text, int icons)
{
    DDBeginSpriteBatch(1);
    if (!m_nPitchX) {
        int row = 0;
        ForEachLine(text, [&](const char* line, int bytes, int) {
            const int lineY = y + row++ * m_nPitchY;
            if (bytes <= 0) return;
            if (Display.lpDTCon) {
                RECT rc = {x, lineY, x + 0x4000, lineY + 0x4000};
                m_lpD3DXFont->DrawTextA(m_lpD3DXSprite, line, bytes, &rc, DT_NOCLIP, m_dwColor);
            } else if (dc) {
                TextOutA(dc, x, lineY, line, bytes);
            }
        });
        DDEndSpriteBatch();
        return;
    }

    const bool cached = finalTarget && UsesCaches();
    const bool iconSheet = icons && HasBackEnd(m_lpIconSD);
    int c = 0, r = 0;
    for (const char* p = text; *p;) {
        const unsigned char b = static_cast<unsigned char>(*p);
        if (IsDBCSPair(p)) {
            // The full-width space (0x81 0x40) only takes its cell.
            const bool space = b == 0x81 && static_cast<unsigned char>(p[1]) == 0x40;
            if (!space && !(cached && DrawCachedFull(finalTarget, finalX + c, finalY + r, p)))
                DrawGlyph(surface, dc, x + c, y + r, p, 2);
            c += m_nPitchX;
            p += 2;
            continue;
        }
        if (b == '\n') {
            r += m_nPitchY;
            c = 0;
        } else if (b == ' ' || (b >= 'a' && b <= 'z' && iconSheet)) {
            c += m_nPitchX;
        } else {
            if (cached)
                m_lpFastFont_Half->DrawHalf(finalTarget, finalX + c, finalY + r, b, 1);
            else
                DrawGlyph(surface, dc, x + c, y + r, p, 1);
            c += m_nPitchX;
        }
        ++p;
    }
    DDEndSpriteBatch();
}

bool Font::IsCacheSurface(const DDSURFACEDATA* surface) const
{
    return surface && ((m_lpFastFont_Half && surface == &m_lpFastFont_Half->m_Surface) ||
                       (m_lpFastFont_FullAdd && surface == &m_lpFastFont_FullAdd->m_Surface));
}

void Font::DrawSpriteGlyph(const char* chars, int count, int x, int y, const RECT& cell)
{
    RECT rc = {x, y, x + 0x4000, y + 0x4000};
    // A glyph rendered into a cache stays inside its cell: the renderer's
    // antialiased edges (and the boxes it draws for control bytes) would
    // otherwise reach into the neighbouring cells and show with their
    // characters.
    const bool clip = IsCacheSurface(m_lpSpriteTarget);
    if (clip) {
        Display.lpDevice->SetScissorRect(&cell);
        Display.lpDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
    }
    m_lpD3DXFont->DrawTextA(m_lpD3DXSprite, chars, count, &rc, DT_NOCLIP, m_dwColor);
    if (clip) {
        m_lpD3DXSprite->Flush();
        Display.lpDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
    }
}

void Font::DrawGlyph(DDSURFACEDATA* surface, HDC dc, int x, int y, const char* chars, int count)
{
    const RECT cell = {x, y, x + m_nPitchX, y + m_nPitchY};
    if (m_bCenterGlyph) {
        SIZE extent = {};
        if (Display.lpDTCon) {
            RECT rc = {0, 0, 0, 0};
            if (m_lpD3DXFont) m_lpD3DXFont->DrawTextA(nullptr, chars, count, &rc, DT_CALCRECT, 0);
            extent = {rc.right - rc.left, rc.bottom - rc.top};
        } else if (dc) {
            GetTextExtentPoint32A(dc, chars, count, &extent);
        }
        x += (m_nPitchX >> 1) - (extent.cx >> 1);
        y += (m_nPitchY >> 1) - (extent.cy >> 1);
    } else if (count == 1) {
        x += m_nPitchX >> 3;
        y += (m_nPitchY >> 4) - 1;
    }

    if (!Display.lpDTCon) {
        if (dc) TextOutA(dc, x, y, chars, count);
        return;
    }
    if (!m_lpD3DXFont) return;
    if (!UsesCaches()) {
        DrawSpriteGlyph(chars, count, x, y, cell);
        return;
    }
    // With the caches the text has no sprite open: this glyph brings its own.
    if (!DDBeginScene() || !BeginSprite(surface)) return;
    DrawSpriteGlyph(chars, count, x, y, cell);
    EndSprite();
}

void Font::DrawIcons(DDSURFACEDATA* surface, int x, int y, const char* text)
{
    if (!m_bIcon || !HasBackEnd(m_lpIconSD) || !m_nPitchX) return;
    DDBeginSpriteBatch(0);
    int c = 0, r = 0;
    for (const char* p = text; *p;) {
        if (IsDBCSPair(p)) {
            c += m_nPitchX;
            p += 2;
            continue;
        }
        const char ch = *p++;
        if (ch == '\n') {
            r += m_nPitchY;
            c = 0;
            continue;
        }
        if (ch >= 'a' && ch <= 'z')
            DDBlt(surface, x + c, y + r, m_nPitchX, m_nPitchY, m_lpIconSD, m_nPitchX * (ch - 'a'), 0,
                  1);
        c += m_nPitchX;
    }
    DDEndSpriteBatch();
}

void Font::DrawTextF(DDSURFACEDATA* target, int x, int y, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatBoundedV(256, format, args);
    va_end(args);
    DrawText(target, x, y, text.c_str(), 0);
}

void Font::DrawWindow(DDSURFACEDATA* target, int x, int y, int width, int height)
{
    if (!m_lpWindowSD) return;
    if (x == 10000) x = (m_lpWindowSD->nWidth >> 1) - (width >> 1);
    if (y == 10000) y = (m_lpWindowSD->nHeight >> 1) - (height >> 1);
    DDBltFrame(target, x, y, width, height, m_lpWindowSD, m_nFrameThickness, m_nFrameColor);
}

void Font::DrawTextWindow(DDSURFACEDATA* target, int x, int y, int width, int height,
                          const char* text, int margin)
{
    if (!text) return;
    if (width == 0 || height == 0) {
        SIZE extent = TextExtent(text);
        if (width == 0) width = margin + extent.cx;
        if (height == 0) height = extent.cy;
    }
    if (m_lpWindowSD) {
        if (x == 10000) x = (m_lpWindowSD->nWidth >> 1) - (width >> 1);
        if (y == 10000) y = (m_lpWindowSD->nHeight >> 1) - (height >> 1);
    }
    DrawWindow(target, x, y, width, height);
    DrawText(target, x + margin, y, text, 0);
}

void Font::DrawTextWindowF(DDSURFACEDATA* target, int x, int y, int width, int height,
                           const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatBoundedV(512, format, args);
    va_end(args);
    DrawTextWindow(target, x, y, width, height, text.c_str(), 0);
}

int CreateFonts(Font* fonts, const FONTPARAM* params, int count)
{
    for (int i = 0; i < count; ++i) {
        const FONTPARAM& p = params[i];
        fonts[i].Create(p.szFace, p.nWidth, p.nHeight, p.nPitchX, p.nPitchY, p.nColor,
                        SurfaceAt(p.nWindowSurface), p.nFrameThickness, p.nFrameColor,
                        SurfaceAt(p.nIconSurface), p.nFast);
    }
    return 1;
}

int CreateNumberSurfaces(DDSURFACEDATA* surfaces, const DDSURFACEPARAM* surfaceParams, int count,
                         Font* fonts, const FONTPARAM* fontParams)
{
    for (int i = 0; i < count; ++i) {
        const DDSURFACEPARAM& sp = surfaceParams[i];
        DDCreateSurface(&surfaces[i], 10 * fontParams[i].nPitchX, fontParams[i].nPitchY, sp.bColorKey,
                        sp.nDDMemory, sp.nMemoryType, sp.bShare, 0);
        MakeNumberSurface(&surfaces[i], &fonts[i]);
    }
    return 1;
}

void MakeNumberSurface(DDSURFACEDATA* surface, Font* font)
{
    DDFillPal(surface, 0);
    font->DrawTextOnCleared(surface, "0123456789", font->m_bIcon);
}

void Font::DrawTextOnCleared(DDSURFACEDATA* surface, const char* text, int icons)
{
    const int savedIcon = m_bIcon;
    m_bIcon = icons;
    m_lpClearedTarget = surface;
    DrawText(surface, 0, 0, text, 0);
    m_lpClearedTarget = nullptr;
    m_bIcon = savedIcon;
}
