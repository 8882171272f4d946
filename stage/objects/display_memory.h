#pragma once
// Where a surface of the stage's display objects is asked for under
// DirectDraw: system memory when little video memory is left (below a fifth
// of it), or when the picture is drawn stretched and the settings do not let
// the video memory stretch; otherwise video memory. Direct3D: always 0.
int StageSurfaceInSystemMemory(int stretched);
