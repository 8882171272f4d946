#pragma once
// The story's world map: an island whose road leads from a meadow past the
// caves to the castle, one stage on each of the three points.
#include "files/world_map.h"

cWorldMap MakeWorldMap();
