#include <gtest/gtest.h>

#include "app/base/log.h"
#include "app/system/timing.h"
#include "gfx/d3d_backend.h"
#include "gfx/ddraw_backend.h"
#include "gfx/dialog_mode.h"
#include "gfx/display.h"
#include "gfx/display_report.h"
#include "gfx/fill.h"
#include "gfx/scene.h"
#include "gfx/surface.h"
#include "tests/support/scoped_swap.h"
#include "tests/gfx/gfx_support.h"

TEST_F(DisplayTest, Direct3DWindowComesUpWithItsLinesAndRecordsAndGoesDownCompletely)
{
    ASSERT_TRUE(Up(1, 32, 1, 1));
    ASSERT_NE(Display.lpDTCon, nullptr);
    EXPECT_EQ(Display.lpDDCon, nullptr);
    EXPECT_EQ(Display.bDDInit, 1);
    const std::string report = ReportText();
    EXPECT_TRUE(Has(report, "VSync : 1\n")) << report;
    EXPECT_TRUE(Has(report, "Device HAL-HARD\nX8R8G8B8\n") || Has(report, "Device HAL-SOFT\nX8R8G8B8\n"))
        << report;
    EXPECT_TRUE(Has(report, "RefreshRate : ")) << report;

    EXPECT_EQ(Display.lpDTCon->fmtTexture, D3DFMT_A8R8G8B8);
    EXPECT_EQ(Display.SurfaceFormat.nRedShift, 16);
    EXPECT_EQ(Display.SurfaceFormat.nAlphaMask, 255);
    EXPECT_EQ(Display.lpDTCon->nAlphaOp, D3DTOP_SELECTARG1);
    EXPECT_EQ(Display.lpDTCon->dwVertexColor, 0xFFFFFFFFu);
    EXPECT_EQ(Display.lpDTCon->d3dpp.Flags, static_cast<DWORD>(D3DPRESENTFLAG_LOCKABLE_BACKBUFFER));

    EXPECT_STREQ(Display.BackBuffer.szSurfaceType, "BackBuffer");
    EXPECT_EQ(Display.BackBuffer.lpDT->nId, 0);
    EXPECT_EQ(Display.BackBuffer.nWidth, 640);
    EXPECT_EQ(Display.BackBuffer.nHeight, 480);
    EXPECT_STREQ(Display.VirBackBuffer.szSurfaceType, "VirBackBuffer");
    EXPECT_STREQ(Display.WorkSD.szSurfaceType, "WorkSD");
    EXPECT_EQ(Display.VirBackBuffer.lpDT->nId, 1);
    EXPECT_EQ(Display.WorkSD.lpDT->nId, 2);
    EXPECT_EQ(Display.lpDTCon->nSurfaceId, 3);
    EXPECT_TRUE(Display.VirBackBuffer.lpDT->bRenderTarget && Display.WorkSD.lpDT->bRenderTarget);
    EXPECT_EQ(Display.lpDTCon->lpDefaultTarget, &Display.VirBackBuffer);
    ASSERT_EQ(Display.RestoreList.size(), 2u);
    EXPECT_EQ(Display.RestoreList[0], &Display.VirBackBuffer);
    EXPECT_EQ(Display.RestoreList[1], &Display.WorkSD);

    // The frame: a fill, then the present closes the scene.
    DDFill(&Display.BackBuffer, 0xFF102030);
    EXPECT_EQ(Display.lpDTCon->bInScene, 1);
    EXPECT_EQ(DDPresent(60), 1);
    EXPECT_EQ(Display.lpDTCon->bInScene, 0);

    DDUnInit();
    EXPECT_EQ(Display.lpDTCon, nullptr);
    EXPECT_EQ(Display.lpDevice, nullptr);
    EXPECT_EQ(Display.lpDirect3D, nullptr);
    EXPECT_EQ(Display.BackBuffer.lpDT, nullptr);
    EXPECT_TRUE(Display.RestoreList.empty());
    DDUnInit();  // a second time does nothing
    EXPECT_EQ(Display.bDDInit, 1);
}

// Direct3D frames come at 60 a second with VSync on or off: a device asked
// to wait for the refresh that does not (the virtual display here has no
// refresh to wait for) must not let the game run as fast as it draws. 31
// presents span 30 frame times, 500 ms, and more only where the refresh
// adds its own wait.
TEST_F(DisplayTest, Direct3DPresentsAtTheFrameRateWhetherOrNotTheRefreshIsWaitedFor)
{
    for (int vsync : {1, 0}) {
        SCOPED_TRACE(vsync);
        ASSERT_TRUE(Up(1, 32, 1, vsync));
        const DWORD start = timeGetTime();
        ResetTiming();
        for (int frame = 0; frame < 31; ++frame) {
            DDFill(&Display.BackBuffer, 0xFF000000u | static_cast<DWORD>(frame));
            ASSERT_EQ(DDPresent(60), 1);
        }
        EXPECT_GE(timeGetTime() - start, 500u);
        DDUnInit();
    }
}

TEST_F(DisplayTest, DirectDrawWindowComesUpWithAWindowedBackBufferAndClipper)
{
    ASSERT_TRUE(Up(0, 32, 1, 0));
    ASSERT_NE(Display.lpDDCon, nullptr);
    EXPECT_EQ(Display.lpDTCon, nullptr);
    EXPECT_TRUE(Has(ReportText(), "VSync : 0\n"));
    EXPECT_NE(Display.lpDirectDraw, nullptr);
    EXPECT_NE(Display.lpClipper, nullptr);
    EXPECT_NE(Display.lpDDPalette, nullptr);
    ASSERT_NE(Display.PrimarySD.lpDD, nullptr);
    ASSERT_NE(Display.BackBuffer.lpDD, nullptr);
    ASSERT_NE(Display.DDWorkSD.lpDD, nullptr);
    EXPECT_EQ(Display.BackBuffer.nWidth, 640);
    EXPECT_EQ(Display.BackBuffer.nHeight, 480);
    EXPECT_EQ(Display.DDWorkSD.nDDMemory, 1);
    EXPECT_EQ(Display.rcClient.Load().right - Display.rcClient.Load().left, 640);
    EXPECT_EQ(Display.nDesktopBpp, 32);
    // The desktop's 8-8-8 layout read from the primary surface.
    EXPECT_EQ(Display.SurfaceFormat.nRedShift, 16);
    EXPECT_EQ(Display.SurfaceFormat.nGreenShift, 8);
    EXPECT_EQ(Display.SurfaceFormat.nBlueShift, 0);
    EXPECT_EQ(Display.SurfaceFormat.nRedMask, 255);
    EXPECT_EQ(DDPresent(60), 1);
    // A blank surface starts filled with palette colour 0.
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 639, 479) & 0xFFFFFF, 0u);

    DDUnInit();
    EXPECT_EQ(Display.lpDDCon, nullptr);
    EXPECT_EQ(Display.lpDirectDraw, nullptr);
    EXPECT_EQ(Display.lpClipper, nullptr);
    EXPECT_EQ(Display.BackBuffer.lpDD, nullptr);
    EXPECT_EQ(Display.PrimarySD.lpDD, nullptr);
}

TEST_F(DisplayTest, ADirectDrawObjectWithReferencesLeftIsReportedAndForgotten)
{
    ASSERT_TRUE(Up(0));
    IDirectDraw7* kept = Display.lpDirectDraw;
    kept->AddRef();
    DDUnInit();
    EXPECT_EQ(Display.lpDirectDraw, nullptr);
    EXPECT_EQ(Display.lpDDCon, nullptr);
    ASSERT_EQ(BoxCapture::texts.size(), 1u);
    EXPECT_EQ(BoxCapture::texts[0], "DirectDraw|解放漏れがあります");
    BoxCapture::texts.clear();
    EXPECT_EQ(kept->Release(), 0u);
}

// A second start while a display is up releases the old one first and leaves
// a working display, whichever back ends are involved.
TEST_F(DisplayTest, ASecondInitReleasesTheOldDisplayFirstAndKeepsTheNewOne)
{
    const struct {
        int first, second;
    } rows[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.first << " then " << row.second);
        ASSERT_TRUE(Up(row.first));
        ASSERT_TRUE(Up(row.second));
        EXPECT_EQ(Display.lpDTCon != nullptr, row.second == 1);
        EXPECT_EQ(Display.lpDDCon != nullptr, row.second == 0);
        DDFillRect(&Display.BackBuffer, 1, 2, 3, 4, 0xFF00FF00);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 2, 3) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(Display.RestoreList.size(), row.second == 1 ? 2u : 0u);
        DDUnInit();
    }
}

TEST_F(DisplayTest, FailedDirect3DStartsLeaveNothingAndDirectDrawComesUpInstead)
{
    // A driver below DirectX 9, then a depth Direct3D does not offer.
    {
        ScopedSwap oldDriver(lpDDIVersionSource, [] { return 8; });
        EXPECT_FALSE(Up(1, 32));
        EXPECT_TRUE(Has(ReportText(), "ビデオカードのドライバがDirectX9をサポートしていません！ 8\n"));
        EXPECT_EQ(Display.lpDirect3D, nullptr);
    }

    EXPECT_FALSE(Up(1, 24));
    EXPECT_NE(Display.lpDTCon, nullptr);  // what was made stays until DDUnInit
    DDUnInit();
    EXPECT_EQ(Display.lpDTCon, nullptr);
    EXPECT_EQ(Display.lpDirect3D, nullptr);
    ASSERT_TRUE(Up(0, 24));
    EXPECT_NE(Display.lpDDCon, nullptr);
    EXPECT_EQ(Display.nBpp, 24);
}

TEST_F(DisplayTest, InitResultCodesNameTheFailedStep)
{
    const struct {
        int code;
        bool ok;
        const char* name;
    } rows[] = {
        {0, true, nullptr},
        {1, false, "CREATEEX_ERR"},
        {2, false, "SETCOOPLEVEL_ERR"},
        {3, false, "SETDISPLAYMODE_ERR"},
        {4, false, "CREATESURFACE_ERR"},
        {5, false, "GETATTACHEDSURFACE_ERR"},
        {6, false, "CREATEPALETTE_ERR"},
        {7, false, "SETPALETTE_ERR"},
        {8, true, nullptr},
        {9, true, nullptr},
        {10, false, "CLIPPER_ERR"},
        {11, false, "SETHWND_ERR"},
        {12, false, "SETCLIPPER_ERR"},
        {13, true, nullptr},
    };
    std::string expected;
    for (const auto& row : rows) {
        EXPECT_EQ(DDCheckInitResult(row.code), row.ok) << row.code;
        if (row.name) expected += std::string(row.name) + "\n";
    }
    EXPECT_EQ(TraceText(), expected);
}

// The virtual display has one mode; full screen may be refused, which must be
// reported and leave a display that DDUnInit takes down. A display that
// accepts it is taken over: such tests run one at a time (*OnDesktop).
class FullScreenOnDesktop : public DisplayTest, public testing::WithParamInterface<int> {};

TEST_P(FullScreenOnDesktop, IsAttemptedAndARefusedModeIsReportedNotFatal)
{
    const int d3d = GetParam();
    if (Up(d3d, 32, 0)) {
        DDFillRect(&Display.BackBuffer, 0, 0, 8, 8, 0xFF0000FF);
        EXPECT_EQ(ReadPixel(&Display.BackBuffer, 7, 7) & 0xFFFFFF, 0x0000FFu);
    } else if (d3d) {
        EXPECT_TRUE(Has(TraceText(), "CreateDevice Err\n")) << ReportText() << "--" << TraceText();
    } else {
        EXPECT_TRUE(Has(ReportText(), "SetDisplayMode Err\n") || Has(TraceText(), "_ERR\n"))
            << ReportText() << "--" << TraceText();
    }
    DDUnInit();
    EXPECT_EQ(Display.lpDTCon, nullptr);
    EXPECT_EQ(Display.lpDDCon, nullptr);
    EXPECT_EQ(Display.lpDirectDraw, nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, FullScreenOnDesktop, testing::Values(1, 0));

// A dialog or box closed over the game's window leaves the window's
// background where it was (painted grey here, as the closing leaves it); the
// end of the dialog mode shows the last frame again, read back from the
// screen. Read off the screen, so one at a time (*OnDesktop).
class DialogModeOnDesktop : public DisplayTest, public testing::WithParamInterface<int> {};

TEST_P(DialogModeOnDesktop, EndingItShowsTheLastFrameAgain)
{
    const int d3d = GetParam();
    ASSERT_TRUE(Up(d3d));
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DDFill(&Display.BackBuffer, 0xFF3060C0);
    DDPresent(60);
    POINT centre{320, 240};
    ClientToScreen(m_hWnd, &centre);
    auto onScreen = [&] {
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, centre.x, centre.y);
        ReleaseDC(nullptr, screen);
        return c;
    };
    HDC dc = GetDC(m_hWnd);
    RECT client{0, 0, 640, 480};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    GdiFlush();
    ReleaseDC(m_hWnd, dc);
    ASSERT_EQ(onScreen(), RGB(192, 192, 192));
    EXPECT_EQ(DDSetDialogBoxMode(1), 1);
    EXPECT_EQ(DDSetDialogBoxMode(0), 1);
    // Wine hands the blit to a thread of its own: it shows a moment later.
    const COLORREF frame = RGB(0x30, 0x60, 0xC0);
    for (DWORD start = GetTickCount(); onScreen() != frame && GetTickCount() - start < 2000;) Sleep(20);
    EXPECT_EQ(onScreen(), frame);
    DDUnInit();
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, DialogModeOnDesktop, testing::Values(1, 0), BackEndName);

TEST_F(DisplayTest, DisplayReportDescribesEitherBackEnd)
{
    ASSERT_TRUE(Up(1));
    ASSERT_EQ(ReportDisplayInfo(1), 1);
    std::string report = ReportText();
    EXPECT_TRUE(Has(report, "Mode : Window\nBpp : 32\n")) << report;
    EXPECT_TRUE(Has(report, "TextureMem : ")) << report;
    EXPECT_TRUE(Has(report, "---デバイス0\n")) << report;
    EXPECT_TRUE(Has(report, "TextureMaxSize : (")) << report;
    EXPECT_TRUE(Has(report, "RE-SU○ RE-TE○ \n")) << report;
    EXPECT_FALSE(Has(report, "VRAM Total"));

    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    ASSERT_TRUE(Up(0));
    ASSERT_EQ(ReportDisplayInfo(1), 1);
    report = ReportText();
    EXPECT_TRUE(report.rfind("VSync : 0\nMode : Window\nBpp : 32\nVRAM Total : ", 0) == 0) << report;
    EXPECT_TRUE(Has(report, "\nRR : ")) << report;
    EXPECT_FALSE(Has(report, "TextureMem"));
    int total = -1, free = -1;
    GetVideoMemoryMB(&total, &free);
    EXPECT_GE(total, 0);
    EXPECT_LE(free, total);
    DDUnInit();
    GetVideoMemoryMB(&total, &free);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(free, 0);
    EXPECT_GT(GetDDIVersion(), 0);
}

TEST_F(DisplayTest, VirtualBackBufferCollectsTheFrameAndReachesTheBackBufferWhenTurnedOff)
{
    ASSERT_TRUE(Up(1));
    DDFill(&Display.BackBuffer, 0xFF000000);
    DDSetVirBackBuffer(1);
    EXPECT_EQ(Display.lpDTCon->lpDefaultTarget, &Display.BackBuffer);
    DDSURFACEDATA* target = &Display.BackBuffer;
    EXPECT_EQ(DDRedirectBackBuffer(&target), 1);
    EXPECT_EQ(target, &Display.VirBackBuffer);

    DDFillRect(&Display.BackBuffer, 10, 10, 20, 20, 0xFFFF0000);  // lands in VirBackBuffer
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 15, 15) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(&Display.VirBackBuffer, 15, 15), 0xFFFF0000u);

    DDSetVirBackBuffer(0);
    EXPECT_EQ(Display.lpDTCon->lpDefaultTarget, &Display.VirBackBuffer);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 15, 15) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 30, 30) & 0xFFFFFF, 0u);
    target = &Display.BackBuffer;
    EXPECT_EQ(DDRedirectBackBuffer(&target), 0);

    // Turning it on again copies nothing.
    DDFillRect(&Display.VirBackBuffer, 0, 0, 640, 480, 0xFF0000FF);
    DDSetVirBackBuffer(1);
    EXPECT_EQ(ReadPixel(&Display.BackBuffer, 15, 15) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(DDPresent(0), 1);
}
