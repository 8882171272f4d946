#include <gtest/gtest.h>

#include <vector>

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include "tests/support/build_tree.h"
#include "tests/support/test_dir.h"
#include "vox/vorbis_source.h"
#include "vox/vox.h"

namespace {

// The whole test tune decoded at once, as the reference the streamed reads
// must match sample for sample.
std::vector<short> DecodeWhole(const std::string& path, int* channels)
{
    int rate = 0;
    short* samples = nullptr;
    int frames = stb_vorbis_decode_filename(path.c_str(), channels, &rate, &samples);
    std::vector<short> out;
    if (frames > 0) out.assign(samples, samples + frames * *channels);
    free(samples);
    return out;
}

// Reads the source to its end in pieces of the given size.
std::vector<short> ReadAll(cVorbisSource& source, int piece, int limitFrames)
{
    std::vector<short> out;
    std::vector<short> buffer(static_cast<size_t>(piece) * source.Channels());
    while (static_cast<int>(out.size()) / source.Channels() < limitFrames) {
        int got = source.Read(buffer.data(), piece);
        if (got == 0) break;
        out.insert(out.end(), buffer.begin(), buffer.begin() + got * source.Channels());
    }
    return out;
}

} // namespace

TEST(VorbisSource, OpensTheTestTuneWithItsFormat)
{
    cVorbisSource source;
    ASSERT_TRUE(source.Open(BuildTreePath("fixtures\\tune.ogg").c_str()));
    EXPECT_EQ(source.Channels(), 2);
    EXPECT_EQ(source.Rate(), 22050u);
    EXPECT_EQ(source.Length(), 8820u);  // 0.4 s
}

TEST(VorbisSource, RefusesMissingAndForeignFiles)
{
    ScopedTestDir dir;
    WriteFileText("not.ogg", "RIFF....WAVEfmt this is no Ogg stream at all");
    std::vector<unsigned char> tune = ReadFileBytes(BuildTreePath("fixtures\\tune.ogg"));
    ASSERT_GT(tune.size(), 40u);
    tune.resize(40);  // cut inside the first page
    WriteFileBytes("cut.ogg", tune);
    cVorbisSource source;
    for (const char* path : {"missing.ogg", "not.ogg", "cut.ogg", ""}) {
        EXPECT_FALSE(source.Open(path)) << path;
        EXPECT_FALSE(source.IsOpen()) << path;
        short buffer[8];
        EXPECT_EQ(source.Read(buffer, 4), 0) << path;
    }
}

// The test tune open, and the whole of it decoded at once beside it.
class VorbisStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string path = BuildTreePath("fixtures\\tune.ogg");
        int channels = 0;
        m_Whole = DecodeWhole(path, &channels);
        ASSERT_EQ(m_Whole.size(), 8820u * 2);
        ASSERT_TRUE(m_Source.Open(path.c_str()));
    }
    std::vector<short> m_Whole;
    cVorbisSource m_Source;
};

TEST_F(VorbisStream, StreamedPiecesEqualTheWholeDecodeAndStopAtTheEnd)
{
    EXPECT_EQ(ReadAll(m_Source, 1000, 100000), m_Whole);
    EXPECT_TRUE(m_Source.Ended());
}

TEST_F(VorbisStream, RepeatsJoinWithoutAGapAndCountDown)
{
    ASSERT_TRUE(m_Source.Rewind(2));
    // 777 frames a piece never falls on the end of a pass, so each join
    // happens inside one read.
    std::vector<short> streamed = ReadAll(m_Source, 777, 100000);
    std::vector<short> expected;
    for (int pass = 0; pass < 3; ++pass) expected.insert(expected.end(), m_Whole.begin(), m_Whole.end());
    EXPECT_EQ(streamed.size(), expected.size());
    EXPECT_TRUE(streamed == expected) << "a pass does not follow the last frame of the one before";
}

TEST_F(VorbisStream, EndlessRepeatGoesOnAndRewindStartsAgain)
{
    ASSERT_TRUE(m_Source.Rewind(VOX_LOOP_ENDLESS));
    std::vector<short> streamed = ReadAll(m_Source, 4096, 8820 * 5);
    EXPECT_GE(streamed.size(), 8820u * 2 * 5);
    EXPECT_FALSE(m_Source.Ended());
    EXPECT_TRUE(std::equal(m_Whole.begin(), m_Whole.end(), streamed.begin() + 8820 * 2 * 4));

    // Halfway through a pass, a rewind without repeats plays exactly one pass.
    short buffer[200];
    m_Source.Read(buffer, 100);
    ASSERT_TRUE(m_Source.Rewind(0));
    EXPECT_EQ(ReadAll(m_Source, 4096, 100000), m_Whole);
}
