// What the block under the player does to it: bounce, no jumping, a speed
// change or a conveyor push that outlasts the block by a frame, and the item
// the block hands over once a second.
#include <cstdint>

#include "files/stage_file.h"
#include "stage/physics/block_collision.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

enum { BLOCKFX_BOUNCE = 1, BLOCKFX_NO_JUMP = 2 };

bool StandsOnSolid(cPlayer& player)
{
    return player.m_lpFootBlock && player.m_lpFootBlock->GetCollision(player.m_nHitLayer) == BLOCK_SOLID;
}

double SpeedScale() { return StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : SubStepCount(); }

} // namespace

int ApplyBlockEffect(cPlayer& player)
{
    if (player.m_bNoGravity) return 0;
    if (StandsOnSolid(player) && player.m_nBlockEffectTime == 0) {
        const cBlockData& block = *player.m_lpFootBlock;
        switch (block.m_cEffect) {
        case BLOCKFX_BOUNCE:
            StageHost().PlaySE(10);
            player.m_dVy = player.JumpSpeedForHalfBlocks(static_cast<int8_t>(block.m_nEffectValue));
            player.m_bJumpLocked = player.m_bJumping = 1;
            player.m_bJumpReady = 0;
            player.m_nJumpHold = cChara::JumpApexFrames(player.m_dVy);
            break;
        case BLOCKFX_NO_JUMP: player.m_bNoJumpBlock = 1; break;
        case BLOCKFX_SLIPPERY:
            player.m_nBlockEffect = BLOCKFX_SLIPPERY;
            player.m_dBlockEffectValue = block.m_nEffectValue * 0.01;
            player.m_nBlockEffectTime = SubStepCount();
            break;
        case BLOCKFX_CONVEYOR_A:
        case BLOCKFX_CONVEYOR_B:
            player.m_nBlockEffect = block.m_cEffect;
            player.m_dBlockEffectValue = block.m_nEffectValue * 0.1 / SpeedScale();
            player.m_nBlockEffectTime = SubStepCount();
            break;
        default: break;
        }
        if (block.m_cEffect != BLOCKFX_NO_JUMP) player.m_bNoJumpBlock = 0;
    }
    if (player.m_nBlockEffectTime > 0) {
        double amount = player.m_dBlockEffectValue;
        switch (player.m_nBlockEffect) {
        case BLOCKFX_SLIPPERY: player.m_dVx *= amount; break;
        case BLOCKFX_CONVEYOR_A:
            player.m_dVx -= amount;
            if (player.m_dAx > 0) player.m_dAx = 0;
            break;
        case BLOCKFX_CONVEYOR_B:
            player.m_dVx += amount;
            if (player.m_dAx < 0) player.m_dAx = 0;
            break;
        default: break;
        }
        // Pressed back onto the floor, the player meets the block again.
        if (--player.m_nBlockEffectTime == 0 && player.m_dVy >= 0) player.m_dVy += 1.0;
    }
    return 0;
}

int ApplyBlockItem(cStageWorld& world, cPlayer& player)
{
    if (player.m_bNoGravity) return 0;
    bool applied = false;
    if (player.m_nBlockItemCooldown == 0 && StandsOnSolid(player)) {
        const cBlockData& block = *player.m_lpFootBlock;
        const cItemData* def =
            block.m_cItemSource ? FindItemPaletteEntry(block.m_cItemSource, block.m_sItemIndex) : nullptr;
        if (def) {
            cItem item;
            item.Setup(0, *def, 1);
            int outcome = world.ApplyItem(&item, &player);
            if (outcome) return outcome;
            player.m_nBlockItemCooldown = 60 * SubStepCount();
            applied = true;
        }
    }
    if (player.m_nBlockItemCooldown > 0) {
        if (player.m_bInAir) {
            player.m_nBlockItemCooldown = 0;
        } else {
            --player.m_nBlockItemCooldown;
            // Stepping onto another block: its item may come at once.
            if (player.m_lpFootBlock && player.m_lpLastFootBlock != player.m_lpPrevFootBlock && !applied) {
                player.m_nBlockItemCooldown = 0;
                if (player.m_dVy >= 0) player.m_dVy += 1.0;
            }
        }
    }
    return 0;
}
