// The chip source's surfaces and the chip icons: the fixed surface table
// and the stage's extra character images.
#include "app/base/checked.h"
#include "app/base/log.h"
#include "app/system/system_ini.h"
#include "files/database.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface_tables.h"
#include "stage/objects/chip_source.h"

int nMarkSheetSurface = 44, nStretchWorkSurface = 68, nEffectWorkSurface = 68;

namespace {

// The first copy of a surface pair is drawn from under DirectDraw with the
// stretched video on, the second otherwise.
bool FirstCopy() { return !Display.bDirect3D && SystemIni.DD_VideoStretch; }

// The surface of a number, or null (an extra image the stage has not loaded
// is reported as a bad index).
DDSURFACEDATA* SurfaceOf(const CHIPCELL& c, int number)
{
    if (!c.bExtra) return number >= 0 && number < SURFACE_COUNT ? &SurfaceTables.Surface[number] : nullptr;
    if (number >= 0 && number < static_cast<int>(SurfaceTables.CharaExcSurfaces.size())) return &SurfaceTables.CharaExcSurfaces[number];
    ReportBadIndex('V', number, static_cast<int>(SurfaceTables.CharaExcSurfaces.size()), static_cast<int>(sizeof(DDSURFACEDATA)));
    return nullptr;
}

const cBmpCharaExcData* ExtraImage(int chip) { return &CheckedAt(DataBase.m_BmpCharaExc, chip); }

} // namespace

void CHIPSRC::Set(int use, int kind, int chip, int offset, const cStageObject* obj, int frame)
{
    CHIPCELL c = LocateChip(use, kind, chip, offset, obj, frame, kind == 4 ? ExtraImage(chip) : nullptr);
    if (c.bCheckSize) {
        const DDSURFACEDATA* own = SurfaceOf(c, c.nOwn[0]);
        if (!own || c.nSrcX < 0 || c.nSrcX >= own->nWidth || c.nSrcY < 0 || c.nSrcY >= own->nHeight) {
            c.nOwn[0] = c.nOther[0] = CHIP_FALLBACK_SURFACE[0];
            c.nOwn[1] = c.nOther[1] = CHIP_FALLBACK_SURFACE[1];
            c.nSrcX = c.nSrcY = 0;
        }
    }
    lpCandidates[0] = SurfaceOf(c, c.nOwn[0]);
    lpCandidates[1] = SurfaceOf(c, c.nOther[0]);
    lpCandidates[2] = SurfaceOf(c, c.nOwn[1]);
    lpCandidates[3] = SurfaceOf(c, c.nOther[1]);
    int pair = FirstCopy() ? 0 : 2;
    lpOwn = lpCandidates[pair];
    lpOther = lpCandidates[pair + 1];
    bOwnCellSize = c.bOwnCellSize;
    nCellFactor = c.nCellFactor;
    nSrcX = c.nSrcX;
    nSrcY = c.nSrcY;
}

void SelectChipSurfaces()
{
    bool stretched = !Display.bDirect3D && SystemIni.DD_VideoStretch;
    nMarkSheetSurface = stretched ? 43 : 44;
    nStretchWorkSurface = stretched ? 67 : 68;
    nEffectWorkSurface = Display.bDirect3D ? 70 : 68;
}

void DrawChipIcon(DDSURFACEDATA* dst, int x, int y, int kind, int chip, int frame)
{
    switch (kind) {
    case 0: DDBltStretch(dst, x, y, 16, 16, &SurfaceTables.Surface[3], chip / 15 * 64, chip % 15 * 32, 32, 32, 1); break;
    case 1: {
        int sheet = chip / 15;
        if (sheet < 0 || sheet >= 8) {
            ReportLog("Icon chip %d lies past the character sheets; nothing is drawn", chip);
            break;
        }
        DDBltStretch(dst, x, y, 16, 16, &SurfaceTables.Surface[22 + 2 * sheet], frame * 32, chip % 15 * 32, 32, 32, 1);
        break;
    }
    case 2: DDBlt(dst, x, y, 16, 16, &SurfaceTables.Surface[42], chip / 15 * 32, chip % 15 * 16, 1); break;
    case 3: DDBltStretch(dst, x, y, 16, 16, &SurfaceTables.Surface[63], chip / 30 * 64, chip % 30 * 32, 32, 32, 1); break;
    case 4: {
        CHIPCELL c = LocateChip(0, 4, chip, frame, nullptr, 0, ExtraImage(chip));
        int size = 32 * c.nCellFactor;
        if (DDSURFACEDATA* image = SurfaceOf(c, c.nOwn[1]))
            DDBltStretch(dst, x, y, 16, 16, image, c.nSrcX, c.nSrcY, size, size, 1);
        break;
    }
    default: break;
    }
}
