// The record form, byte for byte, against hand-typed files.
#include "tests/records/record_test_support.h"

#include <thread>

TEST_F(RecordTest, WritesTheRecordFormToTheByte)
{
    cIntTextData r;
    r.m_nValue = 7;
    r.m_sText = "abc";
    ASSERT_EQ(r.SaveFile("a.dat"), 1);
    EXPECT_EQ(BodyOf("a.dat"), HexBytes("01000000 07000000 01000000 04000000 61626300"));

    r.m_sText.clear();
    ASSERT_EQ(r.SaveFile("a.dat"), 1);
    EXPECT_EQ(BodyOf("a.dat"), HexBytes("01000000 07000000 01000000 01000000"));

    cEmptyData e;
    ASSERT_EQ(e.SaveFile("e.dat"), 1);
    EXPECT_EQ(ReadFileBytes("e.dat"), HexBytes("C4020000 00000000 00000000"));
}

TEST_F(RecordTest, SavingCutsAStringAtItsFirstNul)
{
    cIntTextData r;
    r.m_sText = std::string("ab\0cd", 5);
    ASSERT_EQ(r.SaveFile("a.dat"), 1);
    EXPECT_EQ(BodyOf("a.dat"), HexBytes("01000000 00000000 01000000 03000000 616200"));
    EXPECT_EQ(r.m_sText, "ab");
}

TEST_F(RecordTest, ReadsHandTypedRecords)
{
    struct Row {
        const char* file;
        int value;
        std::string text;
    };
    const Row rows[] = {
        {"C4020000 01000000 07000000 01000000 04000000 61626300", 7, "abc"},
        {"C4020000 01000000 FEFFFFFF 01000000 01000000", -2, ""},
        // Length 0 is an empty string too, with nothing after it.
        {"C4020000 01000000 03000000 01000000 00000000", 3, ""},
        // Stored bytes without a NUL: the text is all of them, nothing more.
        {"C4020000 01000000 03000000 01000000 03000000 616263", 3, "abc"},
        // A NUL inside the stored bytes ends the text.
        {"C4020000 01000000 03000000 01000000 04000000 61006200", 3, "a"},
        // Shift-JIS bytes pass unchanged.
        {"C4020000 01000000 03000000 01000000 05000000 83478389 00", 3, "\x83\x47\x83\x89"},
        // Counts below the registered ones: the rest keeps its values.
        {"C4020000 01000000 09000000 00000000", 9, "old"},
        {"C4020000 00000000 00000000", 1, "old"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        ASSERT_TRUE(WriteFileBytes("r.dat", HexBytes(row.file)));
        cIntTextData r;
        r.m_nValue = 1;
        r.m_sText = "old";
        EXPECT_EQ(r.LoadFile("r.dat"), 1);
        EXPECT_EQ(r.m_nValue, row.value);
        EXPECT_EQ(r.m_sText, row.text);
        EXPECT_EQ(nFileVersion, 708);
    }
    EXPECT_EQ(DamageReports(), 0);
}

TEST_F(RecordTest, OldVersionsReadTheirOwnLayoutAndSaveTheCurrentOne)
{
    // Version 100: no B (added in 120); version 80: an int after the flag,
    // dropped in 90. Both: A, pair, flag, rate 0.5, name "x".
    const char* v100 =
        "64000000 04000000 0B000000 0100FEFF 07 000000000000E03F 01000000 02000000 7800";
    const char* v80 =
        "50000000 05000000 0B000000 0100FEFF 07 63000000 000000000000E03F 01000000 02000000 7800";
    for (const char* file : {v100, v80}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(WriteFileBytes("old.dat", HexBytes(file)));
        cLeafData leaf;
        ASSERT_EQ(leaf.LoadFile("old.dat"), 1);
        EXPECT_EQ(leaf.m_nA, 11);
        EXPECT_EQ(leaf.m_nB, 5);  // the default of a freshly built leaf
        EXPECT_EQ(leaf.m_sPair[0], 1);
        EXPECT_EQ(leaf.m_sPair[1], -2);
        EXPECT_EQ(leaf.m_bFlag, 7);
        EXPECT_EQ(leaf.m_dRate, 0.5);
        EXPECT_EQ(leaf.m_sName, "x");
        // After the read the registry describes the current layout again.
        EXPECT_EQ(leaf.Fields().size(), 5u);

        ASSERT_EQ(leaf.SaveFile("new.dat"), 1);
        EXPECT_EQ(BodyOf("new.dat"),
                  HexBytes("05000000 0B000000 05000000 0100FEFF 07 000000000000E03F 01000000 02000000 7800"));
    }
}

// Records the versions it is registered with.
class cVersionProbe : public cIntTextData {
public:
    std::vector<int> versions;
    void RegisterFields(int version) override
    {
        versions.push_back(version);
        cIntTextData::RegisterFields(version);
    }
};

TEST_F(RecordTest, ReadingRegistersWithTheFileVersionThenTheCurrentOne)
{
    ASSERT_TRUE(WriteFileBytes("708.dat", HexBytes("C4020000 00000000 00000000")));
    ASSERT_TRUE(WriteFileBytes("300.dat", HexBytes("2C010000 00000000 00000000")));
    cVersionProbe probe;
    ASSERT_EQ(probe.LoadFile("708.dat"), 1);
    EXPECT_EQ(probe.versions, std::vector<int>({708}));
    probe.versions.clear();
    ASSERT_EQ(probe.LoadFile("300.dat"), 1);
    EXPECT_EQ(probe.versions, std::vector<int>({300, 708}));
    EXPECT_EQ(nFileVersion, 300);
}

TEST_F(RecordTest, AFileReadOnAnotherThreadLeavesThisThreadsFileVersion)
{
    // The stage loader reads on a thread of its own while the game thread is
    // in the middle of another file: each must upgrade by its own file's head.
    ASSERT_TRUE(WriteFileBytes("708.dat", HexBytes("C4020000 00000000 00000000")));
    ASSERT_TRUE(WriteFileBytes("300.dat", HexBytes("2C010000 00000000 00000000")));
    cVersionProbe here;
    ASSERT_EQ(here.LoadFile("300.dat"), 1);
    std::vector<int> there;
    std::thread loader([&there] {
        cVersionProbe probe;
        probe.LoadFile("708.dat");
        there = probe.versions;
        there.push_back(nFileVersion);
    });
    loader.join();
    EXPECT_EQ(there, std::vector<int>({708, 708}));
    EXPECT_EQ(nFileVersion, 300);
}

TEST_F(RecordTest, CarriageReturnsAreStrippedOnlyWhenAsked)
{
    // "a\r\nb\rc" stored.
    ASSERT_TRUE(WriteFileBytes("cr.dat", HexBytes("C4020000 01000000 00000000 01000000 07000000 610D0A620D6300")));
    cIntTextData r;
    ASSERT_EQ(r.LoadFile("cr.dat"), 1);
    EXPECT_EQ(r.m_sText, "a\r\nb\rc");
    RecordContext.bStripCR = 1;
    ASSERT_EQ(r.LoadFile("cr.dat"), 1);
    EXPECT_EQ(r.m_sText, "a\nbc");

    RecordContext.bStripCR = 0;
    r.m_sText = "\r\r\rx\r";
    r.StripCR();
    EXPECT_EQ(r.m_sText, "x");
}

// A registered int and string beside members that are not registered.
class cPartlyRegistered : public cIntTextData {
public:
    int m_nRunTime = 0;
    std::vector<int> m_List;
};

TEST_F(RecordTest, ClearAndAssignTouchOnlyRegisteredMembers)
{
    cPartlyRegistered a, b;
    a.m_nValue = 4;
    a.m_sText = "four";
    a.m_nRunTime = 9;
    a.m_List = {1, 2};
    b.Assign(a);
    EXPECT_EQ(b.m_nValue, 4);
    EXPECT_EQ(b.m_sText, "four");
    EXPECT_EQ(b.m_nRunTime, 0);
    EXPECT_TRUE(b.m_List.empty());

    a.Clear();
    EXPECT_EQ(a.m_nValue, 0);
    EXPECT_EQ(a.m_sText, "");
    EXPECT_EQ(a.m_nRunTime, 9);
    EXPECT_EQ(a.m_List.size(), 2u);
    EXPECT_EQ(b.m_sText, "four");  // b holds its own copy

    // Records of different layouts are not copied into one another.
    cLeafData leaf;
    leaf.m_nA = 3;
    b.Assign(leaf);
    EXPECT_EQ(b.m_nValue, 4);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("err record assignment"), std::string::npos);
}

TEST_F(RecordTest, CopiedAndMovedRecordsUseTheirOwnMembers)
{
    // Growing a vector copies its elements; each copy must read and write
    // its own members, never those of the record it was copied from.
    std::vector<cIntTextData> list;
    for (int i = 0; i < 20; ++i) {
        list.emplace_back();
        list.back().m_nValue = i;
        list.back().m_sText = std::string(i, 'x');
    }
    ASSERT_TRUE(WriteFileBytes("r.dat", HexBytes("C4020000 01000000 63000000 01000000 02000000 7A00")));
    ASSERT_EQ(list[3].LoadFile("r.dat"), 1);
    EXPECT_EQ(list[3].m_nValue, 99);
    EXPECT_EQ(list[3].m_sText, "z");
    EXPECT_EQ(list[2].m_nValue, 2);
    EXPECT_EQ(list[4].m_sText, "xxxx");

    cIntTextData copy = list[5];
    copy.Clear();
    EXPECT_EQ(list[5].m_nValue, 5);
    list[6] = list[5];
    list[5].m_sText = "changed";
    EXPECT_EQ(list[6].m_sText, "xxxxx");
    ASSERT_EQ(list[6].SaveFile("six.dat"), 1);
    EXPECT_EQ(BodyOf("six.dat"), HexBytes("01000000 05000000 01000000 06000000 787878787800"));
}
