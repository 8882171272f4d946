#include "stage/objects/npc.h"

#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/objects/play_links.h"
#include "stage/script/command_sound.h"
#include "stage/script/running_command.h"

namespace {

void WholeCellBox(HITBOX& box, int w, int h)
{
    box.nOffX = box.nOffY = box.nBaseOffX = box.nBaseOffY = 0;
    box.nW = box.nBaseW = w;
    box.nH = box.nBaseH = h;
}

void ScaleBox(HITBOX& box, int factor)
{
    box.nOffX = factor * box.nBaseOffX;
    box.nOffY = factor * box.nBaseOffY;
    box.nW = factor * box.nBaseW;
    box.nH = factor * box.nBaseH;
}

// Whether a character's activation group is marked; a group outside the
// scene's list is never marked.
bool GroupMarked(const std::vector<char>& groups, int group)
{
    return group >= 0 && group < static_cast<int>(groups.size()) && groups[group];
}

} // namespace

cNpc::cNpc(const cNpc& other) : cChara(other), m_Item(other.m_Item) { CopyNpcMembers(other); }

cNpc& cNpc::operator=(const cNpc& other)
{
    if (&other == this) return *this;
    Assign(other);
    m_Item = other.m_Item;
    CopyNpcMembers(other);
    return *this;
}

void cNpc::CopyNpcMembers(const cNpc& other)
{
    m_bInRange = other.m_bInRange;
    m_bAppeared = other.m_bAppeared;
    m_nIconCounter = other.m_nIconCounter;
    m_bRangeSkipX = other.m_bRangeSkipX;
    m_bRangeSkipY = other.m_bRangeSkipY;
    m_bWasActive = other.m_bWasActive;
}

void cNpc::Setup(int serial, const cCharaData& def, const cItem* item, double x, double y, int16_t instance)
{
    ResetState(&def, x, y, instance);
    if (m_Def.m_cSize == 0) m_Def.m_cSize = 1;
    const cStageData& s = StageData;
    bool blockChara = m_Def.m_bFullCellBoxes != 0;
    bool flying = m_Def.m_cFlying != 0;

    int w = 32, h = 32, offX = 0, offY = 0;
    if (!blockChara) {
        w = flying ? s.m_nCharaBodyFloatW : s.m_nCharaBodyW;
        h = flying ? s.m_nCharaBodyFloatH : s.m_nCharaBodyH;
        int bottomAligned = flying ? s.m_nCharaBodyFloatAlign : s.m_nCharaBodyAlign;
        offX = (32 - w) >> 1;
        offY = bottomAligned ? 32 - h : (32 - h) >> 1;
    }
    cStageObject::Setup(serial, m_Def.m_cControl, m_Def.m_cPlayerNo, m_Def.m_cPass, m_Def.m_sGraphic, nullptr, 0,
                        offX, offY, w, h, 32, 32, m_Def.m_cFacing, m_Def.m_cFlying, instance);

    if (blockChara) {
        WholeCellBox(m_HitBox, 32, 32);
        WholeCellBox(m_ShotBox, 32, 32);
    } else {
        switch (m_Def.m_cContactBox) {
        case 1: SetBoxOffsets(0, s.m_nCharaHitSize1W, s.m_nCharaHitSize1H); break;
        case 2: SetBoxOffsets(0, s.m_nShotBox2W, s.m_nShotBox2H); break;
        case 3: SetBoxOffsets(0, 32, 32); break;
        default:
            if (flying) SetBoxOffsets(s.m_nCharaHitFloatAlign, s.m_nCharaHitFloatW, s.m_nCharaHitFloatH);
            else SetBoxOffsets(s.m_nCharaHitAlign, s.m_nCharaHitW, s.m_nCharaHitH);
            break;
        }
        HITBOX& box = m_ShotBox;
        box.nBaseOffX = box.nOffX = 16 - (s.m_nCharaHitSize1W >> 1) - offX;
        box.nBaseOffY = box.nOffY = 16 - (s.m_nCharaHitSize1H >> 1) - offY;
        box.nBaseW = box.nW = s.m_nCharaHitSize1W;
        box.nBaseH = box.nH = s.m_nCharaHitSize1H;
    }

    Rescale(m_Def.m_cSize, 1);
    m_bAppeared = 0;
    m_nIconCounter = 0;
    m_Item = item ? *item : cItem{};

    static const int32_t skip[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    int range = m_Def.m_cRange >= 0 && m_Def.m_cRange < 4 ? m_Def.m_cRange : int{RANGE_SCREEN};
    m_bRangeSkipX = skip[range][0];
    m_bRangeSkipY = skip[range][1];
    m_bWasActive = 0;

    m_Anime.Set(m_bNoGravity ? 0 : 1, 1);
    InsertFlows(m_Def.m_Flows, m_nFacing, 0, -1);
}

void cNpc::ScaleBoxes(int factor)
{
    if (m_Def.m_bFullCellBoxes) {
        WholeCellBox(m_HitBox, m_nHitW, m_nHitH);
        WholeCellBox(m_ShotBox, m_nHitW, m_nHitH);
        return;
    }
    ScaleBox(m_HitBox, factor);
    ScaleBox(m_ShotBox, factor);
}

void cNpc::UpdateBoxesX()
{
    int x = static_cast<int>(m_dLeft);
    for (HITBOX* box : {&m_HitBox, &m_ShotBox}) {
        box->rect.left = x + box->nOffX;
        box->rect.right = box->rect.left + box->nW - 1;
    }
}

void cNpc::UpdateBoxesY()
{
    int y = static_cast<int>(m_dTop);
    for (HITBOX* box : {&m_HitBox, &m_ShotBox}) {
        box->rect.top = y + box->nOffY;
        box->rect.bottom = box->rect.top + box->nH - 1;
    }
}

int cNpc::MoveX()
{
    if (m_dKnockX != 0) {
        m_dVx = m_dKnockX;
    } else if (m_dAx != 0) {
        ApplyFriction(m_dAx, m_bFrictionX);
        m_dVx += m_dAx;
    }
    int code = cStageObject::MoveX(2);
    ClampX();
    return code == EDGE_OUTER ? EDGE_LEFT_GRID : code;
}

int cNpc::MoveY()
{
    ApplyKnockbackY();
    if (m_dKnockY == 0 && m_bNoGravity && m_dAy != 0) {
        ApplyFriction(m_dAy, m_bFrictionY);
        m_dVy += m_dAy;
    }
    int code = cStageObject::MoveY(2);
    ClampY();
    if (m_bNoGravity) return (code == EDGE_OUTER || code == EDGE_OUTER_BELOW) ? EDGE_LEFT_GRID_Y : code;
    return (code == EDGE_STAGE_BELOW || code == EDGE_OUTER_BELOW) ? EDGE_FELL_OUT : code;
}

int cNpc::RunFlows(cStageWorld& world, int dying)
{
    bool flying = m_bNoGravity != 0;
    if (!SystemData.m_bNoScrollCarry && m_bScrollSync) {
        m_dVx = AutoScrollSpeed(*lpScrollX);
        if (flying) m_dVy = AutoScrollSpeed(*lpScrollY);
    } else {
        m_dVx = 0;
        if (flying) m_dVy = 0;
    }
    if (StepFlowPass(world, dying)) return 1;
    TidyFlows(world);
    IdleAnimation();
    return m_nHp <= 0;
}

int cNpc::Jump(cStageWorld& world, cRunningCommand* command)
{
    // A jump starts once: the floor test takes some sub-steps to notice that
    // the character left the ground, and until it lands the lock keeps the
    // command's later passes from giving it its start speed again.
    for (int32_t flag : {m_bInAir, m_bJumpLocked, m_bJumpCut, m_bKnockback, m_bNoJump})
        if (flag) return flag;
    if (!command) return 0;
    if (command->m_lpCommandData) PlayCommandSound(*this, *command->m_lpCommandData);
    m_dVy = command->m_dSpeed;
    m_bJumping = m_bJumpLocked = 1;
    m_bRiding = 0;
    return 1;
}

bool cNpc::CheckAppearRange(std::vector<char>& groups)
{
    if (!IsOnScreenAxes(m_bRangeSkipX, m_bRangeSkipY)) {
        m_bInRange = 0;
        return false;
    }
    m_bInRange = 1;
    int group = m_Def.m_sGroup;
    if (m_Def.m_bGroupOn && group >= 0 && group < static_cast<int>(groups.size())) groups[group] = 1;
    return true;
}

bool cNpc::CheckAppear(std::vector<char>& groups)
{
    bool appear = m_bInRange || (m_Def.m_bGroupOn && GroupMarked(groups, m_Def.m_sGroup));
    // Out of range it goes on only as a falling or jumping body.
    if (!appear && !m_bNoGravity) appear = m_bJumping || (m_bWasActive && m_bInAir);
    m_bAppeared = appear;
    if (!appear) return false;
    m_bWasActive = 1;
    if (m_Def.m_cAppear == APPEAR_ONCE) m_bRangeSkipX = m_bRangeSkipY = 1;
    UpdateScreenPos();
    return true;
}

bool cNpc::IconFrame()
{
    if (!m_Item.m_bCarried || !m_bOnScreen || m_Def.m_bTransparent || m_Item.m_ItemData.m_bHidden) return false;
    if (++m_nIconCounter < 64) return false;
    if (m_nIconCounter >= 96) m_nIconCounter = 0;
    return true;
}
