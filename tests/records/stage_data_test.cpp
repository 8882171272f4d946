// The stage record: its fields per data version, the settings older editors
// did not store, the derived timing values, and the stage file body written
// back to the byte.
#include "tests/records/stage_fixtures.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <map>

#include "records/record_context.h"
#include "records/stage_data.h"

namespace {

// The record of a version-154 stage, typed out: 71 fields, then the text "st".
const char* const kRecord154 =
    "47000000"
    "64000000 02000000 03000000 3C000000 05000000 06000000 07000000 08000000"  // 1-8
    "09000000 0A000000 0B000000 0C000000 0D000000 0E000000 0F000000 10000000"  // 9-16
    "11000000 12000000 13000000 14000000 000000000000E03F 0F000000 03000000 18000000"  // 17-24
    "1B000000 1C000000 1D000000 20000000 22000000 23000000 28000000 29000000"  // 27-29, 32, 34, 35, 40, 41
    "2C000000 2D000000 2E000000 2F000000 35000000 36000000 37000000 39000000"  // 44-47, 53-55, 57
    "3A000000 3B000000 40000000 41000000 44000000 45000000 4A000000 4B000000"  // 58, 59, 64, 65, 68, 69, 74, 75
    "4C000000 4D000000 4E000000 4F000000 50000000 51000000 52000000 53000000"  // 76-83
    "54000000 55000000 56000000 57000000 0000000000005640 0000000000405640 0000000000805640 0000000000C05640"  // 84-91
    "0000000000005740 5D000000 5E000000 5F000000 60000000 61000000 62000000"  // 92-98
    "01000000 03000000 737400";

// Six empty object lists.
const char* const kNoObjects = "00000000 00000000 00000000 00000000 00000000 00000000";

// Reads the record part of a stage body written at 708, by the field table;
// moves at past it.
std::map<int, double> ParseRecord708(const std::vector<unsigned char>& body, size_t& at)
{
    std::map<int, double> values;
    auto take = [&](auto value) {
        EXPECT_LE(at + sizeof value, body.size());
        if (at + sizeof value > body.size()) return decltype(value)();
        std::memcpy(&value, body.data() + at, sizeof value);
        at += sizeof value;
        return value;
    };
    EXPECT_EQ(take(uint32_t()), 98u);
    for (const StageField& f : kStageFields)
        values[f.number] = f.isDouble ? take(double()) : take(int32_t());
    EXPECT_EQ(take(uint32_t()), 1u);
    uint32_t length = take(uint32_t());
    if (length > 1) at += length;
    return values;
}

// The game's music list holds n tunes while the object lives.
class ScopedMusicList {
public:
    explicit ScopedMusicList(int n) : m_nSaved(RecordContext.nBgms) { RecordContext.nBgms = n; }
    ~ScopedMusicList() { RecordContext.nBgms = m_nSaved; }

private:
    int m_nSaved;
};

// What the load sets for the settings that older editors did not store.
const std::map<int, double> kBelow155 = {{42, 40}, {43, 41}, {66, 64}, {67, 65},
                                         {50, 0},  {51, 0},  {72, 0},  {73, 0}};
const std::map<int, double> kBelow166 = {{25, 1}};
const std::map<int, double> kBelow183 = {{30, 1}};
const std::map<int, double> kBelow184 = {{31, 0}};
const std::map<int, double> kBelow199 = {{26, 0}};
const std::map<int, double> kBelow200 = {{36, 16}, {37, 24}, {38, 16}, {39, 16}, {48, 1}, {49, 0}, {52, 0},
                                         {56, 5},  {60, 16}, {61, 30}, {62, 16}, {63, 30}, {70, 1}, {71, 1}};
const std::map<int, double> kBelow225 = {{33, 0}};

// The stage tests run with the database and palettes of the definition
// tests; a stage being read names its own palette while it reads.
class StageRecordTest : public DefinitionTest {};

} // namespace

TEST_F(StageRecordTest, StageFieldCountsByVersion)
{
    const std::pair<int, size_t> counts[] = {{0, 71},   {154, 71},  {155, 79},  {165, 79},  {166, 80},
                                             {182, 80}, {183, 81},  {184, 82},  {198, 82},  {199, 83},
                                             {200, 97}, {224, 97},  {225, 98},  {708, 98}};
    cStageData stage;
    for (auto [version, count] : counts) {
        stage.RegisterFields(version);
        EXPECT_EQ(stage.Fields().size(), count) << "version " << version;
        EXPECT_EQ(stage.Strings().size(), 1u);
    }
    // The typed-out record of version 154 is the one the table gives.
    EXPECT_EQ(StoredStageRecord(154), HexBytes(kRecord154));
}

TEST_F(StageRecordTest, StageFilesOfOlderVersionsLoadWithTheSettingsOfTheirTime)
{
    struct Case {
        int version;
        const char* rankList;
        std::vector<int32_t> expectedRanks;
        std::vector<const std::map<int, double>*> upgrades;
    };
    const Case cases[] = {
        {154, "04000000 07000000 08000000 09000000 06000000", {7, 8, 9, 0, 0},
         {&kBelow155, &kBelow166, &kBelow183, &kBelow184, &kBelow199, &kBelow200, &kBelow225}},
        {165, "06000000 01000000 02000000 03000000 04000000 05000000 06000000", {1, 2, 3, 0, 0},
         {&kBelow166, &kBelow183, &kBelow184, &kBelow199, &kBelow200, &kBelow225}},
        {199, "05000000 01000000 00000000 01000000 00000000 01000000", {1, 0, 1, 0, 1}, {&kBelow200, &kBelow225}},
        {224, "03000000 00000000 01000000 01000000", {0, 1, 1}, {&kBelow225}},
        {708, "05000000 00000000 01000000 01000000 01000000 01000000", {0, 1, 1, 1, 1}, {}},
    };
    ScopedMusicList music(25);
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("version %d", c.version));
        FixtureBytes file;
        file.u32(static_cast<uint32_t>(c.version));
        file.bytes(c.version == 154 ? HexBytes(kRecord154) : StoredStageRecord(c.version)).hex(c.rankList);
        file.hex(kStageEdges).hex(kNoObjects).hex(kStageBackgrounds).hex(kStageTexts);
        if (c.version >= 173) file.hex(kStageEndMarker);
        ASSERT_TRUE(WriteFileBytes("stage.stg4", file.get()));

        cStageData stage;
        ASSERT_EQ(stage.LoadFile("stage.stg4"), 1);
        EXPECT_EQ(stage.m_RankList, c.expectedRanks);
        EXPECT_EQ(stage.m_nHitCheckLevel, 15);
        EXPECT_EQ(stage.m_nSubSteps6, 30);
        EXPECT_EQ(stage.m_sText, "st");
        EXPECT_EQ(stage.m_ScreenEdges[cStageData::EDGE_CHARA].m_nBottom, 3);
        EXPECT_EQ(stage.m_ScreenEdges[cStageData::EDGE_OTHER_SHOT].m_nLeft, 10);
        ASSERT_EQ(stage.m_Backgrounds.size(), 1u);
        EXPECT_EQ(stage.m_Backgrounds[0].m_sImage, "sky.bmp");
        ASSERT_EQ(stage.m_Texts.size(), 2u);
        EXPECT_EQ(stage.m_Texts[0].m_sText, "hello");

        // Every field, as the current version writes it.
        ASSERT_EQ(stage.SaveFile("saved.stg4"), 1);
        std::vector<unsigned char> saved = BodyOf("saved.stg4");
        size_t at = 0;
        std::map<int, double> values = ParseRecord708(saved, at);
        std::map<int, double> expected;
        for (const StageField& f : kStageFields) expected[f.number] = c.version >= f.from ? StoredValue(f.number) : f.reset;
        for (const auto* upgrade : c.upgrades)
            for (auto [number, value] : *upgrade) expected[number] = value;
        for (auto [number, value] : kLevel15Timing) expected[number] = value;
        for (const StageField& f : kStageFields) EXPECT_EQ(values[f.number], expected[f.number]) << "field " << f.number;

        // The rest: the ranks as loaded, each palette list padded to two
        // rows, the other lists as they were, the end marker.
        FixtureBytes rest;
        rest.u32(static_cast<uint32_t>(c.expectedRanks.size()));
        for (int32_t rank : c.expectedRanks) rest.i32(rank);
        rest.hex(kStageEdges).bytes(DefaultPaletteLists()).hex("00000000 00000000 00000000");
        rest.hex(kStageBackgrounds).hex(kStageTexts).hex(kStageEndMarker);
        EXPECT_EQ(std::vector<unsigned char>(saved.begin() + std::min(at, saved.size()), saved.end()), rest.get());

        // What the runtime wrote it reads and writes again to the byte.
        cStageData again;
        ASSERT_EQ(again.LoadFile("saved.stg4"), 1);
        ASSERT_EQ(again.SaveFile("again.stg4"), 1);
        EXPECT_EQ(ReadFileBytes("again.stg4"), ReadFileBytes("saved.stg4"));
    }
}

TEST_F(StageRecordTest, StageResetGivesTheEditorsDefaults)
{
    cStageData stage;
    stage.m_nWidth = 40;
    stage.m_nHeight = 30;
    ASSERT_EQ(stage.SaveFile("reset.stg4"), 1);
    std::vector<unsigned char> saved = BodyOf("reset.stg4");
    size_t at = 0;
    std::map<int, double> values = ParseRecord708(saved, at);
    // The save derives the timing of level 10: 10 sub-steps, 60 pixels a frame.
    const std::map<int, double> timing = {{87, 10}, {88, 10}, {89, 100}, {90, 60}, {91, 0.4 / 100}, {92, 6}, {93, 80}};
    for (const StageField& f : kStageFields) {
        double expected = f.number == 1 ? 40 : f.number == 4 ? 30 : f.reset;
        if (timing.count(f.number)) expected = timing.at(f.number);
        EXPECT_EQ(values[f.number], expected) << "field " << f.number;
    }
    EXPECT_EQ(stage.m_RankList, std::vector<int32_t>(5, 1));
    ASSERT_EQ(stage.m_Backgrounds.size(), 1u);
    EXPECT_EQ(stage.m_Backgrounds[0].m_bShown, 1);
    EXPECT_EQ(stage.m_Backgrounds[0].m_bFill, 0);
    EXPECT_EQ(stage.m_Backgrounds[0].m_nFillColor, 16);
    EXPECT_TRUE(stage.m_Texts.empty());
    // Edges: three all 0, then all sides on with margins 0, and with margins 10.
    std::vector<unsigned char> rest(saved.begin() + std::min(at, saved.size()), saved.end());
    std::vector<unsigned char> expectedStart = HexBytes(
        "05000000 01000000 01000000 01000000 01000000 01000000"
        "08000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000"
        "08000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000"
        "08000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000"
        "08000000 01000000 01000000 01000000 01000000 00000000 00000000 00000000 00000000 00000000"
        "08000000 01000000 01000000 01000000 01000000 0A000000 0A000000 0A000000 0A000000 00000000");
    ASSERT_GE(rest.size(), expectedStart.size());
    EXPECT_EQ(std::vector<unsigned char>(rest.begin(), rest.begin() + expectedStart.size()), expectedStart);
}

TEST_F(StageRecordTest, StageTimingFollowsTheHitCheckLevel)
{
    struct Case {
        int level;
        int subSteps;
        double limit;
    };
    // Levels outside 1 to 19 are kept as stored but timed as the nearest
    // level the editor offers: 0 would leave a frame without sub-steps.
    const Case cases[] = {{15, 5, 60}, {5, 5, 30}, {1, 1, 6},  {10, 10, 60}, {11, 1, 60},
                          {19, 9, 60}, {0, 1, 6},  {-3, 1, 6}, {20, 9, 60},  {1000, 9, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("level %d", c.level));
        cStageData stage;
        stage.m_dGravity = 0.3;
        stage.SetHitCheckLevel(c.level);
        EXPECT_EQ(stage.m_nHitCheckLevel, c.level);
        EXPECT_EQ(stage.m_nSubSteps, c.subSteps);
        EXPECT_EQ(stage.m_dSpeedScale, c.subSteps);
        EXPECT_EQ(stage.m_dSubStepsSquared, c.subSteps * c.subSteps);
        EXPECT_EQ(stage.m_nSubSteps6, 6 * c.subSteps);
        EXPECT_EQ(stage.m_nSubSteps8, 8 * c.subSteps);
        EXPECT_EQ(stage.m_dSpeedLimit, c.limit);
        EXPECT_DOUBLE_EQ(stage.m_dSpeedLimitStep, c.limit / c.subSteps);
        EXPECT_DOUBLE_EQ(stage.m_dGravityStep, 0.3 / (c.subSteps * c.subSteps));
    }
}

TEST_F(StageRecordTest, StageShotHitPassesSpreadOverTheSubSteps)
{
    struct Case {
        int level;
        int passes;
        std::vector<int> schedule;
    };
    const Case cases[] = {
        {14, 3, {1, 1, 1, 0}},                  // 0, 1.33, 2.67
        {2, 5, {1, 1}},                         // 0, 0.4, 0.8, 1.2, 1.6
        {3, 2, {1, 1, 0}},                      // 0, 1.5
        {15, 3, {1, 1, 0, 1, 0}},               // 0, 1.67, 3.33
        {19, 2, {1, 0, 0, 0, 1, 0, 0, 0, 0}},   // 0, 4.5
        {4, 0, {1, 1, 1, 1}},                   // every sub-step
        // Counts outside 0 to 5 are timed as the nearest offered count, and
        // levels outside 1 to 19 as the nearest level.
        {4, -2, {1, 1, 1, 1}},
        {4, 9, {1, 1, 1, 1}},
        {0, 3, {1}},
        {-4, 1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("level %d, %d passes", c.level, c.passes));
        cStageData stage;
        stage.m_nHitCheckLevel = c.level;
        stage.m_nShotHitPasses = c.passes;
        EXPECT_EQ(stage.HitSchedule(), c.schedule);
        EXPECT_EQ(stage.m_nShotHitPasses, c.passes);
    }
}

TEST_F(StageRecordTest, StageNormalizeKeepsLimitsAndTuneInRange)
{
    ScopedMusicList music(5);
    cStageData stage;
    stage.m_nWidth = 30;
    stage.m_nHeight = 20;
    stage.m_nScrollLeft = stage.m_nScrollRight = stage.m_nScrollTop = stage.m_nScrollBottom = 50;
    stage.Normalize();
    EXPECT_EQ(stage.m_nScrollLeft, 10);
    EXPECT_EQ(stage.m_nScrollRight, 29);
    EXPECT_EQ(stage.m_nScrollTop, 5);
    EXPECT_EQ(stage.m_nScrollBottom, 19);
    // Limits already inside stay; a stage smaller than the view gets limits
    // below 0, as the editor gives them.
    stage.m_nWidth = 10;
    stage.m_nScrollLeft = -2;
    stage.m_nScrollRight = 4;
    stage.Normalize();
    EXPECT_EQ(stage.m_nScrollLeft, -10);
    EXPECT_EQ(stage.m_nScrollRight, 4);
    // A size near the bottom of the int range holds every limit at its lowest
    // value instead of wrapping round to a large one.
    stage.m_nWidth = INT_MIN + 5;
    stage.m_nHeight = INT_MIN;
    stage.Normalize();
    EXPECT_EQ(stage.m_nScrollLeft, INT_MIN);
    EXPECT_EQ(stage.m_nScrollRight, INT_MIN + 4);
    EXPECT_EQ(stage.m_nScrollTop, INT_MIN);
    EXPECT_EQ(stage.m_nScrollBottom, INT_MIN);

    // A stage without frames a second plays at 60.
    for (auto [rate, kept] : {std::pair{0, 60}, {-30, 60}, {1, 1}, {30, 30}, {120, 120}}) {
        stage.m_nFrameRate = rate;
        stage.Normalize();
        EXPECT_EQ(stage.m_nFrameRate, kept) << "frame rate " << rate;
    }

    // Tunes 0 to 4 of five stay; any other plays nothing.
    for (auto [tune, kept] : {std::pair{4, 4}, {1, 1}, {5, 0}, {-1, 0}, {1000, 0}}) {
        stage.m_nBgm = tune;
        stage.Normalize();
        EXPECT_EQ(stage.m_nBgm, kept) << "tune " << tune;
    }
}


TEST_F(StageRecordTest, StageWithEveryListReadsAndWritesBackToTheByte)
{
    ScopedMusicList music(25);
    StageFixture fixture = StageFixture::Full();
    // The u32 before each placed record is dropped when read and written as 0.
    fixture.unused = 0x12345678;
    ASSERT_TRUE(WriteFileBytes("full.stg4", StageFileOf(fixture.Stored())));
    cStageData stage;
    ASSERT_EQ(stage.LoadFile("full.stg4"), 1);
    ASSERT_EQ(stage.m_Blocks.size(), 2u);
    EXPECT_EQ(stage.m_Blocks[1].m_sName, "レンガ");
    ASSERT_EQ(stage.m_Charas.size(), 2u);
    EXPECT_EQ(stage.m_Charas[1].m_Flows.size(), 1u);
    ASSERT_EQ(stage.m_PlacedBlocks.size(), 1u);
    EXPECT_EQ(stage.m_PlacedBlocks[0].m_sCellX, 3);
    EXPECT_EQ(stage.m_PlacedBlocks[0].m_sItemIndex, 1);   // row 1 of the stage palette's items exists
    ASSERT_EQ(stage.m_PlacedCharas.size(), 2u);
    EXPECT_EQ(stage.m_PlacedCharas[1].m_sCellY, 5);
    EXPECT_EQ(stage.m_PlacedCharas[0].m_nItemLink, -1);
    ASSERT_EQ(stage.m_PlacedItems.size(), 1u);
    EXPECT_EQ(stage.m_PlacedItems[0].m_sCellX, 7);
    EXPECT_EQ(stage.FindHero(), 1);
    EXPECT_EQ(stage.m_Texts.size(), 2u);

    fixture.unused = 0;
    ASSERT_EQ(stage.SaveFile("saved.stg4"), 1);
    EXPECT_EQ(BodyOf("saved.stg4"), fixture.Stored());
    EXPECT_EQ(DamageReports(), 0);
}

TEST_F(StageRecordTest, PlacedRecordsInheritFromThePaletteOfTheStageBeingRead)
{
    // The placed character stores a computer-controlled nameless character
    // that takes its name and control (groups 0 and 1) from row 1 of the
    // stage palette: the hero. The test's own stage palette has one row only.
    StageFixture fixture = StageFixture::Full();
    CharaFixture hero;
    hero.name = "主人公";
    hero.Set("m_cControl", 0);
    fixture.charas[1] = hero.Stored();
    CharaFixture placed;
    placed.Set("m_cInheritSource", 2).Set("m_sInheritIndex", 1);
    placed.flags = FlagsWith(37, {0, 1});
    fixture.placedCharas = {placed.Stored()};
    ASSERT_TRUE(WriteFileBytes("inherit.stg4", StageFileOf(fixture.Stored())));
    ASSERT_EQ(this->stage.m_Charas.size(), 1u);

    cStageData loaded;
    ASSERT_EQ(loaded.LoadFile("inherit.stg4"), 1);
    ASSERT_EQ(loaded.m_PlacedCharas.size(), 1u);
    EXPECT_EQ(loaded.m_PlacedCharas[0].m_sName, "主人公");
    EXPECT_EQ(loaded.m_PlacedCharas[0].m_cInheritSource, 2);
    EXPECT_EQ(loaded.FindHero(), 0);
    // Afterwards the test's own palette is the stage palette again, with its
    // own row counts.
    EXPECT_EQ(RecordContext.Palettes[PALETTE_STAGE].lpCharas, &this->stage.m_Charas);
    EXPECT_EQ(RecordContext.nPaletteCharas[PALETTE_STAGE], 1);
}

TEST_F(StageRecordTest, TheHeroIsTheFirstPlacedCharacterThePlayerControls)
{
    struct Case {
        std::vector<int> controls;
        int hero;
    };
    const Case cases[] = {{{}, -1}, {{1}, -1}, {{1, 1, 1}, -1}, {{0}, 0}, {{1, 0, 0}, 1}, {{1, 2, 0}, 2}};
    for (const Case& c : cases) {
        cStageData stage;
        for (int control : c.controls) {
            stage.m_PlacedCharas.emplace_back();
            stage.m_PlacedCharas.back().m_cControl = static_cast<int8_t>(control);
        }
        EXPECT_EQ(stage.FindHero(), c.hero) << testing::PrintToString(c.controls);
        EXPECT_EQ(stage.HasHero(), c.hero != -1);
    }
}

TEST_F(StageRecordTest, DamagedStageFilesFailWithAReport)
{
    ScopedMusicList music(25);
    StageFixture fixture = StageFixture::Full();
    const Bytes good = StageFileOf(fixture.Stored());
    ASSERT_TRUE(WriteFileBytes("good.stg4", good));
    cStageData reference;
    ASSERT_EQ(reference.LoadFile("good.stg4"), 1);

    // Cut anywhere, the stage fails with one report, and what it holds stays
    // usable: its lists hold registered records.
    for (size_t length = 4; length < good.size(); ++length) {
        ASSERT_TRUE(WriteFileBytes("cut.stg4", Bytes(good.begin(), good.begin() + length)));
        cStageData stage;
        ASSERT_EQ(stage.LoadFile("cut.stg4"), 0) << "cut at " << length;
        for (cBackgroundData& b : stage.m_Backgrounds) ASSERT_EQ(b.Fields().size(), 10u);
        for (cCharaData& c : stage.m_PlacedCharas) ASSERT_EQ(c.Fields().size(), 53u);
    }
    EXPECT_EQ(DamageReports(), static_cast<int>(good.size() - 4));

    // A count of any list that claims more than the file holds.
    std::vector<size_t> counts = fixture.CountOffsets();
    ASSERT_EQ(counts.size(), 9u);
    for (size_t at : counts) {
        for (uint32_t claim : {0x7FFFFFFFu, 0xFFFFFFFFu, 100000u}) {
            Bytes spoilt = good;
            for (int i = 0; i < 4; ++i) spoilt[4 + at + i] = static_cast<unsigned char>(claim >> (8 * i));
            ASSERT_TRUE(WriteFileBytes("huge.stg4", spoilt));
            cStageData stage;
            int reports = DamageReports();
            EXPECT_EQ(stage.LoadFile("huge.stg4"), 0) << "count at " << at << " claims " << claim;
            EXPECT_EQ(DamageReports(), reports + 1);
        }
    }

    // A stage of negative size, down to files that hold nothing but the size.
    struct Case {
        const char* what;
        Bytes file;
    };
    auto withSize = [&](int32_t width, int32_t height) {
        Bytes file = good;
        std::memcpy(&file[8], &width, 4);
        std::memcpy(&file[20], &height, 4);
        return file;
    };
    const Case cases[] = {
        {"width -1", withSize(-1, 60)},
        {"height -1", withSize(100, -1)},
        {"width INT_MIN", withSize(INT_MIN, 60)},
        // Block maps play could not build: refused before anything is made.
        {"width 100000", withSize(100000, 15)},
        {"width INT_MAX", withSize(INT_MAX, 60)},
        {"height INT_MAX", withSize(60, INT_MAX)},
        {"1005 by 1005", withSize(1005, 1005)},
        {"12 bytes", HexBytes("C4020000 01000000 00000080")},
        {"24 bytes", HexBytes("C4020000 04000000 14000000 00000000 00000000 00000080")},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes("size.stg4", c.file));
        cStageData stage;
        EXPECT_EQ(stage.LoadFile("size.stg4"), 0) << c.what;
    }
    std::string log = ReadFileText("Report_Game.txt");
    EXPECT_NE(log.find("the stage is -1 by 60 cells"), std::string::npos);
    EXPECT_NE(log.find("the stage is 100 by -1 cells"), std::string::npos);
    EXPECT_NE(log.find("the stage is 100000 by 15 cells: its block map of 4587520 cells is larger than the 1048576"),
              std::string::npos);

    // The largest maps play builds: 1004 + 19 columns make a pitch of 1024,
    // 1004 + 20 rows of it 1048576 cells; 16364 by 44 and 32748 by 12 the same.
    for (auto [width, height] : {std::pair{1004, 1004}, {16364, 44}, {32748, 12}}) {
        ASSERT_TRUE(WriteFileBytes("size.stg4", withSize(width, height)));
        cStageData stage;
        EXPECT_EQ(stage.LoadFile("size.stg4"), 1) << width << " by " << height;
    }
}

TEST_F(StageRecordTest, ValuesPlayCannotHoldAreBroughtWithinItWithOneReport)
{
    // Each value as stored, and as the load leaves it.
    struct Case {
        const char* what;
        void (*store)(cStageData&, double);
        double stored, loaded;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"player body width", [](cStageData& s, double v) { s.m_nPlayerBodyW = int32_t(v); }, INT_MIN, -32767},
        {"player body height", [](cStageData& s, double v) { s.m_nPlayerBodyH = int32_t(v); }, INT_MAX, 32767},
        {"player hit height", [](cStageData& s, double v) { s.m_nPlayerHitH = int32_t(v); }, INT_MIN, -32767},
        {"second centred box", [](cStageData& s, double v) { s.m_nPlayerCentredH = int32_t(v); }, 40000, 32767},
        {"character body width", [](cStageData& s, double v) { s.m_nCharaBodyW = int32_t(v); }, INT_MIN, -32767},
        {"character size 1 box", [](cStageData& s, double v) { s.m_nCharaHitSize1H = int32_t(v); }, 1e9, 32767},
        {"item box", [](cStageData& s, double v) { s.m_nItemBoxW = int32_t(v); }, INT_MAX, 32767},
        {"other shots' box", [](cStageData& s, double v) { s.m_nShotBox2H = int32_t(v); }, INT_MIN, -32767},
        {"object limit x", [](cStageData& s, double v) { s.m_nObjectLimitX = int32_t(v); }, INT_MAX, 16777216},
        {"object limit y", [](cStageData& s, double v) { s.m_nObjectLimitY = int32_t(v); }, INT_MIN, -16777216},
        {"gravity not a number", [](cStageData& s, double v) { s.m_dGravity = v; }, nan, 0.4},
        {"gravity +inf", [](cStageData& s, double v) { s.m_dGravity = v; }, inf, 1e6},
        {"gravity -1e300", [](cStageData& s, double v) { s.m_dGravity = v; }, -1e300, -1e6},
    };
    auto loaded = [](cStageData& stored) {
        EXPECT_EQ(stored.SaveFile("bounds.stg4"), 1);
        cStageData stage;
        EXPECT_EQ(stage.LoadFile("bounds.stg4"), 1);
        return stage;
    };
    auto reportLines = [] {
        const std::string line = "values beyond what play can hold were brought within it";
        std::string log = ReadFileText("Report_Game.txt");
        size_t lines = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++lines;
        return lines;
    };
    size_t reports = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cStageData stored;
        stored.m_nWidth = stored.m_nHeight = 30;
        c.store(stored, c.stored);
        cStageData stage = loaded(stored);
        cStageData expected = stored;
        c.store(expected, c.loaded);
        EXPECT_EQ(stage.m_dGravity, expected.m_dGravity);
        EXPECT_EQ(stage.m_dGravityStep, expected.m_dGravity / 100);
        for (auto field : {&cStageData::m_nPlayerBodyW, &cStageData::m_nPlayerBodyH, &cStageData::m_nPlayerHitH,
                           &cStageData::m_nPlayerCentredH, &cStageData::m_nCharaBodyW, &cStageData::m_nCharaHitSize1H,
                           &cStageData::m_nItemBoxW, &cStageData::m_nShotBox2H, &cStageData::m_nObjectLimitX,
                           &cStageData::m_nObjectLimitY})
            EXPECT_EQ(stage.*field, expected.*field);
        // One line for the stage.
        EXPECT_EQ(reportLines(), ++reports);
    }

    // What an editor writes stays as it is, and is not reported.
    cStageData edited;
    edited.m_nWidth = 300;
    edited.m_nHeight = 15;
    edited.m_BoxDisplayColor[2] = 1073741824;
    edited.m_nPlayerBodyW = 30;
    edited.m_nPlayerHitH = -4;
    edited.m_nObjectLimitX = 300 * 32 - 640;
    edited.m_dGravity = 2.5;
    edited.m_nTimeLimit = INT_MIN;
    edited.m_nInvGeneralCpu = INT_MAX;
    cStageData stage = loaded(edited);
    EXPECT_EQ(stage.m_nPlayerBodyW, 30);
    EXPECT_EQ(stage.m_nPlayerHitH, -4);
    EXPECT_EQ(stage.m_nObjectLimitX, 300 * 32 - 640);
    EXPECT_EQ(stage.m_dGravity, 2.5);
    // Play counts or shows these without wrapping; the stored values stay.
    EXPECT_EQ(stage.m_BoxDisplayColor[2], 1073741824);
    EXPECT_EQ(stage.m_nTimeLimit, INT_MIN);
    EXPECT_EQ(stage.m_nInvGeneralCpu, INT_MAX);
    EXPECT_EQ(reportLines(), reports);
}
