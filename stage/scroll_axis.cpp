#include "stage/scroll_axis.h"

#include "files/stage_file.h"

void cScrollAxis::SetAutoScroll(bool on, int value)
{
    m_bAutoScroll = on ? 1 : 0;
    double scale = StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : 1;
    m_dAutoSpeed = on ? value * 0.1 / scale : 0;
}
