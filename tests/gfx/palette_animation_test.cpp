// Palette animation: the ping-pong counter, the Direct3D colour cycle, the
// 8-bit band rotation every sixth call, and the numbered colour sets with
// their blend tables, read back from the display's palette.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/shell/palette_animation.h"
#include "gfx/blend_table.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette_table.h"
#include "tests/gfx/gfx_support.h"

TEST(PaletteAnimation, StepPingPongTurnsOneStepShortOfEitherBound)
{
    // {value, direction, step} -> {value, direction, result}, between 0 and 255.
    const struct {
        int value, direction, step;
        int newValue, newDirection, result;
    } kRows[] = {
        {0, 0, 1, 1, 0, 0},     {253, 0, 1, 254, 0, 0}, {254, 0, 1, 254, 1, 0},
        {254, 1, 1, 253, 1, 0}, {2, 1, 1, 1, 1, 0},     {1, 1, 1, 1, 0, 1},
        {0, 0, 0, 0, 0, 0},     {0, 0, 255, 0, 1, 0},   {0, 1, 255, 0, 0, 1},
        {200, 0, 100, 200, 1, 0}, {100, 1, 100, 100, 0, 1},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.value << " dir " << row.direction << " step " << row.step);
        int value = row.value, direction = row.direction;
        EXPECT_EQ(StepPingPong(&value, &direction, row.step, 0, 255), row.result);
        EXPECT_EQ(value, row.newValue);
        EXPECT_EQ(direction, row.newDirection);
    }
    // With step 1 the value never reaches 255 and never returns to 0.
    int value = 0, direction = 0, low = 255, high = 0;
    for (int i = 0; i < 1000; ++i) {
        StepPingPong(&value, &direction, 1, 0, 255);
        low = std::min(low, value), high = std::max(high, value);
    }
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 254);
}

// Each call colours the entries from the values before its step; entry 9
// changes colour (red, green, blue, yellow) each time its value turns at 0.
TEST_F(DisplayTest, Direct3DCycleColours)
{
    ASSERT_TRUE(Up(1));
    PaletteAnimation.Settings.nColorCycleStep = 100;
    // Values before each call with step 100: 0, 100, 200, 200, 100, then the
    // turn at 0 moves entry 9 on to green.
    const struct {
        DWORD grey, red, quarterBlue, quarterRed, ninth;
    } kCalls[] = {
        {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000},
        {0xFF646464, 0xFF640000, 0xFF640019, 0xFF190064, 0xFF640000},
        {0xFFC8C8C8, 0xFFC80000, 0xFFC80032, 0xFF3200C8, 0xFFC80000},
        {0xFFC8C8C8, 0xFFC80000, 0xFFC80032, 0xFF3200C8, 0xFFC80000},
        {0xFF646464, 0xFF640000, 0xFF640019, 0xFF190064, 0xFF640000},
        {0xFF646464, 0xFF640000, 0xFF640019, 0xFF190064, 0xFF006400},
        {0xFFC8C8C8, 0xFFC80000, 0xFFC80032, 0xFF3200C8, 0xFF00C800},
    };
    for (size_t i = 0; i < std::size(kCalls); ++i) {
        SCOPED_TRACE(i);
        CyclePalette();
        EXPECT_EQ(PaletteAnimation.CycleColors[1].dwColor, kCalls[i].grey);
        EXPECT_EQ(PaletteAnimation.CycleColors[2].dwColor, kCalls[i].grey);
        EXPECT_EQ(PaletteAnimation.CycleColors[3].dwColor, kCalls[i].red);
        const DWORD red = kCalls[i].red & 0xFFFFFF;
        EXPECT_EQ(PaletteAnimation.CycleColors[4].dwColor, 0xFF000000 | red >> 8);
        EXPECT_EQ(PaletteAnimation.CycleColors[5].dwColor, 0xFF000000 | red >> 16);
        EXPECT_EQ(PaletteAnimation.CycleColors[6].dwColor, kCalls[i].red | red >> 8);
        EXPECT_EQ(PaletteAnimation.CycleColors[7].dwColor, kCalls[i].quarterBlue);
        EXPECT_EQ(PaletteAnimation.CycleColors[8].dwColor, kCalls[i].quarterRed);
        EXPECT_EQ(PaletteAnimation.CycleColors[9].dwColor, kCalls[i].ninth);
    }
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(PaletteAnimation.CycleColors[n].nBlendMode, n == 2 ? 10 : 7) << n;
    // Blue, then yellow, then red again: one colour per full rise and fall.
    const DWORD kNinth[] = {0xFF0000C8, 0xFFC8C800, 0xFFC80000};
    for (DWORD expected : kNinth) {
        for (int i = 0; i < 4; ++i) CyclePalette();
        EXPECT_EQ(PaletteAnimation.CycleColors[9].dwColor, expected);
    }
}

namespace {

PALETTEENTRY Numbered(int i)
{
    return {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
}

bool SameColour(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

void ExpectShown(int first, int count, const PALETTEENTRY* expected)
{
    PALETTEENTRY shown[256];
    ASSERT_EQ(Display.lpDDPalette->GetEntries(0, first, count, shown), DD_OK);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(SameColour(shown[i], expected[first + i])) << "entry " << first + i;
}

}  // namespace

TEST_F(DisplayTest, EightBitBandRotatesEverySixthCall)
{
    ASSERT_TRUE(Up(0, 8));
    for (int i = 0; i < 256; ++i) Display.ShownPalette[i] = Numbered(i);
    Display.lpDDPalette->SetEntries(0, 0, 256, Display.ShownPalette);
    PaletteAnimation.Settings.bPaletteRotation = 1;
    for (int round = 1; round <= 2; ++round) {
        for (int i = 0; i < 5; ++i) CyclePalette();
        EXPECT_TRUE(SameColour(Display.ShownPalette[208], Numbered(208 + round - 1)));
        CyclePalette();
        // Each group of four turns down by one: its first entry goes last.
        for (int i = 208; i < 240; ++i) {
            const int group = i - (i - 208) % 4;
            EXPECT_TRUE(SameColour(Display.ShownPalette[i], Numbered(group + (i - group + round) % 4))) << i;
        }
        EXPECT_TRUE(SameColour(Display.ShownPalette[207], Numbered(207)));
        EXPECT_TRUE(SameColour(Display.ShownPalette[240], Numbered(240)));
        ExpectShown(208, 32, Display.ShownPalette);
    }
    // The setting off: nothing turns.
    PaletteAnimation.Settings.bPaletteRotation = 0;
    PALETTEENTRY before[256];
    std::copy(Display.ShownPalette, Display.ShownPalette + 256, before);
    for (int i = 0; i < 12; ++i) CyclePalette();
    EXPECT_TRUE(std::equal(before, before + 256, Display.ShownPalette, SameColour));
}

TEST_F(DisplayTest, PaletteAnimationOutsideEightBitPaletteMode)
{
    PaletteAnimation.Settings.bPaletteRotation = 1;
    ASSERT_TRUE(Up(0, 32));
    for (int i = 0; i < 256; ++i) Display.ShownPalette[i] = Numbered(i);
    for (int i = 0; i < 12; ++i) CyclePalette();
    EXPECT_TRUE(SameColour(Display.ShownPalette[208], Numbered(208)));
    EXPECT_EQ(PaletteAnimation.CycleColors[1].dwColor, 0u);  // the Direct3D colours stay untouched
    EXPECT_EQ(LoadHbtPalette(3), 1);        // nothing to do, not even a missing file
    EXPECT_TRUE(SameColour(Display.ShownPalette[16], Numbered(16)));
    DDUnInit();
    ASSERT_TRUE(Up(1));
    EXPECT_EQ(LoadHbtPalette(3), 1);
    EXPECT_TRUE(SameColour(Display.ShownPalette[16], Numbered(16)));
}

namespace {

class HbtPaletteTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        CreateDirectoryA("bmp", nullptr);
        CreateDirectoryA("bmp\\hbt", nullptr);
        CreateDirectoryA("bmp\\plt", nullptr);
        std::vector<uint32_t> colours(256), pixels(16 * 24, 1);
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY e = Numbered(i);
            colours[i] = e.peRed << 16 | e.peGreen << 8 | e.peBlue;
        }
        WriteBmp("bmp\\plt\\Palette.bmp", 16, 24, 8, pixels, colours);
    }
    // A blend table whose every byte tells which set it belongs to.
    static void WriteTable(const char* name, int mark)
    {
        WriteFileBytes(name, std::vector<uint8_t>(kBlendTableSize, static_cast<uint8_t>(mark)));
    }
    // Sets the display palette to something no set gives.
    static void MarkShown()
    {
        for (int i = 0; i < 256; ++i) Display.ShownPalette[i] = {7, 7, 7, 0};
        Display.lpDDPalette->SetEntries(0, 0, 256, Display.ShownPalette);
    }
    static void ExpectUnchanged()
    {
        PALETTEENTRY marked[256];
        std::fill(marked, marked + 256, PALETTEENTRY{7, 7, 7, 0});
        EXPECT_TRUE(std::equal(marked, marked + 256, Display.ShownPalette, SameColour));
        ExpectShown(0, 256, marked);
    }
};

}  // namespace

TEST_F(HbtPaletteTest, ColourSetsArrangeTheTwelveGroups)
{
    ASSERT_TRUE(Up(0, 8));
    WriteTable("bmp\\hbt\\hbt05.dat", 5);
    WriteTable("bmp\\hbt\\hbt12.dat", 12);
    WriteTable("bmp\\hbt\\hbt23.dat", 23);
    // {number, the original entry that entry 16 + k shows}
    const struct {
        int number;
        int (*from)(int k);
    } kSets[] = {
        {5, [](int k) { return 16 + (k + 80) % 192; }},   // turned down by five groups
        {12, [](int k) { return 16 + k % 16; }},          // group 1 everywhere
        {23, [](int k) { return 192 + k % 16; }},         // group 12 everywhere
    };
    for (const auto& set : kSets) {
        SCOPED_TRACE(set.number);
        MarkShown();
        ASSERT_EQ(LoadHbtPalette(set.number), 1);
        EXPECT_EQ(BlendTable[0], set.number);
        EXPECT_EQ(BlendTable[kBlendTableSize - 1], set.number);
        PALETTEENTRY expected[256];
        for (int i = 0; i < 256; ++i) expected[i] = Numbered(i);
        for (int k = 0; k < 192; ++k) expected[16 + k] = Numbered(set.from(k));
        EXPECT_TRUE(std::equal(expected, expected + 256, Display.ShownPalette, SameColour));
        EXPECT_TRUE(std::equal(expected, expected + 256, Display.Palette, SameColour));
        ExpectShown(0, 256, expected);
    }
}

TEST_F(HbtPaletteTest, FailuresLeaveThePaletteAsItWas)
{
    ASSERT_TRUE(Up(0, 8));
    WriteTable("bmp\\hbt\\hbt24.dat", 24);
    // Numbers without a colour set are refused before anything is read.
    for (int number : {24, -1}) {
        MarkShown();
        EXPECT_EQ(LoadHbtPalette(number), 0) << number;
        ExpectUnchanged();
    }
    EXPECT_NE(ReportText().find("パレット番号 24 は範囲外です"), std::string::npos) << ReportText();
    EXPECT_EQ(BlendTable[0], 0);

    MarkShown();
    EXPECT_EQ(LoadHbtPalette(7), 0);
    ASSERT_EQ(BoxCapture::texts.size(), 1u);
    EXPECT_NE(BoxCapture::texts[0].find("bmp\\hbt\\hbt07.dat の読み込みに失敗！"), std::string::npos)
        << BoxCapture::texts[0];
    BoxCapture::texts.clear();
    ExpectUnchanged();

    WriteTable("bmp\\hbt\\hbt07.dat", 7);
    DeleteFileA("bmp\\plt\\Palette.bmp");
    EXPECT_EQ(LoadHbtPalette(7), 0);
    EXPECT_NE(TraceText().find("DDLoadPaletteFromFile失敗\n"), std::string::npos) << TraceText();
    ExpectUnchanged();
}
