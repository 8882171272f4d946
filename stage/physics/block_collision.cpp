// Characters against the block map: which cell an edge touches, the
// push-outs to the sides, the floor and the ceiling, and the tests of a
// rectangle against the blocks and the block characters.
#include "stage/physics/block_collision.h"

#include <cstdlib>

#include "files/system_data.h"
#include "records/flow_labels.h"
#include "stage/physics/block_cells.h"
#include "stage/objects/chara.h"
#include "stage/objects/npc.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"

namespace {

int Trunc(double v) { return static_cast<int>(v); }

BlockCell CellAt(const cChara& chara, int x, int y)
{
    cBlockData* block = BlockMapCell(x >> 5, y >> 5);
    return {block, block ? block->GetCollision(chara.m_nHitLayer) : BLOCK_PASSABLE};
}

int SizeFactor(const cChara& chara) { return chara.m_Def.m_cSize < 1 ? 1 : chara.m_Def.m_cSize; }

bool IsPlayerSide(const cChara& chara) { return chara.m_nSide == 0; }

// Solid for this character: kind 1, and kind 2 for the computer's side
// (which stands on and bumps into the blocks that kill the player's side).
bool Stops(const cChara& chara, int kind)
{
    return kind == BLOCK_SOLID || (kind == BLOCK_DEADLY && !IsPlayerSide(chara));
}

// The strongest of points along a horizontal line; on equal kinds the point
// strictly nearer to the middle replaces the best.
template <typename PointOf>
BlockCell StrongestNearMiddle(const cChara& chara, int count, int y, int middle, PointOf pointOf)
{
    BlockCell best;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        int x = pointOf(i);
        BlockCell cell = CellAt(chara, x, y);
        int distance = std::abs(x - middle);
        if (i == 0 || cell.kind > best.kind || (cell.kind == best.kind && distance < bestDistance)) {
            best = cell;
            bestDistance = distance;
        }
    }
    return best;
}

// Pushes the character out of the cell its left (side 0) or right (side 1)
// edge is in.
int PushOut(cChara& chara, int side)
{
    if (SkipsBlocks(chara)) return 0;
    int edge = Trunc(side ? chara.m_dRight : chara.m_dLeft);
    BlockCell cell = FindStrongestCellOnLine(chara, edge, Trunc(chara.m_dTop));
    if (Stops(chara, cell.kind)) {
        if (TouchKills(chara)) return 2;
        if (side) {
            chara.LRUD[LRUD_RIGHT] = 1;
            chara.m_dLeft -= (edge & 31) + 1;
        } else {
            chara.LRUD[LRUD_LEFT] = 1;
            chara.m_dLeft += 32 - (edge & 31);
        }
        chara.m_dAx = 0;
        chara.ClampX();
        chara.m_nLastSideHit = side;
        chara.BlockTrigger(TRIGGER_HIT_BLOCK);
        chara.BlockTrigger(TRIGGER_BLOCK_LEFT_RIGHT);
        chara.BlockTrigger(side ? TRIGGER_BLOCK_RIGHT : TRIGGER_BLOCK_LEFT);
        return 0;
    }
    return cell.kind == BLOCK_DEADLY ? 2 : 0;
}

// Result of the floor test when a rising character passes a block's top.
constexpr int FLOOR_RISING = 3;

// The floor at the bottom edge. counting: the full test of a vertical move,
// which also counts the sub-steps without ground and lets go of the block
// under an airborne character.
int FloorTest(cChara& chara, bool counting)
{
    BlockCell cell = FindStrongestCellOnHLine(chara, Trunc(chara.m_dLeft), Trunc(chara.m_dRight),
                                              Trunc(chara.m_dBottom));
    if (cell.kind == BLOCK_PASSABLE) {
        if (!counting) return 0;
        chara.m_lpFootBlock = nullptr;
        if (++chara.m_nNoGroundSteps >= 8 * SubStepCount()) {
            bool ridingHero = IsPlayerSide(chara) && chara.m_bRiding;
            if (!ridingHero) chara.m_bInAir = 1;
            if (IsPlayerSide(chara) && !chara.m_bRiding)
                if (auto* player = dynamic_cast<cPlayer*>(&chara)) player->m_bJumpReady = 1;
        }
        return 0;
    }
    chara.m_lpFootBlock = cell.block;
    if (cell.kind == BLOCK_DEADLY) {
        chara.m_lpLastFootBlock = cell.block;
        if (IsPlayerSide(chara)) return 2;
    } else if (cell.kind != BLOCK_SOLID) {
        return 0;
    }
    if (TouchKills(chara)) return 2;
    if (!SystemData.m_bRisingLands && !chara.m_bNoGravity && chara.m_dVy < 0) return FLOOR_RISING;
    if (IsPlayerSide(chara)) chara.m_lpFootBlock = FindFloorCell(chara).block;
    chara.m_lpLastFootBlock = chara.m_lpFootBlock;
    chara.Land();
    return 0;
}

int CheckFloor(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    int result = FloorTest(chara, true);
    return result == FLOOR_RISING ? 0 : result;
}

int CheckCeiling(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    BlockCell cell =
        FindStrongestCellOnHLine(chara, Trunc(chara.m_dLeft), Trunc(chara.m_dRight), Trunc(chara.m_dTop));
    if (Stops(chara, cell.kind)) {
        if (TouchKills(chara)) return 2;
        chara.HitCeiling();
        return 0;
    }
    return cell.kind == BLOCK_DEADLY ? 2 : 0;
}

// Two tests in an order: a 2 from the first ends at once, else the second's.
int InOrder(cChara& chara, int (*first)(cChara&), int (*second)(cChara&))
{
    if (first(chara) == 2) return 2;
    return second(chara);
}

// Both tests whatever the first gives; 2 when either gives 2.
int Both(cChara& chara, int (*first)(cChara&), int (*second)(cChara&))
{
    int a = first(chara);
    int b = second(chara);
    return a == 2 || b == 2 ? 2 : 0;
}

bool FlyingStopper(const cChara& chara) { return chara.m_bNoGravity && chara.m_cBlockMode == BLOCKMODE_STOP; }

} // namespace

bool SkipsBlocks(const cChara& chara) { return chara.m_bNoGravity && chara.m_cBlockMode == BLOCKMODE_PASS; }

bool TouchKills(const cChara& chara) { return chara.m_bNoGravity && chara.m_cBlockMode == BLOCKMODE_KILL; }

BlockCell FindStrongestCellOnLine(const cChara& chara, int x, int y1)
{
    int count = SizeFactor(chara) + 1;
    int step = chara.m_nBaseHitH - 1;
    BlockCell best;
    for (int i = 0; i < count; ++i) {
        BlockCell cell = CellAt(chara, x, y1 + i * step);
        if (i == 0 || cell.kind > best.kind) best = cell;
    }
    return best;
}

BlockCell FindStrongestCellOnHLine(const cChara& chara, int x1, int x2, int y)
{
    int step = chara.m_nBaseHitW - 1;
    return StrongestNearMiddle(chara, SizeFactor(chara) + 1, y, (x1 + x2) / 2,
                               [&](int i) { return x1 + i * step; });
}

BlockCell FindFloorCell(const cChara& chara)
{
    int size = SizeFactor(chara);
    int count = size % 2 ? size + 2 : size + 1;
    int left = Trunc(chara.m_dLeft), right = Trunc(chara.m_dRight);
    int step = chara.m_nHitW / (count - 1);
    return StrongestNearMiddle(chara, count, Trunc(chara.m_dBottom), (left + right) / 2,
                               [&](int i) { return i == count - 1 ? right : left + i * step; });
}

BlockCell FindStrongestCorner(const cChara& chara)
{
    const int cells[4][2] = {{chara.m_nCellLeft, chara.m_nCellTop},
                             {chara.m_nCellRight, chara.m_nCellTop},
                             {chara.m_nCellLeft, chara.m_nCellBottom},
                             {chara.m_nCellRight, chara.m_nCellBottom}};
    BlockCell best;
    for (int i = 0; i < 4; ++i) {
        cBlockData* block = BlockMapCell(cells[i][0], cells[i][1]);
        BlockCell cell{block, block ? block->GetCollision(chara.m_nHitLayer) : BLOCK_PASSABLE};
        if (i == 0 || cell.kind > best.kind) best = cell;
    }
    return best;
}

int PushOutLeft(cChara& chara) { return PushOut(chara, 0); }

int PushOutRight(cChara& chara) { return PushOut(chara, 1); }

int ResolveBlocksX(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    if (FlyingStopper(chara)) return Both(chara, PushOutRight, PushOutLeft);
    if (chara.m_dVx > 0) return InOrder(chara, PushOutRight, PushOutLeft);
    return InOrder(chara, PushOutLeft, PushOutRight);
}

int RecheckBlocksX(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    return Both(chara, PushOutRight, PushOutLeft);
}

int ResolveBlocksY(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    chara.m_lpFootBlock = nullptr;
    if (FlyingStopper(chara)) return Both(chara, CheckFloor, CheckCeiling);
    if (chara.m_dVy > 0) return InOrder(chara, CheckFloor, CheckCeiling);
    return InOrder(chara, CheckCeiling, CheckFloor);
}

int CheckFloorAndCeiling(cChara& chara)
{
    if (SkipsBlocks(chara)) return 0;
    int floor = FloorTest(chara, false);
    if (floor == 2) return 2;
    if (floor == FLOOR_RISING) return 0;
    return CheckCeiling(chara);
}

namespace {

// Keeps one axis of the player inside the view. lowOnScreen and highOnScreen
// are the edges the view is tested against; returns 1 when the player was
// held at the far edge.
int KeepInView(cPlayer& player, const cScrollAxis& axis, int lowOnScreen, int highOnScreen, int viewSize,
               int hitSize, double& low, int lowFlag, int highFlag, bool vertical)
{
    int heldHigh = 0;
    if (lowOnScreen < 0) {
        player.LRUD[lowFlag] = 1;
        low = axis.m_dPos;
    } else if (highOnScreen >= viewSize) {
        player.LRUD[highFlag] = 1;
        low = axis.m_dPos + viewSize - hitSize - 1;
        heldHigh = 1;
    } else {
        return 0;
    }
    if (vertical) player.ClampY();
    else player.ClampX();
    return heldHigh;
}

} // namespace

int KeepInViewX(cPlayer& player)
{
    if (!lpScrollX->m_bAutoScroll && !player.m_bNoGravity) return 0;
    player.UpdateScreenPos();
    KeepInView(player, *lpScrollX, player.m_nScreenLeft + player.m_nDrawOffX,
               player.m_nScreenRight - player.m_nDrawOffX + 1, 640, player.m_nHitW, player.m_dLeft, LRUD_LEFT,
               LRUD_RIGHT, false);
    return 0;
}

int KeepInViewY(cPlayer& player)
{
    if (!lpScrollY->m_bAutoScroll && !player.m_bNoGravity) return 0;
    player.UpdateScreenPos();
    int heldBelow = KeepInView(player, *lpScrollY, player.m_nScreenTop + player.m_nDrawOffY,
                               player.m_nScreenBottom - player.m_nDrawOffY + 1, 480, player.m_nHitH, player.m_dTop,
                               LRUD_UP, LRUD_DOWN, true);
    return heldBelow && !player.m_bNoGravity ? 2 : 0;
}

bool IsBlocked(cChara& chara)
{
    if (SkipsBlocks(chara)) return false;
    if (FindStrongestCorner(chara).kind != BLOCK_PASSABLE) return true;
    return OverlapsBlockChara(chara, CharaList);
}

bool OverlapsBlockChara(cChara& chara, std::list<cNpc>& list)
{
    if (SkipsBlocks(chara)) return false;
    for (const cNpc& other : list) {
        if (!other.m_Def.m_bFullCellBoxes || other.m_bDead || !other.m_bActive || other.m_nRef == chara.m_nRef)
            continue;
        if (other.m_dLeft <= chara.m_dRight && other.m_dRight >= chara.m_dLeft && other.m_dTop <= chara.m_dBottom &&
            other.m_dBottom >= chara.m_dTop)
            return true;
    }
    return false;
}

void RideBlockChara(cChara& chara, std::list<cNpc>& list)
{
    if (!chara.m_bRiding || chara.m_bNoGravity) return;
    for (cNpc& carrier : list) {
        if (carrier.m_nRef != chara.m_nRideRef) continue;
        chara.m_dVx += carrier.m_dLeft - chara.m_RideRect[0];
        if (carrier.m_bNoGravity || carrier.m_bInAir) chara.m_dVy = carrier.m_dTop - chara.m_RideRect[1];
        if (IsPlayerSide(chara)) carrier.BlockTrigger(TRIGGER_RIDDEN_BY_HERO);
        carrier.BlockTrigger(TRIGGER_RIDDEN_BY_CHARA);
        return;
    }
}
