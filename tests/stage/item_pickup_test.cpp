// The player taking items: by the take kind, once a contact, the item's
// commands, pop-up and sound, and the outcome of its commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/game_progress.h"
#include "stage/hits/hits.h"
#include "stage/objects/item.h"
#include "records/command_labels.h"
#include "stage/script/item_commands.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_hits.h"
#include "tests/stage/harness_items.h"
#include "tests/stage/stage_harness.h"

namespace {

cCommandData ItemCode(const std::string& code)
{
    cCommandData c;
    c.m_bItemCommand = 1;
    c.m_cKind = ITEMCMD_COUNT - 1;
    c.m_sText = code;
    return c;
}

cCommandData ItemStageClear()
{
    cCommandData c;
    c.m_bItemCommand = 1;
    c.m_cKind = ITEMCMD_FIRST_SHARED;
    return c;
}

// Adds 1 to the common variable of its kind.
cItemData Counting(int takeKind)
{
    cItemData d;
    d.m_cTakeKind = static_cast<int8_t>(takeKind);
    d.m_sGraphic = 5;
    d.m_sSound = 12;
    d.m_Commands = {ItemCode("C" + std::to_string(takeKind + 1) + " = C" + std::to_string(takeKind + 1) + " + 1")};
    return d;
}

int Common(int i) { return GameProgress.m_CommonVars.at(static_cast<size_t>(i)); }

struct PickUpStage {
    StageHarness harness{HarnessStage{}};
    SoundLog sounds;
    PickUpStage()
    {
        GameProgress.m_CommonVars.assign(COMMON_VAR_COUNT, 0);
        Player.assign(1, cPlayer{});
        Player[P1].m_nHp = 5;
    }
    // The player's item box over the cell, or far away.
    static void BoxAt(int column, int row)
    {
        double x = StageHarness::CellPixel(column), y = StageHarness::CellPixel(row);
        Player[P1].m_ItemBox.rect = {x, y, x + 31, y + 31};
    }
};

} // namespace

TEST(ItemPickUp, ByTakeKindAndOncePerContact)
{
    PickUpStage stage;
    for (int kind : {ITEM_TAKE_ONCE, ITEM_TAKE_ALWAYS, ITEM_TAKE_NEVER}) HarnessPlaceItem(Counting(kind), 4, 4);
    HarnessPlaceItem(Counting(ITEM_TAKE_ONCE), 4, 4).m_bActive = 0;
    HarnessPlaceItem(Counting(ITEM_TAKE_ONCE), 4, 4).m_bCarried = 1;
    PickUpStage::BoxAt(4, 4);

    EXPECT_EQ(PickUpItems(*lpStageScene, Player[P1]), 0);
    EXPECT_EQ(Common(1), 1);
    EXPECT_EQ(Common(2), 1);
    EXPECT_EQ(Common(3), 0);
    EXPECT_EQ(ItemList.size(), 4u);   // the one taken once has gone
    EXPECT_EQ(stage.sounds.userSe, (std::vector<int>{12, 12}));
    EXPECT_EQ(lpStageScene->m_MessageList.size(), 2u);   // the pop-ups

    // Still touching: not taken again; after leaving and coming back: taken.
    EXPECT_EQ(PickUpItems(*lpStageScene, Player[P1]), 0);
    EXPECT_EQ(Common(2), 1);
    PickUpStage::BoxAt(9, 9);
    EXPECT_EQ(PickUpItems(*lpStageScene, Player[P1]), 0);
    EXPECT_TRUE(Player[P1].m_TouchedItems.empty());
    PickUpStage::BoxAt(4, 4);
    EXPECT_EQ(PickUpItems(*lpStageScene, Player[P1]), 0);
    EXPECT_EQ(Common(2), 2);
    EXPECT_EQ(Common(1), 1);
}

TEST(ItemPickUp, TheCommandsOutcomeEndsThePickUp)
{
    PickUpStage stage;
    cItemData goal = Counting(ITEM_TAKE_ONCE);
    goal.m_bPopUp = 0;
    goal.m_Commands = {ItemCode("C1 = 7"), ItemStageClear(), ItemCode("C1 = 9")};
    HarnessPlaceItem(goal, 2, 2);
    HarnessPlaceItem(Counting(ITEM_TAKE_ALWAYS), 2, 2);
    PickUpStage::BoxAt(2, 2);
    EXPECT_EQ(PickUpItems(*lpStageScene, Player[P1]), 1);
    EXPECT_EQ(Common(1), 7);
    EXPECT_EQ(Common(2), 0);          // the next item waits for the next sub-step
    EXPECT_EQ(ItemList.size(), 1u);
    EXPECT_TRUE(lpStageScene->m_MessageList.empty());
}

TEST(ItemPickUp, ItemsThatAreNotThereApplyNothing)
{
    PickUpStage stage;
    cItem item;
    item.Setup(1, Counting(ITEM_TAKE_ONCE), 1);
    EXPECT_EQ(lpStageScene->ApplyItem(nullptr, &Player[P1]), 0);
    item.m_nGraphic = 0;
    EXPECT_EQ(lpStageScene->ApplyItem(&item, &Player[P1]), 0);
    item.m_nGraphic = 5;
    cChara notAPlayer;
    EXPECT_EQ(lpStageScene->ApplyItem(&item, &notAPlayer), 0);
    EXPECT_EQ(Common(1), 0);
    EXPECT_TRUE(stage.sounds.userSe.empty());
    EXPECT_EQ(lpStageScene->ApplyItem(&item, &Player[P1]), 0);
    EXPECT_EQ(Common(1), 1);
}
