// Reading a stage for play: which revision is read, the refusals and their
// boxes, and a WM_QUIT that arrives while the loader thread reads.
#include "app/shell/load_stage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/base/log.h"
#include "app/system/thread.h"
#include "files/stage_file.h"
#include "records/record_context.h"
#include "tests/support/box_capture.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

struct LoadStageTest : ::testing::Test {
    void SetUp() override
    {
        RecordContext.nDataVersion = DATA_VERSION;
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        ASSERT_TRUE(CreateDirectoryA("data", nullptr));
        ASSERT_TRUE(CreateDirectoryA("data\\stg4", nullptr));
    }
    void TearDown() override
    {
        StageData = cStageData();
        CopyPlaySettings(PlayStageData, StageData);
        RecordContext = cRecordContext();
    }

    // A stage tagged by its width, with a hero placed unless told otherwise.
    static void WriteStage(const std::string& path, int tag, bool hero = true, int texts = 0)
    {
        cStageData stage;
        stage.m_nWidth = tag;
        stage.m_PlacedCharas.resize(2);
        stage.m_PlacedCharas[1].m_cControl = hero ? CHARA_PLAYER : CHARA_COMPUTER;
        stage.m_Texts.resize(static_cast<size_t>(texts));
        ASSERT_EQ(stage.SaveFile(path), 1) << path;
    }

    ScopedMainWindow window;
    ScopedTestDir dir;
    BoxCapture capture;
    std::vector<std::string>& boxes = capture.texts;
};

} // namespace

TEST_F(LoadStageTest, ReadsTheNewestRevisionOrTheNameAsGiven)
{
    struct Case {
        std::vector<const char*> files;   // each tagged with its revision number + 1
        const char* name;
        bool findNewest;
        const char* read;                 // null: nothing read
    };
    const Case cases[] = {
        {{"a.stg4_000", "a.stg4_005", "a.stg4_999"}, "data\\stg4\\a.stg4", true, "data\\stg4\\a.stg4_999"},
        {{"b.stg4_000", "b.stg4_005"}, "data\\stg4\\b.stg4", true, "data\\stg4\\b.stg4_005"},
        // The name's own extension gives way to the stage extension.
        {{"c.stg4_000", "c.stg4_005"}, "data\\stg4\\c.stg4_000", true, "data\\stg4\\c.stg4_005"},
        {{"d.stg4"}, "data\\stg4\\d.stg4", true, nullptr},
        {{"e.stg4"}, "data\\stg4\\e.stg4", false, "data\\stg4\\e.stg4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : c.files) {
            std::string name = file;
            int tag = name.back() == '4' ? 1 : 1 + std::stoi(name.substr(name.size() - 3));
            WriteStage(std::string("data\\stg4\\") + file, tag);
        }
        PlayStageData.m_nWidth = -7;
        EXPECT_EQ(LoadStage(c.name, c.findNewest, &PlayStageData), c.read ? 1 : 0);
        if (c.read) {
            std::string read = c.read;
            int tag = read.back() == '4' ? 1 : 1 + std::stoi(read.substr(read.size() - 3));
            EXPECT_EQ(StageData.m_sPath, read);
            EXPECT_EQ(StageData.m_nWidth, tag);
            EXPECT_EQ(PlayStageData.m_nWidth, tag);
            EXPECT_TRUE(PlayStageData.m_PlacedCharas.empty());
            EXPECT_EQ(StageData.m_PlacedCharas.size(), 2u);
        } else {
            EXPECT_EQ(PlayStageData.m_nWidth, -7);
        }
    }
    EXPECT_TRUE(boxes.empty());

    // A path from the root is read relative to the current folder.
    WriteStage("data\\stg4\\f.stg4", 9);
    EXPECT_EQ(LoadStage(dir.Path() + "\\data\\stg4\\f.stg4", false, nullptr), 1);
    EXPECT_EQ(StageData.m_sPath, ".\\data\\stg4\\f.stg4");
    EXPECT_EQ(StageData.m_nWidth, 9);
}

TEST_F(LoadStageTest, RefusedStagesAreReportedAndPlayGoesOn)
{
    WriteStage("data\\stg4\\good.stg4_000", 5);
    ASSERT_EQ(LoadStage("data\\stg4\\good.stg4", true, &PlayStageData), 1);

    // The same stage with its end marker spoilt, and with its rank list
    // claiming more than the file holds (the marker right).
    std::vector<unsigned char> bytes = ReadFileBytes("data\\stg4\\good.stg4_000");
    ASSERT_GT(bytes.size(), 8u);
    std::vector<unsigned char> badMarker = bytes;
    badMarker.back() ^= 1;
    ASSERT_TRUE(WriteFileBytes("data\\stg4\\marker.stg4_000", badMarker));
    size_t recordBytes = 4 + 4 + 4 + 4;   // field count, string count, the text's length, the head
    for (const DATAFIELD& f : StageData.Fields()) recordBytes += static_cast<size_t>(f.nCount) * f.cSize;
    std::vector<unsigned char> damaged = bytes;
    damaged[recordBytes + 3] = 0x7F;
    ASSERT_TRUE(WriteFileBytes("data\\stg4\\damaged.stg4_000", damaged));
    WriteStage("data\\stg4\\nohero.stg4_000", 6, false);

    struct Case {
        const char* name;
        const char* box;
        int stageWidth;   // StageData afterwards
    };
    const Case cases[] = {
        {"data\\stg4\\marker.stg4", "エラー|ステージファイル data\\stg4\\marker.stg4_000 が破損しています！", 5},
        {"data\\stg4\\damaged.stg4", "エラー|ステージファイル data\\stg4\\damaged.stg4_000 の読み込みに失敗しました！", 5},
        {"data\\stg4\\nohero.stg4", "エラー|主人公が配置されていないのでプレイできません！", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        EXPECT_EQ(LoadStage(c.name, true, &PlayStageData), 0);
        EXPECT_EQ(boxes, std::vector<std::string>({c.box}));
        EXPECT_EQ(StageData.m_nWidth, c.stageWidth);
        EXPECT_EQ(PlayStageData.m_nWidth, 5);
        EXPECT_EQ(window.sink.CountPosted(WM_CLOSE), 0);
    }
    EXPECT_NE(ReadFileText("Report_Game.txt").find("marker.stg4_000"), std::string::npos);
}

TEST_F(LoadStageTest, AQuitWhileReadingFailsTheLoadAndReachesTheCallersLoop)
{
    // Enough texts that the reader is still busy when the first message is served.
    WriteStage("data\\stg4\\big.stg4", 3, true, 100000);
    PostQuitMessage(7);
    EXPECT_EQ(LoadStage("data\\stg4\\big.stg4", false, &PlayStageData), 0);
    EXPECT_EQ(Threads.thLoadStage.m_hThread, nullptr);
    EXPECT_NE(PlayStageData.m_nWidth, 3);
    EXPECT_TRUE(boxes.empty());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}
