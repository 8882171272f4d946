// The objects that live for the whole run, all built here by the static
// initialisers in this order before WinMain runs, and destroyed in the
// reverse order after it returns. The classes belong to their own files; this
// file says only which objects exist and in which order they are built.
//
// Objects of the data files, the stage and the screens take their places in
// the slots marked below as they come to exist. CommonPalette
// (records/palette_data.cpp), StageData and PlayStageData
// (files/stage_file.cpp) are built in their own files, so that the data layer
// also links alone (its native build); their constructors need no other object.
#include "app/system/bgm.h"
#include "app/system/input.h"
#include "app/shell/main_window.h"
#include "app/system/sound.h"
#include "app/system/thread.h"
#include "app/system/window.h"
#include "gfx/surface_tables.h"

WINDOWREGISTRY WindowRegistry;
cMainWindow MainWindow;

// Each stops its thread if one still runs at exit.
cThread thGame;
cThread thPause;
cThread thRanking;
cThread thLoadStage;

// Slot: MenuCursor, the menu cursor stack (one zeroed entry, the current one).

std::vector<cInput> Inputs(1);

DDSurfaceVector CharaExcSurfaces;
DDSurfaceParamVector CharaExcSurfacesParam;
DDSurfaceVector SwordSurfaces;
DDSurfaceParamVector SwordSurfacesParam;
DDSurfaceVector EffectSurfaces;
DDSurfaceParamVector EffectSurfacesParam;
DDSurfaceVector Off_Scene;
DDSurfaceParamVector Off_SceneParam;
std::list<DDSURFACEDATA> PictureSurfaces;
std::list<DDSURFACEPARAM> PictureSurfacesParam;
std::list<DDSURFACEDATA> Off_Msg;
std::list<DDSURFACEPARAM> Off_MsgParam;

// Zero-filled records; the display and the fonts are created into them by
// start-up and released by the shut-down, so their exit-time destructors find
// nothing left to release.
DDSURFACEDATA Surface[SURFACE_COUNT];
Font Fonts[FONT_COUNT];
DDSURFACEDATA SpareSurface[FONT_COUNT];

DDSURFACEPARAM SurfaceParam[SURFACE_COUNT];
FONTPARAM FontParam[FONT_COUNT];
DDSURFACEPARAM SpareSurfaceParam[FONT_COUNT];
namespace {
[[maybe_unused]] const bool bTablesFilled = (InitSurfaceParams(), InitFontParams(), InitSpareSurfaceParams(), true);
}

std::vector<DSSOUNDDEF> SoundDefList;
std::vector<DSSOUND> SoundList;
cBgm Bgm;

// Slots, in this order:
//   SystemData; DataBase;
//   AnimeFrameTable, EffectFrameTable, CharaEffectTemplates, ScrEffectTemplates,
//   CharaEffectTemplatesRev, ScrEffectTemplatesRev (empty until start-up);
//   Replay, LastReplay;
//   Player, BlockMap, CharaList, ItemList (empty until a stage runs);
//   WorldMap;
//   GameProgress and the progress copies of the current and the previous replay;
//   Options; SaveSlotList (99 slots); RankingSet.
