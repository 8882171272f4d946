// Recovery after a lost display, forced through the loss query (a windowed
// display under Wine never loses anything): the frame drawn after the
// recovery equals the frame before it.
#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "gfx/d3d_backend.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/recovery.h"
#include "gfx/surface.h"
#include "tests/gfx/font_support.h"

namespace {

HRESULT DeviceNotReset()
{
    return D3DERR_DEVICENOTRESET;
}
HRESULT DeviceLost()
{
    return D3DERR_DEVICELOST;
}
HRESULT EverySurfaceLost(IDirectDrawSurface7*)
{
    return DDERR_SURFACELOST;
}
HRESULT AllButThePrimaryLost(IDirectDrawSurface7* surface)
{
    return surface == Display.PrimarySD.lpDD->lpSurface ? DD_OK : DDERR_SURFACELOST;
}

class RecoveryTest : public FontTest {
protected:
    void TearDown() override
    {
        DisplayLossQuery = {DTQueryDeviceState, DDQuerySurfaceState};
        FontTest::TearDown();
    }
    size_t TraceAt(const std::string& line) { return TraceText().find(line); }
};

constexpr uint32_t kWorkColour = 0xFF20A040;
constexpr uint32_t kKeptColour = 0xFFA02060;

// One frame as the game would draw it: the owners of blank surfaces redraw
// them when they are flagged lost.
struct FRAME {
    DDSURFACEDATA picture, work, kept;
    Font font;

    // The image (with a pixel copy when asked), a render-target work surface
    // and a system-memory texture, both drawn by their owner on the first frame.
    void Load(int pixelCopy)
    {
        ASSERT_EQ(DDCreateSurfaceFromFile(&picture, "picture.bmp", 1, 32, 0, DTMEMORYTYPE_VIDEO_RT, 0,
                                          pixelCopy, 0, 0, 0), 0);
        ASSERT_TRUE(DDCreateSurface(&work, 16, 16, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&kept, 16, 16, 0, 0, DTMEMORYTYPE_SYSTEM, 0, 0));
        work.bLost = kept.bLost = 1;
    }
    void Redraw(DDSURFACEDATA* sd, uint32_t colour)
    {
        if (!sd->bLost) return;
        DDFill(sd, colour);
        sd->bLost = 0;
    }
    std::vector<uint32_t> Draw()
    {
        Redraw(&work, kWorkColour);
        Redraw(&kept, kKeptColour);
        DDFill(&Display.BackBuffer, 0xFF000000u | kBackgroundRgb);
        DDBlt(&Display.BackBuffer, 10, 10, 24, 16, &picture, 0, 0, 1);
        DDBlt(&Display.BackBuffer, 50, 10, 16, 16, &work, 0, 0, 0);
        DDBlt(&Display.BackBuffer, 80, 10, 16, 16, &kept, 0, 0, 0);
        font.DrawText(&Display.BackBuffer, 10, 40, "復旧の試験 Restore 漢字", 0);
        return ReadPixels(&Display.BackBuffer, 0, 0, 300, 64);
    }
    ~FRAME()
    {
        font.Release();
        for (DDSURFACEDATA* sd : {&picture, &work, &kept}) DDReleaseSurface(sd);
    }
};

}  // namespace

TEST_F(RecoveryTest, Direct3DFrameAfterALostDeviceEqualsTheFrameBefore)
{
    WriteNoiseBmp("picture.bmp", 24, 16, 3, 6, 1);
    ASSERT_TRUE(UpWithText(1));
    FRAME frame;
    ASSERT_NO_FATAL_FAILURE(frame.Load(1));
    MakeFont(frame.font, 16, 16, 1);
    const std::vector<uint32_t> before = frame.Draw();
    ASSERT_GT(CountInk(&Display.BackBuffer, 10, 40, 290, 20), 50);
    const BYTE* pixelCopy = frame.picture.lpDT->lpPixelCopy.get();
    ASSERT_NE(pixelCopy, nullptr);

    // Not resettable yet: nothing is released, the next frame tries again.
    DisplayLossQuery.lpDeviceState = DeviceLost;
    EXPECT_EQ(DDRestoreSurface(), 0);
    EXPECT_NE(TraceText().find("Restore In\na-\n復旧失敗…リセット可能な状態ではありません…\n"),
              std::string::npos) << TraceText();
    EXPECT_NE(frame.work.lpDT->lpTexture, nullptr);
    EXPECT_EQ(frame.work.bLost, 0);
    EXPECT_EQ(frame.Draw(), before);

    DisplayLossQuery.lpDeviceState = DeviceNotReset;
    EXPECT_EQ(DDRestoreSurface(), 1);
    // The device is asked before anything is released, the fonts let go of
    // their device objects before the reset, and the listed surfaces follow.
    const size_t asked = TraceText().rfind("a-\n"), released = TraceAt("Font i = 0\n"),
                 reset = TraceText().rfind("\na\n"),
                 listed = TraceAt("i = 0 lpSD->szSurfaceType = VirBackBuffer lpSD->szFileName = E Size = (640,480)\n"),
                 out = TraceAt("Restore Out\n");
    EXPECT_LT(asked, released);
    EXPECT_LT(released, reset);
    EXPECT_LT(reset, listed);
    EXPECT_LT(listed, out);
    EXPECT_NE(out, std::string::npos) << TraceText();
    EXPECT_EQ(TraceText().find("Err\n"), std::string::npos) << TraceText();

    // The render-target work surface came back empty and flagged; the
    // system-memory texture kept its pixels but is flagged all the same; the
    // image kept its pixel copy.
    EXPECT_EQ(frame.work.bLost, 1);
    EXPECT_NE(ReadPixel(&frame.work, 3, 3), kWorkColour);
    EXPECT_EQ(frame.kept.bLost, 1);
    EXPECT_EQ(ReadPixel(&frame.kept, 3, 3), kKeptColour);
    EXPECT_EQ(frame.picture.lpDT->lpPixelCopy.get(), pixelCopy);
    EXPECT_EQ(frame.Draw(), before);
}

TEST_F(RecoveryTest, DirectDrawRestoresTheLostSurfacesOfTheArray)
{
    WriteNoiseBmp("video.bmp", 24, 16, 5, 6, 1);
    WriteNoiseBmp("system.bmp", 24, 16, 9, 6, 1);
    m_params[0].Set("video.bmp", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    m_params[1].Set("E", 0, 0, 0, 0, 0, 0, 0, 0, 16, 16);
    m_params[2].Set("system.bmp", 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    m_params[3].Set("E", 0, 1, 0, 0, 0, 0, 0, 0, 16, 16);
    ASSERT_TRUE(UpWithText(0));
    const int indices[] = {0, 1, 2, 3};
    ASSERT_TRUE(DDLoadSurfaces(m_surfaces, indices, 4));
    Font font;
    MakeFont(font, 16, 16, 1);
    std::vector<uint32_t> images[4];
    for (int i = 0; i < 4; ++i) images[i] = ReadPixels(&m_surfaces[i], 0, 0, 16, 16);
    // What a real loss would leave in the surfaces.
    auto scribble = [&] {
        for (int i = 0; i < 4; ++i) DDFill(&m_surfaces[i], 0x123456);
    };

    // The primary surface is not lost: nothing happens, whatever the others say.
    scribble();
    DisplayLossQuery.lpSurfaceState = AllButThePrimaryLost;
    EXPECT_TRUE(DDRestore());
    EXPECT_EQ(m_surfaces[1].bLost, 0);
    EXPECT_NE(ReadPixels(&m_surfaces[0], 0, 0, 16, 16), images[0]);

    DisplayLossQuery.lpSurfaceState = EverySurfaceLost;
    EXPECT_TRUE(DDRestore());
    // Video memory: the image is reloaded, the blank surface flagged for its
    // owner. System memory: only restored.
    EXPECT_EQ(ReadPixels(&m_surfaces[0], 0, 0, 16, 16), images[0]);
    EXPECT_EQ(m_surfaces[0].bLost, 0);
    EXPECT_EQ(m_surfaces[1].bLost, 1);
    EXPECT_NE(ReadPixels(&m_surfaces[2], 0, 0, 16, 16), images[2]);
    EXPECT_EQ(m_surfaces[2].bLost, 0);
    EXPECT_EQ(m_surfaces[3].bLost, 0);
    font.Release();
}

TEST_F(RecoveryTest, EachRecoveryBelongsToItsOwnBackEnd)
{
    ASSERT_TRUE(Up(0));
    EXPECT_EQ(DDRestoreSurface(), 1);
    DDUnInit();
    ASSERT_TRUE(Up(1));
    EXPECT_TRUE(DDRestore());
    EXPECT_NE(TraceAt("DDではDDRestoreSurfaceは未対応\n"), std::string::npos);
    EXPECT_NE(TraceAt("D3DではDDRestoreは未対応\n"), std::string::npos);
}

// A reset that fails (here: something outside the library still holds video
// memory) leaves everything released; the next attempt only resets.
TEST_F(RecoveryTest, FailedResetReleasesOnceAndTheNextAttemptRecovers)
{
    WriteNoiseBmp("picture.bmp", 24, 16, 7, 6, 1);
    ASSERT_TRUE(UpWithText(1));
    FRAME frame;
    ASSERT_NO_FATAL_FAILURE(frame.Load(0));
    MakeFont(frame.font, 16, 16, 0);
    const std::vector<uint32_t> before = frame.Draw();

    IDirect3DTexture9* held = nullptr;
    ASSERT_EQ(Display.lpDevice->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &held, nullptr), D3D_OK);
    DisplayLossQuery.lpDeviceState = DeviceNotReset;
    EXPECT_EQ(DDRestoreSurface(), 0);
    EXPECT_EQ(frame.picture.lpDT->lpTexture, nullptr);
    held->Release();
    EXPECT_EQ(DDRestoreSurface(), 1);
    const std::string trace = TraceText();
    EXPECT_EQ(trace.find("Font i = 0\n"), trace.rfind("Font i = 0\n")) << trace;
    EXPECT_EQ(frame.Draw(), before);
}
