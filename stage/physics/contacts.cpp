// Bodies against block characters: standing and riding on them, being
// pushed by them from the sides, from above and from below, and being
// crushed between them. Each block character a character touches proposes
// where the character should be; the proposals are then applied in a fixed
// order.
#include <algorithm>

#include "app/base/log.h"
#include "records/flow_labels.h"
#include "stage/physics/block_collision.h"
#include "stage/hits/hits.h"
#include "stage/objects/npc.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_containers.h"

namespace {

constexpr int BACK_OUT_STEPS = 15;
constexpr double BACK_OUT_STEP = 0.1;
constexpr int FEET_STRIP = 5;

bool TakesPart(const cNpc& x, const cChara& chara)
{
    return x.m_Def.m_bFullCellBoxes && !x.m_bDead && x.m_bActive && x.m_nRef != chara.m_nRef;
}

bool Overlaps(const cStageObject& x, const HITRECT& r) { return x.OverlapsRect(r.left, r.top, r.right, r.bottom); }

bool SavedOverlaps(const cChara& x, const HITRECT& r)
{
    const double* s = x.m_SavedRect;
    return s[0] <= r.right && s[2] >= r.left && s[1] <= r.bottom && s[3] >= r.top;
}

HITRECT RectOf(const cStageObject& o) { return {o.m_dLeft, o.m_dTop, o.m_dRight, o.m_dBottom}; }
HITRECT SavedRectOf(const cChara& c) { return {c.m_SavedRect[0], c.m_SavedRect[1], c.m_SavedRect[2], c.m_SavedRect[3]}; }

// How far a rectangle reaches into a block character, on one axis.
double Depth(double low, double high, double xLow, double xHigh)
{
    return (high >= xLow && xLow > low) ? high - xLow + 1 : xHigh - low + 1;
}
double DepthX(const HITRECT& r, const cStageObject& x) { return Depth(r.left, r.right, x.m_dLeft, x.m_dRight); }
double DepthY(const HITRECT& r, const cStageObject& x) { return Depth(r.top, r.bottom, x.m_dTop, x.m_dBottom); }

// A proposed new left or top, from one block character.
struct PROPOSAL {
    bool bSet = false;
    double dValue = 0;
    cNpc* lpFrom = nullptr;

    // Kept when it is the first, or beyond the one proposed (larger or smaller).
    void Offer(double value, cNpc& from, bool larger)
    {
        if (bSet && (larger ? value <= dValue : value >= dValue)) return;
        bSet = true;
        dValue = value;
        lpFrom = &from;
    }
    double Speed(bool vertical) const { return vertical ? lpFrom->m_dVy : lpFrom->m_dVx; }
};

struct PROPOSALS {
    PROPOSAL left, right, head, landing;
};

void SetLeft(cChara& c, double left)
{
    c.m_dLeft = left;
    c.ClampX();
}

void SetTop(cChara& c, double top)
{
    c.m_dTop = top;
    c.ClampY();
}

bool PushedByRidden(const cChara& c, const PROPOSAL& p) { return c.m_bRiding && p.lpFrom->m_nRef == c.m_nRideRef; }

void RememberRide(cChara& c, const cNpc& x)
{
    c.m_nRideRef = x.m_nRef;
    c.m_RideRect[0] = x.m_dLeft;
    c.m_RideRect[1] = x.m_dTop;
    c.m_RideRect[2] = x.m_dRight;
    c.m_RideRect[3] = x.m_dBottom;
}

// The line tests of one block character against the character's edges:
// top and bottom (vertical) or left and right lines, without their corners.
void ProposeVertical(cChara& c, cNpc& x, PROPOSALS& p)
{
    double l = c.m_dLeft, t = c.m_dTop, r = c.m_dRight, b = c.m_dBottom;
    if (x.OverlapsRect(l + 1, t, r - 1, t)) {
        c.LRUD[LRUD_UP] = 1;
        p.head.Offer(x.m_dBottom + 1, x, true);
    }
    if (x.OverlapsRect(l + 1, b, r - 1, b)) {
        c.LRUD[LRUD_DOWN] = 1;
        p.landing.Offer(x.m_dTop - c.m_nHitH, x, false);
    }
}

void ProposeHorizontal(cChara& c, cNpc& x, PROPOSALS& p)
{
    double l = c.m_dLeft, t = c.m_dTop, r = c.m_dRight, b = c.m_dBottom;
    if (x.OverlapsRect(l, t + 1, l, b - 1)) {
        c.LRUD[LRUD_LEFT] = 1;
        p.left.Offer(x.m_dRight + 1, x, true);
    }
    if (x.OverlapsRect(r, t + 1, r, b - 1)) {
        c.LRUD[LRUD_RIGHT] = 1;
        p.right.Offer(x.m_dLeft - c.m_nHitW, x, false);
    }
}

// The crush test, the back-out from solid blocks and the end of riding,
// common to walking and flying characters; 2 when crushed.
int FinishContacts(cChara& c, const HITRECT& start, bool landed)
{
    if ((c.LRUD[LRUD_LEFT] && c.LRUD[LRUD_RIGHT]) || (c.LRUD[LRUD_UP] && c.LRUD[LRUD_DOWN]) ||
        IsEnclosedByBlockCharas(c, start))
        return 2;
    struct Back {
        int contact;
        double dx, dy;
    };
    const Back backs[] = {{LRUD_LEFT, -BACK_OUT_STEP, 0}, {LRUD_RIGHT, BACK_OUT_STEP, 0},
                          {LRUD_UP, 0, -BACK_OUT_STEP}, {LRUD_DOWN, 0, BACK_OUT_STEP}};
    for (const Back& back : backs) {
        if (!c.LRUD[back.contact]) continue;
        for (int i = 0; i < BACK_OUT_STEPS && c.HitsBlock(); ++i) {
            if (back.dx != 0) SetLeft(c, c.m_dLeft + back.dx);
            else SetTop(c, c.m_dTop + back.dy);
        }
    }
    if (!c.m_bRiding || landed) return 0;
    if (c.m_dKnockY < 0) {
        c.StopVertical(1);
        return 0;
    }
    const cNpc* ridden = nullptr;
    if (IsOnRiddenBlockChara(c)) {
        for (const cNpc& x : CharaList)
            if (x.m_nRef == c.m_nRideRef) {
                ridden = &x;
                break;
            }
        if (!ridden) return 0;
    } else {
        ridden = FindBlockCharaUnderFeet(c);
        if (!ridden) {
            c.StopVertical(1);
            return 0;
        }
    }
    c.m_nNoGroundSteps = 0;
    c.m_bKnockback = 0;
    RememberRide(c, *ridden);
    return 0;
}

void FireContactTriggers(cChara& c, bool touched)
{
    if (!touched && !c.m_bRiding) return;
    c.FireTrigger(TRIGGER_HIT_BLOCK_CHARA);
    if (c.m_bRiding) c.FireTrigger(TRIGGER_ON_BLOCK_CHARA);
}

// A push on a flying body along one axis (vertical: up or down). A pusher
// that moves away from the body (fromHigh: the pusher is right of or below
// it) while the body does not follow lets it slide out along the other axis
// instead: false then.
bool FlyingPush(cChara& c, std::list<cNpc>& list, const PROPOSAL& p, int contact, bool vertical, bool fromHigh)
{
    const double pusher = p.Speed(vertical), own = vertical ? c.m_dVy : c.m_dVx;
    (vertical ? c.m_dAy : c.m_dAx) = 0;
    bool yields = fromHigh ? (pusher > 0 && !(own > 0)) : (pusher < 0 && !(own < 0));
    if (yields) {
        c.LRUD[contact] = 0;
        PushOutOfBlockCharas(c, list, !vertical);
        return false;
    }
    if (vertical) {
        SetTop(c, p.dValue);
    } else {
        SetLeft(c, p.dValue);
        c.m_bStoppedByChara = 1;
    }
    return true;
}

int CollideFlying(cChara& c, std::list<cNpc>& list)
{
    const HITRECT start = RectOf(c);
    PROPOSALS p;
    bool touched = false;
    for (cNpc& x : list) {
        if (!TakesPart(x, c) || !Overlaps(x, start)) continue;
        touched = true;
        if (DepthX(start, x) > DepthY(start, x)) ProposeVertical(c, x, p);
        else ProposeHorizontal(c, x, p);
    }
    if (touched) c.FireTrigger(TRIGGER_HIT_BLOCK_CHARA);
    if (c.m_cBlockMode == BLOCKMODE_KILL) {
        return (p.left.bSet || p.right.bSet || p.head.bSet || p.landing.bSet) ? 2 : 0;
    }
    if (p.left.bSet) FlyingPush(c, list, p.left, LRUD_LEFT, false, false);
    if (p.right.bSet) FlyingPush(c, list, p.right, LRUD_RIGHT, false, true);
    if (p.head.bSet) FlyingPush(c, list, p.head, LRUD_UP, true, false);
    if (p.landing.bSet && !FlyingPush(c, list, p.landing, LRUD_DOWN, true, true)) return 0;
    if (c.m_bRiding) {
        c.FireTrigger(TRIGGER_HIT_BLOCK_CHARA);
        c.FireTrigger(TRIGGER_ON_BLOCK_CHARA);
    }
    return FinishContacts(c, start, false);
}

// Places a walking character under the first block character over its upper
// half, as when it bumps its head into it.
void PlaceUnderFirst(cChara& c, const std::list<cNpc>& list, bool upContact)
{
    const HITRECT upper{c.m_dLeft, c.m_dTop, c.m_dRight, c.m_dTop + c.m_nHitH / 2};
    for (const cNpc& x : list) {
        if (!TakesPart(x, c) || !Overlaps(x, upper)) continue;
        if (upContact && x.m_dVy > 0) c.LRUD[LRUD_UP] = 1;
        c.m_dAy = 0;
        c.m_bJumpLocked = c.m_bJumping = c.m_bJumpCut = 1;
        c.m_dVy = x.m_dVy;
        SetTop(c, x.m_dBottom + 1);
        return;
    }
}

void ProposeSide(cChara& c, cNpc& x, bool right, PROPOSALS& p)
{
    if (right) {
        c.LRUD[LRUD_RIGHT] = 1;
        p.right.Offer(x.m_dLeft - c.m_nHitW - 0.5, x, false);
    } else {
        c.LRUD[LRUD_LEFT] = 1;
        p.left.Offer(x.m_dRight + 1.5, x, true);
    }
}

// A block character under the feet: the highest wins.
void ProposeLanding(cChara& c, cNpc& x, PROPOSALS& p)
{
    if (x.m_dVy < 0) c.LRUD[LRUD_DOWN] = 1;
    p.landing.Offer(x.m_dTop - c.m_nHitH, x, false);
}

void Land(cChara& c, cNpc& x, double top)
{
    c.m_dAy = 0;
    if (!c.m_bRiding) {
        c.m_bRiding = 1;
        if (c.m_nSide == 0) x.FireTrigger(TRIGGER_RIDDEN_BY_HERO);
        x.FireTrigger(TRIGGER_RIDDEN_BY_CHARA);
    }
    SetTop(c, top);
    c.m_dVy = 0;
    c.m_nNoGroundSteps = 0;
    c.m_bJumping = c.m_bJumpLocked = c.m_bInAir = c.m_bKnockback = 0;
    if (c.m_nSide != 0) c.m_bJumpCut = 0;
    else if (auto* player = dynamic_cast<cPlayer*>(&c)) player->m_bNoJumpBlock = 0;
    RememberRide(c, x);
}

int CollideWalking(cChara& c, std::list<cNpc>& list)
{
    const HITRECT start = RectOf(c);
    const double l = c.m_dLeft, t = c.m_dTop, r = c.m_dRight, b = c.m_dBottom;
    const int h = c.m_nHitH;
    const HITRECT upper{l, t, r, t + h / 2};
    const HITRECT lowerThird{l + 1, b - h / 3, r - 1, b};
    const double scale = SubStepCount();
    const double landingSpeed = 2 / scale, headMargin = 0.4 / scale;
    const HITRECT saved = SavedRectOf(c);
    const HITRECT mixed{saved.left, t, saved.right, b};
    PROPOSALS p;
    bool touched = false;

    for (cNpc& x : list) {
        if (!TakesPart(x, c) || !Overlaps(x, start)) continue;
        touched = true;
        if (Overlaps(x, upper)) {
            double ox = DepthX(upper, x), oy = DepthY(upper, x);
            if (c.m_dVy > landingSpeed && SavedOverlaps(x, mixed) && saved.top < x.m_SavedRect[1]) {
                TraceLog("D Hit");
                ProposeLanding(c, x, p);
                continue;
            }
            if ((ox - oy > headMargin && b > x.m_dBottom) ||
                (SavedOverlaps(x, mixed) && saved.top > x.m_SavedRect[1] && !Overlaps(x, saved))) {
                if (x.m_dVy > 0) c.LRUD[LRUD_UP] = 1;
                p.head.Offer(x.m_dBottom + 1, x, true);
                if (c.m_bRiding && c.m_dVy < 0) c.LRUD[LRUD_DOWN] = 1;
                continue;
            }
            const HITRECT rightLine{r, t, r, t + h / 2}, leftLine{l, t, l, t + h / 2};
            bool rightFirst = c.m_dVx >= 0;
            const HITRECT& firstLine = rightFirst ? rightLine : leftLine;
            const HITRECT& secondLine = rightFirst ? leftLine : rightLine;
            if (Overlaps(x, firstLine)) ProposeSide(c, x, rightFirst, p);
            else if (Overlaps(x, secondLine)) ProposeSide(c, x, !rightFirst, p);
            continue;
        }
        if (DepthX(start, x) < DepthY(start, x)) {
            const HITRECT rightLine{r, t, r, b}, leftLine{l, t, l, b};
            if (Overlaps(x, rightLine)) ProposeSide(c, x, true, p);
            if (Overlaps(x, leftLine)) ProposeSide(c, x, false, p);
        } else if (Overlaps(x, lowerThird)) {
            ProposeLanding(c, x, p);
        }
    }

    bool landed = false, sidesDone = false;
    const bool bothSides = p.left.bSet && p.right.bSet;
    if (p.landing.bSet || !p.head.bSet) {
        if (bothSides && !p.landing.bSet) {
            PlaceUnderFirst(c, list, false);
            c.LRUD[LRUD_LEFT] = c.LRUD[LRUD_RIGHT] = 0;
            sidesDone = true;
        } else if (p.landing.bSet && !bothSides) {
            if (p.landing.lpFrom->m_dVy > 0 && c.HitsBlock()) {
                c.m_bRiding = 0;
            } else {
                Land(c, *p.landing.lpFrom, p.landing.dValue);
                landed = true;
            }
        }
    } else if (p.head.lpFrom->m_dVy < 0) {
        const HITRECT pushed{c.m_dLeft, p.head.dValue, c.m_dRight, c.m_dBottom};
        if (!c.HitsBlock() && !OverlapsBlockCharaRange(c, list, pushed, p.head.lpFrom->m_nRef)) {
            c.m_bJumpLocked = c.m_bJumping = c.m_bJumpCut = 1;
            c.m_dAy = 0;
            c.m_dVy = p.head.lpFrom->m_dVy;
            SetTop(c, p.head.dValue);
            CheckFloorAndCeiling(c);
        }
    }
    if (!sidesDone) {
        for (const PROPOSAL* side : {&p.left, &p.right}) {
            if (!side->bSet) continue;
            c.m_dAx = 0;
            if (!PushedByRidden(c, *side)) c.m_bStoppedByChara = 1;
            SetLeft(c, side->dValue);
        }
        if (bothSides && !p.landing.bSet) {
            SetLeft(c, start.left);
            PlaceUnderFirst(c, list, true);
            c.LRUD[LRUD_LEFT] = c.LRUD[LRUD_RIGHT] = 0;
        }
    }
    FireContactTriggers(c, touched);
    return FinishContacts(c, start, landed);
}

} // namespace

int CollideWithCharacters(cChara& chara, std::list<cNpc>& list)
{
    if (chara.m_bNoGravity && chara.m_cBlockMode == BLOCKMODE_PASS) return 0;
    if (chara.m_bNoGravity) return CollideFlying(chara, list);
    return CollideWalking(chara, list);
}

bool OverlapsBlockCharaRange(const cChara& chara, const std::list<cNpc>& list, const HITRECT& rect, int excludedRef)
{
    return std::any_of(list.begin(), list.end(), [&](const cNpc& x) {
        return TakesPart(x, chara) && x.m_nRef != excludedRef && Overlaps(x, rect);
    });
}

static HITRECT FeetStrip(const cChara& c) { return {c.m_dLeft, c.m_dBottom, c.m_dRight, c.m_dBottom + FEET_STRIP}; }

bool IsOnRiddenBlockChara(const cChara& chara)
{
    const HITRECT strip = FeetStrip(chara);
    const double* r = chara.m_RideRect;
    return r[0] <= strip.right && r[2] >= strip.left && r[1] <= strip.bottom && r[3] >= strip.top;
}

cNpc* FindBlockCharaUnderFeet(const cChara& chara)
{
    const HITRECT strip = FeetStrip(chara);
    for (cNpc& x : CharaList)
        if (TakesPart(x, chara) && Overlaps(x, strip)) return &x;
    return nullptr;
}

void PushOutOfBlockCharas(cChara& chara, std::list<cNpc>& list, bool vertical)
{
    const HITRECT rect = RectOf(chara);
    PROPOSALS p;
    for (cNpc& x : list) {
        if (!TakesPart(x, chara) || DepthX(rect, x) == 0) continue;
        if (vertical) ProposeVertical(chara, x, p);
        else ProposeHorizontal(chara, x, p);
    }
    if (vertical) {
        if (p.head.bSet) SetTop(chara, p.head.dValue);
        if (p.landing.bSet) SetTop(chara, p.landing.dValue);
        return;
    }
    for (const PROPOSAL* side : {&p.left, &p.right}) {
        if (!side->bSet) continue;
        SetLeft(chara, side->dValue);
        if (!PushedByRidden(chara, *side)) chara.m_bStoppedByChara = 1;
    }
}

bool IsEnclosedByBlockCharas(const cChara& chara, const HITRECT& start)
{
    auto inside = [&](double x, double y) {
        return std::any_of(CharaList.begin(), CharaList.end(),
                           [&](const cNpc& b) { return TakesPart(b, chara) && b.OverlapsRect(x, y, x, y); });
    };
    const HITRECT now = RectOf(chara);
    for (int corner = 0; corner < 4; ++corner) {
        bool right = corner & 1, bottom = corner & 2;
        auto at = [&](const HITRECT& r) {
            return inside(right ? r.right : r.left, bottom ? r.bottom - 1 : r.top);
        };
        if (!at(now) && !at(start)) return false;
    }
    return true;
}
