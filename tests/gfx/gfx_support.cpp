#include "tests/gfx/gfx_support.h"

#include <d3d9.h>
#include <ddraw.h>

#include <algorithm>
#include <cstring>

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "app/system/timing.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/display_report.h"
#include "gfx/palette_table.h"
#include "gfx/scene.h"
#include "gfx/surface.h"
#include "gfx/transparent_colour.h"

HWND CreateTestWindow()
{
    static ATOM atom = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "GfxTestWindow";
        return RegisterClassExA(&wc);
    }();
    (void)atom;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT rect = {0, 0, 640, 480};
    AdjustWindowRect(&rect, style, FALSE);
    HWND hwnd = CreateWindowExA(0, "GfxTestWindow", "gfx test", style, 20, 20,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

namespace {

std::vector<uint32_t> ReadD3D(DDSURFACEDATA* sd, int x, int y, int width, int height)
{
    std::vector<uint32_t> out;
    IDirect3DSurface9* surface = sd->lpDT->lpSurface;
    D3DSURFACE_DESC desc = {};
    surface->GetDesc(&desc);
    IDirect3DSurface9* readable = surface;
    if (desc.Pool == D3DPOOL_DEFAULT && (desc.Usage & D3DUSAGE_RENDERTARGET) && sd != &Display.BackBuffer) {
        readable = nullptr;
        if (FAILED(Display.lpDevice->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                         D3DPOOL_SYSTEMMEM, &readable, nullptr)) ||
            FAILED(Display.lpDevice->GetRenderTargetData(surface, readable))) {
            ADD_FAILURE() << "GetRenderTargetData";
            if (readable) readable->Release();
            return out;
        }
    }
    D3DLOCKED_RECT lock = {};
    if (FAILED(readable->LockRect(&lock, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "LockRect";
    } else {
        const bool wide = desc.Format == D3DFMT_A8R8G8B8 || desc.Format == D3DFMT_X8R8G8B8;
        for (int row = y; row < y + height; ++row) {
            const BYTE* line = static_cast<const BYTE*>(lock.pBits) + row * lock.Pitch;
            for (int col = x; col < x + width; ++col)
                out.push_back(wide ? reinterpret_cast<const uint32_t*>(line)[col]
                                   : reinterpret_cast<const uint16_t*>(line)[col]);
        }
        readable->UnlockRect();
    }
    if (readable != surface) readable->Release();
    return out;
}

std::vector<uint32_t> ReadDDraw(DDSURFACEDATA* sd, int x, int y, int width, int height)
{
    std::vector<uint32_t> out;
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    if (FAILED(sd->lpDD->lpSurface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
        ADD_FAILURE() << "DirectDraw Lock";
        return out;
    }
    const int bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    for (int row = y; row < y + height; ++row) {
        const BYTE* line = static_cast<const BYTE*>(desc.lpSurface) + row * desc.lPitch;
        for (int col = x; col < x + width; ++col) {
            uint32_t v = 0;
            std::memcpy(&v, line + col * bytes, bytes);
            out.push_back(v);
        }
    }
    sd->lpDD->lpSurface->Unlock(nullptr);
    return out;
}

}  // namespace

std::vector<uint32_t> ReadPixels(DDSURFACEDATA* surface, int x, int y, int width, int height)
{
    if (surface->lpDT && surface->lpDT->lpSurface) {
        DDEndScene();
        return ReadD3D(surface, x, y, width, height);
    }
    if (surface->lpDD && surface->lpDD->lpSurface) return ReadDDraw(surface, x, y, width, height);
    ADD_FAILURE() << "surface not loaded";
    return std::vector<uint32_t>(width * height, 0xDEADBEEF);
}

uint32_t ReadPixel(DDSURFACEDATA* surface, int x, int y)
{
    std::vector<uint32_t> one = ReadPixels(surface, x, y, 1, 1);
    return one.empty() ? 0xDEADBEEF : one[0];
}

void WriteBmp(const std::string& path, int width, int height, int bpp,
              const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette)
{
    const int stride = (width * bpp + 31) / 32 * 4;
    const int colours = bpp <= 8 ? 1 << bpp : 0;
    const int offset = 14 + 40 + colours * 4;
    std::vector<unsigned char> file(offset + stride * height, 0);
    auto put16 = [&](int at, int v) { file[at] = v & 255, file[at + 1] = (v >> 8) & 255; };
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 255;
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, file.size());
    put32(10, offset);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, bpp);
    put32(34, stride * height);
    put32(46, colours);
    for (size_t i = 0; i < palette.size() && i < static_cast<size_t>(colours); ++i)
        put32(54 + 4 * i, palette[i] & 0xFFFFFF);
    for (int row = 0; row < height; ++row) {
        unsigned char* line = &file[offset + (height - 1 - row) * stride];
        for (int col = 0; col < width; ++col) {
            const uint32_t v = pixels[row * width + col];
            if (bpp < 8) {
                // Packed indices, the leftmost pixel in the high bits.
                const int shift = 8 - bpp - (col * bpp) % 8;
                line[col * bpp / 8] |= static_cast<unsigned char>((v & ((1 << bpp) - 1)) << shift);
            } else if (bpp == 8) {
                line[col] = v & 255;
            } else {
                const int b = bpp / 8;
                line[col * b] = v & 255;
                line[col * b + 1] = (v >> 8) & 255;
                line[col * b + 2] = (v >> 16) & 255;
            }
        }
    }
    ASSERT_TRUE(WriteFileBytes(path, file));
}

void WriteNoiseBmp(const std::string& path, int width, int height, uint32_t seed, int keyEvery,
                   int keyAt)
{
    std::vector<uint32_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1103515245 + 12345;
        pixels.push_back(i % keyEvery == keyAt ? 0 : (seed >> 8) & 0xFFFFFF);
    }
    WriteBmp(path, width, height, 24, pixels);
}

int BoxCapture::Show(const char* text, const char* caption, UINT)
{
    texts.push_back(std::string(caption) + "|" + text);
    return IDOK;
}

BoxCapture::BoxCapture()
{
    texts.clear();
    lpFullScreenMesBox = Show;
}

BoxCapture::~BoxCapture()
{
    lpFullScreenMesBox = nullptr;
}

void DisplayTest::SetUp()
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    TraceLogInit(1, "EC_Game.txt");
    m_hWnd = CreateTestWindow();
    ASSERT_NE(m_hWnd, nullptr);
}

void DisplayTest::TearDown()
{
    DDUnInit();
    EXPECT_EQ(Display.lpDTCon, nullptr);
    EXPECT_EQ(Display.lpDDCon, nullptr);
    EXPECT_TRUE(Display.RestoreList.empty());
    dwForceTextureCaps = 0;
    lpDDIVersionSource = GetDDIVersion;
    Display.dwTransmit = 0;
    std::memset(Display.Palette, 0, sizeof Display.Palette);
    TraceLogInit(0, "EC_Game.txt");
    DestroyWindow(m_hWnd);
    // Nothing asked the player anything unless the test said so.
    EXPECT_TRUE(BoxCapture::texts.empty()) << BoxCapture::texts.front();
}

bool DisplayTest::Up(int d3d, int bpp, int windowed, int vsync)
{
    return DDInit(d3d, m_hWnd, 640, 480, bpp, vsync, windowed, 1, 60, vsync, m_surfaces, m_params,
                  8, 0);
}

bool DisplayTest::UpWithKey(int d3d)
{
    if (!Up(d3d)) return false;
    DDSetTransmit(0xFF, 0x00, 0xFF);
    return true;
}

namespace {

// The logs are text files (CR LF on disk); the tests compare plain line feeds.
std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace

std::string DisplayTest::ReportText()
{
    return WithoutCarriageReturns(ReadFileText("Report_Game.txt"));
}

std::string DisplayTest::TraceText()
{
    return FileExists("EC_Game.txt") ? WithoutCarriageReturns(ReadFileText("EC_Game.txt")) : std::string();
}

std::string BackEndName(const testing::TestParamInfo<int>& info)
{
    return info.param ? "Direct3D" : "DirectDraw";
}
