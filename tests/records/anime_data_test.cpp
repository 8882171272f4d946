// Animations and animation sets: their stored forms, and old sets coming back
// with exactly the four basic animations.
#include "tests/records/record_test_support.h"

#include "records/anime_data.h"

namespace {

// Version 127: a set "set" (offsets 5, 9, 2) of three animations.
//   "a0": kept values 7, 0, 9; frames (10, 2 tenths) and (11, 3 tenths, key)
//   "a1": kept values 1, 2, 3; frame (20, 1 tenth)
//   "a2": kept values 0, 1, 0; no frame
const char* const kSet127 =
    "7F000000"
    "03000000 05000000 09000000 02000000 01000000 04000000 73657400"
    "03000000"
    "03000000 0700 00 0900 01000000 03000000 613000"
    "  02000000 03000000 0A000000 02000000 00000000 00000000"
    "           03000000 0B000000 03000000 01000000 00000000"
    "03000000 0100 02 0300 01000000 03000000 613100"
    "  01000000 03000000 14000000 01000000 00000000 00000000"
    "03000000 0000 01 0000 01000000 03000000 613200"
    "  00000000";

// The same set as the runtime writes it after reading it: four animations,
// the third and fourth under the flying names ("飛行" 94F2 8D73, "飛行移動"
// 94F2 8D73 88DA 93AE), the fourth a default animation with one frame.
const char* const kSet127Saved =
    "C4020000"
    "03000000 05000000 09000000 02000000 01000000 04000000 73657400"
    "04000000"
    "03000000 0700 00 0900 01000000 03000000 613000"
    "  02000000 03000000 0A000000 02000000 00000000 00000000"
    "           03000000 0B000000 03000000 01000000 00000000"
    "03000000 0100 02 0300 01000000 03000000 613100"
    "  01000000 03000000 14000000 01000000 00000000 00000000"
    "03000000 0000 01 0000 01000000 05000000 94F28D7300"
    "  00000000"
    "03000000 0000 01 0000 01000000 09000000 94F28D7388DA93AE00"
    "  01000000 03000000 00000000 01000000 00000000 00000000";

// An animation named "aN" with one frame of cell N, in the form of version 55 on.
std::string StoredAnime(int n)
{
    return FormatText("03000000 0000 01 0000 01000000 03000000 61%02X00 01000000 03000000 %02X000000 01000000 00000000 "
                      "00000000 ",
                      0x30 + n, n);
}

// A set of version v holding animations a0 .. a(count - 1).
std::vector<unsigned char> StoredSet(int version, int count)
{
    std::string hex = FormatText("%02X%02X0000 ", version & 0xFF, version >> 8);
    hex += version >= 119 ? "03000000 05000000 09000000 02000000 " : "02000000 05000000 09000000 ";
    hex += "01000000 04000000 73657400 ";
    hex += FormatText("%02X000000 ", count);
    for (int i = 0; i < count; ++i) hex += StoredAnime(i);
    return HexBytes(hex.c_str());
}

void ExpectFrame(const cAnimeFrameData& frame, int cell, int time, int key)
{
    EXPECT_EQ(frame.m_nCell, cell);
    EXPECT_EQ(frame.m_nTime, time);
    EXPECT_EQ(frame.m_bKey, key);
}

void ExpectKept(const cAnimeData& anime, int kept1, int kept, int kept2)
{
    EXPECT_EQ(anime.m_sKept1, kept1);
    EXPECT_EQ(anime.m_cKept, kept);
    EXPECT_EQ(anime.m_sKept2, kept2);
}

} // namespace

TEST_F(RecordTest, AnimeSetOfVersion127ComesBackWithFourBasicAnimations)
{
    ASSERT_TRUE(WriteFileBytes("AnimeSet.dat", HexBytes(kSet127)));
    cAnimeSetData set;
    set.m_Animes.clear();
    ASSERT_EQ(set.LoadFile("AnimeSet.dat"), 1);

    EXPECT_EQ(set.m_sName, "set");
    EXPECT_EQ(set.m_nInvincibleOffset, 5);
    EXPECT_EQ(set.m_nBlockOffset, 9);
    EXPECT_EQ(set.m_nFlyingOffset, 2);
    ASSERT_EQ(set.m_Animes.size(), 4u);
    EXPECT_EQ(set.m_Animes[0].m_sName, "a0");
    EXPECT_EQ(set.m_Animes[1].m_sName, "a1");
    EXPECT_EQ(set.m_Animes[2].m_sName, "飛行");
    EXPECT_EQ(set.m_Animes[3].m_sName, "飛行移動");

    const cAnimeData& a0 = set.m_Animes[0];
    ExpectKept(a0, 7, 0, 9);
    ASSERT_EQ(a0.m_Frames.size(), 2u);
    ExpectFrame(a0.m_Frames[0], 10, 2, 0);
    ExpectFrame(a0.m_Frames[1], 11, 3, 1);
    // A stored frame count of 0 stays 0; the appended animation has the one
    // default frame of a reset.
    EXPECT_TRUE(set.m_Animes[2].m_Frames.empty());
    ASSERT_EQ(set.m_Animes[3].m_Frames.size(), 1u);
    ExpectFrame(set.m_Animes[3].m_Frames[0], 0, 1, 0);
    ExpectKept(set.m_Animes[3], 0, 1, 0);

    ASSERT_EQ(set.SaveFile("Saved.dat"), 1);
    EXPECT_EQ(ReadFileBytes("Saved.dat"), HexBytes(kSet127Saved));

    cAnimeSetData again;
    ASSERT_EQ(again.LoadFile("Saved.dat"), 1);
    ASSERT_EQ(again.SaveFile("Again.dat"), 1);
    EXPECT_EQ(ReadFileBytes("Again.dat"), HexBytes(kSet127Saved));
}

TEST_F(RecordTest, AnimeSetLengthsByVersion)
{
    struct Case {
        int version;
        int stored;
        std::vector<std::string> names;
        int flyingOffset;
    };
    const Case cases[] = {
        {100, 6, {"a0", "a1", "飛行", "飛行移動"}, 0},
        {118, 2, {"a0", "a1", "飛行", "飛行移動"}, 0},
        {127, 5, {"a0", "a1", "飛行", "飛行移動"}, 2},
        {128, 0, {}, 2},
        {128, 2, {"a0", "a1"}, 2},
        {708, 6, {"a0", "a1", "a2", "a3", "a4", "a5"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatText("version %d, %d stored", c.version, c.stored));
        ASSERT_TRUE(WriteFileBytes("AnimeSet.dat", StoredSet(c.version, c.stored)));
        cAnimeSetData set;
        ASSERT_EQ(set.LoadFile("AnimeSet.dat"), 1);
        ASSERT_EQ(set.m_Animes.size(), c.names.size());
        for (size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(set.m_Animes[i].m_sName, c.names[i]);
        // What the file held stays with the animations it kept.
        if (c.stored >= 2) {
            EXPECT_EQ(set.m_Animes[1].m_Frames.at(0).m_nCell, 1);
        }
        if (c.stored >= 3 && c.names.size() >= 3) {
            EXPECT_EQ(set.m_Animes[2].m_Frames.at(0).m_nCell, 2);
        }
        EXPECT_EQ(set.m_nFlyingOffset, c.flyingOffset);
    }
}

TEST_F(RecordTest, AnimeDefaultsAndTheFormBeforeVersion55)
{
    cAnimeSetData set;
    ASSERT_EQ(set.m_Animes.size(), 4u);
    EXPECT_EQ(set.m_Animes[0].m_sName, "立ち");
    EXPECT_EQ(set.m_Animes[1].m_sName, "立ち移動");
    EXPECT_EQ(set.m_Animes[2].m_sName, "飛行");
    EXPECT_EQ(set.m_Animes[3].m_sName, "飛行移動");
    EXPECT_EQ(set.m_nInvincibleOffset, 4);
    EXPECT_EQ(set.m_nBlockOffset, 8);
    EXPECT_EQ(set.m_nFlyingOffset, 0);

    // Version 54: the name only, then the frames; the kept values keep what
    // they held.
    ASSERT_TRUE(WriteFileBytes("Anime.dat", HexBytes("36000000 00000000 01000000 03000000 623000"
                                                     "02000000 03000000 04000000 05000000 00000000 00000000"
                                                     "         03000000 06000000 07000000 01000000 00000000")));
    cAnimeData anime;
    anime.m_sKept1 = 3;
    ASSERT_EQ(anime.LoadFile("Anime.dat"), 1);
    EXPECT_EQ(anime.m_sName, "b0");
    ExpectKept(anime, 3, 1, 0);
    ASSERT_EQ(anime.m_Frames.size(), 2u);
    ExpectFrame(anime.m_Frames[0], 4, 5, 0);
    ExpectFrame(anime.m_Frames[1], 6, 7, 1);
    anime.Reset();
    ExpectKept(anime, 0, 1, 0);
    ASSERT_EQ(anime.m_Frames.size(), 1u);
    ExpectFrame(anime.m_Frames[0], 0, 1, 0);
}

TEST_F(RecordTest, AnimeSetCutOrOverCountedFailsWithAReport)
{
    std::vector<unsigned char> whole = HexBytes(kSet127);
    // Cut inside the last animation, and a count of animations far beyond
    // the bytes left.
    std::vector<unsigned char> cut(whole.begin(), whole.end() - 3);
    std::vector<unsigned char> overCounted = whole;
    overCounted[4 + 32] = 0xFF;
    overCounted[4 + 33] = 0xFF;
    for (const auto& bytes : {cut, overCounted}) {
        SCOPED_TRACE(bytes.size() < whole.size() ? "cut" : "over-counted");
        ASSERT_TRUE(WriteFileBytes("AnimeSet.dat", bytes));
        cAnimeSetData set;
        EXPECT_EQ(set.LoadFile("AnimeSet.dat"), 0);
        // Old sets still end with the four basic animations, usable.
        EXPECT_EQ(set.m_Animes.size(), 4u);
    }
    EXPECT_EQ(DamageReports(), 2);
}
