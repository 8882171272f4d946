// The drawing of effects of the effect database from their images.
#include "app/base/checked.h"
#include "app/system/system_ini.h"
#include "files/database.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface_tables.h"
#include "stage/objects/effect.h"
#include "stage/scene/stage_world.h"

int cEffect::Draw(const cStageWorld& world, DDSURFACEDATA* target, int frozen)
{
    const int f = Advance(frozen);
    if (f < 0) return 1;
    DrawFrame(world, target, f);
    return 0;
}

void cEffect::DrawFrame(const cStageWorld& world, DDSURFACEDATA* target, int f)
{
    const cEffectData& data = CheckedAt(DataBase.m_Effect, m_sEffect);
    const int px = static_cast<int>(m_dX - world.m_ScrollX.m_dPos);
    const int py = static_cast<int>(m_dY - world.m_ScrollY.m_dPos);
    // Entry e's images are 2e - 2 (video memory) and 2e - 1 (system memory).
    const int first = 2 * m_sEffect - 2;
    if (first < 0 || first + 1 >= static_cast<int>(SurfaceTables.EffectSurfaces.size())) return;
    if (m_bStretch) {
        const bool videoStretch = !Display.bDirect3D && SystemIni.DD_VideoStretch && Display.nBpp != 8;
        DDSURFACEDATA* source = &SurfaceTables.EffectSurfaces[videoStretch ? first : first + 1];
        DDBltStretch(target, px, py, m_nWidth, m_nHeight, source, f * data.m_nCellWidth, 0,
                     data.m_nCellWidth, data.m_nCellHeight, 1);
    } else {
        DDBlt(target, px, py, m_nWidth, m_nHeight, &SurfaceTables.EffectSurfaces[first], f * m_nWidth, 0, 1);
    }
}
