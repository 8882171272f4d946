// Non-player characters: when they appear, their moves and their jump.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/npc.h"
#include "stage/script/running_command.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/stage/stage_harness.h"

namespace {

// The view is at (320, 320): x 320..959, y 320..799.
constexpr double ON = 400, FAR_X = 1400, FAR_Y = 1200;

cNpc& SetUpNpc(int range, int appearMode, int flying, double left, double top)
{
    cCharaData def = HarnessCharaDef(1, 10);
    def.m_cRange = static_cast<int8_t>(range);
    def.m_cAppear = static_cast<int8_t>(appearMode);
    def.m_cFlying = static_cast<int8_t>(flying);
    def.m_sGroup = 2;
    return HarnessNpc(def, left, top);
}

} // namespace

TEST(NpcAppear, RangeGroupAndFallingBodies)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    struct Case {
        const char* what;
        int range, groupOn, groupMarked, flying;
        double x, y;
        int jumping, wasActive, inAir;
        bool inRange, appears;
    };
    const Case cases[] = {
        {"on screen", RANGE_SCREEN, 0, 0, 0, ON, ON, 0, 0, 1, true, true},
        {"off to the right", RANGE_SCREEN, 0, 0, 0, FAR_X, ON, 0, 0, 1, false, false},
        {"x only, far below", RANGE_X_ONLY, 0, 0, 0, ON, FAR_Y, 0, 0, 1, true, true},
        {"x only, off to the right", RANGE_X_ONLY, 0, 0, 0, FAR_X, ON, 0, 0, 1, false, false},
        {"y only, off to the right", RANGE_Y_ONLY, 0, 0, 0, FAR_X, ON, 0, 0, 1, true, true},
        {"everywhere", RANGE_EVERYWHERE, 0, 0, 0, FAR_X, FAR_Y, 0, 0, 1, true, true},
        {"its group is marked", RANGE_SCREEN, 1, 1, 0, FAR_X, ON, 0, 0, 1, false, true},
        {"a marked group it does not use", RANGE_SCREEN, 0, 1, 0, FAR_X, ON, 0, 0, 1, false, false},
        {"jumping", RANGE_SCREEN, 0, 0, 0, FAR_X, ON, 1, 0, 1, false, true},
        {"jumping but flying", RANGE_SCREEN, 0, 0, 1, FAR_X, ON, 1, 0, 1, false, false},
        {"falling after it appeared", RANGE_SCREEN, 0, 0, 0, FAR_X, ON, 0, 1, 1, false, true},
        {"standing after it appeared", RANGE_SCREEN, 0, 0, 0, FAR_X, ON, 0, 1, 0, false, false},
        {"falling, never appeared", RANGE_SCREEN, 0, 0, 0, FAR_X, ON, 0, 0, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cNpc& npc = SetUpNpc(c.range, APPEAR_WHILE, c.flying, c.x, c.y);
        npc.m_Def.m_bGroupOn = static_cast<int8_t>(c.groupOn);
        npc.m_bJumping = c.jumping;
        npc.m_bWasActive = c.wasActive;
        npc.m_bInAir = c.inAir;
        std::vector<char> groups(4, 0);
        groups[2] = static_cast<char>(c.groupMarked);
        EXPECT_EQ(npc.CheckAppearRange(groups), c.inRange);
        EXPECT_EQ(npc.CheckAppear(groups), c.appears);
        EXPECT_EQ(npc.m_bAppeared, c.appears ? 1 : 0);
    }
}

TEST(NpcAppear, InRangeTheGroupSwitchMarksTheGroup)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    cNpc& npc = SetUpNpc(RANGE_SCREEN, APPEAR_WHILE, 0, ON, ON);
    npc.m_Def.m_bGroupOn = 1;
    std::vector<char> groups(4, 0);
    EXPECT_TRUE(npc.CheckAppearRange(groups));
    EXPECT_EQ(groups, (std::vector<char>{0, 0, 1, 0}));
    // A group past the scene's list marks nothing and is never marked.
    npc.m_Def.m_sGroup = 9;
    std::vector<char> few(4, 1);
    npc.CheckAppearRange(few);
    npc.SetPosition(FAR_X, ON);
    npc.CheckAppearRange(few);
    npc.m_bWasActive = npc.m_bInAir = 0;
    EXPECT_FALSE(npc.CheckAppear(few));
}

TEST(NpcAppear, OnceAppearedModeOneStaysWhenTheViewLeaves)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    for (int mode : {int{APPEAR_WHILE}, int{APPEAR_ONCE}, 2}) {
        cNpc& npc = SetUpNpc(RANGE_SCREEN, mode, 1, ON, ON);
        std::vector<char> groups(4, 0);
        npc.CheckAppearRange(groups);
        ASSERT_TRUE(npc.CheckAppear(groups));
        h.SetView(1200, 800);
        npc.CheckAppearRange(groups);
        EXPECT_EQ(npc.CheckAppear(groups), mode == APPEAR_ONCE) << "mode " << mode;
        h.SetView(320, 320);
    }
}

TEST(NpcJump, InTheAirTheFlagIsTheAnswerAndNothingChanges)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    cNpc& npc = SetUpNpc(RANGE_SCREEN, APPEAR_WHILE, 0, ON, ON);
    cCommandData def;
    cRunningCommand jump;
    jump.m_lpCommandData = &def;
    jump.m_dSpeed = -5;
    npc.m_dVy = 1;
    ASSERT_EQ(npc.m_bInAir, 1);
    EXPECT_EQ(npc.Jump(*lpStageScene, &jump), 1);
    EXPECT_EQ(npc.m_dVy, 1);
    EXPECT_EQ(npc.m_bJumping, 0);

    static std::vector<int> sounds;
    sounds.clear();
    auto host = std::make_unique<cHarnessHost>();
    host->onPlayUserSE = [](int n) { sounds.push_back(n); };
    def.m_sSound = 5;
    def.m_bSoundOnScreen = 1;       // off screen: silent
    npc.m_bOnScreen = 0;
    npc.m_bInAir = 0;
    npc.m_bRiding = 1;
    EXPECT_EQ(npc.Jump(*lpStageScene, &jump), 1);
    npc.m_bJumpLocked = npc.m_bJumping = 0;
    def.m_bSoundOnScreen = 0;
    EXPECT_EQ(npc.Jump(*lpStageScene, &jump), 1);
    host.reset();
    EXPECT_EQ(sounds, std::vector<int>{5});
    EXPECT_EQ(npc.m_dVy, -5);
    EXPECT_EQ(npc.m_bJumping + npc.m_bJumpLocked, 2);
    EXPECT_EQ(npc.m_bRiding, 0);
}

TEST(NpcItem, OnlyACarriedItemIsGiven)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    cNpc& none = SetUpNpc(RANGE_SCREEN, APPEAR_WHILE, 0, ON, ON);
    EXPECT_EQ(none.GetItem(), nullptr);
    cItem carried;
    carried.m_bCarried = 1;
    CharaList.emplace_back();
    cNpc& bearer = CharaList.back();
    bearer.Setup(2, HarnessCharaDef(1, 10), &carried, ON, ON, 0);
    EXPECT_EQ(bearer.GetItem(), &bearer.m_Item);
    cNpc copy = bearer;
    EXPECT_EQ(copy.GetItem(), &copy.m_Item);
}

TEST(NpcMove, LeavingTheGridSidewaysOrFallingOut)
{
    HarnessStage stage;
    stage.nObjectLimitX = (40 + 20) * 32 - 640;
    stage.nObjectLimitY = (30 + 20) * 32 - 640;
    StageHarness h(stage);
    HarnessScene scene;
    struct Case {
        int flying;
        double x, y, vx, vy;
        int codeX, codeY;
    };
    const Case cases[] = {
        {0, 2, 400, -5, 0, EDGE_LEFT_GRID, 0},
        {0, 400, 1290, 0, 3, 0, EDGE_FELL_OUT},       // below the stage proper
        {1, 400, 1290, 0, 3, 0, EDGE_STAGE_BELOW},    // a flyer is only off the stage
        {1, 400, 1590, 0, 3, 0, EDGE_LEFT_GRID_Y},
        {1, 400, 2, 0, -5, 0, EDGE_LEFT_GRID_Y},
    };
    for (const Case& c : cases) {
        cNpc& npc = SetUpNpc(RANGE_EVERYWHERE, APPEAR_WHILE, c.flying, c.x, c.y);
        npc.m_dVx = c.vx;
        npc.m_dVy = c.vy;
        EXPECT_EQ(npc.MoveX(), c.codeX) << c.x << "," << c.y;
        EXPECT_EQ(npc.MoveY(), c.codeY) << c.x << "," << c.y;
    }
}

TEST(NpcItem, TheIconIsHiddenSixtyThreeFramesThenShownThirtyThree)
{
    StageHarness h(HarnessStage{});
    HarnessScene scene;
    cItem carried;
    carried.m_bCarried = 1;
    CharaList.emplace_back();
    cNpc& npc = CharaList.back();
    npc.Setup(2, HarnessCharaDef(1, 10), &carried, ON, ON, 0);
    npc.m_bOnScreen = 1;
    std::vector<int> shown;
    for (int frame = 0; frame < 96 * 2; ++frame) shown.push_back(npc.IconFrame());
    std::vector<int> expected;
    for (int cycle = 0; cycle < 2; ++cycle) {
        expected.insert(expected.end(), 63, 0);
        expected.insert(expected.end(), 33, 1);
    }
    EXPECT_EQ(shown, expected);

    cNpc& plain = SetUpNpc(RANGE_SCREEN, APPEAR_WHILE, 0, ON, ON);
    plain.m_bOnScreen = 1;
    for (int frame = 0; frame < 96; ++frame) EXPECT_FALSE(plain.IconFrame());
}
