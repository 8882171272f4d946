#include <gtest/gtest.h>
#include <windows.h>

#include "app/system/input.h"
#include "app/shell/scene_manager.h"
#include "files/game_progress.h"
#include "files/system_data.h"
#include "gfx/display.h"
#include "records/data_record.h"
#include "scenes/challenge_scene.h"
#include "scenes/menu_cursor.h"
#include "tests/gfx/gfx_support.h"
#include "tests/scenes/menu_screen_test.h"

namespace {

class ChallengeTest : public MenuScreenTest {
protected:
    void SetUp() override
    {
        MenuScreenTest::SetUp();
        if (HasFatalFailure()) return;
        m_nCount = SystemData.m_nChallengeCount;
        m_bAllOpen = SystemData.m_bChallengeAllOpen;
    }
    void TearDown() override
    {
        SystemData.m_nChallengeCount = m_nCount;
        SystemData.m_bChallengeAllOpen = m_bAllOpen;
        MenuScreenTest::TearDown();
    }
    int m_nCount = 0, m_bAllOpen = 0;
};

TEST(ChallengeFile, NumberInTwoDigits)
{
    EXPECT_EQ(ChallengeFileName(7), "data\\stg4\\c07-1.stg4");
    EXPECT_EQ(ChallengeFileName(40), "data\\stg4\\c40-1.stg4");
}

// The rows the list offers: the open challenges, or all of them; the cursor
// stops on the last. A missing file keeps the screen with a box.
TEST_F(ChallengeTest, ListStopsAtTheLastOpenChallengeAndAMissingFileKeepsTheScreen)
{
    struct Row {
        int allOpen, count, open, downs, wantRow, wantOffset;
    };
    const Row table[] = {
        {0, 40, 2, 5, 1, 0},
        {1, 40, 2, 12, 12, 3},
        {1, 40, 2, 45, 39, 30},  // the last page shows 31 to 40
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << t.allOpen << " " << t.downs);
        SystemData.m_bChallengeAllOpen = t.allOpen;
        SystemData.m_nChallengeCount = t.count;
        GameProgress.Reset();
        GameProgress.m_nChallengeOpen = t.open;
        SceneManager.m_nNextScene = -1;
        cChallengeSelectScene scene;
        scene.Init();
        scene.m_nState = cChallengeSelectScene::STATE_SELECT;
        for (int k = 0; k < t.downs; ++k) Press(scene, INPUT_DOWN, 0);
        EXPECT_EQ(MenuCursor.m_lpCurrent->nRow, t.wantRow);
        EXPECT_EQ(scene.m_nScrollOffset, t.wantOffset);
        BoxCapture::texts.clear();
        Press(scene, 0, 1);
        EXPECT_EQ(scene.m_nState, cChallengeSelectScene::STATE_SELECT);
        EXPECT_EQ(SceneManager.m_nNextScene, -1);
        ASSERT_EQ(BoxCapture::texts.size(), 1u);
        EXPECT_TRUE(Has(BoxCapture::texts[0], ChallengeFileName(t.wantRow + 1))) << BoxCapture::texts[0];
        BoxCapture::texts.clear();
        Press(scene, 0, 2);
        EXPECT_EQ(scene.m_nState, cChallengeSelectScene::STATE_FADEOUT);
        EXPECT_EQ(SceneManager.m_nNextScene, SCENE_TITLE);
    }
}

} // namespace
