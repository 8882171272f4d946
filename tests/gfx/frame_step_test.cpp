// The scene manager's frame on a real display: the frame-rate text in its two
// forms, and the DirectDraw recovery at the start of a frame.
#include <gtest/gtest.h>

#include "app/system/input.h"
#include "app/shell/scene_manager.h"
#include "app/system/system_ini.h"
#include "app/system/timing.h"
#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/recovery.h"
#include "gfx/surface.h"
#include "gfx/surface_tables.h"
#include "tests/gfx/font_support.h"

namespace {

HRESULT EverySurfaceLost(IDirectDrawSurface7*)
{
    return DDERR_SURFACELOST;
}
SHORT WINAPI NoKeys(int) { return 0; }
MMRESULT WINAPI NoJoystick(UINT, JOYINFOEX*) { return JOYERR_UNPLUGGED; }

class FrameStepTest : public FontTest {
protected:
    void SetUp() override
    {
        FontTest::SetUp();
        lpReadKey = NoKeys;
        lpReadJoystick = NoJoystick;
        ResetTiming();
        ResetFpsRing();
        SceneManager.FrameRate = 0;
        SceneManager.m_nCurrentScene = SCENE_COUNT;  // no screen draws over what is checked
    }
    void TearDown() override
    {
        DisplayLossQuery = {DTQueryDeviceState, DDQuerySurfaceState};
        SystemIni.ShowFps = 0;
        for (Font& font : SurfaceTables.Fonts) font.Release();
        DDReleaseSurfaceVector(SurfaceTables.CharaExcSurfaces);
        DDReleaseSurfaceVector(SurfaceTables.Off_Scene);
        SurfaceTables.CharaExcSurfaces.clear();
        SurfaceTables.CharaExcSurfacesParam.clear();
        SurfaceTables.Off_Scene.clear();
        SurfaceTables.Off_SceneParam.clear();
        lpReadKey = GetAsyncKeyState;
        lpReadJoystick = joyGetPosEx;
        FontTest::TearDown();
    }
};

} // namespace

TEST_F(FrameStepTest, FrameRateTextInEitherForm)
{
    ASSERT_TRUE(UpWithText(0));
    MakeFont(SurfaceTables.Fonts[0], 9, 10, 0);
    MakeFont(SurfaceTables.Fonts[1], 16, 16, 0);
    // "FPS 0( 0)": nine characters. ShowFps 2: small plain text from (549, 469);
    // any other value: the second font's text window from (495, 463).
    struct ROW {
        int nShowFps;
        bool bInkLeftOf549, bInkAbove469, bInkBelow469;
    };
    const ROW rows[] = {{0, false, false, false}, {2, false, false, true}, {1, true, true, true}};
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.nShowFps);
        ClearBackBuffer();
        SystemIni.ShowFps = row.nShowFps;
        ASSERT_EQ(SceneManager.Frame(), 1);
        EXPECT_EQ(CountInk(&Display.BackBuffer, 495, 463, 54, 17) > 0, row.bInkLeftOf549);
        EXPECT_EQ(CountInk(&Display.BackBuffer, 549, 463, 91, 6) > 0, row.bInkAbove469);
        EXPECT_EQ(CountInk(&Display.BackBuffer, 549, 469, 91, 11) > 0, row.bInkBelow469);
        // Nothing else of the picture is touched.
        EXPECT_EQ(CountInk(&Display.BackBuffer, 0, 0, 640, 463), 0);
    }
}

TEST_F(FrameStepTest, DirectDrawFrameRestoresTheScreensSurfacesOrEndsTheGame)
{
    WriteNoiseBmp("chara.bmp", 16, 16, 3, 5, 1);
    ASSERT_TRUE(UpWithText(0));
    MakeFont(SurfaceTables.Fonts[0], 9, 10, 0);
    SurfaceTables.CharaExcSurfaces.emplace_back();
    SurfaceTables.CharaExcSurfacesParam.emplace_back();
    ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceTables.CharaExcSurfaces.back(), "chara.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDAddSurface(SurfaceTables.Off_Scene, SurfaceTables.Off_SceneParam, 16, 16, 0, 0, 0, 0));
    const std::vector<uint32_t> image = ReadPixels(&SurfaceTables.CharaExcSurfaces[0], 0, 0, 16, 16);

    // Nothing lost: nothing happens.
    DDFill(&SurfaceTables.CharaExcSurfaces[0], 0x123456);
    ASSERT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(SurfaceTables.Off_Scene[0].bLost, 0);
    EXPECT_NE(ReadPixels(&SurfaceTables.CharaExcSurfaces[0], 0, 0, 16, 16), image);

    // Everything lost: the picture is reloaded, the blank surface flagged so
    // that its owner draws it again.
    DisplayLossQuery.lpSurfaceState = EverySurfaceLost;
    ASSERT_EQ(SceneManager.Frame(), 1);
    EXPECT_EQ(ReadPixels(&SurfaceTables.CharaExcSurfaces[0], 0, 0, 16, 16), image);
    EXPECT_EQ(SurfaceTables.Off_Scene[0].bLost, 1);

    // A picture that cannot be loaded again ends the game.
    ASSERT_TRUE(DeleteFileA("chara.bmp"));
    EXPECT_EQ(SceneManager.Frame(), 0);
}

TEST_F(FrameStepTest, Direct3DFramePresents)
{
    ASSERT_TRUE(UpWithText(1));
    SceneManager.m_nCurrentScene = SCENE_TITLE;
    for (int frame = 0; frame < 3; ++frame) ASSERT_EQ(SceneManager.Frame(), 1);
    EXPECT_NE(SceneManager.GetScene(SCENE_TITLE), nullptr);
    SceneManager.DeleteAllScenes();
}
