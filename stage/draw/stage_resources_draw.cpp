// The stage's images: the stage-play set of fixed surfaces and the
// backgrounds the stage names, the shot tile sheets, the character, sword and effect
// images of the database, the picture and message surfaces, and the two
// surfaces of the player's sight mask.
#include <algorithm>
#include <string>
#include <vector>

#include "app/base/checked.h"
#include "app/base/close_request.h"
#include "app/base/log.h"
#include "files/database.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "gfx/bitmap_copy.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/palette_table.h"
#include "gfx/shaped_blit.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "stage/objects/chip_source.h"
#include "stage/objects/message.h"
#include "stage/objects/picture.h"
#include "stage/draw/play_screen_draw.h"
#include "stage/objects/player.h"
#include "stage/scene/stage_scene.h"

namespace {

// One entry's surfaces: the parameters appended and the surfaces created
// from them. share[i]: the surface of the entry whose texture surface i
// draws with (itself: none); under Direct3D those are duplicates.
void LoadImageSet(DDSurfaceVector& surfaces, DDSurfaceParamVector& params, const char* const* files,
                  const int* memory, const int* mirror, const int* share, int count, const char* what)
{
    const size_t first = surfaces.size();
    for (int i = 0; i < count; ++i) {
        const int duplicate = Display.bDirect3D && share[i] != i ? 1 : 0;
        params.emplace_back().Set(files[i], 1, memory[i], 0, duplicate, 0, 1, mirror[i], 0, 0, 0);
        DDSURFACEDATA& s = surfaces.emplace_back();
        const int result = DDCreateSurfaceFromFile(&s, files[i], 1, Display.nBpp, memory[i], 0, duplicate, 0, mirror[i], 0, 0);
        if (!DDCheckSurfaceResult(result)) TraceLogF("%s %s 読み込み失敗！", what, files[i]);
    }
    for (int i = 0; i < count; ++i)
        if (share[i] != i) surfaces[first + static_cast<size_t>(i)].lpShareSD = &surfaces[first + static_cast<size_t>(share[i])];
}

// Every surface of a set released, the set and its parameters emptied.
template <class Surfaces, class Params>
void ResetSet(Surfaces& surfaces, Params& params)
{
    for (DDSURFACEDATA& s : surfaces) DDReleaseSurface(&s);
    surfaces.clear();
    params.clear();
}

// The fixed surfaces of stage play: all but the palette image, the debug
// sheet, the title menu's image and the world map's three.
std::vector<int> StageSurfaceSet()
{
    std::vector<int> set;
    for (int i = 2; i <= 70; ++i)
        if (i != 48 && (i < 52 || i > 54)) set.push_back(i);
    return set;
}

} // namespace

int cStageScene::BuildTileSheet()
{
    for (int k = 0; k < 2; ++k) {
        DDSURFACEDATA* sheet = &SurfaceTables.Surface[63 + k];
        DDSURFACEDATA* shots = &SurfaceTables.Surface[20 + k];
        DDFillPal(sheet, 0);
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 8; ++c) DDBlt(sheet, 32 * c + 8, 32 * r + 8, 16, 16, shots, 16 * c, 16 * r, 1);
    }
    return 1;
}

void cStageScene::LoadCharaExcImages()
{
    ResetSet(SurfaceTables.CharaExcSurfaces, SurfaceTables.CharaExcSurfacesParam);
    const auto& list = DataBase.m_BmpCharaExc;
    for (size_t e = 1; e < list.size(); ++e) {
        const cBmpCharaExcData& d = list[e];
        const int w = d.m_bOwnCellSize ? 32 * std::max(1, d.m_nCellSize) : 32;
        const char* files[4] = {d.m_sFile.c_str(), d.m_sFile.c_str(), d.m_sFile.c_str(), d.m_sFile.c_str()};
        const int memory[4] = {0, 0, 1, 1}, mirror[4] = {0, w, 0, w}, share[4] = {0, 0, 0, 0};
        LoadImageSet(SurfaceTables.CharaExcSurfaces, SurfaceTables.CharaExcSurfacesParam, files, memory, mirror, share, 4, "専用bmp");
    }
}

void cStageScene::LoadSwordImages()
{
    ResetSet(SurfaceTables.SwordSurfaces, SurfaceTables.SwordSurfacesParam);
    for (const cSwordTypeData& d : DataBase.m_SwordType) {
        const char* files[4] = {d.m_sFileA.c_str(), d.m_sFileB.c_str(), d.m_sFileA.c_str(), d.m_sFileB.c_str()};
        const int memory[4] = {0, 0, 1, 1}, mirror[4] = {0, 0, 0, 0}, share[4] = {0, 1, 0, 1};
        LoadImageSet(SurfaceTables.SwordSurfaces, SurfaceTables.SwordSurfacesParam, files, memory, mirror, share, 4, "ソード");
    }
}

void cStageScene::LoadEffectImages()
{
    ResetSet(SurfaceTables.EffectSurfaces, SurfaceTables.EffectSurfacesParam);
    const auto& list = DataBase.m_Effect;
    for (size_t e = 1; e < list.size(); ++e) {
        const char* files[2] = {list[e].m_sFile.c_str(), list[e].m_sFile.c_str()};
        const int memory[2] = {0, 1}, mirror[2] = {0, 0}, share[2] = {0, 0};
        LoadImageSet(SurfaceTables.EffectSurfaces, SurfaceTables.EffectSurfacesParam, files, memory, mirror, share, 2, "エフェクト");
    }
}

void cStageScene::ClearPictures()
{
    ResetSet(SurfaceTables.PictureSurfaces, SurfaceTables.PictureSurfacesParam);
    m_PictureList.clear();
}

void cStageScene::ClearMessageSurfaces() { ResetSet(SurfaceTables.Off_Msg, SurfaceTables.Off_MsgParam); }

namespace {

bool MakeWork(DDSURFACEDATA* s, int w, int h)
{
    DDReleaseSurface(s);
    if (DDCreateSurface(s, w, h, 1, 0, 0, 0, 0)) return true;
    ReportLog("A work surface of %d x %d could not be made; the game ends", w, h);
    StageHost().RequestClose();
    return false;
}

} // namespace

void MakeSightSurfaces(int mask, int window, int sight, int shape)
{
    DDSURFACEDATA* m = &SurfaceTables.Surface[mask];
    DDSURFACEDATA* win = &SurfaceTables.Surface[window];
    DDReleaseSurface(win);
    const int r = std::max(0, sight);
    if (!MakeWork(m, 1280 + 2 * r, 960 + 2 * r)) return;
    DDFillPal(m, 16);
    if (r == 0) return;
    const int cx = m->nWidth / 2, cy = m->nHeight / 2;
    if (shape != 1 && shape != 2) {
        DDFillRectPal(m, cx - r, cy - r, 2 * r, 2 * r, 0);
        return;
    }
    if (!MakeWork(win, 2 * r, 2 * r)) return;
    if (SystemData.m_bFullColor) DDFill(win, Display.dwTransmit);
    else DDFillPal(win, 0);
    DDBltCircle(m, cx, cy, r, r, r, 1, win, r, r, 0);
}

void DrawSightMask(DDSURFACEDATA* target, cPlayer& p, int mask)
{
    if (!target || p.m_Def.m_cSightShape == 0) return;
    DDSURFACEDATA* m = &SurfaceTables.Surface[mask];
    const int w = m->nWidth, h = m->nHeight;
    if (w < 640 || h < 480) return;
    int x0 = (w >> 1) - (p.m_nDrawW >> 1) - p.m_nScreenLeft;
    if (p.m_Def.m_cSightShape == 2 || p.m_Def.m_cSightShape == 4) x0 += p.FacingSign() * ((p.m_nDrawW >> 1) - p.m_nSightDots);
    x0 = std::clamp(x0, 0, w - 640);
    const int y0 = std::clamp((h >> 1) - (p.m_nDrawH >> 1) - p.m_nScreenTop, 0, h - 480);
    DDBlt(target, 0, 0, 640, 480, m, x0, y0, 1);
}

int LoadStageImages(int all)
{
    SelectChipSurfaces();
    UsePictureGraphics();
    UseMessageGraphics();
    // Background layer i draws fixed surface 55 + i: the stage names its image.
    // Under DirectDraw an image larger than the screen goes into system
    // memory, which holds any size.
    const auto& layers = StageData.m_Backgrounds;
    for (int i = 0; i < 8; ++i) {
        const bool image = i < static_cast<int>(layers.size()) && !layers[static_cast<size_t>(i)].m_bFill;
        DDSURFACEPARAM& p = SurfaceTables.SurfaceParam[55 + i];
        p.Set(image ? layers[static_cast<size_t>(i)].m_sImage.c_str() : "", p.bColorKey, p.nDDMemory, p.nMemoryType,
              p.bShare, p.bPixelCopy, 1, p.nMirrorWidth, p.nMirrorHeight, p.nWidth, p.nHeight);
        if (image) DDCheckBitmapSize(&p.nDDMemory, p.szFileName, 640, 480);
    }
    if (!all) {
        const int backgrounds[8] = {55, 56, 57, 58, 59, 60, 61, 62};
        return DDLoadSurfaces(SurfaceTables.Surface, backgrounds, 8) ? 1 : 0;
    }
    const std::vector<int> set = StageSurfaceSet();
    if (!DDLoadSurfaces(SurfaceTables.Surface, set.data(), static_cast<int>(set.size()))) return 0;
    cStageScene& scene = *lpStageScene;
    scene.BuildTileSheet();
    scene.LoadCharaExcImages();
    scene.LoadSwordImages();
    scene.LoadEffectImages();
    return 1;
}

void ReleaseStageImages()
{
    for (int i : StageSurfaceSet()) DDReleaseSurface(&SurfaceTables.Surface[i]);
    ResetSet(SurfaceTables.CharaExcSurfaces, SurfaceTables.CharaExcSurfacesParam);
    ResetSet(SurfaceTables.SwordSurfaces, SurfaceTables.SwordSurfacesParam);
    ResetSet(SurfaceTables.EffectSurfaces, SurfaceTables.EffectSurfacesParam);
    ResetSet(SurfaceTables.PictureSurfaces, SurfaceTables.PictureSurfacesParam);
    ResetSet(SurfaceTables.Off_Msg, SurfaceTables.Off_MsgParam);
    ResetSet(SurfaceTables.Off_Scene, SurfaceTables.Off_SceneParam);
}
