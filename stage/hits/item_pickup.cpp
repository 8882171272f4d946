// The player taking items: by touching them with its item box, and the
// applying of an item, whoever gives it (a touched item, a defeated
// character's item, a block's or a shot's).
#include "records/flow_labels.h"
#include "stage/hits/hits.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

int cStageWorld::ApplyItem(cItem* item, cChara* chara)
{
    if (!item || item->m_nGraphic == 0 || item->m_ItemData.m_cTakeKind == ITEM_TAKE_NEVER || !item->m_bActive)
        return 0;
    // Only a player takes items: its pop-up and its item commands are a player's.
    auto* player = dynamic_cast<cPlayer*>(chara);
    if (!player) return 0;
    const cItemData& data = item->m_ItemData;
    if (data.m_bPopUp) player->AddItemPopup(*this, data.m_cGraphicKind, data.m_sGraphic, data.m_sGraphicOffset);
    if (data.m_sSound) StageHost().PlayUserSE(data.m_sSound);
    return player->RunItemCommands(*this, data.m_Commands);
}

int PickUpItems(cStageWorld& world, cPlayer& player)
{
    const HITRECT& box = player.m_ItemBox.rect;
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        cItem& item = *it;
        int kind = item.m_ItemData.m_cTakeKind;
        if (!item.m_bActive || item.m_bCarried || kind == ITEM_TAKE_NEVER) {
            ++it;
            continue;
        }
        if (!item.OverlapsRect(box.left, box.top, box.right, box.bottom)) {
            if (kind == ITEM_TAKE_ALWAYS) player.EndItemContact(&item);
            ++it;
            continue;
        }
        player.FireTrigger(TRIGGER_HIT_ITEM);
        if (kind == ITEM_TAKE_ALWAYS) {
            // Taken once a contact.
            if (!player.IsNewItemContact(&item)) {
                ++it;
                continue;
            }
            player.m_TouchedItems.push_back(&item);
        }
        int outcome = world.ApplyItem(&item, &player);
        if (kind == ITEM_TAKE_ONCE) {
            player.EndItemContact(&item);
            it = ItemList.erase(it);
        } else {
            ++it;
        }
        if (outcome != 0) return outcome;
    }
    return 0;
}
