// The set-up of the movement commands and the jump when a character's flows
// are built: angles, offsets, circle radius and arc, homing delay, jump
// speed and length, and the speed or length a movement takes from its
// distance.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/script/running_command.h"

namespace {

const cEdMove* MoveRecord(const cRunningCommand* command)
{
    if (command->m_lpMove) return command->m_lpMove;
    const cCommandData* def = command->m_lpCommandData;
    return def && def->m_pMove ? def->m_pMove.get() : nullptr;
}

// The angle for the facing: mirrored for a right-facing character when the
// record asks, brought below 360 (negative angles stay).
void SetUpAngle(cRunningCommand* command, const cEdMove& move, int instance, int facing)
{
    int angle = move.m_sAngleStep * instance + move.m_sAngle;
    if (move.m_bMirrorAngle && facing == 1) angle = 360 - angle;
    while (angle >= 360) angle -= 360;
    command->m_nAngle = angle;
}

void SetUpOffset(cRunningCommand* command, const cEdMove& move, int facing)
{
    command->m_nMoveX = move.m_sTargetX * 32 + move.m_sTargetDotX;
    command->m_nMoveY = move.m_sTargetY * 32 + move.m_sTargetDotY;
    if (facing == 1 && move.m_bMirrorX) command->m_nMoveX = -command->m_nMoveX;
    if (facing == 1 && move.m_bMirrorY) command->m_nMoveY = -command->m_nMoveY;
}

void DeriveTiming(cRunningCommand* command, const cChara* chara, const cEdMove& move)
{
    if (move.m_cTiming != 0 && command->m_lpCommandData)
        command->DeriveMoveTiming(*command->m_lpCommandData, chara ? chara->m_sParamIndex : 0);
}

int Instance(const cChara* chara) { return chara ? chara->m_sParamIndex : 0; }

} // namespace

void InitLinearMove(cRunningCommand* command, cChara* chara, int facing)
{
    const cEdMove* move = MoveRecord(command);
    if (!move) return;
    SetUpAngle(command, *move, Instance(chara), facing);
    if (move->m_cMode == 1) SetUpOffset(command, *move, facing);
    DeriveTiming(command, chara, *move);
}

void InitChargeMove(cRunningCommand* command, cChara* chara, int facing)
{
    const cEdMove* move = MoveRecord(command);
    if (!move) return;
    SetUpAngle(command, *move, Instance(chara), facing);
    SetUpOffset(command, *move, facing);
    DeriveTiming(command, chara, *move);
}

void InitMoveTiming(cRunningCommand* command, cChara* chara, int facing)
{
    const cEdMove* move = MoveRecord(command);
    if (move) DeriveTiming(command, chara, *move);
}

void InitHomingMove(cRunningCommand* command, cChara* chara, int facing)
{
    const cEdMove* move = MoveRecord(command);
    if (!move) return;
    SetUpOffset(command, *move, facing);
    command->m_nMoveTime = (move->m_sRadiusStep * Instance(chara) + move->m_sRadius) * StageData.m_nSubSteps;
    DeriveTiming(command, chara, *move);
}

void InitCircleMove(cRunningCommand* command, cChara* chara, int facing)
{
    const cEdMove* move = MoveRecord(command);
    if (!move) return;
    int b = StageData.m_nSubSteps;
    int instance = Instance(chara);
    int half = 0;
    if (facing == 1) {
        auto toggle = [command] {
            if (command->m_nMoveDir == 0) command->m_nMoveDir = 1;
            else if (command->m_nMoveDir == 1) command->m_nMoveDir = 0;
        };
        if (move->m_bMirrorX) toggle();
        if (move->m_bMirrorY) toggle();
        if (move->m_bMirrorX) half = 180;
    }
    int radius = std::clamp(move->m_sRadiusStep * instance + move->m_sRadius, 0, 20);
    command->m_nMoveTime = radius * 16 * b;
    command->m_nStartAngle = (half + move->m_sAngleStep * instance + move->m_sAngle) * b;
    command->m_nEndAngle = (half + move->m_sDistanceStep * instance + move->m_sDistance) * b;
    int arc = move->m_sDistance > move->m_sAngle ? command->m_nEndAngle - command->m_nStartAngle
                                                 : command->m_nStartAngle - command->m_nEndAngle;
    if (move->m_cTiming == 0) {
        // A circle of no time turns its whole arc in its one pass.
        command->m_dSpeed = static_cast<double>(arc) / std::max(command->m_nLength, 1) / b;
    } else if (move->m_cTiming == 1 && command->m_dSpeed != 0) {
        double passes = std::clamp(arc / command->m_dSpeed / b, -2147483647.0, 2147483647.0);
        command->m_nLength = std::abs(static_cast<int>(passes));
    }
}

void InitJump(cRunningCommand* command, cChara* chara, int facing)
{
    const cCommandData* def = command->m_lpCommandData;
    if (!def || !chara) return;
    int8_t height = static_cast<int8_t>(def->m_Params.size() > 2 ? def->m_Params[2] : 0);
    int b = StageData.m_nSubSteps;
    command->m_dSpeed = chara->JumpSpeedForHalfBlocks(height);
    // The jump lasts until its apex, rounded up to a tenth of a second; the
    // character's own copy of the command keeps that time.
    int tenths = cChara::JumpApexFrames(command->m_dSpeed) / b / 6 + 1;
    const_cast<cCommandData*>(def)->m_sTime = static_cast<int16_t>(tenths);
    command->m_nLength = tenths * b * 6;
}
