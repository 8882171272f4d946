#include "gfx/render_state.h"

#include "gfx/d3d_backend.h"

void DDGetShareSD(DDSURFACEDATA** record)
{
    if (Display.lpDTCon && record && *record && (*record)->lpShareSD) *record = (*record)->lpShareSD;
}

void DDSetVertexColor(DWORD argb)
{
    if (Display.lpDTCon) Display.lpDTCon->dwVertexColor = argb;
}

void DDResetVertexColor()
{
    if (Display.lpDTCon) Display.lpDTCon->dwVertexColor = 0xFFFFFFFF;
}

void DDSetColorOp(int op)
{
    if (Display.lpDTCon) Display.lpDTCon->nColorOp = op;
}

void DDResetColorOp()
{
    if (Display.lpDTCon) Display.lpDTCon->nColorOp = D3DTOP_MODULATE;
}

void DDSetAlphaOp(int op)
{
    if (Display.lpDTCon) Display.lpDTCon->nAlphaOp = op;
}

void DDResetAlphaOp()
{
    if (Display.lpDTCon) Display.lpDTCon->nAlphaOp = D3DTOP_SELECTARG1;
}
