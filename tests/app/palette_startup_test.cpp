// Start-up's reading of the common palette: a missing or damaged file is
// reported with its path in the logs and a box, and start-up cannot go on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/base/log.h"
#include "app/system/message_box.h"
#include "app/shell/palette_startup.h"
#include "tests/support/box_capture.h"
#include "tests/support/test_dir.h"

namespace {

struct PaletteStartupTest : ::testing::Test {
    void SetUp() override
    {
        RecordContext.nDataVersion = DATA_VERSION;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        ASSERT_TRUE(CreateDirectoryA("data", nullptr));
    }
    void TearDown() override
    {
        CommonPalette = cPaletteData();
        RecordContext = cRecordContext();
    }
    ScopedTestDir dir;
    BoxCapture capture;
    std::vector<std::string>& boxes = capture.texts;
};

} // namespace

TEST_F(PaletteStartupTest, MissingOrDamagedFileEndsStartUpWithItsPath)
{
    const std::string line = "data\\CommonPalette.cplt4 のロードに失敗！";
    EXPECT_FALSE(LoadCommonPalette());
    EXPECT_EQ(ReadFileText("Report_Game.txt"), line + "\r\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "エラー|" + line);
    EXPECT_EQ(CommonPalette.m_Charas.size(), 1u);

    // Cut inside the character list.
    ASSERT_TRUE(WriteFileBytes("data\\CommonPalette.cplt4", HexBytes("C4020000 00000000 00000000 00000000 05000000")));
    EXPECT_FALSE(LoadCommonPalette());
    EXPECT_NE(ReadFileText("Report_Game.txt").find(line), std::string::npos);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(PaletteStartupTest, PaletteReadAtStartUpHoldsTwoRowsPerList)
{
    // Three empty lists.
    ASSERT_TRUE(WriteFileBytes("data\\CommonPalette.cplt4",
                               HexBytes("C4020000 00000000 00000000 00000000 00000000 00000000")));
    EXPECT_TRUE(LoadCommonPalette());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(CommonPalette.m_Blocks.size(), 2u);
    EXPECT_EQ(CommonPalette.m_Charas.size(), 2u);
    EXPECT_EQ(CommonPalette.m_Items.size(), 2u);
    EXPECT_EQ(RecordContext.nPaletteItems[PALETTE_COMMON], 2);
}
