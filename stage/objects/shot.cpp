#include "stage/objects/shot.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/database.h"
#include "files/stage_file.h"
#include "records/record_list.h"
#include "stage/objects/chara.h"
#include "stage/hits/chara_search.h"
#include "stage/objects/play_links.h"
#include "stage/physics/play_math.h"
#include "stage/script/shot_fire.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

const double ShotDiagonal = 0.7071067811865476;

int TruncToInt(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return static_cast<int>(value);
}

namespace {

constexpr double PI = 3.141592653589793;
constexpr int KIND_SWORD = 12;

int SubSteps() { return StageData.m_nSubSteps > 0 ? StageData.m_nSubSteps : 1; }
double SpeedScale() { return StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : 1.0; }

// The auto-scroll an object on this axis is carried by, 0 at the edge.
double AxisCarry(const cScrollAxis& axis) { return axis.m_bAtEdge ? 0.0 : axis.m_dAutoSpeed; }

cChara* HeroChara() { return Player.empty() ? nullptr : &Player[P1]; }

const CharaPtrList* LayerCharas(int layer)
{
    if (!lpStageScene || layer < 0 || layer >= static_cast<int>(lpStageScene->m_CharaLayers.size()))
        return nullptr;
    return &lpStageScene->m_CharaLayers[layer];
}

constexpr EFFECTPARAMDESC kNone = {"", 0, 0, 0};
constexpr EFFECTPARAMDESC kTurnAt = {"軌道変更(hbl)", 0, 40, 0};
constexpr EFFECTPARAMDESC kSide = {"対象勢力", 0, 7, 0};
constexpr EFFECTPARAMDESC kHomeFrom = {"誘導開始(hbl)", 0, 40, 0};
constexpr EFFECTPARAMDESC kHomeUntil = {"誘導終了(hbl)", 0, 999, 999};

} // namespace

const SHOTMOTIONKIND ShotMotionTable[SHOTMOTION_COUNT] = {
    {"直進", {kNone, kNone, kNone}, &cShot::MotionStraight},
    {"主人公を狙う", {kTurnAt, kNone, kNone}, &cShot::MotionAimPlayer},
    {"近いキャラを狙う", {kTurnAt, kSide, kNone}, &cShot::MotionAimNearest},
    {"ターゲットを狙う", {kTurnAt, kNone, kNone}, &cShot::MotionAimTarget},
    {"主人公へ誘導", {kHomeFrom, kHomeUntil, kNone}, &cShot::MotionHomePlayer},
    {"近いキャラへ誘導（対象死亡時、誘導を無効化）", {kHomeFrom, kHomeUntil, kSide}, &cShot::MotionHomeNearest},
    {"ターゲットへ誘導", {kHomeFrom, kHomeUntil, kNone}, &cShot::MotionHomeTarget},
    {"近いキャラへ誘導（対象死亡時、対象を変更）", {kHomeFrom, kHomeUntil, kSide}, &cShot::MotionHomeNearest},
    {"ウェーブ", {{"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0}}, &cShot::MotionWave},
    {"落下", {kTurnAt, kNone, kNone}, &cShot::MotionFall},
};

const cSwordTypeData* ShotSwordType(int type)
{
    if (DataBase.m_SwordType.empty()) {
        ReportLog("sword type %d: there are no sword types", type);
        return nullptr;
    }
    const cSwordTypeData& sword = CheckedAt(DataBase.m_SwordType, type);
    if (sword.m_Parts.empty()) {
        ReportLog("sword type %d has no part", type);
        return nullptr;
    }
    return &sword;
}

cShot::~cShot()
{
    if (!m_lpTarget) return;
    RemovePtr(m_lpTarget->m_ShotsAimingAtMe, this);
}

void cShot::ScaleBoxes(int factor)
{
    m_HitBox.nOffX = factor * m_HitBox.nBaseOffX;
    m_HitBox.nOffY = factor * m_HitBox.nBaseOffY;
    m_HitBox.nW = factor * m_HitBox.nBaseW;
    m_HitBox.nH = factor * m_HitBox.nBaseH;
    UpdateBoxesX();
    UpdateBoxesY();
}

void cShot::ShiftForRescale(int newFactor, int oldFactor)
{
    m_dTop -= (newFactor - oldFactor) * (m_nBaseHitH / 2);
    ClampY(2);
}

void cShot::UpdateBoxesX()
{
    m_HitBox.rect.left = m_dLeft + m_HitBox.nOffX;
    m_HitBox.rect.right = m_HitBox.rect.left + m_HitBox.nW - 1;
}

void cShot::UpdateBoxesY()
{
    m_HitBox.rect.top = m_dTop + m_HitBox.nOffY;
    m_HitBox.rect.bottom = m_HitBox.rect.top + m_HitBox.nH - 1;
}

bool cShot::Setup(int serial, cChara* firer, int kind, const cEdShot& record, const SHOTPLACE& place)
{
    const int b = SubSteps();
    const double bd = SpeedScale();
    int pw = 16, ph = 16;
    if (kind == KIND_SWORD) {
        const cSwordTypeData* sword = ShotSwordType(record.m_cMotion);
        if (!sword) return false;
        pw = sword->m_Parts[0].m_nWidth;
        ph = sword->m_Parts[0].m_nHeight;
    }
    m_EdShot = record;
    // A size of 0 or less would make the shot vanish into a point.
    if (m_EdShot.m_cSize <= 0) m_EdShot.m_cSize = 1;
    m_bChip = kind == KIND_SWORD ? 0 : 1;
    m_nOwner = firer->m_nRef;

    int facing = place.m_dVelX > 0 ? 1 : (place.m_dVelX == 0 ? firer->m_nFacing : 0);
    cStageObject::Setup(serial, firer->m_nSide, firer->m_nClass2, m_EdShot.m_cLayer, m_EdShot.m_sGraphic,
                        ShotAnimeTable, m_bChip ? 1 : 0, 0, 0, pw, ph, 16, 16, facing, MOTION_FREE,
                        static_cast<int16_t>(place.m_nIndex));
    if (m_EdShot.m_bOwnerLayer) {
        m_EdShot.m_cLayer = static_cast<int8_t>(firer->m_nHitLayer);
        m_nHitLayer = firer->m_nHitLayer;
    }

    m_HitBox.Clear();
    if (m_bChip) {
        int sw = m_nSide == 0 ? StageData.m_nShotBoxW : StageData.m_nShotBox2W;
        int sh = m_nSide == 0 ? StageData.m_nShotBoxH : StageData.m_nShotBox2H;
        m_HitBox.nBaseOffX = m_HitBox.nOffX = 8 - (sw >> 1);
        m_HitBox.nBaseOffY = m_HitBox.nOffY = 8 - (sh >> 1);
        m_HitBox.nBaseW = m_HitBox.nW = sw;
        m_HitBox.nBaseH = m_HitBox.nH = sh;
    } else {
        m_HitBox.nBaseW = m_HitBox.nW = pw;
        m_HitBox.nBaseH = m_HitBox.nH = ph;
    }
    Rescale(m_EdShot.m_cSize, 1);

    m_dLeft = place.m_nX;
    ClampX();
    m_dTop = place.m_nY;
    ClampY(2);

    m_dOwnVX = place.m_dVelX / bd;
    m_dOwnVY = place.m_dVelY / bd;
    if (m_EdShot.m_bAccel) {
        m_bAccelOn = 1;
        m_dAccel = (m_EdShot.m_sAccel + place.m_nIndex * m_EdShot.m_sAccelStep) * 0.1 / bd;
        SplitAccel(place.m_dVelX, place.m_dVelY);
    } else {
        m_bAccelOn = 0;
        m_dAccel = m_dAx = m_dAy = 0;
    }
    m_dVx = m_dVy = 0;
    m_bScrollSync = m_EdShot.m_bFollowScreen;

    if (m_EdShot.m_bLifetime) m_nLifeLeft = place.m_nLifetime * b * 6;
    if (m_EdShot.m_bRange) {
        double reach = std::max(0, 16 * place.m_nRange - m_nHitW);
        double s = std::fabs(place.m_dSpeed) / bd;
        if (reach > 0 && s > 0) {
            m_nRangeLeft = TruncToInt(reach / s);
        } else {
            m_nRangeLeft = b;
            if (TruncToInt(bd * s) > m_nHitW) m_nRangeLeft = TruncToInt(m_nHitW / s);
        }
        if (m_nRangeLeft < b) {
            // The range is covered within one frame: the shot goes exactly
            // its reach in the frame's sub-steps (a shot with no velocity
            // stays where it is).
            double vx = place.m_dVelX, vy = place.m_dVelY;
            double sum = std::fabs(vx) + std::fabs(vy);
            if (sum > 0) {
                m_dOwnVX = reach / bd * vx / sum;
                m_dOwnVY = reach / bd * vy / sum;
            } else {
                m_dOwnVX = m_dOwnVY = 0;
            }
            m_nRangeLeft = b;
        }
    }

    m_nMotionCount = m_nSwordPart = m_nMotionStart = m_nMotionEnd = m_bMotionDone = 0;
    m_lpTarget = firer->m_lpTarget;
    return true;
}

void cShot::SplitAccel(double vx, double vy)
{
    const double bd = SpeedScale();
    double a = m_dAccel / bd / 60;
    if (vx != 0 && vy != 0) {
        double v = std::sqrt(vx * vx + vy * vy);
        m_dAx = vx / v * a;
        m_dAy = vy / v * a;
    } else if (vx != 0) {
        m_dAx = vx > 0 ? a : -a;
        m_dAy = 0;
    } else if (vy != 0) {
        m_dAx = 0;
        m_dAy = vy > 0 ? a : -a;
    } else {
        m_dAx = m_dAy = 0;
    }
}

int cShot::Update()
{
    if (!m_bChip) return UpdateSword();

    if (bNoScrollCarry || !m_bScrollSync) {
        m_dVx = 0;
        if (m_bNoGravity) m_dVy = 0;
    } else {
        m_dVx = AxisCarry(*lpScrollX);
        if (m_bNoGravity) m_dVy = AxisCarry(*lpScrollY);
    }

    RunMotion();

    if (m_bAccelOn) {
        m_dOwnVX += m_dAx;
        if (m_bNoGravity) m_dOwnVY += m_dAy;
        else m_dVy += m_dAy;
    }
    m_dVx += m_dOwnVX;
    if (m_bNoGravity) m_dVy += m_dOwnVY;

    if (m_EdShot.m_bLifetime) {
        if (m_nLifeLeft < 1) return 1;
        --m_nLifeLeft;
    }
    if (m_dVx != 0) m_nFacing = m_dVx > 0 ? 1 : 0;
    if (m_EdShot.m_bRange) {
        if (m_nRangeLeft < 1) {
            if (!m_EdShot.m_bStayAtRange) return 1;
            StopAtRange();
        } else {
            --m_nRangeLeft;
        }
    }
    return 0;
}

void cShot::StopAtRange()
{
    m_dOwnVX = m_dOwnVY = 0;
    m_EdShot.m_cMotion = SHOTMOTION_STRAIGHT;
    if (!m_bScrollSync) {
        m_dVx = m_dVy = 0;
        return;
    }
    if (!lpScrollX->m_bAtEdge) m_dVx = lpScrollX->m_dAutoSpeed;
    if (m_bNoGravity && !lpScrollY->m_bAtEdge) m_dVy = lpScrollY->m_dAutoSpeed;
}

// Kinds past the table's end (a damaged or newer record) leave the shot's
// own velocity as it is: it flies straight.
void cShot::RunMotion()
{
    const int kind = m_EdShot.m_cMotion;
    if (kind < 0 || kind >= SHOTMOTION_COUNT) {
        ReportShotKindOutsideTable("ShotMotionTable", kind);
        return;
    }
    (this->*ShotMotionTable[kind].lpMotion)();
}

void cShot::BeginMotion(bool withEnd)
{
    const cEdShot& r = m_EdShot;
    m_dMotionSpeed = (r.m_sSpeed + m_sParamIndex * r.m_sSpeedStep) * 0.1 / SpeedScale();
    auto updates = [this](int halfBlocks) {
        return m_dMotionSpeed == 0 ? 0 : TruncToInt(16.0 * halfBlocks / m_dMotionSpeed);
    };
    if (r.m_sMotionParam[0] != 0) m_nMotionStart = updates(r.m_sMotionParam[0]);
    if (withEnd && r.m_sMotionParam[1] != 0) m_nMotionEnd = updates(r.m_sMotionParam[1]);
}

void cShot::MotionAimPlayer() { MotionAim(GOAL_HERO, 0); }
void cShot::MotionAimNearest() { MotionAim(GOAL_NEAREST, m_EdShot.m_sMotionParam[1]); }
void cShot::MotionAimTarget() { MotionAim(GOAL_TARGET, 0); }
void cShot::MotionHomePlayer() { MotionHome(GOAL_HERO, 0); }
void cShot::MotionHomeNearest() { MotionHome(GOAL_NEAREST, m_EdShot.m_sMotionParam[2]); }
void cShot::MotionHomeTarget() { MotionHome(GOAL_TARGET, 0); }

// Aims once, when the count reaches the start; with no character to aim at
// the shot flies on. Done either way.
void cShot::MotionAim(MotionGoal goal, int layer)
{
    if (m_bMotionDone) return;
    int u = m_nMotionCount++;
    if (u == 0) BeginMotion(false);
    if (u != m_nMotionStart) return;
    UpdateScreenPos();
    const cChara* target = MotionTarget(goal, layer);
    if (target) {
        int dir = 0;
        ComputeAimSpeed(m_dOwnVX, m_dOwnVY, dir, this, ScreenCentreX(), ScreenCentreY(),
                        target->ScreenCentreX(), target->ScreenCentreY(), m_dMotionSpeed, m_bScrollSync, 1, 0);
        if (m_bAccelOn) SplitAccel(m_dOwnVX, m_dOwnVY);
    }
    m_bMotionDone = 1;
}

// The character a motion aims or steers at now: player 1, the nearest of a
// hit layer, or the target while it lives.
const cChara* cShot::MotionTarget(MotionGoal goal, int layer)
{
    switch (goal) {
    case GOAL_HERO: return HeroChara();
    case GOAL_TARGET: return m_lpTarget && !m_lpTarget->m_bDead ? m_lpTarget : nullptr;
    case GOAL_NEAREST: break;
    }
    const CharaPtrList* list = LayerCharas(layer);
    return list ? FindNearestToCentre(*this, *list) : nullptr;
}

void cShot::MotionHome(MotionGoal goal, int layer)
{
    if (m_bMotionDone) return;
    int u = m_nMotionCount++;
    if (u == 0) BeginMotion(true);
    if (u >= m_nMotionEnd) {
        m_bMotionDone = 1;
        return;
    }
    if (u < m_nMotionStart) return;
    UpdateScreenPos();
    const cChara* target = MotionTarget(goal, layer);
    if (target) HomeStep(target, u);
}

void cShot::HomeStep(const cChara* target, int u)
{
    UpdateScreenPos();
    double ax = 0, ay = 0;
    int dir = 0;
    ComputeAimSpeed(ax, ay, dir, this, ScreenCentreX(), ScreenCentreY(), target->ScreenCentreX(),
                    target->ScreenCentreY(), m_dMotionSpeed, m_bScrollSync, 1, 0);
    if (!m_bAccelOn) {
        m_dOwnVX = ax;
        m_dOwnVY = ay;
        return;
    }
    // An accelerating shot steers by turning its acceleration.
    if (u == m_nMotionStart) {
        m_dOwnVX = ax;
        m_dOwnVY = ay;
    }
    SplitAccel(ax, ay);
}

void cShot::MotionWave()
{
    int rate = m_EdShot.m_sMotionParam[1];
    // With no wave speed there is no wave: the phase would take a division
    // by zero.
    if (rate == 0) return;
    const double bd = SpeedScale();
    if (m_nMotionCount == 0) {
        m_nMotionCount = 1;
        m_EdShot.m_sMotionParam[0] = static_cast<int16_t>(m_EdShot.m_sMotionParam[0] * 16);
        double phase = m_EdShot.m_sMotionParam[2];
        m_dWavePhase = bd * ((m_nFacing ? phase : phase + 180) / rate);
        double theta = PlayAtan2(m_dOwnVY, m_dOwnVX);
        if (theta < 0) theta += 2 * PI;
        m_dWaveCos = PlayCos(theta - PI / 2);
        m_dWaveSin = PlaySin(theta - PI / 2);
        double d = WaveCos(m_EdShot.m_sMotionParam[0], rate, m_dWavePhase, 1, 0);
        m_dOwnVX += d * m_dWaveCos;
        m_dOwnVY += d * m_dWaveSin;
    } else {
        ++m_nMotionCount;
        double g = WaveSin(m_EdShot.m_sMotionParam[0], rate, m_dWavePhase, 1, 0);
        double vx = m_dOwnVX + g * m_dWaveCos;
        double vy = m_dOwnVY + g * m_dWaveSin;
        auto flipped = [](double before, double after) {
            return (before < 0 && after > 0) || (before > 0 && after < 0);
        };
        m_dOwnVX = flipped(m_dOwnVX, vx) ? 0 : vx;
        m_dOwnVY = flipped(m_dOwnVY, vy) ? 0 : vy;
    }
    if (m_bAccelOn) SplitAccel(m_dOwnVX, m_dOwnVY);
}

void cShot::MotionFall()
{
    if (m_bMotionDone) return;
    int u = m_nMotionCount++;
    if (u == 0) BeginMotion(false);
    if (u < m_nMotionStart) return;
    m_dVy = m_dOwnVY;
    m_bNoGravity = 0;
    m_bMotionDone = 1;
}

void cShot::MoveX()
{
    if (m_dAx != 0) m_dVx += m_dAx;
    if (m_dVx == 0) return;
    double limit = StageData.m_dSpeedLimitStep;
    m_dVx = std::clamp(m_dVx, -limit, limit);
    m_dLeft += m_dVx;
    ClampX();
}

void cShot::MoveY()
{
    if (m_dAy != 0) m_dVy += m_dAy;
    if (m_dVy != 0) cStageObject::MoveY(2);
}

int cShot::ClampX()
{
    return cStageObject::ClampX(2) == EDGE_OUTER ? EDGE_OUTER : EDGE_NONE;
}

bool cShot::HitsBlock()
{
    if (m_EdShot.m_cBlockMode == 1) return false;
    auto solid = [this](double x, double y) {
        cBlockData* block = BlockMapCell(static_cast<int>(x) >> 5, static_cast<int>(y) >> 5);
        return block && block->GetCollision(m_nHitLayer) != BLOCK_PASSABLE;
    };
    if (m_nHitW <= 32) return cStageObject::HitsBlock();
    // A wide shot: every cell under it, on a grid of 32 pixels whose last
    // line lies on the last pixel.
    double lastY = m_dTop + m_nHitH - 1, lastX = m_dLeft + m_nHitW - 1;
    for (double y = m_dTop;; y += 32) {
        if (y > lastY) y = lastY;
        for (double x = m_dLeft;; x += 32) {
            if (x > lastX) x = lastX;
            if (solid(x, y)) return true;
            if (x == lastX) break;
        }
        if (y == lastY) break;
    }
    return false;
}

int cShot::UpdateSword()
{
    cChara* owner = FindCharaByRef(m_nOwner);
    if (!owner) return 1;
    const cSwordTypeData* sword = ShotSwordType(m_EdShot.m_cMotion);
    if (!sword) return 1;
    owner->UpdateScreenPos();
    m_nFacing = owner->m_nFacing;
    const cSwordPartData& part = CheckedAt(sword->m_Parts, m_nSwordPart);
    const int size = m_EdShot.m_cSize;
    if (m_nMotionCount == 0) {
        m_nBaseDrawW = m_nBaseHitW = part.m_nWidth;
        m_nBaseDrawH = m_nBaseHitH = part.m_nHeight;
        m_nDrawW = m_nHitW = part.m_nWidth * size;
        m_nDrawH = m_nHitH = part.m_nHeight * size;
        m_HitBox.Clear();
        m_HitBox.nBaseW = part.m_nWidth;
        m_HitBox.nBaseH = part.m_nHeight;
        m_HitBox.nW = m_nHitW;
        m_HitBox.nH = m_nHitH;
    }

    double X = owner->m_nScreenLeft + lpScrollX->m_dPos, Y = owner->m_nScreenTop + lpScrollY->m_dPos;
    int W = owner->m_nDrawW, H = owner->m_nDrawH;
    double R = X + W - 1, B = Y + H - 1;
    int w = m_nDrawW, h = m_nDrawH;
    bool right = owner->m_nFacing == 1;
    double x = 0, y = 0;
    switch (part.m_nPosition) {
    case 0:
        x = right ? R + 1 : X - w;
        y = Y + (H >> 1) - (h >> 1);
        break;
    case 1:
        m_nFacing = right ? 0 : 1;
        x = right ? X - w : R + 1;
        y = Y + (H >> 1) - (h >> 1);
        break;
    case 2:
        x = X + (W >> 1) - (w >> 1);
        y = Y - h;
        break;
    case 3:
        x = X + (W >> 1) - (w >> 1);
        y = B + 1;
        break;
    default: break;
    }
    int ox = part.m_nOffsetX * size, oy = part.m_nOffsetY * size;
    if (right) {
        x += part.m_bMirrorX ? -ox : ox;
        y += part.m_bMirrorY ? -oy : oy;
    } else {
        x += ox;
        y += oy;
    }
    m_dLeft = x;
    ClampX();
    m_dTop = y;
    ClampY(2);

    ++m_nMotionCount;
    if (m_nMotionCount > part.m_nPartTime * SubSteps() * 6) {
        m_nMotionCount = 0;
        ++m_nSwordPart;
        if (m_nSwordPart >= static_cast<int>(sword->m_Parts.size())) return 1;
    }
    return 0;
}

std::list<cShot>::iterator EraseShot(std::list<cShot>& shots, std::vector<std::list<cShot*>>& layers,
                                     std::list<cShot>::iterator shot)
{
    for (auto& layer : layers) layer.remove(&*shot);
    return shots.erase(shot);
}
