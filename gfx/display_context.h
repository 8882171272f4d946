#pragma once
// The active back end's context: exactly one is non-null while the display is
// up, and every graphics operation tests lpDTCon (Direct3D) first. The records
// are defined in gfx/d3d_backend.h (DTCONTEXT) and gfx/ddraw_backend.h
// (DDCONTEXT); this header lets code test which one is up without either.
struct DTCONTEXT;
struct DDCONTEXT;

extern DTCONTEXT* lpDTCon;
extern DDCONTEXT* lpDDCon;
