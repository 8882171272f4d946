#pragma once
// The editor's wording of the stage settings' choices. Tables of texts ending
// with an empty row; the row index is the value. The runtime reads none of
// them.
#include <string>
#include <vector>

extern const std::vector<std::string> aScrollModeLabel;        // follow the player, auto-scroll
extern const std::vector<std::string> aWidthChangeLabel;       // the side a change of width works on
extern const std::vector<std::string> aHeightChangeLabel;      // the side a change of height works on
extern const std::vector<std::string> aHitCheckLevelLabel;     // row n - 1 names level n (1..19)
extern const std::vector<std::string> aShotHitPassesLabel;     // shot-hit passes a frame 0..5
extern const std::vector<std::string> aBoxPlacementLabel;      // vertical placement: centre, bottom
extern const std::vector<std::string> aMiddleBottomLabel;      // middle, bottom
extern const std::vector<std::string> aBoxDisplayLabel;        // hidden, shown, frame only
extern const std::vector<std::string> aBoxColorLabel;          // the eight colour choices
extern const std::vector<std::string> aAxisLabel;              // horizontal, vertical
