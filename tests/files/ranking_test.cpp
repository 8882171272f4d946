#include "files/number_text.h"
#include "files/ranking.h"
#include "tests/files/files_test_support.h"

namespace {

class RankingTest : public FilesTest {};

// A ranking whose used places hold these values.
cRanking Filled(int highFirst, std::vector<int> values)
{
    cRanking r;
    r.m_bHighFirst = highFirst;
    for (size_t i = 0; i < values.size(); ++i) {
        r.m_Entries[i].m_bUsed = 1;
        r.m_Entries[i].m_nScore = values[i];
        r.m_Entries[i].m_strName = "p" + std::to_string(i);
    }
    return r;
}

std::vector<int> UsedValues(const cRanking& r)
{
    std::vector<int> v;
    for (const cRankingEntry& e : r.m_Entries)
        if (e.m_bUsed) v.push_back(e.m_nScore);
    return v;
}

TEST_F(RankingTest, InsertionRanksTiesBelow)
{
    std::vector<int> full(20);
    for (int i = 0; i < 20; ++i) full[i] = 2000 - 100 * i;  // 2000 .. 100
    std::vector<int> fullLow(20);
    for (int i = 0; i < 20; ++i) fullLow[i] = 100 + 100 * i;  // 100 .. 2000
    struct Row {
        const char* what;
        int highFirst;
        std::vector<int> before;
        int score, place;
        std::vector<int> after;
    };
    std::vector<int> fullAfter = full;
    fullAfter.insert(fullAfter.begin() + 1, 1950);
    fullAfter.pop_back();
    const Row rows[] = {
        {"tie goes below", 1, {900, 500, 100}, 500, 2, {900, 500, 500, 100}},
        {"empty ranking", 1, {}, -5, 0, {-5}},
        {"low first, below the first", 0, {2999}, 3000, 1, {2999, 3000}},
        {"low first, tie", 0, {3000}, 3000, 1, {3000, 3000}},
        {"low first, better", 0, {3000, 4000}, 2500, 0, {2500, 3000, 4000}},
        {"full, equal to the last", 1, full, 100, -1, full},
        {"full, worse than the last", 1, full, 50, -1, full},
        {"full, last drops out", 1, full, 1950, 1, fullAfter},
        {"full low first, equal to the last", 0, fullLow, 2000, -1, fullLow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRanking r = Filled(row.highFirst, row.before);
        EXPECT_EQ(r.FindRank(row.score), row.place);
        r.Insert("new", row.score);
        EXPECT_EQ(UsedValues(r), row.after);
        EXPECT_EQ(r.m_Entries.size(), 20u);
        if (row.place >= 0) {
            EXPECT_EQ(r.m_Entries[row.place].m_strName, "new");
        }
    }
}

TEST_F(RankingTest, ResetKeepsTwentyPlaces)
{
    cRanking r = Filled(1, {7, 6});
    r.m_Entries.resize(25);
    r.Reset();
    EXPECT_EQ(r.m_bHighFirst, 0);
    ASSERT_EQ(r.m_Entries.size(), 20u);
    EXPECT_EQ(UsedValues(r), (std::vector<int>{7, 6}));

    cRankingSet set;
    ASSERT_EQ(set.m_Rankings.size(), 5u);
    const int orders[5] = {1, 1, 0, 1, 1};
    for (int g = 0; g < 5; ++g) EXPECT_EQ(set.m_Rankings[g].m_bHighFirst, orders[g]);
}

// One stored ranking: its order flag and entries (first entry used).
FixtureBytes& StoredRanking(FixtureBytes& b, int highFirst, int entries, int firstScore)
{
    b.u32(1).i32(highFirst).u32(0).u32(static_cast<uint32_t>(entries));
    for (int i = 0; i < entries; ++i) {
        b.u32(2).i32(i == 0).i32(i == 0 ? firstScore : 0);
        if (i == 0) b.u32(1).hex("04000000 41424300");
        else b.u32(1).u32(1);
    }
    return b;
}

TEST_F(RankingTest, SavedFileBytes)
{
    cRankingSet set;
    set.m_Rankings[2].Insert("ABC", 12345);
    // Unused places store used 0, value 0 and the empty name.
    FixtureBytes unused;
    unused.u32(0).u32(0).u32(5);
    auto plain = [](FixtureBytes& f, int highFirst) {
        f.u32(1).i32(highFirst).u32(0).u32(20);
        for (int i = 0; i < 20; ++i) f.u32(2).i32(0).i32(0).u32(1).u32(1);
    };
    plain(unused, 1);
    plain(unused, 1);
    unused.u32(1).i32(0).u32(0).u32(20);
    unused.u32(2).i32(1).i32(12345).u32(1).hex("04000000 41424300");
    for (int i = 1; i < 20; ++i) unused.u32(2).i32(0).i32(0).u32(1).u32(1);
    plain(unused, 1);
    plain(unused, 1);
    EXPECT_EQ(SavedBody(set), unused.get());
}

// Older and damaged shapes: always five rankings of 20 places; files up to
// 180 rank HP and SP high-first and fill missing rankings low-first.
TEST_F(RankingTest, FilesOfEveryShapeGiveFiveOfTwenty)
{
    struct Row {
        int version, rankings, entries;
        std::vector<int> orders;
    };
    const Row rows[] = {
        {180, 3, 20, {1, 1, 0, 1, 1}},  // the stored 1, 1, 0; then 0, 0 made high-first
        {181, 3, 20, {1, 1, 0, 1, 1}},
        {180, 6, 20, {1, 1, 0, 1, 1}},
        {708, 5, 12, {1, 1, 0, 0, 0}},  // newer files keep their orders
        {708, 5, 25, {1, 1, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.version << " " << row.rankings << " x " << row.entries);
        FixtureBytes b;
        b.u32(0).u32(0).u32(static_cast<uint32_t>(row.rankings));
        const int stored[6] = {1, 1, 0, 0, 0, 1};
        for (int k = 0; k < row.rankings; ++k) StoredRanking(b, stored[k], row.entries, 100 + k);
        WriteFileBytes("user_data\\story\\abc.rkg", WithHead(row.version, b.get()));
        cRankingSet set;
        set.m_Rankings.clear();
        ASSERT_EQ(LoadRankingFile(set, 0, "data\\stg4\\abc."), 1);
        ASSERT_EQ(set.m_Rankings.size(), 5u);
        for (int g = 0; g < 5; ++g) {
            EXPECT_EQ(set.m_Rankings[g].m_bHighFirst, row.orders[g]) << g;
            EXPECT_EQ(set.m_Rankings[g].m_Entries.size(), 20u) << g;
            int first = g < row.rankings ? 100 + g : 0;
            EXPECT_EQ(set.m_Rankings[g].m_Entries[0].m_nScore, first) << g;
        }
    }
}

TEST_F(RankingTest, PathsByPlayMode)
{
    struct Row {
        int mode;
        const char* key;
        bool ok;
        const char* path;
    };
    const Row rows[] = {
        {0, "abc.", true, "user_data\\story\\abc.rkg"},
        {1, "data\\stg4\\abc.", true, "user_data\\challenge\\abc.rkg"},
        {2, "x/y.", true, "user_data\\free\\y.rkg"},
        {3, "abc.", false, ""},
        {-1, "abc.", false, ""},
    };
    for (const Row& row : rows) {
        std::string path;
        EXPECT_EQ(GetRankingFilePath(row.mode, row.key, path), row.ok) << row.mode;
        if (row.ok) {
            EXPECT_EQ(path, row.path);
        }
    }
}

TEST_F(RankingTest, SaveLoadAndFailures)
{
    cRankingSet set;
    set.m_Rankings[0].Insert("ABC", 900);
    ASSERT_EQ(SaveRankingFile(set, 1, "abc."), 1);
    EXPECT_EQ(SaveRankingFile(set, 3, "abc."), 0);
    cRankingSet read;
    ASSERT_EQ(LoadRankingFile(read, 1, "abc."), 1);
    EXPECT_EQ(read.m_Rankings[0].m_Entries[0].m_nScore, 900);

    // Replays rank nothing, and a missing file leaves the reset set.
    EXPECT_EQ(LoadRankingFile(read, 3, "abc."), 0);
    EXPECT_EQ(UsedValues(read.m_Rankings[0]), std::vector<int>{});
    read.m_Rankings[0].Insert("X", 1);
    EXPECT_EQ(LoadRankingFile(read, 0, "none."), 0);
    EXPECT_EQ(UsedValues(read.m_Rankings[0]), std::vector<int>{});
}

TEST_F(RankingTest, DamagedRankingFiles)
{
    cRankingSet set;
    set.m_Rankings[1].Insert("ABC", 7);
    ASSERT_EQ(SaveRankingFile(set, 0, "abc."), 1);
    std::vector<unsigned char> good = ReadFileBytes("user_data\\story\\abc.rkg");
    const std::pair<const char*, std::vector<unsigned char>> rows[] = {
        {"cut", std::vector<unsigned char>(good.begin(), good.begin() + 300)},
        {"ranking count beyond the file", Patched(good, 12, "FFFFFFFF")},
        {"entry count beyond the file", Patched(good, 28, "00000010")},
        {"head only", HexBytes("C4020000")},
    };
    for (const auto& [what, bytes] : rows) {
        SCOPED_TRACE(what);
        WriteFileBytes("user_data\\story\\abc.rkg", bytes);
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        cRankingSet read;
        read.m_Rankings[0].Insert("OLD", 5);
        EXPECT_EQ(LoadRankingFile(read, 0, "abc."), 0);
        ASSERT_EQ(read.m_Rankings.size(), 5u);
        EXPECT_EQ(UsedValues(read.m_Rankings[0]), std::vector<int>{});
        EXPECT_EQ(DamageReports(), 1);
    }
}

// A clear saves the rankings of its stage on its own: a damaged file there is
// kept aside before the first save over it; a readable one is simply replaced.
TEST_F(RankingTest, DamagedRankingFileIsKeptAsideBeforeASave)
{
    const std::string path = "user_data\\story\\abc.rkg";
    const std::vector<unsigned char> damaged = HexBytes("C4020000 00000000 00000000 FFFFFFFF");
    ASSERT_TRUE(WriteFileBytes(path, damaged));
    cRankingSet set;
    EXPECT_EQ(LoadRankingFile(set, 0, "abc."), 0);
    set.m_Rankings[0].Insert("NEW", 30);
    ASSERT_EQ(SaveRankingFile(set, 0, "abc."), 1);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), damaged);
    cRankingSet read;
    ASSERT_EQ(LoadRankingFile(read, 0, "abc."), 1);
    EXPECT_EQ(UsedValues(read.m_Rankings[0]), std::vector<int>{30});

    set.m_Rankings[0].Insert("MORE", 40);
    ASSERT_EQ(SaveRankingFile(set, 0, "abc."), 1);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), damaged);
    ASSERT_EQ(LoadRankingFile(read, 0, "abc."), 1);
    EXPECT_EQ(UsedValues(read.m_Rankings[0]), (std::vector<int>{40, 30}));
}

TEST(NumberTextTest, ZeroPadNumber)
{
    struct Row {
        int value, digits, keepZeros, plusSign;
        const char* text;
    };
    const Row rows[] = {
        {5, 3, 0, 0, "  5"},    {5, 3, 1, 0, "005"},        {-5, 3, 0, 0, "-  5"},
        {5, 0, 0, 1, "+5"},     {12345, 2, 1, 0, "12345"},  {0, 3, 0, 0, "  0"},
        {0, 2, 1, 1, "+00"},    {-2147483647 - 1, 0, 0, 0, "-2147483648"},
    };
    for (const Row& row : rows) {
        std::string out;
        ZeroPadNumber(out, row.value, row.digits, row.keepZeros, row.plusSign);
        EXPECT_EQ(out, row.text) << row.value;
    }
    const std::pair<int, int> digits[] = {{0, 1}, {9, 1}, {10, 2}, {-999, 3}, {2147483647, 10}, {-2147483647 - 1, 10}};
    for (const auto& [value, n] : digits) EXPECT_EQ(GetDigitCount(value), n) << value;
    EXPECT_EQ(CountValue({-1, 4, -1, 2, -1}, -1), 3);
}

TEST(NumberTextTest, FormatTime)
{
    const std::pair<int, const char*> rows[] = {
        {0, "00:00.00"}, {12345, "02:03.45"}, {600000, "100:00.00"}, {5999, "00:59.99"}, {-12345, "-02:-03.-45"}};
    for (const auto& [t, text] : rows) {
        std::string out;
        FormatTime(out, t);
        EXPECT_EQ(out, text) << t;
    }
}

} // namespace
