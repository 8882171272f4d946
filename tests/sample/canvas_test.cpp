// The picture encoder against hand-worked bytes.
#include <gtest/gtest.h>

#include "tools/sample/canvas.h"

TEST(SampleCanvasTest, ABmpStoresItsRowsBottomUpPaddedToFourBytes)
{
    uint8_t rgb[256][3] = {};
    rgb[1][0] = 0x11;  // red
    rgb[1][1] = 0x22;  // green
    rgb[1][2] = 0x33;  // blue
    cCanvas c(3, 2);
    c.Set(0, 0, 1);
    c.Set(2, 1, 7);
    const std::vector<uint8_t> b = EncodeBmp8(c, rgb);
    ASSERT_EQ(b.size(), 14u + 40u + 1024u + 8u);
    // The file size, the pixel offset, the size, 8 bits, 256 colours.
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 14),
              (std::vector<uint8_t>{'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0}));
    EXPECT_EQ(b[18], 3);
    EXPECT_EQ(b[22], 2);
    EXPECT_EQ(b[28], 8);
    EXPECT_EQ(b[46], 0);  // 256 as a 32-bit value: 0x100
    EXPECT_EQ(b[47], 1);
    // Entry 1 as blue, green, red, 0.
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 58, b.begin() + 62), (std::vector<uint8_t>{0x33, 0x22, 0x11, 0}));
    // The bottom row first, each row three pixels and one byte of padding.
    EXPECT_EQ(std::vector<uint8_t>(b.end() - 8, b.end()), (std::vector<uint8_t>{0, 0, 7, 0, 1, 0, 0, 0}));
}

TEST(SampleCanvasTest, DrawingOutsideThePictureIsDropped)
{
    cCanvas c(4, 4, 9);
    c.FillRect(-2, -2, 4, 4, 1);
    c.Set(4, 0, 2);
    c.Set(0, -1, 2);
    EXPECT_EQ(c.Get(0, 0), 1);
    EXPECT_EQ(c.Get(1, 1), 1);
    EXPECT_EQ(c.Get(2, 2), 9);
    EXPECT_EQ(c.Get(3, 0), 9);
    EXPECT_EQ(c.Get(5, 5), 0);
}
