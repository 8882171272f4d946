// The program's message boxes, handed to the box seam below the display
// before WinMain runs: over a full-screen display they go through its dialog
// mode, otherwise they are plain boxes.
#include "app/system/message_box.h"
#include "gfx/dialog_mode.h"

namespace {

int RoutedBox(const char* text, const char* caption, UINT type)
{
    if (FullScreenBoxesNeeded()) return DDMesBox(text, caption, type);
    return MessageBoxA(GetActiveWindow(), text, caption, type);
}

[[maybe_unused]] const bool bRouted = (lpFullScreenMesBox = RoutedBox, true);

} // namespace
