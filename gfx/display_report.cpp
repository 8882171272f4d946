#include "gfx/display_report.h"

#include <windows.h>
#include <d3d9.h>
#include <ddraw.h>
// The diagnostics provider's class and interface ids are defined here: the
// import libraries do not carry them.
#include <initguid.h>
#include <dxdiag.h>
#include <oleauto.h>

#include <cstdlib>

#include "app/base/log.h"
#include "app/system/com_ptr.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"

namespace {

// The diagnostics provider's root container, or null.
// The provider must outlive the containers it gave: it is declared first.
cComPtr<IDxDiagContainer> OpenDxDiagRoot(cComPtr<IDxDiagProvider>& provider)
{
    // What a failed creation leaves in its out slot is not trusted.
    IDxDiagProvider* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DxDiagProvider, nullptr, CLSCTX_INPROC_SERVER, IID_IDxDiagProvider,
                                reinterpret_cast<void**>(&created))))
        return {};
    provider = cComPtr<IDxDiagProvider>(created);
    DXDIAG_INIT_PARAMS params = {};
    params.dwSize = sizeof params;
    params.dwDxDiagHeaderVersion = DXDIAG_DX9_SDK_VERSION;
    params.bAllowWHQLChecks = FALSE;
    params.pReserved = nullptr;
    cComPtr<IDxDiagContainer> root;
    if (FAILED(provider->Initialize(&params)) || FAILED(provider->GetRootContainer(root.Put()))) return {};
    return root;
}

cComPtr<IDxDiagContainer> Child(const cComPtr<IDxDiagContainer>& parent, const wchar_t* name)
{
    cComPtr<IDxDiagContainer> child;
    if (!parent || FAILED(parent->GetChildContainer(name, child.Put()))) return {};
    return child;
}

// A string property in the ANSI code page; false when absent, not a string, or empty.
bool StringProp(IDxDiagContainer* container, const wchar_t* name, char* out, int size)
{
    out[0] = '\0';
    if (!container) return false;
    VARIANT value;
    VariantInit(&value);
    bool ok = false;
    if (SUCCEEDED(container->GetProp(name, &value)) && value.vt == VT_BSTR && value.bstrVal &&
        SysStringLen(value.bstrVal) > 0) {
        ok = WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, out, size, nullptr, nullptr) > 1;
    }
    VariantClear(&value);
    return ok;
}

void WriteStringProp(FILE* file, IDxDiagContainer* container, const wchar_t* name,
                     const char* format)
{
    char text[512];
    if (StringProp(container, name, text, sizeof text)) std::fprintf(file, format, text);
}

void WriteBoolProp(FILE* file, IDxDiagContainer* container, const wchar_t* name, const char* label)
{
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(container->GetProp(name, &value)) && value.vt == VT_BOOL)
        std::fprintf(file, "%s : %s\n", label, value.boolVal ? "○" : "×");
    VariantClear(&value);
}

// Every field of the capability record in declaration order, integers in hex
// and floats as such, eight to a line.
void WriteCapsDump(FILE* file, const D3DCAPS9& c)
{
    struct FIELD {
        bool isFloat;
        DWORD bits;
        float value;
    };
    auto I = [](DWORD v) { return FIELD{false, v, 0.0f}; };
    auto F = [](float v) { return FIELD{true, 0, v}; };
    const FIELD fields[] = {
        I(c.DeviceType), I(c.AdapterOrdinal), I(c.Caps), I(c.Caps2), I(c.Caps3),
        I(c.PresentationIntervals), I(c.CursorCaps), I(c.DevCaps), I(c.PrimitiveMiscCaps),
        I(c.RasterCaps), I(c.ZCmpCaps), I(c.SrcBlendCaps), I(c.DestBlendCaps), I(c.AlphaCmpCaps),
        I(c.ShadeCaps), I(c.TextureCaps), I(c.TextureFilterCaps), I(c.CubeTextureFilterCaps),
        I(c.VolumeTextureFilterCaps), I(c.TextureAddressCaps), I(c.VolumeTextureAddressCaps),
        I(c.LineCaps), I(c.MaxTextureWidth), I(c.MaxTextureHeight), I(c.MaxVolumeExtent),
        I(c.MaxTextureRepeat), I(c.MaxTextureAspectRatio), I(c.MaxAnisotropy), F(c.MaxVertexW),
        F(c.GuardBandLeft), F(c.GuardBandTop), F(c.GuardBandRight), F(c.GuardBandBottom),
        F(c.ExtentsAdjust), I(c.StencilCaps), I(c.FVFCaps), I(c.TextureOpCaps),
        I(c.MaxTextureBlendStages), I(c.MaxSimultaneousTextures), I(c.VertexProcessingCaps),
        I(c.MaxActiveLights), I(c.MaxUserClipPlanes), I(c.MaxVertexBlendMatrices),
        I(c.MaxVertexBlendMatrixIndex), F(c.MaxPointSize), I(c.MaxPrimitiveCount),
        I(c.MaxVertexIndex), I(c.MaxStreams), I(c.MaxStreamStride), I(c.VertexShaderVersion),
        I(c.MaxVertexShaderConst), I(c.PixelShaderVersion), F(c.PixelShader1xMaxValue),
        I(c.DevCaps2), F(c.MaxNpatchTessellationLevel), I(c.Reserved5), I(c.MasterAdapterOrdinal),
        I(c.AdapterOrdinalInGroup), I(c.NumberOfAdaptersInGroup), I(c.DeclTypes),
        I(c.NumSimultaneousRTs), I(c.StretchRectFilterCaps), I(c.VS20Caps.Caps),
        I(c.VS20Caps.DynamicFlowControlDepth), I(c.VS20Caps.NumTemps),
        I(c.VS20Caps.StaticFlowControlDepth), I(c.PS20Caps.Caps),
        I(c.PS20Caps.DynamicFlowControlDepth), I(c.PS20Caps.NumTemps),
        I(c.PS20Caps.StaticFlowControlDepth), I(c.PS20Caps.NumInstructionSlots),
        I(c.VertexTextureFilterCaps), I(c.MaxVShaderInstructionsExecuted),
        I(c.MaxPShaderInstructionsExecuted), I(c.MaxVertexShader30InstructionSlots),
        I(c.MaxPixelShader30InstructionSlots),
    };
    const int count = sizeof fields / sizeof fields[0];
    for (int i = 0; i < count; ++i) {
        if (i > 0) std::fputs(i % 8 == 0 ? "\n\t" : " ", file);
        if (fields[i].isFloat)
            std::fprintf(file, "%f", fields[i].value);
        else
            std::fprintf(file, "%08x", static_cast<unsigned>(fields[i].bits));
    }
    std::fputs("\n", file);
}

const char* FormatCheckSign(HRESULT hr)
{
    if (SUCCEEDED(hr)) return "○";
    if (hr == D3DERR_NOTAVAILABLE) return "×";
    if (hr == D3DERR_INVALIDCALL) return "？";
    return "－";
}

void WriteFormatTable(FILE* file, UINT adapter, D3DDEVTYPE type)
{
    D3DDISPLAYMODE mode = {};
    if (FAILED(Display.lpDirect3D->GetAdapterDisplayMode(adapter, &mode))) return;
    static const struct {
        const char* label;
        DWORD usage;
    } rows[] = {
        {"AU", D3DUSAGE_AUTOGENMIPMAP}, {"DE", D3DUSAGE_DEPTHSTENCIL}, {"DM", D3DUSAGE_DMAP},
        {"DO", D3DUSAGE_DONOTCLIP},     {"DY", D3DUSAGE_DYNAMIC},      {"NP", D3DUSAGE_NPATCHES},
        {"PO", D3DUSAGE_POINTS},        {"RT", D3DUSAGE_RTPATCHES},    {"RE", D3DUSAGE_RENDERTARGET},
        {"SO", D3DUSAGE_SOFTWAREPROCESSING}, {"WR", D3DUSAGE_WRITEONLY},
    };
    for (const auto& row : rows) {
        HRESULT su = Display.lpDirect3D->CheckDeviceFormat(adapter, type, mode.Format, row.usage,
                                                   D3DRTYPE_SURFACE, mode.Format);
        HRESULT te = Display.lpDirect3D->CheckDeviceFormat(adapter, type, mode.Format, row.usage,
                                                   D3DRTYPE_TEXTURE, mode.Format);
        std::fprintf(file, "%s-SU%s %s-TE%s \n", row.label, FormatCheckSign(su), row.label,
                     FormatCheckSign(te));
    }
}

void WriteDisplayDevice(FILE* file, IDxDiagContainer* device, UINT index, int detail)
{
    std::fprintf(file, "---デバイス%d\n", static_cast<int>(index));
    WriteStringProp(file, device, L"szChipType", "Destination : %s\n");
    WriteStringProp(file, device, L"szDisplayMemoryEnglish", "VRAM : %s\n");
    const D3DDEVTYPE type = Display.lpDTCon ? Display.lpDTCon->nDeviceType : D3DDEVTYPE_HAL;
    if (Display.lpDirect3D && index < Display.lpDirect3D->GetAdapterCount()) {
        D3DADAPTER_IDENTIFIER9 id = {};
        if (SUCCEEDED(Display.lpDirect3D->GetAdapterIdentifier(index, 0, &id))) {
            const DWORD high = static_cast<DWORD>(id.DriverVersion.HighPart);
            const DWORD low = id.DriverVersion.LowPart;
            std::fprintf(file, "Driver : %s %1d.%02d.%04d.%04d\n", id.Driver, HIWORD(high),
                         LOWORD(high), HIWORD(low), LOWORD(low));
        }
    }
    WriteStringProp(file, device, L"szDDIVersionEnglish", "DDI : %s\n");
    if (Display.lpDirect3D && index < Display.lpDirect3D->GetAdapterCount()) {
        D3DCAPS9 caps = {};
        if (SUCCEEDED(Display.lpDirect3D->GetDeviceCaps(index, type, &caps))) {
            std::fprintf(file, "TextureMaxSize : (%d,%d)\n", static_cast<int>(caps.MaxTextureWidth),
                         static_cast<int>(caps.MaxTextureHeight));
            std::fprintf(file, "TextureMaxBlend : (%d,%d)\n",
                         static_cast<int>(caps.MaxTextureBlendStages),
                         static_cast<int>(caps.MaxSimultaneousTextures));
            if (detail) WriteCapsDump(file, caps);
            if (caps.Caps3 & D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD)
                std::fputs("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD\n", file);
            if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) std::fputs("D3DPTEXTURECAPS_POW2\n", file);
            if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY)
                std::fputs("D3DPTEXTURECAPS_SQUAREONLY\n", file);
            if (caps.Caps2 & D3DCAPS2_DYNAMICTEXTURES) std::fputs("D3DCAPS2_DYNAMICTEXTURES\n", file);
        }
        if (detail) WriteFormatTable(file, index, type);
    }
    WriteBoolProp(file, device, L"bDDAccelerationEnabled", "DirectDraw");
    WriteBoolProp(file, device, L"b3DAccelerationEnabled", "Direct3D");
    WriteBoolProp(file, device, L"bAGPEnabled", "AGP");
}

// Video memory in bytes, as DirectDraw counts it (0 and false when it cannot tell).
bool ReadVideoMemory(DWORD* total, DWORD* free)
{
    *total = *free = 0;
    DDSCAPS2 caps = {};
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    return Display.lpDirectDraw && SUCCEEDED(Display.lpDirectDraw->GetAvailableVidMem(&caps, total, free));
}

}  // namespace

int ReportDxDiag(FILE* file, int detail)
{
    if (FAILED(CoInitialize(nullptr))) return 0;
    {
        // Every interface is released before COM is uninitialised.
        cComPtr<IDxDiagProvider> provider;
        const cComPtr<IDxDiagContainer> root = OpenDxDiagRoot(provider);
        if (root) {
            WriteStringProp(file, Child(root, L"DxDiag_SystemInfo").Get(), L"szDirectXVersionLongEnglish", "%s\n");
            std::fprintf(file, "TextureMem : %dMB\n",
                         static_cast<int>(Display.lpDevice ? Display.lpDevice->GetAvailableTextureMem() >> 20 : 0));
            const cComPtr<IDxDiagContainer> devices = Child(root, L"DxDiag_DisplayDevices");
            DWORD count = 0;
            if (devices && SUCCEEDED(devices->GetNumberOfChildContainers(&count))) {
                for (DWORD i = 0; i < count; ++i) {
                    wchar_t name[100];
                    if (FAILED(devices->EnumChildContainerNames(i, name, 100))) continue;
                    const cComPtr<IDxDiagContainer> device = Child(devices, name);
                    if (!device) continue;
                    WriteDisplayDevice(file, device.Get(), i, detail);
                }
            }
        }
    }
    CoUninitialize();
    return 1;
}

int ReportDisplayInfo(int detail)
{
    cReportLogBlock block;
    FILE* file = block.File();
    if (!file) return 0;
    std::fputs(Display.bWindowMode ? "Mode : Window\n" : "Mode : Fullscreen\n", file);
    std::fprintf(file, "Bpp : %d\n", Display.nBpp);
    if (Display.lpDirectDraw) {
        DWORD total = 0, free = 0;
        ReadVideoMemory(&total, &free);
        std::fprintf(file, "VRAM Total : %.3fMB\n", total / 1048576.0);
        std::fprintf(file, "VRAM Free : %.3fMB\n", free / 1048576.0);
        DWORD frequency = 0;
        Display.lpDirectDraw->GetMonitorFrequency(&frequency);
        std::fprintf(file, "RR : %u\n", static_cast<unsigned>(frequency));
    }
    if (Display.lpDTCon) ReportDxDiag(file, detail);
    return 1;
}

void GetVideoMemoryMB(int* total, int* free)
{
    DWORD totalBytes = 0, freeBytes = 0;
    ReadVideoMemory(&totalBytes, &freeBytes);
    *total = static_cast<int>(totalBytes / 1048576);
    *free = static_cast<int>(freeBytes / 1048576);
}

int GetDDIVersion()
{
    if (FAILED(CoInitialize(nullptr))) return 99999;
    int version = 0;
    {
        cComPtr<IDxDiagProvider> provider;
        const cComPtr<IDxDiagContainer> devices = Child(OpenDxDiagRoot(provider), L"DxDiag_DisplayDevices");
        wchar_t name[100];
        if (devices && SUCCEEDED(devices->EnumChildContainerNames(0, name, 100))) {
            char text[100];
            if (StringProp(Child(devices, name).Get(), L"szDDIVersionEnglish", text, sizeof text))
                version = std::atoi(text);
        }
    }
    CoUninitialize();
    return version > 0 ? version : 99999;
}
