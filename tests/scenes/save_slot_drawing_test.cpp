#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/palette_table.h"
#include "scenes/save_slot_drawing.h"
#include "tests/gfx/gfx_support.h"

namespace {

// The separator lines of the slot list: along the bottom of every row but
// the last, and none below the first row past the end of the list. The font
// is never created, so the lines are all that is drawn.
TEST_F(DisplayTest, SaveSlotSeparators)
{
    struct Row {
        int first, rows;
        std::vector<int> lines;  // rows k whose bottom line is drawn
    };
    const Row rows[] = {
        {0, 4, {0, 1, 2}},   // the last row has no line
        {1, 5, {0, 1, 2}},   // row 2 is the first past the list: its line, then nothing
        {-1, 3, {0}},
        {0, 1, {}},
    };
    const int x = 100, y = 50;
    for (int d3d : {1, 0}) {
        SCOPED_TRACE(d3d);
        ASSERT_TRUE(Up(d3d));
        Display.Palette[240] = {0x12, 0x34, 0x56, 0};
        Font font;
        std::vector<cSaveSlotData> list(3);
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << row.first << " x " << row.rows);
            DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
            DrawSaveSlots(font, &Display.BackBuffer, x, y, list, row.first, row.rows);
            for (int k = 0; k < 6; ++k) {
                bool line = std::find(row.lines.begin(), row.lines.end(), k) != row.lines.end();
                int bottom = y + 16 * k + 15;
                EXPECT_EQ(ReadPixel(&Display.BackBuffer, x, bottom) & 0xFFFFFF, line ? 0x123456u : 0u) << k;
                EXPECT_EQ(ReadPixel(&Display.BackBuffer, x + 319, bottom) & 0xFFFFFF, line ? 0x123456u : 0u) << k;
                EXPECT_EQ(ReadPixel(&Display.BackBuffer, x + 320, bottom) & 0xFFFFFF, 0u) << k;
                EXPECT_EQ(ReadPixel(&Display.BackBuffer, x, bottom - 1) & 0xFFFFFF, 0u) << k;
            }
        }
        DDUnInit();
    }
}

} // namespace
