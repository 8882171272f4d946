#include <gtest/gtest.h>
#include <windows.h>

#include <cstdarg>
#include <cstring>

#include "app/system/message_box.h"
#include "gfx/bitmap_text.h"
#include "gfx/dialog_mode.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/surface.h"
#include "tests/gfx/font_support.h"

namespace {

// The font file GDI chose for a face, by its size, and the ink of "あ" drawn with it.
struct ResolvedFace {
    DWORD fileSize = 0;
    int inkOfA = 0;
    std::string face;   // GDI names a substituted face as asked, any other by its own name
};

ResolvedFace Resolve(const char* face)
{
    ResolvedFace resolved;
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = CreateFontA(24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                             0, face);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    resolved.fileSize = GetFontData(dc, 0, 0, nullptr, 0);
    char name[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, name);
    resolved.face = name;
    std::memset(bits, 0, 32 * 32 * 4);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 4, 4, "あ", 2);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < 32 * 32; ++i) resolved.inkOfA += (pixels[i] & 0xFFFFFF) != 0;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return resolved;
}

std::string Bounded(size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatBoundedV(size, format, args);
    va_end(args);
    return text;
}

}  // namespace

// The Japanese faces the game asks for are mapped to the installed Japanese font.
TEST(FontFaces, JapaneseFaceNamesResolveToTheJapaneseFont)
{
    const ResolvedFace japanese = Resolve("IPAGothic");
    ASSERT_GT(japanese.fileSize, 1000000u);
    ASSERT_GT(japanese.inkOfA, 40);
    for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ 明朝", "ＭＳ Ｐ明朝",
                             "メイリオ", "MS Gothic", "MS PGothic"}) {
        const ResolvedFace resolved = Resolve(face);
        EXPECT_EQ(resolved.fileSize, japanese.fileSize) << face;
        EXPECT_EQ(resolved.inkOfA, japanese.inkOfA) << face;
        EXPECT_EQ(resolved.face, face);
    }
    // A face without a substitute falls back to some Japanese font under its own name.
    EXPECT_NE(Resolve("NoSuchFace").face, "NoSuchFace");
}

// Formatted text is cut to its buffer at a character boundary.
TEST(FontFormatting, LongTextIsCutAtACharacterBoundary)
{
    std::string allKana;
    for (int i = 0; i < 300; ++i) allKana += "あ";
    const struct {
        size_t buffer;
        std::string prefix;
        size_t pairs, expected;
    } rows[] = {
        {256, "", 300, 254},    // 127 pairs; the 128th would need bytes 254 and 255
        {256, "a", 300, 255},   // 1 + 127 pairs fill the 255 bytes exactly
        {512, "", 300, 510},
        {512, "a", 300, 511},
        {256, "ab", 100, 202},  // fits: whole
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.buffer << " \"" << row.prefix << "\" " << row.pairs);
        const std::string kana = allKana.substr(0, 2 * row.pairs);
        std::string text = Bounded(row.buffer, "%s%s", row.prefix.c_str(), kana.c_str());
        EXPECT_EQ(text.size(), row.expected) << row.buffer << " " << row.prefix;
        EXPECT_EQ(text, (row.prefix + kana).substr(0, row.expected));
    }
}

using BothBackEndsTextExtras = OnBothBackEnds<FontTest>;

// Each formatted form draws no more than its buffer holds (255, 511 and 255
// bytes of a 600-byte text): with one- and two-pixel cells, where the drawing
// ends shows where the text was cut.
TEST_P(BothBackEndsTextExtras, FormattedTextEndsWhereItsBufferEnds)
{
    const int d3d = GetParam();
    const std::string bars(600, 'I');
    ASSERT_TRUE(UpWithText(d3d));
    {
        const uint32_t opaque = d3d ? 0xFF000000u : 0u;
        ScopedSurface window, sheet;
        ASSERT_TRUE(DDCreateSurface(&window.sd, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        DDFill(&window.sd, opaque | 0x204080);
        ASSERT_TRUE(DDCreateSurface(&sheet.sd, 32, 80, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        DDFill(&sheet.sd, opaque | 0xC0C0C0);
        Font font;
        font.Create("ＭＳ ゴシック", 0, 16, 1, 16, kTextColour, &window.sd, 1, kFrameColour,
                    nullptr, 0);

        font.DrawTextF(&Display.BackBuffer, 0, 20, "%s", bars.c_str());
        EXPECT_GT(CountInk(&Display.BackBuffer, 0, 20, 250, 16), 0);
        EXPECT_EQ(CountInk(&Display.BackBuffer, 275, 20, 365, 16), 0);

        // The window is as wide as its text: its top edge runs from x 19 to 20 + 511.
        font.DrawTextWindowF(&Display.BackBuffer, 20, 100, 0, 0, "%s", bars.c_str());
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 531, 99) & 0xFFFFFF, kFrameRgb);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 532, 99) & 0xFFFFFF, kBackgroundRgb);

        DDDrawBitmapTextF(&Display.BackBuffer, 0, 200, 2, 8, &sheet.sd, "%s", bars.c_str());
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 509, 203) & 0xFFFFFF, 0xC0C0C0u);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 510, 203) & 0xFFFFFF, kBackgroundRgb);
        font.Release();
    }
    DDUnInit();
}

// The sheet cell of each byte: rows 2 to 7 for 0x20 to 0x7F, katakana in
// rows 0, 1 and 8, 9.
TEST(BitmapText, BytesMapToTheirSheetCells)
{
    const struct {
        unsigned char byte;
        int column, row;
    } rows[] = {
        {' ', 0, 2}, {'A', 1, 4}, {0x7F, 15, 7}, {0xA6, 6, 0}, {0xB1, 1, 1},
        {0xBF, 15, 1}, {0xC0, 0, 8}, {0xDD, 13, 9},
    };
    for (const auto& row : rows) {
        POINT cell = BitmapTextCell(row.byte);
        EXPECT_EQ(cell.x, row.column) << int(row.byte);
        EXPECT_EQ(cell.y, row.row) << int(row.byte);
    }
}

// Drawn from a sheet whose cells each hold their own colour: the right cells,
// new lines, and the wrap at the display's width.
TEST_P(BothBackEndsTextExtras, BitmapTextDrawsSheetCells)
{
    const int d3d = GetParam();
    std::vector<uint32_t> sheet(128 * 80);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 128; ++x) sheet[y * 128 + x] = 0x010000u * ((y / 8) * 16 + x / 8 + 1) | 0x40;
    WriteBmp("sheet.bmp", 128, 80, 24, sheet);
    auto cellColour = [](int column, int row) { return 0x010000u * (row * 16 + column + 1) | 0x40; };
    ASSERT_TRUE(UpWithText(d3d));
    {
        ScopedSurface sheetSD;
        ASSERT_EQ(DDCreateSurfaceFromFile(&sheetSD.sd, "sheet.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        DDDrawBitmapTextF(&Display.BackBuffer, 100, 100, 8, 8, &sheetSD.sd, "A%c\nz", 0xB1);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 103, 103) & 0xFFFFFF, cellColour(1, 4));
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 111, 103) & 0xFFFFFF, cellColour(1, 1));
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 103, 111) & 0xFFFFFF, cellColour(10, 7));
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 119, 103) & 0xFFFFFF, kBackgroundRgb);
        // 80 cells of 8 fill the 640-pixel line; the 81st starts the next one.
        ClearBackBuffer();
        std::string line(81, 'B');
        DDDrawBitmapText(&Display.BackBuffer, 0, 200, 8, 8, &sheetSD.sd, line.c_str());
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 635, 203) & 0xFFFFFF, cellColour(2, 4));
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 3, 211) & 0xFFFFFF, cellColour(2, 4));
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 11, 211) & 0xFFFFFF, kBackgroundRgb);
    }
    DDUnInit();
}

// Full screen takes the desktop over, so these run one at a time.
class FullScreenTextOnDesktop : public FontTest {};

using BothBackEndsFullScreenTextOnDesktop = OnBothBackEnds<FullScreenTextOnDesktop>;

// Dialog mode: nothing to do in a window; over a full screen the display's
// message boxes go through the display while it is up, and only then. (The
// virtual display may refuse full screen; then no box is installed.)
TEST_P(BothBackEndsFullScreenTextOnDesktop, DialogModeAndTheFullScreenMessageBox)
{
    const int d3d = GetParam();
    ASSERT_TRUE(UpWithText(d3d));
    EXPECT_EQ(DDSetDialogBoxMode(1), 1);
    EXPECT_EQ(DDSetDialogBoxMode(0), 1);
    DDUnInit();

    // A box hook already set (the tests' capture) is left alone.
    UpWithText(d3d, 0);
    EXPECT_EQ(lpFullScreenMesBox, &BoxCapture::Show);
    DDUnInit();

    lpFullScreenMesBox = nullptr;
    if (UpWithText(d3d, 0)) {
        EXPECT_TRUE(FullScreenBoxesNeeded());
        EXPECT_EQ(DDSetDialogBoxMode(1), 1);
        EXPECT_EQ(DDSetDialogBoxMode(0), 1);
    } else {
        EXPECT_FALSE(FullScreenBoxesNeeded());
    }
    DDUnInit();
    EXPECT_FALSE(FullScreenBoxesNeeded());
    lpFullScreenMesBox = &BoxCapture::Show;
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsTextExtras);
INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsFullScreenTextOnDesktop);
