// The carry-over of a player's values from a cleared stage into the next:
// 25 groups, each carried when the settings keep it and forgotten after a
// lost life when the settings reset it.
#include "app/base/checked.h"
#include "files/game_progress.h"
#include "files/system_data.h"
#include "records/record_list.h"

namespace {

enum {
    GROUP_GRAPHIC = 0,
    GROUP_ANIME_SET,
    GROUP_Z,
    GROUP_TRANSPARENT,
    GROUP_PLACE_EFFECT,
    GROUP_FIXED_FACING,
    GROUP_FLYING,
    GROUP_INVINCIBLE,
    GROUP_SIZE,
    GROUP_SCROLL_SYNC,
    GROUP_SIGHT,
    GROUP_HP,
    GROUP_SP,
    GROUP_MAX_HP,
    GROUP_MAX_SP,
    GROUP_CONTACT_BOX,
    GROUP_POWER,
    GROUP_IMPACT,
    GROUP_DEFENCE,
    GROUP_IMPACT_RESIST,
    GROUP_STOP,
    GROUP_FLOWS,
    GROUP_TIME,
    GROUP_LIVES,
    GROUP_MUSIC,
};

bool Keeps(int group)
{
    return CheckedAt(SystemData.m_CarryOverKeep, group) != 0;
}

// The definition fields of groups 0 to 21 (all but 4, 11 and 12), copied
// from one definition to another.
void CopyDefinitionGroup(int group, cCharaData& to, const cCharaData& from)
{
    switch (group) {
    case GROUP_GRAPHIC:
        to.m_cGraphicKind = from.m_cGraphicKind;
        to.m_sGraphic = from.m_sGraphic;
        to.m_sChipOffset = from.m_sChipOffset;
        break;
    case GROUP_ANIME_SET: to.m_sAnimeSet = from.m_sAnimeSet; break;
    case GROUP_Z: to.m_cZOrder = from.m_cZOrder; break;
    case GROUP_TRANSPARENT: to.m_bTransparent = from.m_bTransparent; break;
    case GROUP_PLACE_EFFECT:
        to.m_sPlaceEffect = from.m_sPlaceEffect;
        to.m_cPlaceEffectDir = from.m_cPlaceEffectDir;
        to.m_bPlaceEffectLoop = from.m_bPlaceEffectLoop;
        break;
    case GROUP_FIXED_FACING: to.m_bFixedFacing = from.m_bFixedFacing; break;
    case GROUP_FLYING: to.m_cFlying = from.m_cFlying; break;
    case GROUP_INVINCIBLE: to.m_cInvincible = from.m_cInvincible; break;
    case GROUP_SIZE: to.m_cSize = from.m_cSize; break;
    case GROUP_SCROLL_SYNC: to.m_bAutoScrollSync = from.m_bAutoScrollSync; break;
    case GROUP_SIGHT:
        to.m_cSightShape = from.m_cSightShape;
        to.m_cSightRange = from.m_cSightRange;
        break;
    case GROUP_MAX_HP: to.m_nMaxHp = from.m_nMaxHp; break;
    case GROUP_MAX_SP: to.m_nMaxSp = from.m_nMaxSp; break;
    case GROUP_CONTACT_BOX: to.m_cContactBox = from.m_cContactBox; break;
    case GROUP_POWER: to.m_nPower = from.m_nPower; break;
    case GROUP_IMPACT: to.m_cImpact = from.m_cImpact; break;
    case GROUP_DEFENCE: to.m_nDefence = from.m_nDefence; break;
    case GROUP_IMPACT_RESIST: to.m_cImpactResist = from.m_cImpactResist; break;
    case GROUP_STOP: to.m_sStop = from.m_sStop; break;
    case GROUP_FLOWS: AssignRecords(to.m_Flows, from.m_Flows); break;
    default: break;
    }
}

} // namespace

void cGameProgress::StoreCarryOver(int i, const cCharaData& definition, int hp, int sp, int16_t effect,
                                   int8_t effectMode, int8_t effectLoop, int timeLeft, int lives, int music)
{
    m_bCarryOver = 1;
    cCarryOverData& stored = CheckedAt(m_CarryOver, i);
    for (int g = 0; g < CARRY_GROUPS; ++g) {
        if (!Keeps(g)) continue;
        switch (g) {
        case GROUP_PLACE_EFFECT:
            stored.m_Chara.m_sPlaceEffect = effect;
            stored.m_Chara.m_cPlaceEffectDir = effectMode;
            stored.m_Chara.m_bPlaceEffectLoop = effectLoop;
            break;
        case GROUP_HP: stored.m_nCarryHp = hp; break;
        case GROUP_SP: stored.m_nCarrySp = sp; break;
        case GROUP_TIME: stored.m_nCarryTime = timeLeft; break;
        case GROUP_LIVES: stored.m_nCarryLives = lives; break;
        case GROUP_MUSIC: stored.m_nCarryBgm = music; break;
        default: CopyDefinitionGroup(g, stored.m_Chara, definition); break;
        }
        CheckedAt(m_CarryFlags, g) = 1;
    }
}

void cGameProgress::RestoreCarryOver(int i, cCharaData& definition, int32_t* stageTime, int32_t* stageMusic)
{
    if (!m_bCarryOver) return;
    const cCarryOverData& stored = CheckedAt(m_CarryOver, i);
    for (int g = 0; g < CARRY_GROUPS; ++g) {
        if (g == GROUP_HP || g == GROUP_SP) continue;
        if (!Keeps(g) || !CheckedAt(m_CarryFlags, g)) continue;
        switch (g) {
        case GROUP_TIME:
            if (stageTime) *stageTime = stored.m_nCarryTime;
            break;
        case GROUP_LIVES: m_nLives = stored.m_nCarryLives; break;
        case GROUP_MUSIC:
            if (stageMusic) *stageMusic = stored.m_nCarryBgm;
            break;
        default:
            CopyDefinitionGroup(g, definition, stored.m_Chara);
            // Graphic 0 is no graphic at all: the first one is shown instead.
            if (g == GROUP_GRAPHIC && definition.m_sGraphic == 0) definition.m_sGraphic = 1;
            break;
        }
    }
}

void cGameProgress::RestoreCarryOverExtra(int i, int* hp, int* sp)
{
    if (!m_bCarryOver) return;
    const cCarryOverData& stored = CheckedAt(m_CarryOver, i);
    if (Keeps(GROUP_HP) && CheckedAt(m_CarryFlags, GROUP_HP) && hp) *hp = stored.m_nCarryHp;
    if (Keeps(GROUP_SP) && CheckedAt(m_CarryFlags, GROUP_SP) && sp) *sp = stored.m_nCarrySp;
}

void cGameProgress::ClearCarryOverFlags()
{
    const std::vector<uint8_t>& reset = SystemData.m_CarryOverReset;
    for (int g = 0; g < static_cast<int>(reset.size()); ++g)
        if (reset[g]) CheckedAt(m_CarryFlags, g) = 0;
}
