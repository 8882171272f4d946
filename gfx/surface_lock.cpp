#include "gfx/surface_lock.h"

#include <algorithm>

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "gfx/batch.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/pixel_format.h"
#include "gfx/render_state.h"

DDSURFACEDATA* DDResolveLockSurface(DDSURFACEDATA* surface)
{
    if (Display.lpDTCon && surface) {
        DDGetShareSD(&surface);
        DDRedirectBackBuffer(&surface);
    }
    return surface;
}

namespace {

// Direct3D: the render-target texture's pixels are read back into its
// system-memory copy, and that copy is what the caller works on.
// *locked receives the size of the surface actually locked.
bool LockD3D(DDSURFACEDATA* sd, D3DLOCKED_RECT* lock, D3DSURFACE_DESC* locked)
{
    DTSURFACEDATA* dt = sd->lpDT.get();
    if (!dt || !Display.lpDevice) return false;
    // The pixels read and written include the fills made so far.
    DTDrawHeldFills();
    if (dt->bRenderTarget && sd != &Display.BackBuffer) {
        if (!dt->lpSurface || !dt->lpSystemSurface ||
            FAILED(Display.lpDevice->GetRenderTargetData(dt->lpSurface, dt->lpSystemSurface))) {
            TraceLog("FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )");
            return false;
        }
        if (FAILED(dt->lpSystemSurface->LockRect(lock, nullptr, 0))) {
            TraceLog("FAILED( lpSD->lpDT->lpSystemSurface->LockRect(&lock, NULL, 0) )");
            return false;
        }
        if (FAILED(dt->lpSystemSurface->GetDesc(locked))) locked->Width = locked->Height = 0;
        return true;
    }
    if (!dt->lpSurface) return false;
    if (FAILED(dt->lpSurface->LockRect(lock, nullptr, 0))) {
        DebugBoxF("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
        return false;
    }
    if (FAILED(dt->lpSurface->GetDesc(locked))) locked->Width = locked->Height = 0;
    return true;
}

void UnlockD3D(DDSURFACEDATA* sd)
{
    DTSURFACEDATA* dt = sd->lpDT.get();
    if (!dt) return;
    if (sd == &Display.BackBuffer) {
        if (dt->lpSurface && FAILED(dt->lpSurface->UnlockRect()))
            TraceLog("Back :: D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
    } else if (dt->bRenderTarget) {
        if (!dt->lpSystemSurface || FAILED(dt->lpSystemSurface->UnlockRect())) {
            TraceLog("D3D_OK != m_lpSD->lpDT->lpSystemSurface->UnlockRect();");
            return;
        }
        if (!Display.lpDevice || !dt->lpSurface ||
            FAILED(Display.lpDevice->UpdateSurface(dt->lpSystemSurface, nullptr, dt->lpSurface, nullptr)))
            DebugBoxF("FAILED( lpDevice->UpdateSurface(m_lpSD->lpDT->lpSystemSurface, NULL, "
                      "m_lpSD->lpDT->lpSurface, NULL)");
    } else if (dt->lpSurface && FAILED(dt->lpSurface->UnlockRect())) {
        TraceLog("D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
    }
}

}  // namespace

bool cSurfaceLock::Lock(DDSURFACEDATA* surface)
{
    Unlock();
    if (!surface || (!Display.lpDTCon && !Display.lpDDCon)) return false;
    m_lpSD = DDResolveLockSurface(surface);
    m_nBpp = Display.nBpp;
    m_nBytesPerPixel = Display.nBpp / 8;
    if (m_nBytesPerPixel <= 0) return false;
    // The record's size, unless the surface behind it is smaller (a record
    // whose file was reloaded at another size, a back buffer smaller than the
    // display): nothing is ever read or written outside the locked memory.
    DWORD lockedWidth = 0, lockedHeight = 0;
    if (Display.lpDTCon) {
        D3DLOCKED_RECT lock = {};
        D3DSURFACE_DESC locked = {};
        if (!LockD3D(m_lpSD, &lock, &locked)) return false;
        m_lpPixels = static_cast<BYTE*>(lock.pBits);
        m_nPitch = lock.Pitch / m_nBytesPerPixel;
        lockedWidth = locked.Width, lockedHeight = locked.Height;
    } else {
        DDSURFACEDESC2 desc = {};
        void* pixels = nullptr;
        if (!DDLock(m_lpSD, &desc, &pixels, m_nBpp)) return false;
        m_lpPixels = static_cast<BYTE*>(pixels);
        m_nPitch = static_cast<int>(desc.lPitch) / m_nBytesPerPixel;
        lockedWidth = desc.dwWidth, lockedHeight = desc.dwHeight;
    }
    const DWORD widthHeld = std::min<DWORD>(lockedWidth, static_cast<DWORD>(m_nPitch));
    m_nWidth = std::clamp(m_lpSD->nWidth, 0, static_cast<int>(widthHeld));
    m_nHeight = std::clamp(m_lpSD->nHeight, 0, static_cast<int>(lockedHeight));
    return m_lpPixels != nullptr;
}

void cSurfaceLock::Unlock()
{
    if (!m_lpSD) return;
    if (Display.lpDTCon)
        UnlockD3D(m_lpSD);
    else if (m_lpSD->lpDD && m_lpSD->lpDD->lpSurface)
        m_lpSD->lpDD->lpSurface->Unlock(nullptr);
    m_lpSD = nullptr;
    m_lpPixels = nullptr;
    m_nWidth = m_nHeight = 0;
}

DWORD cSurfaceLock::Read(int x, int y) const
{
    return LoadPixel(At(x, y), m_nBytesPerPixel);
}

void cSurfaceLock::Write(int x, int y, DWORD pixel)
{
    StorePixel(At(x, y), m_nBytesPerPixel, pixel);
}

PIXELVIEW cSurfaceLock::View() const
{
    if (!Locked()) return {};
    return {m_lpPixels, m_nPitch, Width(), Height(), DDPixelLayout(m_lpSD)};
}

cSurfaceLockPair::cSurfaceLockPair(DDSURFACEDATA* target, DDSURFACEDATA* source)
{
    m_bSame = target && DDResolveLockSurface(target) == DDResolveLockSurface(source);
    if (!m_Target.Lock(target)) return;
    if (!m_bSame) m_Source.Lock(source);
}

bool DDLock(DDSURFACEDATA* surface, DDSURFACEDESC2* desc, void** pixels, int depth)
{
    if (pixels) *pixels = nullptr;
    if (Display.lpDTCon) {
        TraceLogF("D3DではDDLockは未対応");
        return false;
    }
    if (!surface || !surface->lpDD || !surface->lpDD->lpSurface || !desc) return false;
    desc->dwSize = sizeof(DDSURFACEDESC2);
    if (FAILED(surface->lpDD->lpSurface->Lock(nullptr, desc, DDLOCK_WAIT, nullptr))) return false;
    if (pixels && (depth == 8 || depth == 16 || depth == 24 || depth == 32))
        *pixels = desc->lpSurface;
    return true;
}
