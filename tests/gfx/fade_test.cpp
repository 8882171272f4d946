// The screen fades on both back ends: ten steps of 10 degrees, each frame
// read back against the level the angle gives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "tests/gfx/gfx_support.h"

namespace {

constexpr uint32_t kColours[2] = {0xC08040, 0x20F0A1};

double Sine(double degrees)
{
    return std::sin(degrees * 3.14159265358979323846 / 180.0);
}

// The picture the screen draws every frame before it fades it.
void DrawPicture(bool d3d)
{
    const DWORD alpha = d3d ? 0xFF000000 : 0;
    DDFill(&Display.BackBuffer, alpha | kColours[0]);
    DDFillRect(&Display.BackBuffer, 100, 100, 50, 40, alpha | kColours[1]);
}

// Each channel of colour as the step at angle should leave it: Direct3D
// blends black over it with alpha 255 - trunc(sin x 255) (within 1 for the
// device's rounding); DirectDraw mixes the saved frame by trunc(sin x 256).
::testing::AssertionResult FadedAs(uint32_t got, uint32_t colour, double angle, bool d3d)
{
    for (int shift : {0, 8, 16}) {
        const int v = (colour >> shift) & 255, g = (got >> shift) & 255;
        int want;
        if (d3d)
            want = static_cast<int>(std::lround(v * static_cast<int>(Sine(angle) * 255) / 255.0));
        else
            want = (v * static_cast<int>(Sine(angle) * 256)) >> 8;
        if (std::abs(g - want) > (d3d ? 1 : 0))
            return ::testing::AssertionFailure() << std::hex << got << " for " << colour << " at "
                                                 << std::dec << angle << " degrees";
    }
    return ::testing::AssertionSuccess();
}

using FADE = bool (*)(PALETTEENTRY*, int, int, BYTE, BYTE, BYTE, double, const PALETTEENTRY*, bool);

class FadeTest : public DisplayTest {};

}  // namespace

using BothBackEndsFadeTest = OnBothBackEnds<FadeTest>;

TEST_P(BothBackEndsFadeTest, TenStepsOutToBlackAndInToTheUntouchedFrame)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    for (bool out : {true, false}) {
        SCOPED_TRACE(out ? "out" : "in");
        const FADE fade = out ? DDFadeOut : DDFadeIn;
        for (int step = 0; step < 10; ++step) {
            const double angle = out ? 90 - 10 * step : 10 * step;
            DrawPicture(d3d);
            const bool done = fade(Display.ShownPalette, 0, 255, 0, 0, 0, 10, Display.Palette, false);
            EXPECT_EQ(done, step == 9) << "step " << step;
            // A frame is always drawn from the picture; the last call ends at 0 or 90.
            const double drawn = step == 9 ? (out ? 0 : 90) : angle;
            EXPECT_TRUE(FadedAs(ReadPixel(&Display.BackBuffer, 10, 10), kColours[0], drawn, d3d));
            EXPECT_TRUE(FadedAs(ReadPixel(&Display.BackBuffer, 120, 110), kColours[1], drawn, d3d));
        }
        const uint32_t last = ReadPixel(&Display.BackBuffer, 120, 110) & 0xFFFFFF;
        EXPECT_EQ(last, out ? 0u : kColours[1]);
    }
    // Re-armed for the next screen.
    EXPECT_EQ(d3d ? FadeAngles.dFadeOutAngle : FadeAngles.dFadeOutAngleDD, 90.0);
    EXPECT_EQ(d3d ? FadeAngles.dFadeInAngle : FadeAngles.dFadeInAngleDD, 0.0);

    // reset draws the final picture at once.
    DrawPicture(d3d);
    EXPECT_TRUE(DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, 10, Display.Palette, true));
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 10, 10) & 0xFFFFFF, 0u);
    DrawPicture(d3d);
    EXPECT_TRUE(DDFadeIn(Display.ShownPalette, 0, 255, 0, 0, 0, 10, Display.Palette, true));
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 10, 10) & 0xFFFFFF, kColours[0]);

    // An abandoned fade goes on from where it stopped.
    for (int k = 0; k < 3; ++k) DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, 10, Display.Palette, false);
    EXPECT_EQ(d3d ? FadeAngles.dFadeOutAngle : FadeAngles.dFadeOutAngleDD, 60.0);
    int calls = 0;
    while (!DDFadeOut(Display.ShownPalette, 0, 255, 0, 0, 0, 10, Display.Palette, false) && calls < 20) ++calls;
    EXPECT_EQ(calls, 6);
    DDUnInit();
}

// At 8 bits the pixels stay and the palette fades: entries first..last of
// the target palette from the source palette, handed to the display.
TEST_F(FadeTest, EightBitFadesThePalette)
{
    ASSERT_TRUE(Up(0, 8));
    for (int i = 0; i < 256; ++i)
        Display.Palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), 0};
    for (PALETTEENTRY& e : Display.ShownPalette) e = {1, 2, 3, 0};
    for (bool out : {true, false}) {
        SCOPED_TRACE(out ? "out" : "in");
        for (int step = 0; step < 10; ++step) {
            const double angle = out ? 90 - 10 * step : 10 * step;
            const bool done = (out ? DDFadeOut : DDFadeIn)(Display.ShownPalette, 16, 200, 0, 0, 0, 10,
                                                            Display.Palette, false);
            EXPECT_EQ(done, step == 9);
            const int level = static_cast<int>(Sine(step == 9 ? (out ? 0 : 90) : angle) * 256);
            for (int i : {16, 100, 200}) {
                EXPECT_EQ(Display.ShownPalette[i].peRed, (Display.Palette[i].peRed * level) >> 8) << i;
                EXPECT_EQ(Display.ShownPalette[i].peGreen, (Display.Palette[i].peGreen * level) >> 8) << i;
            }
            EXPECT_EQ(Display.ShownPalette[15].peRed, 1);  // outside the range
            EXPECT_EQ(Display.ShownPalette[201].peRed, 1);
        }
        PALETTEENTRY shown[256];
        ASSERT_EQ(Display.lpDDPalette->GetEntries(0, 0, 256, shown), DD_OK);
        for (int i = 16; i <= 200; ++i) {
            EXPECT_EQ(shown[i].peRed, out ? 0 : Display.Palette[i].peRed) << i;
            EXPECT_EQ(shown[i].peGreen, out ? 0 : Display.Palette[i].peGreen) << i;
        }
    }
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsFadeTest);
