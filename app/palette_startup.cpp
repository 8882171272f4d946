#include "app/palette_startup.h"

#include "app/log_box.h"

bool LoadCommonPalette(const char* path)
{
    if (ReadCommonPalette(path)) return true;
    ReportLogBox("%s のロードに失敗！", path);
    return false;
}
