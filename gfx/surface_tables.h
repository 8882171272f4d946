#pragma once
// The game's fixed surfaces and fonts: the 71 surfaces the screens draw from
// by index, the links between duplicate records, the three fonts and their
// digit strips, and the surface containers that the screens and the stage
// fill while they run. All of them are built before WinMain and live for the
// whole run (app/global_objects.cpp); the display and the screens fill and
// empty them.
#include <list>

#include "gfx/font.h"
#include "gfx/surface_record.h"

constexpr int SURFACE_COUNT = 71;
constexpr int FONT_COUNT = 3;  // 0 small, 1 middle, 2 large

// Threads: drawn with by the thread that runs the frame (the game thread, or
// the pause or ranking thread while the game thread waits for it); changed by
// the window thread only at start-up, in a restore the drawing thread waits
// for (WM_GAME_RESTORE) and at shut-down.
extern DDSURFACEDATA Surface[SURFACE_COUNT];
extern DDSURFACEPARAM SurfaceParam[SURFACE_COUNT];
extern Font Fonts[FONT_COUNT];
extern FONTPARAM FontParam[FONT_COUNT];
// The digit strips of the three fonts (100 x 10, 160 x 16, 320 x 32).
extern DDSURFACEDATA SpareSurface[FONT_COUNT];
extern DDSURFACEPARAM SpareSurfaceParam[FONT_COUNT];

// Threads (all below): drawn with by the thread that runs the frame (the game thread, or
// the pause or ranking thread while the game thread waits for it); changed by
// the window thread only at start-up, in a restore the drawing thread waits
// for (WM_GAME_RESTORE) and at shut-down.
// The stage's and the screens' own surfaces, each with its descriptors
// element for element: character-dedicated pictures, sword pictures, effect
// pictures, the screens' extra work surfaces; the picture command's and the
// messages' surfaces as lists.
extern DDSurfaceVector CharaExcSurfaces;
extern DDSurfaceParamVector CharaExcSurfacesParam;
extern DDSurfaceVector SwordSurfaces;
extern DDSurfaceParamVector SwordSurfacesParam;
extern DDSurfaceVector EffectSurfaces;
extern DDSurfaceParamVector EffectSurfacesParam;
extern DDSurfaceVector Off_Scene;
extern DDSurfaceParamVector Off_SceneParam;
extern std::list<DDSURFACEDATA> PictureSurfaces;
extern std::list<DDSURFACEPARAM> PictureSurfacesParam;
extern std::list<DDSURFACEDATA> Off_Msg;
extern std::list<DDSURFACEPARAM> Off_MsgParam;

// Fill the descriptor tables with the game's fixed rows.
void InitSurfaceParams();
void InitFontParams();
void InitSpareSurfaceParams();
// Points every duplicate record of Surface at the record whose texture it
// draws from. Once the display exists, before the first surfaces are loaded.
void LinkShareSurfaces();
