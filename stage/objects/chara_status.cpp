// HP and SP with their gauges, and knock-back.
#include <algorithm>
#include <cstdint>

#include "stage/objects/chara.h"
#include "stage/objects/shot.h"

namespace {

// HP or SP after a change: a gain is cut to what is missing, the result kept
// in 0..max.
int Changed(int value, int max, int& delta)
{
    if (delta > 0 && delta > max - value) delta = max - value;
    int64_t v = static_cast<int64_t>(value) + delta;
    if (v > max) v = max;
    if (v < 0) v = 0;
    return static_cast<int>(v);
}

void StartGauge(GAUGEANIM& gauge, int value, int max, int delta)
{
    // A gauge shows a share of the maximum: without one there is nothing to show.
    if (delta == 0 || max <= 0) return;
    gauge.nFrames = 120;
    gauge.nBar = static_cast<int>(static_cast<int64_t>(value) * GAUGE_LENGTH / max);
    gauge.dLength = static_cast<double>(delta) * GAUGE_LENGTH / max;
    gauge.dStep = gauge.dLength / 60;
}

// The sign of a value, values within 1e-8 of 0 counting as 0.
int SignOf(double v) { return v > 1e-8 ? 1 : (v < -1e-8 ? -1 : 0); }

bool Opposed(double a, double b) { return SignOf(a) * SignOf(b) < 0; }

void DecayToward0(double& v)
{
    if (v == 0) return;
    double step = 1.0 / SubStepCount();
    if (v > 0) v = v - step < 0 ? 0 : v - step;
    else v = v + step > 0 ? 0 : v + step;
}

} // namespace

int cChara::ChangeHp(int delta, int force, int animate)
{
    if (!force && delta <= 0 && m_Def.m_cInvincible) return 0;
    m_nHp = Changed(m_nHp, m_Def.m_nMaxHp, delta);
    if (m_nHp <= 0) {
        m_nHp = 0;
        return 1;
    }
    if (animate) StartHpGauge(delta);
    return 0;
}

void cChara::ChangeSp(int delta, int animate)
{
    m_nSp = Changed(m_nSp, m_Def.m_nMaxSp, delta);
    if (animate) StartSpGauge(delta);
}

void cChara::StartHpGauge(int delta) { StartGauge(m_HpGauge, m_nHp, m_Def.m_nMaxHp, delta); }

void cChara::StartSpGauge(int delta) { StartGauge(m_SpGauge, m_nSp, m_Def.m_nMaxSp, delta); }

void cChara::Impact(int8_t imp, double dirX, double dirY)
{
    if (imp == 0) return;
    int resist = m_Def.m_cImpactResist;
    int8_t amount;
    if (imp < 0) amount = static_cast<int8_t>(std::clamp<int>(static_cast<int8_t>(imp + resist), -20, 0));
    else amount = static_cast<int8_t>(std::clamp<int>(static_cast<int8_t>(imp - resist), 0, 20));
    ImpactSpeeds(m_dKnockX, m_dKnockY, amount, dirX, dirY);
    if (Opposed(m_dAx, m_dKnockX)) m_dAx = 0;
    if (Opposed(m_dAy, m_dKnockY)) m_dAy = 0;
    if (Opposed(m_dVy, m_dKnockY)) m_dVy = 0;
    m_bKnockback = 1;
}

void cChara::ImpactFromChara(const cChara& attacker)
{
    // The attacker's fall counts only when it flies or drops onto this one.
    double fallSpeed = 8.0 * SubStepCount() * GravityStep();
    double dy = (attacker.m_Def.m_cFlying || attacker.m_dVy >= fallSpeed) ? attacker.m_dVy : 0;
    Impact(attacker.m_Def.m_cImpact, attacker.m_dVx, dy);
}

void cChara::ImpactFromShot(const cShot& shot)
{
    if (shot.m_bChip) Impact(shot.m_EdShot.m_cImpact, shot.m_dVx, shot.m_dVy);
    else Impact(shot.m_EdShot.m_cImpact, shot.FacingSign(), 0);
}

void cChara::ApplyKnockbackY()
{
    if (m_dKnockY != 0) {
        if (m_bNoGravity) m_dVy += m_dKnockY;
        else if (m_dKnockY > 0 && IsOnGround()) m_dKnockY = 0;
        else m_dVy = m_dVy - m_dPrevKnockY + m_dKnockY;
    }
    m_dPrevKnockY = m_dKnockY;
}

void cChara::DecayImpactX() { DecayToward0(m_dKnockX); }

void cChara::DecayImpactY() { DecayToward0(m_dKnockY); }
