#pragma once
// Every picture of the sample game, by the path the game loads it from
// (relative to the game folder, with forward slashes).
#include <string>
#include <vector>

#include "tools/sample/canvas.h"

// Named apart from the stage's picture class, which shares the program's
// tests with the sample; the short name stays for the sample's own code.
struct cSamplePicture {
    std::string sPath;
    cCanvas Canvas;
};
using cPicture = cSamplePicture;

std::vector<cPicture> DrawAllPictures();

// The world-map chip numbers (cells of the chip picture, five to a row):
// 0 to 4 cannot be walked on, 5 to 9 can.
enum {
    MAP_CHIP_SEA, MAP_CHIP_MOUNTAIN, MAP_CHIP_FOREST, MAP_CHIP_ROCK, MAP_CHIP_DEEP,
    MAP_CHIP_MEADOW, MAP_CHIP_ROAD_H, MAP_CHIP_ROAD_V, MAP_CHIP_SAND, MAP_CHIP_BRIDGE, MAP_CHIPS
};
// Rows of the world-event picture.
enum { MAP_EVENT_STAGE, MAP_EVENT_CASTLE, MAP_EVENTS };
