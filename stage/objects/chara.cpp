#include "stage/objects/chara.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/base/log.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_labels.h"
#include "records/record_list.h"
#include "stage/objects/play_links.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

void (*lpTriggerWatch)(cChara& chara, int trigger) = nullptr;

void cChara::Trigger(int trigger)
{
    if (lpTriggerWatch) lpTriggerWatch(*this, trigger);
    FireTrigger(trigger);
}

int SubStepCount() { return std::max(1, static_cast<int>(StageData.m_nSubSteps)); }

double GravityStep()
{
    double b = SubStepCount();
    return StageData.m_dGravity / (b * b);
}

double AutoScrollSpeed(const cScrollAxis& axis)
{
    return axis.m_bAutoScroll && !axis.m_bAtEdge ? axis.m_dAutoSpeed : 0;
}

int cChara::StepFlowPass(cStageWorld& world, int dying)
{
    world.m_lpCurChara = this;
    world.m_bStatusChanged = 0;
    m_bMoveCancelled = 0;
    m_bFrictionX = m_bFrictionY = 1;
    m_bMovedByCommand = 0;
    if (m_nSqueezeGrace > 0) --m_nSqueezeGrace;
    RunFlowAnimations();
    if (StepFlows(world, dying)) return 1;
    world.m_lpCurChara = nullptr;
    world.m_lpCurFlow = nullptr;
    world.m_lpCurCommand = nullptr;
    return 0;
}

void cChara::IdleAnimation()
{
    if (!m_bMovedByCommand && m_dAx == 0 && m_dAy == 0) m_Anime.Change(m_bNoGravity ? 2 : 0, 1);
}

cChara::cChara()
{
    m_LetterBusy.assign(27, 0);
    m_LetterEnded.assign(27, 0);
    m_LetterStarted.assign(27, 0);
    m_Vars.assign(9, 0);
}

cChara::cChara(const cChara& other) : cStageObject(other) { Assign(other); }

cChara& cChara::operator=(const cChara& other)
{
    Assign(other);
    return *this;
}

cChara::~cChara() { Unlink(); }

bool cChara::IsFollowing() const
{
    return m_lpTarget &&
           std::find(m_lpTarget->m_Followers.begin(), m_lpTarget->m_Followers.end(), this) !=
               m_lpTarget->m_Followers.end();
}

void cChara::Follow()
{
    if (m_lpTarget && !IsFollowing()) m_lpTarget->m_Followers.push_back(this);
}

void cChara::Unlink()
{
    for (cChara* follower : m_Followers)
        if (follower && follower != this && follower->m_lpTarget == this) follower->m_lpTarget = nullptr;
    m_Followers.clear();
    if (m_lpTarget && m_lpTarget != this) {
        RemovePtr(m_lpTarget->m_Followers, this);
    }
    m_lpTarget = nullptr;
    for (cShot* shot : m_ShotsAimingAtMe)
        if (shot && shot->m_lpTarget == this) shot->m_lpTarget = nullptr;
    m_ShotsAimingAtMe.clear();
}

void cChara::Assign(const cChara& other)
{
    if (&other == this) return;
    // The links are this object's own: a copy never takes over the original's
    // followers or shots, whose pointers name the original.
    Unlink();
    cStageObject::CopyState(other);
    bool followsItself = other.m_lpTarget == &other;
    bool follows = other.IsFollowing();
    m_lpTarget = followsItself ? this : other.m_lpTarget;
    if (follows) Follow();

    m_Def = other.m_Def;
    m_nFlowSerial = other.m_nFlowSerial;
    m_Flows = other.m_Flows;
    // The copied flows still name the original's definitions: they take
    // this character's own copy.
    RelinkFlows();
    m_LetterBusy = other.m_LetterBusy;
    m_LetterEnded = other.m_LetterEnded;
    m_LetterStarted = other.m_LetterStarted;
    m_bLetterEnded = other.m_bLetterEnded;
    m_bFlowDeleted = other.m_bFlowDeleted;
    m_dHomeX = other.m_dHomeX;
    m_dHomeY = other.m_dHomeY;
    m_bMovedByCommand = other.m_bMovedByCommand;
    m_dKnockX = other.m_dKnockX;
    m_dKnockY = other.m_dKnockY;
    m_bKnockback = other.m_bKnockback;
    m_dPrevKnockY = other.m_dPrevKnockY;
    m_bMoveCancelled = other.m_bMoveCancelled;
    m_bInAir = other.m_bInAir;
    m_bJumpLocked = other.m_bJumpLocked;
    m_bJumping = other.m_bJumping;
    m_bJumpCut = other.m_bJumpCut;
    m_bNoJump = other.m_bNoJump;
    m_lpFootBlock = other.m_lpFootBlock;
    m_lpLastFootBlock = other.m_lpLastFootBlock;
    m_lpPrevFootBlock = other.m_lpPrevFootBlock;
    m_nSqueezeGrace = other.m_nSqueezeGrace;
    m_bDead = other.m_bDead;
    m_nDeadFrames = other.m_nDeadFrames;
    std::copy(std::begin(other.LRUD), std::end(other.LRUD), LRUD);
    m_bStoppedByChara = other.m_bStoppedByChara;
    m_bRiding = other.m_bRiding;
    std::copy(std::begin(other.m_SavedRect), std::end(other.m_SavedRect), m_SavedRect);
    m_nHp = other.m_nHp;
    m_HpGauge = other.m_HpGauge;
    m_nSp = other.m_nSp;
    m_SpGauge = other.m_SpGauge;
    m_Vars = other.m_Vars;
    m_nInvincible = other.m_nInvincible;
    m_InvincibleList = other.m_InvincibleList;
    m_Overlays = other.m_Overlays;
    m_CharaEffect = other.m_CharaEffect;
    m_bVanish = other.m_bVanish;
    m_nSightDots = other.m_nSightDots;
    m_HitBox = other.m_HitBox;
    m_ShotBox = other.m_ShotBox;
    m_nNoGroundSteps = other.m_nNoGroundSteps;
    m_nLastSideHit = other.m_nLastSideHit;
    m_nRideRef = other.m_nRideRef;
    std::copy(std::begin(other.m_RideRect), std::end(other.m_RideRect), m_RideRect);
}

void cChara::ResetState(const cCharaData* def, double homeX, double homeY, int16_t instance)
{
    m_sParamIndex = instance;
    // Links to player 1, which this character follows; the player is its
    // own target and follower.
    Unlink();
    m_lpTarget = Player.empty() ? nullptr : &Player[P1];
    Follow();

    m_nFlowSerial = 0;
    m_LetterBusy.assign(27, 0);
    m_LetterEnded.assign(27, 0);
    m_LetterStarted.assign(27, 0);
    m_bLetterEnded = m_bFlowDeleted = 0;

    m_dHomeX = homeX;
    m_dHomeY = homeY;
    m_dKnockX = m_dKnockY = 0;
    m_bKnockback = 0;
    m_dPrevKnockY = 0;
    m_bMoveCancelled = 0;
    m_bInAir = 1;
    m_bJumpLocked = m_bJumping = m_bJumpCut = m_bNoJump = 0;
    m_lpFootBlock = m_lpLastFootBlock = m_lpPrevFootBlock = nullptr;
    m_bDead = 0;
    m_nDeadFrames = 0;
    ClearLRUD();
    m_bStoppedByChara = 0;
    m_bRiding = 0;
    m_nNoGroundSteps = 0;
    m_nLastSideHit = 0;
    m_nHp = m_nSp = 0;
    m_HpGauge = GAUGEANIM{};
    m_SpGauge = GAUGEANIM{};
    m_Vars.assign(9, 0);

    if (def) {
        if (def != &m_Def) m_Def = *def;
        m_nHp = m_Def.m_nMaxHp;
        m_nSp = m_Def.m_nMaxSp;
    }

    m_bScrollSync = m_Def.m_bAutoScrollSync;
    m_bVanish = 0;
    m_nSightDots = HalfBlocksToDots(m_Def.m_cSightRange);
    m_dFriction = StopToFriction(m_Def.m_sStop);

    m_CharaEffect = cEffectRun{};
    if (m_Def.m_sPlaceEffect)
        m_CharaEffect.StartChara(m_Def.m_sPlaceEffect, m_Def.m_cPlaceEffectDir, m_Def.m_bPlaceEffectLoop);

    m_nInvincible = 0;
    m_InvincibleList.clear();
    int animSet = m_Def.m_sAnimeSet;
    if (animSet < 0) {
        ReportLog("Character animation set %d does not exist; set 0 is used", animSet);
        animSet = 0;
    }
    SetBasicAnimSet(animSet, 1);
    m_Overlays.clear();
}

void cChara::SetBoxOffsets(int bottomAligned, int w, int h)
{
    HITBOX& box = m_HitBox;
    box.nBaseOffX = 16 - m_nBaseDrawOffX - (w >> 1);
    box.nBaseOffY = bottomAligned ? 32 - m_nBaseDrawOffY - h : 16 - m_nBaseDrawOffY - (h >> 1);
    box.nBaseW = w;
    box.nBaseH = h;
    box.nOffX = box.nBaseOffX;
    box.nOffY = box.nBaseOffY;
    box.nW = w;
    box.nH = h;
}

void cChara::ShiftForRescale(int newFactor, int oldFactor)
{
    if (newFactor == oldFactor) return;
    int d = newFactor - oldFactor;
    if (SystemData.m_bRescaleByHitHeight) m_dTop -= d * m_nBaseHitH;
    else m_dTop -= d * (m_nBaseDrawH - m_nBaseDrawOffY);
    ClampY();
}

void cChara::SetCenterX(int x)
{
    int c = m_nScreenLeft + (m_nDrawW >> 1);
    m_dLeft += x - c;
    ClampX();
}

void cChara::SetCenterY(int y)
{
    int c = m_nScreenTop + (m_nDrawH >> 1);
    m_dTop += y - c;
    ClampY();
}

void cChara::SetCenter(int x, int y)
{
    SetCenterX(x);
    SetCenterY(y);
}

// -- unit conversions --

double cChara::StopToFriction(int16_t stop)
{
    double b = SubStepCount();
    return stop * 0.01 / (b * b);
}

double cChara::JumpSpeedForHeight(double h) const
{
    // A negative height rises nothing; without gravity nothing brings a jump
    // down, so it gets no start speed.
    double g = GravityStep();
    if (g <= 0) return 0;
    if (h < 0) h = 0;
    double v = (-g - std::sqrt(g * (8 * h + g))) / 2;
    if (m_nSide == 0) v *= 0.99 - 0.025 * StageData.m_dGravity;
    return v;
}

double cChara::JumpSpeedForHalfBlocks(int8_t n) const { return JumpSpeedForHeight(n * 16); }

int cChara::JumpApexFrames(double v)
{
    double g = GravityStep();
    int b = SubStepCount();
    if (!(g > 0)) return b;
    // A gravity so slight that the apex lies beyond what int counts never
    // brings the jump down in any play.
    double frames = b - v / g;
    if (!(frames < INT32_MAX)) return INT32_MAX;
    return frames > INT32_MIN ? static_cast<int>(frames) : INT32_MIN;
}

int cChara::JumpAscentTenths(int8_t n) const
{
    return JumpApexFrames(JumpSpeedForHalfBlocks(n)) / SubStepCount() / 6 + 1;
}

// -- placement by cell --

void cChara::SetBlockX(int column)
{
    m_dLeft = (column + lpScrollX->m_nMargin) * 32 + m_nBaseDrawOffX + 0.5;
    if (m_Def.m_cSize != 1) {
        m_dLeft -= (m_Def.m_cSize - 1) * (m_nBaseHitW >> 1);
        cStageObject::ClampX(2);
    }
    ClampX();
}

void cChara::SetBlockY(int row)
{
    m_dTop = (row + lpScrollY->m_nMargin) * 32 + m_nBaseDrawOffY;
    ShiftForRescale(m_Def.m_cSize, 1);
    ClampY();
}

void cChara::SetBlockPos(int column, int row)
{
    SetBlockX(column);
    SetBlockY(row);
}

// -- contact --

void cChara::ClearLRUD() { std::fill(std::begin(LRUD), std::end(LRUD), 0); }

void cChara::ApplyGravity()
{
    if (m_bNoGravity || m_bRiding || m_bMoveCancelled || m_dKnockY < 0) return;
    m_dVy += GravityStep();
}

bool cChara::IsOnGround() const
{
    if (m_bRiding) return true;
    return m_lpFootBlock && m_lpFootBlock->GetCollision(m_nHitLayer) == BLOCK_SOLID;
}

void cChara::Land()
{
    m_dVy = m_dAy = 0;
    LRUD[LRUD_DOWN] = 1;
    m_bNoJump = m_bInAir = m_bJumping = m_bJumpLocked = m_bKnockback = 0;
    m_nNoGroundSteps = 0;
    if (m_nSide != 0) m_bJumpCut = 0;
    // The bottom edge ends on the last pixel row above the cell boundary.
    m_dTop -= (static_cast<int>(m_dBottom) & 31) + 1;
    ClampY();
    Trigger(TRIGGER_HIT_BLOCK);
    Trigger(TRIGGER_BLOCK_ABOVE_BELOW);
    Trigger(TRIGGER_BLOCK_BELOW);
}

void cChara::HitCeiling()
{
    m_bJumpLocked = m_bJumping = m_bJumpCut = 1;
    LRUD[LRUD_UP] = 1;
    m_dVy = m_dAy = 0;
    m_dTop += 32 - (static_cast<int>(m_dTop) & 31);
    ClampY();
    Trigger(TRIGGER_HIT_BLOCK);
    Trigger(TRIGGER_BLOCK_ABOVE_BELOW);
    Trigger(TRIGGER_BLOCK_ABOVE);
}

void cChara::StopVertical(int markStopped)
{
    m_bRiding = 0;
    if (m_dKnockY == 0) m_dVy = 0;
    if (markStopped) m_bStoppedByChara = 1;
}

void cChara::SavePosition()
{
    m_SavedRect[0] = m_dLeft;
    m_SavedRect[1] = m_dTop;
    m_SavedRect[2] = m_dRight;
    m_SavedRect[3] = m_dBottom;
}

void cChara::RestorePosition()
{
    m_dLeft = m_SavedRect[0];
    m_dTop = m_SavedRect[1];
    m_dRight = m_SavedRect[2];
    m_dBottom = m_SavedRect[3];
}
