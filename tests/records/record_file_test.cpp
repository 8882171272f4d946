// Opening, closing and replacing data files: a save never destroys the
// previous good file, and a failure is never reported as success.
#include "tests/records/record_test_support.h"

#include <filesystem>

namespace {

// A record whose save fails half-way, as a full disk would make it.
class cFailingSave : public cIntTextData {
public:
    void Save(cDataWriter& out) override
    {
        cIntTextData::Save(out);
        out.Fail("test: the disk is full");
    }
};

const std::vector<unsigned char> kOldFile = HexBytes("C4020000 01000000 01000000 01000000 04000000 6F6C6400");

} // namespace

TEST_F(RecordTest, AFailedSaveKeepsThePreviousFile)
{
    ASSERT_TRUE(WriteFileBytes("a.dat", kOldFile));
    cFailingSave r;
    r.m_nValue = 2;
    EXPECT_EQ(r.SaveFile("a.dat"), 0);
    EXPECT_EQ(ReadFileBytes("a.dat"), kOldFile);
    EXPECT_FALSE(FileExists("a.dat.tmp"));
    EXPECT_NE(ReadFileText("Report_Game.txt").find("disk is full"), std::string::npos);

    // A folder in the way of the temporary file, a folder in the place of
    // the file itself, a folder that does not exist: each save fails, and
    // what was there stays.
    cIntTextData good;
    ASSERT_TRUE(WriteFileBytes("b.dat", kOldFile));
    ASSERT_TRUE(std::filesystem::create_directory("b.dat.tmp"));
    EXPECT_EQ(good.SaveFile("b.dat"), 0);
    EXPECT_EQ(ReadFileBytes("b.dat"), kOldFile);

    ASSERT_TRUE(std::filesystem::create_directory("d.dat"));
    EXPECT_EQ(good.SaveFile("d.dat"), 0);
    EXPECT_TRUE(std::filesystem::is_directory("d.dat"));
    EXPECT_FALSE(FileExists("d.dat.tmp"));

    EXPECT_EQ(good.SaveFile("missing/c.dat"), 0);
    EXPECT_FALSE(FileExists("missing/c.dat"));
}

TEST_F(RecordTest, ASaveReplacesTheFileWhole)
{
    ASSERT_TRUE(WriteFileBytes("a.dat", std::vector<unsigned char>(1000, 0xAA)));
    cIntTextData r;
    r.m_nValue = 3;
    ASSERT_EQ(r.SaveFile("a.dat"), 1);
    EXPECT_EQ(BodyOf("a.dat"), HexBytes("01000000 03000000 01000000 01000000"));
    EXPECT_FALSE(FileExists("a.dat.tmp"));
}

TEST_F(RecordTest, OpeningFilesThatAreNotThere)
{
    cIntTextData r;
    r.m_nValue = 4;
    EXPECT_EQ(r.LoadFile("absent.dat"), 0);
    EXPECT_EQ(r.m_nValue, 4);
    std::unique_ptr<cDataReader> none;
    EXPECT_EQ(DataFileClose(none), 0);

    // An empty path stands for the file "err".
    EXPECT_EQ(r.LoadFile(""), 0);
    ASSERT_TRUE(WriteFileBytes("err", HexBytes("C4020000 01000000 08000000 00000000")));
    EXPECT_EQ(r.LoadFile(""), 1);
    EXPECT_EQ(r.m_nValue, 8);
    // Neither an absent file nor one found is damage.
    EXPECT_EQ(DamageReports(), 0);
}

TEST_F(RecordTest, OwnersWriteSeveralRecordsIntoOneFile)
{
    auto out = DataFileOpenWrite("two.dat");
    ASSERT_TRUE(out);
    cIntTextData a, b;
    a.m_nValue = 1;
    b.m_sText = "b";
    a.Save(*out);
    out->WriteU32(0x12345678);
    b.Save(*out);
    ASSERT_EQ(DataFileClose(out), 1);
    EXPECT_FALSE(out);
    EXPECT_EQ(BodyOf("two.dat"), HexBytes("01000000 01000000 01000000 01000000 78563412 "
                                          "01000000 00000000 01000000 02000000 6200"));

    auto in = DataFileOpenRead("two.dat");
    ASSERT_TRUE(in);
    cIntTextData c, d;
    uint32_t middle = 0;
    EXPECT_TRUE(c.Load(*in));
    EXPECT_TRUE(in->ReadU32(middle));
    EXPECT_TRUE(d.Load(*in));
    EXPECT_EQ(in->Remaining(), 0u);
    EXPECT_EQ(middle, 0x12345678u);
    EXPECT_EQ(d.m_sText, "b");
    EXPECT_EQ(DataFileClose(in), 1);
}

TEST_F(RecordTest, AVersionBelowOneOrAboveTheCurrentIsRefused)
{
    const auto file = [](const char* head) {
        std::vector<unsigned char> bytes = HexBytes(head);
        const std::vector<unsigned char> body = HexBytes("01000000 03000000 01000000 01000000");
        bytes.insert(bytes.end(), body.begin(), body.end());
        return bytes;
    };
    struct Case {
        const char* head;
        const char* reported;
    };
    const Case refused[] = {
        {"FFFFFFFF", "data version -1 "},          // reads as the oldest layout with every upgrade
        {"00000000", "data version 0 "},
        {"C5020000", "data version 709 "},         // a newer editor's layout
        {"00000080", "data version -2147483648 "},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.head);
        ASSERT_TRUE(WriteFileBytes("v.dat", file(c.head)));
        cIntTextData r;
        r.m_nValue = 9;
        EXPECT_EQ(r.LoadFile("v.dat"), 0);
        EXPECT_EQ(r.m_nValue, 9);
        EXPECT_NE(ReadFileText("Report_Game.txt").find(c.reported), std::string::npos);
    }
    ASSERT_TRUE(WriteFileBytes("v.dat", file("C4020000")));
    cIntTextData r;
    EXPECT_EQ(r.LoadFile("v.dat"), 1);
    EXPECT_EQ(r.m_nValue, 3);
}
