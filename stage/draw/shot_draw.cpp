// A shot's chip or a sword's part, drawn at its screen rectangle.
#include "app/base/checked.h"
#include "app/system/system_ini.h"
#include "files/database.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface_tables.h"
#include "stage/draw/mirrored_surface.h"
#include "stage/objects/shot.h"

void cShot::Draw(DDSURFACEDATA* target, int f)
{
    if (m_EdShot.m_bHidden) return;
    // The stretched video of DirectDraw is off on an 8-bit display.
    const bool videoStretch = !Display.bDirect3D && SystemIni.DD_VideoStretch && Display.nBpp != 8;
    const int size = m_EdShot.m_cSize;
    const int x = m_nScreenLeft, y = m_nScreenTop;
    if (m_bChip) {
        const int g = m_nGraphic;
        const int sx = (f + 2 * (g / 30)) * 16, sy = g % 30 * 16;
        const int sheet = m_nFacing ? 21 : 20;
        if (size < 2)
            DDBlt(target, x, y, 16, 16, &SurfaceTables.Surface[MirroredSurfaceIndex(sheet, 0)], sx, sy, 1);
        else
            DDBltStretch(target, x, y, m_nDrawW, m_nDrawH, &SurfaceTables.Surface[MirroredSurfaceIndex(sheet, videoStretch ? 0 : 1)],
                         sx, sy, 16, 16, 1);
        return;
    }
    const cSwordTypeData& type = CheckedAt(DataBase.m_SwordType, m_EdShot.m_cMotion);
    if (type.m_Parts.empty()) return;
    const cSwordPartData& part = CheckedAt(type.m_Parts, m_nSwordPart);
    const int facing = m_nFacing ? 1 : 0;
    const int first = 4 * m_EdShot.m_cMotion + facing;
    const int entry = size < 2 || videoStretch ? first : first + 2;
    if (entry < 0 || entry >= static_cast<int>(SurfaceTables.SwordSurfaces.size())) return;
    if (size < 2)
        DDBlt(target, x, y, m_nDrawW, m_nDrawH, &SurfaceTables.SwordSurfaces[static_cast<size_t>(entry)], part.m_nSrcX, part.m_nSrcY, 1);
    else
        DDBltStretch(target, x, y, m_nDrawW, m_nDrawH, &SurfaceTables.SwordSurfaces[static_cast<size_t>(entry)], part.m_nSrcX,
                     part.m_nSrcY, m_nBaseDrawW, m_nBaseDrawH, 1);
}
