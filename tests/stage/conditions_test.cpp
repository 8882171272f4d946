// Condition lists and the condition kinds, evaluated in a stage of the
// harness: operators at each width, percentages of a maximum, latching,
// short-circuit evaluation (a random value is drawn only when reached),
// missing targets and stores, and the distance test.
#include <gtest/gtest.h>

#include <vector>

#include "files/game_progress.h"
#include "records/block_data.h"
#include "stage/objects/chara.h"
#include "stage/script/conditions.h"
#include "stage/objects/player.h"
#include "stage/objects/random.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

cConditionData StageVarIs(int index, int value, int op = 0)
{
    cConditionData c;
    c.m_cKind = CONDITION_STAGE_VAR;
    c.m_sIndex = static_cast<int16_t>(index);
    c.m_nValue = value;
    c.m_cOperator = static_cast<int8_t>(op);
    return c;
}

// A status condition of the running character: status op constant.
cConditionData StatusIs(int subject, int status, int value, int op)
{
    cConditionData c;
    c.m_cKind = CONDITION_STATUS;
    c.m_cSubject = static_cast<uint8_t>(subject);
    c.m_cStatus = static_cast<uint8_t>(status);
    c.m_nValue = value;
    c.m_cOperator = static_cast<int8_t>(op);
    return c;
}

cConditionData RandomIs(int low, int high, int value, int op)
{
    cConditionData c;
    c.m_cKind = CONDITION_STATUS;
    c.m_cLeftClass = 1;
    c.m_cLeftScope = 1;
    c.m_sIndex = 0;
    c.m_cRightSource = 1;
    c.m_nRandomLow = low;
    c.m_nRandomHigh = high;
    c.m_nValue = value;
    c.m_cOperator = static_cast<int8_t>(op);
    return c;
}

class Conditions : public ::testing::Test {
protected:
    Conditions() : harness(HarnessStage{})
    {
        GameProgress.m_CommonVars.assign(256, 0);
        GameProgress.m_nLives = 3;
        Player.assign(1, cPlayer());
        PlaceObject(Player[P1], 400, 400, 20, 28, 1);
        PlaceObject(self, 480, 400, 20, 28, 1);
        self.m_nSide = 1;
        self.m_lpTarget = &Player[P1];
    }
    ~Conditions() override { Player.clear(); }
    cStageScene& scene() { return harness.Scene(); }

    StageHarness harness;
    cChara self;
};

struct OpCase {
    int v, c, op;
    int expected;
};

TEST_F(Conditions, OperatorsCompareAtTheirWidth)
{
    const OpCase cases[] = {
        {3, 3, 0, 1}, {3, 4, 1, 1}, {4, 4, 2, 1}, {5, 4, 3, 0}, {5, 4, 4, 1}, {4, 4, 5, 0},
        {7, 0, 6, 1}, {7, 0, 7, 0}, {-6, 3, 6, 1}, {-7, 3, 7, 1}, {6, -3, 6, 1}, {-2147483647 - 1, 2, 6, 1},
        {1, 1, 8, 0}, {1, 1, -1, 0},
    };
    for (const OpCase& c : cases) EXPECT_EQ(CompareByOp(c.v, c.c, c.op), c.expected) << c.v << " " << c.op << " " << c.c;
    // The narrow forms compare the low byte or word of both.
    EXPECT_EQ(CompareByOp(static_cast<int8_t>(300), static_cast<int8_t>(44), 0), 1);
    EXPECT_EQ(CompareByOp(static_cast<int16_t>(-1), static_cast<int16_t>(65535), 0), 1);

    // A byte status (character ID) against a constant takes the constant's low byte.
    self.m_Def.m_cCharaId = 44;
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(0, 5, 300, 0), &self), 1);
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(0, 5, 44 + 65536, 0), &self), 1);
    // The mark (16 bits) the low word.
    self.m_Def.m_sMark = 5;
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(0, 7, 65536 + 5, 0), &self), 1);
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(0, 7, 256 + 5, 0), &self), 0);
}

TEST_F(Conditions, PercentOfTheMaximumForHpAndZeroForTheRest)
{
    self.m_Def.m_nMaxHp = 30;
    cConditionData half = StatusIs(0, 1, 50, 3);
    half.m_bPercent = 1;
    self.m_nHp = 15;
    EXPECT_EQ(scene().EvaluateCondition(half, &self), 1);
    self.m_nHp = 16;
    EXPECT_EQ(scene().EvaluateCondition(half, &self), 0);
    // Other statuses compare with 0 clamped into their range: impact -20..20 gives 0.
    cConditionData impact = StatusIs(0, 10, 50, 0);
    impact.m_bPercent = 1;
    self.m_Def.m_cImpact = 0;
    EXPECT_EQ(scene().EvaluateCondition(impact, &self), 1);
    // The stopping ease reads as 0 too, and reading it refreshes the friction step.
    cConditionData stop = StatusIs(0, 13, 90, 0);
    stop.m_bPercent = 1;
    self.m_Def.m_sStop = 0;
    self.m_dFriction = 5;
    EXPECT_EQ(scene().EvaluateCondition(stop, &self), 1);
    EXPECT_EQ(self.m_dFriction, 0);
}

// The stopping ease and the score compare with the condition's own value
// field whatever the value source; the other statuses with the value the
// source gives. Here the source is stage variable 4.
TEST_F(Conditions, StoppingEaseAndScoreCompareWithTheValueField)
{
    struct Row {
        const char* name;
        int status;
        int variable;       // stage variable 4
        int field;          // the condition's value field
        int expected;       // status == compared value
    };
    self.m_Def.m_sStop = 10;
    self.m_Def.m_nScore = 500;
    self.m_Def.m_nDefence = 500;
    self.m_Def.m_sMark = 5;
    const Row rows[] = {
        {"stop: the variable equals, the field does not", 13, 10, 7, 0},
        {"stop: the field equals, the variable does not", 13, 3, 10, 1},
        {"score: the variable equals, the field does not", 14, 500, 499, 0},
        {"score: the field equals, the variable does not", 14, 1, 500, 1},
        {"defence takes the variable", 11, 500, 7, 1},
        {"defence: the field alone does not count", 11, 7, 500, 0},
        {"mark (16 bits) takes the variable", 7, 5, 0, 1},
    };
    for (const Row& row : rows) {
        cConditionData c = StatusIs(0, row.status, row.field, 0);
        c.m_cRightSource = 3;   // variable
        c.m_cRightScope = 1;    // stage
        c.m_sRightIndex = 4;
        scene().m_StageVars[4] = row.variable;
        EXPECT_EQ(scene().EvaluateCondition(c, &self), row.expected) << row.name;
    }
}

TEST_F(Conditions, ListsHoldByModeAndLatch)
{
    std::vector<cConditionData> none;
    EXPECT_EQ(scene().EvaluateConditions({StageVarIs(1, 1), StageVarIs(2, 1)}, 1, &self), 0);
    EXPECT_EQ(scene().EvaluateConditions({StageVarIs(1, 0), StageVarIs(2, 1)}, 1, &self), 1);
    EXPECT_EQ(scene().EvaluateConditions({StageVarIs(1, 0), StageVarIs(2, 1)}, 0, &self), 0);
    EXPECT_EQ(scene().EvaluateConditions({StageVarIs(1, 0)}, 2, &self), 0);

    cBlockData block;
    EXPECT_EQ(scene().CheckBlockConditions(block), 1);   // empty
    block.m_Conditions = {StageVarIs(3, 1)};
    block.m_bCondLatch = 1;
    EXPECT_EQ(scene().CheckBlockConditions(block), 0);
    scene().m_StageVars[3] = 1;
    EXPECT_EQ(scene().CheckBlockConditions(block), 1);
    scene().m_StageVars[3] = 0;
    EXPECT_EQ(scene().CheckBlockConditions(block), 1);   // latched
    block.m_bCondLatch = 0;
    EXPECT_EQ(scene().CheckBlockConditions(block), 0);   // held once, but no latch option
}

TEST_F(Conditions, RandomValuesAreDrawnOnlyWhenReached)
{
    // The draws a list takes: the next draw after it shows how far the
    // sequence moved.
    auto drawsOf = [&](const std::vector<cConditionData>& list, int mode) {
        GameSrand(77);
        scene().EvaluateConditions(list, mode, &self);
        int next = GameRand();
        GameSrand(77);
        for (int n = 0; n < 4; ++n)
            if (GameRand() == next) return n;
        return -1;
    };
    cConditionData random = RandomIs(1, 3, 0, 2);
    EXPECT_EQ(drawsOf({StageVarIs(0, 1), random}, 0), 0);     // the first fails: stops
    EXPECT_EQ(drawsOf({StageVarIs(0, 0), random}, 0), 1);
    EXPECT_EQ(drawsOf({StageVarIs(0, 0), random}, 1), 0);     // the first holds: stops
    EXPECT_EQ(drawsOf({random, random}, 1), 2);               // 0 >= 1..3 fails both times
}

TEST_F(Conditions, RandomRangesInEitherOrder)
{
    // Stage variable 0 compared with the drawn value: == v holds for the values drawn.
    const int ranges[][2] = {{1, 3}, {3, 1}, {5, 4}, {-2147483647 - 1, 2147483647}, {7, 7}};
    for (const auto& r : ranges) {
        int low = std::min(r[0], r[1]), high = std::max(r[0], r[1]);
        GameSrand(5);
        for (int i = 0; i < 40; ++i) {
            // v <= drawn and v >= drawn pin the draw between the bounds.
            scene().m_StageVars[0] = low;
            bool atLeastLow = scene().EvaluateCondition(RandomIs(r[0], r[1], 0, 3), &self);
            scene().m_StageVars[0] = high;
            bool atMostHigh = scene().EvaluateCondition(RandomIs(r[0], r[1], 0, 2), &self);
            EXPECT_TRUE(atLeastLow && atMostHigh) << r[0] << ".." << r[1];
        }
    }
}

TEST_F(Conditions, MissingTargetsStoresAndUnlimitedLivesAreFalse)
{
    self.m_lpTarget = nullptr;
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(1, 1, 0, 2), &self), 0);
    cConditionData distance;
    distance.m_cKind = CONDITION_DISTANCE;
    distance.m_cSubject = 1;
    distance.m_nValue = 100;
    EXPECT_EQ(scene().EvaluateCondition(distance, &self), 0);
    // The sight of a computer-side character does not exist.
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(0, 8, 0, 2), &self), 0);

    GameProgress.m_nLives = INFINITE_LIVES;
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(2, 4, 0, 2), &self), 0);
    GameProgress.m_nLives = 3;
    EXPECT_EQ(scene().EvaluateCondition(StatusIs(2, 4, 3, 0), &self), 1);

    // Variables outside their stores read 0.
    cConditionData common;
    common.m_cKind = CONDITION_COMMON_VAR;
    common.m_sIndex = 300;
    EXPECT_EQ(scene().EvaluateCondition(common, &self), 1);
    cConditionData own;
    own.m_cKind = CONDITION_CHARA_VAR;
    own.m_sIndex = 9;
    own.m_nValue = 0;
    EXPECT_EQ(scene().EvaluateCondition(own, &self), 1);
    EXPECT_EQ(StageVarSlot(-1), nullptr);
    EXPECT_EQ(ActiveGroupSlot(60), nullptr);
    EXPECT_NE(ActiveGroupSlot(59), nullptr);
}

TEST_F(Conditions, StatesAndFacts)
{
    cConditionData fixed;
    fixed.m_cKind = CONDITION_STATUS2;
    fixed.m_cStatus = 2;
    fixed.m_sIndex = 1;
    self.m_Def.m_bFixedFacing = 1;
    EXPECT_EQ(scene().EvaluateCondition(fixed, &self), 1);
    fixed.m_cStatus = 0;   // "消滅" is never a state
    EXPECT_EQ(scene().EvaluateCondition(fixed, &self), 0);

    cConditionData standing;
    standing.m_cKind = CONDITION_STATUS3;
    standing.m_cStatus = 2;
    self.m_bInAir = 1;
    EXPECT_EQ(scene().EvaluateCondition(standing, &self), 0);
    self.m_bRiding = 1;
    EXPECT_EQ(scene().EvaluateCondition(standing, &self), 1);
    standing.m_cOperator = 1;
    EXPECT_EQ(scene().EvaluateCondition(standing, &self), 0);
}

TEST_F(Conditions, DistanceAlongEachAxis)
{
    // Player 1 at 400..419, self at 480..499 (20 wide hit boxes in 32-pixel cells).
    cConditionData near;
    near.m_cKind = CONDITION_DISTANCE;
    near.m_cSubject = 0;
    near.m_cAxis = 0;
    Player[P1].UpdateScreenPos();
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 0);
    self.SetPosition(410, 400);
    Player[P1].UpdateScreenPos();
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 1);   // overlapping, distance 0
    self.SetPosition(480, 400);
    near.m_nValue = 4;                                       // widened by 64 pixels: reaches the player's body
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 1);
    near.m_nValue = 3;                                       // by 48: short of it
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 0);
    near.m_cOperator = 1;
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 1);

    // In front only: facing right, the player on the left is behind.
    near.m_cOperator = 0;
    near.m_nValue = 10;
    near.m_cAxis = 1;
    self.m_nFacing = 1;
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 0);
    near.m_cAxis = 2;
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 1);
    // Circle: the centres are 80 pixels apart.
    near.m_cAxis = 6;
    near.m_nValue = 5;
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 1);
    near.m_nValue = 4;
    near.m_sRightIndex = 15;
    EXPECT_EQ(scene().EvaluateCondition(near, &self), 0);
}

} // namespace
