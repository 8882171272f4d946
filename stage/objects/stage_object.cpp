#include "stage/objects/stage_object.h"

#include <cmath>

#include "files/stage_file.h"
#include "records/stage_sub_records.h"
#include "stage/objects/play_links.h"
#include "stage/physics/play_math.h"
#include "stage/script/running_command.h"

namespace {

constexpr int VIEW_W = 640;
constexpr int VIEW_H = 480;

int CellOf(double c) { return static_cast<int>(c) >> 5; }

// Clamps one axis. low/size: the edge and the extent of the object on it.
// The codes for the upper side are the lower side's + below (3 on y, 0 on x).
int ClampAxis(double& low, int size, const cScrollAxis& axis, int mode, int below)
{
    double high = low + size - 1;
    switch (mode) {
    case 0:
        if (low < axis.m_nLower) low = axis.m_nLower;
        else if (high >= axis.m_nUpper) low = axis.m_nUpper - size;
        return EDGE_NONE;
    case 1:
        if (low < axis.m_nBase) { low = axis.m_nBase; return EDGE_NONE; }
        if (high >= axis.m_nDefaultUpper) { low = axis.m_nDefaultUpper - size; return EDGE_NONE; }
        if (low < axis.m_nLower) return EDGE_VIEW;
        if (high >= axis.m_nUpper) return EDGE_VIEW + below;
        return EDGE_NONE;
    case 2:
        if (low < 0) { low = 0; return EDGE_OUTER; }
        if (high >= axis.m_nScrollLimitX) { low = axis.m_nScrollLimitX - size; return EDGE_OUTER + below; }
        if (low < axis.m_nBase) return EDGE_STAGE;
        if (high >= axis.m_nDefaultUpper) return EDGE_STAGE + below;
        if (low < axis.m_nLower) return EDGE_VIEW;
        if (high >= axis.m_nUpper) return EDGE_VIEW + below;
        return EDGE_NONE;
    default:
        return EDGE_NONE;
    }
}

double LimitSpeed(double v)
{
    double limit = StageData.m_dSpeedLimitStep;
    if (v > limit) return limit;
    if (v < -limit) return -limit;
    return v;
}

} // namespace

void cStageObject::CopyState(const cStageObject& other)
{
    if (&other != this) *this = other;
}

void cStageObject::Setup(int ref, int side, int class2, int hitLayer, int graphic, AnimeTable sequences,
                         int startSequence, int drawOffX, int drawOffY, int hitW, int hitH, int drawW,
                         int drawH, int facing, int motionMode, int16_t paramIndex)
{
    m_nRef = ref;
    m_nSide = side;
    m_nClass2 = class2;
    m_nHitLayer = hitLayer;
    m_nGraphic = graphic;
    m_nLife = 2147483647;
    if (sequences) {
        m_Anime.Build(sequences);
        m_Anime.Set(startSequence, 1);
    }
    m_nDrawOffX = m_nBaseDrawOffX = drawOffX;
    m_nDrawOffY = m_nBaseDrawOffY = drawOffY;
    m_nHitW = m_nBaseHitW = hitW;
    m_nHitH = m_nBaseHitH = hitH;
    m_nDrawW = m_nBaseDrawW = drawW;
    m_nDrawH = m_nBaseDrawH = drawH;
    m_nFacing = facing;
    m_sParamIndex = paramIndex;
    m_dVx = m_dVy = m_dAx = m_dAy = 0;
    m_bActive = 0;
    m_bOnScreen = 0;
    m_bCondLatch = 0;
    SetMode(motionMode);
}

void cStageObject::SetMode(int mode)
{
    static const struct { int noGravity; uint8_t blockMode; } Modes[] = {
        {0, BLOCKMODE_STOP}, {1, BLOCKMODE_PASS}, {1, BLOCKMODE_STOP}, {1, BLOCKMODE_KILL}};
    if (mode < 0 || mode > 3) return;
    m_bNoGravity = Modes[mode].noGravity;
    m_cBlockMode = Modes[mode].blockMode;
}

void cStageObject::SetPosition(double left, double top)
{
    m_dLeft = left;
    m_dTop = top;
    AfterClampX();
    AfterClampY();
}

void cStageObject::Rescale(int newFactor, int oldFactor)
{
    if (newFactor == oldFactor) return;
    m_nHitW = newFactor * m_nBaseHitW;
    m_nHitH = newFactor * m_nBaseHitH;
    m_nDrawOffX = newFactor * m_nBaseDrawOffX;
    m_nDrawOffY = newFactor * m_nBaseDrawOffY;
    m_nDrawW = newFactor * m_nBaseDrawW;
    m_nDrawH = newFactor * m_nBaseDrawH;
    KeepPlaceOnRescale(newFactor, oldFactor);
    ScaleBoxes(newFactor);
}

void cStageObject::KeepPlaceOnRescale(int newFactor, int oldFactor)
{
    m_dLeft -= (newFactor - oldFactor) * (m_nBaseHitW / 2);
    ClampX(2);
    ShiftForRescale(newFactor, oldFactor);
}

void cStageObject::AfterClampX()
{
    m_dRight = m_dLeft + m_nHitW - 1;
    UpdateBoxesX();
    m_nCellLeft = CellOf(m_dLeft);
    m_nCellRight = CellOf(m_dRight);
}

void cStageObject::AfterClampY()
{
    m_dBottom = m_dTop + m_nHitH - 1;
    UpdateBoxesY();
    m_nCellTop = CellOf(m_dTop);
    m_nCellBottom = CellOf(m_dBottom);
}

int cStageObject::ClampX(int mode)
{
    int code = ClampAxis(m_dLeft, m_nHitW, *lpScrollX, mode, 0);
    AfterClampX();
    return code;
}

int cStageObject::ClampY(int mode)
{
    int code = ClampAxis(m_dTop, m_nHitH, *lpScrollY, mode, 3);
    AfterClampY();
    return code;
}

int cStageObject::MoveX(int mode)
{
    m_dVx = LimitSpeed(m_dVx);
    m_dLeft += m_dVx;
    int code = ClampX(mode);
    return (code >= EDGE_VIEW && code <= EDGE_OUTER) ? code : EDGE_NONE;
}

int cStageObject::MoveY(int mode)
{
    m_dVy = LimitSpeed(m_dVy);
    m_dTop += m_dVy;
    int code = ClampY(mode);
    return (code >= EDGE_VIEW && code <= EDGE_OUTER_BELOW) ? code : EDGE_NONE;
}

void cStageObject::ApplyGravity()
{
    if (!m_bNoGravity) m_dVy += StageData.m_dGravityStep;
}

void cStageObject::ApplyFriction(double& value, int on) const
{
    if (!on) return;
    if (value > 0) {
        value -= m_dFriction;
        if (value < 0) value = 0;
    } else if (value < 0) {
        value += m_dFriction;
        if (value > 0) value = 0;
    }
}

void cStageObject::UpdateScreenPos()
{
    m_nScreenLeft = static_cast<int>(m_dLeft - m_nDrawOffX - std::trunc(lpScrollX->m_dPos));
    m_nScreenRight = m_nScreenLeft + m_nDrawW - 1;
    m_nScreenTop = static_cast<int>(m_dTop - m_nDrawOffY - std::trunc(lpScrollY->m_dPos));
    m_nScreenBottom = m_nScreenTop + m_nDrawH - 1;
}

bool cStageObject::IsOnScreenAxes(int skipX, int skipY) const
{
    double vx = lpScrollX->m_dPos, vy = lpScrollY->m_dPos;
    bool onX = m_dRight >= vx && vx + VIEW_W > m_dLeft;
    bool onY = m_dBottom >= vy && vy + VIEW_H > m_dTop;
    return (skipX || onX) && (skipY || onY);
}

bool cStageObject::IsOnScreen() const { return IsOnScreenAxes(0, 0); }

bool cStageObject::IsInsideBounds(int mode) const
{
    const cScrollAxis& x = *lpScrollX;
    const cScrollAxis& y = *lpScrollY;
    if (mode == 1)
        return m_dLeft >= 0 && m_dRight < x.m_nScrollLimitX && m_dTop >= 0 && m_dBottom < y.m_nScrollLimitX;
    return x.m_nBase <= m_dLeft && m_dRight < x.m_nDefaultUpper && y.m_nBase <= m_dTop &&
           m_dBottom < y.m_nDefaultUpper;
}

void cStageObject::ImpactSpeeds(double& outX, double& outY, signed char impact, double dx, double dy) const
{
    if (impact == 0) return;
    double s = std::fabs(dx) + std::fabs(dy);
    if (s == 0) {
        outX = outY = 0;
        return;
    }
    double k = StageData.m_dSpeedScale;
    // The start speed that, losing 1/k a sub-step, covers 16 |c| pixels.
    auto start = [k](double c) {
        if (c > 0) return (std::sqrt(1 + k * c * 128) - 1) / (2 * k);
        if (c < 0) return -(std::sqrt(1 - k * c * 128) - 1) / (2 * k);
        return 0.0;
    };
    outX = start(impact * dx / s);
    outY = start(impact * dy / s);
}

bool cStageObject::HitsBlock()
{
    const int cells[4][2] = {{m_nCellLeft, m_nCellTop}, {m_nCellLeft, m_nCellBottom},
                             {m_nCellRight, m_nCellTop}, {m_nCellRight, m_nCellBottom}};
    for (const auto& cell : cells) {
        cBlockData* block = BlockMapCell(cell[0], cell[1]);
        if (block && block->GetCollision(m_nHitLayer) != BLOCK_PASSABLE) return true;
    }
    return false;
}

bool cStageObject::OverlapsRect(double left, double top, double right, double bottom) const
{
    return m_dLeft <= right && m_dRight >= left && m_dTop <= bottom && m_dBottom >= top;
}

bool cStageObject::IsInReach(int pos, int size, int otherLow, int otherHigh, int inset, int reachBack,
                             int reachFront, int wholeExtent) const
{
    int half = size / 2;
    int centre = pos + half;
    int low = centre, high = centre;
    if (reachBack) low = centre - half - reachBack;
    if (reachFront) high = centre + half + reachFront;
    if (!reachBack && !reachFront && wholeExtent) {
        low = centre - half;
        high = centre + half;
    }
    return low <= otherHigh - inset && otherLow + inset <= high;
}

bool cStageObject::IsOutOfRange(const cScreenEdgeData& edge) const
{
    if (m_bOnScreen) return false;
    double vx = lpScrollX->m_dPos, vy = lpScrollY->m_dPos;
    if (edge.m_bLeft && std::trunc(vx - edge.m_nLeft * 32.0) >= m_dRight) return true;
    if (edge.m_bRight && std::trunc(vx + edge.m_nRight * 32.0 + VIEW_W) <= m_dLeft) return true;
    if (edge.m_bBottom && std::trunc(vy + edge.m_nBottom * 32.0 + VIEW_H) <= m_dTop) return true;
    if (edge.m_bTop && std::trunc(vy - edge.m_nTop * 32.0) >= m_dBottom) return true;
    return m_dLeft <= 0 || m_dRight >= lpScrollX->m_nScrollLimitX - 1 || m_dTop <= 0 ||
           m_dBottom >= lpScrollY->m_nScrollLimitX - 1;
}

void cStageObject::SetCenterAndHalt(int x, int y, cRunningCommand* command)
{
    SetCenter(x, y);
    if (command) command->m_dStepX = command->m_dStepY = 0;
}

void cStageObject::SetCenterXAndHalt(int x, cRunningCommand* command)
{
    SetCenterX(x);
    if (command) command->m_dStepX = command->m_dStepY = 0;
}

void cStageObject::SetCenterYAndHalt(int y, cRunningCommand* command)
{
    SetCenterY(y);
    if (command) command->m_dStepX = command->m_dStepY = 0;
}

void cStageObject::MoveTarget(double& x, double& y, const cRunningCommand& command) const
{
    double tx = ScreenCentreX() + command.m_nMoveX;
    double ty = ScreenCentreY() + command.m_nMoveY;
    // A record that moves on one axis only aims on that axis only.
    const cEdMove* move = command.m_lpMove;
    if (move && move->m_bLockY) x = tx;
    else if (move && move->m_bLockX) y = ty;
    else {
        x = tx;
        y = ty;
    }
}

int cStageObject::AimAt(cRunningCommand& command, const cStageObject* mover, double toX, double toY,
                        int scrollMode, int arriveTest)
{
    int arrived = ComputeAimSpeed(command.m_dStepX, command.m_dStepY, command.m_nFacingCode, mover,
                                  ScreenCentreX(), ScreenCentreY(), toX, toY, command.m_dSpeed,
                                  scrollMode, 0, arriveTest);
    if (arrived && command.m_lpMove && command.m_lpMove->m_bStopOnArrival)
        SetCenterAndHalt(static_cast<int>(toX), static_cast<int>(toY), &command);
    return arrived;
}

int cStageObject::AimAtX(cRunningCommand& command, const cStageObject* mover, double toX, int scrollMode,
                         int arriveTest)
{
    int arrived = ComputeAimSpeedX(command.m_dStepX, command.m_dStepY, command.m_nFacingCode, mover,
                                   ScreenCentreX(), toX, command.m_dSpeed, scrollMode, arriveTest);
    if (arrived && command.m_lpMove && command.m_lpMove->m_bStopOnArrival)
        SetCenterXAndHalt(static_cast<int>(toX), &command);
    return arrived;
}

int cStageObject::AimAtY(cRunningCommand& command, const cStageObject* mover, double toY, int scrollMode,
                         int arriveTest)
{
    int arrived = ComputeAimSpeedY(command.m_dStepX, command.m_dStepY, command.m_nFacingCode, mover,
                                   ScreenCentreY(), toY, command.m_dSpeed, scrollMode, arriveTest);
    if (arrived && command.m_lpMove && command.m_lpMove->m_bStopOnArrival)
        SetCenterYAndHalt(static_cast<int>(toY), &command);
    return arrived;
}

namespace {

double WaveAngle(int rate, double phaseAcc, double phase, double& w)
{
    w = rate * 0.017453292519943295;
    return w * (phaseAcc / StageData.m_dSpeedScale + phase);
}

void AdvancePhase(double& phaseAcc, double step)
{
    double turn = 360 * StageData.m_dSpeedScale;
    phaseAcc += step;
    if (phaseAcc >= turn) phaseAcc -= turn;
}

} // namespace

double WaveCos(int amplitude, int rate, double& phaseAcc, double step, double phase)
{
    double w;
    double theta = WaveAngle(rate, phaseAcc, phase, w);
    double k = StageData.m_dSpeedScale;
    double v = amplitude * w * PlayCos(theta) / k;
    AdvancePhase(phaseAcc, step);
    return v;
}

double WaveSin(int amplitude, int rate, double& phaseAcc, double step, double phase)
{
    double w;
    double theta = WaveAngle(rate, phaseAcc, phase, w);
    double k = StageData.m_dSpeedScale;
    double a = -(amplitude * w * w * PlaySin(theta)) / (k * k);
    AdvancePhase(phaseAcc, step);
    return a;
}

double SubStepsToSeconds(double subSteps)
{
    return subSteps / StageData.m_dSpeedScale * 0.016666666666666666;
}

double StopToFriction(int stop) { return stop * 0.01 / StageData.m_dSubStepsSquared; }
