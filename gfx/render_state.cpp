#include "gfx/render_state.h"

#include "gfx/d3d_backend.h"

void DDGetShareSD(DDSURFACEDATA** record)
{
    if (lpDTCon && record && *record && (*record)->lpShareSD) *record = (*record)->lpShareSD;
}

void DDSetVertexColor(DWORD argb)
{
    if (lpDTCon) lpDTCon->dwVertexColor = argb;
}

void DDResetVertexColor()
{
    if (lpDTCon) lpDTCon->dwVertexColor = 0xFFFFFFFF;
}

void DDSetColorOp(int op)
{
    if (lpDTCon) lpDTCon->nColorOp = op;
}

void DDResetColorOp()
{
    if (lpDTCon) lpDTCon->nColorOp = D3DTOP_MODULATE;
}

void DDSetAlphaOp(int op)
{
    if (lpDTCon) lpDTCon->nAlphaOp = op;
}

void DDResetAlphaOp()
{
    if (lpDTCon) lpDTCon->nAlphaOp = D3DTOP_SELECTARG1;
}
