// Stand-ins for what the expression evaluator uses of code that is still
// being built elsewhere: the scroll axis's auto-scroll and the sight mask's
// surfaces. Each does the least that keeps the callers honest.
#include "files/stage_file.h"
#include "stage/scroll_axis.h"
#include "stage/stage_scene.h"

void cScrollAxis::SetAutoScroll(bool on, int value)
{
    m_bAutoScroll = on ? 1 : 0;
    double scale = StageData.m_dSpeedScale > 0 ? StageData.m_dSpeedScale : 1;
    m_dAutoSpeed = on ? value * 0.1 / scale : 0;
}

int cStageScene::CreateWorkSurfaces(int, int) { return 0; }
