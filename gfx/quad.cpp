#include "gfx/quad.h"

#include <cstring>

#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/scene.h"

namespace {

// The four vertices in buffer as a strip of two triangles.
void DrawStrip(IDirect3DVertexBuffer9* buffer)
{
    Display.lpDevice->SetStreamSource(0, buffer, 0, sizeof(QUADVERTEX));
    Display.lpDevice->SetFVF(QUAD_FVF);
    Display.lpDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

}  // namespace

void DTSetPlainQuad(QUADVERTEX v[4], int x, int y, int width, int height, DWORD diffuse,
                    float u1, float v1)
{
    const float left = x - 0.5f, top = y - 0.5f;
    const float right = x + width - 0.5f, bottom = y + height - 0.5f;
    v[0] = {left, top, 0.0f, 1.0f, diffuse, 0.0f, 0.0f};
    v[1] = {left, bottom, 0.0f, 1.0f, diffuse, 0.0f, v1};
    v[2] = {right, top, 0.0f, 1.0f, diffuse, u1, 0.0f};
    v[3] = {right, bottom, 0.0f, 1.0f, diffuse, u1, v1};
}

void DTSetQuad(QUADVERTEX v[4], int x, int y, int width, int height, const DDSURFACEDATA* source,
               int sx, int sy, int sw, int sh, DWORD diffuse)
{
    DTSetPlainQuad(v, x, y, width, height, diffuse, 0.0f, 0.0f);
    const float tw = source->nTexWidth ? static_cast<float>(source->nTexWidth) : 1.0f;
    const float th = source->nTexHeight ? static_cast<float>(source->nTexHeight) : 1.0f;
    const float u0 = sx / tw, u1 = (sx + sw) / tw;
    const float v0 = sy / th, v1 = (sy + sh) / th;
    v[0].u = u0, v[0].v = v0;
    v[1].u = u0, v[1].v = v1;
    v[2].u = u1, v[2].v = v0;
    v[3].u = u1, v[3].v = v1;
}

DWORD DTKeyClearColor(const DDSURFACEDATA* target)
{
    // A device Clear takes an ARGB colour and converts it to the target's
    // format itself, so the back buffer gets the ARGB form at either depth.
    if (target == &Display.BackBuffer) return Display.lpDTCon->dwTransmitBack;
    return Display.lpDTCon->dwTransmitTex;
}

void DTClearRect(int x, int y, int width, int height, DWORD color)
{
    if (!Display.lpDevice) return;
    D3DRECT rect = {x, y, x + width, y + height};
    Display.lpDevice->Clear(1, &rect, D3DCLEAR_TARGET, color, 1.0f, 0);
}

bool DTDrawQuad(DDSURFACEDATA* target, int x, int y, int width, int height,
                DDSURFACEDATA* source, int sx, int sy, int sw, int sh, int mode)
{
    if (!Display.lpDevice || !Display.lpDTCon || !target || !source || !target->lpDT || !source->lpDT) return false;
    DTSURFACEDATA* src = source->lpDT.get();
    if (!src->lpTexture || !src->lpVertexBuffer) return false;

    QUADVERTEX v[4];
    DTSetQuad(v, x, y, width, height, source, sx, sy, sw, sh, Display.lpDTCon->dwVertexColor);
    if (!DTBeginQuad(target, source, v)) return false;
    if (mode == 0 && src->bColorKey && (Display.nBpp == 16 || Display.nBpp == 32))
        DTClearRect(x, y, width, height, DTKeyClearColor(target));
    DTFinishQuad(source, Display.lpDTCon->nColorOp, Display.lpDTCon->nAlphaOp);
    return true;
}

bool DTPutVertices(IDirect3DVertexBuffer9* buffer, const void* vertices, UINT bytes)
{
    void* data = nullptr;
    if (!buffer || FAILED(buffer->Lock(0, bytes, &data, 0))) return false;
    std::memcpy(data, vertices, bytes);
    buffer->Unlock();
    return true;
}

void DTSetTextureStages(int colorOp, int alphaOp)
{
    Display.lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, colorOp);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, alphaOp);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

void DTSetPlainStages(DWORD colourArg)
{
    Display.lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, colourArg);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    Display.lpDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, colourArg);
}

void DTDrawPlainQuad(IDirect3DVertexBuffer9* buffer, DWORD colourArg)
{
    DTSetPlainStages(colourArg);
    DrawStrip(buffer);
}

bool DTBeginQuad(DDSURFACEDATA* target, DDSURFACEDATA* source, const QUADVERTEX v[4])
{
    if (!Display.lpDevice || !DTPutVertices(source->lpDT->lpVertexBuffer, v, QUAD_BYTES)) return false;
    return DDBeginScene() && DDSetRenderTarget(0, target);
}

void DTFinishQuad(DDSURFACEDATA* source, int colorOp, int alphaOp)
{
    DTSetTextureStages(colorOp, alphaOp);
    DTDrawTexturedQuad(source);
}

void DTDrawTexturedQuad(DDSURFACEDATA* source)
{
    Display.lpDevice->SetTexture(0, source->lpDT->lpTexture);
    DrawStrip(source->lpDT->lpVertexBuffer);
    if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
}
