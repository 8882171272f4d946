#include "records/condition_labels.h"

const std::vector<std::string> aConditionKindLabel = {
    "", "コモン変数条件", "ステージ変数条件", "キャラ変数条件", "ステータス条件", "ステータス条件2", "ステータス条件3", "距離条件"};
const std::vector<std::string> aConditionModeLabel = {"全ての条件が真なら成立", "1つ以上の条件が真なら成立", ""};
const std::vector<std::string> aDistanceTargetLabel = {"主人公", "ターゲット", ""};
const std::vector<std::string> aDistanceAxisLabel = {"横", "前", "後", "縦", "前Y", "後Y", "円", ""};
const std::vector<std::string> aDistanceRangeLabel = {"以内", "外", ""};
const std::vector<std::string> aCharaVarLabel = {
    "1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3", "4 キャラ変数-4",
    "5 キャラ変数-5", "6 キャラ変数-6", "7 キャラ変数-7", "8 キャラ変数-8", ""};
const std::vector<std::string> aOperationLabel = {"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％", ""};
const std::vector<std::string> aConditionCompareLabel = {
    "である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない", ""};
const std::vector<std::string> aConditionNegateLabel = {"なら", "でないなら", ""};
