// The stage record: its fields per data version, the settings older editors
// did not store, the derived timing values, and the stage file body written
// back to the byte.
#include "tests/records/record_test_support.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "records/record_context.h"
#include "records/stage_data.h"

namespace {

// The stage record's fields in file order: number, the first data version
// that stores it, whether it is a double, the value after a reset.
struct StageField {
    int number;
    int from;
    bool isDouble;
    double reset;
};

const StageField kStageFields[] = {
    {1, 0, false, 0},    {2, 0, false, 0},    {3, 0, false, 0},    {4, 0, false, 0},    {5, 0, false, 0},
    {6, 0, false, 0},    {7, 0, false, 0},    {8, 0, false, 0},    {9, 0, false, 0},    {10, 0, false, 0},
    {11, 0, false, 0},   {12, 0, false, 0},   {13, 0, false, 60},  {14, 0, false, 0},   {15, 0, false, 200},
    {16, 0, false, 20},  {17, 0, false, 0},   {18, 0, false, 0},   {19, 0, false, 0},   {20, 0, false, 0},
    {21, 0, true, 0.4},  {22, 0, false, 10},  {23, 0, false, 0},   {24, 0, false, 0},   {25, 166, false, 0},
    {26, 199, false, 0}, {27, 0, false, 1},   {28, 0, false, 0},   {29, 0, false, 0},   {30, 183, false, 1},
    {31, 184, false, 0}, {32, 0, false, 0},   {33, 225, false, 1}, {34, 0, false, 1},   {35, 0, false, 1},
    {36, 200, false, 16}, {37, 200, false, 24}, {38, 200, false, 16}, {39, 200, false, 16}, {40, 0, false, 16},
    {41, 0, false, 24},  {42, 155, false, 16}, {43, 155, false, 16}, {44, 0, false, 12},  {45, 0, false, 8},
    {46, 0, false, 16},  {47, 0, false, 16},  {48, 200, false, 1}, {49, 200, false, 0}, {50, 155, false, 1},
    {51, 155, false, 0}, {52, 200, false, 0}, {53, 0, false, 0},   {54, 0, false, 0},   {55, 0, false, 0},
    {56, 200, false, 0}, {57, 0, false, 0},   {58, 0, false, 0},   {59, 0, false, 0},   {60, 200, false, 16},
    {61, 200, false, 24}, {62, 200, false, 16}, {63, 200, false, 16}, {64, 0, false, 12},  {65, 0, false, 24},
    {66, 155, false, 12}, {67, 155, false, 16}, {68, 0, false, 30},  {69, 0, false, 30},  {70, 200, false, 1},
    {71, 200, false, 0}, {72, 155, false, 1}, {73, 155, false, 0}, {74, 0, false, 28},  {75, 0, false, 28},
    {76, 0, false, 16},  {77, 0, false, 16},  {78, 0, false, 16},  {79, 0, false, 16},  {80, 0, false, 16},
    {81, 0, false, 16},  {82, 0, false, 16},  {83, 0, false, 16},  {84, 0, false, 1},   {85, 0, false, 0},
    {86, 0, false, 0},   {87, 0, false, 0},   {88, 0, true, 0},    {89, 0, true, 0},    {90, 0, true, 0},
    {91, 0, true, 0},    {92, 0, true, 0},    {93, 0, false, 0},   {94, 0, false, 1},   {95, 0, false, 30},
    {96, 0, false, 0},   {97, 0, false, 30},  {98, 0, false, 0},
};

// The values the fixtures store: each field its own number, except a stage
// of 100 by 60 cells, gravity 0.5, hit-check level 15 and 3 shot-hit passes.
double StoredValue(int number)
{
    switch (number) {
    case 1: return 100;
    case 4: return 60;
    case 21: return 0.5;
    case 22: return 15;
    case 23: return 3;
    default: return number;
    }
}

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

// What follows the rank list in every fixture: the five screen edges, six
// empty object lists, one background layer and two texts.
const char* const kStageTail =
    "08000000 01000000 00000000 01000000 00000000 00000000 01000000 02000000 03000000 00000000"
    "08000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 02000000 02000000 02000000 02000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 00000000 00000000 00000000 00000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 0A000000 0A000000 0A000000 0A000000 00000000"
    "00000000 00000000 00000000 00000000 00000000 00000000"
    "01000000 0A000000 00000000 01000000 05000000 01000000 000000000000D03F 000000000000E03F 01000000"
    "         00000000 000000000000F83F 0000000000000000 01000000 08000000 736B792E626D7000"
    "02000000 00000000 01000000 06000000 68656C6C6F00"
    "         00000000 01000000 01000000";
const char* const kEndMarker = "15CD5B07";

// The record of the fixtures at a version, from the field table.
std::vector<unsigned char> StoredRecord(int version)
{
    FixtureBytes fields;
    uint32_t n = 0;
    for (const StageField& f : kStageFields) {
        if (version < f.from) continue;
        ++n;
        fields.sized(f.isDouble ? 8 : 4, StoredValue(f.number));
    }
    FixtureBytes record;
    record.u32(n).bytes(fields.get()).hex("01000000 03000000 737400");
    return record.get();
}

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

// The timing values of hit-check level 15 (5 sub-steps) with gravity 0.5.
const std::map<int, double> kLevel15Timing = {{87, 5}, {88, 5}, {89, 25}, {90, 60}, {91, 0.5 / 25}, {92, 12}, {93, 40}};

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

} // namespace

TEST_F(RecordTest, StageFieldCountsByVersion)
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
    EXPECT_EQ(StoredRecord(154), HexBytes(kRecord154));
}

TEST_F(RecordTest, StageFilesOfOlderVersionsLoadWithTheSettingsOfTheirTime)
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
        file.bytes(c.version == 154 ? HexBytes(kRecord154) : StoredRecord(c.version)).hex(c.rankList).hex(kStageTail);
        if (c.version >= 173) file.hex(kEndMarker);
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

        // The rest: the ranks as loaded, the lists as they were, the end marker.
        FixtureBytes rest;
        rest.u32(static_cast<uint32_t>(c.expectedRanks.size()));
        for (int32_t rank : c.expectedRanks) rest.i32(rank);
        rest.hex(kStageTail).hex(kEndMarker);
        EXPECT_EQ(std::vector<unsigned char>(saved.begin() + std::min(at, saved.size()), saved.end()), rest.get());

        // What the runtime wrote it reads and writes again to the byte.
        cStageData again;
        ASSERT_EQ(again.LoadFile("saved.stg4"), 1);
        ASSERT_EQ(again.SaveFile("again.stg4"), 1);
        EXPECT_EQ(ReadFileBytes("again.stg4"), ReadFileBytes("saved.stg4"));
    }
}

TEST_F(RecordTest, StageResetGivesTheEditorsDefaults)
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

TEST_F(RecordTest, StageTimingFollowsTheHitCheckLevel)
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

TEST_F(RecordTest, StageShotHitPassesSpreadOverTheSubSteps)
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

TEST_F(RecordTest, StageNormalizeKeepsLimitsAndTuneInRange)
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

    // Tunes 0 to 4 of five stay; any other plays nothing.
    for (auto [tune, kept] : {std::pair{4, 4}, {1, 1}, {5, 0}, {-1, 0}, {1000, 0}}) {
        stage.m_nBgm = tune;
        stage.Normalize();
        EXPECT_EQ(stage.m_nBgm, kept) << "tune " << tune;
    }
}

TEST_F(RecordTest, DamagedStageFilesFailWithAReport)
{
    FixtureBytes goodFile;
    goodFile.hex("C4020000").bytes(StoredRecord(708));
    goodFile.hex("05000000 01000000 01000000 01000000 01000000 01000000").hex(kStageTail).hex(kEndMarker);
    const std::vector<unsigned char>& good = goodFile.get();
    ASSERT_TRUE(WriteFileBytes("good.stg4", good));
    cStageData reference;
    ASSERT_EQ(reference.LoadFile("good.stg4"), 1);

    // Every cut fails, and the stage stays usable: its lists hold usable
    // records and its timing is derived.
    for (size_t length = 4; length < good.size(); length += 3) {
        ASSERT_TRUE(WriteFileBytes("cut.stg4", std::vector<unsigned char>(good.begin(), good.begin() + length)));
        cStageData stage;
        EXPECT_EQ(stage.LoadFile("cut.stg4"), 0) << "cut at " << length;
        EXPECT_GE(stage.m_nSubSteps, 1);
        for (cBackgroundData& b : stage.m_Backgrounds) EXPECT_EQ(b.Fields().size(), 10u);
    }

    // A stage holding palette rows or placed objects is refused while their
    // definitions cannot be read, and says so.
    size_t lists = 4 + StoredRecord(708).size() + 24 + 5 * 40;
    std::vector<unsigned char> withObjects = good;
    withObjects[lists + 4] = 2;
    ASSERT_TRUE(WriteFileBytes("objects.stg4", withObjects));
    cStageData stage;
    EXPECT_EQ(stage.LoadFile("objects.stg4"), 0);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("2 definitions in list 1"), std::string::npos);

    // A rank list longer than the file.
    std::vector<unsigned char> longRanks = good;
    longRanks[4 + StoredRecord(708).size() + 3] = 0x40;
    ASSERT_TRUE(WriteFileBytes("ranks.stg4", longRanks));
    EXPECT_EQ(stage.LoadFile("ranks.stg4"), 0);
}
