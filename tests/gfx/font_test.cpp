#include <gtest/gtest.h>

#include <d3dx9.h>

#include <algorithm>
#include <cstring>

#include "app/base/log.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/font.h"
#include "gfx/glyph_cache.h"
#include "gfx/surface.h"
#include "tests/gfx/font_support.h"

namespace {

struct FontSize {
    int height, pitch;
};
// The game's three fonts.
const FontSize kFontSizes[] = {{9, 10}, {16, 16}, {30, 32}};

// Pixels without the alpha byte (DirectDraw surfaces leave it undefined).
std::vector<uint32_t> Colours(std::vector<uint32_t> pixels)
{
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

}  // namespace

using BothBackEndsFont = OnBothBackEnds<FontTest>;

// Which cells carry ink, in the font's colour, and nothing outside the text's
// box: both back ends, the three font sizes, with and without the caches.
TEST_P(BothBackEndsFont, FixedPitchTextInksItsCellsOnly)
{
    const int d3d = GetParam();
    // Row 0: A, space, b. Row 1: two kanji, the full-width space, x. Row 2: half-width ｱ.
    const char* text = "A b\n日本　x\nｱ";
    const char* expected = "#.#.\n##.#\n#...\n";
    ASSERT_TRUE(UpWithText(d3d));
    for (int fast : {0, 1}) {
        for (const FontSize& size : kFontSizes) {
            SCOPED_TRACE(testing::Message() << "d3d " << d3d << " fast " << fast << " pitch "
                                            << size.pitch);
            ClearBackBuffer();
            Font font;
            MakeFont(font, size.height, size.pitch, fast);
            ASSERT_EQ(font.m_lpFastFont_Half != nullptr, fast != 0);
            const int x = 100, y = 60, p = size.pitch;
            EXPECT_EQ(font.DrawText(&Display.BackBuffer, x, y, text, 0), 1);
            EXPECT_EQ(InkMap(&Display.BackBuffer, x, y, 4, 3, p, p), expected);
            // The small font's single bytes start a pixel above their cells.
            EXPECT_EQ(CountInkAround(&Display.BackBuffer, x, y - 1, 4 * p, 3 * p + 1, 12), 0);
            EXPECT_LE(NearestInkDistance(&Display.BackBuffer, x, y, 4 * p, 3 * p, kTextRgb), kNearColour);
        }
    }
    DDUnInit();
}

// Glyphs from the caches look as those rendered for each text: characters of
// the fixed list, one added at its first drawing (twice: found the second
// time), single bytes and katakana.
TEST_P(BothBackEndsFont, CachedTextLooksAsRenderedText)
{
    const int d3d = GetParam();
    const char* text = "Score 0123 漢字\nあア！ｱ漢";
    ASSERT_TRUE(UpWithText(d3d));
    Font plain, cached;
    MakeFont(plain, 16, 16, 0);
    MakeFont(cached, 16, 16, 1);
    plain.DrawText(&Display.BackBuffer, 20, 40, text, 0);
    cached.DrawText(&Display.BackBuffer, 20, 140, text, 0);
    EXPECT_EQ(cached.m_lpFastFont_FullAdd->m_nCount, 258);  // 漢 and 字 added once each
    std::vector<uint32_t> a = ReadPixels(&Display.BackBuffer, 20, 40, 16 * 16, 32);
    std::vector<uint32_t> b = ReadPixels(&Display.BackBuffer, 20, 140, 16 * 16, 32);
    ASSERT_EQ(a.size(), b.size());
    // Equal within rounding; only the faint fringe a glyph overhangs its
    // cell with may be cut by the cache cell.
    int inked = 0, differing = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        inked += IsInk(a[i]);
        if (!IsInk(a[i]) && !IsInk(b[i])) continue;
        for (int shift : {0, 8, 16})
            if (std::abs(int((a[i] >> shift) & 255) - int((b[i] >> shift) & 255)) > 2) {
                ++differing;
                break;
            }
    }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(differing, 0);
    plain.Release();
    cached.Release();
    DDUnInit();
}

// The cell each character lands in, in both caches.
TEST_P(BothBackEndsFont, CharactersLandInTheirCacheCells)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    Font font;
    MakeFont(font, 16, 16, 1);
    FastFont* half = font.m_lpFastFont_Half.get();
    FastFont* full = font.m_lpFastFont_FullAdd.get();
    ASSERT_TRUE(half && full);
    EXPECT_EQ(half->m_Surface.nWidth, 256);
    EXPECT_EQ(half->m_Surface.nHeight, 256);
    // Single bytes: 'A' in (1, 4), ｱ (0xB1) in (1, 11).
    const uint32_t clear = 0;
    auto cellInk = [&](DDSURFACEDATA* sd, int column, int row) {
        return CountInk(sd, column * 16, row * 16, 16, 16, clear);
    };
    EXPECT_GT(cellInk(&half->m_Surface, 1, 4), 10);
    EXPECT_GT(cellInk(&half->m_Surface, 1, 11), 10);
    EXPECT_EQ(cellInk(&half->m_Surface, 0, 2), 0);  // the space

    // Double bytes: 32 columns (Direct3D) or 640 / 16 -> 32 (DirectDraw),
    // 32 or 30 rows.
    EXPECT_EQ(full->m_nColumns, 32);
    EXPECT_EQ(full->m_nRows, d3d ? 32 : 30);
    EXPECT_EQ(full->m_nCount, 256);
    const struct {
        const char* character;
        int index, column, row;
    } cells[] = {{"０", 0, 0, 0}, {"あ", 86, 22, 2}, {"：", 255, 31, 7}};
    for (const auto& cell : cells) {
        const FASTFONTGLYPH* glyph = full->Find(cell.character);
        ASSERT_NE(glyph, nullptr) << cell.index;
        EXPECT_EQ(glyph->nIndex, cell.index);
        EXPECT_EQ(glyph->x, cell.column * 16);
        EXPECT_EQ(glyph->y, cell.row * 16);
        EXPECT_GT(cellInk(&full->m_Surface, cell.column, cell.row), 3) << cell.index;
    }
    // A character outside the list becomes entry 256, cell (0, 8), once.
    EXPECT_EQ(cellInk(&full->m_Surface, 0, 8), 0);
    font.DrawText(&Display.BackBuffer, 10, 10, "漢", 0);
    font.DrawText(&Display.BackBuffer, 40, 10, "漢", 0);
    EXPECT_EQ(full->m_nCount, 257);
    const FASTFONTGLYPH* added = full->Find("漢");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->nIndex, 256);
    EXPECT_GT(cellInk(&full->m_Surface, 0, 8), 10);
    EXPECT_GT(CountInk(&Display.BackBuffer, 40, 10, 16, 16), 10);
    font.Release();
    DDUnInit();
}

// DirectDraw at pitch 32 holds 20 x 15 = 300 double-byte glyphs: the
// characters past that are drawn by the text renderer each time.
TEST_F(FontTest, FullCacheDrawsNewCharactersDirectly)
{
    ASSERT_TRUE(UpWithText(0));
    Font font;
    MakeFont(font, 30, 32, 1);
    FastFont* full = font.m_lpFastFont_FullAdd.get();
    ASSERT_EQ(full->m_nCapacity, 300);
    // 45 kanji from 亜 (0x889F) on, none of them in the fixed list.
    std::string kanji;
    for (int i = 0; i < 45; ++i) {
        kanji += static_cast<char>(0x88);
        kanji += static_cast<char>(0x9F + i);
    }
    for (int i = 0; i < 44; ++i) font.DrawText(&Display.BackBuffer, 10, 10, kanji.substr(2 * i, 2).c_str(), 0);
    EXPECT_EQ(full->m_nCount, 300);
    const std::string last = kanji.substr(88, 2);
    for (int round = 0; round < 2; ++round) {
        ClearBackBuffer();
        font.DrawText(&Display.BackBuffer, 100, 100, last.c_str(), 0);
        EXPECT_GT(CountInk(&Display.BackBuffer, 100, 100, 32, 32), 20);
        EXPECT_EQ(CountInkAround(&Display.BackBuffer, 100, 100, 32, 32, 16), 0);
        EXPECT_EQ(full->m_nCount, 300);
        EXPECT_EQ(full->Find(last.c_str()), nullptr);
    }
    font.Release();
}

// Text extents at fixed pitch.
TEST_F(FontTest, PitchExtentsCountDisplayCharactersAndLines)
{
    Font font;
    font.m_nPitchX = 10;
    font.m_nPitchY = 16;
    const struct {
        const char* text;
        int width, height;
    } rows[] = {
        {"", 0, 16},
        {"ab", 20, 16},
        {"漢字x", 30, 16},
        {"a\nbcd\n", 30, 48},   // a trailing '\n' adds an empty line
        {"\n\n", 0, 48},
        {"\x81", 10, 16},       // a lead byte without its trail byte is one character
    };
    for (const auto& row : rows) {
        SIZE size = font.GetPitchTextExtent(row.text);
        EXPECT_EQ(size.cx, row.width) << row.text;
        EXPECT_EQ(size.cy, row.height) << row.text;
    }
}

// Targets that are no render targets (system-memory textures, images) get the
// text through the work surface; keyed copies keep what was there.
TEST_F(FontTest, TextReachesTargetsThatAreNoRenderTargets)
{
    WriteBmp("image.bmp", 64, 32, 24, std::vector<uint32_t>(64 * 32, kBackgroundRgb));
    ASSERT_TRUE(UpWithText(1));
    ScopedSurface image, system;
    ASSERT_EQ(DDCreateSurfaceFromFile(&image.sd, "image.bmp", 0, 32, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0,
                                      0, 0, 0),
              0);
    ASSERT_TRUE(DDCreateSurface(&system.sd, 64, 32, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFill(&system.sd, 0xFF000000u | kBackgroundRgb);
    ASSERT_FALSE(image.sd.lpDT->bRenderTarget);
    for (int fast : {0, 1}) {
        Font font;
        MakeFont(font, 16, 16, fast);
        for (DDSURFACEDATA* sd : {&image.sd, &system.sd}) {
            SCOPED_TRACE(testing::Message() << "fast " << fast << " " << sd->szSurfaceType);
            DDFill(sd, 0xFF000000u | kBackgroundRgb);
            EXPECT_EQ(font.DrawText(sd, 8, 8, "Aあ", 0), 1);
            EXPECT_EQ(InkMap(sd, 8, 8, 3, 1, 16, 16), "##.\n");
            EXPECT_LE(NearestInkDistance(sd, 8, 8, 32, 16, kTextRgb), kNearColour);
            EXPECT_EQ(CountInk(sd, 0, 0, 64, 8) + CountInk(sd, 0, 24, 64, 8), 0);
        }
        font.Release();
    }
}

// Icon letters: a to z become cells of the icon sheet, unless the font has
// no icon flag.
TEST_P(BothBackEndsFont, IconLettersComeFromTheSheet)
{
    const int d3d = GetParam();
    std::vector<uint32_t> sheet(26 * 16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 26 * 16; ++x) sheet[y * 26 * 16 + x] = 0x100000u * (x / 16 + 1) | 0x80;
    WriteBmp("icons.bmp", 26 * 16, 16, 24, sheet);
    for (int fast : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "d3d " << d3d << " fast " << fast);
        ASSERT_TRUE(UpWithText(d3d));
        {
        ScopedSurface icons;
        ASSERT_EQ(DDCreateSurfaceFromFile(&icons.sd, "icons.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        Font font;
        MakeFont(font, 16, 16, fast, nullptr, &icons.sd);
        EXPECT_EQ(font.m_bIcon, 1);
        font.DrawText(&Display.BackBuffer, 50, 50, "Xab", 0);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 66 + 8, 50 + 8) & 0xFFFFFF, 0x100080u);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 82 + 8, 50 + 8) & 0xFFFFFF, 0x200080u);
        EXPECT_LE(NearestInkDistance(&Display.BackBuffer, 50, 50, 16, 16, kTextRgb), kNearColour);

        // Without the icon flag the letters are letters.
        ClearBackBuffer();
        font.m_bIcon = 0;
        font.DrawText(&Display.BackBuffer, 50, 50, "Xab", 0);
        EXPECT_EQ(InkMap(&Display.BackBuffer, 50, 50, 3, 1, 16, 16), "###\n");
        EXPECT_LE(NearestInkDistance(&Display.BackBuffer, 66, 50, 32, 16, kTextRgb), kNearColour);
        EXPECT_GT(NearestInkDistance(&Display.BackBuffer, 66, 50, 32, 16, 0x100080), 16);
        }
        DDUnInit();
    }
}

// Windows: centred on the window surface with x = 10000, framed outside the
// picture; a text window of width 0 is the margin wider than its text.
TEST_P(BothBackEndsFont, WindowsAreFramedAndHoldTheirText)
{
    const int d3d = GetParam();
    WriteBmp("window.bmp", 640, 480, 24, std::vector<uint32_t>(640 * 480, 0x204080));
    ASSERT_TRUE(UpWithText(d3d));
    {
    ScopedSurface window;
    ASSERT_EQ(DDCreateSurfaceFromFile(&window.sd, "window.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    Font font;
    MakeFont(font, 16, 16, 1, &window.sd);
    font.DrawWindow(&Display.BackBuffer, 10000, 100, 200, 50);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 220, 120) & 0xFFFFFF, 0x204080u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 419, 149) & 0xFFFFFF, 0x204080u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 219, 120) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 420, 120) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 300, 99) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 300, 150) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 218, 120) & 0xFFFFFF, kBackgroundRgb);

    // Width 0, margin 8: "AB" is 32 wide, so the window is 40 by 16.
    ClearBackBuffer();
    font.DrawTextWindow(&Display.BackBuffer, 100, 300, 0, 0, "AB", 8);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 99, 308) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 140, 308) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 141, 308) & 0xFFFFFF, kBackgroundRgb);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 120, 316) & 0xFFFFFF, kFrameRgb);
    EXPECT_EQ(CountInk(&Display.BackBuffer, 100, 300, 8, 16, 0x204080), 0);
    EXPECT_EQ(InkMap(&Display.BackBuffer, 108, 300, 2, 1, 16, 16, 0x204080), "##\n");

    // The formatted form with a text far longer than its buffer: cut, not overrun.
    ClearBackBuffer();
    std::string longText(700, 'W');
    font.DrawTextWindowF(&Display.BackBuffer, 0, 400, 0, 0, "%s", longText.c_str());
    EXPECT_GT(CountInk(&Display.BackBuffer, 600, 400, 40, 16, 0x204080), 0);
    }
    DDUnInit();
}

// Digit strips: 10 cells of pitch x by pitch y, the digits in order.
TEST_P(BothBackEndsFont, DigitStripsHoldTheTenDigits)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    Font fonts[3];
    FONTPARAM params[3];
    DDSURFACEPARAM stripParams[3];
    for (int i = 0; i < 3; ++i) {
        std::strcpy(params[i].szFace, "ＭＳ ゴシック");
        params[i].nHeight = kFontSizes[i].height;
        params[i].nPitchX = params[i].nPitchY = kFontSizes[i].pitch;
        params[i].nColor = kTextColour;
        params[i].nWindowSurface = params[i].nIconSurface = -1;
        params[i].nFast = i < 2;
        stripParams[i].bColorKey = 1;
    }
    EXPECT_EQ(CreateFonts(fonts, params, 3), 1);
    DDSURFACEDATA records[3];
    EXPECT_EQ(CreateNumberSurfaces(records, stripParams, 3, fonts, params), 1);
    for (int i = 0; i < 3; ++i) {
        const int p = kFontSizes[i].pitch;
        EXPECT_EQ(records[i].nWidth, 10 * p);
        EXPECT_EQ(records[i].nHeight, p);
        EXPECT_EQ(fonts[i].m_lpIconSD, nullptr);  // index -1: no sheet
        // Every cell inked; "1" has less ink than "0" and "8".
        EXPECT_EQ(InkMap(&records[i], 0, 0, 10, 1, p, p, 0), "##########\n") << i;
        const int one = CountInk(&records[i], p, 0, p, p, 0);
        EXPECT_LT(one, CountInk(&records[i], 0, 0, p, p, 0));
        EXPECT_LT(one, CountInk(&records[i], 8 * p, 0, p, p, 0));
    }
    for (Font& font : fonts) font.Release();
    for (DDSURFACEDATA& strip : records) DDReleaseSurface(&strip);
    DDUnInit();
}

// The text colour of a palette entry per back end and depth.
TEST(FontColour, PaletteEntriesBecomeTextColours)
{
    const PALETTEENTRY saved = Display.Palette[7];
    const int savedBpp = Display.nBpp;
    const COLORSHIFTS savedFormat = Display.SurfaceFormat;
    Display.SurfaceFormat.nRedMask = 31, Display.SurfaceFormat.nGreenMask = 63, Display.SurfaceFormat.nBlueMask = 31;
    const struct {
        int bpp;
        PALETTEENTRY entry;
        DWORD expected;
    } rows[] = {
        {32, {0x12, 0x34, 0x56, 0}, RGB(0x12, 0x34, 0x56)},
        {8, {0x12, 0x34, 0x56, 0}, RGB(0x12, 0x34, 0x56)},
        {16, {31, 63, 0, 0}, RGB(255, 255, 0)},    // the display's 5-6-5 values
        {16, {16, 32, 8, 0}, RGB(131, 129, 65)},
    };
    for (const auto& row : rows) {
        Display.nBpp = row.bpp;
        Display.Palette[7] = row.entry;
        EXPECT_EQ(FontColorValue(7), row.expected) << row.bpp;
    }
    Display.Palette[7] = saved;
    Display.nBpp = savedBpp;
    Display.SurfaceFormat = savedFormat;
}

// Centred glyphs sit in the middle of their cells, with and without caches.
TEST_P(BothBackEndsFont, CentredGlyphsSitInTheMiddleOfTheirCells)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    for (int fast : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "d3d " << d3d << " fast " << fast);
        ClearBackBuffer();
        Font font;
        font.m_bCenterGlyph = 1;  // before the caches are rendered
        MakeFont(font, 9, 32, fast);
        font.DrawText(&Display.BackBuffer, 100, 100, "I漢", 0);
        for (int cell : {0, 1}) {
            std::vector<uint32_t> pixels = ReadPixels(&Display.BackBuffer, 100 + 32 * cell, 100, 32, 32);
            int left = 32, right = -1, top = 32, bottom = -1;
            for (int i = 0; i < 32 * 32; ++i) {
                if (!IsInk(pixels[i])) continue;
                left = std::min(left, i % 32), right = std::max(right, i % 32);
                top = std::min(top, i / 32), bottom = std::max(bottom, i / 32);
            }
            ASSERT_GE(right, 0) << cell;
            EXPECT_NEAR((left + right) / 2.0, 15.5, 2.5) << cell;
            EXPECT_NEAR((top + bottom) / 2.0, 15.5, 3.0) << cell;
        }
        font.Release();
    }
    DDUnInit();
}

// Proportional fonts draw each line whole; their extent is measured with the
// font that draws them.
TEST_P(BothBackEndsFont, ProportionalTextStaysInsideItsMeasuredExtent)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    {
        Font font;
        font.Create("ＭＳ Ｐゴシック", 0, 16, 0, 18, kTextColour, nullptr, 1, kFrameColour, nullptr, 0);
        const char* text = "Wide WWW テキスト\niii";
        ScopedSurface system;
        ASSERT_TRUE(DDCreateSurface(&system.sd, 320, 64, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        for (DDSURFACEDATA* sd : {&Display.BackBuffer, &system.sd}) {
            DDFill(sd, (d3d ? 0xFF000000u : 0u) | kBackgroundRgb);
            EXPECT_EQ(font.DrawText(sd, 10, 10, text, 0), 1);
            // Lines at pitch y: ink in both; nothing right of the widest line.
            EXPECT_GT(CountInk(sd, 10, 10, 200, 18), 40);
            EXPECT_GT(CountInk(sd, 10, 28, 40, 18), 5);
            EXPECT_EQ(CountInk(sd, 10, 28, 300, 18) , CountInk(sd, 10, 28, 40, 18));
            EXPECT_EQ(CountInk(sd, 0, 0, 320, 10) + CountInk(sd, 0, 46, 320, 18), 0);
        }
    }
    DDUnInit();
}

// Set-up reports: a fast font without pitch, ids per back end, the font list,
// a face name longer than the D3DX field.
TEST_F(FontTest, CreationReportsAndFaceNames)
{
    ASSERT_TRUE(UpWithText(1));
    Font proportional, longFace;
    const int firstId = Display.lpDTCon->nFontId;
    proportional.Create("ＭＳ Ｐゴシック", 0, 16, 0, 16, kTextColour, nullptr, 1, kFrameColour,
                        nullptr, 1);
    EXPECT_NE(TraceText().find("※フォントクラスで文字間が未設定！\n"), std::string::npos);
    EXPECT_EQ(proportional.m_lpFastFont_Half, nullptr);
    EXPECT_EQ(proportional.m_nId, firstId);
    // The proportional font still draws (no caches to draw from).
    EXPECT_EQ(proportional.DrawText(&Display.BackBuffer, 10, 10, "Text テキスト", 0), 1);
    EXPECT_GT(CountInk(&Display.BackBuffer, 10, 10, 200, 16), 20);

    // 16 katakana are 32 bytes: the D3DX face keeps 15 of them and its NUL.
    std::string face;
    for (int i = 0; i < 16; ++i) face += "ア";
    longFace.Create(face.c_str(), 0, 16, 16, 16, kTextColour, nullptr, 1, kFrameColour, nullptr, 0);
    EXPECT_EQ(longFace.m_nId, firstId + 1);
    D3DXFONT_DESCA desc = {};
    ASSERT_TRUE(longFace.m_lpD3DXFont);
    ASSERT_EQ(longFace.m_lpD3DXFont->GetDescA(&desc), D3D_OK);
    EXPECT_EQ(std::strlen(desc.FaceName), 30u);
    EXPECT_EQ(std::string(desc.FaceName), face.substr(0, 30));

    int listed = 0;
    for (Font* font : FontList) listed += font == &proportional || font == &longFace;
    EXPECT_EQ(listed, 2);
    proportional.Release();
    longFace.Release();
}

// Fonts destroyed leave the font list, so the recovery never walks a dead font.
TEST_F(FontTest, DestroyedFontsLeaveTheList)
{
    ASSERT_TRUE(UpWithText(0));
    const size_t before = FontList.size();
    {
        Font font;
        MakeFont(font, 16, 16, 0);
        EXPECT_EQ(FontList.size(), before + 1);
        MakeFont(font, 16, 16, 0);  // set up again: still listed once
        EXPECT_EQ(FontList.size(), before + 1);
    }
    EXPECT_EQ(FontList.size(), before);
}

// After a loss the caches show the same glyphs in the same cells again.
TEST_P(BothBackEndsFont, RestoreRendersLostCachesAgain)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    Font font;
    MakeFont(font, 16, 16, 1);
    font.DrawText(&Display.BackBuffer, 10, 10, "漢", 0);
    FastFont* full = font.m_lpFastFont_FullAdd.get();
    FastFont* half = font.m_lpFastFont_Half.get();
    const std::vector<uint32_t> before = ReadPixels(&full->m_Surface, 0, 0, 512, 144);
    const std::vector<uint32_t> halfBefore = ReadPixels(&half->m_Surface, 0, 0, 256, 256);
    DDFillPal(&full->m_Surface, 0);
    DDFillPal(&half->m_Surface, 0);
    full->m_Surface.bLost = half->m_Surface.bLost = 1;
    font.Restore();
    EXPECT_EQ(full->m_Surface.bLost, d3d ? 0 : 1);  // the flag is Direct3D's
    EXPECT_EQ(full->m_nCount, 257);
    EXPECT_EQ(Colours(ReadPixels(&full->m_Surface, 0, 0, 512, 144)), Colours(before));
    EXPECT_EQ(Colours(ReadPixels(&half->m_Surface, 0, 0, 256, 256)), Colours(halfBefore));
    font.Release();
    DDUnInit();
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsFont);
