#include "stage/scene/screen_tint.h"

namespace {

int Ramp(int strength, int frame, int duration)
{
    const double full = strength * 2.55;
    return static_cast<int>(255 - (duration > 0 ? full * frame / duration : full));
}

} // namespace

void cScreenTint::Set(const int values[8], int mode)
{
    const int back = values[4];
    if (back && mode == TINT_BLEND && !m_bRunning) return;
    if (back && mode == TINT_PALETTE && !m_bEverSet) return;
    m_nSavedRed = m_nRed;
    m_nSavedGreen = m_nGreen;
    m_nSavedBlue = m_nBlue;
    m_nSavedStrength = m_nStrength;
    m_nSavedAlpha = m_nAlpha;
    m_nRed = values[0];
    m_nGreen = values[1];
    m_nBlue = values[2];
    m_nStrength = values[3];
    m_bReturn = back;
    m_nDuration = values[5] * 6;
    m_nFlash = values[6];
    m_nRepeat = values[7];
    m_bRunning = 1;
    m_nFrame = 0;
    m_nRepeatsDone = 0;
    if (!back) {
        m_nAlpha = 0;
        m_bEverSet = 1;
    } else {
        m_nRed = m_nSavedRed;
        m_nGreen = m_nSavedGreen;
        m_nBlue = m_nSavedBlue;
        m_nStrength = m_nSavedStrength;
        m_nAlpha = m_nSavedAlpha;
    }
}

bool cScreenTint::Step(int frozen, int mode, int* level, int* red, int* green, int* blue)
{
    if (!m_bRunning) return false;
    if (mode == TINT_NONE) {
        m_bRunning = 0;
        return false;
    }
    *red = m_nRed;
    *green = m_nGreen;
    *blue = m_nBlue;
    int l;
    if (m_nFlash) {
        l = Ramp(m_nStrength, m_nFrame, m_nDuration);
        if (m_nFrame >= m_nDuration) {
            l = 255;
            if (!frozen) {
                m_nFrame = 0;
                if (++m_nRepeatsDone >= m_nRepeat) m_bRunning = 0;
            }
        } else if (!frozen) {
            ++m_nFrame;
        }
    } else if (m_bReturn) {
        *red = m_nSavedRed;
        *green = m_nSavedGreen;
        *blue = m_nSavedBlue;
        l = m_nDuration > 0 ? m_nSavedAlpha + (255 - m_nSavedAlpha) * m_nFrame / m_nDuration : 255;
        if (m_nFrame >= m_nDuration) m_bRunning = 0;
        else if (!frozen) ++m_nFrame;
    } else {
        l = Ramp(m_nStrength, m_nFrame < m_nDuration ? m_nFrame : m_nDuration, m_nDuration);
        if (m_nFrame >= m_nDuration) {
            if (m_nStrength == 0) m_bRunning = 0;
        } else if (!frozen) {
            ++m_nFrame;
        }
    }
    m_nAlpha = l;
    *level = l;
    return true;
}
