#include <gtest/gtest.h>
#include <windows.h>

#include "app/system/input.h"
#include "app/shell/scene_manager.h"
#include "files/option_data.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "scenes/menu_cursor.h"
#include "scenes/option_scene.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"

namespace {

class OptionTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        m_nFadeStep = SceneManager.m_nFadeStep;
        SceneManager.m_nFadeStep = 90;  // a fade in one step
    }
    void TearDown() override
    {
        SceneManager.m_nFadeStep = m_nFadeStep;
        Options = cOptionData();
        MenuScreenTest::TearDown();
    }
    int m_nFadeStep = 0;
};

// Editing wraps at both ends of each range; cancel puts the value back.
TEST_F(OptionTest, ValuesWrapAndCancelRestores)
{
    struct Row {
        int kind, start;
        std::vector<int> moves;
        int finish;  // button that ends the edit
        int want;
    };
    const Row table[] = {
        {0, 23, {INPUT_UP}, 1, 0},
        {0, 0, {INPUT_DOWN}, 1, 23},
        {0, 5, {INPUT_UP | INPUT_DOWN}, 1, 5},  // both in one frame: up, then down
        {1, 1, {INPUT_UP}, 1, 0},
        {2, 10, {INPUT_UP}, 1, 0},
        {2, 5, {INPUT_UP, INPUT_UP}, 2, 5},
        {3, 3, {INPUT_UP}, 1, 0},
        {3, 0, {INPUT_DOWN, INPUT_DOWN}, 1, 2},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << "kind " << t.kind << " from " << t.start);
        Options = cOptionData();
        int32_t* fields[] = {&Options.m_nPalette, &Options.m_bBgm, &Options.m_nVolume, &Options.m_nRankingMode};
        *fields[t.kind] = t.start;
        cOptionScene scene;
        scene.Init();
        scene.m_nState = cOptionScene::STATE_MENU;
        Press(scene, 0, 0);
        for (int k = 0; k < t.kind; ++k) Press(scene, INPUT_DOWN, 0);
        Press(scene, 0, 1);
        ASSERT_EQ(scene.m_nSubState, 2);
        EXPECT_EQ(MenuCursor.m_Levels.size(), 2u);
        for (int move : t.moves) Press(scene, move, 0);
        Press(scene, 0, t.finish);
        EXPECT_EQ(scene.m_nSubState, 1);
        EXPECT_EQ(MenuCursor.m_Levels.size(), 1u);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.kind);
        EXPECT_EQ(*fields[t.kind], t.want);
    }
}

// Leaving the screen, by cancel or by the back item, writes the options
// file; a new run reads the values back.
TEST_F(OptionTest, OptionsAreWrittenWheneverTheScreenIsLeft)
{
    CreateDirectoryA("user_data", nullptr);
    for (int viaBack : {0, 1}) {
        SCOPED_TRACE(viaBack);
        DeleteFileA("user_data\\Option.dat");
        Options = cOptionData();
        Options.m_nVolume = 3 + viaBack;
        Options.m_sRankingName = "zq";
        SceneManager.m_nCurrentScene = SCENE_OPTION;
        cOptionScene scene;
        scene.Init();
        scene.m_nState = cOptionScene::STATE_MENU;
        Press(scene, 0, 0);
        if (viaBack) {
            Press(scene, INPUT_UP, 0);  // round to the last row: back
            Press(scene, 0, 1);
        } else {
            Press(scene, 0, 2);
        }
        EXPECT_EQ(scene.m_nState, cOptionScene::STATE_FADEOUT);
        EXPECT_EQ(SceneManager.m_nNextScene, SCENE_TITLE);
        for (int k = 0; k < 5 && SceneManager.m_nCurrentScene != SCENE_TITLE; ++k) scene.Run();
        EXPECT_EQ(SceneManager.m_nCurrentScene, SCENE_TITLE);
        EXPECT_EQ(SceneManager.m_nPreviousScene, SCENE_OPTION);
        cOptionData read;
        ASSERT_TRUE(read.LoadFile("user_data\\Option.dat"));
        EXPECT_EQ(read.m_nVolume, 3 + viaBack);
        EXPECT_EQ(read.m_sRankingName, "zq");
        EXPECT_EQ(read.m_bBgm, 1);
    }
}

} // namespace
