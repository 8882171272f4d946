// The hits between hit layers, in three passes a sub-step: shots against
// characters, characters against characters, shots against shots. Objects
// of the same hit layer never meet.
#include <algorithm>
#include <list>
#include <vector>

#include "files/stage_file.h"
#include "records/flow_labels.h"
#include "records/record_list.h"
#include "stage/hits/hits.h"
#include "stage/objects/item.h"
#include "stage/objects/npc.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

enum { SE_HIT = 7, SE_DEFEAT = 9 };

bool OnScreenOnly() { return StageData.m_bOnScreenOnly != 0; }

bool IsBlockChara(const cChara& chara) { return chara.m_Def.m_bFullCellBoxes != 0; }

// Shots meet characters in every sub-step, or, when the stage limits the
// passes a frame, in the sub-steps its schedule flags.
bool ShotPassDue(const cStageWorld& world)
{
    if (StageData.m_nShotHitPasses <= 0) return true;
    int i = world.m_nSubStep - 1;
    return i >= 0 && i < static_cast<int>(world.m_HitSchedule.size()) && world.m_HitSchedule[static_cast<size_t>(i)];
}

// Out of its hit layer's list and out of the shot list, and destroyed.
void RemoveShot(cStageWorld& world, cShot* shot)
{
    for (auto& layer : world.m_ShotLayers) layer.remove(shot);
    ListEraseElement(world.m_ShotList, shot);
}

bool AlreadyHit(const cShot& shot, const cChara* chara)
{
    return std::find(shot.m_HitList.begin(), shot.m_HitList.end(), chara) != shot.m_HitList.end();
}

// A died character: the computer's side sounds its defeat; the outcome.
int Defeated(cStageWorld& world, cChara& chara)
{
    if (chara.m_nSide != 0) StageHost().PlaySE(SE_DEFEAT);
    return DefeatOutcome(world, chara);
}

// The item a shot leaves on a hit, given to the player at once.
int ApplyShotItem(cStageWorld& world, const cEdShot& record)
{
    const cItemData* def = FindItemPaletteEntry(record.m_cHitItemSource, record.m_sHitItem);
    if (!def || Player.empty()) return 0;
    cItem item;
    item.Setup(0, *def, 1);
    item.m_bActive = 1;
    return world.ApplyItem(&item, &Player[P1]);
}

bool CanBeShot(const cChara& chara)
{
    return (!OnScreenOnly() || chara.m_bOnScreen) && chara.m_bActive && !chara.m_bDead &&
           chara.m_Def.m_cInvincible != 2;
}

// One shot against one character; sets used when the shot is used up, and
// acted when anything may have changed (the character's trigger fired).
int ShotHitsChara(cStageWorld& world, cShot& shot, cChara& chara, bool& used, bool& acted)
{
    if (!CanBeShot(chara)) return 0;
    const HITRECT& box = chara.m_ShotBox.rect;
    if (!box.Overlaps(shot.m_HitBox.rect) || AlreadyHit(shot, &chara)) return 0;
    acted = true;
    chara.FireTrigger(TRIGGER_HIT_SHOT);
    const cEdShot& record = shot.m_EdShot;
    if ((record.m_nPower == 0 && record.m_cImpact == 0 && record.m_cHitItemSource == 0) || chara.IsInvincible())
        return 0;
    if (chara.DamageByShot(world, shot)) {
        if (int outcome = Defeated(world, chara)) return outcome;
    } else {
        StageHost().PlaySE(SE_HIT);
        chara.StartInvincible();
    }
    // A sword stays and hits each character once; a shot flies on through
    // what it pierces.
    bool pierce = !shot.m_bChip || (IsBlockChara(chara) ? record.m_cPierceBlockChara == 1 : record.m_cPierceChara == 1);
    if (pierce) shot.m_HitList.push_back(&chara);
    else used = true;
    return ApplyShotItem(world, record);
}

// A character of a hit layer with one of its boxes as it was taken.
struct TAKENBOX {
    HITRECT box;
    std::list<cChara*>::iterator at;
};

// The characters of a layer from the given one on that can take part, with
// the box that meets, in the layer's order. While nothing acts they stay as
// taken: the other side need only be tested against these boxes, in one run
// through packed memory.
template <class TakesPart>
void TakeBoxes(std::list<cChara*>& charas, std::list<cChara*>::iterator from, HITBOX cChara::*box, TakesPart takesPart,
               std::vector<TAKENBOX>& out)
{
    out.clear();
    for (auto it = from; it != charas.end(); ++it)
        if (takesPart(**it)) out.push_back({((*it)->*box).rect, it});
}

void TakeShotTargets(std::list<cChara*>& charas, std::list<cChara*>::iterator from, std::vector<TAKENBOX>& out)
{
    TakeBoxes(charas, from, &cChara::m_ShotBox, CanBeShot, out);
}

int ShotsAgainstCharas(cStageWorld& world)
{
    const int shotLayers = static_cast<int>(world.m_ShotLayers.size());
    const int charaLayers = static_cast<int>(world.m_CharaLayers.size());
    // Each layer's targets, taken anew after anything has acted.
    std::vector<std::vector<TAKENBOX>> targets(static_cast<size_t>(charaLayers));
    std::vector<char> taken(static_cast<size_t>(charaLayers), 0);
    std::vector<TAKENBOX> rest;
    for (int s = 0; s < shotLayers; ++s) {
        for (int c = 0; c < charaLayers; ++c) {
            auto& shots = world.m_ShotLayers[static_cast<size_t>(s)];
            auto& charas = world.m_CharaLayers[static_cast<size_t>(c)];
            if (c == s || shots.empty() || charas.empty()) continue;
            for (auto it = shots.begin(); it != shots.end();) {
                cShot* shot = *it++;
                if (OnScreenOnly() && !shot->m_bOnScreen) continue;
                std::vector<TAKENBOX>& layer = targets[static_cast<size_t>(c)];
                if (!taken[static_cast<size_t>(c)]) {
                    TakeShotTargets(charas, charas.begin(), layer);
                    taken[static_cast<size_t>(c)] = 1;
                }
                bool used = false;
                const std::vector<TAKENBOX>* list = &layer;
                for (size_t k = 0; k < list->size(); ++k) {
                    const TAKENBOX& target = (*list)[k];
                    if (!target.box.Overlaps(shot->m_HitBox.rect)) continue;
                    bool acted = false;
                    const auto at = target.at;
                    if (int outcome = ShotHitsChara(world, *shot, **at, used, acted)) return outcome;
                    if (!acted) continue;
                    // The trigger may have changed anything: the rest of the
                    // layer is taken again for this shot, all of it for the next.
                    std::fill(taken.begin(), taken.end(), 0);
                    TakeShotTargets(charas, std::next(at), rest);
                    list = &rest;
                    k = static_cast<size_t>(-1);
                }
                if (used) RemoveShot(world, shot);
            }
        }
    }
    return 0;
}

bool MeetsBody(const cChara& chara)
{
    return !IsBlockChara(chara) && chara.m_bActive && !chara.m_bDead && (!OnScreenOnly() || chara.m_bOnScreen);
}

// After a body hit: a died character's outcome, or invincibility against the other.
int AfterBodyHit(cStageWorld& world, cChara& chara, int died, const cChara& other)
{
    if (died) return Defeated(world, chara);
    chara.StartInvincibleAgainst(other.m_nRef);
    return 0;
}

int CharaHitsChara(cStageWorld& world, cChara& n, cChara& p)
{
    n.FireTrigger(TRIGGER_HIT_CHARA);
    p.FireTrigger(TRIGGER_HIT_CHARA);
    auto harms = [](const cChara& a) { return a.m_Def.m_nPower != 0 || a.m_Def.m_cImpact != 0; };
    bool hitN = harms(p) && !n.IsInvincibleAgainst(p.m_nRef);
    int diedN = hitN ? n.DamageByChara(world, p) : 0;
    bool hitP = harms(n) && !p.IsInvincibleAgainst(n.m_nRef);
    int diedP = hitP ? p.DamageByChara(world, n) : 0;
    if (hitN || hitP) StageHost().PlaySE(SE_HIT);
    if (hitN)
        if (int outcome = AfterBodyHit(world, n, diedN, p)) return outcome;
    if (hitP)
        if (int outcome = AfterBodyHit(world, p, diedP, n)) return outcome;
    return 0;
}

// Every pair of layers i < j that both hold objects; stops at the first
// non-zero result of visit.
template <class T, class Visit>
int ForLayerPairs(std::vector<std::list<T*>>& layers, Visit visit)
{
    for (size_t i = 0; i < layers.size(); ++i)
        for (size_t j = i + 1; j < layers.size(); ++j) {
            if (layers[i].empty() || layers[j].empty()) continue;
            if (int result = visit(layers[i], layers[j])) return result;
        }
    return 0;
}

void TakeBodies(std::list<cChara*>& charas, std::list<cChara*>::iterator from, std::vector<TAKENBOX>& out)
{
    TakeBoxes(charas, from, &cChara::m_HitBox, MeetsBody, out);
}

int CharasAgainstCharas(cStageWorld& world)
{
    std::vector<TAKENBOX> bodies, rest;
    return ForLayerPairs(world.m_CharaLayers, [&](std::list<cChara*>& first, std::list<cChara*>& second) {
        bool taken = false;
        for (cChara* n : first) {
            // Every hit fires triggers, which may change anything: the rest
            // of the second layer is taken again, all of it for the next one.
            if (!MeetsBody(*n)) continue;
            if (!taken) {
                TakeBodies(second, second.begin(), bodies);
                taken = true;
            }
            const std::vector<TAKENBOX>* list = &bodies;
            for (size_t k = 0; k < list->size(); ++k) {
                const TAKENBOX& p = (*list)[k];
                if (!n->m_HitBox.rect.Overlaps(p.box)) continue;
                const auto at = p.at;
                if (int outcome = CharaHitsChara(world, *n, **at)) return outcome;
                taken = false;
                if (!MeetsBody(*n)) break;
                TakeBodies(second, std::next(at), rest);
                list = &rest;
                k = static_cast<size_t>(-1);
            }
        }
        return 0;
    });
}

bool ShotsOverlap(const cShot& a, const cShot& b)
{
    return a.OverlapsRect(b.m_dLeft, b.m_dTop, b.m_dRight, b.m_dBottom);
}

bool AnyClashes(const std::list<cShot*>& layer)
{
    return std::any_of(layer.begin(), layer.end(), [](const cShot* shot) { return shot->m_EdShot.m_bClash != 0; });
}

void ShotsAgainstShots(cStageWorld& world)
{
    ForLayerPairs(world.m_ShotLayers, [&world](std::list<cShot*>& first, std::list<cShot*>& second) {
        // Two shots meet only when one of them clashes. Nothing but a clash
        // removes a shot here, so a layer without clashing shots keeps none.
        const bool secondClashes = AnyClashes(second);
        if (!secondClashes && !AnyClashes(first)) return 0;
        for (auto sIt = first.begin(); sIt != first.end();) {
            cShot* s = *sIt++;
            if (!secondClashes && !s->m_EdShot.m_bClash) continue;
            bool sGone = false;
            for (auto rIt = second.begin(); rIt != second.end();) {
                cShot* r = *rIt++;
                bool sClash = s->m_EdShot.m_bClash != 0, rClash = r->m_EdShot.m_bClash != 0;
                if ((!sClash && !rClash) || !ShotsOverlap(*s, *r)) continue;
                bool rGone;
                if (sClash && rClash) {
                    int sStrength = s->m_EdShot.m_cClashStrength, rStrength = r->m_EdShot.m_cClashStrength;
                    sGone = sGone || sStrength <= rStrength;
                    rGone = rStrength <= sStrength;
                } else {
                    sGone = sGone || sClash;
                    rGone = rClash;
                }
                if (rGone) RemoveShot(world, r);
            }
            if (sGone) RemoveShot(world, s);
        }
        return 0;
    });
}

} // namespace

int ResolveCharacterHits(cStageWorld& world, std::list<cNpc>&)
{
    if (ShotPassDue(world))
        if (int outcome = ShotsAgainstCharas(world)) return outcome;
    if (int outcome = CharasAgainstCharas(world)) return outcome;
    ShotsAgainstShots(world);
    return 0;
}
