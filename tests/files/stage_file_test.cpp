// The stage file outside the record: the end-marker check before a read, the
// stage body a replay writes from two stages, the settings play starts from.
#include "files/stage_file.h"

#include "records/record_context.h"
#include "tests/records/stage_fixtures.h"

namespace {

class StageFileTest : public DefinitionTest {
protected:
    void SetUp() override
    {
        DefinitionTest::SetUp();
        RecordContext.nBgms = 25;   // the fixtures' tune stays
    }
};

} // namespace

TEST_F(StageFileTest, OnlyFilesOfVersion174OnAreCheckedForTheirEndMarker)
{
    struct Case {
        const char* what;
        Bytes file;
        bool passes;
    };
    auto file = [](uint32_t version, const char* rest) { return FixtureBytes().u32(version).hex(rest).get(); };
    const Case cases[] = {
        {"708 with the marker", file(708, "AABBCCDD 15CD5B07"), true},
        {"708 ending in another value", file(708, "AABBCCDD 16CD5B07"), false},
        {"708, the marker elsewhere", file(708, "15CD5B07 AABBCCDD"), false},
        {"174 with the marker", file(174, "15CD5B07"), true},
        {"174 without", file(174, "00000000 00000000"), false},
        {"174 shorter than a marker", file(174, "15CD5B"), false},
        {"174, nothing after the head", file(174, ""), false},
        {"173 ending in another value", file(173, "AABBCCDD 00000000"), true},
        {"172 without a marker", file(172, "AABBCCDD"), true},
        // Too short for a data file: left to the read, which reports it.
        {"3 bytes", HexBytes("C40200"), true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes("stage.stg4_000", c.file));
        int reports = DamageReports();
        EXPECT_EQ(CheckStageFileEnd("stage.stg4_000"), c.passes) << c.what;
        if (!c.passes) {
            EXPECT_EQ(DamageReports(), reports + 1) << c.what;
        }
    }
    EXPECT_TRUE(CheckStageFileEnd("missing.stg4_000"));
    EXPECT_NE(ReadFileText("Report_Game.txt").find("does not end with its end marker"), std::string::npos);
}

TEST_F(StageFileTest, AReplayKeepsTheStartSettingsWithThePaletteAndObjectsOfThePlay)
{
    // The stage as played: every list filled. The settings it started from:
    // other ranks and no objects at all.
    StageFixture played = StageFixture::Full();
    ASSERT_TRUE(WriteFileBytes("played.stg4", StageFileOf(played.Stored())));
    cStageData stage;
    ASSERT_EQ(stage.LoadFile("played.stg4"), 1);
    StageFixture start;
    start.ranks = {0, 0, 0, 1, 1};
    ASSERT_TRUE(WriteFileBytes("start.stg4", StageFileOf(start.Stored())));
    cStageData source;
    ASSERT_EQ(source.LoadFile("start.stg4"), 1);

    auto out = DataFileOpenWrite("replay.dat");
    ASSERT_TRUE(out);
    SaveStageFromParts(*out, stage, source);
    ASSERT_EQ(DataFileClose(out), 1);

    StageFixture expected = StageFixture::Full();
    expected.ranks = start.ranks;
    EXPECT_EQ(BodyOf("replay.dat"), expected.Stored());
    EXPECT_EQ(stage.m_RankList, std::vector<int32_t>({1, 0, 1, 0, 1}));
}

TEST_F(StageFileTest, PlaySettingsCarryNoPaletteNorObjects)
{
    for (auto* list : {&PlayStageData.m_Blocks, &PlayStageData.m_PlacedBlocks}) EXPECT_TRUE(list->empty());
    EXPECT_TRUE(PlayStageData.m_Charas.empty());
    EXPECT_TRUE(PlayStageData.m_Items.empty());
    EXPECT_EQ(PlayStageData.m_RankList, std::vector<int32_t>(5, 1));
    EXPECT_EQ(PlayStageData.m_nFrameRate, 60);

    ASSERT_TRUE(WriteFileBytes("full.stg4", StageFileOf(StageFixture::Full().Stored())));
    cStageData stage;
    ASSERT_EQ(stage.LoadFile("full.stg4"), 1);
    stage.m_ScreenEdges[cStageData::EDGE_ITEM].m_nTop = 7;
    cStageData out;
    CopyPlaySettings(out, stage);
    EXPECT_EQ(out.m_nWidth, 100);
    EXPECT_EQ(out.m_nHitCheckLevel, 15);
    EXPECT_EQ(out.m_nSubSteps, 5);
    EXPECT_EQ(out.m_nSubSteps6, 30);
    EXPECT_EQ(out.m_sText, "st");
    EXPECT_EQ(out.m_RankList, std::vector<int32_t>({1, 0, 1, 0, 1}));
    EXPECT_EQ(out.m_ScreenEdges[cStageData::EDGE_ITEM].m_nTop, 7);
    ASSERT_EQ(out.m_Backgrounds.size(), 1u);
    EXPECT_EQ(out.m_Backgrounds[0].m_sImage, "sky.bmp");
    ASSERT_EQ(out.m_Texts.size(), 2u);
    EXPECT_EQ(out.m_Texts[1].m_sText, "");
    EXPECT_TRUE(out.m_Blocks.empty() && out.m_Charas.empty() && out.m_Items.empty());
    EXPECT_TRUE(out.m_PlacedBlocks.empty() && out.m_PlacedCharas.empty() && out.m_PlacedItems.empty());
    // The stage it came from keeps its palette and objects.
    EXPECT_EQ(stage.m_PlacedCharas.size(), 2u);
    EXPECT_EQ(stage.m_Blocks.size(), 2u);
}
