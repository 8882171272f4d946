// The carried item's icon over a character.
#include "stage/objects/chip_source.h"
#include "stage/objects/npc.h"

void cNpc::DrawIcon(DDSURFACEDATA* target)
{
    if (!IconFrame()) return;
    const cItemData& item = m_Item.m_ItemData;
    DrawChipIcon(target, m_nScreenLeft + (m_nDrawW >> 1) - (m_Item.m_nDrawW >> 2),
                 m_nScreenTop - (m_Item.m_nDrawH >> 1), item.m_cGraphicKind, item.m_sGraphic, item.m_sGraphicOffset);
}
