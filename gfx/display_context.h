#pragma once
// The active back end's context: exactly one is non-null while the display is
// up, and every graphics operation tests lpDTCon (Direct3D) first.
struct DTCONTEXT;
struct DDCONTEXT;

extern DTCONTEXT* lpDTCon;
extern DDCONTEXT* lpDDCon;
