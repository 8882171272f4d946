// The status commands on variables, characters and the system: clamps,
// percentages, defeat of another character, unlimited lives and the state
// options.
#include <gtest/gtest.h>

#include <vector>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/objects/random.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

cCommandData Op(std::vector<int32_t> params)
{
    cCommandData def;
    def.m_cKind = FLOWCMD_STATUS_OP;
    params.resize(18, 0);
    def.m_Params = params;
    return def;
}

// Parameters: target kind, scope, index, subject, status, operation, source, constant.
cCommandData VarOp(int scope, int index, int op, int value) { return Op({1, scope, index, 0, 0, op, 0, value}); }
cCommandData CharaOp(int subject, int status, int op, int value) { return Op({0, 0, 0, subject, status, op, 0, value}); }

class StatusCommands : public ::testing::Test {
protected:
    StatusCommands() : harness(HarnessStage{})
    {
        GameProgress.m_CommonVars.assign(256, 0);
        GameProgress.m_nLives = 3;
        self.m_Def.m_nMaxHp = 100;
        self.m_nHp = 100;
        other.m_Def.m_nMaxHp = 50;
        other.m_nHp = 50;
        other.m_nSide = 1;
        self.m_lpTarget = &other;
    }
    StageHarness harness;
    cChara self, other;
};

TEST_F(StatusCommands, VariablesClampAndIgnoreMissingIndexes)
{
    GameProgress.m_CommonVars[7] = 999998;
    cCommandData add = VarOp(0, 7, 1, 5);
    CmdStatusOp(*lpStageScene, &self, &add);
    EXPECT_EQ(GameProgress.m_CommonVars[7], 999999);
    harness.Scene().m_StageVars[2] = 500000;
    cCommandData mul = VarOp(1, 2, 3, 3);
    CmdStatusOp(*lpStageScene, &self, &mul);
    EXPECT_EQ(harness.Scene().m_StageVars[2], 999999);
    cCommandData lost = VarOp(1, 256, 0, 5);
    CmdStatusOp(*lpStageScene, &self, &lost);   // no stage variable 256: nothing written
    cCommandData percent = VarOp(1, 2, 1, 10);
    percent.m_Params[14] = 1;    // 10 % of the present value
    harness.Scene().m_StageVars[2] = 200;
    CmdStatusOp(*lpStageScene, &self, &percent);
    EXPECT_EQ(harness.Scene().m_StageVars[2], 220);
}

TEST_F(StatusCommands, RandomOperandsInEitherOrderDrawOnce)
{
    for (auto bounds : {std::pair{9, 3}, std::pair{4, 3}, std::pair{3, 3}}) {
        cCommandData set = VarOp(0, 1, 0, 0);
        set.m_Params[6] = 1;
        set.m_Params[8] = bounds.first;
        set.m_Params[9] = bounds.second;
        GameSrand(11);
        CmdStatusOp(*lpStageScene, &self, &set);
        int next = GameRand();
        GameSrand(11);
        GameRand();
        EXPECT_EQ(GameRand(), next);
        int v = GameProgress.m_CommonVars[1];
        EXPECT_GE(v, std::min(bounds.first, bounds.second));
        EXPECT_LE(v, std::max(bounds.first, bounds.second));
    }
}

TEST_F(StatusCommands, CharacterStatusesAndTheirSideEffects)
{
    // The target's HP to 0 (forced, with its gauge): another character down.
    cCommandData kill = CharaOp(1, 1, 0, 0);
    kill.m_Params[16] = 1;
    CmdStatusOp(*lpStageScene, &self, &kill);
    EXPECT_EQ(other.m_nHp, 0);
    EXPECT_EQ(harness.Scene().m_bStatusChanged, 1);

    // HP as a percentage of the maximum; the maximum lowered below HP.
    self.m_nHp = 10;
    cCommandData half = CharaOp(0, 1, 0, 50);
    half.m_Params[15] = 1;
    CmdStatusOp(*lpStageScene, &self, &half);
    EXPECT_EQ(self.m_nHp, 50);
    cCommandData lower = CharaOp(0, 3, 0, 30);
    CmdStatusOp(*lpStageScene, &self, &lower);
    EXPECT_EQ(self.m_Def.m_nMaxHp, 30);
    EXPECT_EQ(self.m_nHp, 30);

    // Byte statuses at their width, clamped; invincible characters can be spared.
    cCommandData impact = CharaOp(0, 10, 1, 30);
    CmdStatusOp(*lpStageScene, &self, &impact);
    EXPECT_EQ(self.m_Def.m_cImpact, 20);
    other.m_Def.m_cInvincible = 1;
    cCommandData spare = CharaOp(1, 11, 0, 9);
    spare.m_Params[17] = 1;
    CmdStatusOp(*lpStageScene, &self, &spare);
    EXPECT_EQ(other.m_Def.m_nDefence, 0);
    // The stopping ease brings the friction step along.
    cCommandData stop = CharaOp(0, 13, 0, 100);
    CmdStatusOp(*lpStageScene, &self, &stop);
    EXPECT_DOUBLE_EQ(self.m_dFriction, 100 * 0.01 / StageData.m_dSubStepsSquared);
    // No target: nothing.
    self.m_lpTarget = nullptr;
    cCommandData none = CharaOp(1, 11, 0, 9);
    CmdStatusOp(*lpStageScene, &self, &none);
}

TEST_F(StatusCommands, SystemStatuses)
{
    GameProgress.m_nLives = INFINITE_LIVES;
    cCommandData lives = CharaOp(2, 4, 2, 1);
    CmdStatusOp(*lpStageScene, &self, &lives);
    EXPECT_EQ(GameProgress.m_nLives, INFINITE_LIVES);
    GameProgress.m_nLives = 3;
    cCommandData more = CharaOp(2, 4, 1, 500);
    CmdStatusOp(*lpStageScene, &self, &more);
    EXPECT_EQ(GameProgress.m_nLives, 99);

    lpScrollX->m_bAutoScroll = 1;
    cCommandData speed = CharaOp(2, 1, 0, 900);
    CmdStatusOp(*lpStageScene, &self, &speed);
    EXPECT_EQ(StageData.m_nAutoScrollSpeedX, 480);
    EXPECT_DOUBLE_EQ(lpScrollX->m_dAutoSpeed, 48.0 / StageData.m_dSpeedScale);
}

TEST_F(StatusCommands, StateOptions)
{
    auto op2 = [](int subject, int state, int value) {
        cCommandData def;
        def.m_cKind = FLOWCMD_STATUS_OP2;
        def.m_Params = {subject, state, value};
        return def;
    };
    // "消滅": the computer's side vanishes, the player's side is brought down.
    cCommandData vanish = op2(1, 0, 0);
    CmdStatusOp2(*lpStageScene, &self, &vanish);
    EXPECT_EQ(other.m_bVanish, 1);
    EXPECT_EQ(other.m_nHp, 50);
    EXPECT_EQ(harness.Scene().m_bStatusChanged, 1);
    cCommandData down = op2(0, 0, 0);
    CmdStatusOp2(*lpStageScene, &self, &down);
    EXPECT_EQ(self.m_nHp, 0);

    // Size factors outside 1..10 are held at the nearest.
    PlaceObject(other, 800, 500, 20, 28, 1);
    other.m_Def.m_cSize = 1;
    cCommandData grow = op2(1, 5, 3);
    CmdStatusOp2(*lpStageScene, &self, &grow);
    EXPECT_EQ(other.m_Def.m_cSize, 3);
    EXPECT_EQ(other.m_nHitW, 60);
    cCommandData shrink = op2(1, 5, 0);
    CmdStatusOp2(*lpStageScene, &self, &shrink);
    EXPECT_EQ(other.m_Def.m_cSize, 1);
    EXPECT_EQ(other.m_nHitW, 20);

    cCommandData sync = op2(0, 6, 1);
    CmdStatusOp2(*lpStageScene, &self, &sync);
    EXPECT_EQ(self.m_bScrollSync, 1);
    EXPECT_EQ(self.m_Def.m_bAutoScrollSync, 1);

    StageData.m_nAutoScrollSpeedY = 10;
    cCommandData scroll = op2(2, 1, 1);
    CmdStatusOp2(*lpStageScene, &self, &scroll);
    EXPECT_EQ(StageData.m_bAutoScrollY, 1);
    EXPECT_EQ(lpScrollY->m_bAutoScroll, 1);
    EXPECT_DOUBLE_EQ(lpScrollY->m_dAutoSpeed, 1.0 / StageData.m_dSpeedScale);
}

} // namespace
