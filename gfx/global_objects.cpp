// The graphics library's tables that live for the whole run: built here by
// the static initialisers before WinMain runs, in the order of their members,
// and destroyed in the reverse order after it returns. The program's own
// objects are built in app/global_objects.cpp.
#include "gfx/surface_tables.h"

SURFACETABLES SurfaceTables;

namespace {
[[maybe_unused]] const bool bTablesFilled = (InitSurfaceParams(), InitFontParams(), InitSpareSurfaceParams(), true);
}
