#include "tests/records/record_test_support.h"

std::vector<unsigned char> RecordTest::BodyOf(const std::string& path) const
{
    std::vector<unsigned char> bytes = ReadFileBytes(path);
    EXPECT_GE(bytes.size(), 4u);
    if (bytes.size() < 4) return {};
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4), HexBytes("C4020000"));
    return std::vector<unsigned char>(bytes.begin() + 4, bytes.end());
}

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
