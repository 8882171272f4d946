// Damaged settings files: the load fails with a report-log line and every
// setting keeps the value it had before.
#include "tests/files/system_file_fixture.h"

namespace {

// A file of the current version typed segment by segment, so that a row can cut or
// overwrite it at the start of any segment.
struct Segment {
    const char* name;
    const char* hex;
};

const Segment kSegments[] = {
    {"head", "C4020000"},
    {"scalar count", "2C000000"},
    {"scalars",
     "01000000 64000000 01000000 00000000 3C000000 00000000 00000000 01000000 01000000 01000000 01000000 01000000"
     "28000000 01000000 01000000 01000000 01000000 01000000 01000000 01000000 01000000 01000000 01000000 00000000"
     "00000000 00 B1 00 00000000 00000000 00000000 00000000 10000000 00000000 00000000 00000000 00000000 00000000"
     "00000000 00000000 00000000 00000000 00000000 02000000"},
    {"string count", "01000000"},
    {"title", "05000000 47616D6500"},
    {"carry keep", "02000000 0101"},
    {"carry reset", "01000000 00"},
    {"status", "01000000 06000000 01000000 01000000 04000000 00000000 00000000 00000000 01000000 02000000 5300"},
    {"lives", "01000000 05000000"},
    {"infinite", "01000000 00000000"},
    {"modes", "01000000 01000000 01000000 00000000 05000000 0101010101"},
    {"texts", "02000000 03000000 414200 02000000 4300"},
    {"sounds", "01000000 06000000 612E77617600"},
    {"menu music", "01000000 01000000"},
    {"menu music loop", "01000000 01"},
    {"title menu", "01000000 01000000 01000000 01000000 03000000 676F00"},
    {"world-map menu", "00000000"},
    {"options menu", "00000000"},
    {"ranking names", "01000000 02000000 7200"},
    {"ini options", "01000000 02000000 00000000 02000000 02000000 09000000 44697265637433440001000000"},
};

std::vector<unsigned char> Whole()
{
    std::vector<unsigned char> bytes;
    for (const Segment& segment : kSegments) {
        std::vector<unsigned char> b = HexBytes(segment.hex);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    return bytes;
}

// Where the named segment starts.
size_t Start(const char* name)
{
    size_t at = 0;
    for (const Segment& segment : kSegments) {
        if (std::string(segment.name) == name) return at;
        at += HexBytes(segment.hex).size();
    }
    ADD_FAILURE() << "no segment " << name;
    return 0;
}

std::vector<unsigned char> CutAt(size_t at)
{
    std::vector<unsigned char> bytes = Whole();
    bytes.resize(at);
    return bytes;
}

std::vector<unsigned char> CountAt(size_t at, uint32_t count)
{
    std::vector<unsigned char> bytes = Whole();
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(count >> (8 * i));
    return bytes;
}

} // namespace

TEST_F(SystemDataTest, TheUndamagedFileReads)
{
    ASSERT_TRUE(WriteFileBytes("System.dat", Whole()));
    cSystemData s;
    ASSERT_EQ(s.LoadFile("System.dat"), 1);
    EXPECT_EQ(s.m_strTitle, "Game");
    EXPECT_EQ(s.m_TextList[0], "AB");
    EXPECT_EQ(s.m_IniOptions[0].m_strKey, "Direct3D");
    EXPECT_EQ(DamageReports(), 0);
}

TEST_F(SystemDataTest, DamagedFilesChangeNoSetting)
{
    struct Row {
        const char* what;
        std::vector<unsigned char> file;
    };
    const size_t end = Whole().size();
    const Row rows[] = {
        {"head only", CutAt(Start("scalar count"))},
        {"cut in the scalars", CutAt(Start("scalars") + 50)},
        {"cut in the title", CutAt(Start("title") + 6)},
        {"cut before the lists", CutAt(Start("carry keep"))},
        {"cut in a status item", CutAt(Start("status") + 20)},
        {"cut in a mode's genres", CutAt(Start("texts") - 2)},
        {"cut in a text", CutAt(Start("texts") + 10)},
        {"cut in the title menu", CutAt(Start("world-map menu") - 1)},
        {"last byte missing", CutAt(end - 1)},
        {"scalar count 0", CountAt(Start("scalar count"), 0)},
        {"scalar count FFFFFFFF", CountAt(Start("scalar count"), 0xFFFFFFFF)},
        {"string count 0", CountAt(Start("string count"), 0)},
        {"title length FFFFFFFF", CountAt(Start("title"), 0xFFFFFFFF)},
        {"carry count FFFFFFFF", CountAt(Start("carry keep"), 0xFFFFFFFF)},
        {"status count 0", CountAt(Start("status"), 0)},
        {"status count FFFFFFFF", CountAt(Start("status"), 0xFFFFFFFF)},
        {"genre count FFFFFFFF", CountAt(Start("modes") + 16, 0xFFFFFFFF)},
        {"text count 0", CountAt(Start("texts"), 0)},
        {"text count FFFFFFFF", CountAt(Start("texts"), 0xFFFFFFFF)},
        {"text length FFFFFFFF", CountAt(Start("texts") + 4, 0xFFFFFFFF)},
        {"menu count FFFFFFFF", CountAt(Start("title menu"), 0xFFFFFFFF)},
        {"ini count FFFFFFFF", CountAt(Start("ini options"), 0xFFFFFFFF)},
    };
    // Settings that differ from both the file and the defaults.
    cSystemData before;
    before.m_strTitle = "before";
    before.m_nChallengeCount = 7;
    before.m_TextList[0] = "kept";
    before.m_IniOptions.resize(3);
    ASSERT_EQ(before.SaveFile("before.dat"), 1);
    const std::vector<unsigned char> beforeBytes = ReadFileBytes("before.dat");
    int reports = 0;
    for (const Row& row : rows) {
        ASSERT_TRUE(WriteFileBytes("System.dat", row.file));
        cSystemData s = before;
        EXPECT_EQ(s.LoadFile("System.dat"), 0) << row.what;
        EXPECT_EQ(DamageReports(), ++reports) << row.what;
        ASSERT_EQ(s.SaveFile("after.dat"), 1) << row.what;
        EXPECT_EQ(ReadFileBytes("after.dat"), beforeBytes) << row.what;
    }
}

TEST_F(SystemDataTest, MissingFileIsNoLoadAndChangesNothing)
{
    cSystemData s;
    s.m_strTitle = "kept";
    EXPECT_EQ(s.LoadFile("System.dat"), 0);
    EXPECT_EQ(s.m_strTitle, "kept");
}
