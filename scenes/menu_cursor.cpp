#include "scenes/menu_cursor.h"

#include "app/base/checked.h"
#include "app/system/input.h"

cMenuCursor MenuCursor;

cMenuCursor::cMenuCursor()
{
    Reset();
}

void cMenuCursor::Refresh()
{
    int top = static_cast<int>(m_Levels.size()) - 1;
    m_lpCurrent = &CheckedAt(m_Levels, top);
    m_lpParent = top > 0 ? &CheckedAt(m_Levels, top - 1) : nullptr;
}

void cMenuCursor::Reset()
{
    m_Levels.assign(1, MENUCURSOR{});
    Refresh();
}

void cMenuCursor::Push(int mode)
{
    MENUCURSOR level;
    if (mode == 1) level = *m_lpCurrent;
    m_Levels.push_back(level);
    Refresh();
}

void cMenuCursor::Pop(int mode)
{
    if (m_Levels.size() <= 1) return;
    MENUCURSOR closed = m_Levels.back();
    m_Levels.pop_back();
    Refresh();
    if (mode == 0)
        *m_lpCurrent = MENUCURSOR{};
    else if (mode == 2)
        *m_lpCurrent = closed;
}

namespace {

// Past the end comes round to the start, before the start to the end.
void Wrap(int32_t& index, int count)
{
    if (index < 0)
        index = count - 1;
    else if (index >= count)
        index = 0;
}

} // namespace

void cMenuCursor::MoveGrid(int direction, int originX, int originY, int stepX, int stepY, int columns, int rows)
{
    if (columns < 0 || rows < 0) return;
    MENUCURSOR& c = *m_lpCurrent;
    if (direction & INPUT_LEFT)
        --c.nColumn;
    else if (direction & INPUT_RIGHT)
        ++c.nColumn;
    if (direction & INPUT_UP)
        --c.nRow;
    else if (direction & INPUT_DOWN)
        ++c.nRow;
    Wrap(c.nRow, rows);
    Wrap(c.nColumn, columns);
    c.nX = originX + stepX * c.nColumn;
    c.nY = originY + stepY * c.nRow;
}

void cMenuCursor::MoveList(int direction, int vertical, int& offset, int base, int step, int fixed, int rows,
                           int count, int paging)
{
    MENUCURSOR& c = *m_lpCurrent;
    int32_t& index = vertical ? c.nRow : c.nColumn;
    if (direction & INPUT_UP) {
        if (index - offset < 1) --offset;
        --index;
    } else if (direction & INPUT_DOWN) {
        if (index - offset >= rows - 1) ++offset;
        ++index;
    }
    const int last = count - rows;
    if (paging) {
        if (direction & INPUT_RIGHT) {
            if (offset == last) {
                index = count - 1;
            } else {
                offset += rows - 1;
                index += rows - 1;
            }
        } else if (direction & INPUT_LEFT) {
            if (offset == 0) {
                index = 0;
            } else {
                offset -= rows - 1;
                index -= rows - 1;
            }
        }
    }
    if (index > count - 1) index = count - 1;
    if (index < 0) index = 0;
    if (offset < 0)
        offset = 0;
    else if (offset > (last < 0 ? 0 : last))
        offset = last < 0 ? 0 : last;
    const int along = base + step * (index - offset);
    if (vertical) {
        c.nY = along;
        c.nX = fixed;
    } else {
        c.nX = along;
        c.nY = fixed;
    }
}
