#include "app/shell/palette_animation.h"

#include <algorithm>
#include <string>

#include "app/base/format.h"
#include "app/base/log.h"
#include "app/system/message_box.h"
#include "gfx/blend_table.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"

PALETTEANIMATION PaletteAnimation;

namespace {

// The palette image of the first fixed surface.
constexpr const char* kPaletteImage = "bmp\\plt\\Palette.bmp";

// The colour groups that the colour sets arrange.
constexpr int kGroupFirst = 16, kGroupLast = 207, kGroupSize = 16, kGroupCount = 12;
// The rotating band of the 8-bit cycle: eight groups of four.
constexpr int kBandFirst = 208, kBandGroups = 8, kBandGroupSize = 4;
constexpr int kCallsPerRotation = 6;

bool PaletteMode()
{
    return !Display.lpDTCon && Display.lpDDCon && Display.nBpp == 8;
}

DWORD Argb(int r, int g, int b)
{
    return 0xFF000000u | static_cast<DWORD>(r) << 16 | static_cast<DWORD>(g) << 8 |
           static_cast<DWORD>(b);
}

// The colour of entry n (1..9) for value v, and its blend mode.
CYCLECOLOR CycleColorOf(int n, int v)
{
    switch (n) {
    case 1: return {Argb(v, v, v), 7};
    case 2: return {Argb(v, v, v), 10};
    case 3: return {Argb(v, 0, 0), 7};
    case 4: return {Argb(0, v, 0), 7};
    case 5: return {Argb(0, 0, v), 7};
    case 6: return {Argb(v, v, 0), 7};
    case 7: return {Argb(v, 0, v >> 2), 7};
    case 8: return {Argb(v >> 2, 0, v), 7};
    default: {
        static const int kSelected[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
        const int* on = kSelected[PaletteAnimation.CycleSelector & 3];
        return {Argb(on[0] * v, on[1] * v, on[2] * v), 7};
    }
    }
}

}  // namespace

int StepPingPong(int* value, int* direction, int step, int minimum, int maximum)
{
    if (*direction == 0) {
        const int next = *value + step;
        if (next < maximum)
            *value = next;
        else
            *direction = 1;
        return 0;
    }
    const int next = *value - step;
    if (next > minimum) {
        *value = next;
        return 0;
    }
    *direction = 0;
    return 1;
}

int LoadHbtPalette(int number)
{
    if (!PaletteMode()) return 1;
    // Only these sets exist; a larger number would copy groups from past the
    // end of the palette.
    if (number < 0 || number > kLastHbtPalette) {
        ReportLog("パレット番号 %d は範囲外です (0～%d)", number, kLastHbtPalette);
        return 0;
    }
    const std::string name = FormatText("bmp\\hbt\\hbt%02d.dat", number);
    if (!DDLoadBlendTable(BlendTable, name.c_str())) {
        ErrorBoxF("%s の読み込みに失敗！", name.c_str());
        return 0;
    }
    if (!DDLoadPaletteFromFile(Display.Palette, kPaletteImage, Display.bWindowMode)) {
        TraceLog("DDLoadPaletteFromFile失敗");
        return 0;
    }
    if (number < kGroupCount) {
        DDRotatePalette(Display.Palette, kGroupFirst, kGroupLast, number * kGroupSize, 1, Display.Palette);
    } else {
        const int from = (number - (kGroupCount - 1)) * kGroupSize;
        for (int group = 0; group < kGroupCount; ++group)
            std::copy(Display.Palette + from, Display.Palette + from + kGroupSize,
                      Display.Palette + kGroupFirst + group * kGroupSize);
    }
    std::copy(Display.Palette, Display.Palette + 256, Display.ShownPalette);
    // The last entry stays as the display has it.
    if (Display.lpDDPalette) Display.lpDDPalette->SetEntries(0, 0, 255, Display.ShownPalette);
    return 1;
}

void CyclePalette()
{
    if (Display.lpDTCon) {
        const int step = PaletteAnimation.Settings.nColorCycleStep;
        for (int i = 0; i < 9; ++i) {
            PaletteAnimation.CycleColors[i + 1] = CycleColorOf(i + 1, PaletteAnimation.CycleValue[i]);
            const int turned = StepPingPong(&PaletteAnimation.CycleValue[i], &PaletteAnimation.CycleDirection[i], step, 0, 255);
            if (i == 8 && turned) PaletteAnimation.CycleSelector = (PaletteAnimation.CycleSelector + 1) % 4;
        }
        return;
    }
    if (!PaletteAnimation.Settings.bPaletteRotation || !PaletteMode()) return;
    if (++PaletteAnimation.RotationCalls < kCallsPerRotation) return;
    PaletteAnimation.RotationCalls = 0;
    for (int group = 0; group < kBandGroups; ++group) {
        const int first = kBandFirst + group * kBandGroupSize;
        DDRotatePalette(Display.ShownPalette, first, first + kBandGroupSize - 1, 1, 1, Display.ShownPalette);
    }
    if (Display.lpDDPalette)
        Display.lpDDPalette->SetEntries(0, kBandFirst, kBandGroups * kBandGroupSize, Display.ShownPalette + kBandFirst);
}
