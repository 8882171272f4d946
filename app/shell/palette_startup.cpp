#include "app/shell/palette_startup.h"

#include "app/system/log_box.h"

bool LoadCommonPalette(const char* path)
{
    if (ReadCommonPalette(path)) return true;
    ReportLogBox("%s のロードに失敗！", path);
    return false;
}
