// Defeats: what the end of a character means for the stage, the defeats
// check after a status change, and the removal of a character with every
// reference to it.

#include "files/system_data.h"
#include "records/record_list.h"
#include "stage/hits/hits.h"
#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_world.h"
#include "stage/scene/stage_host.h"

namespace {

enum { SE_PLAYER_DOWN = 8, SE_DEFEAT = 9 };

void ClearStage(cStageWorld& world)
{
    Goal(world);
    world.m_nState = STAGE_CLEAR;
}

// The player goes down: 1 when its death clears the stage. A player that is
// already dead does not die again.
int PlayerDies(cStageWorld& world)
{
    if (Player.empty() || Player[P1].m_bDead) return 0;
    StageHost().PlaySE(SE_PLAYER_DOWN);
    if (Player[P1].Die(world) != 1) return 0;
    ClearStage(world);
    return 1;
}

} // namespace

int DefeatOutcome(cStageWorld& world, cChara& chara)
{
    if (chara.m_nSide == 0) return 2;
    if (chara.m_bDead) return 0;
    return chara.Die(world);
}

int DefeatCharacter(cStageWorld& world, cChara& chara, std::list<cNpc>&)
{
    int outcome = DefeatOutcome(world, chara);
    if (outcome == 1) ClearStage(world);
    else if (outcome == 2) PlayerDies(world);
    return outcome;
}

int CheckDefeats(cStageWorld& world)
{
    if (!Player.empty() && Player[P1].m_nHp <= 0) {
        PlayerDies(world);
        return 1;
    }
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cNpc& chara = *it;
        if (chara.m_bVanish) {
            it = EraseObjectNode(world, it);
            continue;
        }
        // A character already dying is not defeated again.
        if (chara.m_nHp > 0 || chara.m_bDead) {
            ++it;
            continue;
        }
        int outcome = DefeatCharacter(world, chara, CharaList);
        if (!SystemData.m_bKeepDefeatedChara || outcome == 1) {
            it = EraseObjectNode(world, it);
        } else {
            StageHost().PlaySE(SE_DEFEAT);
            ++it;
        }
        if (outcome != 0) return 1;
    }
    return 0;
}

std::list<cNpc>::iterator EraseObjectNode(cStageWorld& world, std::list<cNpc>::iterator node)
{
    cNpc* chara = &*node;
    // Its followers, the shots aiming at it and its own target.
    chara->Unlink();
    // Whoever still names it, or lists it, without the link both ways.
    auto forget = [chara](cChara& other) {
        if (other.m_lpTarget == chara) other.m_lpTarget = nullptr;
        RemovePtr(other.m_Followers, chara);
    };
    for (cPlayer& p : Player) forget(p);
    for (cNpc& other : CharaList) forget(other);
    for (auto& layer : world.m_CharaLayers) layer.remove(chara);
    for (cShot& shot : world.m_ShotList) {
        if (shot.m_lpTarget == chara) shot.m_lpTarget = nullptr;
        shot.m_HitList.remove(chara);
    }
    if (world.m_lpCurChara == chara) world.m_lpCurChara = nullptr;
    return CharaList.erase(node);
}
