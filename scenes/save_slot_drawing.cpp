#include "scenes/save_slot_drawing.h"

#include "app/base/format.h"
#include "gfx/fill.h"
#include "gfx/font.h"

namespace {

constexpr int kRow = 16;
constexpr int kWidth = 320;
constexpr int kSeparatorColour = 240;

} // namespace

void cSaveSlotData::Draw(Font& font, DDSURFACEDATA* target, int x, int y) const
{
    if (!m_bExists) return;
    if (m_bDamaged) {
        font.DrawText(target, x, y, "----/--/-- --:--\n", 0);
        return;
    }
    font.DrawTextF(target, x, y, "%04d/%02d/%02d %02d:%02d\n", m_Time.wYear, m_Time.wMonth, m_Time.wDay,
                   m_Time.wHour, m_Time.wMinute);
}

void DrawSaveSlots(Font& font, DDSURFACEDATA* target, int x, int y, const std::vector<cSaveSlotData>& list,
                   int first, int rows)
{
    font.DrawWindow(target, x, y, kWidth, rows * kRow);
    for (int k = 0; k < rows; ++k) {
        int slot = first + k;
        int top = y + kRow * k;
        if (k != rows - 1) DDFillRectPal(target, x, top + kRow - 1, kWidth, 1, kSeparatorColour);
        if (slot < 0 || static_cast<size_t>(slot) >= list.size()) return;
        font.DrawTextF(target, x + 16, top, "%d", slot + 1);
        list[slot].Draw(font, target, x + 64, top);
    }
}
