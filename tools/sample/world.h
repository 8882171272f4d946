#pragma once
// The story's world map: an island whose road leads from a meadow past the
// caves to the castle, one stage on each of the three points, in an open sea
// that its background picture paints.
#include "files/world_map.h"
#include "tools/sample/canvas.h"

// The background picture's path, as the map names it and the game loads it.
extern const char WORLD_BACK_FILE[];

cWorldMap MakeWorldMap();
// The picture under the map's chips: the sea around the island, as large as
// the whole map (the sea chips are transparent and show it).
cCanvas WorldBackPicture();
