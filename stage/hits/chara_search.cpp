#include "stage/hits/chara_search.h"

#include <cstdlib>

#include "files/stage_file.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_containers.h"

namespace {

bool Passes(const cChara& c, const CHARAFILTER& f)
{
    if (f.bById && c.m_Def.m_cCharaId != static_cast<signed char>(f.nId)) return false;
    if (f.bSkipRef && c.m_nRef == f.nRef) return false;
    if (f.bSkipInvincible1 && c.m_Def.m_cInvincible == 1) return false;
    if (f.bSkipInvincible2 && c.m_Def.m_cInvincible == 2) return false;
    if (f.bSkipBlockChara && c.m_Def.m_bFullCellBoxes) return false;
    return true;
}

// The nearest among the characters whose on-screen flag is onScreen
// (either, when onScreen is -1).
cChara* Nearest(int x, int y, const CharaPtrList& list, int onScreen, const CHARAFILTER& f)
{
    cChara* best = nullptr;
    long long bestDistance = 2147483647;
    for (cChara* c : list) {
        if (!c || !c->m_bActive || c->m_bDead || !Passes(*c, f)) continue;
        if (onScreen != -1 && (c->m_bOnScreen != 0) != (onScreen != 0)) continue;
        long long distance = std::llabs(static_cast<long long>(c->ScreenCentreX()) - x) +
                             std::llabs(static_cast<long long>(c->ScreenCentreY()) - y);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = c;
        }
    }
    return best;
}

} // namespace

cChara* FindFirstChara(const CharaPtrList& list, const CHARAFILTER& filter)
{
    for (cChara* c : list)
        if (c && !c->m_bDead && Passes(*c, filter)) return c;
    return nullptr;
}

cChara* FindNearestChara(int x, int y, const CharaPtrList& list, int mode, const CHARAFILTER& filter)
{
    switch (mode) {
    case NEAREST_ONSCREEN_FIRST:
        if (cChara* c = Nearest(x, y, list, 1, filter)) return c;
        return Nearest(x, y, list, 0, filter);
    case NEAREST_ALL:
        return Nearest(x, y, list, -1, filter);
    case NEAREST_ONSCREEN:
        return Nearest(x, y, list, 1, filter);
    default:
        return nullptr;
    }
}

cChara* FindNearestToCentre(const cStageObject& self, const CharaPtrList& list)
{
    CHARAFILTER filter;
    filter.bSkipInvincible2 = 1;
    int mode = StageData.m_bOnScreenOnly ? NEAREST_ONSCREEN : NEAREST_ONSCREEN_FIRST;
    return FindNearestChara(self.ScreenCentreX(), self.ScreenCentreY(), list, mode, filter);
}

cChara* FindCharaByRef(int ref)
{
    for (cPlayer& player : Player)
        if (player.m_nRef == ref) return &player;
    for (cNpc& chara : CharaList)
        if (chara.m_nRef == ref) return &chara;
    return nullptr;
}
