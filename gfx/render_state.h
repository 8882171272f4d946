#pragma once
// The blit settings of the Direct3D context that callers set, draw with, and
// reset at once; and the resolution of a duplicate record to its texture owner.
// Every setter does nothing under DirectDraw.
#include "gfx/surface_record.h"

// Direct3D: a record with lpShareSD is replaced by the record it shares.
void DDGetShareSD(DDSURFACEDATA** record);
void DDSetVertexColor(DWORD argb);
void DDResetVertexColor();     // 0xFFFFFFFF
void DDSetColorOp(int op);
void DDResetColorOp();         // D3DTOP_MODULATE
void DDSetAlphaOp(int op);
void DDResetAlphaOp();         // D3DTOP_SELECTARG1
