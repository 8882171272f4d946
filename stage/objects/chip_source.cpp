#include "stage/objects/chip_source.h"

#include "app/base/log.h"
#include "records/media_data.h"
#include "stage/objects/stage_object.h"

namespace {

constexpr int CHARA_SHEETS = 8;

void SamePair(CHIPCELL& c, int first, int second)
{
    c.nOwn[0] = c.nOther[0] = first;
    c.nOwn[1] = c.nOther[1] = second;
}

} // namespace

CHIPCELL LocateChip(int use, int kind, int chip, int offset, const cStageObject* obj, int frame,
                    const cBmpCharaExcData* extra)
{
    CHIPCELL c;
    const bool chara = use == CHIPUSE_CHARA && obj;
    const int facing = chara ? (obj->m_nFacing ? 1 : 0) : 0;
    switch (kind) {
    case 0:
        SamePair(c, 2, 3);
        c.nSrcX = chip / 15 * 32;
        c.nSrcY = chip % 15 * 32;
        break;
    case 1: {
        int sheet = chip / 15;
        c.nSrcY = chip % 15 * 32;
        int side = facing;
        if (chara) {
            c.nSrcX = (offset + frame) * 32;
        } else if (offset < 20) {
            c.nSrcX = offset * 32;
            side = 0;
        } else {
            c.nSrcX = (offset - 20) * 32;
            side = 1;
        }
        if (sheet < 0 || sheet >= CHARA_SHEETS) {
            ReportLog("Character chip %d lies past the %d character sheets; sheet 0 at (0, 0) is drawn", chip,
                      CHARA_SHEETS);
            SamePair(c, CHIP_FALLBACK_SURFACE[0], CHIP_FALLBACK_SURFACE[1]);
            c.nSrcX = c.nSrcY = 0;
            break;
        }
        c.nOwn[0] = 4 + 2 * sheet + side;
        c.nOther[0] = 4 + 2 * sheet + (1 - side);
        c.nOwn[1] = c.nOwn[0] + 18;
        c.nOther[1] = c.nOther[0] + 18;
        c.bCheckSize = 1;
        break;
    }
    case 2:
        SamePair(c, 40, 41);
        c.nSrcX = chip / 15 * 64 + (use == CHIPUSE_ITEM ? frame * 32 : 0);
        c.nSrcY = chip % 15 * 32;
        break;
    case 3:
        c.nOwn[0] = c.nOwn[1] = 63 + facing;
        c.nOther[0] = c.nOther[1] = chara ? 64 - facing : 63;
        c.nSrcX = chip / 30 * 64;
        c.nSrcY = chip % 30 * 32;
        break;
    case 4: {
        int base = 4 * (chip - 1);
        c.bExtra = 1;
        c.nOwn[0] = base + facing;
        c.nOther[0] = base + 1 - facing;
        c.nOwn[1] = base + 2 + facing;
        c.nOther[1] = base + 3 - facing;
        int cell = chara ? offset + frame : offset;
        bool own = extra && extra->m_bOwnCellSize;
        int n = own ? extra->m_nCellSize : 1;
        if (own && (n < 1 || n > 16)) {
            ReportLog("Extra character image %d has a cell size of %d blocks; cells of one block are used", chip, n);
            own = false;
        }
        if (own) {
            c.bOwnCellSize = 1;
            c.nCellFactor = n;
            int perRow = 16 / n;
            c.nSrcX = cell % perRow * 32 * n;
            c.nSrcY = cell / perRow * 32 * n;
        } else {
            c.nSrcX = cell % 16 * 32;
            c.nSrcY = cell / 16 * 32;
        }
        break;
    }
    default:
        break;
    }
    return c;
}
