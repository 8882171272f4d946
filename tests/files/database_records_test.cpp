// The records of the database files: each read and written back to the
// byte, and records of older files brought to the current form.
#include "tests/records/record_test_support.h"

#include <functional>

#include "records/effect_data.h"
#include "records/effect_kind_data.h"
#include "records/media_data.h"
#include "records/sword_type_data.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Reads a one-record file into a fresh T, then writes it: the bytes written.
template <class T>
Bytes LoadAndSave(const Bytes& file)
{
    EXPECT_TRUE(WriteFileBytes("in.dat", file));
    T record;
    EXPECT_EQ(record.LoadFile("in.dat"), 1);
    EXPECT_EQ(record.SaveFile("out.dat"), 1);
    return ReadFileBytes("out.dat");
}

struct RecordCase {
    const char* what;
    std::function<Bytes(const Bytes&)> loadAndSave;
    const char* stored;   // the file read
    const char* saved;    // the file written after reading it; null: the same bytes
};

// Strings used below: "sw" 03000000 737700, "a" 02000000 6100, "fx" 03000000
// 667800, "fx.bmp" 07000000 66782E626D7000, "wav" 04000000 77617600, "se"
// 03000000 736500, "se.wav" 07000000 73652E77617600, "ch" 03000000 636800.

// A sword type (reserved 5) with one part: offsets 3 and -2, x mirrored, in
// place 2, picture at (32, 64) of 16 by 8, 5 tenths.
#define SWORD_STRINGS "03000000 03000000 737700 02000000 6100 01000000"
#define SWORD_PART_708 "0A000000 03000000 FEFFFFFF 01000000 00000000 02000000 20000000 40000000 10000000 08000000 05000000 00000000"
const char* const kSword708 = "C4020000 01000000 05000000 " SWORD_STRINGS " 01000000 " SWORD_PART_708;

// An effect (reserved 7) of 24 by 16 cells scaled by size: frames (3, 4
// tenths) and (1, 2 tenths).
#define EFFECT_STRINGS "02000000 03000000 667800 07000000 66782E626D7000"
#define EFFECT_FRAMES "02000000 02000000 03000000 04000000 00000000 02000000 01000000 02000000 00000000"
const char* const kEffect708 = "C4020000 04000000 07000000 18000000 10000000 01000000 " EFFECT_STRINGS " " EFFECT_FRAMES;

// Effect kinds: kind k with parameters 5, 0, 32, p3, p4, named "wav".
std::string KindRecord(int version, int kind, int p3, int p4)
{
    return FormatText("%02X%02X0000 06000000 %02X000000 05000000 00000000 20000000 %02X000000 %02X000000 "
                      "01000000 04000000 77617600",
                      version & 0xFF, version >> 8, kind, p3, p4);
}

// A sound, picture or music entry "se" / "se.wav" with the reserved int 9.
#define MEDIA_STRINGS "02000000 03000000 736500 07000000 73652E77617600"
const char* const kMedia708 = "C4020000 01000000 09000000 " MEDIA_STRINGS;

// An extra character image "ch" / "se.wav", reserved 4, own cells of 2 blocks.
const char* const kCharaImage708 = "C4020000 03000000 04000000 01000000 02000000 02000000 03000000 636800 07000000 73652E77617600";

} // namespace

TEST_F(RecordTest, DatabaseRecordsOfTheCurrentVersionAreWrittenBackAsRead)
{
    std::string chara = KindRecord(708, 4, 2, 3);
    std::string screen = KindRecord(708, 12, 0xF0, 0xFF);   // lens: shifts -16 and -1 as bytes F0, FF
    const RecordCase cases[] = {
        {"sword type", LoadAndSave<cSwordTypeData>, kSword708, nullptr},
        {"effect", LoadAndSave<cEffectData>, kEffect708, nullptr},
        {"character effect", LoadAndSave<cCharaEffectData>, chara.c_str(), nullptr},
        {"screen effect", LoadAndSave<cScrEffectData>, screen.c_str(), nullptr},
        {"picture", LoadAndSave<cPictureData>, kMedia708, nullptr},
        {"sound", LoadAndSave<cSoundData>, kMedia708, nullptr},
        {"music", LoadAndSave<cBgmData>, kMedia708, nullptr},
        {"character image", LoadAndSave<cBmpCharaExcData>, kCharaImage708, nullptr},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.loadAndSave(HexBytes(c.stored)), HexBytes(c.stored));
    }
}

TEST_F(RecordTest, DatabaseRecordsOfOlderFilesComeBackInTheCurrentForm)
{
    std::string charaWave510 = KindRecord(510, 4, 2, 0), charaWave510Up = KindRecord(708, 4, 2, 2);
    std::string charaWaveV510 = KindRecord(510, 5, 2, 0), charaWaveV510Up = KindRecord(708, 5, 2, 2);
    std::string charaCircle510 = KindRecord(510, 10, 0, 0), charaCircle510Up = KindRecord(708, 10, 2, 0);
    std::string charaWave511 = KindRecord(511, 4, 2, 0), charaWave511Up = KindRecord(708, 4, 2, 0);
    std::string charaBlink510 = KindRecord(510, 6, 0, 0), charaBlink510Up = KindRecord(708, 6, 0, 0);
    std::string scrWaveH510 = KindRecord(510, 6, 4, 0), scrWaveH510Up = KindRecord(708, 6, 4, 8);
    std::string scrWaveV300 = KindRecord(300, 7, 4, 0), scrWaveV300Up = KindRecord(708, 7, 4, 10);
    std::string scrCircle510 = KindRecord(510, 10, 0, 0), scrCircle510Up = KindRecord(708, 10, 8, 0);
    std::string scrCircle511 = KindRecord(511, 10, 0, 0), scrCircle511Up = KindRecord(708, 10, 0, 0);
    // Screen kind 4 is no wave: its fifth parameter stays.
    std::string scrSplit510 = KindRecord(510, 4, 4, 0), scrSplit510Up = KindRecord(708, 4, 4, 0);
    const RecordCase cases[] = {
        {"character wave, 510", LoadAndSave<cCharaEffectData>, charaWave510.c_str(), charaWave510Up.c_str()},
        {"character vertical wave, 510", LoadAndSave<cCharaEffectData>, charaWaveV510.c_str(), charaWaveV510Up.c_str()},
        {"character circle, 510", LoadAndSave<cCharaEffectData>, charaCircle510.c_str(), charaCircle510Up.c_str()},
        {"character wave, 511", LoadAndSave<cCharaEffectData>, charaWave511.c_str(), charaWave511Up.c_str()},
        {"character blink, 510", LoadAndSave<cCharaEffectData>, charaBlink510.c_str(), charaBlink510Up.c_str()},
        {"screen wave, 510", LoadAndSave<cScrEffectData>, scrWaveH510.c_str(), scrWaveH510Up.c_str()},
        {"screen vertical wave, 300", LoadAndSave<cScrEffectData>, scrWaveV300.c_str(), scrWaveV300Up.c_str()},
        {"screen circle, 510", LoadAndSave<cScrEffectData>, scrCircle510.c_str(), scrCircle510Up.c_str()},
        {"screen circle, 511", LoadAndSave<cScrEffectData>, scrCircle511.c_str(), scrCircle511Up.c_str()},
        {"screen split, 510", LoadAndSave<cScrEffectData>, scrSplit510.c_str(), scrSplit510Up.c_str()},
        // Before 138 a part holds eight ints and no mirror flags; before 151
        // a sword has no reserved int, and up to 152 it is read as 0.
        {"sword 137", LoadAndSave<cSwordTypeData>,
         "89000000 00000000 " SWORD_STRINGS
         " 01000000 08000000 03000000 FEFFFFFF 02000000 20000000 40000000 10000000 08000000 05000000 00000000",
         "C4020000 01000000 00000000 " SWORD_STRINGS
         " 01000000 0A000000 03000000 FEFFFFFF 00000000 00000000 02000000 20000000 40000000 10000000 08000000 "
         "05000000 00000000"},
        {"sword 152", LoadAndSave<cSwordTypeData>, "98000000 01000000 05000000 " SWORD_STRINGS " 01000000 " SWORD_PART_708,
         "C4020000 01000000 00000000 " SWORD_STRINGS " 01000000 " SWORD_PART_708},
        {"sword 153", LoadAndSave<cSwordTypeData>, "99000000 01000000 05000000 " SWORD_STRINGS " 01000000 " SWORD_PART_708,
         kSword708},
        {"effect 150", LoadAndSave<cEffectData>, "96000000 03000000 18000000 10000000 01000000 " EFFECT_STRINGS " " EFFECT_FRAMES,
         "C4020000 04000000 00000000 18000000 10000000 01000000 " EFFECT_STRINGS " " EFFECT_FRAMES},
        {"effect 152", LoadAndSave<cEffectData>,
         "98000000 04000000 07000000 18000000 10000000 01000000 " EFFECT_STRINGS " " EFFECT_FRAMES,
         "C4020000 04000000 00000000 18000000 10000000 01000000 " EFFECT_STRINGS " " EFFECT_FRAMES},
        {"sound 150", LoadAndSave<cSoundData>, "96000000 00000000 " MEDIA_STRINGS, "C4020000 01000000 00000000 " MEDIA_STRINGS},
        {"sound 152", LoadAndSave<cSoundData>, "98000000 01000000 09000000 " MEDIA_STRINGS,
         "C4020000 01000000 00000000 " MEDIA_STRINGS},
        {"sound 153", LoadAndSave<cSoundData>, "99000000 01000000 09000000 " MEDIA_STRINGS, kMedia708},
        // The character image's reserved int comes one version later, its
        // cell size in 172.
        {"character image 151", LoadAndSave<cBmpCharaExcData>,
         "97000000 00000000 02000000 03000000 636800 07000000 73652E77617600",
         "C4020000 03000000 00000000 00000000 00000000 02000000 03000000 636800 07000000 73652E77617600"},
        {"character image 171", LoadAndSave<cBmpCharaExcData>,
         "AB000000 01000000 04000000 02000000 03000000 636800 07000000 73652E77617600",
         "C4020000 03000000 04000000 00000000 00000000 02000000 03000000 636800 07000000 73652E77617600"},
        {"character image 172", LoadAndSave<cBmpCharaExcData>,
         "AC000000 03000000 04000000 01000000 02000000 02000000 03000000 636800 07000000 73652E77617600",
         kCharaImage708},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.loadAndSave(HexBytes(c.stored)), HexBytes(c.saved));
    }
}

TEST_F(RecordTest, DatabaseRecordDefaults)
{
    cSwordTypeData sword;
    ASSERT_EQ(sword.m_Parts.size(), 1u);
    EXPECT_EQ(sword.m_Parts[0].m_bMirrorX, 1);
    EXPECT_EQ(sword.m_Parts[0].m_nPartTime, 1);
    EXPECT_EQ(sword.m_Parts[0].m_bMirrorY, 0);
    cEffectData effect;
    EXPECT_EQ(effect.m_nCellWidth, 32);
    EXPECT_EQ(effect.m_nCellHeight, 32);
    EXPECT_TRUE(effect.m_Frames.empty());
    // A file's parts replace the default part; a file's count of 0 leaves none.
    ASSERT_TRUE(WriteFileBytes("in.dat", HexBytes("C4020000 01000000 05000000 " SWORD_STRINGS " 00000000")));
    ASSERT_EQ(sword.LoadFile("in.dat"), 1);
    EXPECT_TRUE(sword.m_Parts.empty());
}

TEST_F(RecordTest, DamagedSubListsFailTheRecordWithAReport)
{
    const struct {
        const char* what;
        std::function<int()> load;
        const char* stored;
    } cases[] = {
        {"sword parts counted beyond the file", [] { return cSwordTypeData().LoadFile("in.dat"); },
         "C4020000 01000000 05000000 " SWORD_STRINGS " FFFFFF7F " SWORD_PART_708},
        {"sword part cut", [] { return cSwordTypeData().LoadFile("in.dat"); },
         "C4020000 01000000 05000000 " SWORD_STRINGS " 01000000 0A000000 03000000"},
        {"effect frames counted beyond the file", [] { return cEffectData().LoadFile("in.dat"); },
         "C4020000 04000000 07000000 18000000 10000000 01000000 " EFFECT_STRINGS " FFFFFFFF 02000000 03000000"},
        {"effect kind with more parameters than known", [] { return cCharaEffectData().LoadFile("in.dat"); },
         "C4020000 07000000 04000000 05000000 00000000 20000000 02000000 02000000 01000000 00000000"},
        {"sound name longer than the file", [] { return cSoundData().LoadFile("in.dat"); },
         "C4020000 01000000 09000000 02000000 00100000 7365"},
    };
    int reports = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes("in.dat", HexBytes(c.stored)));
        EXPECT_EQ(c.load(), 0);
        EXPECT_EQ(DamageReports(), ++reports);
    }
}
