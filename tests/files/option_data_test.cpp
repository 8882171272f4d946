// The player's options file: its bytes, its defaults, values outside the
// options screen's ranges, damage, and saves that cannot be made.
#include "files/option_data.h"
#include "tests/records/record_test_support.h"

namespace {

// Palette 0, music on, volume 7, mode 0, "aaa".
const char* const kDefaultFile =
    "C4020000 04000000 00000000 01000000 07000000 00000000 01000000 04000000 61616100";

} // namespace

TEST_F(RecordTest, OptionsWithoutAFileAreTheDefaults)
{
    cOptionData options;
    EXPECT_EQ(options.LoadFile("Option.dat"), 0);
    EXPECT_EQ(options.m_nPalette, 0);
    EXPECT_EQ(options.m_bBgm, 1);
    EXPECT_EQ(options.m_nVolume, 7);
    EXPECT_EQ(options.m_nRankingMode, 0);
    EXPECT_EQ(options.m_sRankingName, "aaa");
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "");
    ASSERT_EQ(SaveOptions(options, "Option.dat"), 1);
    EXPECT_EQ(ReadFileBytes("Option.dat"), HexBytes(kDefaultFile));
}

TEST_F(RecordTest, OptionsFileReadsAndWritesBack)
{
    struct Row {
        const char* what;
        const char* file;
        int palette, bgm, volume, mode;
        const char* name;
    };
    const Row rows[] = {
        {"every field set", "C4020000 04000000 17000000 00000000 0A000000 03000000 01000000 04000000 58595A00", 23, 0,
         10, 3, "XYZ"},
        {"empty name: the length word 1 and nothing after it",
         "C4020000 04000000 05000000 01000000 00000000 01000000 01000000 01000000", 5, 1, 0, 1, ""},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(WriteFileBytes("Option.dat", HexBytes(row.file)));
        cOptionData options;
        ASSERT_EQ(options.LoadFile("Option.dat"), 1) << row.what;
        EXPECT_EQ(options.m_nPalette, row.palette) << row.what;
        EXPECT_EQ(options.m_bBgm, row.bgm) << row.what;
        EXPECT_EQ(options.m_nVolume, row.volume) << row.what;
        EXPECT_EQ(options.m_nRankingMode, row.mode) << row.what;
        EXPECT_EQ(options.m_sRankingName, row.name) << row.what;
        ASSERT_EQ(SaveOptions(options, "again.dat"), 1);
        EXPECT_EQ(ReadFileBytes("again.dat"), HexBytes(row.file)) << row.what;
    }
}

TEST_F(RecordTest, OptionValuesOutsideTheScreensRangesAreBroughtToTheNearestEnd)
{
    struct Row {
        int32_t palette, volume, mode;
        int wantPalette, wantVolume, wantMode;
    };
    const Row rows[] = {
        {-1, -1, -1, 0, 0, 0},
        {24, 11, 4, 23, 10, 3},
        {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 23, 10, 3},
        {static_cast<int32_t>(0x80000000), static_cast<int32_t>(0x80000000), static_cast<int32_t>(0x80000000), 0, 0, 0},
    };
    for (const Row& row : rows) {
        FixtureBytes file;
        file.u32(708).u32(4).i32(row.palette).i32(1).i32(row.volume).i32(row.mode).u32(1).u32(1);
        ASSERT_TRUE(WriteFileBytes("Option.dat", file.get()));
        cOptionData options;
        ASSERT_EQ(options.LoadFile("Option.dat"), 1);
        EXPECT_EQ(options.m_nPalette, row.wantPalette) << row.palette;
        EXPECT_EQ(options.m_nVolume, row.wantVolume) << row.volume;
        EXPECT_EQ(options.m_nRankingMode, row.wantMode) << row.mode;
    }
}

TEST_F(RecordTest, DamagedOptionsFileKeepsThePlayersSettings)
{
    const char* const files[] = {
        "C4020000 04000000 03000000 00000000 02",
        "C4020000 04000000 03000000 00000000 02000000 01000000 01000000",
        "C4020000 04000000 03000000 00000000 02000000 01000000 01000000 FFFFFFFF 58",
        "C4020000 FFFFFFFF 03000000",
        "C4020000",
    };
    int reports = 0;
    for (const char* file : files) {
        ASSERT_TRUE(WriteFileBytes("Option.dat", HexBytes(file)));
        cOptionData options;
        options.m_nPalette = 9;
        options.m_nVolume = 4;
        options.m_sRankingName = "ME";
        EXPECT_EQ(options.LoadFile("Option.dat"), 0) << file;
        EXPECT_EQ(DamageReports(), ++reports) << file;
        EXPECT_EQ(options.m_nPalette, 9) << file;
        EXPECT_EQ(options.m_nVolume, 4) << file;
        EXPECT_EQ(options.m_sRankingName, "ME") << file;
    }
}

TEST_F(RecordTest, OptionsSaveThatCannotBeMadeIsReported)
{
    cOptionData options;
    EXPECT_EQ(SaveOptions(options, "missing_folder/Option.dat"), 0);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("missing_folder/Option.dat"), std::string::npos);
}
