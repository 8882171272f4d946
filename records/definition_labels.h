#pragma once
// The editor's wording of the block, character and item definitions and of
// the vocabulary they share (graphic kinds, inherit sources, item sources).
// Tables of texts ending with an empty row; the row index is the value unless
// a comment says otherwise. The runtime reads only aBlockOffOnLabel,
// aBlockOffOnLabel2, aCharaFlyingLabel, aCharaInvincibleLabel and
// aCharaSizeLabel, as option lists of the state vocabulary.
#include <string>
#include <vector>

extern const std::vector<std::string> aBlockOffOnLabel;
extern const std::vector<std::string> aPaletteChoiceLabel;     // stage palette, common palette
extern const std::vector<std::string> aInheritSourceLabel;     // inherit sources 0..2
extern const std::vector<std::string> aInheritCommonLabel;     // none, common palette
extern const std::vector<std::string> aInheritStageLabel;      // none, stage palette
extern const std::vector<std::string> aInheritNoneLabel;       // none
extern const std::vector<std::string> aGraphicKindLabel;       // graphic kinds 0..4
extern const std::vector<std::string> aGraphicKindLabel2;
extern const std::vector<std::string> aBlockOffOnLabel2;
extern const std::vector<std::string> aBlockMarkLabel;         // mark display 0..2
extern const std::vector<std::string> aBlockCollisionLabel;    // collision 0..2
extern const std::vector<std::string> aBlockPassLabel;         // row 0 names 255, row r names r - 1
extern const std::vector<std::string> aBlockEffectLabel;       // effects 0..5
extern const std::vector<std::string> aItemSourceLabel;        // item sources 0..2
extern const std::vector<std::string> aItemSourceCommonLabel;  // none, common palette

extern const std::vector<std::string> aCharaControlLabel;      // player, computer
extern const std::vector<std::string> aCharaPlayerLabel;       // the inputs offered
extern const std::vector<std::string> aCharaFlyingLabel;       // flying 0..3
extern const std::vector<std::string> aCharaInvincibleLabel;   // invincible 0..2
extern const std::vector<std::string> aCharaOffOnLabel;
extern const std::vector<std::string> aCharaSizeLabel;         // row v - 1 names size factor v
extern const std::vector<std::string> aCharaSizeLabel2;        // size factors 2..10
extern const std::vector<std::string> aCharaSightLabel;        // sight shapes 0..4
extern const std::vector<std::string> aCharaBoxLabel;          // contact boxes 0..3
extern const std::vector<std::string> aCharaRangeLabel;        // activity ranges 0..3
extern const std::vector<std::string> aCharaAppearLabel;       // appearance modes 0..2

extern const std::vector<std::string> aItemTakeLabel;          // take kinds 0..2
