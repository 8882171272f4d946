// Items of the running stage: their set-up and placement, the palette
// lookup, the item-command table and items taken in the harness's stage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/flow_data.h"
#include "records/palette_data.h"
#include "stage/script/evaluator.h"
#include "stage/objects/item.h"
#include "stage/hits/hits.h"
#include "stage/script/item_commands.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_items.h"
#include "tests/stage/stage_harness.h"

namespace {

constexpr int KIND_RUN_CODE = ITEMCMD_COUNT - 1;
constexpr int KIND_STAGE_CLEAR = ITEMCMD_FIRST_SHARED;
constexpr int KIND_MESSAGE = int{FLOWCMD_MESSAGE} - int{ITEMCMD_TO_FLOWCMD};

cCommandData ItemCommand(int kind, const std::string& text = "", std::vector<int32_t> params = {})
{
    cCommandData c;
    c.m_bItemCommand = 1;
    c.m_cKind = static_cast<int8_t>(kind);
    c.m_sText = text;
    c.m_Params = params;
    return c;
}

cItemData ItemOfSize(int size, int takeKind = ITEM_TAKE_ONCE)
{
    cItemData d;
    d.m_cSize = static_cast<int8_t>(size);
    d.m_cTakeKind = static_cast<int8_t>(takeKind);
    return d;
}

int& Common(int i) { return GameProgress.m_CommonVars[static_cast<size_t>(i)]; }

// A stage whose objects may go anywhere in it.
HarnessStage OpenStage()
{
    HarnessStage stage;
    stage.nObjectLimitX = stage.nWidth * 32;
    stage.nObjectLimitY = stage.nHeight * 32;
    return stage;
}

// The stage's default item size (28 x 28), the common variables cleared and
// no items.
struct ItemStage {
    StageHarness harness;
    cStageScene scene;
    cStageScene* saved = lpStageScene;
    explicit ItemStage(const HarnessStage& stage = OpenStage())
        : harness(stage)
    {
        lpStageScene = &scene;
        GameProgress.m_CommonVars.assign(COMMON_VAR_COUNT, 0);
        ItemList.clear();
        Player.assign(1, cPlayer{});
    }
    ~ItemStage()
    {
        ItemList.clear();
        Player.clear();
        lpStageScene = saved;
    }
    ItemStage(const ItemStage&) = delete;
    ItemStage& operator=(const ItemStage&) = delete;
};

TEST(Item, SetupSizesAndActivity)
{
    ItemStage stage;
    struct Row {
        int size, carried;
        int factor;      // the size the item is drawn at
        int active;
    } rows[] = {
        {0, 0, 1, 0},
        {-3, 0, 1, 0},
        {1, 0, 1, 0},
        {3, 0, 3, 0},
        {3, 1, 1, 1},
    };
    for (const Row& r : rows) {
        cItem item;
        cItemData def = ItemOfSize(r.size);
        def.m_sGraphic = 17;
        item.Setup(42, def, r.carried);
        SCOPED_TRACE(r.size * 10 + r.carried);
        EXPECT_GE(item.m_ItemData.m_cSize, 1);
        EXPECT_EQ(item.m_nDrawW, 32 * r.factor);
        EXPECT_EQ(item.m_nDrawH, 32 * r.factor);
        EXPECT_EQ(item.m_nHitW, 28 * r.factor);
        EXPECT_EQ(item.m_nDrawOffX, 2 * r.factor);   // the hit box centred in the cell
        EXPECT_EQ(item.m_bActive, r.active);
        EXPECT_EQ(item.m_bCarried, r.carried);
        EXPECT_EQ(item.m_nRef, 42);
        EXPECT_EQ(item.m_nGraphic, 17);
        EXPECT_EQ(item.m_bScrollSync, 0);
    }
}

TEST(Item, PlacedOnACellItsPictureStandsOnTheCellBottom)
{
    ItemStage stage;
    for (int size = 1; size <= 4; ++size) {
        cItem item;
        item.Setup(1, ItemOfSize(size), 0);
        item.SetBlockPos(12, 15);
        SCOPED_TRACE(size);
        // The picture: left and top of the drawing, bottom inclusive.
        double drawLeft = item.m_dLeft - item.m_nDrawOffX;
        double drawTop = item.m_dTop - item.m_nDrawOffY;
        EXPECT_DOUBLE_EQ(drawLeft + item.m_nDrawW / 2.0, StageHarness::CellPixel(12) + 16.5);
        EXPECT_DOUBLE_EQ(drawTop + item.m_nDrawH - 1, StageHarness::CellPixel(15) + 31);
        EXPECT_DOUBLE_EQ(item.m_dRight, item.m_dLeft + item.m_nHitW - 1);
    }
}

TEST(Item, RescaleToTheSameFactorKeepsThePlace)
{
    ItemStage stage;
    cItem item;
    item.Setup(1, ItemOfSize(2), 0);
    item.SetBlockPos(5, 5);
    double left = item.m_dLeft, top = item.m_dTop;
    item.ShiftForRescale(2, 2);
    item.Rescale(2, 2);
    EXPECT_EQ(item.m_dLeft, left);
    EXPECT_EQ(item.m_dTop, top);
}

TEST(Item, AssignCopiesStateAndDefinition)
{
    ItemStage stage;
    cItem a, b;
    cItemData def = ItemOfSize(2, ITEM_TAKE_ALWAYS);
    def.m_Commands.push_back(ItemCommand(KIND_RUN_CODE, "C1 = 1"));
    a.Setup(7, def, 0);
    a.SetBlockPos(3, 4);
    b.Assign(a);
    EXPECT_EQ(b.m_dLeft, a.m_dLeft);
    EXPECT_EQ(b.m_nRef, 7);
    EXPECT_EQ(b.m_ItemData.m_cTakeKind, ITEM_TAKE_ALWAYS);
    ASSERT_EQ(b.m_ItemData.m_Commands.size(), 1u);
    EXPECT_EQ(b.m_ItemData.m_Commands[0].m_sText, "C1 = 1");
}

TEST(Item, PaletteLookup)
{
    ItemStage stage;
    CommonPalette.m_Items.assign(3, cItemData{});
    StageData.m_Items.assign(2, cItemData{});
    struct Row {
        int source, index;
        const cItemData* expected;
    } rows[] = {
        {1, 0, &CommonPalette.m_Items[0]}, {1, 2, &CommonPalette.m_Items[2]}, {1, 3, nullptr},
        {1, -1, nullptr},                  {2, 1, &StageData.m_Items[1]},     {2, 2, nullptr},
        {0, 0, nullptr},                   {3, 0, nullptr},                   {-1, 0, nullptr},
    };
    for (const Row& r : rows) EXPECT_EQ(FindItemPaletteEntry(r.source, r.index), r.expected) << r.source << "," << r.index;
    CommonPalette.m_Items.clear();
    StageData.m_Items.clear();
}

TEST(ItemCommands, StageClearStopsTheList)
{
    ItemStage stage;
    cItem item;
    cItemData def;
    def.m_Commands = {ItemCommand(KIND_RUN_CODE, "C1 = C1 + 1"), ItemCommand(KIND_STAGE_CLEAR),
                      ItemCommand(KIND_RUN_CODE, "C1 = C1 + 10")};
    item.Setup(1, def, 1);
    Player[P1].m_nHp = 1;
    EXPECT_EQ(Player[P1].RunItemCommands(*lpStageScene, item.m_ItemData.m_Commands), 1);
    EXPECT_EQ(Common(1), 1);
    // Every other kind lets the list go on.
    for (int kind = 0; kind < ITEMCMD_COUNT; ++kind) {
        if (kind == KIND_STAGE_CLEAR) continue;
        cCommandData c = ItemCommand(kind, "", std::vector<int32_t>(20, 0));
        EXPECT_EQ(ItemCmdExecTable[kind](*lpStageScene, &Player[P1], &c), 0) << kind;
    }
}

TEST(ItemCommands, MessagesAfterTheFirstWaitForTheOneBefore)
{
    ItemStage stage;
    stage.scene.m_bItemAfterMessage = 0;
    cCommandData message = ItemCommand(KIND_MESSAGE, "hello", std::vector<int32_t>(17, 0));
    ItemCmdExecTable[KIND_MESSAGE](*lpStageScene, &Player[P1], &message);
    EXPECT_EQ(stage.scene.m_bItemAfterMessage, 1);
}

TEST(ItemCommands, ChangeFlowWaitsWhilePlayerOneFlowsRun)
{
    ItemStage stage;
    cCommandData change = ItemCommand(ITEMCMD_CHANGE_FLOW, "", {0, 3});
    cPlayer& p1 = Player[P1];

    stage.scene.m_lpCurChara = &p1;
    EXPECT_EQ(ItemCmdExecTable[ITEMCMD_CHANGE_FLOW](*lpStageScene, &p1, &change), 0);
    ASSERT_EQ(p1.m_PendingFlowCmds.size(), 1u);
    EXPECT_EQ(p1.m_PendingFlowCmds[0].m_Params, change.m_Params);
    // Forced (the player runs its queue) or while another character runs: at once.
    ChangeFlowCommand(*lpStageScene, &p1, &change, 1);
    cChara other;
    stage.scene.m_lpCurChara = &other;
    ChangeFlowCommand(*lpStageScene, &p1, &change, 0);
    EXPECT_EQ(p1.m_PendingFlowCmds.size(), 1u);
}

TEST(ItemCommands, ChangeFlowWithAnUnknownOperationDoesNothing)
{
    ItemStage stage;
    cCommandData change = ItemCommand(ITEMCMD_CHANGE_FLOW, "", {5, 0});
    EXPECT_EQ(ChangeFlowCommand(*lpStageScene, &Player[P1], &change, 1), 3);
    change.m_Params = {-4, 1};
    EXPECT_EQ(ChangeFlowCommand(*lpStageScene, &Player[P1], &change, 1), -6);
    EXPECT_EQ(ChangeFlowCommand(*lpStageScene, nullptr, &change, 1), 0);
}

cFlowData FlowWithId(int id)
{
    cFlowData f;
    f.m_cFlowId = static_cast<uint8_t>(id);
    return f;
}

// The flow IDs of a character's flows, in order, with its running flows
// checked to match them.
std::vector<int> FlowIds(const cChara& c)
{
    std::vector<int> ids;
    for (const cFlowData& f : c.m_Def.m_Flows) ids.push_back(f.m_cFlowId);
    EXPECT_EQ(c.m_Flows.size(), c.m_Def.m_Flows.size());
    for (size_t i = 0; i < c.m_Flows.size() && i < c.m_Def.m_Flows.size(); ++i)
        EXPECT_EQ(c.m_Flows[i].m_lpFlowData, &c.m_Def.m_Flows[i]);
    return ids;
}

TEST(ItemCommands, ChangeFlowAddsChangesAndDeletes)
{
    struct Row {
        int op, id;
        int result;
        std::vector<int> after;
    } rows[] = {
        {0, 0, 1, {1, 2, 1, 5}},     // added at the end
        {1, 1, 1, {5, 2}},           // flows A go, the new one takes the first's place
        {1, 2, 1, {1, 5, 1}},
        {1, 0, 1, {5}},              // all go, the new one is first
        {1, 9, 1, {1, 2, 1, 5}},     // none has the ID: added at the end
        {2, 1, 0, {2}},
        {2, 0, 0, {}},
        {2, 9, -1, {1, 2, 1}},       // none has the ID: nothing changes
    };
    for (const Row& r : rows) {
        ItemStage stage;
        cPlayer& p1 = Player[P1];
        p1.m_Def.m_Flows = {FlowWithId(1), FlowWithId(2), FlowWithId(1)};
        p1.InsertFlows(p1.m_Def.m_Flows, 0, 0, -1);
        cCommandData change = ItemCommand(ITEMCMD_CHANGE_FLOW, "", {r.op, r.id});
        change.m_Flows = {FlowWithId(5)};
        SCOPED_TRACE(r.op * 100 + r.id);
        EXPECT_EQ(ChangeFlowCommand(*lpStageScene, &p1, &change, 0), r.result);
        EXPECT_EQ(FlowIds(p1), r.after);
    }
}

// The player falls through a column of items, taking them as the play step
// does after its move: the item taken once runs its code once and leaves,
// the one that cannot be taken stays and never runs.
TEST(ItemCommands, ItemsTakenInTheStageRunTheirCode)
{
    ItemStage stage;

    cItemData coin = ItemOfSize(1, ITEM_TAKE_ONCE);
    coin.m_sGraphic = 1;
    coin.m_Commands = {ItemCommand(KIND_RUN_CODE, "C7 = C7 + 5")};
    cItemData sign = ItemOfSize(1, ITEM_TAKE_NEVER);
    sign.m_sGraphic = 1;
    sign.m_Commands = {ItemCommand(KIND_RUN_CODE, "C7 = C7 + 100")};
    HarnessPlaceItem(sign, 5, 8);
    HarnessPlaceItem(coin, 5, 10);

    cPlayer& body = Player[P1];
    body.m_nHp = 1;
    PlaceObject(body, StageHarness::CellPixel(5) + 4, StageHarness::CellPixel(2), 24, 30, MOTION_GRAVITY);
    for (int frame = 0; frame < 90; ++frame)
        for (int s = 1; s <= StageData.m_nSubSteps; ++s) {
            CharaSubStep(body, s);
            EXPECT_EQ(PickUpItems(*lpStageScene, body), 0);
        }

    EXPECT_GT(body.m_dTop, StageHarness::CellPixel(11));   // it fell past both
    EXPECT_EQ(Common(7), 5);
    ASSERT_EQ(ItemList.size(), 1u);
    EXPECT_EQ(ItemList.front().m_ItemData.m_cTakeKind, ITEM_TAKE_NEVER);
}

} // namespace
