// The small records of a stage and a game progress: screen edges, background
// layers, texts, named values, value pairs and the carry-over.
#include "tests/records/record_test_support.h"

#include "records/stage_sub_records.h"

namespace {

// Reads a version-708 file holding one record of class T from hex, checks
// it with check, saves it and expects the very same bytes back.
template <class T, class Check>
void ExpectReadAndWrittenBack(const char* hex, Check check)
{
    SCOPED_TRACE(hex);
    std::vector<unsigned char> bytes = HexBytes(hex);
    ASSERT_TRUE(WriteFileBytes("in.dat", bytes));
    T record;
    ASSERT_EQ(record.LoadFile("in.dat"), 1);
    check(record);
    ASSERT_EQ(record.SaveFile("out.dat"), 1);
    EXPECT_EQ(ReadFileBytes("out.dat"), bytes);
}

using cTestCarryOverData = cCarryOverDataT<cIntTextData>;

} // namespace

TEST_F(RecordTest, StageSubRecordsReadAndWriteBackTheirBytes)
{
    ExpectReadAndWrittenBack<cScreenEdgeData>(
        "C4020000 08000000 01000000 00000000 01000000 00000000 02000000 03000000 FFFFFFFF 0A000000 00000000",
        [](cScreenEdgeData& e) {
            EXPECT_EQ(e.m_bLeft, 1);
            EXPECT_EQ(e.m_bRight, 0);
            EXPECT_EQ(e.m_bTop, 1);
            EXPECT_EQ(e.m_nTop, -1);
            EXPECT_EQ(e.m_nBottom, 10);
        });
    ExpectReadAndWrittenBack<cStringData>("C4020000 00000000 01000000 03000000 686900",
                                          [](cStringData& s) { EXPECT_EQ(s.m_sText, "hi"); });
    ExpectReadAndWrittenBack<cNamedIntData>("C4020000 01000000 2A000000 01000000 05000000 6B65793100",
                                            [](cNamedIntData& v) {
                                                EXPECT_EQ(v.m_nValue, 42);
                                                EXPECT_EQ(v.m_sName, "key1");
                                            });
    ExpectReadAndWrittenBack<cIntPairData>("C4020000 02000000 03000000 FCFFFFFF 00000000", [](cIntPairData& p) {
        EXPECT_EQ(p.m_nFirst, 3);
        EXPECT_EQ(p.m_nSecond, -4);
    });
    // The five carried values, then the embedded character record.
    ExpectReadAndWrittenBack<cTestCarryOverData>(
        "C4020000 05000000 0A000000 14000000 1E000000 02000000 07000000 00000000"
        "         01000000 63000000 01000000 05000000 6865726F00",
        [](cTestCarryOverData& c) {
            EXPECT_EQ(c.m_nCarryHp, 10);
            EXPECT_EQ(c.m_nCarrySp, 20);
            EXPECT_EQ(c.m_nCarryTime, 30);
            EXPECT_EQ(c.m_nCarryLives, 2);
            EXPECT_EQ(c.m_nCarryBgm, 7);
            EXPECT_EQ(c.m_Chara.m_nValue, 99);
            EXPECT_EQ(c.m_Chara.m_sText, "hero");
        });
}

TEST_F(RecordTest, StageScreenEdgeBeforeVersion125HoldsOnlyTheLeftSwitch)
{
    ASSERT_TRUE(WriteFileBytes("in.dat", HexBytes("7C000000 05000000 01000000 02000000 03000000 04000000 05000000 00000000")));
    cScreenEdgeData e;
    e.Set(7, 9);
    ASSERT_EQ(e.LoadFile("in.dat"), 1);
    EXPECT_EQ(e.m_bLeft, 1);
    EXPECT_EQ(e.m_bRight, 7);
    EXPECT_EQ(e.m_bTop, 7);
    EXPECT_EQ(e.m_bBottom, 7);
    EXPECT_EQ(e.m_nLeft, 2);
    EXPECT_EQ(e.m_nRight, 3);
    EXPECT_EQ(e.m_nTop, 4);
    EXPECT_EQ(e.m_nBottom, 5);
}

TEST_F(RecordTest, StageBackgroundLayersOfEachVersion)
{
    struct Case {
        const char* file;
        cBackgroundData expected;
    };
    auto layer = [](int shown, int fill, int colour, int front, double rx, double ry, int ax, int ay, double ox,
                    double oy, const char* image) {
        cBackgroundData b;
        b.m_bShown = shown;
        b.m_bFill = fill;
        b.m_nFillColor = colour;
        b.m_nLayer = front;
        b.m_dRateX = rx;
        b.m_dRateY = ry;
        b.m_bAutoScrollX = ax;
        b.m_bAutoScrollY = ay;
        b.m_dAutoOffsetX = ox;
        b.m_dAutoOffsetY = oy;
        b.m_sImage = image;
        return b;
    };
    const Case cases[] = {
        // 60: fill, colour, layer and two dropped ints.
        {"3C000000 05000000 01000000 0C000000 01000000 63000000 64000000 01000000 08000000 6F6C642E626D7000",
         layer(1, 1, 12, 1, 0.1, 0.1, 0, 0, 0, 0, "old.bmp")},
        // 61: the rates and the auto-scroll switches came before the dropped ints.
        {"3D000000 09000000 00000000 03000000 00000000 000000000000E03F 000000000000D03F 01000000 01000000"
         " 63000000 64000000 01000000 01000000",
         layer(1, 0, 3, 0, 0.5, 0.25, 1, 1, 0, 0, "")},
        // 62 on: all ten fields.
        {"3E000000 0A000000 00000000 01000000 05000000 01000000 000000000000D03F 000000000000E03F 01000000"
         " 00000000 000000000000F83F 0000000000000000 01000000 08000000 736B792E626D7000",
         layer(0, 1, 5, 1, 0.25, 0.5, 1, 0, 1.5, 0, "sky.bmp")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(WriteFileBytes("in.dat", HexBytes(c.file)));
        cBackgroundData b;
        ASSERT_EQ(b.LoadFile("in.dat"), 1);
        const cBackgroundData& e = c.expected;
        EXPECT_EQ(b.m_bShown, e.m_bShown);
        EXPECT_EQ(b.m_bFill, e.m_bFill);
        EXPECT_EQ(b.m_nFillColor, e.m_nFillColor);
        EXPECT_EQ(b.m_nLayer, e.m_nLayer);
        EXPECT_EQ(b.m_dRateX, e.m_dRateX);
        EXPECT_EQ(b.m_dRateY, e.m_dRateY);
        EXPECT_EQ(b.m_bAutoScrollX, e.m_bAutoScrollX);
        EXPECT_EQ(b.m_bAutoScrollY, e.m_bAutoScrollY);
        EXPECT_EQ(b.m_dAutoOffsetX, e.m_dAutoOffsetX);
        EXPECT_EQ(b.m_dAutoOffsetY, e.m_dAutoOffsetY);
        EXPECT_EQ(b.m_sImage, e.m_sImage);
    }

    // The oldest layer is written in the current form with its defaults.
    ASSERT_TRUE(WriteFileBytes("in.dat", HexBytes(cases[0].file)));
    cBackgroundData b;
    ASSERT_EQ(b.LoadFile("in.dat"), 1);
    ASSERT_EQ(b.SaveFile("out.dat"), 1);
    EXPECT_EQ(BodyOf("out.dat"), HexBytes("0A000000 01000000 01000000 0C000000 01000000 9A9999999999B93F"
                                          " 9A9999999999B93F 00000000 00000000 0000000000000000 0000000000000000"
                                          " 01000000 08000000 6F6C642E626D7000"));
}
