#pragma once
// The editor's names of the movement record's values and of two movement
// parameters of commands. Tables of texts ending with an empty row; the row
// index is the value.
#include <string>
#include <vector>

extern const std::vector<std::string> aLinearMoveModeLabel;   // "直線移動": by direction, to target
extern const std::vector<std::string> aWarpModeLabel;         // "ワープ": three modes
extern const std::vector<std::string> aMoveDirectionLabel;    // directions 0..12 (shots too)
extern const std::vector<std::string> aMoveCoordLabel;        // coordinate kinds 0..3
extern const std::vector<std::string> aMoveCoordNoHomeLabel;  // coordinate kinds without the placement one
extern const std::vector<std::string> aCircleTurnLabel;       // "円移動": turning senses 0..3
extern const std::vector<std::string> aTurnLabel;             // "向き変更": parameter 0
extern const std::vector<std::string> aMoveTimingLabel;       // timings 0..2
extern const std::vector<std::string> aCircleTimingLabel;     // "円移動": timings 0, 1
extern const std::vector<std::string> aJumpHeightLabel;       // "ジャンプ": how its height is set
extern const std::vector<std::string> aDistanceUnitLabel;     // half blocks, pixels
