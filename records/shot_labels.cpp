#include "records/shot_labels.h"

const std::vector<std::string> aShotReferenceLabel = {"ターゲット", "主人公", "自分", ""};
const std::vector<std::string> aBlockSummonModeLabel = {
    "ブロックを召喚", "ブロックを消す", "ブロックがなければ召喚、ブロックがあれば消す", ""};
const std::vector<std::string> aSummonLayerModeLabel = {"パレットの設定に準ずる", "使用者と同じ", "番号で指定", ""};
