#include <gtest/gtest.h>

#include <windows.h>

#include "app/game_init.h"
#include "app/game_loop.h"
#include "app/base/log.h"
#include "tests/support/test_dir.h"

namespace {

const char MISSING_LINE_END[] = "」の読み込みに失敗しました！";

} // namespace

TEST(DirectPlay, CommandLineNamesTheStageAndOverridesFreeStage)
{
    SYSTEMINI ini;
    ini.FreeStage = "from_ini.stg4";
    TakeCommandLine(ini, "");
    EXPECT_EQ(ini.FreeStage, "from_ini.stg4");
    TakeCommandLine(ini, nullptr);
    EXPECT_EQ(ini.FreeStage, "from_ini.stg4");
    TakeCommandLine(ini, "data\\stg4\\one.stg4");
    EXPECT_EQ(ini.FreeStage, "data\\stg4\\one.stg4");
}

TEST(DirectPlay, NamedStageIsTheNewestRevisionOrReportedMissing)
{
    ScopedTestDir dir;
    ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
    CreateDirectoryA("stg", nullptr);
    ASSERT_TRUE(WriteFileText("stg\\one.stg4_001", "x"));
    ASSERT_TRUE(WriteFileText("stg\\one.stg4_012", "x"));

    SYSTEMINI ini;
    EXPECT_EQ(FindFreeStage(ini), 0);  // none named: nothing to report
    ini.FreeStage = "stg\\one.stg4";
    EXPECT_EQ(FindFreeStage(ini), 1);
    EXPECT_EQ(ini.FreeStage, "stg\\one.stg4_012");
    ini.FreeStage = "stg\\one.dat";  // the extension is the stage's own
    EXPECT_EQ(FindFreeStage(ini), 1);
    EXPECT_EQ(ini.FreeStage, "stg\\one.stg4_012");
    // No revision of the name: a file of exactly that name is played.
    ASSERT_TRUE(WriteFileText("stg\\plain.stg4", "x"));
    ini.FreeStage = "stg\\plain.stg4";
    EXPECT_EQ(FindFreeStage(ini), 1);
    EXPECT_EQ(ini.FreeStage, "stg\\plain.stg4");
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "");

    struct Missing {
        const char* why;
        std::string name;
    };
    const Missing missing[] = {
        {"no such file", "stg\\two.stg4"},
        // A name longer than the key holds: as if no such file existed, even
        // when its first 259 characters would name one.
        {"260 characters", "stg\\one.stg4" + std::string(248, ' ')},
        {"1000 characters", std::string(1000, 'a')},
    };
    for (const Missing& m : missing) {
        ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
        ini.FreeStage = m.name;
        EXPECT_EQ(FindFreeStage(ini), 0) << m.why;
        EXPECT_EQ(ini.FreeStage, "") << m.why;
        EXPECT_EQ(ReadFileText("Report_Game.txt"), "「" + m.name + MISSING_LINE_END + "\r\n") << m.why;
    }
}

TEST(GameThread, StartsTakesTheHandshakeAndEndsOnQuit)
{
    ASSERT_TRUE(StartGameThread());
    HANDLE thread = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thGame.m_hThread, GetCurrentProcess(), &thread, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    thGame.Exit();
    EXPECT_EQ(thGame.m_hThread, nullptr);
    // 1: the loop left on WM_QUIT; a thread ended by force would give 0.
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 1u);
    CloseHandle(thread);
}
