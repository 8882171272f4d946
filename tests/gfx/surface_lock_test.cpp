// The surface lock on both back ends: what it locks, that writes through it
// reach the picture, and what it reports when it cannot lock.
#include <gtest/gtest.h>

#include "app/base/log.h"
#include "gfx/bitmap_copy.h"
#include "gfx/blur_mosaic.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/surface.h"
#include "gfx/surface_lock.h"
#include "tests/gfx/gfx_support.h"

// Every kind of surface: what was drawn before is read through the lock, and
// what is written through it is there afterwards.
TEST_F(DisplayTest, LockReadsAndWritesEveryKindOfSurface)
{
    WriteBmp("grey.bmp", 8, 4, 24, std::vector<uint32_t>(32, 0x808080));
    for (int d3d : {1, 0}) {
        SCOPED_TRACE(d3d);
        ASSERT_TRUE(Up(d3d));
        DDSURFACEDATA blank, system, image;
        ASSERT_TRUE(DDCreateSurface(&blank, 24, 6, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&system, 24, 6, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
        ASSERT_EQ(DDCreateSurfaceFromFile(&image, "grey.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
        for (DDSURFACEDATA* sd : {&Display.BackBuffer, &blank, &system, &image}) {
            SCOPED_TRACE(sd->szSurfaceType);
            DDFillRect(sd, 3, 2, 1, 1, d3d ? 0xFF123456 : 0x123456);
            cSurfaceLock lock(sd);
            ASSERT_TRUE(lock.Locked());
            EXPECT_EQ(lock.m_lpSD, sd);
            EXPECT_EQ(lock.m_nBpp, 32);
            EXPECT_EQ(lock.m_nBytesPerPixel, 4);
            EXPECT_GE(lock.m_nPitch, sd->nWidth);
            EXPECT_LT(lock.m_nPitch, 4 * sd->nWidth + 64);  // pixels, not bytes
            EXPECT_EQ(lock.Read(3, 2) & 0xFFFFFF, 0x123456u);
            lock.Write(1, 1, 0xFF00FF00);
            lock.Row<DWORD>(2)[0] = 0xFF0000FF;
            lock.Unlock();
            EXPECT_EQ(lock.m_lpSD, nullptr);
            EXPECT_EQ(lock.m_lpPixels, nullptr);
            lock.Unlock();  // a second time: nothing
            EXPECT_EQ(ReadPixel(sd, 1, 1) & 0xFFFFFF, 0x00FF00u);
            EXPECT_EQ(ReadPixel(sd, 0, 2) & 0xFFFFFF, 0x0000FFu);
            EXPECT_EQ(ReadPixel(sd, 3, 2) & 0xFFFFFF, 0x123456u);
        }
        for (DDSURFACEDATA* sd : {&blank, &system, &image}) DDReleaseSurface(sd);
        DDUnInit();
    }
    EXPECT_EQ(TraceText(), "");
}

using BothBackEndsSurfaceLock = OnBothBackEnds<DisplayTest>;

// A record may claim a larger picture than its surface holds: under
// DirectDraw a reload takes the size of the file as it is now, which may have
// grown since the surface was made. The lock, and all pixel work through it,
// keeps to the surface.
TEST_P(BothBackEndsSurfaceLock, LocksKeepToTheSurfaceWhenTheRecordClaimsMore)
{
    const int d3d = GetParam();
    WriteBmp("picture.bmp", 8, 6, 24, std::vector<uint32_t>(8 * 6, 0x102030));
    ASSERT_TRUE(Up(d3d));
    DDSURFACEDATA image;
    ASSERT_EQ(DDCreateSurfaceFromFile(&image, "picture.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    WriteBmp("picture.bmp", 40, 30, 24, std::vector<uint32_t>(40 * 30, 0x405060));
    if (d3d) {
        image.nWidth = 40, image.nHeight = 30;
    } else {
        ASSERT_TRUE(DDReloadBitmap(&image, 32));
        ASSERT_EQ(image.nWidth, 40);
        ASSERT_EQ(image.nHeight, 30);
    }
    {
        cSurfaceLock lock(&image);
        ASSERT_TRUE(lock.Locked());
        EXPECT_EQ(lock.Width(), 8);
        EXPECT_EQ(lock.Height(), 6);
        EXPECT_FALSE(lock.Inside(8, 0));
        EXPECT_FALSE(lock.Inside(0, 6));
    }
    // Pixel work over the whole claimed size stays inside the picture.
    EXPECT_TRUE(DDMosaic(&image, 0, 0, 40, 30, 40, &image, 0, 0, 0));
    EXPECT_TRUE(DDBlur(&image, 0, 0, 40, 30, 2, 2, &image, 0, 0, 0));
    const uint32_t expected = d3d ? 0x102030 : 0x405060;
    for (uint32_t p : ReadPixels(&image, 0, 0, 8, 6)) EXPECT_EQ(p & 0xFFFFFF, expected);
    DDReleaseSurface(&image);
    DDUnInit();
}

TEST_F(DisplayTest, Direct3DLocksTheSharedRecordAndTheVirtualBackBuffer)
{
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA owner, duplicate;
    ASSERT_TRUE(DDCreateSurface(&owner, 16, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&duplicate, 16, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 1, 0));
    duplicate.lpShareSD = &owner;
    {
        cSurfaceLock lock(&duplicate);
        ASSERT_TRUE(lock.Locked());
        EXPECT_EQ(lock.m_lpSD, &owner);
        lock.Write(2, 2, 0xFFABCDEF);
    }
    EXPECT_EQ(ReadPixel(&owner, 2, 2), 0xFFABCDEFu);

    DDSetVirBackBuffer(1);
    {
        cSurfaceLock lock(&Display.BackBuffer);
        ASSERT_TRUE(lock.Locked());
        EXPECT_EQ(lock.m_lpSD, &Display.VirBackBuffer);
        lock.Write(5, 5, 0xFF445566);
    }
    EXPECT_EQ(ReadPixel(&Display.VirBackBuffer, 5, 5), 0xFF445566u);
    // Locking target and source that are one surface locks it once.
    {
        cSurfaceLockPair locks(&Display.BackBuffer, &Display.VirBackBuffer);
        ASSERT_TRUE(locks.Locked());
        EXPECT_EQ(&locks.Source(), &locks.Target());
    }
    DDSetVirBackBuffer(0);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 5, 5) & 0xFFFFFF, 0x445566u);
    DDReleaseSurface(&duplicate);
    DDReleaseSurface(&owner);
}

TEST_F(DisplayTest, FailedLocksAreReportedAndHandOutNoPixels)
{
    ASSERT_TRUE(Up(1));
    DDSURFACEDATA never;
    cSurfaceLock none(&never);
    EXPECT_FALSE(none.Locked());
    none.Unlock();
    EXPECT_EQ(TraceText(), "");  // a record without a surface fails quietly

    // A render-target texture whose system-memory copy is missing: both the
    // lock and the unlock that still follows report their failure.
    DDSURFACEDATA target;
    ASSERT_TRUE(DDCreateSurface(&target, 16, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    cComPtr<IDirect3DSurface9> copy = std::move(target.lpDT->lpSystemSurface);
    {
        cSurfaceLock lock(&target);
        EXPECT_FALSE(lock.Locked());
    }
    target.lpDT->lpSystemSurface = std::move(copy);
    EXPECT_EQ(TraceText(),
              "FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )\n"
              "D3D_OK != m_lpSD->lpDT->lpSystemSurface->UnlockRect();\n");
    // Under Direct3D there is no DirectDraw lock: false, and no pointer.
    DDSURFACEDESC2 desc = {};
    void* pixels = &desc;
    EXPECT_FALSE(DDLock(&target, &desc, &pixels, 32));
    EXPECT_EQ(pixels, nullptr);
    EXPECT_TRUE(Has(TraceText(), "D3DではDDLockは未対応\n"));
    DDReleaseSurface(&target);
    DDUnInit();

    ASSERT_TRUE(Up(0));
    EXPECT_TRUE(DDLock(&Display.BackBuffer, &desc, &pixels, 32));
    EXPECT_EQ(desc.dwSize, sizeof(DDSURFACEDESC2));  // 124 bytes in the 32-bit program
    EXPECT_EQ(pixels, desc.lpSurface);
    ASSERT_NE(pixels, nullptr);
    Display.BackBuffer.lpDD->lpSurface->Unlock(nullptr);
    // A depth without pixels of its own: locked, but no pointer handed out.
    EXPECT_TRUE(DDLock(&Display.BackBuffer, &desc, &pixels, 12));
    EXPECT_EQ(pixels, nullptr);
    Display.BackBuffer.lpDD->lpSurface->Unlock(nullptr);
    EXPECT_FALSE(DDLock(&never, &desc, &pixels, 32));
}

INSTANTIATE_BOTH_BACK_ENDS(BothBackEndsSurfaceLock);
