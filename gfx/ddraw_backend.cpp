#include "gfx/ddraw_backend.h"

#include "app/base/log.h"
#include "gfx/dialog_mode.h"
#include "gfx/display.h"
#include "gfx/surface.h"


namespace {

void SetDisplaySurfaceSizes(int width, int height)
{
    for (DDSURFACEDATA* sd : {&Display.PrimarySD, &Display.BackBuffer, &Display.DDWorkSD}) {
        sd->nWidth = sd->nTexWidth = width;
        sd->nHeight = sd->nTexHeight = height;
    }
    Display.PrimarySD.nDDMemory = 0;
    Display.BackBuffer.nDDMemory = 0;
    Display.DDWorkSD.nDDMemory = 1;
}

int CreateDirectDrawObject(HWND hwnd, DWORD cooperation)
{
    if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&Display.lpDirectDraw),
                                  IID_IDirectDraw7, nullptr))) {
        Display.lpDirectDraw = nullptr;
        ReportLog("DirectDrawCreateEx Err");
        return CREATEEX_ERR;
    }
    if (FAILED(Display.lpDirectDraw->SetCooperativeLevel(hwnd, cooperation))) {
        ReportLog("SetCooperativeLevel Err");
        return SETCOOPLEVEL_ERR;
    }
    return DDINIT_OK;
}

int CreatePrimary(DDSURFACEDESC2& desc)
{
    DDAllocDT(&Display.PrimarySD);
    if (FAILED(Display.lpDirectDraw->CreateSurface(&desc, &Display.PrimarySD.lpDD->lpSurface, nullptr))) {
        Display.PrimarySD.lpDD->lpSurface = nullptr;
        ReportLog("Primary CreateSurface Err");
        return CREATESURFACE_ERR;
    }
    return DDINIT_OK;
}

int CreatePaletteObject(PALETTEENTRY* entries)
{
    if (FAILED(Display.lpDirectDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &Display.lpDDPalette,
                                           nullptr))) {
        Display.lpDDPalette = nullptr;
        ReportLog("CreatePalette Err");
        return CREATEPALETTE_ERR;
    }
    return DDINIT_OK;
}

// At 8 bits the palette object is the display's; above, the pixel layout is read.
int AttachPaletteOrReadFormat(int depth)
{
    if (depth <= 8) {
        if (FAILED(Display.PrimarySD.lpDD->lpSurface->SetPalette(Display.lpDDPalette))) {
            ReportLog("SetPalette Err");
            return SETPALETTE_ERR;
        }
    } else {
        DDGetColorShifts(&Display.SurfaceFormat);
    }
    return DDINIT_OK;
}

}  // namespace

int DDInitFullScreen(HWND hwnd, int width, int height, int bpp, int backBuffers)
{
    SetDisplaySurfaceSizes(width, height);
    int code = CreateDirectDrawObject(hwnd, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT);
    if (code != DDINIT_OK) return code;

    HRESULT hr = DDERR_GENERIC;
    if (Display.bSetRefreshRate) hr = Display.lpDirectDraw->SetDisplayMode(width, height, bpp, Display.nRefreshRate, 0);
    if (FAILED(hr)) hr = Display.lpDirectDraw->SetDisplayMode(width, height, bpp, 0, 0);
    if (FAILED(hr)) {
        ReportLog("SetDisplayMode Err");
        return SETDISPLAYMODE_ERR;
    }

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = backBuffers == 1 ? 1 : 2;
    if ((code = CreatePrimary(desc)) != DDINIT_OK) return code;

    DDAllocDT(&Display.BackBuffer);
    DDSCAPS2 caps = {};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (FAILED(Display.PrimarySD.lpDD->lpSurface->GetAttachedSurface(&caps, &Display.BackBuffer.lpDD->lpSurface))) {
        Display.BackBuffer.lpDD->lpSurface = nullptr;
        ReportLog("GetAttachedSurface Err");
        return GETATTACHEDSURFACE_ERR;
    }
    if (!DDCreateSurface(&Display.DDWorkSD, width, height, 0, 1, 0, 0, 0)) return CREATESURFACE_ERR;

    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i)
        entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), 0, PC_RESERVED};
    entries[0].peBlue = 255;
    if ((code = CreatePaletteObject(entries)) != DDINIT_OK) return code;
    if ((code = AttachPaletteOrReadFormat(bpp)) != DDINIT_OK) return code;

    HideCursor();
    return DDINIT_OK;
}

int DDInitWindow(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    ClientToScreen(hwnd, reinterpret_cast<POINT*>(&client.left));
    ClientToScreen(hwnd, reinterpret_cast<POINT*>(&client.right));
    Display.rcClient.Store(client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    SetDisplaySurfaceSizes(width, height);
    HDC dc = GetDC(hwnd);
    Display.nDesktopBpp = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(hwnd, dc);

    int code = CreateDirectDrawObject(hwnd, DDSCL_NORMAL);
    if (code != DDINIT_OK) return code;

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if ((code = CreatePrimary(desc)) != DDINIT_OK) return code;

    if (!DDCreateSurface(&Display.BackBuffer, width, height, 0, 0, 0, 0, 0)) return CREATESURFACE_ERR;
    if (!DDCreateSurface(&Display.DDWorkSD, width, height, 0, 1, 0, 0, 0)) return CREATESURFACE_ERR;

    // The entries outside 10..245 name the system palette's own colours.
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i) {
        if (i >= 10 && i <= 245)
            entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), 0, PC_RESERVED};
        else
            entries[i] = {static_cast<BYTE>(i), 0, 0, PC_EXPLICIT};
    }
    if ((code = CreatePaletteObject(entries)) != DDINIT_OK) return code;
    if ((code = AttachPaletteOrReadFormat(Display.nDesktopBpp)) != DDINIT_OK) return code;

    if (FAILED(Display.lpDirectDraw->CreateClipper(0, &Display.lpClipper, nullptr))) {
        Display.lpClipper = nullptr;
        ReportLog("CreateClipper Err");
        return CLIPPER_ERR;
    }
    if (FAILED(Display.lpClipper->SetHWnd(0, hwnd))) {
        ReportLog("SetHWnd Err");
        return SETHWND_ERR;
    }
    if (FAILED(Display.PrimarySD.lpDD->lpSurface->SetClipper(Display.lpClipper))) {
        ReportLog("SetClipper Err");
        return SETCLIPPER_ERR;
    }
    while (ShowCursor(TRUE) < 0) {
    }
    return DDINIT_OK;
}

bool DDCheckInitResult(int code)
{
    const char* name = nullptr;
    switch (code) {
    case CREATEEX_ERR: name = "CREATEEX_ERR"; break;
    case SETCOOPLEVEL_ERR: name = "SETCOOPLEVEL_ERR"; break;
    case SETDISPLAYMODE_ERR: name = "SETDISPLAYMODE_ERR"; break;
    case CREATESURFACE_ERR: name = "CREATESURFACE_ERR"; break;
    case GETATTACHEDSURFACE_ERR: name = "GETATTACHEDSURFACE_ERR"; break;
    case CREATEPALETTE_ERR: name = "CREATEPALETTE_ERR"; break;
    case SETPALETTE_ERR: name = "SETPALETTE_ERR"; break;
    case CLIPPER_ERR: name = "CLIPPER_ERR"; break;
    case SETHWND_ERR: name = "SETHWND_ERR"; break;
    case SETCLIPPER_ERR: name = "SETCLIPPER_ERR"; break;
    default: return true;
    }
    TraceLog(name);
    return false;
}

void DDGetColorShifts(COLORSHIFTS* format)
{
    if (Display.lpDTCon || !Display.PrimarySD.lpDD || !Display.PrimarySD.lpDD->lpSurface) return;
    DDPIXELFORMAT pf = {};
    pf.dwSize = sizeof pf;
    if (FAILED(Display.PrimarySD.lpDD->lpSurface->GetPixelFormat(&pf))) return;
    const DWORD masks[3] = {pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask};
    int* shifts[3] = {&format->nRedShift, &format->nGreenShift, &format->nBlueShift};
    int* outMasks[3] = {&format->nRedMask, &format->nGreenMask, &format->nBlueMask};
    for (int c = 0; c < 3; ++c) {
        int shift = 0;
        for (DWORD bit = 0; bit < pf.dwRGBBitCount && bit < 32; ++bit) {
            if (masks[c] & (1u << bit)) break;
            ++shift;
        }
        *shifts[c] = shift;
        *outMasks[c] = static_cast<int>(shift < 32 ? masks[c] >> shift : 0);
    }
}
