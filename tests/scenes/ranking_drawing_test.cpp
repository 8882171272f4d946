#include <gtest/gtest.h>

#include "gfx/display.h"
#include "gfx/fill.h"
#include "gfx/font.h"
#include "gfx/surface.h"
#include "stage/draw/ranking_draw.h"
#include "tests/gfx/gfx_support.h"

namespace {

constexpr uint32_t kIndicator = 0xFF0000;

// Where the ranking indicator stands. The font is never created, so the
// indicators (red, from a blue accessory sheet) are all that is drawn.
class RankingDrawingTest : public DisplayTest {
protected:
    bool UpWithSheet(int d3d)
    {
        if (!Up(d3d)) return false;
        if (!DDCreateSurface(&m_sheet, 64, 64, 0, 0, d3d ? DTMEMORYTYPE_VIDEO_RT : 0, 0, 0)) return false;
        DDFill(&m_sheet, d3d ? 0xFF0000FF : 0x0000FF);
        DDFillRect(&m_sheet, 16, 48, 16, 16, d3d ? 0xFF000000 | kIndicator : kIndicator);
        m_view.lpFont = &m_font;
        m_view.lpAccessory = &m_sheet;
        DDFill(&Display.BackBuffer, d3d ? 0xFF000000 : 0);
        return true;
    }
    void Down()
    {
        DDReleaseSurface(&m_sheet);
        DDUnInit();
    }
    // Which of the first rows of 16 pixels at (x, y) hold the indicator
    // ('#', checked at both corners) or nothing ('.').
    std::string Rows(int x, int y, int rows)
    {
        std::string map;
        for (int k = 0; k < rows; ++k) {
            uint32_t a = ReadPixel(&Display.BackBuffer, x, y + 16 * k) & 0xFFFFFF;
            uint32_t b = ReadPixel(&Display.BackBuffer, x + 15, y + 16 * k + 15) & 0xFFFFFF;
            map += a == kIndicator && b == kIndicator ? '#' : a == 0 && b == 0 ? '.' : '?';
        }
        return map;
    }
    Font m_font;
    DDSURFACEDATA m_sheet;
    RANKINGVIEW m_view;
};

// The k-th indicator stands in row k, whichever genre reached its place.
TEST_F(RankingDrawingTest, ScorePanelIndicatorsStackFromTheTop)
{
    struct Row {
        std::vector<int32_t> stageRanks;
        std::vector<uint8_t> modeGenres;
        int directPlay;
        int positions[5];
        const char* rows;
    };
    const Row rows[] = {
        {{1, 1, 0, 0, 0}, {1, 1, 1, 1, 1}, 0, {-1, 4, -1, -1, -1}, "#..."},
        {{1, 1, 0, 0, 0}, {1, 1, 1, 1, 1}, 0, {0, 4, -1, -1, 2}, "###."},
        {{1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}, 0, {0, 0, 0, 0, 0}, "...."},  // the mode ranks nothing
        {{1, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 1, {0, -1, -1, -1, -1}, "#..."},  // direct play: the stage's
    };
    for (int d3d : {1, 0}) {
        SCOPED_TRACE(d3d);
        for (const Row& row : rows) {
            ASSERT_TRUE(UpWithSheet(d3d));
            int shown[5];
            ScorePanelGenres(row.directPlay, row.stageRanks, row.modeGenres, shown);
            DrawScorePanel(m_view, &Display.BackBuffer, 40, 100, shown, row.positions);
            EXPECT_EQ(Rows(40, 100, 4), row.rows);
            Down();
        }
    }
}

TEST_F(RankingDrawingTest, BoardHighlight)
{
    for (int d3d : {1, 0}) {
        SCOPED_TRACE(d3d);
        ASSERT_TRUE(UpWithSheet(d3d));
        cRankingSet set;
        EXPECT_EQ(set.Draw(m_view, &Display.BackBuffer, 200, 30, 2, -1), -1);
        EXPECT_EQ(Rows(200, 30, 5), ".....");
        EXPECT_EQ(set.Draw(m_view, &Display.BackBuffer, 200, 30, 2, 3), 3);
        EXPECT_EQ(Rows(200, 30, 5), "....#");  // row 0 is the title
        Down();
    }
}

} // namespace
