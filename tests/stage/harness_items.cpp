#include "tests/stage/harness_items.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "records/item_data.h"
#include "stage/chara.h"
#include "stage/item.h"
#include "stage/item_commands.h"
#include "stage/stage_containers.h"

cItem& HarnessPlaceItem(const cItemData& def, int column, int row)
{
    ItemList.emplace_back();
    cItem& item = ItemList.back();
    item.Setup(static_cast<int>(ItemList.size()), def, 0);
    item.SetBlockPos(column, row);
    item.m_bActive = 1;
    return item;
}

int HarnessRunItemCommands(const cItem& item, cChara& taker)
{
    for (const cCommandData& command : item.m_ItemData.m_Commands) {
        if (command.m_cKind < 0 || command.m_cKind >= ITEMCMD_COUNT) continue;
        if (ItemCmdExecTable[command.m_cKind](&taker, &command)) return 1;
    }
    return 0;
}

StageHarness::SubStep FallingAndTakingItems(int clampMode, cChara& taker)
{
    auto fall = StageHarness::Falling(clampMode);
    auto touched = std::make_shared<std::vector<const cItem*>>();
    return [fall, touched, &taker](cStageObject& o, uint16_t input) {
        std::pair<int, int> edges = fall(o, input);
        for (auto it = ItemList.begin(); it != ItemList.end();) {
            cItem& item = *it;
            bool touching = item.m_bActive && taker.OverlapsRect(item.m_dLeft, item.m_dTop, item.m_dRight, item.m_dBottom);
            auto known = std::find(touched->begin(), touched->end(), &item);
            if (!touching) {
                if (known != touched->end()) touched->erase(known);
                ++it;
                continue;
            }
            int kind = item.m_ItemData.m_cTakeKind;
            if (kind == ITEM_TAKE_NEVER || known != touched->end()) {
                ++it;
                continue;
            }
            HarnessRunItemCommands(item, taker);
            if (kind == ITEM_TAKE_ONCE) {
                it = ItemList.erase(it);
            } else {
                touched->push_back(&item);
                ++it;
            }
        }
        return edges;
    };
}
