#include <gtest/gtest.h>

#include "app/system/input.h"
#include "scenes/menu_cursor.h"

namespace {

constexpr int L = INPUT_LEFT, R = INPUT_RIGHT, U = INPUT_UP, D = INPUT_DOWN;

// Grid moves from a starting cell; the drawn position is worked by hand from
// origin (100, 200) and step (40, 32).
TEST(MenuCursor, GridMovesWrapRound)
{
    struct Row {
        int columns, rows, column, row, direction;
        int wantColumn, wantRow;
    };
    const Row table[] = {
        {1, 5, 0, 4, D, 0, 0},       // down from the last row
        {1, 5, 0, 0, U, 0, 4},       // up from the first
        {1, 5, 0, 2, L, 0, 2},       // one column: left and right change nothing
        {1, 5, 0, 2, R, 0, 2},
        {1, 5, 0, 2, U | D, 0, 1},   // up wins over down
        {3, 2, 1, 0, L | R, 0, 0},   // left wins over right
        {3, 2, 2, 1, R | D, 0, 0},   // both axes wrap at once
        {3, 2, 0, 0, L | U, 2, 1},
        {1, 5, 0, 7, 0, 0, 0},       // a remembered row past the end, no input
        {1, 5, 0, -1, 0, 0, 4},
        {-1, 5, 0, 9, D, 0, 9},      // negative sizes: nothing at all
        {1, -1, 0, 9, D, 0, 9},
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << t.columns << "x" << t.rows << " from " << t.column << "," << t.row
                                        << " dir " << t.direction);
        cMenuCursor cursor;
        cursor.m_lpCurrent->nColumn = t.column;
        cursor.m_lpCurrent->nRow = t.row;
        cursor.MoveGrid(t.direction, 100, 200, 40, 32, t.columns, t.rows);
        EXPECT_EQ(cursor.m_lpCurrent->nColumn, t.wantColumn);
        EXPECT_EQ(cursor.m_lpCurrent->nRow, t.wantRow);
        if (t.columns >= 0 && t.rows >= 0) {
            EXPECT_EQ(cursor.m_lpCurrent->nX, 100 + 40 * t.wantColumn);
            EXPECT_EQ(cursor.m_lpCurrent->nY, 200 + 32 * t.wantRow);
        }
    }
}

// Scrolling lists; the drawn position worked by hand from base 160, step 16
// and fixed 152.
TEST(MenuCursor, ListMovesClampScrollAndPage)
{
    struct Row {
        int count, rows, index, offset, direction, paging;
        int wantIndex, wantOffset;
    };
    const Row table[] = {
        {99, 10, 9, 0, D, 1, 10, 1},      // leaving the window scrolls by one
        {99, 10, 5, 0, D, 1, 6, 0},
        {99, 10, 10, 10, U, 1, 9, 9},
        {99, 10, 0, 0, U, 1, 0, 0},       // stops at the first item
        {99, 10, 98, 89, D, 1, 98, 89},   // and at the last
        {99, 10, 3, 0, R, 1, 12, 9},      // page down
        {99, 10, 95, 89, R, 1, 98, 89},   // page down on the last page
        {99, 10, 90, 85, R, 1, 98, 89},   // a page that runs past the end stops there
        {99, 10, 4, 0, L, 1, 0, 0},       // page up on the first page
        {99, 10, 30, 25, L, 1, 21, 16},
        {99, 10, 30, 25, L | R, 1, 39, 34},  // page down wins
        {99, 10, 30, 25, U | D, 1, 29, 25},  // up wins
        {99, 10, 30, 25, R, 0, 30, 25},      // no paging: left and right do nothing
        {3, 10, 2, 0, D, 1, 2, 0},        // fewer items than rows
        {3, 10, 0, 0, R, 1, 2, 0},
        {0, 0, 0, 0, D, 1, 0, 0},         // an empty list
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << t.count << " items, " << t.rows << " rows, from " << t.index << "/"
                                        << t.offset << " dir " << t.direction);
        for (int vertical : {1, 0}) {
            cMenuCursor cursor;
            (vertical ? cursor.m_lpCurrent->nRow : cursor.m_lpCurrent->nColumn) = t.index;
            int offset = t.offset;
            cursor.MoveList(t.direction, vertical, offset, 160, 16, 152, t.rows, t.count, t.paging);
            const MENUCURSOR& c = *cursor.m_lpCurrent;
            EXPECT_EQ(vertical ? c.nRow : c.nColumn, t.wantIndex);
            EXPECT_EQ(vertical ? c.nColumn : c.nRow, 0);
            EXPECT_EQ(offset, t.wantOffset);
            EXPECT_EQ(vertical ? c.nY : c.nX, 160 + 16 * (t.wantIndex - t.wantOffset));
            EXPECT_EQ(vertical ? c.nX : c.nY, 152);
        }
    }
}

TEST(MenuCursor, SubMenusKeepTheOuterCursor)
{
    const MENUCURSOR outer{1, 2, 3, 4}, inner{5, 6, 7, 8};
    struct Row {
        int pushMode, popMode;
        MENUCURSOR pushed;  // the new level as opened
        MENUCURSOR after;   // the outer level once closed
    };
    const Row table[] = {
        {1, 2, outer, inner},          // starts where the outer stood, hands its place back
        {0, 1, MENUCURSOR{}, outer},   // the outer level untouched
        {0, 0, MENUCURSOR{}, MENUCURSOR{}},
        {7, 5, MENUCURSOR{}, outer},   // other modes: zeroed level, outer kept
    };
    auto same = [](const MENUCURSOR& a, const MENUCURSOR& b) {
        return a.nColumn == b.nColumn && a.nRow == b.nRow && a.nX == b.nX && a.nY == b.nY;
    };
    for (const Row& t : table) {
        SCOPED_TRACE(testing::Message() << "push " << t.pushMode << " pop " << t.popMode);
        cMenuCursor cursor;
        *cursor.m_lpCurrent = outer;
        cursor.Push(t.pushMode);
        ASSERT_EQ(cursor.m_Levels.size(), 2u);
        EXPECT_TRUE(same(*cursor.m_lpCurrent, t.pushed));
        EXPECT_TRUE(same(*cursor.m_lpParent, outer));
        *cursor.m_lpCurrent = inner;
        cursor.Pop(t.popMode);
        ASSERT_EQ(cursor.m_Levels.size(), 1u);
        EXPECT_EQ(cursor.m_lpParent, nullptr);
        EXPECT_TRUE(same(*cursor.m_lpCurrent, t.after));
    }

    // Deep stacks keep their pointers on the moved elements; a pop on one
    // level is ignored; a reset leaves one zeroed level.
    cMenuCursor cursor;
    for (int k = 1; k <= 40; ++k) {
        cursor.Push(0);
        cursor.m_lpCurrent->nRow = k;
    }
    EXPECT_EQ(cursor.m_lpCurrent, &cursor.m_Levels[40]);
    EXPECT_EQ(cursor.m_lpParent->nRow, 39);
    cursor.Reset();
    cursor.m_lpCurrent->nRow = 3;
    cursor.Pop(0);
    EXPECT_EQ(cursor.m_Levels.size(), 1u);
    EXPECT_EQ(cursor.m_lpCurrent->nRow, 3);
    cursor.Reset();
    EXPECT_EQ(cursor.m_lpCurrent->nRow, 0);
    EXPECT_EQ(cursor.m_lpCurrent, &cursor.m_Levels[0]);
}

} // namespace
