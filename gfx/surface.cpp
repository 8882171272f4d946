#include "gfx/surface.h"

#include <d3dx9.h>

#include <algorithm>
#include <cstring>

#include "app/base/close_request.h"
#include "app/base/log.h"
#include "gfx/com_release.h"
#include "app/system/message_box.h"
#include "gfx/batch.h"
#include "gfx/bitmap_copy.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/mirror.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_copy.h"
#include "gfx/quad.h"
#include "gfx/scene.h"

namespace {

void CopyName(char (&out)[260], const char* text)
{
    lstrcpynA(out, text ? text : "", sizeof out);
}

// The texture-failure box of the fatal cases, then the game is asked to close.
void TextureFailureExit()
{
    if (Display.lpDTCon && !Display.lpDTCon->strTextureError.empty()) ErrorBoxF("%s", Display.lpDTCon->strTextureError.c_str());
    PostCloseToMainWindow();
}

// A record that already holds a surface gives it back before it is made
// anew, so that nothing leaks and the restore list holds it once.
void ReleaseIfLoaded(DDSURFACEDATA* record)
{
    if (record->lpDT || record->lpDD) DDReleaseSurface(record);
}

// Blank-surface and image-surface set-up shared by the first creation of a
// Direct3D record: type, file name, memory type, colour key, and unless it is a
// duplicate, its id and vertex buffer.
HRESULT PrepareDTRecord(DDSURFACEDATA* record, const char* type, const char* fileName,
                        int colorKey, int memoryType, int share)
{
    DTSURFACEDATA* dt = record->lpDT.get();
    CopyName(record->szSurfaceType, type);
    CopyName(record->szFileName, fileName);
    dt->nMemoryType = memoryType;
    dt->lpSurface.Reset();
    dt->lpSystemSurface.Reset();
    dt->lpVertexBuffer.Reset();
    dt->lpTexture.Reset();
    dt->bColorKey = colorKey == 1;
    if (share) return D3D_OK;
    dt->nId = Display.lpDTCon->nSurfaceId++;
    HRESULT hr = Display.lpDevice->CreateVertexBuffer(QUAD_BYTES, D3DUSAGE_WRITEONLY, QUAD_FVF,
                                              D3DPOOL_MANAGED, dt->lpVertexBuffer.Put(), nullptr);
    if (FAILED(hr)) dt->lpVertexBuffer.Abandon();
    return hr;
}

bool CreateBlankD3D(DDSURFACEDATA* record, int width, int height, int colorKey, int ddMemory,
                    int memoryType, int share, int restore)
{
    if (!Display.lpDevice) return false;
    DTSURFACEDATA* dt = record->lpDT.get();
    if (!restore) {
        if (FAILED(PrepareDTRecord(record, "OffScreen", "E", colorKey, memoryType, share))) {
            ReportLog("CreateVertexBuffer Err");
            return false;
        }
    }
    if (share) {
        record->nWidth = record->nTexWidth = width;
        record->nHeight = record->nTexHeight = height;
        record->nDDMemory = ddMemory;
        return true;
    }
    int texWidth = width, texHeight = height;
    DTAdjustTextureSize(&texWidth, &texHeight);
    if (!DTCheckTextureSize(texWidth, texHeight))
        ReportLog("上記の理由でテクスチャの描画が失敗する可能性があります。(空)");

    if (memoryType == DTMEMORYTYPE_VIDEO_NORT) memoryType = DTMEMORYTYPE_VIDEO_RT;
    dt->nMemoryType = memoryType;
    HRESULT hr;
    if (memoryType == DTMEMORYTYPE_VIDEO_RT) {
        dt->bRenderTarget = 1;
        hr = D3DXCreateTexture(Display.lpDevice, texWidth, texHeight, 1, D3DUSAGE_RENDERTARGET,
                               Display.lpDTCon->fmtTexture, D3DPOOL_DEFAULT, dt->lpTexture.Put());
        if (FAILED(hr)) {
            dt->lpTexture.Abandon();
            if (hr != D3DERR_OUTOFVIDEOMEMORY) return false;
            ReportLog("VRAM不足のためシステムメモリにテクスチャを作成します。(空)");
            dt->nMemoryType = DTMEMORYTYPE_SYSTEM;
        }
    }
    if (dt->nMemoryType == DTMEMORYTYPE_SYSTEM && !dt->lpTexture) {
        dt->bRenderTarget = 0;
        hr = D3DXCreateTexture(Display.lpDevice, texWidth, texHeight, 1, D3DUSAGE_DYNAMIC,
                               Display.lpDTCon->fmtTexture, D3DPOOL_SYSTEMMEM, dt->lpTexture.Put());
        if (FAILED(hr)) {
            dt->lpTexture.Abandon();
            ReportLog("D3DXCreateTexture Err hr = %x", static_cast<unsigned>(hr));
            TextureFailureExit();
            return false;
        }
    }
    dt->lpSurface.Reset();
    hr = dt->lpTexture->GetSurfaceLevel(0, dt->lpSurface.Put());
    if (FAILED(hr)) {
        dt->lpSurface.Abandon();
        ReportLog("GetSurfaceLevel Err hr = %x", static_cast<unsigned>(hr));
        return false;
    }
    dt->lpTexture->GetLevelDesc(0, &dt->descLevel0);
    if (dt->nMemoryType == DTMEMORYTYPE_VIDEO_RT && !restore) {
        hr = Display.lpDevice->CreateOffscreenPlainSurface(dt->descLevel0.Width, dt->descLevel0.Height,
                                                   dt->descLevel0.Format, D3DPOOL_SYSTEMMEM,
                                                   dt->lpSystemSurface.Put(), nullptr);
        if (FAILED(hr)) {
            dt->lpSystemSurface.Abandon();
            ReportLog("CreateOffscreenPlainSurface Err hr = %x", static_cast<unsigned>(hr));
            TextureFailureExit();
            return false;
        }
    }
    record->nWidth = width;
    record->nHeight = height;
    record->nTexWidth = static_cast<int>(dt->descLevel0.Width);
    record->nTexHeight = static_cast<int>(dt->descLevel0.Height);

    if (DDSetRenderTarget(0, record)) {
        Display.lpDevice->Clear(0, nullptr, D3DCLEAR_TARGET, Display.lpDTCon->dwTransmitBack, 1.0f, 0);
        if (Display.lpDTCon->lpDefaultTarget) DDSetRenderTarget(0, Display.lpDTCon->lpDefaultTarget);
    }
    if (!restore) Display.RestoreList.push_back(record);
    return true;
}

bool CreateBlankDDraw(DDSURFACEDATA* record, int width, int height, int colorKey, int ddMemory)
{
    if (!Display.lpDirectDraw) return false;
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (ddMemory == 1 ? DDSCAPS_SYSTEMMEMORY : 0);
    IDirectDrawSurface7*& surface = record->lpDD->lpSurface;
    if (FAILED(Display.lpDirectDraw->CreateSurface(&desc, &surface, nullptr))) {
        surface = nullptr;
        if (ddMemory != 0) {
            ReportLog("CreateSurface System Err");
            return false;
        }
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        if (FAILED(Display.lpDirectDraw->CreateSurface(&desc, &surface, nullptr))) {
            surface = nullptr;
            ReportLog("CreateSurface Video -> System Err");
            return false;
        }
        ddMemory = 1;
    }
    if (colorKey == 1) {
        DDCOLORKEY key = {Display.dwTransmit, Display.dwTransmit};
        if (FAILED(surface->SetColorKey(DDCKEY_SRCBLT, &key))) ReportLog("SetColorKey Err");
    }
    // The sizes come first: the fill clips to them.
    record->nWidth = record->nTexWidth = width;
    record->nHeight = record->nTexHeight = height;
    record->nDDMemory = ddMemory;
    DDFillRectPal(record, 0, 0, width, height, 0);
    return true;
}

// The cell-mirrored form of an ordinary image: a second, temporary load of the
// same file is drawn cell by cell, backwards, into the record's texture. A
// failure leaves the image unmirrored but usable.
int MirrorCells(DDSURFACEDATA* record, const char* fileName, int colorKey, int ddMemory,
                int mirrorWidth, int mirrorHeight)
{
    DDSURFACEDATA unmirrored;
    const int loaded = DDCreateSurfaceFromFile(&unmirrored, fileName, colorKey, Display.nBpp, ddMemory,
                                               record->lpDT->nMemoryType, 0, 0, 0, 0, 0);
    const bool mirrored = loaded == SURFACE_OK && CreateMirror(record, &unmirrored, mirrorWidth,
                                                                 mirrorHeight);
    DDReleaseSurface(&unmirrored);
    if (mirrored) return SURFACE_OK;
    ReportLog("CreateMirror Err");
    return SURFACE_MIRROR_ERR;
}

// The texture of an image file, in the memory type asked for (video memory
// falling back to system memory when it runs out). False when it cannot be
// made, its report line written.
bool LoadTexture(DTSURFACEDATA* dt, const char* fileName, int texWidth, int texHeight, int memoryType)
{
    // Pixels of the transparent colour become transparent black in every
    // texture, whatever the colour-key flag says.
    const RGBTRIPLE& key = Display.nBpp == 16 ? Display.lpDTCon->rgbKey_16 : Display.lpDTCon->rgbTransmit;
    D3DCOLOR colorKeyArgb = D3DCOLOR_ARGB(255, key.rgbtRed, key.rgbtGreen, key.rgbtBlue);

    if (memoryType == DTMEMORYTYPE_VIDEO_NORT) {
        TraceLog("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。"
                 "DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
        memoryType = DTMEMORYTYPE_VIDEO_RT;
    }
    dt->nMemoryType = memoryType;
    HRESULT hr;
    if (memoryType == DTMEMORYTYPE_VIDEO_RT) {
        dt->bRenderTarget = 0;
        hr = D3DXCreateTextureFromFileExA(Display.lpDevice, fileName, texWidth, texHeight, 1, 0,
                                          Display.lpDTCon->fmtTexture, D3DPOOL_MANAGED,
                                          D3DX_FILTER_NONE, D3DX_DEFAULT, colorKeyArgb,
                                          nullptr, nullptr, dt->lpTexture.Put());
        if (FAILED(hr)) {
            dt->lpTexture.Abandon();
            if (hr != D3DERR_OUTOFVIDEOMEMORY) {
                ReportLog("テクスチャの作成に失敗。(%s)", fileName);
                return false;
            }
            ReportLog("VRAM不足のためシステムメモリにテクスチャを作成します。(%s)", fileName);
            memoryType = DTMEMORYTYPE_SYSTEM;
            dt->nMemoryType = DTMEMORYTYPE_SYSTEM;
        }
    }
    if (memoryType == DTMEMORYTYPE_SYSTEM && !dt->lpTexture) {
        dt->bRenderTarget = 0;
        hr = D3DXCreateTextureFromFileExA(Display.lpDevice, fileName, texWidth, texHeight, 1,
                                          D3DUSAGE_DYNAMIC, Display.lpDTCon->fmtTexture,
                                          D3DPOOL_SYSTEMMEM, D3DX_FILTER_NONE, D3DX_DEFAULT,
                                          colorKeyArgb, nullptr, nullptr, dt->lpTexture.Put());
        if (FAILED(hr)) {
            dt->lpTexture.Abandon();
            ReportLog("D3DXCreateTextureFromFileEx Err %x %s", static_cast<unsigned>(hr),
                      fileName);
            TextureFailureExit();
            return false;
        }
    }
    // A memory type of no known kind made nothing: nothing may be drawn from it.
    if (!dt->lpTexture) {
        ReportLog("テクスチャの作成に失敗。(%s)", fileName);
        return false;
    }
    return true;
}

int CreateFromFileD3D(DDSURFACEDATA* record, const char* fileName, int colorKey, int ddMemory,
                      int memoryType, int share, int pixelCopy, int mirrorWidth, int mirrorHeight,
                      int restore)
{
    if (!Display.lpDevice) return SURFACE_CREATE_ERR;
    DTSURFACEDATA* dt = record->lpDT.get();
    if (!restore) {
        HRESULT hr = PrepareDTRecord(record, "OffScreenFromFile", fileName, colorKey, memoryType,
                                     share);
        if (FAILED(hr)) {
            ReportLog("CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
            return SURFACE_CREATE_ERR;
        }
    }
    int result = SURFACE_OK;
    int bitmapWidth = 0, bitmapHeight = 0;
    if (!DDReadBitmapSize(fileName, &bitmapWidth, &bitmapHeight)) {
        if (fileName && *fileName) ReportLog("LoadImage Err %s", fileName);
        return SURFACE_LOADIMAGE_ERR;
    }
    if (!share) {
        int texWidth = bitmapWidth, texHeight = bitmapHeight;
        DTAdjustTextureSize(&texWidth, &texHeight);
        if (!DTCheckTextureSize(texWidth, texHeight))
            ReportLog("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", fileName);

        if (!LoadTexture(dt, fileName, texWidth, texHeight, memoryType)) return SURFACE_CREATE_ERR;
        dt->lpSurface.Reset();
        if (FAILED(dt->lpTexture->GetSurfaceLevel(0, dt->lpSurface.Put()))) dt->lpSurface.Abandon();
        dt->lpTexture->GetLevelDesc(0, &dt->descLevel0);
        record->nWidth = bitmapWidth;
        record->nHeight = bitmapHeight;
        record->nTexWidth = static_cast<int>(dt->descLevel0.Width);
        record->nTexHeight = static_cast<int>(dt->descLevel0.Height);
        if (mirrorWidth || mirrorHeight)
            result = MirrorCells(record, fileName, colorKey, ddMemory, mirrorWidth, mirrorHeight);
        if (!restore) Display.RestoreList.push_back(record);
    } else {
        record->nWidth = record->nTexWidth = bitmapWidth;
        record->nHeight = record->nTexHeight = bitmapHeight;
    }
    record->nMirrorWidth = mirrorWidth;
    record->nMirrorHeight = mirrorHeight;
    record->nDDMemory = ddMemory;
    if (pixelCopy && Display.nBpp != 8) {
        DDMakePixelCopy(&dt->lpPixelCopy, record);
    } else {
        dt->lpPixelCopy.reset();
    }
    return result;
}

int CreateFromFileDDraw(DDSURFACEDATA* record, const char* fileName, int colorKey, int bpp,
                        int ddMemory, int pixelCopy, int mirrorWidth, int mirrorHeight)
{
    int bitmapWidth = 0, bitmapHeight = 0;
    if (!DDReadBitmapSize(fileName, &bitmapWidth, &bitmapHeight)) {
        TraceLog(fileName ? fileName : "");
        return SURFACE_LOADIMAGE_ERR;
    }
    if (!DDCreateSurface(record, bitmapWidth, bitmapHeight, colorKey, ddMemory, 0, 0, 0))
        return SURFACE_CREATE_ERR;
    if (!CopyBitmap(record, fileName, bpp, pixelCopy, mirrorWidth, mirrorHeight))
        return SURFACE_LOADIMAGE_ERR;
    record->nMirrorWidth = mirrorWidth;
    record->nMirrorHeight = mirrorHeight;
    record->nWidth = record->nTexWidth = bitmapWidth;
    record->nHeight = record->nTexHeight = bitmapHeight;
    CopyName(record->szFileName, fileName);
    record->nDDMemory = ddMemory;
    return SURFACE_OK;
}

}  // namespace

void DDAllocDT(DDSURFACEDATA* record)
{
    if (!record) return;
    if (Display.bDirect3D) {
        if (!record->lpDT) record->lpDT = std::make_unique<DTSURFACEDATA>();
    } else {
        if (!record->lpDD) record->lpDD = std::make_unique<DDRAWSURFACEDATA>();
    }
}

void DTAdjustTextureSize(int* width, int* height)
{
    if (!Display.lpDTCon) return;
    auto grow = [](int n) {
        if (n <= 0 || (n & (n - 1)) == 0) return n;
        unsigned top = 1;
        while (top <= static_cast<unsigned>(n) / 2) top <<= 1;
        return static_cast<int>(top << 1);
    };
    if (Display.lpDTCon->bPow2) {
        *width = grow(*width);
        *height = grow(*height);
    }
    if (Display.lpDTCon->bSquareOnly) *width = *height = std::max(*width, *height);
}

int DTCheckTextureSize(unsigned width, unsigned height)
{
    if (!Display.lpDTCon) return 1;
    int ok = 1;
    if (width > Display.lpDTCon->d3dCaps.MaxTextureWidth) {
        ReportLog("このビデオカードでは横幅%dを超える画像はサポートされていません！",
                  static_cast<int>(Display.lpDTCon->d3dCaps.MaxTextureWidth));
        ok = 0;
    }
    if (height > Display.lpDTCon->d3dCaps.MaxTextureHeight) {
        ReportLog("このビデオカードでは縦幅%dを超える画像はサポートされていません！",
                  static_cast<int>(Display.lpDTCon->d3dCaps.MaxTextureHeight));
        ok = 0;
    }
    return ok;
}

bool DDCreateSurface(DDSURFACEDATA* record, int width, int height, int colorKey, int ddMemory,
                     int memoryType, int share, int restore)
{
    if (!record) return false;
    if (!restore) ReleaseIfLoaded(record);
    DDAllocDT(record);
    if (Display.bDirect3D)
        return CreateBlankD3D(record, width, height, colorKey, ddMemory, memoryType, share, restore);
    return CreateBlankDDraw(record, width, height, colorKey, ddMemory);
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* record, const char* fileName, int colorKey, int bpp,
                            int ddMemory, int memoryType, int share, int pixelCopy,
                            int mirrorWidth, int mirrorHeight, int restore)
{
    if (!record) return SURFACE_CREATE_ERR;
    if (!restore) ReleaseIfLoaded(record);
    DDAllocDT(record);
    if (Display.bDirect3D)
        return CreateFromFileD3D(record, fileName, colorKey, ddMemory, memoryType, share,
                                 pixelCopy, mirrorWidth, mirrorHeight, restore);
    return CreateFromFileDDraw(record, fileName, colorKey, bpp, ddMemory, pixelCopy, mirrorWidth,
                               mirrorHeight);
}

bool DDCheckSurfaceResult(int code)
{
    switch (code) {
    case SURFACE_CREATE_ERR: TraceLog("CREATESURFACE_ERR"); return false;
    case SURFACE_LOADIMAGE_ERR: TraceLog("LOADIMAGE_ERR"); return false;
    case SURFACE_COLORKEY_ERR: TraceLog("SETCOLORKEY_ERR"); return false;
    default: break;
    }
    // No result of ours is negative: such a code is a failure, never a pass.
    if (code < 0) {
        TraceLogF("CREATESURFACE_ERR %x", static_cast<unsigned>(code));
        return false;
    }
    return true;
}

bool DDLoadSurfaces(DDSURFACEDATA* surfaces, const int* indices, int count)
{
    if (!surfaces || !indices || !Display.lpSurfaceParams) return false;
    for (int n = 0; n < count; ++n) {
        int i = indices[n];
        if (i < 0 || i >= Display.nSurfaceCount) continue;
        DDReleaseSurface(&surfaces[i]);
        const DDSURFACEPARAM& param = Display.lpSurfaceParams[i];
        if (std::strcmp(param.szFileName, "E") != 0) {
            int result = DDCreateSurfaceFromFile(
                &surfaces[i], param.szFileName, param.bColorKey, Display.nBpp, param.nDDMemory,
                param.nMemoryType, param.bShare, param.bPixelCopy, param.nMirrorWidth,
                param.nMirrorHeight, 0);
            if (!DDCheckSurfaceResult(result)) {
                // An optional image that failed leaves an empty record behind.
                DDReleaseSurface(&surfaces[i]);
                if (!param.bOptional) {
                    ErrorBoxF("%s の読み込みに失敗！", param.szFileName);
                    return false;
                }
            }
        } else if (!DDCreateSurface(&surfaces[i], param.nWidth, param.nHeight, param.bColorKey,
                                    param.nDDMemory, param.nMemoryType, param.bShare, 0)) {
            DDReleaseSurface(&surfaces[i]);
            if (!param.bOptional) {
                OutOfMemoryExit();
                return false;
            }
        }
    }
    return true;
}

bool DDAddSurface(DDSurfaceVector& surfaces, DDSurfaceParamVector& params, int width, int height,
                  int colorKey, int ddMemory, int memoryType, int share)
{
    surfaces.emplace_back();
    params.push_back(DDSURFACEPARAM().Set("", colorKey, ddMemory, memoryType, share, 0, 0, 0, 0, 0, 0));
    return DDCreateSurface(&surfaces.back(), width, height, colorKey, ddMemory, memoryType, share, 0);
}

bool DDAddSurfaceToList(std::list<DDSURFACEDATA>& surfaces, std::list<DDSURFACEPARAM>& params,
                        int width, int height, int colorKey, int ddMemory, int memoryType,
                        int share)
{
    surfaces.emplace_back();
    params.push_back(DDSURFACEPARAM().Set("", colorKey, ddMemory, memoryType, share, 0, 0, 0, 0, 0, 0));
    return DDCreateSurface(&surfaces.back(), width, height, colorKey, ddMemory, memoryType, share, 0);
}

int DDRemoveSurfaceFromList(std::list<DDSURFACEDATA>& surfaces, std::list<DDSURFACEPARAM>& params,
                            const DDSURFACEDATA* record)
{
    auto it = surfaces.begin();
    size_t position = 0;
    for (; it != surfaces.end(); ++it, ++position)
        if (&*it == record) break;
    if (it == surfaces.end()) return 0;
    DDReleaseSurface(&*it);
    surfaces.erase(it);
    if (position < params.size()) params.erase(std::next(params.begin(), position));
    return 1;
}

void DDReleaseSurface(DDSURFACEDATA* record)
{
    if (!record) return;
    if (DTSURFACEDATA* dt = record->lpDT.get()) {
        // Fills held for the surface are drawn while it is still there.
        DTDrawHeldFills();
        if (!record->lpShareSD) {
            dt->lpTexture.Reset();
            dt->lpVertexBuffer.Reset();
            dt->lpSystemSurface.Reset();
            dt->lpSurface.Reset();
            Display.RestoreList.erase(std::remove_if(Display.RestoreList.begin(), Display.RestoreList.end(),
                                             [&](DDSURFACEDATA* listed) {
                                                 return listed == record ||
                                                        (listed->lpDT && listed->lpDT->nId == dt->nId);
                                             }),
                              Display.RestoreList.end());
        }
        // A duplicate shares the texture, never the pixel copy: one made for
        // it is its own.
        record->lpDT.reset();
    }
    if (DDRAWSURFACEDATA* dd = record->lpDD.get()) {
        ReleaseCom(dd->lpSurface);
        record->lpDD.reset();
    }
}

void DDReleaseSurfaceVector(DDSurfaceVector& surfaces)
{
    for (DDSURFACEDATA& record : surfaces) DDReleaseSurface(&record);
}

void DDReleaseSurfaceList(std::list<DDSURFACEDATA>& surfaces)
{
    for (DDSURFACEDATA& record : surfaces) DDReleaseSurface(&record);
}

DDSURFACEPARAM& DDSURFACEPARAM::Set(const char* fileName, int colorKey, int ddMemory,
                                    int memoryType, int share, int pixelCopy, int optional,
                                    int mirrorWidth, int mirrorHeight, int width, int height)
{
    lstrcpynA(szFileName, fileName ? fileName : "", sizeof szFileName);
    bColorKey = colorKey;
    nDDMemory = ddMemory;
    nMemoryType = memoryType;
    bShare = share;
    bPixelCopy = pixelCopy;
    bOptional = optional;
    nMirrorWidth = mirrorWidth;
    nMirrorHeight = mirrorHeight;
    nWidth = width;
    nHeight = height;
    return *this;
}
