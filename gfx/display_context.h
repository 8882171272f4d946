#pragma once
// The active back end's context: exactly one is non-null while the display is
// up, and every graphics operation tests lpDTCon (Direct3D) first. The records
// are defined in gfx/d3d_backend.h (DTCONTEXT) and gfx/ddraw_backend.h
// (DDCONTEXT); this header lets code test which one is up without either.
struct DTCONTEXT;
struct DDCONTEXT;

// The views of the contexts, which this file owns, are Display.lpDTCon and
// Display.lpDDCon: set by the Create functions, null after the Delete ones.
#include "gfx/display.h"

// A fresh context for the back end (any earlier one of that kind is freed).
DTCONTEXT* CreateDTContext();
DDCONTEXT* CreateDDContext();
void DeleteDTContext();
void DeleteDDContext();
