#include "files/world_map.h"
#include "tests/files/files_test_support.h"

namespace {

class WorldMapTest : public FilesTest {};

// A stage entry record: 11 ints from 209 on (10 before), caption, file.
FixtureBytes& StoredEntry(FixtureBytes& b, int version, int kind, int clearNo, int minTotal, const char* file)
{
    b.u32(version > 208 ? 11 : 10).i32(kind).i32(2).i32(clearNo).i32(1).i32(0).i32(1);
    b.i32(0).i32(0).i32(0).i32(0);
    if (version > 208) b.i32(minTotal);
    b.u32(2);
    Text(b, "cap");
    return Text(b, file);
}

// A 3 by 2 map (pitch 4) of one chip with two points, the second beyond
// the map, and no spare point.
std::vector<unsigned char> SmallMap(int version, int storedPitch, int storedShift, int cellCount)
{
    FixtureBytes b;
    b.u32(8).i32(3).i32(2).i32(storedPitch).i32(storedShift).i32(1).i32(5).i32(16).i32(0);
    b.u32(2);
    Text(b, "W");
    Text(b, "");
    b.u32(1).u32(3).i32(0).i32(1).i32(6).u32(2);
    Text(b, "");
    Text(b, "rock");
    b.u32(static_cast<uint32_t>(cellCount));
    for (int i = 0; i < cellCount; ++i) b.i32(i + 1);
    b.u32(2);
    b.u32(2).i32(2).i32(1).u32(1);
    Text(b, "P");
    b.u32(1);
    StoredEntry(b, version, 0, 3, 50, "c05-1");
    b.u32(2).i32(3).i32(0).u32(1);
    Text(b, "far");
    b.u32(0);
    b.u32(0);
    return b.get();
}

TEST_F(WorldMapTest, SmallMapReadAndWritten)
{
    WriteFileBytes("map.dat", WithHead(708, SmallMap(708, 4, 2, 8)));
    cWorldMap map;
    ASSERT_EQ(map.LoadFile("map.dat"), 1);
    EXPECT_EQ(map.m_nWidth, 3);
    EXPECT_EQ(map.m_nPitch, 4);
    EXPECT_EQ(map.m_nStartY, 1);  // row 5 of a 2-row map: the last row
    EXPECT_EQ(map.m_Cells, (std::vector<int32_t>{1, 2, 3, 0, 5, 6, 7, 0}));  // padding cleared
    ASSERT_EQ(map.m_Points.size(), 1u);  // the point at column 3 is off the map
    EXPECT_EQ(map.m_Points[0].m_Stages[0].m_nMinTotal, 50);
    EXPECT_EQ(map.HasStageKey("c05."), 1);
    EXPECT_EQ(map.HasStageKey("c05-1."), 0);
    EXPECT_EQ(map.FindPointAt(2, 1), &map.m_Points[0]);
    EXPECT_EQ(map.FindPointAt(3, 0), nullptr);

    FixtureBytes b;
    b.u32(8).i32(3).i32(2).i32(4).i32(2).i32(1).i32(1).i32(16).i32(0);
    b.u32(2).hex("02000000 5700").u32(1);
    b.u32(1).u32(3).i32(0).i32(1).i32(6).u32(2).u32(1).hex("05000000 726F636B00");
    b.u32(8).i32(1).i32(2).i32(3).i32(0).i32(5).i32(6).i32(7).i32(0);
    b.u32(1).u32(2).i32(2).i32(1).u32(1).hex("02000000 5000").u32(1);
    StoredEntry(b, 708, 0, 3, 50, "c05-1");
    b.u32(0);
    EXPECT_EQ(SavedBody(map), b.get());
}

// The stored pitch, shift and cell count are not trusted; an entry of a
// file up to 208 has no minimum total.
TEST_F(WorldMapTest, StoredLayoutIsRebuilt)
{
    struct Row {
        const char* what;
        int version, pitch, shift, cells;
        std::vector<int32_t> expected;
        int minTotal;
    };
    const Row rows[] = {
        {"version 208", 208, 4, 2, 8, {1, 2, 3, 0, 5, 6, 7, 0}, 0},
        {"wrong pitch and shift", 708, 64, 31, 8, {1, 2, 3, 0, 5, 6, 7, 0}, 50},
        {"too few cells", 708, 4, 2, 5, {1, 2, 3, 0, 5, 0, 0, 0}, 50},
        {"too many cells", 708, 4, 2, 20, {1, 2, 3, 0, 5, 6, 7, 0}, 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteFileBytes("map.dat", WithHead(row.version, SmallMap(row.version, row.pitch, row.shift, row.cells)));
        cWorldMap map;
        ASSERT_EQ(map.LoadFile("map.dat"), 1);
        EXPECT_EQ(map.m_nPitch, 4);
        EXPECT_EQ(map.m_nShift, 2);
        EXPECT_EQ(map.m_Cells, row.expected);
        EXPECT_EQ(map.m_Points[0].m_Stages[0].m_nMinTotal, row.minTotal);
    }
}

TEST_F(WorldMapTest, DamagedMapFiles)
{
    std::vector<unsigned char> good = WithHead(708, SmallMap(708, 4, 2, 8));
    const std::pair<const char*, std::vector<unsigned char>> rows[] = {
        {"cut in the chips", std::vector<unsigned char>(good.begin(), good.begin() + 90)},
        {"width 0", Patched(good, 8, "00000000")},
        {"negative height", Patched(good, 12, "FFFFFFFF")},
        {"huge map", Patched(good, 8, "00000040")},
        {"chip count beyond the file", Patched(good, 54, "FFFFFF00")},
    };
    for (const auto& [what, bytes] : rows) {
        SCOPED_TRACE(what);
        WriteFileBytes("map.dat", bytes);
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        cWorldMap map;
        EXPECT_EQ(map.LoadFile("map.dat"), 0);
        EXPECT_EQ(DamageReports(), 1);
        EXPECT_EQ(map.m_Cells.size(), static_cast<size_t>(map.m_nHeight) << map.m_nShift);
    }
}

TEST_F(WorldMapTest, PitchAndSize)
{
    const std::pair<int, int> pitches[] = {{1, 1}, {2, 2}, {3, 4}, {4, 4}, {5, 8}, {8, 8}, {20, 32}, {33, 64}};
    for (const auto& [width, pitch] : pitches) {
        int32_t shift, p;
        cWorldMap::CalcPitch(width, &shift, &p);
        EXPECT_EQ(p, pitch) << width;
        EXPECT_EQ(1 << shift, pitch) << width;
    }

    cWorldMap map;
    EXPECT_EQ(map.m_nPitch, 32);
    EXPECT_EQ(map.m_Cells.size(), 480u);
    map.m_Cells[19 + (14 << 5)] = 4;  // cell (19, 14) is element 467
    map.m_Cells[19 + (9 << 5)] = 7;
    map.m_Cells[5] = 2;
    ASSERT_EQ(map.SetSize(33, 10), 1);
    EXPECT_EQ(map.m_nPitch, 64);
    EXPECT_EQ(map.m_Cells.size(), 640u);
    EXPECT_EQ(map.CellAt(19, 9), 7);
    EXPECT_EQ(map.CellAt(5, 0), 2);
    EXPECT_EQ(std::count(map.m_Cells.begin(), map.m_Cells.end(), 0), 638);
    EXPECT_EQ(map.SetSize(0, 5), 0);
    EXPECT_EQ(map.SetSize(5, -1), 0);
    EXPECT_EQ(map.m_nWidth, 33);
}

TEST_F(WorldMapTest, DefaultMap)
{
    cWorldMap map;
    EXPECT_EQ(map.m_sName, "ワールド");
    ASSERT_EQ(map.m_Chips.size(), 10u);
    EXPECT_EQ(map.m_Chips[4].m_bImpassable, 1);
    EXPECT_EQ(map.m_Chips[5].m_bImpassable, 0);
    EXPECT_EQ(map.m_Chips[9].m_nPicture, 9);
    EXPECT_EQ(map.m_Chips[5].m_sName, "通行可");
    EXPECT_TRUE(map.m_Points.empty());
    ASSERT_EQ(map.m_SparePoints.size(), 1u);
    EXPECT_EQ(map.m_SparePoints[0].m_sName, "デフォルト");
    EXPECT_EQ(map.m_SparePoints[0].m_Stages.size(), 1u);
}

TEST_F(WorldMapTest, EntriesInForce)
{
    std::vector<int32_t> flags(1000, 0), vars(256, 0);
    flags[0] = flags[7] = 1;
    vars[3] = -12;
    struct Row {
        int clearNo, required, variable, op, value, minTotal;
        bool inForce;
    };
    const Row rows[] = {
        {1, 0, 0, 0, 0, 0, true},
        {1, 7, 0, 0, 0, 0, true},     {1, 8, 0, 0, 0, 0, false},
        {1, 0, 3, 0, -12, 0, true},   {1, 0, 3, 1, -12, 0, false},
        {1, 0, 3, 2, -12, 0, true},   {1, 0, 3, 3, -13, 0, false},
        {1, 0, 3, 4, -13, 0, true},   {1, 0, 3, 5, -12, 0, false},
        {1, 0, 3, 6, 0, 0, true},     {1, 0, 3, 6, 4, 0, true},   {1, 0, 3, 6, 5, 0, false},
        {1, 0, 3, 7, 0, 0, false},    {1, 0, 3, 7, 5, 0, true},   {1, 0, 3, 8, 0, 0, false},
        {1, 0, 0, 0, 0, 101, false},  {1, 0, 0, 0, 0, 100, true},
        {1000, 0, 0, 0, 0, 0, false}, {-1, 0, 0, 0, 0, 0, false}, {1, 1000, 0, 0, 0, 0, false},
        {1, 0, 256, 0, 0, 0, false},  {1, 0, -1, 0, 0, 0, false},
    };
    for (const Row& row : rows) {
        cWorldMapStage e;
        e.m_nClearNo = row.clearNo;
        e.m_nRequiredClear = row.required;
        e.m_nVariable = row.variable;
        e.m_nCompareOp = row.op;
        e.m_nCompareValue = row.value;
        e.m_nMinTotal = row.minTotal;
        EXPECT_EQ(e.IsInForce(flags, vars, 100), row.inForce)
            << row.clearNo << " " << row.required << " " << row.variable << " op " << row.op << " " << row.value;
    }
}

} // namespace

namespace {

// The reference a game progress keeps to the entry being played finds that
// entry again, and nothing for 0, a foreign entry or a reference past the
// lists; chips the chip list lacks count as passable.
TEST_F(WorldMapTest, StageReferencesAndPassableCells)
{
    cWorldMap map;
    ASSERT_EQ(map.SetSize(4, 2), 1);
    map.m_Cells[1] = 7;   // passable chip
    map.m_Cells[2] = 99;  // no such chip
    map.m_Points.resize(3);
    map.m_Points[1].m_Stages.resize(2);
    map.m_Points[2].m_Stages.resize(1);
    EXPECT_EQ(map.FindStageRef(map.StageRef(&map.m_Points[1].m_Stages[1])), &map.m_Points[1].m_Stages[1]);
    EXPECT_EQ(map.FindStageRef(map.StageRef(&map.m_Points[2].m_Stages[0])), &map.m_Points[2].m_Stages[0]);
    EXPECT_NE(map.StageRef(&map.m_Points[1].m_Stages[0]), map.StageRef(&map.m_Points[1].m_Stages[1]));
    cWorldMapStage foreign;
    EXPECT_EQ(map.StageRef(&foreign), 0);
    EXPECT_EQ(map.StageRef(nullptr), 0);
    for (int32_t ref : {0, -5, 1, 65536 + 3, 3 * 65536 + 1}) {
        SCOPED_TRACE(ref);
        EXPECT_EQ(map.FindStageRef(ref), nullptr);
    }
    EXPECT_FALSE(map.IsCellPassable(0, 0));
    EXPECT_TRUE(map.IsCellPassable(1, 0));
    EXPECT_TRUE(map.IsCellPassable(2, 0));
}

} // namespace
