#include <gtest/gtest.h>
#include <windows.h>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/data_record.h"
#include "scenes/game_start.h"
#include "tests/gfx/gfx_support.h"
#include "tests/support/test_dir.h"

namespace {

// A stage file that cannot be played is refused with a box, and the game
// stays as it was: the progress, the working stage and the play copy.
TEST(StartStageFile, RefusedFileChangesNothing)
{
    ScopedTestDir dir;
    BoxCapture boxes;
    RecordContext.nDataVersion = DATA_VERSION;
    CreateDirectoryA("data", nullptr);
    CreateDirectoryA("data\\stg4", nullptr);
    CreateDirectoryA("user_data", nullptr);
    CreateDirectoryA("user_data\\rpl4", nullptr);
    ASSERT_TRUE(WriteFileText("user_data\\rpl4\\play.rpl4_708", "replay"));
    ASSERT_TRUE(WriteFileBytes("data\\stg4\\cut.stg4_708", HexBytes("c4020000 05000000 01")));
    struct Row {
        const char* path;
        const char* box;  // part of the box's text
    };
    const Row table[] = {
        {"user_data\\rpl4\\play.rpl4_708", "読み込めません"},
        {"data\\stg4\\cut.stg4_708", "ステージファイル"},
        {"data\\stg4\\missing.stg4_708", "ステージファイル"},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(t.path);
        BoxCapture::texts.clear();
        GameProgress.Reset();
        GameProgress.m_nLap = 5;
        GameProgress.m_nLives = 2;
        StageData.m_sPath = "before";
        PlayStageData.m_sPath = "play before";
        EXPECT_EQ(StartStageFile(t.path, 0, 0), 0);
        ASSERT_EQ(BoxCapture::texts.size(), 1u);
        EXPECT_TRUE(Has(BoxCapture::texts[0], t.box)) << BoxCapture::texts[0];
        EXPECT_EQ(GameProgress.m_nLap, 5);
        EXPECT_EQ(GameProgress.m_nLives, 2);
        EXPECT_EQ(StageData.m_sPath, "before");
        EXPECT_EQ(PlayStageData.m_sPath, "play before");
    }
}

} // namespace
