#pragma once
// The editor's names of the shot record's choices. Tables of texts ending
// with an empty row; the row index is the value. A summon's palette choice
// is named by aPaletteLabel and aCommonPaletteOnlyLabel (command_labels.h),
// which the item commands share.
#include <string>
#include <vector>

extern const std::vector<std::string> aShotReferenceLabel;      // whom "落雷" and "包囲" centre on
extern const std::vector<std::string> aBlockSummonModeLabel;    // "ブロック召喚": summon, erase, toggle
extern const std::vector<std::string> aSummonLayerModeLabel;    // "キャラ召喚": the summoned character's hit layer
