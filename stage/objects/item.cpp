#include "stage/objects/item.h"

#include "files/stage_file.h"
#include "records/inherit.h"
#include "records/palette_data.h"
#include "stage/objects/play_links.h"

void cItem::Setup(int serial, const cItemData& def, int carried)
{
    m_ItemData = def;
    // A size below 1 would turn the item's sizes inside out.
    if (m_ItemData.m_cSize < 1) m_ItemData.m_cSize = 1;
    int hw = StageData.m_nItemBoxW, hh = StageData.m_nItemBoxH;
    cStageObject::Setup(serial, 0, 0, 0, m_ItemData.m_sGraphic, ItemAnimeTable, 0, 16 - hw / 2, 16 - hh / 2, hw,
                        hh, 32, 32, 0, MOTION_FREE, 0);
    m_bScrollSync = 0;
    m_bCarried = carried;
    if (carried) m_bActive = 1;
    else Rescale(m_ItemData.m_cSize, 1);
}

// From the natural-size place, a grown item moves left by half its growth
// and up by all of it: its picture stands on the bottom of the cell,
// centred across it.
void cItem::SetBlockPos(int column, int row)
{
    m_dLeft = (lpScrollX->m_nMargin + column) * 32 + m_nBaseDrawOffX + 0.5;
    m_dTop = (lpScrollY->m_nMargin + row) * 32 + m_nBaseDrawOffY;
    KeepPlaceOnRescale(m_ItemData.m_cSize, 1);
    ClampX(2);
    ClampY(2);
}

void cItem::ShiftForRescale(int newFactor, int oldFactor)
{
    if (newFactor == oldFactor) return;
    m_dTop -= (newFactor - oldFactor) * (m_nBaseHitH + m_nBaseDrawOffY);
    ClampY(2);
}

cItemData* FindItemPaletteEntry(int source, int index)
{
    std::vector<cItemData>* list = source == SOURCE_COMMON  ? &CommonPalette.m_Items
                                   : source == SOURCE_STAGE ? &StageData.m_Items
                                                            : nullptr;
    if (!list || static_cast<unsigned>(index) >= list->size()) return nullptr;
    return &(*list)[static_cast<size_t>(index)];
}
