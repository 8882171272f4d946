// Conditions: the three stored layouts, the upgrades of older files, lists.
#include "records/condition_data.h"
#include "tests/records/flow_fixtures.h"

namespace {

void ExpectFields(const cConditionData& r, const ConditionFixture& c)
{
    EXPECT_EQ(r.m_cKind, c.kind);
    EXPECT_EQ(r.m_nValue, c.value);
    EXPECT_EQ(r.m_nRandomLow, c.randomLow);
    EXPECT_EQ(r.m_nRandomHigh, c.randomHigh);
    EXPECT_EQ(r.m_cSubject, c.subject);
    EXPECT_EQ(r.m_cStatus, c.status);
    EXPECT_EQ(r.m_cLeftClass, c.leftClass);
    EXPECT_EQ(r.m_cLeftScope, c.leftScope);
    EXPECT_EQ(r.m_sIndex, c.index);
    EXPECT_EQ(r.m_cRightSource, c.rightSource);
    EXPECT_EQ(r.m_cRightSubject, c.rightSubject);
    EXPECT_EQ(r.m_cRightStatus, c.rightStatus);
    EXPECT_EQ(r.m_cRightScope, c.rightScope);
    EXPECT_EQ(r.m_sRightIndex, c.rightIndex);
    EXPECT_EQ(r.m_cOperator, c.op);
    EXPECT_EQ(r.m_bPercent, c.percent);
    EXPECT_EQ(r.m_cAxis, c.axis);
}

} // namespace

TEST_F(FlowRecordTest, ConditionLayoutsOfEachVersionGate)
{
    ConditionFixture full;
    full = {4, -2, 3, 9, 1, 3, 1, 1, 300, 2, 2, 4, 1, -5, 5, 1, 6};
    ConditionFixture old;  // what the two older layouts carry: kind, value, operator, percent, axis
    old.kind = 4;
    old.value = 42;
    old.op = 2;
    old.percent = 1;
    old.axis = 3;
    ConditionFixture oldest = old;
    oldest.percent = 0;
    struct Row {
        int version;
        const char* body;
        ConditionFixture expected;
    };
    const Row rows[] = {
        // Below 43: no percent; two dropped 16-bit fields after the value.
        {42, "06000000 04 2A000000 3412 7856 02 03 00000000", oldest},
        {43, "07000000 04 2A000000 3412 7856 02 01 03 00000000", old},
        {100, "07000000 04 2A000000 3412 7856 02 01 03 00000000", old},
        {109, "07000000 04 2A000000 3412 7856 02 01 03 00000000", old},
        {110,
         "11000000 04 FEFFFFFF 03000000 09000000 01 03 01 01 2C01 02 02 04 01 FBFF 05 01 06 00000000",
         full},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.version);
        cConditionData c;
        ASSERT_EQ(LoadAt(c, row.version, row.body), 1);
        ExpectFields(c, row.expected);
        EXPECT_EQ(SavedBody(c), row.expected.Stored());
    }
    EXPECT_EQ(DamageReports(), 0);
}

TEST_F(FlowRecordTest, ConditionOfVersion100BecomesADistanceCondition)
{
    // Stored kind 5 was the distance condition. The subject is not stored at
    // 100; distances of such files are measured to the hero (subject 0).
    cConditionData c;
    c.m_cSubject = 1;
    ASSERT_EQ(LoadAt(c, 100, "07000000 05 2A000000 3412 7856 01 01 03 00000000"), 1);
    ConditionFixture expected;
    expected.kind = CONDITION_DISTANCE;
    expected.value = 42;
    expected.op = 1;
    expected.percent = 1;
    expected.axis = 3;
    ExpectFields(c, expected);
    EXPECT_EQ(SavedBody(c), expected.Stored());
}

TEST_F(FlowRecordTest, ConditionUpgradesByVersion)
{
    struct Row {
        const char* what;
        int version;
        ConditionFixture stored, expected;
    };
    auto with = [](ConditionFixture c, auto change) {
        change(c);
        return c;
    };
    const ConditionFixture status4 = with(ConditionFixture{}, [](ConditionFixture& c) { c.kind = CONDITION_STATUS; });
    const Row rows[] = {
        {"state kinds inserted before distance", 150, with({}, [](auto& c) { c.kind = 5; }),
         with({}, [](auto& c) { c.kind = 7; })},
        {"kind 4 stays", 150, status4, status4},
        {"kind 6 after the shift is kind 8", 159, with({}, [](auto& c) { c.kind = 6; }),
         with({}, [](auto& c) { c.kind = 8; })},
        {"on-block sense inverted at 160", 160, with({}, [](auto& c) { c.kind = 6, c.status = 2; }),
         with({}, [](auto& c) { c.kind = 6, c.status = 2, c.op = 1; })},
        {"on-block sense kept at 161", 161, with({}, [](auto& c) { c.kind = 6, c.status = 2; }),
         with({}, [](auto& c) { c.kind = 6, c.status = 2; })},
        {"other state test kept at 160", 160, with({}, [](auto& c) { c.kind = 6, c.status = 1; }),
         with({}, [](auto& c) { c.kind = 6, c.status = 1; })},
        {"status 12 at 167 moves twice", 167, with(status4, [](auto& c) { c.status = 12; }),
         with(status4, [](auto& c) { c.status = 14; })},
        {"status 10 at 167 moves twice", 167, with(status4, [](auto& c) { c.status = 10; }),
         with(status4, [](auto& c) { c.status = 12; })},
        {"system status kept", 167, with(status4, [](auto& c) { c.subject = 2, c.status = 12; }),
         with(status4, [](auto& c) { c.subject = 2, c.status = 12; })},
        {"variable on the left kept", 167, with(status4, [](auto& c) { c.leftClass = 1, c.status = 12; }),
         with(status4, [](auto& c) { c.leftClass = 1, c.status = 12; })},
        {"status 7 at 167 moves once", 167, with(status4, [](auto& c) { c.status = 7; }),
         with(status4, [](auto& c) { c.status = 8; })},
        {"status 12 at 168 moves once", 168, with(status4, [](auto& c) { c.status = 12; }),
         with(status4, [](auto& c) { c.status = 13; })},
        {"right status at 202", 202, with(status4, [](auto& c) { c.rightSource = 2, c.rightSubject = 1, c.rightStatus = 7; }),
         with(status4, [](auto& c) { c.rightSource = 2, c.rightSubject = 1, c.rightStatus = 8; })},
        {"right status of a constant kept", 202, with(status4, [](auto& c) { c.rightSource = 0, c.rightStatus = 7; }),
         with(status4, [](auto& c) { c.rightSource = 0, c.rightStatus = 7; })},
        {"statuses kept at 203", 203, with(status4, [](auto& c) { c.status = 7, c.rightSource = 2, c.rightStatus = 7; }),
         with(status4, [](auto& c) { c.status = 7, c.rightSource = 2, c.rightStatus = 7; })},
        {"state 6 at 209", 209, with({}, [](auto& c) { c.kind = 5, c.status = 6; }),
         with({}, [](auto& c) { c.kind = 5, c.status = 7; })},
        {"system state at 209 kept", 209, with({}, [](auto& c) { c.kind = 5, c.subject = 2, c.status = 6; }),
         with({}, [](auto& c) { c.kind = 5, c.subject = 2, c.status = 6; })},
        {"state 6 at 210 kept", 210, with({}, [](auto& c) { c.kind = 5, c.status = 6; }),
         with({}, [](auto& c) { c.kind = 5, c.status = 6; })},
        {"distance to the target at 656", 656, with({}, [](auto& c) { c.kind = 7, c.subject = 1; }),
         with({}, [](auto& c) { c.kind = 7, c.subject = 0; })},
        {"distance to the target at 657", 657, with({}, [](auto& c) { c.kind = 7, c.subject = 1; }),
         with({}, [](auto& c) { c.kind = 7, c.subject = 1; })},
        {"current file untouched", 708, with(status4, [](auto& c) { c.status = 12; }),
         with(status4, [](auto& c) { c.status = 12; })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cConditionData c;
        ASSERT_EQ(LoadAt(c, row.version, row.stored.Stored()), 1);
        ExpectFields(c, row.expected);
        EXPECT_EQ(SavedBody(c), row.expected.Stored());
    }
}

TEST_F(FlowRecordTest, ConditionListEndsWithExactlyTheConditionsRead)
{
    ConditionFixture a, b, c;
    a.kind = 1;
    b.kind = 2;
    c.kind = 3;
    FixtureBytes file;
    file.u32(3).bytes(a.Stored()).bytes(b.Stored()).bytes(c.Stored());
    ASSERT_TRUE(WriteFileBytes("list.dat", FileOf(708, file.get())));
    std::vector<cConditionData> list(5);
    list[4].m_nValue = 9;
    auto in = DataFileOpenRead("list.dat");
    ASSERT_TRUE(in);
    ASSERT_TRUE(ReadConditionList(list, *in));
    ASSERT_EQ(list.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list[i].m_cKind, i + 1);
}
