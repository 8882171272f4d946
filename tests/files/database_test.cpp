// The database as start-up reads it: ten files in a fixed order, the error
// box naming a file that cannot be read, damaged and empty files, and what
// the definitions learn of the lists.
#include "files/database.h"

#include <filesystem>
#include <string>

#include "files/database_context.h"
#include "files/file_error_box.h"
#include "tests/records/record_test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::string kFolder = "data/database/";

// One record of each list, hand-typed at version 708; {n} in a text stands
// for the entry number, so the entries of a list differ.
//   animation set  offsets 4, 8, n, name "s", no animations
//   animation      kept 0, 1, 0, name "a", one frame (cell n, 2 tenths)
//   sword type     no reserved value, name "w", no images, one part of n tenths
//   effect         reserved 0, 32 by 32, name "e", no file, no frames
//   effect kinds   kind 3, parameters n, 0, 0, 0, 0, name "k"
//   the others     reserved 0, name "m", file "f"
std::string RecordOf(const std::string& file, int n)
{
    if (file == "AnimeSet.dat") return FormatText("03000000 04000000 08000000 %02X000000 01000000 02000000 7300 00000000", n);
    if (file == "Anime.dat")
        return FormatText("03000000 0000 01 0000 01000000 02000000 6100 01000000 03000000 %02X000000 02000000 00000000 "
                          "00000000",
                          n);
    if (file == "SwordType.dat")
        return FormatText("00000000 03000000 02000000 7700 01000000 01000000 01000000 "
                          "0A000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 "
                          "%02X000000 00000000",
                          n);
    if (file == "Effect.dat")
        return "04000000 00000000 20000000 20000000 00000000 02000000 02000000 6500 01000000 00000000";
    if (file == "CharaEffect.dat" || file == "ScrEffect.dat")
        return FormatText("06000000 03000000 %02X000000 00000000 00000000 00000000 00000000 01000000 02000000 6B00", n);
    if (file == "Bmp_CharaExc.dat")
        return "03000000 00000000 00000000 00000000 02000000 02000000 6D00 02000000 6600";
    return "01000000 00000000 02000000 02000000 6D00 02000000 6600";
}

// A database file of version 708 holding entries 0 .. count - 1.
Bytes ListFile(const std::string& file, int count)
{
    std::string hex = FormatText("C4020000 %02X000000 ", count);
    for (int i = 0; i < count; ++i) hex += RecordOf(file, i) + " ";
    return HexBytes(hex.c_str());
}

class DatabaseTest : public RecordTest {
protected:
    void SetUp() override
    {
        RecordTest::SetUp();
        std::filesystem::create_directories("data/database");
        boxes.clear();
        lpFileErrorBox = [](const char* text) {
            boxes.push_back(text);
            return 1;
        };
        for (const char* name : cDataBase::FileNames) WriteList(name, 3);
    }
    void TearDown() override
    {
        lpFileErrorBox = nullptr;
        DataBase.SetDefault();
        RecordContext = cRecordContext();
        RecordTest::TearDown();
    }

    static void WriteList(const std::string& name, int count) { ASSERT_TRUE(WriteFileBytes(kFolder + name, ListFile(name, count))); }

    // The number of entries of each list, in file order.
    static std::vector<size_t> Sizes(const cDataBase& db)
    {
        return {db.m_AnimeSet.size(),  db.m_Anime.size(),     db.m_BmpCharaExc.size(), db.m_SwordType.size(),
                db.m_Effect.size(),    db.m_CharaEffect.size(), db.m_ScrEffect.size(), db.m_Picture.size(),
                db.m_Sound.size(),     db.m_Bgm.size()};
    }

    static inline std::vector<std::string> boxes;
    cDataBase db;
};

const std::vector<size_t> kDefaultSizes = {1, 2, 2, 1, 2, 2, 2, 2, 2, 2};

} // namespace

TEST_F(DatabaseTest, DefaultContents)
{
    EXPECT_EQ(Sizes(db), kDefaultSizes);
    EXPECT_EQ(db.m_Anime[0].m_sName, "なし");
    EXPECT_EQ(db.m_Anime[1].m_sName, "アクションA");
    EXPECT_EQ(db.m_AnimeSet[0].m_Animes.size(), 4u);
    EXPECT_EQ(db.m_SwordType[0].m_Parts.at(0).m_nPartTime, 1);
    EXPECT_TRUE(db.m_CharaEffectRev.empty());
    EXPECT_TRUE(db.m_ScrEffectRev.empty());
}

TEST_F(DatabaseTest, TheTenFilesFillTheListsAndTheRecordContext)
{
    ASSERT_EQ(db.LoadAll(kFolder), 1);
    EXPECT_EQ(Sizes(db), std::vector<size_t>(10, 3));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(db.m_AnimeSet[2].m_nFlyingOffset, 2);
    EXPECT_EQ(db.m_Anime[1].m_Frames.at(0).m_nCell, 1);
    EXPECT_EQ(db.m_Picture[2].m_sFile, "f");
    // Entry 0 of both effect lists loses its kind; the others keep theirs.
    EXPECT_EQ(db.m_CharaEffect[0].m_nKind, 0);
    EXPECT_EQ(db.m_ScrEffect[0].m_nKind, 0);
    EXPECT_EQ(db.m_CharaEffect[1].m_nKind, 3);
    EXPECT_EQ(db.m_ScrEffect[2].m_nKind, 3);
    EXPECT_EQ(db.m_CharaEffect[2].m_Param[0], 2);

    EXPECT_EQ(RecordContext.nAnimeSets, 3);
    EXPECT_EQ(RecordContext.nSounds, 3);
    EXPECT_EQ(RecordContext.nBgms, 3);
    EXPECT_EQ(RecordContext.nCharaImages, 3);
    EXPECT_EQ(RecordContext.SwordFrames, (std::vector<std::vector<int16_t>>{{0}, {1}, {2}}));

    db.CopyReversedEffectLists();
    ASSERT_EQ(db.m_CharaEffectRev.size(), 3u);
    ASSERT_EQ(db.m_ScrEffectRev.size(), 3u);
    EXPECT_EQ(db.m_CharaEffectRev[1].m_Param[0], 1);
    EXPECT_EQ(db.m_ScrEffectRev[2].m_sName, "k");
}

TEST_F(DatabaseTest, AMissingFileIsNamedInTheBoxAndEndsTheLoad)
{
    std::filesystem::remove(kFolder + "Sound.dat");
    EXPECT_EQ(db.LoadAll(kFolder), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "data/database/Sound.dat のロードに失敗！");
    EXPECT_NE(ReadFileText("Report_Game.txt").find(boxes[0]), std::string::npos);
    // The lists before it hold their files; it and the music keep the defaults.
    EXPECT_EQ(Sizes(db), (std::vector<size_t>{3, 3, 3, 3, 3, 3, 3, 3, 2, 2}));
    // Without the box of the shell the load fails the same, in the report log only.
    lpFileErrorBox = nullptr;
    cDataBase other;
    EXPECT_EQ(other.LoadAll(kFolder), 0);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DatabaseTest, DamagedFilesFailWithAReportAndKeepTheList)
{
    Bytes sword = ListFile("SwordType.dat", 3);
    auto withWord = [](Bytes bytes, size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
        return bytes;
    };
    const struct {
        const char* what;
        const char* file;
        Bytes bytes;
    } cases[] = {
        {"cut in the last record", "SwordType.dat", Bytes(sword.begin(), sword.end() - 5)},
        {"no count", "SwordType.dat", HexBytes("C4020000 0300")},
        {"shorter than its head", "SwordType.dat", HexBytes("C402")},
        {"entries counted far beyond the file", "SwordType.dat", withWord(sword, 4, 0xFFFFFFFFu)},
        // The first sword's part count: its record part is 8 + 4 + 4 x 3 + 2 bytes.
        {"parts counted far beyond the file", "SwordType.dat", withWord(sword, 8 + 26, 0x7FFFFFFFu)},
        {"a name longer than the file", "Bgm.dat", withWord(ListFile("Bgm.dat", 1), 8 + 8 + 4, 0x40000000u)},
    };
    int reports = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes(kFolder + c.file, c.bytes));
        boxes.clear();
        cDataBase loaded;
        EXPECT_EQ(loaded.LoadAll(kFolder), 0);
        EXPECT_EQ(boxes, std::vector<std::string>{"data/database/" + std::string(c.file) + " のロードに失敗！"});
        EXPECT_EQ(DamageReports(), ++reports);
        // The damaged list keeps its defaults, as does the music, read last.
        EXPECT_EQ(loaded.m_SwordType.size(), std::string(c.file) == "SwordType.dat" ? 1u : 3u);
        EXPECT_EQ(loaded.m_Bgm.size(), 2u);
        WriteList(c.file, 3);
    }
}

TEST_F(DatabaseTest, AnEmptyListGetsOneDefaultEntry)
{
    for (const char* name : {"CharaEffect.dat", "Sound.dat", "SwordType.dat"}) WriteList(name, 0);
    ASSERT_EQ(db.LoadAll(kFolder), 1);
    ASSERT_EQ(db.m_CharaEffect.size(), 1u);
    EXPECT_EQ(db.m_CharaEffect[0].m_nKind, 0);
    ASSERT_EQ(db.m_Sound.size(), 1u);
    EXPECT_EQ(db.m_Sound[0].m_sFile, "");
    ASSERT_EQ(db.m_SwordType.size(), 1u);
    EXPECT_EQ(db.m_SwordType[0].m_Parts.size(), 1u);
    std::string log = ReadFileText("Report_Game.txt");
    for (const char* name : {"CharaEffect.dat", "Sound.dat", "SwordType.dat"})
        EXPECT_NE(log.find(std::string(name) + " holds no entry"), std::string::npos) << name;
    EXPECT_EQ(RecordContext.nSounds, 1);
}

TEST_F(DatabaseTest, CarriageReturnsAreStrippedWhenAsked)
{
    // A picture named "a" CR LF "b".
    ASSERT_TRUE(WriteFileBytes(kFolder + "Picture.dat",
                               HexBytes("C4020000 01000000 01000000 00000000 02000000 05000000 610D0A6200 01000000")));
    RecordContext.bStripCR = 1;
    ASSERT_EQ(db.LoadAll(kFolder), 1);
    EXPECT_EQ(db.m_Picture.at(0).m_sName, "a\nb");
    RecordContext.bStripCR = 0;
    ASSERT_EQ(db.LoadAll(kFolder), 1);
    EXPECT_EQ(db.m_Picture.at(0).m_sName, "a\r\nb");
}
