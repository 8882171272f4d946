#include "gfx/recovery.h"

#include <cstring>
#include <vector>

#include <d3dx9.h>

#include "app/base/log.h"
#include "gfx/bitmap_copy.h"
#include "gfx/com_release.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/palette_table.h"
#include "gfx/scene.h"
#include "gfx/surface.h"

HRESULT DTQueryDeviceState()
{
    return Display.lpDevice ? Display.lpDevice->TestCooperativeLevel() : D3D_OK;
}

HRESULT DDQuerySurfaceState(IDirectDrawSurface7* surface)
{
    return surface ? surface->IsLost() : DD_OK;
}

DISPLAYLOSSQUERY DisplayLossQuery = {DTQueryDeviceState, DDQuerySurfaceState};

namespace {

bool IsBlankFile(const char* fileName)
{
    return std::strcmp(fileName, "E") == 0 || fileName[0] == '\0';
}

bool SurfaceLost(DDSURFACEDATA* record)
{
    return record->lpDD && record->lpDD->lpSurface &&
           DisplayLossQuery.lpSurfaceState(record->lpDD->lpSurface) == DDERR_SURFACELOST;
}

// Nothing may stay bound to the device that lives in video memory: the
// render target goes back to the device's own back buffer, the textures and
// the vertex stream are unbound.
void UnbindDevice()
{
    if (Display.lpDTCon->bInScene) DDEndScene();
    IDirect3DSurface9* own = nullptr;
    if (SUCCEEDED(Display.lpDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &own))) {
        Display.lpDevice->SetRenderTarget(0, own);
        own->Release();
    }
    for (DWORD stage = 0; stage < 2; ++stage) Display.lpDevice->SetTexture(stage, nullptr);
    Display.lpDevice->SetStreamSource(0, nullptr, 0, 0);
}

void ReleaseForReset()
{
    UnbindDevice();
    for (DDSURFACEDATA* record : Display.RestoreList) {
        DTSURFACEDATA* dt = record->lpDT.get();
        if (!dt || dt->nMemoryType == DTMEMORYTYPE_SYSTEM) continue;
        dt->lpTexture.Reset();
        dt->lpSurface.Reset();
    }
    int i = 0;
    for (Font* font : FontList) {
        TraceLogF("Font i = %d", i++);
        if (font->m_lpD3DXFont) {
            const HRESULT hr = font->m_lpD3DXFont->OnLostDevice();
            if (hr != D3D_OK) TraceLogF("lpFont->OnLostDevice hr = %d", static_cast<int>(hr));
        }
        if (font->m_lpD3DXSprite) {
            const HRESULT hr = font->m_lpD3DXSprite->OnLostDevice();
            if (hr != D3D_OK) TraceLogF("lpFont->OnLostDevice hr = %d", static_cast<int>(hr));
        }
    }
    if (Display.BackBuffer.lpDT) Display.BackBuffer.lpDT->lpSurface.Reset();
}

void ResetFonts()
{
    for (Font* font : FontList) {
        if (font->m_lpD3DXFont) font->m_lpD3DXFont->OnResetDevice();
        if (font->m_lpD3DXSprite) font->m_lpD3DXSprite->OnResetDevice();
    }
}

// Makes one listed record anew after the reset.
void RecreateRecord(DDSURFACEDATA* record)
{
    DTSURFACEDATA* dt = record->lpDT.get();
    if (!dt) return;
    if (!IsBlankFile(record->szFileName)) {
        // The pixel copy holds the file's own pixels, which the loss did not
        // touch: it stays with the record instead of being dropped.
        std::unique_ptr<BYTE[]> pixelCopy = std::move(dt->lpPixelCopy);
        const int result = DDCreateSurfaceFromFile(
            record, record->szFileName, dt->bColorKey, Display.nBpp, record->nDDMemory, dt->nMemoryType,
            record->lpShareSD != nullptr, 0, record->nMirrorWidth, record->nMirrorHeight, 1);
        dt->lpPixelCopy = std::move(pixelCopy);
        if (result != SURFACE_OK) TraceLog("Err");
        return;
    }
    if (!DDCreateSurface(record, record->nWidth, record->nHeight, dt->bColorKey, record->nDDMemory,
                         dt->nMemoryType, record->lpShareSD != nullptr, 1))
        TraceLog("Err");
    record->bLost = 1;
}

}  // namespace

int DDRestoreSurface()
{
    if (!Display.lpDTCon) {
        TraceLog("DDではDDRestoreSurfaceは未対応");
        return 1;
    }
    if (!Display.lpDevice) return 0;
    TraceLog("Restore In");
    TraceLog("a-");
    // Nothing is released while the device cannot be reset: the next frame asks again.
    if (DisplayLossQuery.lpDeviceState() != D3DERR_DEVICENOTRESET) {
        TraceLog("復旧失敗…リセット可能な状態ではありません…");
        return 0;
    }
    // A reset that failed left everything released (the back buffer
    // reference among it): a later attempt does not release it again.
    if (!Display.BackBuffer.lpDT || Display.BackBuffer.lpDT->lpSurface) ReleaseForReset();
    TraceLog("a");
    if (FAILED(Display.lpDevice->Reset(&Display.lpDTCon->d3dpp))) return 0;

    DTSetRenderStates();
    if (Display.BackBuffer.lpDT) {
        Display.lpDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, Display.BackBuffer.lpDT->lpSurface.Put());
    }
    ResetFonts();

    // A mirrored image lists a temporary surface while it is made: walk a copy.
    const std::vector<DDSURFACEDATA*> listed = Display.RestoreList;
    for (size_t i = 0; i < listed.size(); ++i) {
        DDSURFACEDATA* record = listed[i];
        TraceLogF("i = %d lpSD->szSurfaceType = %s lpSD->szFileName = %s Size = (%d,%d)",
                  static_cast<int>(i), record->szSurfaceType, record->szFileName, record->nWidth,
                  record->nHeight);
        RecreateRecord(record);
    }
    for (Font* font : FontList) font->Restore();
    if (!Display.bWindowMode) ShowWindow(Display.hDDWnd, SW_SHOWNORMAL);
    TraceLog("Restore Out");
    return 1;
}

bool DDRestore()
{
    if (Display.lpDTCon) {
        TraceLog("D3DではDDRestoreは未対応");
        return true;
    }
    if (!SurfaceLost(&Display.PrimarySD)) return true;
    Display.PrimarySD.lpDD->lpSurface->Restore();
    if (SurfaceLost(&Display.BackBuffer)) Display.BackBuffer.lpDD->lpSurface->Restore();
    for (int i = 0; Display.lpSurfaceArray && i < Display.nSurfaceCount; ++i) {
        DDSURFACEDATA* record = &Display.lpSurfaceArray[i];
        if (!SurfaceLost(record)) continue;
        record->lpDD->lpSurface->Restore();
        if (record->nDDMemory != 0) continue;
        if (IsBlankFile(record->szFileName))
            record->bLost = 1;
        else
            DDReloadBitmap(record, Display.nBpp);
    }
    if (Display.nBpp == 8 && Display.lpDDPalette) Display.lpDDPalette->SetEntries(0, 0, 256, Display.ShownPalette);
    for (Font* font : FontList) font->Restore();
    return true;
}
