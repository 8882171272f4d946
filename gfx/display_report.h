#pragma once
// The display part of the report log, and the display facts the set-up asks.
#include <cstdio>

// "Mode", "Bpp", the DirectDraw video memory and refresh rate, and under
// Direct3D the DirectX diagnostics (ReportDxDiag). 1, or 0 when the report log
// cannot be opened.
int ReportDisplayInfo(int detail);
// The Direct3D lines, written to an open log file. 1 when COM could be initialised.
int ReportDxDiag(FILE* file, int detail);
// DirectDraw video memory in MB (integer parts); both 0 without a DirectDraw object.
void GetVideoMemoryMB(int* total, int* free);
// DDI version of display device 0 from the DirectX diagnostics; 99999 when unknown.
int GetDDIVersion();
