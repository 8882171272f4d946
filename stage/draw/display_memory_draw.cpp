#include "app/system/system_ini.h"
#include "gfx/display.h"
#include "gfx/display_report.h"
#include "stage/objects/display_memory.h"

int StageSurfaceInSystemMemory(int stretched)
{
    if (Display.bDirect3D) return 0;
    if (stretched && !SystemIni.DD_VideoStretch) return 1;
    int total = 0, free = 0;
    GetVideoMemoryMB(&total, &free);
    return total > 0 && free * 100 / total < 20;
}
