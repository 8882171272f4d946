#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <vector>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "tests/support/message_sink.h"
#include "tests/support/test_dir.h"

namespace {

struct CheckedFixture : testing::Test {
    ScopedTestDir dir;
    ScopedMainWindow main;
    void SetUp() override
    {
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        TraceLogInit(1, "EC_Game.txt");
    }
    void TearDown() override { TraceLogInit(0, "EC_Game.txt"); }
};

struct Record {
    int a;
    short b;
    char c[10];
};

} // namespace

TEST_F(CheckedFixture, BadVectorIndexIsLoggedClosesAndGoesOnWithElementZero)
{
    std::vector<int> v{10, 20, 30};
    EXPECT_EQ(CheckedAt(v, 2), 30);
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 0);
    EXPECT_EQ(CheckedAt(v, -1), 10);
    EXPECT_EQ(CheckedAt(v, 3), 10);
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "err V[-1] ( 3 , 4 )\r\nerr V[3] ( 3 , 4 )\r\n");
    EXPECT_EQ(ReadFileText("EC_Game.txt"), "err V[-1] ( 3 , 4 )\r\nerr V[3] ( 3 , 4 )\r\n");
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 2);
}

TEST_F(CheckedFixture, AWriteThroughABadIndexReachesNoElement)
{
    std::vector<int> v{10, 20, 30};
    int& spare = CheckedAt(v, 7);
    EXPECT_EQ(spare, 10);  // reads as element 0
    spare = 99;
    CheckedAt(v, -1) += 5;
    EXPECT_EQ(v, (std::vector<int>{10, 20, 30}));
    // Each bad access reads element 0 anew, whatever the last one wrote.
    EXPECT_EQ(CheckedAt(v, 3), 10);

    // A type that cannot be copied gets a fresh element.
    std::vector<std::unique_ptr<int>> owners;
    owners.push_back(std::make_unique<int>(4));
    std::unique_ptr<int>& slot = CheckedAt(owners, 1);
    EXPECT_EQ(slot, nullptr);
    slot = std::make_unique<int>(8);
    ASSERT_NE(owners[0], nullptr);
    EXPECT_EQ(*owners[0], 4);
    EXPECT_EQ(CheckedAt(owners, 1), nullptr);

    // A reference kept to one vector's spare goes on reading that vector's
    // element 0 when another vector of the same type has a bad index.
    std::vector<int> other{7};
    const int& kept = CheckedAt(v, 4);
    CheckedAt(other, 2) = 1;
    EXPECT_EQ(kept, 10);

    // Read-only access still reads element 0 itself.
    const std::vector<int>& view = v;
    EXPECT_EQ(&CheckedAt(view, 5), &v[0]);
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 8);
}

TEST_F(CheckedFixture, EmptyVectorLogsThenThrows)
{
    std::vector<int> v;
    EXPECT_THROW(CheckedAt(v, 0), std::out_of_range);
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "err V[0] ( 0 , 4 )\r\n");
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 1);
}

TEST_F(CheckedFixture, BadListIndexGivesTheSharedZeroedSpare)
{
    std::list<Record> l(2, Record{1, 2, {3}});
    EXPECT_EQ(CheckedListAt(l, 1).a, 1);
    Record& spare = CheckedListAt(l, 5);
    EXPECT_EQ(spare.a, 0);
    EXPECT_EQ(spare.b, 0);
    spare.a = 77;
    Record& again = CheckedListAt(l, -2);
    EXPECT_EQ(&again, &spare);
    EXPECT_EQ(again.a, 77);
    std::string expected = FormatText("err L[5] ( 2 , %d )\r\nerr L[-2] ( 2 , %d )\r\n",
                                      static_cast<int>(sizeof(Record)), static_cast<int>(sizeof(Record)));
    EXPECT_EQ(ReadFileText("Report_Game.txt"), expected);
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 2);
}

TEST_F(CheckedFixture, FillSetsEveryElementAndAnEmptyVectorLogsNothing)
{
    std::vector<unsigned char> bytes(4, 1);
    CheckedFill(bytes, static_cast<unsigned char>(9));
    EXPECT_EQ(bytes, std::vector<unsigned char>(4, 9));
    std::vector<int> none;
    CheckedFill(none, 5);
    EXPECT_EQ(ReadFileText("Report_Game.txt"), "");
    EXPECT_EQ(main.sink.CountPosted(WM_CLOSE), 0);
}
