#pragma once
// The cursor of every menu: a stack of cursor levels, the top one belonging to
// the menu that takes input now and the ones below to the menus that opened
// it, so that closing a sub-menu finds the outer cursor where it was. It also
// turns player 1's menu input into moves (a grid that wraps round, or a
// scrolling list that stops at its ends and pages) and works out where the
// menu draws its cursor.
//
// Used only by the game thread.
#include <cstdint>
#include <vector>

struct MENUCURSOR {
    int32_t nColumn = 0;  // item of a horizontal list, or the column of a grid
    int32_t nRow = 0;     // item of a vertical list, or the row of a grid
    int32_t nX = 0;       // where the cursor is drawn
    int32_t nY = 0;
};

class cMenuCursor {
public:
    // One zeroed level.
    cMenuCursor();
    cMenuCursor(const cMenuCursor&) = delete;
    cMenuCursor& operator=(const cMenuCursor&) = delete;

    // Exactly one zeroed level.
    void Reset();
    // Opens a sub-menu: a new top level, zeroed, or with mode 1 a copy of the
    // level it covers.
    void Push(int mode);
    // Closes a sub-menu (nothing with one level left). The uncovered level is
    // then zeroed (mode 0), takes the closed level's values (mode 2), or stays
    // as it was (any other mode).
    void Pop(int mode);
    // A grid of columns x rows with wrap-round; left wins over right and up
    // over down. Indices out of range are brought back even without input.
    // Negative sizes change nothing.
    void MoveGrid(int direction, int originX, int originY, int stepX, int stepY, int columns, int rows);
    // A scrolling list of count items with rows visible from offset on; the
    // item index is the row index when vertical, else the column index. Up
    // wins over down; with paging, right pages down and wins over left. The
    // cursor is drawn at base + step x (index - offset) along the list and at
    // fixed across it.
    void MoveList(int direction, int vertical, int& offset, int base, int step, int fixed, int rows, int count,
                  int paging);

    MENUCURSOR* m_lpCurrent = nullptr;  // the top level; never null
    MENUCURSOR* m_lpParent = nullptr;   // the level below it, null with one level
    std::vector<MENUCURSOR> m_Levels;   // bottom first; never empty

private:
    // The two pointers again, after the vector changed.
    void Refresh();
};

// Threads: the game thread's (the menu screens).
extern cMenuCursor MenuCursor;
