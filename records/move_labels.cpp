#include "records/move_labels.h"

const std::vector<std::string> aLinearMoveModeLabel = {"方向で指定", "目標座標で指定", ""};
const std::vector<std::string> aWarpModeLabel = {"方向と距離で指定", "ターゲットからの方向と距離で指定", "目標座標で指定", ""};
const std::vector<std::string> aMoveDirectionLabel = {
    "前", "後", "左", "右", "前Y", "後Y", "上", "下", "左上", "左下", "右上", "右下", "入力方向", ""};
const std::vector<std::string> aMoveCoordLabel = {"配置位置からの相対座標", "相対座標", "絶対座標", "画面座標", ""};
const std::vector<std::string> aMoveCoordNoHomeLabel = {"相対座標", "絶対座標", "画面座標", ""};
const std::vector<std::string> aCircleTurnLabel = {
    "右回り", "左回り", "左向きなら右回り、右向きなら左回り", "左向きなら左回り、右向きなら右回り", ""};
const std::vector<std::string> aTurnLabel = {
    "左を向く", "右を向く", "ターゲットがいる方を向く", "ターゲットがいる方の逆を向く",
    "最後にブロックが当たった方を向く", "最後にブロックが当たった方の逆を向く", ""};
const std::vector<std::string> aMoveTimingLabel = {"時間と速度を指定", "時間と距離を指定", "速度と距離を指定", ""};
const std::vector<std::string> aCircleTimingLabel = {"時間を指定", "速度を指定", ""};
const std::vector<std::string> aJumpHeightLabel = {
    "高さがキーで調節できない", "高さがキーで調節できる(主人公のみ有効)", "慣性移動速度に応じて高さを決定(主人公のみ有効)", ""};
const std::vector<std::string> aDistanceUnitLabel = {"(hbl)で指定", "(dot)で指定", ""};
