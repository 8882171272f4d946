#include "tests/stage/harness_items.h"

#include "records/item_data.h"
#include "stage/objects/item.h"
#include "stage/objects/stage_containers.h"

cItem& HarnessPlaceItem(const cItemData& def, int column, int row)
{
    ItemList.emplace_back();
    cItem& item = ItemList.back();
    item.Setup(static_cast<int>(ItemList.size()), def, 0);
    item.SetBlockPos(column, row);
    item.m_bActive = 1;
    return item;
}
