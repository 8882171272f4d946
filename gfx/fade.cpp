#include "gfx/fade.h"

#include <algorithm>
#include <cmath>

#include "gfx/blit.h"
#include "gfx/colour_ops.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/palette.h"
#include "gfx/quad.h"
#include "gfx/scene.h"

FADEANGLES FadeAngles;

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// What tells the two directions apart: where the angle starts (the frame as
// drawn for out, the colour for in) and where it ends.
struct FADEDIRECTION {
    double dStart;  // the angle of a fresh fade, and the angle of the saved frame under DirectDraw
    double dEnd;    // the angle of the final picture
};
constexpr FADEDIRECTION kOut = {90.0, 0.0};
constexpr FADEDIRECTION kIn = {0.0, 90.0};

// One black quad over the whole frame with the given alpha.
bool DarkenFrame(DWORD alpha)
{
    DDSURFACEDATA* target = &Display.BackBuffer;
    DDRedirectBackBuffer(&target);
    if (!Display.lpDevice || !target->lpDT) return false;
    IDirect3DVertexBuffer9* buffer = target->lpDT->lpVertexBuffer;
    QUADVERTEX v[4];
    DTSetPlainQuad(v, 0, 0, target->nWidth, target->nHeight, alpha << 24, 0.0f, 0.0f);
    // Without the vertices the step is not drawn, but the fade goes on.
    const bool filled = DTPutVertices(buffer, v, QUAD_BYTES);
    if (!DDBeginScene() || !DDSetRenderTarget(0, target)) return false;
    if (filled) DTDrawPlainQuad(buffer, D3DTA_DIFFUSE);
    return !Display.lpDTCon->lpDefaultTarget || DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
}

// Moves the angle one step toward its end; true (and the angle re-armed)
// when it was already there.
bool Advance(double& angle, const FADEDIRECTION& dir, double step)
{
    const bool rising = dir.dEnd > dir.dStart;
    if (rising ? angle >= dir.dEnd : angle <= dir.dEnd) {
        angle = dir.dStart;
        return true;
    }
    angle = rising ? std::min(angle + step, dir.dEnd) : std::max(angle - step, dir.dEnd);
    return false;
}

bool FadeStep(const FADEDIRECTION& dir, double& angleD3D, double& angleDD,
              PALETTEENTRY* targetPalette, int first, int last, BYTE red, BYTE green, BYTE blue,
              double step, const PALETTEENTRY* sourcePalette, bool reset)
{
    if (Display.lpDTCon) {
        if (reset) angleD3D = dir.dEnd;
        const int s = static_cast<int>(std::sin(angleD3D * kRadiansPerDegree) * 255);
        if (!DarkenFrame(static_cast<DWORD>(255 - s))) return false;
        return Advance(angleD3D, dir, step);
    }
    // The frame as the screen drew it, kept while the fade runs.
    if (angleDD == dir.dStart && Display.nBpp != 8)
        DDBlt(&Display.DDWorkSD, 0, 0, Display.DDWorkSD.nWidth, Display.DDWorkSD.nHeight, &Display.BackBuffer, 0, 0, 0);
    if (reset) angleDD = dir.dEnd;
    const int level = static_cast<int>(std::sin(angleDD * kRadiansPerDegree) * 256);
    if (Display.nBpp == 8) {
        DDBlendPalette(targetPalette, first, last, level, red, green, blue, sourcePalette);
        const int from = std::clamp(first, 0, 255), to = std::clamp(last, 0, 255);
        if (Display.lpDDPalette && from <= to)
            Display.lpDDPalette->SetEntries(0, from, to - from + 1, &targetPalette[from]);
    } else {
        DDFade_UnPal(&Display.BackBuffer, level, red, green, blue, &Display.DDWorkSD);
    }
    return Advance(angleDD, dir, step);
}

}  // namespace

bool DDFadeOut(PALETTEENTRY* targetPalette, int first, int last, BYTE red, BYTE green, BYTE blue,
               double step, const PALETTEENTRY* sourcePalette, bool reset)
{
    return FadeStep(kOut, FadeAngles.dFadeOutAngle, FadeAngles.dFadeOutAngleDD, targetPalette, first, last, red, green,
                    blue, step, sourcePalette, reset);
}

bool DDFadeIn(PALETTEENTRY* targetPalette, int first, int last, BYTE red, BYTE green, BYTE blue,
              double step, const PALETTEENTRY* sourcePalette, bool reset)
{
    return FadeStep(kIn, FadeAngles.dFadeInAngle, FadeAngles.dFadeInAngleDD, targetPalette, first, last, red, green,
                    blue, step, sourcePalette, reset);
}
