// Stand-ins for what the conditions, status operations and movements call of
// code that is still being written elsewhere: HP and SP changes and jump
// speeds of characters, the player's flying switch and box display, and the
// auto-scroll switch of a view axis. Each does what its owner's code will do
// as far as these callers need it; they leave once the owners' code exists.
#include <algorithm>
#include <cmath>

#include "files/stage_file.h"
#include "stage/chara.h"
#include "stage/player.h"
#include "stage/scroll_axis.h"

int cChara::ChangeHp(int delta, int force, int animate)
{
    int maximum = m_Def.m_nMaxHp;
    if (!force && delta <= 0 && m_Def.m_cInvincible != 0) return 0;
    if (delta > 0) delta = std::min(delta, maximum - m_nHp);
    m_nHp = std::clamp(m_nHp + delta, 0, std::max(maximum, 0));
    if (m_nHp <= 0) {
        m_nHp = 0;
        return 1;
    }
    return 0;
}

void cChara::ChangeSp(int delta, int animate)
{
    int maximum = m_Def.m_nMaxSp;
    if (delta > 0) delta = std::min(delta, maximum - m_nSp);
    m_nSp = std::clamp(m_nSp + delta, 0, std::max(maximum, 0));
}

double cChara::JumpSpeedForHeight(double h) const
{
    double g = StageData.m_dGravityStep;
    double v = (-g - std::sqrt(g * (8 * h + g))) / 2;
    if (m_nSide == 0) v *= 0.99 - 0.025 * StageData.m_dGravity;
    return v;
}

double cChara::JumpSpeedForHalfBlocks(int8_t n) const { return JumpSpeedForHeight(n * 16); }

int cChara::JumpApexFrames(double v)
{
    return static_cast<int>(StageData.m_nSubSteps - v / StageData.m_dGravityStep);
}

void cPlayer::SetFlying(int mode, int rescale)
{
    m_Def.m_cFlying = static_cast<int8_t>(mode);
    SetMode(mode);
}

void cPlayer::BuildBoxDisplay() {}

void cScrollAxis::SetAutoScroll(bool on, int value)
{
    m_bAutoScroll = on ? 1 : 0;
    m_dAutoSpeed = on ? value * 0.1 / StageData.m_dSpeedScale : 0;
}
