// "Window.dat", the main window's placement, clamped to a desktop of
// 1920 x 1080.
#include "app/shell/window_data.h"
#include "fuzz/record_target.h"

void cWindowData::Clamp() { ClampTo(1920, 1050, 1920, 1080); }

void FuzzOne(const uint8_t* data, size_t size) { FuzzRecordFile<cWindowData>(data, size); }

std::vector<FuzzSeed> FuzzSeeds()
{
    cWindowData placement;
    placement.Set(100, 80, 640, 480, 0);
    return {RecordSeed("Window.dat", placement)};
}
