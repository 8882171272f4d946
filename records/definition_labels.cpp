#include "records/definition_labels.h"

const std::vector<std::string> aBlockOffOnLabel = {"OFF", "ON", ""};
const std::vector<std::string> aPaletteChoiceLabel = {"ステージパレット", "コモンパレット", ""};
const std::vector<std::string> aInheritSourceLabel = {"継承しない", "コモンパレット", "ステージパレット", ""};
const std::vector<std::string> aInheritCommonLabel = {"継承しない", "コモンパレット", ""};
const std::vector<std::string> aInheritStageLabel = {"継承しない", "ステージパレット", ""};
const std::vector<std::string> aInheritNoneLabel = {"継承しない", ""};
const std::vector<std::string> aGraphicKindLabel = {"ブロック", "キャラ", "アイテム", "ショット", "専用bmp", ""};
const std::vector<std::string> aGraphicKindLabel2 = {"ブロック", "キャラ", "アイテム", "ショット", "専用bmp", ""};
const std::vector<std::string> aBlockOffOnLabel2 = {"OFF", "ON", ""};
const std::vector<std::string> aBlockMarkLabel = {"表示しない", "表示する", "エディターでのみ表示", ""};
const std::vector<std::string> aBlockCollisionLabel = {"当たらない", "当たる", "主人公が当たると即死", ""};
const std::vector<std::string> aBlockPassLabel = {"なし", "0", "1", "2", "3", "4", "5", "6", "7", ""};
const std::vector<std::string> aBlockEffectLabel = {
    "なし", "ジャンプ X=高さ(hbl)", "ジャンプ禁止", "移動速度変更 X=％", "左移動 X=移動速度", "右移動 X=移動速度", "",
};
const std::vector<std::string> aItemSourceLabel = {"なし", "コモンパレット", "ステージパレット", ""};
const std::vector<std::string> aItemSourceCommonLabel = {"なし", "コモンパレット", ""};

const std::vector<std::string> aCharaControlLabel = {"プレイヤー", "コンピューター", ""};
const std::vector<std::string> aCharaPlayerLabel = {"1", ""};
const std::vector<std::string> aCharaFlyingLabel = {
    "OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)", "",
};
const std::vector<std::string> aCharaInvincibleLabel = {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)", ""};
const std::vector<std::string> aCharaOffOnLabel = {"OFF", "ON", ""};
const std::vector<std::string> aCharaSizeLabel = {
    "しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100", "",
};
const std::vector<std::string> aCharaSizeLabel2 = {"×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100", ""};
const std::vector<std::string> aCharaSightLabel = {
    "画面内全て", "キャラを中心とした円形", "キャラの前方に円形", "キャラを中心とした正方形", "キャラの前方に正方形", "",
};
const std::vector<std::string> aCharaBoxLabel = {
    "キャラ対キャラの当たり判定範囲（推奨）", "キャラ対ショットの当たり判定範囲", "ショット対キャラの当たり判定範囲",
    "32×32", "",
};
const std::vector<std::string> aCharaRangeLabel = {"画面内", "X座標のみ画面内", "Y座標のみ画面内", "全範囲", ""};
const std::vector<std::string> aCharaAppearLabel = {
    "範囲かグループが真なら成立", "一度範囲かグループが真になると、以後無条件で成立", "範囲とグループが偽なら成立", "",
};

const std::vector<std::string> aItemTakeLabel = {"1回だけ取れる", "何回でも取れる", "取れない", ""};
