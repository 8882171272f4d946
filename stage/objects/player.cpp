#include "stage/objects/player.h"

#include <algorithm>
#include <cmath>

#include "files/stage_file.h"
#include "app/base/log.h"
#include "files/system_data.h"
#include "stage/script/item_commands.h"
#include "stage/objects/message.h"
#include "stage/script/key_input.h"
#include "stage/objects/play_links.h"
#include "stage/script/command_sound.h"
#include "stage/script/running_command.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int VIEW_W = 640;
constexpr int VIEW_H = 480;

void ScaleBox(HITBOX& box, int factor)
{
    box.nOffX = factor * box.nBaseOffX;
    box.nOffY = factor * box.nBaseOffY;
    box.nW = factor * box.nBaseW;
    box.nH = factor * box.nBaseH;
}

// A box centred in the 32-pixel cell of the chip, at both scales.
void CentreBox(HITBOX& box, int w, int h, int drawOffX, int drawOffY)
{
    box.nBaseOffX = box.nOffX = 16 - (w >> 1) - drawOffX;
    box.nBaseOffY = box.nOffY = 16 - (h >> 1) - drawOffY;
    box.nBaseW = box.nW = w;
    box.nBaseH = box.nH = h;
}

void PlaceBoxX(HITBOX& box, int x)
{
    box.rect.left = x + box.nOffX;
    box.rect.right = box.rect.left + box.nW - 1;
}

void PlaceBoxY(HITBOX& box, int y)
{
    box.rect.top = y + box.nOffY;
    box.rect.bottom = box.rect.top + box.nH - 1;
}

// The view follows a position on one axis unless it auto-scrolls.
void FollowView(cScrollAxis& axis, double pos, int halfSize, int viewSize)
{
    if (axis.m_bAutoScroll) return;
    axis.m_dPos = pos - (viewSize / 2 - halfSize);
    if (axis.m_dPos < axis.m_nLower) axis.m_dPos = axis.m_nLower;
    else if (axis.m_dPos + viewSize >= axis.m_nUpper) axis.m_dPos = axis.m_nUpper - viewSize;
}

// Parameter i of a command; 0 when the command holds fewer.
int Param(const cRunningCommand& command, size_t i)
{
    const cCommandData* def = command.m_lpCommandData;
    return def && i < def->m_Params.size() ? def->m_Params[i] : 0;
}

// Key modes of the jump command.
enum { JUMPKEY_ALWAYS = 0, JUMPKEY_HELD = 1, JUMPKEY_BY_SPEED = 2 };

} // namespace

cPlayer::cPlayer() = default;

cPlayer::cPlayer(const cPlayer& other) : cChara(other) { CopyPlayerMembers(other); }

cPlayer& cPlayer::operator=(const cPlayer& other)
{
    if (&other == this) return *this;
    Assign(other);
    CopyPlayerMembers(other);
    return *this;
}

cPlayer::~cPlayer() = default;

void cPlayer::CopyPlayerMembers(const cPlayer& other)
{
    m_lpInput = other.m_lpInput;
    m_nJumpHold = other.m_nJumpHold;
    m_bJumpReady = other.m_bJumpReady;
    m_bNoJumpBlock = other.m_bNoJumpBlock;
    m_dSlipUnit = other.m_dSlipUnit;
    m_bJumpControlled = other.m_bJumpControlled;
    m_TouchedItems = other.m_TouchedItems;
    m_nBlockEffect = other.m_nBlockEffect;
    m_dBlockEffectValue = other.m_dBlockEffectValue;
    m_nBlockEffectTime = other.m_nBlockEffectTime;
    m_nBlockItemCooldown = other.m_nBlockItemCooldown;
    m_ItemBox = other.m_ItemBox;
    m_BoxDisplay = other.m_BoxDisplay;
    m_PendingFlowCmds = other.m_PendingFlowCmds;
}

void cPlayer::Setup(int serial, const cCharaData& def, double x, double y)
{
    ResetState(&def, x, y, 0);
    if (m_Def.m_cSize == 0) m_Def.m_cSize = 1;
    int offX, offY, w, h;
    GetBodySize(offX, offY, w, h);
    cStageObject::Setup(serial, m_Def.m_cControl, m_Def.m_cPlayerNo, m_Def.m_cPass, m_Def.m_sGraphic, nullptr, 0,
                        offX, offY, w, h, 32, 32, 1, MOTION_GRAVITY, 0);
    m_lpInput = KeyInputOf(m_Def.m_cPlayerNo);
    if (!m_lpInput)
        ReportLog("Player input %d is outside the %d input records; the player gets no input", m_Def.m_cPlayerNo,
                  static_cast<int>(KeyInputs.size()));
    SetFlying(m_Def.m_cFlying, 0);
    Rescale(m_Def.m_cSize, 1);

    m_nFacing = m_Def.m_cFacing;
    m_dBlockEffectValue = 0;
    m_nBlockEffectTime = m_nBlockItemCooldown = m_nBlockEffect = 0;
    m_bJumpCut = m_bNoJumpBlock = m_nJumpHold = 0;
    m_bJumpReady = 1;
    m_dSlipUnit = 4.0 / SubStepCount();

    BuildBoxDisplay();
    m_TouchedItems.clear();
    InsertFlows(m_Def.m_Flows, m_nFacing, 0, -1);
}

void cPlayer::GetBodySize(int& offX, int& offY, int& w, int& h) const
{
    const cStageData& s = StageData;
    bool flying = m_bNoGravity != 0;
    w = flying ? s.m_nPlayerBodyFloatW : s.m_nPlayerBodyW;
    h = flying ? s.m_nPlayerBodyFloatH : s.m_nPlayerBodyH;
    int bottomAligned = flying ? s.m_nPlayerBodyFloatAlign : s.m_nPlayerBodyAlign;
    offX = (32 - w) >> 1;
    offY = bottomAligned ? 32 - h : (32 - h) >> 1;
}

void cPlayer::SetFlying(int mode, int rescale)
{
    int wasFlying = m_bNoGravity;
    m_Def.m_cFlying = static_cast<int8_t>(mode);
    SetMode(mode);
    if (m_bNoGravity != wasFlying) m_nSqueezeGrace = 2;
    if (wasFlying && !m_bNoGravity) m_dVx = m_dVy = m_dAx = m_dAy = 0;

    int offX, offY, w, h;
    GetBodySize(offX, offY, w, h);
    m_nDrawOffX = m_nBaseDrawOffX = offX;
    m_nDrawOffY = m_nBaseDrawOffY = offY;
    m_nHitW = m_nBaseHitW = w;
    m_nHitH = m_nBaseHitH = h;
    m_nDrawW = m_nBaseDrawW = 32;
    m_nDrawH = m_nBaseDrawH = 32;

    const cStageData& s = StageData;
    bool flying = m_bNoGravity != 0;
    switch (m_Def.m_cContactBox) {
    case 1: SetBoxOffsets(0, s.m_nPlayerHitSize1W, s.m_nPlayerHitSize1H); break;
    case 2: SetBoxOffsets(0, s.m_nShotBoxW, s.m_nShotBoxH); break;
    case 3: SetBoxOffsets(0, 32, 32); break;
    default:
        if (flying) SetBoxOffsets(s.m_nPlayerHitFloatAlign, s.m_nPlayerHitFloatW, s.m_nPlayerHitFloatH);
        else SetBoxOffsets(s.m_nPlayerHitAlign, s.m_nPlayerHitW, s.m_nPlayerHitH);
        break;
    }
    CentreBox(m_ShotBox, s.m_nPlayerHitSize1W, s.m_nPlayerHitSize1H, offX, offY);
    CentreBox(m_ItemBox, s.m_nPlayerCentredW, s.m_nPlayerCentredH, offX, offY);

    if (rescale) {
        int f = m_Def.m_cSize;
        m_nDrawW = f * m_nBaseDrawW;
        m_nDrawH = f * m_nBaseDrawH;
        m_nHitW = f * m_nBaseHitW;
        m_nHitH = f * m_nBaseHitH;
        m_nDrawOffX = f * m_nBaseDrawOffX;
        m_nDrawOffY = f * m_nBaseDrawOffY;
        ScaleBoxes(f);
    }
    BuildBoxDisplay();
}

void cPlayer::BuildBoxDisplay()
{
    const cStageData& s = StageData;
    struct { int box, w, h; } boxes[4] = {
        {0, m_nHitW, m_nHitH}, {2, m_ItemBox.nW, m_ItemBox.nH}, {1, m_HitBox.nW, m_HitBox.nH},
        {3, m_ShotBox.nW, m_ShotBox.nH}};
    // The stage's modes and colours are given for the body, the hit box, the
    // shot box and the item box, in that order.
    static const int settingOf[4] = {0, 1, 3, 2};
    m_BoxDisplay.clear();
    for (const auto& b : boxes) {
        BOXDISPLAY d;
        d.nBox = b.box;
        // A stored choice outside the editor's shows the nearest one.
        d.nMode = std::clamp(s.m_BoxDisplayMode[settingOf[b.box]], 0, 2);
        d.nColor = 208 + 4 * std::clamp(s.m_BoxDisplayColor[settingOf[b.box]], 0, 7);
        d.nW = b.w;
        d.nH = b.h;
        m_BoxDisplay.push_back(d);
    }
    std::stable_sort(m_BoxDisplay.begin(), m_BoxDisplay.end(), [](const BOXDISPLAY& a, const BOXDISPLAY& b) {
        return static_cast<int64_t>(a.nW) * a.nH > static_cast<int64_t>(b.nW) * b.nH;
    });
}

void cPlayer::ScaleBoxes(int factor)
{
    ScaleBox(m_HitBox, factor);
    ScaleBox(m_ShotBox, factor);
    ScaleBox(m_ItemBox, factor);
}

void cPlayer::UpdateBoxesX()
{
    int x = static_cast<int>(m_dLeft);
    PlaceBoxX(m_HitBox, x);
    PlaceBoxX(m_ShotBox, x);
    PlaceBoxX(m_ItemBox, x);
}

void cPlayer::UpdateBoxesY()
{
    int y = static_cast<int>(m_dTop);
    PlaceBoxY(m_HitBox, y);
    PlaceBoxY(m_ShotBox, y);
    PlaceBoxY(m_ItemBox, y);
}

int cPlayer::ScrollFollowX()
{
    FollowView(*lpScrollX, m_dLeft, m_nHitW >> 1, VIEW_W);
    return cStageObject::ClampX(m_bNoGravity ? 0 : 1);
}

int cPlayer::ScrollFollowY()
{
    FollowView(*lpScrollY, m_dTop, m_nHitH >> 1, VIEW_H);
    return cStageObject::ClampY(m_bNoGravity ? 0 : 1);
}

void cPlayer::UpdateScreenPos()
{
    const cScrollAxis& ax = *lpScrollX;
    const cScrollAxis& ay = *lpScrollY;
    if (ax.m_bAutoScroll) m_nScreenLeft = static_cast<int>(m_dLeft) - static_cast<int>(ax.m_dPos) - m_nDrawOffX;
    else m_nScreenLeft = static_cast<int>(m_dLeft - ax.m_dPos - m_nDrawOffX);
    m_nScreenRight = m_nScreenLeft + m_nDrawW - 1;
    if (ay.m_bAutoScroll) m_nScreenTop = static_cast<int>(m_dTop) - static_cast<int>(ay.m_dPos) - m_nDrawOffY;
    else m_nScreenTop = static_cast<int>(m_dTop - ay.m_dPos - m_nDrawOffY);
    m_nScreenBottom = m_nScreenTop + m_nDrawH - 1;
}

int cPlayer::MoveX()
{
    if (m_dKnockX != 0) {
        m_dVx = m_dKnockX;
    } else if (m_dAx != 0) {
        ApplyFriction(m_dAx, m_bFrictionX);
        if (m_nBlockEffectTime > 0 && m_nBlockEffect == BLOCKFX_SLIPPERY) {
            double slide = m_dSlipUnit / SubStepCount() / 60 * (1 - m_dBlockEffectValue);
            if (m_dAx > 0) m_dAx = std::max(0.0, m_dAx - slide);
            else if (m_dAx < 0) m_dAx = std::min(0.0, m_dAx + slide);
        }
        m_dVx += m_dAx;
    }
    double limit = StageData.m_dSpeedLimitStep;
    m_dVx = std::clamp(m_dVx, -limit, limit);
    m_dLeft += m_dVx;
    ClampX();
    return 0;
}

int cPlayer::MoveY()
{
    ApplyKnockbackY();
    if (m_dKnockY == 0 && m_bNoGravity && m_dAy != 0) {
        ApplyFriction(m_dAy, m_bFrictionY);
        m_dVy += m_dAy;
    }
    int code = cStageObject::MoveY(m_bNoGravity ? 0 : 2);
    ClampY();
    if (!m_bNoGravity && (code == EDGE_STAGE_BELOW || code == EDGE_OUTER_BELOW)) return 7;
    return code;
}

bool cPlayer::IsNewItemContact(const cItem* item) const
{
    return std::find(m_TouchedItems.begin(), m_TouchedItems.end(), item) == m_TouchedItems.end();
}

void cPlayer::EndItemContact(const cItem* item) { m_TouchedItems.remove(const_cast<cItem*>(item)); }

int cPlayer::RunFlows(cStageWorld& world, int dying)
{
    // The speeds of this pass start from the view's drift.
    const cScrollAxis& ax = *lpScrollX;
    const cScrollAxis& ay = *lpScrollY;
    if (SystemData.m_bNoScrollCarry) {
        if (m_bNoGravity) {
            m_dVx = AutoScrollSpeed(ax);
            m_dVy = AutoScrollSpeed(ay);
        } else {
            m_dVx = 0;
        }
    } else if (m_bScrollSync) {
        m_dVx = AutoScrollSpeed(ax);
        if (m_bNoGravity) m_dVy = AutoScrollSpeed(ay);
    } else {
        m_dVx = 0;
        if (m_bNoGravity) m_dVy = 0;
    }

    m_bJumpControlled = 0;
    if (StepFlowPass(world, dying)) return 1;

    // Flow changes that items asked for while the flows ran.
    std::vector<cCommandData> pending;
    pending.swap(m_PendingFlowCmds);
    for (const cCommandData& command : pending) ChangeFlowCommand(world, this, &command, 1);

    TidyFlows(world);

    IdleAnimation();
    if (!m_bJumpControlled) {
        m_nJumpHold = 0;
        m_bJumpReady = 1;
        m_bJumpCut = 0;
    }
    return m_nHp <= 0;
}

int cPlayer::Jump(cStageWorld& world, cRunningCommand* command)
{
    if (!command || m_bNoGravity || m_bJumpControlled) return 0;
    cRunningCommand& c = *command;
    const cRunningFlow* flow = world.m_lpCurFlow;
    const cKeyCondData* lastStep = flow && !flow->m_KeySteps.empty() ? flow->m_KeySteps.back() : nullptr;
    int b = SubStepCount();

    int keyMode = Param(c, 0);
    bool held = keyMode == JUMPKEY_ALWAYS || (lastStep && CheckKeyStep(m_lpInput, *lastStep));

    if (keyMode == JUMPKEY_BY_SPEED) {
        // The faster the player runs, the higher it jumps.
        double full = Param(c, 1) / (10.0 * b);
        double low = Param(c, 3) / (10.0 * b);
        double v = std::fabs(m_dAx);
        int high = Param(c, 2), lowHeight = Param(c, 4);
        int height;
        if (v >= full) height = high;
        else if (v <= low) height = lowHeight;
        else height = static_cast<int>((high - lowHeight) * v / full + lowHeight);
        c.m_dSpeed = JumpSpeedForHeight(height * 16.0);
    }

    bool mayLift = (!m_bJumpLocked || m_bRiding) && m_bJumpReady && !m_bJumpCut;
    if (held && !m_bNoJumpBlock) {
        ++m_nJumpHold;
        if (m_nJumpHold >= c.m_nLength && mayLift && (m_dVy < 0 || m_bRiding)) {
            // The rise has reached its full length.
            m_bJumpLocked = 1;
            m_bJumpReady = 0;
        } else if (!m_bInAir && m_nJumpHold <= b && mayLift && !m_bKnockback && !c.m_bBegun) {
            m_bJumping = 1;
            const cCommandData* def = c.m_lpCommandData;
            if (!m_bRiding) {
                m_dVy = c.m_dSpeed;
                c.m_bBegun = 1;
                if (def) PlayCommandSound(*this, *def);
            } else if (world.m_nSubStep == b) {
                // From a character's back only in the frame's last sub-step.
                m_bRiding = 0;
                m_dVy = c.m_dSpeed * 1.0199999809265137;
                c.m_bBegun = 1;
                if (def) PlayCommandSound(*this, *def);
            }
        }
    } else {
        if (m_nJumpHold > 0 && m_nJumpHold < c.m_nLength && !m_bJumpLocked && !m_bJumpCut && !m_bNoJumpBlock &&
            !m_bKnockback) {
            // Released on the way up: the rise is cut short.
            m_bRiding = 0;
            if (m_dVy < 0) m_dVy *= 0.3;
            m_bJumpLocked = 1;
        }
        m_nJumpHold = 0;
        m_bJumpReady = 1;
        m_bJumpCut = 0;
    }

    if (IsOnGround() && m_dVy >= 0) {
        if (!lastStep) {
            m_nJumpHold = 0;
            m_bJumpReady = 1;
            m_bJumpCut = 0;
            m_bKnockback = 0;
            c.m_bBegun = 0;
        } else if (!held) {
            // Landed with the key up: the command ends.
            m_nJumpHold = 0;
            m_bJumpReady = 1;
            m_bJumpCut = 0;
            m_bKnockback = 0;
            c.m_nCounter = 0;
        }
    }
    m_bJumpControlled = 1;
    return 0;
}

int cPlayer::RunItemCommands(cStageWorld& world, const std::vector<cCommandData>& commands)
{
    world.m_bItemAfterMessage = 0;
    for (const cCommandData& command : commands) {
        int kind = command.m_cKind;
        // A kind outside the table is damaged data: it does nothing.
        int result = 0;
        if (kind >= 0 && kind < ITEMCMD_COUNT) result = ItemCmdExecTable[kind](world, this, &command);
        else ReportLog("Item command kind %d does not exist; it does nothing", kind);
        if (m_nHp <= 0) return 2;
        if (result) return result;
    }
    return m_nHp <= 0 ? 2 : 0;
}

void cPlayer::AddItemPopup(cStageWorld& world, int kind, int chip, int frame)
{
    cMessage popup;
    popup.Set(MSGMODE_CHIP, nullptr, kind, chip, frame, MSGPLACE_ABOVE_HERO, 0, 0, 0, 0, 0, 0, SHOW_TIMED, 30, 0, m_nRef,
              0, 0, 0, 0, 0, 0, 0, 0);
    world.m_MessageList.push_back(popup);
}
