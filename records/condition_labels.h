#pragma once
// The condition vocabulary: the editor's names of condition kinds, list modes,
// comparisons and the values of distance conditions. Tables of texts, each
// ending with an empty row except the kind table (one row per kind).
#include <string>
#include <vector>

extern const std::vector<std::string> aConditionKindLabel;     // kinds 0..7
extern const std::vector<std::string> aConditionModeLabel;     // list modes: all, any
extern const std::vector<std::string> aDistanceTargetLabel;    // hero, target
extern const std::vector<std::string> aDistanceAxisLabel;      // axes 0..6
extern const std::vector<std::string> aDistanceRangeLabel;     // within, outside
extern const std::vector<std::string> aCharaVarLabel;          // the eight character variables
extern const std::vector<std::string> aOperationLabel;         // the seven operations of the status commands
extern const std::vector<std::string> aConditionCompareLabel;  // comparisons 0..7
extern const std::vector<std::string> aConditionNegateLabel;   // the operator of kind 6
