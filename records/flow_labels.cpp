#include "records/flow_labels.h"

namespace {

// "-", then the 26 letters from first, then the closing empty row.
std::vector<std::string> LetterLabels(char first)
{
    std::vector<std::string> rows{"-"};
    for (int i = 0; i < 26; ++i) rows.push_back(std::string(1, static_cast<char>(first + i)));
    rows.push_back("");
    return rows;
}

} // namespace

const std::vector<std::string> aTriggerLabel = {
    "常時",
    "ダメージを受けた時",
    "衝撃を受けた時",
    "死亡した時",
    "キャラに当たった時",
    "ブロックキャラに当たった時",
    "ブロックキャラに乗っている時",
    "ショットに当たった時",
    "アイテムに当たった時",
    "ブロックに当たった時",
    "自分の左右にブロックが当たった時",
    "自分の左にブロックが当たった時",
    "自分の右にブロックが当たった時",
    "自分の上下にブロックが当たった時",
    "自分の上にブロックが当たった時",
    "自分の下にブロックが当たった時",
    "主人公に乗られている時",
    "キャラに乗られている時",
    "ステージ開始前",
    "なし（フローの操作コマンドで実行）",
    "",
};
const std::vector<std::string> aFlowIdLabel = LetterLabels('A');
const std::vector<std::string> aFlagLetterLabel = LetterLabels('a');
const std::vector<std::string> aKeyMarkLabel = {"--", "押", "離", ""};
const std::vector<std::string> aKeyModeLabel = {"全てのキーが真なら成立", "1つ以上のキーが真なら成立", "1つだけキーが真なら成立", ""};
