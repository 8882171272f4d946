// Bodies against block characters: standing and riding on them, pushed
// from both sides, crushed between two, landings refused, flying bodies.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "records/flow_labels.h"
#include "stage/hits/hits.h"
#include "stage/objects/npc.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_hits.h"
#include "tests/stage/stage_harness.h"

namespace {

constexpr double X0 = 640, Y0 = 640;

void Watch(cCharaData& def, std::initializer_list<int> triggers)
{
    for (int trigger : triggers) {
        cFlowData flow;
        flow.m_cTrigger = static_cast<int8_t>(trigger);
        def.m_Flows.push_back(flow);
    }
}

bool Fired(const cChara& chara, int trigger)
{
    return std::any_of(chara.m_Flows.begin(), chara.m_Flows.end(),
                       [trigger](const cRunningFlow& f) { return f.Trigger() == trigger && f.m_bFired; });
}

// A walking computer-side character watching its contact triggers, its
// rectangle's corner at (left, top), its position saved as at the start of
// a sub-step.
cNpc& Walker(double left, double top)
{
    cCharaData def = HarnessCharaDef(1, 10);
    Watch(def, {TRIGGER_HIT_BLOCK_CHARA, TRIGGER_ON_BLOCK_CHARA});
    cNpc& c = HarnessLayeredNpc(def, 1, left, top);
    c.SavePosition();
    return c;
}

// A block character watching the ridden trigger.
cNpc& Block(double left, double top, double vy = 0)
{
    cCharaData def = HarnessCharaDef(1, 10);
    def.m_bFullCellBoxes = 1;
    Watch(def, {TRIGGER_RIDDEN_BY_CHARA});
    cNpc& x = HarnessLayeredNpc(def, 0, left, top);
    x.SavePosition();
    x.m_dVy = vy;
    return x;
}

// A new sub-step: the contact flags cleared, the positions saved.
void NextSubStep()
{
    for (cNpc& c : CharaList) {
        c.ClearLRUD();
        c.SavePosition();
        c.ResetFlowMarks();
    }
}

// A stage whose objects may go anywhere in it.
HarnessStage Open(std::vector<std::string> blocks = {})
{
    HarnessStage stage;
    stage.nObjectLimitX = stage.nWidth * 32;
    stage.nObjectLimitY = stage.nHeight * 32;
    stage.Blocks = std::move(blocks);
    return stage;
}

struct ContactStage {
    StageHarness harness;
    explicit ContactStage(const HarnessStage& stage = Open()) : harness(stage)
    {
        lpStageScene->m_nSubStep = 1;
    }
};

} // namespace

TEST(Contacts, StandingOnARisingBlockCharaThenCrushedFromAbove)
{
    ContactStage stage;
    cNpc& lift = Block(X0, Y0 + 64, -1);
    cNpc& c = Walker(X0 + 4, 0);
    c.SetPosition(X0 + 4, lift.m_dTop - c.m_nHitH + 2);
    c.SavePosition();
    EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
    EXPECT_EQ(c.m_dTop, lift.m_dTop - c.m_nHitH);
    EXPECT_TRUE(c.m_bRiding);
    EXPECT_EQ(c.m_nRideRef, lift.m_nRef);
    EXPECT_TRUE(c.LRUD[LRUD_DOWN]);
    EXPECT_TRUE(Fired(c, TRIGGER_HIT_BLOCK_CHARA));
    EXPECT_TRUE(Fired(c, TRIGGER_ON_BLOCK_CHARA));
    EXPECT_TRUE(Fired(lift, TRIGGER_RIDDEN_BY_CHARA));

    // The lift rises a pixel: down contact again, the ride remembered anew,
    // no second ridden trigger.
    NextSubStep();
    lift.SetPosition(lift.m_dLeft + 2, lift.m_dTop - 1);
    EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
    EXPECT_TRUE(c.LRUD[LRUD_DOWN]);
    EXPECT_EQ(c.m_RideRect[1], lift.m_dTop);
    EXPECT_EQ(c.m_RideRect[0], lift.m_dLeft);
    EXPECT_FALSE(Fired(lift, TRIGGER_RIDDEN_BY_CHARA));

    // A block character coming down onto its head crushes it.
    NextSubStep();
    lift.SetPosition(lift.m_dLeft, lift.m_dTop - 1);
    Block(X0, c.m_dTop - 30, 1);
    EXPECT_EQ(CollideWithCharacters(c, CharaList), 2);
    EXPECT_TRUE(c.LRUD[LRUD_UP]);
}

TEST(Contacts, OnlyLiveActiveOtherBlockCharasTakePart)
{
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        ContactStage stage;
        cNpc& lift = Block(X0, Y0 + 64, -1);
        cNpc& c = Walker(X0 + 4, 0);
        c.SetPosition(X0 + 4, lift.m_dTop - c.m_nHitH + 2);
        c.SavePosition();
        if (which == 0) lift.m_bDead = 1;
        if (which == 1) lift.m_bActive = 0;
        if (which == 2) lift.m_nRef = c.m_nRef;
        EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
        EXPECT_FALSE(c.m_bRiding);
        EXPECT_FALSE(c.LRUD[LRUD_DOWN]);
        EXPECT_FALSE(Fired(c, TRIGGER_HIT_BLOCK_CHARA));
    }
}

TEST(Contacts, PushedFromBothSidesIsNotCrushedButPutUnderTheFirst)
{
    {
        ContactStage stage;
        cNpc& c = Walker(X0, Y0);
        const double w = c.m_nHitW;
        cNpc& left = Block(X0 - 29, Y0 - 20);     // reaches 3 pixels into its left edge
        Block(X0 + w - 3, Y0 - 20);               // and 3 into its right edge
        EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
        EXPECT_FALSE(c.LRUD[LRUD_LEFT]);
        EXPECT_FALSE(c.LRUD[LRUD_RIGHT]);
        EXPECT_EQ(c.m_dLeft, X0);
        EXPECT_EQ(c.m_dTop, left.m_dBottom + 1);
        EXPECT_TRUE(c.m_bJumpLocked && c.m_bJumping && c.m_bJumpCut);
    }
    {
        // With every corner inside the two it is enclosed: crushed.
        ContactStage stage;
        cNpc& c = Walker(X0, Y0);
        Block(X0 - 29, Y0 - 4);
        Block(X0 + c.m_nHitW - 3, Y0 - 4);
        ASSERT_LT(c.m_nHitH, 28);
        EXPECT_EQ(CollideWithCharacters(c, CharaList), 2);
    }
    // Pushed from one side only it moves out.
    ContactStage single;
    cNpc& d = Walker(X0, Y0);
    cNpc& wall = Block(X0 - 29, Y0 - 5);
    EXPECT_EQ(CollideWithCharacters(d, CharaList), 0);
    EXPECT_TRUE(d.LRUD[LRUD_LEFT]);
    EXPECT_EQ(d.m_dLeft, wall.m_dRight + 1.5);
    EXPECT_TRUE(d.m_bStoppedByChara);
}

TEST(Contacts, LandingOnASinkingBlockCharaIsRefusedInsideASolidBlock)
{
    for (bool solid : {false, true}) {
        SCOPED_TRACE(solid);
        ContactStage stage(Open(solid ? std::vector<std::string>{"", "", "", "", "", "     #"}
                                      : std::vector<std::string>{}));
        cNpc& c = Walker(StageHarness::CellPixel(5) + 2, StageHarness::CellPixel(5) + 1);
        cNpc& lift = Block(StageHarness::CellPixel(5), c.m_dBottom - 1, 1);
        c.m_bRiding = 1;
        c.m_nRideRef = 999;
        const double top = c.m_dTop;
        EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
        EXPECT_EQ(c.m_bRiding, solid ? 0 : 1);
        EXPECT_EQ(c.m_dTop, solid ? top : lift.m_dTop - c.m_nHitH);
    }
}

TEST(Contacts, RidingEndsOrMovesToAnotherBlockCharaUnderTheFeet)
{
    for (bool another : {false, true}) {
        SCOPED_TRACE(another);
        ContactStage stage;
        cNpc& c = Walker(X0, Y0);
        cNpc& gone = Block(X0 + 400, Y0);
        c.m_bRiding = 1;
        c.m_nRideRef = gone.m_nRef;
        c.m_RideRect[0] = X0 + 400;
        c.m_RideRect[1] = Y0;
        cNpc* under = another ? &Block(X0 - 8, c.m_dBottom + 3) : nullptr;
        EXPECT_EQ(CollideWithCharacters(c, CharaList), 0);
        EXPECT_EQ(c.m_bRiding, another ? 1 : 0);
        EXPECT_EQ(c.m_bStoppedByChara, another ? 0 : 1);
        if (under) {
            EXPECT_EQ(c.m_nRideRef, under->m_nRef);
        }
    }
}

TEST(Contacts, FlyingBodiesByBlockMode)
{
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        ContactStage stage;
        cNpc& c = Walker(X0, Y0);
        c.m_bNoGravity = 1;
        c.m_cBlockMode = static_cast<uint8_t>(mode);
        cNpc& wall = Block(X0 + c.m_nHitW - 3, Y0);
        EXPECT_EQ(CollideWithCharacters(c, CharaList), mode == 2 ? 2 : 0);
        EXPECT_EQ(c.LRUD[LRUD_RIGHT], mode != 0);
        EXPECT_EQ(c.m_dLeft, mode == 1 ? wall.m_dLeft - c.m_nHitW : X0);
    }
}
