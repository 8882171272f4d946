// The sample game's display commands run on a stage in memory.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "records/command_data.h"
#include "records/palette_data.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/message.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/sample/sample_folder.h"

namespace {

TEST(SampleGameDisplay, TheSignsMessageWaitsInAWindowForTheKey)
{
    cSampleFolder folder;
    ASSERT_EQ(folder.Write(), 1);
    ASSERT_EQ(ReadCommonPalette(folder.Path("default/CommonPalette.cplt4")), 1);
    const cItemData* sign = nullptr;
    for (const cItemData& item : CommonPalette.m_Items)
        if (item.m_sName == "看板") sign = &item;
    ASSERT_NE(sign, nullptr);
    ASSERT_EQ(sign->m_Commands.size(), 1u);
    const cCommandData& c = sign->m_Commands[0];
    ASSERT_EQ(c.CharaKind(), 19);

    cStageScene scene;
    lpStageScene = &scene;
    std::vector<std::vector<int>> waits;
    static std::vector<std::vector<int>>* lpWaits;
    lpWaits = &waits;
    auto host = std::make_unique<cHarnessHost>();
    host->onRunPauseLoop = [](int) {
        lpWaits->push_back(std::vector<int>(lpStageScene->m_Wait, lpStageScene->m_Wait + 5));
        ASSERT_EQ(lpStageScene->m_MessageList.size(), 1u);
        EXPECT_EQ(lpStageScene->m_MessageList.front().m_strText, "やあ！");
        EXPECT_EQ(lpStageScene->m_MessageList.front().m_bWindow, 1);
    };
    CmdMessage(*lpStageScene, nullptr, &c, 0);
    host.reset();
    lpStageScene = nullptr;
    EXPECT_EQ(waits, (std::vector<std::vector<int>>{{1, 10, 1, 0, 0}}));
    EXPECT_TRUE(scene.m_MessageList.empty());
    CommonPalette = cPaletteData();
}

} // namespace
