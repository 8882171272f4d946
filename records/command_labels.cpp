#include "records/command_labels.h"

constexpr CMDLABEL aCommandLabel[FLOWCMD_COUNT] = {
    {"", 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 3},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 17},
    {"ワープ", 0},
    {"ターゲットの設定", 10},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 14},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
};

// Rows 2 on repeat the character commands from "ステージクリア" on.
constexpr CMDLABEL aItemCommandLabel[ITEMCMD_COUNT] = {
    {"", 0},
    {"フローの変更", 2},
    aCommandLabel[2 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[3 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[4 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[5 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[6 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[7 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[8 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[9 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[10 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[11 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[12 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[13 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[14 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[15 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[16 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[17 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[18 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[19 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[20 + ITEMCMD_TO_FLOWCMD],
    aCommandLabel[21 + ITEMCMD_TO_FLOWCMD],
};

const std::vector<std::string> aFlowControlOpLabel = {"開始", "終了", "一時停止", "再開", "削除", "永久停止", ""};
const std::vector<std::string> aFlowControlTargetLabel = {"このフロー", "このフロー以外全て", "IDで指定", ""};
const std::vector<std::string> aSelfTargetLabel = {"自分", "ターゲット", ""};
const std::vector<std::string> aSelfTargetSystemLabel = {"自分", "ターゲット", "システム", ""};
const std::vector<std::string> aHeroTargetLabel = {"主人公", "ターゲット", ""};
const std::vector<std::string> aHeroTargetSystemLabel = {"主人公", "ターゲット", "システム", ""};
const std::vector<std::string> aStatusOrVarLabel = {"ステータス", "変数", ""};
const std::vector<std::string> aOperandLabel = {"定数", "乱数", "ステータス", "変数", ""};
const std::vector<std::string> aVarKindLabel = {"コモン変数", "ステージ変数", ""};
const std::vector<std::string> aCalcModeLabel = {"通常の計算", "最大値に対する％で指定", "現在値に対する％で指定", ""};
const std::vector<std::string> aVanishOptionLabel = {"ON", ""};
const std::vector<std::string> aStateTestLabel = {
    "左向き", "右向き", "ブロックに乗っている(ブロックキャラも含む)", "画面内にいる", ""};
const std::vector<std::string> aStageClearDestLabel = {"次のステージへ", "番号で指定", "ワールドクリア", ""};
const std::vector<std::string> aClearFacingLabel = {"左向き", "右向き", "ステージクリア時の向きと同じ", ""};
const std::vector<std::string> aMessagePlaceLabel = {
    "画面中央に表示",   "自分の上に表示",   "自分の下に表示", "自分の中心に表示",   "主人公の上に表示",
    "主人公の下に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定", ""};
const std::vector<std::string> aMessageTimeLabel = {"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定", ""};
const std::vector<std::string> aTargetPickLabel = {"主人公", "自分", "最も近いキャラ", "キャラ(キャラIDで指定)", ""};
const std::vector<std::string> aTargetRangeLabel = {"全範囲（画面内のキャラ優先）", "全範囲", "画面内のみ", ""};
const std::vector<std::string> aPaletteLabel = {"コモンパレット", "ステージパレット", ""};
const std::vector<std::string> aCommonPaletteOnlyLabel = {"コモンパレット", ""};
const std::vector<std::string> aPicturePlaceLabel = {
    "画面中央に表示", "キャラの中心に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定", ""};
const std::vector<std::string> aPictureTimeLabel = {"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定", ""};
const std::vector<std::string> aEffectRunLabel = {"通常実行", "反転実行", "往復実行", ""};
const std::vector<std::string> aShowHideLabel = {"表示", "非表示", "反転(表示⇔非表示)", ""};

const std::vector<STATUSLABEL> aCharaStatusLabel = {
    {"キャラ変数", -999999, 999999, -999999, 999999, {0, 0, 1}},
    {"HP", 0, 999999, -999999, 999999, {0, 1, 1}},
    {"SP", 0, 999999, -999999, 999999, {0, 1, 1}},
    {"最大HP", 0, 999999, -999999, 999999, {0, 0, 1}},
    {"最大SP", 0, 999999, -999999, 999999, {0, 0, 1}},
    {"キャラID", 0, 99, -99, 99, {0, 0, 0}},
    {"Z座標", 0, 8, -8, 8, {0, 0, 0}},
    {"マーク番号", 0, 119, -121, 119, {0, 0, 0}},
    {"視界範囲(hbl)", 0, 40, -40, 40, {0, 0, 1}},
    {"体当たりの威力", -999999, 999999, -999999, 999999, {0, 0, 1}},
    {"体当たりの衝撃", -20, 20, -20, 20, {0, 0, 1}},
    {"防御力", 0, 999999, -999999, 999999, {0, 0, 1}},
    {"衝撃耐性", 0, 20, -20, 20, {0, 0, 1}},
    {"止まりやすさ", 0, 200, -200, 200, {0, 0, 1}},
    {"倒したら獲得するスコア", -999999, 999999, -999999, 999999, {0, 0, 1}},
};

const std::vector<STATUSLABEL> aSystemStatusLabel = {
    {"時間", 0, 999, -999, 999, {0, 0, 1}},
    {"横スクロール速度", -480, 480, -480, 480, {0, 0, 1}},
    {"縦スクロール速度", -480, 480, -480, 480, {0, 0, 1}},
    {"スコア", 0, 999999, -999999, 999999, {0, 0, 1}},
    {"残り人数", 0, 99, -99, 99, {0, 0, 1}},
};

const std::vector<STATELABEL> aStateLabel = {
    {"消滅", 0, 0, {"ON"}, 0},
    {"透明", 0, 1, {"OFF", "ON"}, 0},
    {"向き固定", 0, 1, {"OFF", "ON"}, 0},
    {"飛行", 0, 3, {"OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)"}, 0},
    {"無敵", 0, 2, {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)"}, 0},
    {"巨大化", 1, 10, {"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"}, 1},
    {"オートスクロールとシンクロ", 0, 1, {"OFF", "ON"}, 0},
    {},
    {},
};

const std::vector<std::string> aChangeFlowOpLabel = {"追加", "変更", "削除", ""};
const std::vector<std::string> aChangeFlowIdLabel = [] {
    std::vector<std::string> rows{"全て削除"};
    for (char c = 'A'; c <= 'Z'; ++c) rows.push_back(std::string(1, c));
    rows.push_back("");
    return rows;
}();
