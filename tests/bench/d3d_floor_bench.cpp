// The floor of the busy frame under Direct3D: the same frame as blit_bench's
// (a full-screen background, 1,000 keyed 32 x 32 sprites, 100 stretched and
// mirrored ones, 300 fills) drawn straight through Direct3D 9 with the fewest
// draw calls it takes: one for the background, one for every sprite of the
// sheet, one for the fills. Same window, back buffer, presentation and
// texture sizes; nothing of the game's graphics library. Prints the median
// frame. Run by hand or by tools/bench.sh; not a test.
#include <windows.h>
#include <d3d9.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/bench/bench_clock.h"
#include "tests/bench/bench_window.h"

namespace {

constexpr int kSprites = 1000, kStretched = 100, kFills = 300;
constexpr int kWarmUp = 20, kFrames = 200;

struct VERTEX {
    float x, y, z, rhw;
    DWORD colour;
    float u, v;
};
constexpr DWORD FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A quad as two triangles: screen rectangle, texture rectangle (pixels of a
// texture w x h), colour.
void Quad(std::vector<VERTEX>& out, float x, float y, float w, float h, float u0, float v0, float u1, float v1,
          float tw, float th, DWORD colour)
{
    const float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
    const VERTEX a = {l, t, 0, 1, colour, u0 / tw, v0 / th}, c = {r, t, 0, 1, colour, u1 / tw, v0 / th},
                 d = {l, b, 0, 1, colour, u0 / tw, v1 / th}, e = {r, b, 0, 1, colour, u1 / tw, v1 / th};
    out.insert(out.end(), {a, c, d, c, e, d});
}

IDirect3DTexture9* Texture(IDirect3DDevice9* device, int w, int h)
{
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(static_cast<UINT>(w), static_cast<UINT>(h), 1, D3DUSAGE_RENDERTARGET,
                                     D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr)))
        return nullptr;
    return texture;
}

void Fill(IDirect3DTexture9* texture, int x, int y, int w, int h, DWORD argb, IDirect3DDevice9* device)
{
    IDirect3DSurface9* surface = nullptr;
    texture->GetSurfaceLevel(0, &surface);
    const RECT rect = {x, y, x + w, y + h};
    device->ColorFill(surface, &rect, argb);
    surface->Release();
}

} // namespace

int main()
{
    HWND hwnd = CreateBenchWindow("FloorBench");
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!d3d) {
        std::printf("d3d_floor_bench: no Direct3D\n");
        return 1;
    }
    D3DPRESENT_PARAMETERS pp = {};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.BackBufferWidth = 640;
    pp.BackBufferHeight = 480;
    pp.BackBufferCount = 1;
    pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DDevice9* device = nullptr;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp,
                                 &device)) &&
        FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                                 &device))) {
        std::printf("d3d_floor_bench: no device\n");
        return 1;
    }
    IDirect3DTexture9* background = Texture(device, 640, 480);
    IDirect3DTexture9* sheet = Texture(device, 256, 32);
    if (!background || !sheet) {
        std::printf("d3d_floor_bench: the textures could not be made\n");
        return 1;
    }
    for (int k = 0; k < 16; ++k) Fill(background, 0, k * 30, 640, 30, 0xFF102030 + 0x0A0604 * k, device);
    for (int k = 0; k < 8; ++k) {
        Fill(sheet, k * 32, 0, 32, 32, 0xFF204060 + 0x180C06 * k, device);
        Fill(sheet, k * 32 + 8, 8, 16, 16, 0, device);
    }

    // The same places as blit_bench's frame.
    unsigned state = 12345;
    auto next = [&](int n) {
        state = state * 214013 + 2531011;
        return static_cast<int>((state >> 16) % n);
    };
    std::vector<VERTEX> back, sprites, fills;
    Quad(back, 0, 0, 640, 480, 0, 0, 640, 480, 640, 480, 0xFFFFFFFF);
    for (int k = 0; k < kSprites; ++k) {
        const int x = next(656) - 16, y = next(496) - 16, cell = next(8);
        Quad(sprites, static_cast<float>(x), static_cast<float>(y), 32, 32, cell * 32.0f, 0, cell * 32.0f + 32, 32,
             256, 32, 0xFFFFFFFF);
    }
    for (int k = 0; k < kStretched; ++k) {
        const int x = next(640) - 32, y = next(480) - 32, cell = next(8);
        // Mirrored: the texture's columns run backwards.
        Quad(sprites, static_cast<float>(x), static_cast<float>(y), 64, 64, cell * 32.0f + 32, 0, cell * 32.0f, 32,
             256, 32, 0xFFFFFFFF);
    }
    for (int k = 0; k < kFills; ++k) {
        const int x = next(624), y = next(464), cell = next(8);
        Quad(fills, static_cast<float>(x), static_cast<float>(y), 16, 16, 0, 0, 0, 0, 1, 1,
             0xFF000000 | (0x808080 + 0x100000 * static_cast<DWORD>(cell)));
    }

    device->SetFVF(FVF);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0x80);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);

    std::vector<double> total, submit;
    for (int n = 0; n < kWarmUp + kFrames; ++n) {
        PumpMessages();
        const double start = BenchSeconds();
        device->BeginScene();
        device->SetTexture(0, background);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(back.size() / 3), back.data(), sizeof(VERTEX));
        device->SetTexture(0, sheet);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(sprites.size() / 3), sprites.data(),
                                sizeof(VERTEX));
        device->SetTexture(0, nullptr);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(fills.size() / 3), fills.data(),
                                sizeof(VERTEX));
        device->EndScene();
        const double drawn = BenchSeconds();
        device->Present(nullptr, nullptr, nullptr, nullptr);
        const double shown = BenchSeconds();
        if (n >= kWarmUp) {
            total.push_back((shown - start) * 1000);
            submit.push_back((drawn - start) * 1000);
        }
    }
    std::printf("Direct3D floor, 3 draw calls   frame %7.3f ms (drawing calls %7.3f ms)\n", Median(total), Median(submit));
    std::printf("BENCH busy_frame_d3d_floor_ms %.4f\n", Median(total));
    sheet->Release();
    background->Release();
    device->Release();
    d3d->Release();
    DestroyWindow(hwnd);
    return 0;
}
