// The decisions of start-up that need no game process: the display it asks
// for, the depths it refuses, and the sound that may not start.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include "app/game_init.h"
#include "app/base/log.h"
#include "app/system/sound.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "tests/support/scoped_swap.h"
#include "tests/support/test_dir.h"

namespace {

const char WINDOW_DEPTH_BOX[] = "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
const char SETTINGS_BOX[] = "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";

HRESULT WINAPI NoDirectSound(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN)
{
    *out = nullptr;
    return DSERR_NODRIVER;
}

} // namespace

// What the keys, the system settings and the desktop give; the depth written
// back into the key; the box that ends start-up, if any.
TEST(StartupDisplay, KeysSettingsAndDesktopGiveTheDisplayOrTheBox)
{
    struct Row {
        const char* why;
        int direct3D, windowMode, bpp, vsync;
        int desktopBpp, vista, d3dFull, ddFull, fullColor;
        int windowed, chosenBpp, chosenVSync;
        const char* box;
    };
    const Row rows[] = {
        {"D3D window, automatic depth: the desktop's", 1, 1, 0, 2, 32, 1, 0, 0, 0, 1, 32, 1, nullptr},
        {"D3D resizable window", 1, 2, 0, 0, 16, 1, 0, 0, 0, 1, 16, 0, nullptr},
        {"D3D window at another depth than the desktop", 1, 1, 16, 2, 32, 1, 0, 0, 0, 1, 16, 1, WINDOW_DEPTH_BOX},
        {"D3D window at 8 bits", 1, 1, 8, 1, 32, 1, 0, 0, 0, 1, 8, 1, SETTINGS_BOX},
        {"D3D full screen, default mode 1: 16 bits", 1, 0, 0, 2, 32, 1, 1, 0, 0, 0, 16, 1, nullptr},
        {"D3D full screen, default mode 2 is not 8 bits", 1, 0, 0, 2, 32, 1, 2, 2, 0, 0, 32, 1, nullptr},
        {"D3D full screen at 8 bits", 1, 0, 8, 2, 32, 1, 0, 0, 0, 0, 8, 1, SETTINGS_BOX},
        {"DD window: no vertical sync", 0, 1, 0, 1, 32, 1, 0, 0, 0, 1, 32, 0, nullptr},
        {"DD full screen, automatic sync from Windows 6.0: off", 0, 0, 0, 2, 32, 1, 0, 0, 0, 0, 32, 0, nullptr},
        {"DD full screen, automatic sync before 6.0: on", 0, 0, 0, 3, 32, 0, 0, 0, 0, 0, 32, 1, nullptr},
        {"DD full screen, default mode 1", 0, 0, 0, 1, 32, 1, 0, 1, 0, 0, 16, 1, nullptr},
        {"DD full screen, default mode 2: 8 bits", 0, 0, 0, 1, 32, 1, 0, 2, 0, 0, 8, 1, nullptr},
        {"DD full screen, mode 2 with an explicit transparent colour", 0, 0, 0, 1, 32, 1, 0, 2, 1, 0, 32, 1, nullptr},
        {"DD full screen at 8 bits with an explicit transparent colour", 0, 0, 8, 1, 32, 1, 0, 0, 1, 0, 8, 1,
         SETTINGS_BOX},
        {"DD full screen at 24 bits", 0, 0, 24, 1, 32, 1, 0, 0, 0, 0, 24, 1, SETTINGS_BOX},
        {"DD window at 8 bits on an 8-bit desktop", 0, 1, 0, 0, 8, 1, 0, 0, 0, 1, 8, 0, SETTINGS_BOX},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SYSTEMINI ini;
        ini.Direct3D = row.direct3D;
        ini.WindowMode = row.windowMode;
        ini.Bpp = row.bpp;
        ini.VSync = row.vsync;
        DISPLAYFACTS facts;
        facts.nDesktopBpp = row.desktopBpp;
        facts.bVistaOrLater = row.vista;
        facts.nD3DFullBpp = row.d3dFull;
        facts.nDDFullBpp = row.ddFull;
        facts.bFullColor = row.fullColor;
        const DISPLAYCHOICE choice = ChooseDisplay(ini, facts);
        EXPECT_EQ(choice.bWindowed, row.windowed);
        EXPECT_EQ(choice.nBpp, row.chosenBpp);
        EXPECT_EQ(ini.Bpp, row.chosenBpp);
        EXPECT_EQ(ini.VSync, row.chosenVSync);
        const char* box = CheckDisplayDepth(ini, choice, facts);
        if (row.box) {
            ASSERT_NE(box, nullptr);
            EXPECT_STREQ(box, row.box);
        } else {
            EXPECT_EQ(box, nullptr);
        }
    }
}

TEST(StartupSound, NoSoundDeviceLeavesTheGameSilentWithAReportLine)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
    ScopedSwap noDevice(lpDirectSoundCreate, NoDirectSound);
    ScopedSwap musicOff(Options.m_bBgm, 0);
    StartSoundAndMusic();
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "DS_Init失敗！\r\n");
    // The lists stand, named, so that every play request finds its place.
    ASSERT_GE(SoundEffects.SoundDefList.size(), 17u);
    EXPECT_EQ(SoundEffects.SoundDefList.size(), SoundEffects.SoundList.size());
    EXPECT_EQ(SoundEffects.SoundDefList[0].FileName, SystemData.m_SoundFiles[0]);
    for (DSSOUND& sound : SoundEffects.SoundList) {
        EXPECT_TRUE(sound.Buffers.empty());
        DS_Play(sound, 0);  // nothing to play, nothing fails
    }
    SoundEffects.SoundDefList.clear();
    SoundEffects.SoundList.clear();
}
