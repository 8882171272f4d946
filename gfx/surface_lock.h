#pragma once
// The lock through which every pixel-level operation reads and writes a
// surface on either back end, and the DirectDraw surface lock under it.
//
// Promises of this seam:
// - Constructing a cSurfaceLock (or Lock) locks the whole surface; the lock
//   holds exactly when m_lpPixels is non-null (Locked()). Operations test it at
//   once and give up when it failed.
// - Direct3D: a duplicate record locks the record it shares, and BackBuffer
//   locks VirBackBuffer while the virtual back buffer is on; m_lpSD is the
//   record actually locked. A render-target texture (other than BackBuffer) is
//   read back into its system-memory copy, which is what gets locked; the copy
//   goes back into the texture on Unlock, changed or not. DirectDraw: the
//   record as given.
// - Unlock (also from the destructor) releases the lock; a second Unlock does
//   nothing. Unlock after a failed lock still issues the unlock call and
//   reports its failure. m_lpSD and m_lpPixels are null afterwards.
// - m_nPitch counts pixels, not bytes. m_nBpp is nBpp (32 until a lock sets it).
// - Width() and Height() are the record's size, but never more than the
//   surface actually locked holds.
// - Pixel positions are not range-checked here: test them with Inside().
#include <windows.h>
#include <ddraw.h>

#include "gfx/pixel_format.h"
#include "gfx/surface_record.h"

class cSurfaceLock {
public:
    cSurfaceLock() = default;
    explicit cSurfaceLock(DDSURFACEDATA* surface) { Lock(surface); }
    ~cSurfaceLock() { Unlock(); }
    cSurfaceLock(const cSurfaceLock&) = delete;
    cSurfaceLock& operator=(const cSurfaceLock&) = delete;

    // Releases any lock held, then locks surface; true when it holds.
    bool Lock(DDSURFACEDATA* surface);
    void Unlock();

    bool Locked() const { return m_lpPixels != nullptr; }
    // Size of the locked record's picture, held to the surface actually
    // locked (0 when nothing is locked).
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Inside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < Width() && y < Height();
    }
    // First byte of pixel (x, y).
    BYTE* At(int x, int y) const { return m_lpPixels + (y * m_nPitch + x) * m_nBytesPerPixel; }
    // Row y as pixels of T (BYTE, WORD or DWORD for 8, 16 and 32 bits).
    template <class T>
    T* Row(int y) const
    {
        return reinterpret_cast<T*>(m_lpPixels) + y * m_nPitch;
    }
    DWORD Read(int x, int y) const;
    void Write(int x, int y, DWORD pixel);
    // The locked pixels with the layout of the locked record (empty when not locked).
    PIXELVIEW View() const;

    DDSURFACEDATA* m_lpSD = nullptr;  // the record locked (after the Direct3D resolution)
    BYTE* m_lpPixels = nullptr;       // first pixel; null when the lock failed
    int m_nPitch = 0;                 // row length in pixels
    int m_nBpp = 32;                  // bits per pixel
    int m_nBytesPerPixel = 4;

private:
    int m_nWidth = 0, m_nHeight = 0;
};

// The record a lock of surface would lock: under Direct3D the shared record
// of a duplicate, and VirBackBuffer for BackBuffer while it stands in.
DDSURFACEDATA* DDResolveLockSurface(DDSURFACEDATA* surface);

// The two locks of an operation that reads one surface and writes another:
// the target is locked first, then the source; they are released source
// first. When both resolve to the same surface it is locked once and both
// names refer to that one lock.
class cSurfaceLockPair {
public:
    cSurfaceLockPair(DDSURFACEDATA* target, DDSURFACEDATA* source);
    bool Locked() const { return m_Target.Locked() && Source().Locked(); }
    cSurfaceLock& Target() { return m_Target; }
    const cSurfaceLock& Source() const { return m_bSame ? m_Target : m_Source; }

private:
    cSurfaceLock m_Target;
    cSurfaceLock m_Source;  // declared last: released first
    bool m_bSame = false;
};

// DirectDraw: locks the whole surface, waiting while it is busy; the pixel
// pointer receives the surface memory for depth 8, 16, 24 or 32 (null
// otherwise) and desc the surface description. False when the lock fails.
// Direct3D has no such lock: a trace line and false, so that no caller ever
// writes through a pointer that was not set.
bool DDLock(DDSURFACEDATA* surface, DDSURFACEDESC2* desc, void** pixels, int depth);
