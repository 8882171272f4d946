#include "app/shell/window_data.h"

#include <windows.h>

#include "app/shell/main_window.h"

cWindowData WindowData;
const char WINDOW_DATA_PATH[] = "user_data\\Window.dat";

void cWindowData::Clamp()
{
    ClampTo(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
