#include <gtest/gtest.h>

#include <windows.h>

#include "app/system/paths.h"
#include "app/base/sjis.h"
#include "tests/support/test_dir.h"

// "ソ" and "表" end in the byte 0x5C, the code of "\".
static const std::string kSo = "\x83\x5C";
static const std::string kHyo = "\x95\x5C";

TEST(StripDirectory, TrailByteOfADoubleByteCharacterIsNoSeparator)
{
    struct Row {
        std::string in, out;
    } rows[] = {
        {"data\\stg4\\abc.stg4", "abc.stg4"},
        {"abc.stg4", "abc.stg4"},
        {"data\\" + kSo + kHyo + ".bmp", kSo + kHyo + ".bmp"},
        {kSo + "\\" + kHyo, kHyo},
        {kHyo, kHyo},
        {"bmp\\", ""},
    };
    for (const Row& row : rows) {
        std::string path = row.in;
        StripDirectory(path);
        EXPECT_EQ(path, row.out) << row.in;
    }
}

TEST(FileNames, ExtensionsAndNumberSuffixes)
{
    std::string out;
    EXPECT_EQ(ChangeExtension(out, "data\\stg4.old\\abc", "bak"), 1);
    EXPECT_EQ(out, "data\\stg4.bak"); // the last "." wins, even in a folder name
    EXPECT_EQ(ChangeExtension(out, "a.b.c", nullptr), 1);
    EXPECT_EQ(out, "a.b");
    EXPECT_EQ(ChangeExtension(out, "noext", "x"), 0);
    EXPECT_EQ(out, "noext");

    std::string path = "x\\" + kSo + ".ogg";
    EXPECT_EQ(RemoveExtension(path), 1);
    EXPECT_EQ(path, "x\\" + kSo);
    EXPECT_EQ(RemoveExtension(path), 0);

    EXPECT_EQ(GetExtension(out, "music.mid"), 1);
    EXPECT_EQ(out, "mid");
    EXPECT_EQ(GetExtension(out, "music"), 0);

    EXPECT_EQ(AddNumberSuffix(out, "stage.stg4", 4, 2), 1);
    EXPECT_EQ(out, "stage_42.stg4");
    EXPECT_EQ(AddNumberSuffix(out, "stage", 0, 0), 0);
}

TEST(FindNumberedFile, FindsTheNewestRevision)
{
    ScopedTestDir dir;
    std::string found = "untouched";
    EXPECT_EQ(FindNumberedFile(found, "abc.stg4_001", "stg4"), 0);
    EXPECT_EQ(found, "untouched");
    WriteFileText("abc.stg4_000", "");
    WriteFileText("abc.stg4_012", "");
    WriteFileText("abc.stg4_9x9", "");
    EXPECT_EQ(FindNumberedFile(found, "abc.stg4_001", "stg4"), 1);
    EXPECT_EQ(found, "abc.stg4_012");
    WriteFileText("plain_100", "");
    EXPECT_EQ(FindNumberedFile(found, "plain", "stg4"), 1);
    EXPECT_EQ(found, "plain_100");
}

TEST(PathConversion, RelativeAndAbsoluteAgainstTheCurrentFolder)
{
    ScopedTestDir dir;
    std::string path = "data\\x.dat";
    EXPECT_EQ(ToAbsolutePath(path), 1);
    EXPECT_EQ(path, dir.Path() + "\\data\\x.dat");
    EXPECT_EQ(ToRelativePath(path), 1);
    EXPECT_EQ(path, ".\\data\\x.dat");
    std::string already = "y.dat";
    EXPECT_EQ(ToRelativePath(already), 1);
    EXPECT_EQ(already, "y.dat");
}

TEST(ShiftJis, PairsAndDisplayCharacters)
{
    EXPECT_EQ(IsDBCSPair(kSo.c_str()), 1);
    EXPECT_EQ(IsDBCSPair("\x83"), 0);     // lead byte at the end of the text
    EXPECT_EQ(IsDBCSPair("\x83\x20"), 0); // no valid trail byte
    EXPECT_EQ(IsDBCSPair("a\\"), 0);
    EXPECT_EQ(CountDisplayChars("ソ表あ\n"), 3);
    EXPECT_EQ(CountDisplayChars("ab\x83"), 3);
    EXPECT_EQ(CountDisplayChars(""), 0);

    std::string text = "aソb";
    EXPECT_EQ(SjisCutLength(text.c_str(), text.size(), 2), 1u); // never inside the pair
    EXPECT_EQ(SjisCutLength(text.c_str(), text.size(), 3), 3u);
    EXPECT_EQ(SjisCutLength(text.c_str(), text.size(), 10), 4u);
}
