// The movement commands (kinds 2 to 10): each works out this pass's step
// and hands it to the character's shared step, which turns the character
// and adds the step to its speed (or, with inertia, to its added speed).
#include <algorithm>
#include <cmath>

#include "files/stage_file.h"
#include "records/command_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/physics/move_commands.h"
#include "stage/objects/play_links.h"
#include "stage/physics/play_math.h"
#include "stage/script/running_command.h"
#include "stage/script/running_flow.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

constexpr double ROOT_HALF = 0.7071067811865476;
constexpr double DEGREES = 0.017453292519943295;

enum { DIR_LEFT = 2, DIR_RIGHT = 3, DIR_UP = 6, DIR_DOWN = 7, DIR_UP_LEFT = 8, DIR_DOWN_LEFT = 9,
       DIR_UP_RIGHT = 10, DIR_DOWN_RIGHT = 11 };
enum { FACE_KEEP = 0, FACE_LEFT = 1, FACE_RIGHT = 2 };

const cEdMove* MoveOf(const cRunningCommand& command)
{
    if (command.m_lpMove) return command.m_lpMove;
    if (command.m_lpCommandData && command.m_lpCommandData->m_pMove) return command.m_lpCommandData->m_pMove.get();
    return nullptr;
}

bool IsAlive(const cChara* chara) { return chara && !chara->m_bDead; }

// The direction held when the running flow fired.
int FlowInputDirection()
{
    if (lpStageScene && lpStageScene->m_lpCurFlow) return lpStageScene->m_lpCurFlow->m_nInputDirection;
    return 0;
}

// The centre of the drawn rectangle in stage pixels: the picture stands on
// whole pixels, and a character placed on a cell (half a pixel right of the
// cell's edge) has its centre on the cell's centre, so a move to a point
// whole pixels away arrives in whole steps.
int DrawnCentreX(const cChara& c) { return static_cast<int>(c.m_dLeft - c.m_nDrawOffX) + (c.m_nDrawW >> 1); }
int DrawnCentreY(const cChara& c) { return static_cast<int>(c.m_dTop - c.m_nDrawOffY) + (c.m_nDrawH >> 1); }

// The target's aim point: its screen centre plus the command's offset (only
// the axis a one-axis record moves on is taken; the other stays the centre).
void AimPoint(cChara& target, const cRunningCommand& command, double& x, double& y)
{
    target.UpdateScreenPos();
    x = target.ScreenCentreX();
    y = target.ScreenCentreY();
    target.MoveTarget(x, y, command);
}

void ReleaseScreenHold(cChara& chara) { chara.m_bHoldScreenX = chara.m_bHoldScreenY = 0; }

} // namespace

int ButtonFromChoice(int inputDirection, int facing)
{
    static const int codes[] = {0, DIR_LEFT, DIR_RIGHT, DIR_UP, DIR_DOWN, DIR_UP_LEFT, DIR_DOWN_LEFT, DIR_UP_RIGHT, DIR_DOWN_RIGHT};
    if (inputDirection == 0) return facing ? DIR_RIGHT : DIR_LEFT;
    if (inputDirection >= 1 && inputDirection <= 8) return codes[inputDirection];
    return 0;
}

int cChara::ResolveDirection(int choice) const
{
    bool right = m_nFacing == 1;
    switch (choice) {
    case 0: return right ? DIR_RIGHT : DIR_LEFT;
    case 1: return right ? DIR_LEFT : DIR_RIGHT;
    case 4: return right ? DIR_DOWN : DIR_UP;
    case 5: return right ? DIR_UP : DIR_DOWN;
    case 12: {
        int code = ButtonFromChoice(FlowInputDirection(), m_nFacing);
        if (!m_bNoGravity) {
            if (code == DIR_UP_LEFT || code == DIR_DOWN_LEFT) return DIR_LEFT;
            if (code == DIR_UP_RIGHT || code == DIR_DOWN_RIGHT) return DIR_RIGHT;
        }
        return code;
    }
    default: return choice;
    }
}

void cChara::DirectionStep(double& stepX, double& stepY, int& facingCode, double speed, int choice) const
{
    stepX = stepY = 0;
    facingCode = FACE_KEEP;
    double diagonal = speed * ROOT_HALF;
    switch (ResolveDirection(choice)) {
    case DIR_LEFT: stepX = -speed; facingCode = FACE_LEFT; break;
    case DIR_RIGHT: stepX = speed; facingCode = FACE_RIGHT; break;
    case DIR_UP: if (m_bNoGravity) stepY = -speed; break;
    case DIR_DOWN: if (m_bNoGravity) stepY = speed; break;
    case DIR_UP_LEFT: stepX = -diagonal; if (m_bNoGravity) stepY = -diagonal; facingCode = FACE_LEFT; break;
    case DIR_DOWN_LEFT: stepX = -diagonal; if (m_bNoGravity) stepY = diagonal; facingCode = FACE_LEFT; break;
    case DIR_UP_RIGHT: stepX = diagonal; if (m_bNoGravity) stepY = -diagonal; facingCode = FACE_RIGHT; break;
    case DIR_DOWN_RIGHT: stepX = diagonal; if (m_bNoGravity) stepY = diagonal; facingCode = FACE_RIGHT; break;
    default: break;
    }
    if (m_Def.m_bFixedFacing) facingCode = FACE_KEEP;
}

void cChara::AngleStep(double& stepX, double& stepY, int& facingCode, double speed, int choice, int angle) const
{
    int base = 0;
    facingCode = FACE_KEEP;
    switch (ResolveDirection(choice)) {
    case DIR_LEFT: base = 0; facingCode = FACE_LEFT; break;
    case DIR_RIGHT: base = 180; facingCode = FACE_RIGHT; break;
    case DIR_UP: base = 90; break;
    case DIR_DOWN: base = 270; break;
    case DIR_UP_LEFT: base = 45; facingCode = FACE_LEFT; break;
    case DIR_DOWN_LEFT: base = 315; facingCode = FACE_LEFT; break;
    case DIR_UP_RIGHT: base = 135; facingCode = FACE_RIGHT; break;
    case DIR_DOWN_RIGHT: base = 225; facingCode = FACE_RIGHT; break;
    default: break;
    }
    if (m_Def.m_bFixedFacing) facingCode = FACE_KEEP;
    double a = (base + angle) * DEGREES;
    stepX = -PlayCos(a) * speed;
    stepY = m_bNoGravity ? -PlaySin(a) * speed : 0;
}

void cChara::TargetStep(double& stepX, double& stepY, int& facingCode, double speed, int targetX, int targetY,
                        const cEdMove& move, int& counter) const
{
    double cx = DrawnCentreX(*this), cy = DrawnCentreY(*this);
    double tx, ty;
    switch (move.m_cCoordKind) {
    case 0: tx = m_dHomeX + targetX; ty = m_dHomeY + targetY; break;
    case 1: tx = cx + targetX; ty = cy + targetY; break;
    case 2: tx = lpScrollX->m_nBase + targetX + 16; ty = lpScrollY->m_nBase + targetY + 16; break;
    case 3: tx = targetX + 16 + lpScrollX->m_dPos; ty = targetY + 16 + lpScrollY->m_dPos; break;
    default: tx = cx; ty = cy; break;
    }
    double dx = move.m_bUseX ? tx - cx : 0;
    double dy = move.m_bUseY ? ty - cy : 0;
    double distance = std::sqrt(dx * dx + dy * dy);
    stepX = stepY = 0;
    if (distance != 0) {
        if (!move.m_bLockX) stepX = dx / distance * speed;
        if (!move.m_bLockY) stepY = dy / distance * speed;
    }
    facingCode = stepX < -1e-8 ? FACE_LEFT : stepX > 1e-8 ? FACE_RIGHT : FACE_KEEP;
    if (m_Def.m_bFixedFacing) facingCode = FACE_KEEP;
    if (move.m_bArrivalCheck && speed != 0) {
        // The command lasts until the point is reached.
        double passes = distance / std::fabs(speed);
        counter = passes < 2147483647.0 ? static_cast<int>(passes) : 2147483647;
        if (counter < 1 && move.m_bStopOnArrival) {
            if (!move.m_bLockX) stepX = 0;
            if (!move.m_bLockY) stepY = 0;
            facingCode = FACE_KEEP;
        }
    }
}

int cChara::ApplyMoveStep(double stepX, double stepY, int facingCode, cRunningCommand& command, const cEdMove* move,
                          int force)
{
    if (!(move && move->m_bKeepFacing) && (!m_Def.m_bFixedFacing || force)) {
        if (facingCode == FACE_LEFT) m_nFacing = 0;
        else if (facingCode == FACE_RIGHT) m_nFacing = 1;
    }
    if (move && move->m_bInertia) {
        // Inertia: the step accelerates the added speed up to the second speed.
        auto accelerate = [&](double& added, double step, int& friction) {
            double growth = step / StageData.m_nSubSteps / 60;
            if (added * step < 0) growth *= move->m_dReversal;
            else friction = 0;
            // A negative speed limit bounds the speed as much as its size.
            const double limit = std::abs(command.m_dSpeed2);
            added = std::clamp(added + growth, -limit, limit);
        };
        accelerate(m_dAx, stepX, m_bFrictionX);
        accelerate(m_dAy, stepY, m_bFrictionY);
    } else {
        m_dVx += stepX;
        m_dVy += stepY;
    }
    if (!(move && move->m_bKeepAnime)) {
        m_bMovedByCommand = 1;
        m_Anime.Change(m_bNoGravity ? 3 : 1, 0);
    }
    return 0;
}

void CmdLinearMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    const cEdMove* move = MoveOf(*command);
    if (!move) return;
    ReleaseScreenHold(*chara);
    cRunningCommand& c = *command;
    if (!c.m_bBegun) {
        c.m_bBegun = 1;
        if (move->m_cMode == 0) {
            if (c.m_nAngle == 0) chara->DirectionStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c.m_dSpeed, c.m_nMoveDir);
            else chara->AngleStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c.m_dSpeed, c.m_nMoveDir, c.m_nAngle);
        } else {
            chara->TargetStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c.m_dSpeed, c.m_nMoveX, c.m_nMoveY, *move,
                              c.m_nCounter);
        }
    } else if (move->m_bReverseOnTurn && chara->m_Def.m_bFixedFacing && chara->m_nFacing != c.m_nLastFacing) {
        c.m_dStepX = -c.m_dStepX;
        c.m_dStepY = -c.m_dStepY;
    }
    if (!chara->m_bNoGravity) c.m_dStepY = 0;
    chara->ApplyMoveStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c, move, 0);
    c.m_nLastFacing = chara->m_nFacing;
}

void CmdGroundTurnMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (chara->m_bNoGravity) return;
    ReleaseScreenHold(*chara);
    cRunningCommand& c = *command;
    double stepX = chara->FacingSign() * c.m_dSpeed;
    int facingCode = FACE_KEEP;
    if (!chara->m_bKnockback) {
        if (chara->m_bStoppedByChara) {
            // Stopped against another character: it turns round.
            facingCode = chara->m_nFacing == 0 ? FACE_RIGHT : FACE_LEFT;
            stepX = -stepX;
        } else {
            // The cells just below the feet under the left and the right edge.
            int rows = lpScrollY->m_nPitch;
            int row = std::clamp(static_cast<int>((chara->m_dBottom + 1.1) / 32), 0, std::max(rows - 1, 0));
            auto solid = [&](int column) {
                cBlockData* block = BlockMapCell(column, row);
                return block && block->GetCollision(chara->m_nHitLayer) != BLOCK_PASSABLE;
            };
            bool left = solid(chara->m_nCellLeft), right = solid(chara->m_nCellRight);
            if (left && !right) facingCode = FACE_LEFT;
            else if (!left && right) facingCode = FACE_RIGHT;
        }
    }
    c.m_dStepX = stepX;
    c.m_dStepY = 0;
    c.m_nFacingCode = facingCode;
    chara->ApplyMoveStep(stepX, 0, facingCode, c, MoveOf(c), 1);
}

void CmdCircleMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    cRunningCommand& c = *command;
    if (c.m_nMoveTime == 0) return;
    ReleaseScreenHold(*chara);
    const cEdMove* move = MoveOf(c);
    if (!c.m_bBegun) {
        c.m_bBegun = 1;
        c.m_dAngleX = c.m_dAngleY = c.m_nStartAngle;
    }
    int sense = c.m_nMoveDir;
    if (sense == 2) sense = chara->m_nFacing == 0 ? 0 : 1;
    else if (sense == 3) sense = chara->m_nFacing == 0 ? 1 : 0;
    // 0 turns clockwise, 1 counter-clockwise (on the screen, y down).
    double phase = sense == 1 ? 90 : 270;
    double w = StageData.m_nSubSteps * c.m_dSpeed;
    bool lockX = move && move->m_bLockX, lockY = move && move->m_bLockY;
    c.m_dStepX = lockX ? 0 : -WaveCos(c.m_nMoveTime, 1, c.m_dAngleX, w, 0) * c.m_dSpeed;
    c.m_dStepY = (chara->m_bNoGravity && !lockY) ? -WaveCos(c.m_nMoveTime, 1, c.m_dAngleY, w, phase) * c.m_dSpeed : 0;
    chara->ApplyMoveStep(c.m_dStepX, c.m_dStepY, FACE_KEEP, c, move, 0);
}

void CmdChargeMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    ReleaseScreenHold(*chara);
    cRunningCommand& c = *command;
    cChara* target = chara->m_lpTarget;
    if (!IsAlive(target)) {
        c.m_dStepX = c.m_dStepY = 0;
        return;
    }
    const cEdMove* move = MoveOf(c);
    if (!c.m_bBegun) {
        c.m_bBegun = 1;
        chara->UpdateScreenPos();
        double x, y;
        AimPoint(*target, c, x, y);
        bool lockX = move && move->m_bLockX, lockY = move && move->m_bLockY;
        if (!chara->m_bNoGravity) {
            if (!lockX) chara->AimAtX(c, chara, x, 0, 0);
        } else if (lockY) {
            chara->AimAtX(c, chara, x, 0, 0);
        } else if (lockX) {
            chara->AimAtY(c, chara, y, 0, 0);
        } else {
            chara->AimAt(c, chara, x, y, 0, 0);
        }
        if (c.m_nAngle != 0) {
            // The aimed direction turned by the command's angle (angle 0
            // points left, 90 up), at the command's speed.
            double aimed = PlayAtan2(-c.m_dStepY, -c.m_dStepX) / DEGREES;
            double a = (aimed + c.m_nAngle) * DEGREES;
            c.m_dStepX = -c.m_dSpeed * PlayCos(a);
            c.m_dStepY = chara->m_bNoGravity ? -c.m_dSpeed * PlaySin(a) : 0;
        }
    }
    if (!chara->m_bNoGravity) c.m_dStepY = 0;
    chara->ApplyMoveStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c, move, 0);
}

void CmdHomingMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    ReleaseScreenHold(*chara);
    cRunningCommand& c = *command;
    cChara* target = chara->m_lpTarget;
    if (!IsAlive(target)) {
        c.m_dStepX = c.m_dStepY = 0;
        return;
    }
    const cEdMove* move = MoveOf(c);
    auto aimAt = [&](double x, double y) {
        chara->UpdateScreenPos();
        if (chara->m_bNoGravity) chara->AimAt(c, chara, x, y, 0, 0);
        else chara->AimAtX(c, chara, x, 0, 0);
    };
    double x, y;
    if (c.m_nMoveTime <= 0) {
        AimPoint(*target, c, x, y);
        aimAt(x, y);
    } else if (c.m_nPass == 0) {
        AimPoint(*target, c, x, y);
        aimAt(x, y);
        c.m_HomingQueue.clear();
        c.m_HomingQueue.push_back({x, y});
    } else if (c.m_nPass % c.m_nMoveTime == 0) {
        // Follows with a delay: the point where the target was a period ago.
        if (!c.m_HomingQueue.empty()) aimAt(c.m_HomingQueue.front().first, c.m_HomingQueue.front().second);
        AimPoint(*target, c, x, y);
        c.m_HomingQueue.push_back({x, y});
        if (c.m_HomingQueue.size() > 1) c.m_HomingQueue.pop_front();
    }
    if (!chara->m_bNoGravity) c.m_dStepY = 0;
    ++c.m_nPass;
    chara->ApplyMoveStep(c.m_dStepX, c.m_dStepY, c.m_nFacingCode, c, move, 0);
}

void CmdAvoidOffscreenMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    ReleaseScreenHold(*chara);
    cRunningCommand& c = *command;
    int code = chara->ResolveDirection(c.m_nMoveDir);
    bool left = code == DIR_LEFT || code == DIR_UP_LEFT || code == DIR_DOWN_LEFT;
    bool right = code == DIR_RIGHT || code == DIR_UP_RIGHT || code == DIR_DOWN_RIGHT;
    bool up = code == DIR_UP || code == DIR_UP_LEFT || code == DIR_UP_RIGHT;
    bool down = code == DIR_DOWN || code == DIR_DOWN_LEFT || code == DIR_DOWN_RIGHT;
    chara->UpdateScreenPos();
    double speed = c.m_dSpeed;
    // One axis: low and high are the screen edges of the character, far the
    // view size less 32.
    auto avoid = [speed](const cScrollAxis& axis, bool towardLow, bool towardHigh, int low, int high, int far) {
        double a = axis.m_dAutoSpeed;
        double step = 0;
        if (a != 0 && !axis.m_bAtEdge) {
            double e = std::fabs(a + 1);
            double room = axis.m_nUpper - axis.m_nViewSize;
            if (towardLow && low > far - e && axis.m_dPos > 0 && axis.m_dPos + a <= room) step = a - speed;
            if (towardHigh && high < e + 32 && axis.m_dPos + a > 0 && axis.m_dPos < room) step = a + speed;
        } else {
            if (towardLow && low > far) step = -speed;
            if (towardHigh && high < 32) step = speed;
        }
        return step;
    };
    c.m_dStepX = avoid(*lpScrollX, left, right, chara->m_nScreenLeft, chara->m_nScreenRight, 608);
    c.m_dStepY = avoid(*lpScrollY, up, down, chara->m_nScreenTop, chara->m_nScreenBottom, 448);
    if (!chara->m_bNoGravity) c.m_dStepY = 0;
    ++c.m_nPass;
    chara->ApplyMoveStep(c.m_dStepX, c.m_dStepY, FACE_KEEP, c, MoveOf(c), 0);
}

void CmdCancelMove(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    chara->m_dVx = chara->m_dVy = 0;
    chara->m_dAx = chara->m_dAy = 0;
    chara->m_dKnockX = chara->m_dKnockY = 0;
    ReleaseScreenHold(*chara);
    chara->m_bMoveCancelled = 1;
}

void CmdTurn(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    if (!chara->m_Def.m_bFixedFacing) return;
    cRunningCommand& c = *command;
    if (c.m_nPass == 0) {
        if (c.m_lpCommandData && c.m_lpCommandData->m_sSound) StageHost().PlayUserSE(c.m_lpCommandData->m_sSound);
        int choice = c.m_lpCommandData && !c.m_lpCommandData->m_Params.empty() ? c.m_lpCommandData->m_Params[0] : 0;
        switch (choice) {
        case 0: chara->m_nFacing = 0; break;
        case 1: chara->m_nFacing = 1; break;
        case 2:
        case 3: {
            cChara* target = chara->m_lpTarget;
            if (!target) return;
            double own = chara->m_dLeft + chara->m_nHitW / 2.0, other = target->m_dLeft + target->m_nHitW / 2.0;
            int toward = other > own ? 1 : 0;
            chara->m_nFacing = choice == 2 ? toward : 1 - toward;
            break;
        }
        case 4: chara->m_nFacing = chara->m_nLastSideHit ? 1 : 0; break;
        case 5: chara->m_nFacing = chara->m_nLastSideHit ? 0 : 1; break;
        default: break;
        }
    }
    // Every sixth frame while the command lasts.
    c.m_nPass = (c.m_nPass + 1) % std::max(6 * StageData.m_nSubSteps, 1);
}

void CmdJump(cStageWorld& world, cChara* chara, cRunningCommand* command)
{
    ReleaseScreenHold(*chara);
    chara->Jump(world, command);
    ++command->m_nPass;
}
