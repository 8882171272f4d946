#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

#include "app/base/log.h"
#include "app/system/midi_file.h"
#include "tests/app/midi_songs.h"
#include "tests/support/test_dir.h"

using namespace midisongs;

TEST(MidiFile, ConvertsTwoTracksIntoTheGoldenImage)
{
    ScopedTestDir dir;
    WriteFileBytes("song.mid", TwoTrackSong());
    cMidiFile midi("song.mid");
    ASSERT_TRUE(midi.HasImage());
    EXPECT_EQ(Bytes(midi.Image().begin(), midi.Image().end()), TwoTrackImage());
    EXPECT_EQ(midi.Division(), 96);
    EXPECT_DOUBLE_EQ(midi.Length(), 1.5);  // 288 ticks at 500000 us a quarter of 96
}

TEST(MidiFile, EndOfTrackComesAfterEveryEventAtTheLatestEnd)
{
    // Three tracks ending at 960, 1920 and 480; one note each at 400.
    ScopedTestDir dir;
    WriteFileBytes("three.mid", Join({Header(1, 3, 480), Track(HexBytes("8310 903C40 8430 FF2F00")),
                                      Track(HexBytes("8310 913C40 8B70 FF2F00")),
                                      Track(HexBytes("8310 923C40 50 FF2F00"))}));
    cMidiFile midi("three.mid");
    ASSERT_TRUE(midi.HasImage());
    Bytes body(midi.Image().begin() + MIDI_IMAGE_HEADER, midi.Image().end());
    EXPECT_EQ(body, HexBytes("8310 903C40 00 913C40 00 923C40 8B70 FF2F00"));  // 400 + 1520 = 1920
}

TEST(MidiFile, PlayLengthFollowsTempoChanges)
{
    // 500000 us until tick 480, then 250000 us until the end at 960.
    ScopedTestDir dir;
    WriteFileBytes("tempo.mid", Join({Header(0, 1, 480), Track(HexBytes("00 FF5103 07A120 8360 FF5103 03D090"
                                                                         "8360 FF2F00"))}));
    cMidiFile midi("tempo.mid");
    ASSERT_TRUE(midi.HasImage());
    EXPECT_DOUBLE_EQ(midi.Length(), 0.75);
}

TEST(MidiFile, RefusesWhatIsNoStandardMidiFileWithItsLogLine)
{
    struct Case {
        const char* what;
        Bytes file;
        const char* line;
    };
    const Case cases[] = {
        {"not MThd", Join({HexBytes("4D546865"), Bytes(20, 0)}), "標準MIDIでない(4)"},
        {"too short", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6}, "標準MIDIでない(4)"},
        {"header length 7", Join({HexBytes("4D546864 00000007 0000 0001 0060"), Track(HexBytes("00FF2F00"))}),
         "標準MIDIでない(6)"},
        {"format 2", Join({Header(2, 1, 96), Track(HexBytes("00FF2F00"))}), "対応フォーマットが2でない"},
        {"format 3", Join({Header(3, 1, 96), Track(HexBytes("00FF2F00"))}), "対応フォーマットが0または1でない"},
        {"no MTrk", Join({Header(0, 1, 96), HexBytes("4D54726C 00000004 00FF2F00")}), "標準MIDIでない(4)"},
        {"no tracks", Join({Header(1, 0, 96), Track(HexBytes("00FF2F00"))}), "標準MIDIでない(トラックがない)"},
        {"endless delta", Join({Header(0, 1, 96), Track(HexBytes("FFFFFFFF 903C40 00FF2F00"))}), "標準MIDIでない(可変長の値が不正)"},
        {"delta cut by the end", Join({Header(0, 1, 96), Track(HexBytes("00 903C40 81"))}), "標準MIDIでない(可変長の値が不正)"},
        {"note cut by the end", Join({Header(0, 1, 96), Track(HexBytes("00 903C"))}), "標準MIDIでない(データが途中で終わる)"},
        {"sysex longer than the file", Join({Header(0, 1, 96), Track(HexBytes("00 F07F 0102"))}),
         "標準MIDIでない(データが途中で終わる)"},
        {"meta longer than the file", Join({Header(0, 1, 96), Track(HexBytes("00 FF0110 41"))}),
         "標準MIDIでない(データが途中で終わる)"},
        {"ticks beyond what a delta can hold", Join({Header(0, 1, 96), Track(HexBytes("FFFFFF7F 903C40 01 3C00 00FF2F00"))}),
         "標準MIDIでない(時間が長すぎる)"},
        {"a data byte before any status", Join({Header(0, 1, 96), Track(HexBytes("00 3C40 00FF2F00"))}),
         "標準MIDIでない(ステータスがない)"},
        {"second track missing", Join({Header(1, 2, 96), Track(HexBytes("00FF2F00"))}), "標準MIDIでない(データが途中で終わる)"},
    };
    for (const Case& c : cases) {
        ScopedTestDir dir;
        ASSERT_EQ(CreateReportLog("report.txt"), 1);
        WriteFileBytes("bad.mid", c.file);
        cMidiFile midi("bad.mid");
        EXPECT_FALSE(midi.HasImage()) << c.what;
        std::string log = ReadFileText("report.txt");
        EXPECT_NE(log.find(std::string("Midi bad.mid Init ") + c.line), std::string::npos) << c.what << ": " << log;
    }
}

TEST(MidiFile, OneLongTrackAmongManyEmptyOnesMergesQuickly)
{
    // 20,000 notes in track 0, then 65,534 tracks holding only their end.
    Bytes notes;
    for (int i = 0; i < 20000; ++i) notes.insert(notes.end(), {0x01, 0x90, 0x3C, 0x40});
    Bytes longTrack = notes;
    longTrack.insert(longTrack.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes file = Join({Header(1, 0xFF, 96), Track(longTrack)});
    file[10] = 0xFF;  // 65,535 tracks
    const Bytes empty = Track(HexBytes("00FF2F00"));
    for (int t = 1; t < 0xFFFF; ++t) file.insert(file.end(), empty.begin(), empty.end());

    // <chrono> cannot be built with the game's code page: processor time is enough.
    const std::clock_t start = std::clock();
    cMidiFile midi("many.mid", file);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_TRUE(midi.HasImage());
    // The notes as they were, then the one end of the tune at tick 20,000.
    Bytes body(midi.Image().begin() + MIDI_IMAGE_HEADER, midi.Image().end());
    Bytes expected = notes;
    expected.insert(expected.end(), {0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(body, expected);
    EXPECT_LT(seconds, 5.0);  // a merge that looks at every track per event takes minutes here
}

TEST(MidiFile, MissingFileIsReported)
{
    ScopedTestDir dir;
    ASSERT_EQ(CreateReportLog("report.txt"), 1);
    cMidiFile midi("none.mid");
    EXPECT_FALSE(midi.HasImage());
    EXPECT_NE(ReadFileText("report.txt").find("Midi none.mid Create ファイルが開けません"), std::string::npos);
}

TEST(MidiFile, VariableLengthQuantities)
{
    struct Case {
        uint32_t value;
        Bytes bytes;
    };
    const Case cases[] = {{0, {0x00}},
                          {0x7F, {0x7F}},
                          {0x80, {0x81, 0x00}},
                          {0x3FFF, {0xFF, 0x7F}},
                          {0x4000, {0x81, 0x80, 0x00}},
                          {0x200000, {0x81, 0x80, 0x80, 0x00}},
                          {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
    for (const Case& c : cases) {
        uint8_t out[4] = {};
        ASSERT_EQ(cMidiFile::WriteVarLen(out, c.value), static_cast<int>(c.bytes.size())) << c.value;
        EXPECT_EQ(Bytes(out, out + c.bytes.size()), c.bytes) << c.value;
        uint32_t back = 1;
        EXPECT_EQ(cMidiFile::ReadVarLen(c.bytes.data(), c.bytes.data() + c.bytes.size(), back),
                  static_cast<int>(c.bytes.size()));
        EXPECT_EQ(back, c.value);
    }
    uint8_t out[4] = {};
    EXPECT_EQ(cMidiFile::WriteVarLen(out, 0x10000000), 0);
    const uint8_t endless[5] = {0x81, 0x81, 0x81, 0x81, 0x00};
    uint32_t value = 0;
    EXPECT_EQ(cMidiFile::ReadVarLen(endless, endless + 5, value), 0);
    EXPECT_EQ(cMidiFile::ReadVarLen(endless, endless + 2, value), 0);
}
