#pragma once
// Start-up's reading of the common palette.
#include "records/palette_data.h"

// Reads CommonPalette from path. On failure (missing or damaged file) the
// line "%s のロードに失敗！" with the path goes to the report log, the trace
// log and an error box, and the result is false: start-up cannot go on.
bool LoadCommonPalette(const char* path = COMMON_PALETTE_PATH);
