// The pictures' surfaces and drawing through the graphics library.
#include <iterator>

#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "stage/objects/display_memory.h"
#include "stage/objects/picture.h"

namespace {

int Load(const char* file, int index, int scaled, int* width, int* height)
{
    const int ddMemory = StageSurfaceInSystemMemory(scaled);
    auto surface = SurfaceTables.PictureSurfaces.emplace(std::next(SurfaceTables.PictureSurfaces.begin(), index));
    auto param = SurfaceTables.PictureSurfacesParam.emplace(std::next(SurfaceTables.PictureSurfacesParam.begin(), index));
    param->Set(file, 1, ddMemory, 0, 0, 0, 0, 0, 0, 0, 0);
    const int result = DDCreateSurfaceFromFile(&*surface, file, 1, Display.nBpp, ddMemory, 0, 0, 0, 0, 0, 0);
    if (!DDCheckSurfaceResult(result) || surface->nWidth <= 0) {
        DDReleaseSurface(&*surface);
        SurfaceTables.PictureSurfaces.erase(surface);
        SurfaceTables.PictureSurfacesParam.erase(param);
        return 0;
    }
    *width = surface->nWidth;
    *height = surface->nHeight;
    return 1;
}

void Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(SurfaceTables.PictureSurfaces.size())) return;
    auto surface = std::next(SurfaceTables.PictureSurfaces.begin(), index);
    DDReleaseSurface(&*surface);
    SurfaceTables.PictureSurfaces.erase(surface);
    if (index < static_cast<int>(SurfaceTables.PictureSurfacesParam.size()))
        SurfaceTables.PictureSurfacesParam.erase(std::next(SurfaceTables.PictureSurfacesParam.begin(), index));
}

} // namespace

void UsePictureGraphics() { PictureGfx = {Load, Remove}; }

int cPicture::Draw(const cStageWorld& world, DDSURFACEDATA* target, DDSURFACEDATA* surface, int frozen)
{
    if (Step(frozen)) return 1;
    Paint(world, target, surface);
    return 0;
}

void cPicture::Paint(const cStageWorld& world, DDSURFACEDATA* target, DDSURFACEDATA* surface)
{
    int x, y;
    Place(world, &x, &y);
    if (m_bScaled)
        DDBltStretch(target, x, y, m_nWidth, m_nHeight, surface, 0, 0, surface->nWidth, surface->nHeight, 1);
    else
        DDBlt(target, x, y, m_nWidth, m_nHeight, surface, 0, 0, 1);
}
