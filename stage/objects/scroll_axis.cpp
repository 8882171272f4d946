#include "stage/objects/scroll_axis.h"

#include <algorithm>

#include "files/stage_file.h"

void cScrollAxis::SetAutoScroll(bool on, int value)
{
    m_bAutoScroll = on ? 1 : 0;
    double scale = StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : 1;
    m_dAutoSpeed = on ? value * 0.1 / scale : 0;
}

void cScrollAxis::Clamp()
{
    if (m_dPos < m_nLower) {
        m_dPos = m_nLower;
        m_bAtEdge = 1;
    } else if (m_dPos + m_nViewSize < m_nUpper) {
        m_bAtEdge = 0;
    } else {
        m_dPos = std::max<double>(m_nLower, m_nUpper - m_nViewSize);
        m_bAtEdge = 1;
    }
}

void cScrollAxis::AutoScroll()
{
    m_dPos += m_dAutoSpeed;
    Clamp();
}

void cScrollAxis::SetRange(int lowerCell, int upperCell, bool useLower, bool useUpper)
{
    constexpr int CELL = 32;
    m_nLower = useLower ? m_nBase + lowerCell * CELL : m_nBase;
    m_nUpper = useUpper ? std::max(m_nLower, m_nBase + (upperCell + 1) * CELL) : m_nDefaultUpper;
}
