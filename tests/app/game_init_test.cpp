#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "app/game_init.h"
#include "app/game_loop.h"
#include "app/base/log.h"
#include "app/shell/main_window.h"
#include "app/shell/palette_startup.h"
#include "files/database.h"
#include "files/system_data.h"
#include "records/command_labels.h"
#include "records/palette_data.h"
#include "tests/support/game_folder.h"
#include "tests/support/test_dir.h"

namespace {

const char MISSING_LINE_END[] = "」の読み込みに失敗しました！";

// A flow of one wait command: flow id, and whether it serves the editor only.
cFlowData WaitFlow(int id, int editorOnly)
{
    cFlowData flow;
    flow.m_cFlowId = static_cast<uint8_t>(id);
    flow.m_bEditorOnly = static_cast<uint8_t>(editorOnly);
    flow.m_Commands.resize(1);
    flow.m_Commands[0].m_cKind = FLOWCMD_WAIT;
    flow.m_Commands[0].m_sTime = 10;
    return flow;
}

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
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), Threads.thGame.m_hThread, GetCurrentProcess(), &thread, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    Threads.thGame.Exit();
    EXPECT_EQ(Threads.thGame.m_hThread, nullptr);
    // 1: the loop left on WM_QUIT; a thread ended by force would give 0.
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 1u);
    CloseHandle(thread);
}

TEST(GameData, EditorOnlyFlowsStayOnlyWhereTheSettingsOrTheEditorKeepThem)
{
    struct Row {
        const char* what;
        int keep, fromEditor;
        std::vector<int> ids;   // of the palette character's flows once start-up read them
    };
    const Row rows[] = {
        {"a normal run", 0, 0, {2}},
        {"the settings keep them", 1, 0, {1, 2, 3}},
        {"any non-zero setting keeps them", 7, 0, {1, 2, 3}},
        {"a test play from the editor", 0, 1, {1, 2, 3}},
        {"both", 1, 1, {1, 2, 3}},
    };
    const cRecordContext savedContext = RecordContext;
    const int savedFromEditor = MainWindow.bFromEditor;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScopedTestDir dir;
        ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
        ASSERT_TRUE(LayOutSampleGame());
        RecordContext.nDataVersion = DATA_VERSION;
        {
            auto settings = std::make_unique<cSystemData>();
            ASSERT_TRUE(settings->LoadFile("data\\System.dat"));
            settings->m_bKeepFlaggedFlows = row.keep;
            ASSERT_EQ(settings->SaveFile("data\\System.dat"), 1);
        }
        // Row 1 of the common palette's characters: flows 1 and 3 serve the
        // editor only.
        {
            cPaletteData palette;
            palette.m_Charas.resize(2);
            palette.m_Charas[1].m_Flows = {WaitFlow(1, 1), WaitFlow(2, 0), WaitFlow(3, 1)};
            ASSERT_EQ(palette.SaveFile("data\\CommonPalette.cplt4"), 1);
        }
        // What the previous row left has no say.
        RecordContext = cRecordContext();
        MainWindow.bFromEditor = row.fromEditor;

        ASSERT_TRUE(LoadGameData());
        ASSERT_TRUE(LoadCommonPalette());
        ASSERT_GE(CommonPalette.m_Charas.size(), 2u);
        std::vector<int> ids;
        for (const cFlowData& flow : CommonPalette.m_Charas[1].m_Flows) ids.push_back(flow.m_cFlowId);
        EXPECT_EQ(ids, row.ids);
        EXPECT_EQ(ReadFileText("Report_Game.txt"), "");
    }
    RecordContext = savedContext;
    MainWindow.bFromEditor = savedFromEditor;
    CommonPalette = cPaletteData();
}
