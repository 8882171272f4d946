#include "gfx/d3d_backend.h"

#include <d3dx9.h>

#include "app/base/log.h"
#include "gfx/dialog_mode.h"
#include "gfx/display.h"
#include "gfx/display_report.h"
#include "gfx/quad.h"
#include "gfx/render_state.h"
#include "gfx/surface.h"

DWORD dwForceTextureCaps = 0;
int (*lpDDIVersionSource)() = GetDDIVersion;

namespace {

const COLORSHIFTS kArgb8888 = {16, 8, 0, 24, 255, 255, 255, 255};
const COLORSHIFTS kArgb1555 = {10, 5, 0, 15, 31, 31, 31, 1};
const COLORSHIFTS kRgb565 = {11, 5, 0, 16, 31, 63, 31, 0};

const char* FormatName(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_X8R8G8B8: return "X8R8G8B8";
    case D3DFMT_R5G6B5: return "R5G6B5";
    case D3DFMT_A1R5G5B5: return "A1R5G5B5";
    default: return "";
    }
}

// Windowed with VSync: the display should run at 60 Hz for the refresh to pace
// the frames; when it does not, VSync is given up.
void AskForSixtyHertz()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_DISPLAYFREQUENCY;
    mode.dmDisplayFrequency = 60;
    if (ChangeDisplaySettingsA(&mode, CDS_TEST) != DISP_CHANGE_SUCCESSFUL) {
        ReportLog("ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL");
    } else {
        LONG result = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
        if (result != DISP_CHANGE_SUCCESSFUL)
            ReportLog("ChangeDisplaySettings Err = %x", static_cast<unsigned>(result));
    }
    D3DDISPLAYMODE current = {};
    Display.lpDirect3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &current);
    ReportLog("RefreshRate : %d", static_cast<int>(current.RefreshRate));
    if (current.RefreshRate != 60) {
        ReportLog("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
        Display.bVSync = 0;
    }
}

// The presentation parameters of a window or of full screen, before the
// formats are chosen.
D3DPRESENT_PARAMETERS PresentParameters(int width, int height)
{
    D3DPRESENT_PARAMETERS pp = {};
    if (Display.bWindowMode) {
        pp.Windowed = TRUE;
        pp.BackBufferWidth = 0;
        pp.BackBufferHeight = 0;
        pp.FullScreen_RefreshRateInHz = 0;
        if (Display.bVSync) AskForSixtyHertz();
    } else {
        pp.Windowed = FALSE;
        pp.BackBufferWidth = width;
        pp.BackBufferHeight = height;
        pp.FullScreen_RefreshRateInHz = 60;
    }
    pp.PresentationInterval = Display.bVSync ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
    return pp;
}

// The device's capabilities (with the test switch's bits), the texture size
// rules and the swap effect they allow.
void ReadDeviceCaps(DTCONTEXT& con, D3DPRESENT_PARAMETERS& pp)
{
    con.nAdapter = D3DADAPTER_DEFAULT;
    con.nDeviceType = D3DDEVTYPE_HAL;
    if (FAILED(Display.lpDirect3D->GetDeviceCaps(con.nAdapter, con.nDeviceType, &con.d3dCaps)))
        TraceLog("GetDeviceCaps Err");
    con.d3dCaps.TextureCaps |= dwForceTextureCaps;
    pp.SwapEffect = (con.d3dCaps.Caps3 & D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD)
                        ? D3DSWAPEFFECT_DISCARD
                        : D3DSWAPEFFECT_COPY;
    con.bPow2 = (con.d3dCaps.TextureCaps & D3DPTEXTURECAPS_POW2) ? 1 : 0;
    con.bSquareOnly = (con.d3dCaps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) ? 1 : 0;
}

// The back-buffer and texture formats of the depth; false for a depth
// Direct3D is not offered at.
bool ChooseFormats(DTCONTEXT& con, int bpp, D3DPRESENT_PARAMETERS& pp)
{
    if (bpp == 32) {
        con.fmtBackBuffer = D3DFMT_X8R8G8B8;
        con.fmtTexture = D3DFMT_A8R8G8B8;
        Display.SurfaceFormat = kArgb8888;
    } else if (bpp == 16) {
        con.fmtBackBuffer = Display.bWindowMode ? D3DFMT_A1R5G5B5 : D3DFMT_R5G6B5;
        con.fmtTexture = D3DFMT_A1R5G5B5;
        Display.SurfaceFormat = kArgb1555;
        Display.DisplayFormat = Display.bWindowMode ? kArgb1555 : kRgb565;
    } else {
        return false;
    }
    pp.BackBufferFormat = con.fmtBackBuffer;
    pp.BackBufferCount = 1;
    pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    pp.MultiSampleQuality = 0;
    pp.hDeviceWindow = nullptr;
    pp.EnableAutoDepthStencil = FALSE;
    pp.AutoDepthStencilFormat = con.fmtBackBuffer;
    pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    return true;
}

// The device, with hardware vertex processing where it can be had, else
// software; the parameters as asked are kept so that a reset asks the same.
bool CreateDevice(DTCONTEXT& con, HWND hwnd, const D3DPRESENT_PARAMETERS& pp)
{
    D3DPRESENT_PARAMETERS tried = pp;
    if (SUCCEEDED(Display.lpDirect3D->CreateDevice(con.nAdapter, con.nDeviceType, hwnd,
                                           D3DCREATE_HARDWARE_VERTEXPROCESSING, &tried,
                                           &Display.lpDevice))) {
        ReportLog("Device HAL-HARD");
    } else {
        tried = pp;
        if (FAILED(Display.lpDirect3D->CreateDevice(con.nAdapter, con.nDeviceType, hwnd,
                                            D3DCREATE_SOFTWARE_VERTEXPROCESSING, &tried,
                                            &Display.lpDevice))) {
            Display.lpDevice = nullptr;
            TraceLog("CreateDevice Err");
            return false;
        }
        ReportLog("Device HAL-SOFT");
    }
    ReportLog("%s", FormatName(con.fmtBackBuffer));
    con.d3dpp = pp;
    con.fmtAdapter = con.fmtBackBuffer;
    return true;
}

// BackBuffer over the device's own back buffer, with its vertex buffer.
bool SetUpBackBuffer(DTCONTEXT& con, int width, int height)
{
    DDAllocDT(&Display.BackBuffer);
    Display.BackBuffer.nWidth = Display.BackBuffer.nTexWidth = width;
    Display.BackBuffer.nHeight = Display.BackBuffer.nTexHeight = height;
    Display.BackBuffer.nDDMemory = 0;
    Display.BackBuffer.lpDT->nMemoryType = DTMEMORYTYPE_VIDEO_RT;
    lstrcpyA(Display.BackBuffer.szSurfaceType, "BackBuffer");
    Display.BackBuffer.lpDT->bColorKey = 0;
    Display.BackBuffer.lpDT->bRenderTarget = 1;
    HRESULT hr = Display.lpDevice->CreateVertexBuffer(QUAD_BYTES, D3DUSAGE_WRITEONLY, QUAD_FVF,
                                              D3DPOOL_MANAGED, Display.BackBuffer.lpDT->lpVertexBuffer.Put(),
                                              nullptr);
    if (FAILED(hr)) {
        Display.BackBuffer.lpDT->lpVertexBuffer.Abandon();
        ReportLog("Back CreateVertexBuffer Err %x", static_cast<unsigned>(hr));
        return false;
    }
    hr = Display.lpDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, Display.BackBuffer.lpDT->lpSurface.Put());
    if (FAILED(hr)) {
        Display.BackBuffer.lpDT->lpSurface.Abandon();
        ReportLog("GetBackBuffer Err %x", static_cast<unsigned>(hr));
        return false;
    }
    Display.BackBuffer.lpDT->nId = 0;
    con.nSurfaceId = 1;
    con.nFontId = 0;
    return true;
}

// VirBackBuffer and WorkSD, render targets of the back buffer's size.
bool CreateWorkSurfaces(DTCONTEXT& con)
{
    DDAllocDT(&Display.VirBackBuffer);
    DDSetVirBackBuffer(0);
    con.bCopyVirBackBuffer = 0;
    const bool virtualMade = DDCreateSurface(&Display.VirBackBuffer, Display.BackBuffer.nWidth, Display.BackBuffer.nHeight, 0,
                                             0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    lstrcpyA(Display.VirBackBuffer.szSurfaceType, "VirBackBuffer");
    DDAllocDT(&Display.WorkSD);
    const bool workMade = DDCreateSurface(&Display.WorkSD, Display.BackBuffer.nWidth, Display.BackBuffer.nHeight, 0, 0,
                                          DTMEMORYTYPE_VIDEO_RT, 0, 0);
    lstrcpyA(Display.WorkSD.szSurfaceType, "WorkSD");
    if (!virtualMade || !workMade) {
        ReportLog("%s CreateSurface Err", virtualMade ? "WorkSD" : "VirBackBuffer");
        return false;
    }
    return true;
}

}  // namespace

int DTInit(HWND hwnd, int width, int height, int bpp, int backBuffers)
{
    int ddi = lpDDIVersionSource ? lpDDIVersionSource() : 99999;
    if (ddi < 9) {
        ReportLog("ビデオカードのドライバがDirectX9をサポートしていません！ %d", ddi);
        return 0;
    }
    Display.lpDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!Display.lpDirect3D) {
        ReportLog("ビデオカードがDirectX9をサポートしていません！");
        return 0;
    }
    DTCONTEXT& con = *CreateDTContext();
    D3DPRESENT_PARAMETERS pp = PresentParameters(width, height);
    ReadDeviceCaps(con, pp);
    if (!ChooseFormats(con, bpp, pp)) return 0;
    if (!CreateDevice(con, hwnd, pp)) return 0;

    DTSetRenderStates();
    DDResetVertexColor();
    DDResetColorOp();
    DDResetAlphaOp();

    if (!SetUpBackBuffer(con, width, height)) return 0;
    if (!CreateWorkSurfaces(con)) return 0;
    if (!Display.bWindowMode) HideCursor();
    return 1;
}

void DTSetRenderStates()
{
    if (!Display.lpDevice) return;
    Display.lpDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    Display.lpDevice->SetRenderState(D3DRS_ZENABLE, FALSE);
    Display.lpDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    Display.lpDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    Display.lpDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Display.lpDevice->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    Display.lpDevice->SetRenderState(D3DRS_COLORVERTEX, TRUE);
    for (DWORD stage = 0; stage < 2; ++stage) {
        Display.lpDevice->SetSamplerState(stage, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
        Display.lpDevice->SetSamplerState(stage, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
        Display.lpDevice->SetSamplerState(stage, D3DSAMP_MINFILTER, D3DTEXF_POINT);
        Display.lpDevice->SetSamplerState(stage, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    }
}
