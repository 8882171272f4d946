// What a hit does to a character: damage with its clamps, the hit effect,
// knock-back, the damage and impact triggers, invincibility after the hit,
// and death with its score, carried item and link clean-up.
#include <algorithm>
#include <cstdint>

#include "files/game_progress.h"
#include "files/stage_file.h"
#include "records/flow_labels.h"
#include "stage/objects/chara.h"
#include "stage/objects/item.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int MAX_DAMAGE = 999999;
constexpr int MAX_SCORE = 999999;

// A positive power less the defence, kept in 0..999999; a power of 0 or less
// is dealt as it is (a negative one heals).
int DamageOf(int power, int defence)
{
    if (power <= 0) return power;
    int64_t d = static_cast<int64_t>(power) - defence;
    return static_cast<int>(std::clamp<int64_t>(d, 0, MAX_DAMAGE));
}

// The HP change of a damage, kept inside int.
int LossOf(int damage) { return damage == INT32_MIN ? INT32_MAX : -damage; }

// An invincibility of frames as the sub-steps its timer counts. A negative
// time is none, as it is after its first tick; one longer than int holds
// lasts longer than any play.
int InvincibleSubSteps(int frames)
{
    return static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(SubStepCount()) * frames, 0, INT32_MAX));
}

void AddHitEffect(cStageWorld& world, int16_t effect, const HITRECT& a, const HITRECT& b, int8_t factor)
{
    if (!effect) return;
    cEffect hit;
    hit.SetFromHit(effect, a, b, factor);
    world.m_EffectList.push_back(hit);
}

} // namespace

void cChara::StartInvincible()
{
    int frames = m_nSide == 0 ? StageData.m_nInvGeneralPlayer : StageData.m_nInvGeneralCpu;
    m_nInvincible = InvincibleSubSteps(frames);
}

void cChara::StartInvincibleAgainst(int attacker)
{
    StartInvincible();
    int frames = m_nSide == 0 ? StageData.m_nInvAttackerPlayer : StageData.m_nInvAttackerCpu;
    m_InvincibleList.push_back({attacker, InvincibleSubSteps(frames)});
}

void cChara::TickInvincible()
{
    m_nInvincible = std::max(m_nInvincible - 1, 0);
    for (auto it = m_InvincibleList.begin(); it != m_InvincibleList.end();) {
        if (--it->nTime <= 0) it = m_InvincibleList.erase(it);
        else ++it;
    }
}

bool cChara::IsInvincibleAgainst(int attacker) const
{
    if (m_nInvincible > 0) return true;
    return std::any_of(m_InvincibleList.begin(), m_InvincibleList.end(),
                       [attacker](const INVINCIBLEENTRY& e) { return e.nAttacker == attacker; });
}

int cChara::DamageByChara(cStageWorld& world, cChara& attacker)
{
    const cCharaData& a = attacker.m_Def;
    int result = ChangeHp(LossOf(DamageOf(a.m_nPower, m_Def.m_nDefence)), 0, 1);
    AddHitEffect(world, a.m_sDamageEffect, m_HitBox.rect, attacker.m_HitBox.rect, a.m_cSize);
    ImpactFromChara(attacker);
    // Both triggers fire whatever the damage came to.
    if (a.m_nPower != 0) Trigger(TRIGGER_DAMAGED);
    if (a.m_cImpact != 0) Trigger(TRIGGER_IMPACTED);
    return result;
}

int cChara::DamageByShot(cStageWorld& world, cShot& shot)
{
    const cEdShot& s = shot.m_EdShot;
    int result = ChangeHp(LossOf(DamageOf(s.m_nPower, m_Def.m_nDefence)), 0, 1);
    AddHitEffect(world, s.m_sHitEffect, m_ShotBox.rect, shot.m_HitBox.rect, s.m_cSize);
    ImpactFromShot(shot);
    if (s.m_nPower != 0) Trigger(TRIGGER_DAMAGED);
    if (s.m_cImpact != 0) Trigger(TRIGGER_IMPACTED);
    return result;
}

int cChara::Die(cStageWorld& world)
{
    // The death flows start running in the same frame.
    Trigger(TRIGGER_DIED);
    RunFlows(world, 1);

    int64_t score = static_cast<int64_t>(GameProgress.m_nScore) + m_Def.m_nScore;
    GameProgress.m_nScore = static_cast<int32_t>(std::clamp<int64_t>(score, 0, MAX_SCORE));

    int itemResult = 0;
    if (cItem* item = GetItem())
        itemResult = world.ApplyItem(item, Player.empty() ? nullptr : &Player[P1]);
    if (world.m_nStageRequest == STAGEREQ_CLEAR || itemResult == 1) return 1;

    Unlink();
    m_bDead = 1;
    // Effect 0 leaves none running: the character is then drawn dead.
    m_CharaEffect.StartChara(m_Def.m_sDeathEffect, m_Def.m_cDeathEffectDir, 0);
    return 0;
}
