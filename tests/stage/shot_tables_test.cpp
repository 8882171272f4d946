// The shot record's vocabulary: the arrangement and motion kinds with what
// their three parameters mean, and the names of the record's choices, as the
// editor shows them.
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/command_labels.h"
#include "records/shot_labels.h"
#include "stage/objects/shot.h"
#include "stage/script/shot_fire.h"

namespace {

struct Param {
    std::string label;
    int lowest, highest, byDefault;
};

struct KindRow {
    std::string label;
    std::vector<Param> params;        // the three parameters; fewer: the rest are empty
};

void ExpectKind(const char* label, const EFFECTPARAMDESC (&params)[3], const KindRow& row)
{
    EXPECT_EQ(label, row.label);
    for (size_t j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        Param want = j < row.params.size() ? row.params[j] : Param{"", 0, 0, 0};
        EXPECT_EQ(params[j].szLabel, want.label);
        EXPECT_EQ(params[j].nLowest, want.lowest);
        EXPECT_EQ(params[j].nHighest, want.highest);
        EXPECT_EQ(params[j].nDefault, want.byDefault);
    }
}

} // namespace

TEST(ShotTables, KindsAndTheirParametersCarryTheEditorsTexts)
{
    const Param gap{"間隔(hbl)", 0, 40, 0};
    const KindRow arrangements[] = {
        {"直進A", {gap}},
        {"直進B", {gap}},
        {"拡散", {{"角度", 0, 180, 30}}},
        {"落雷", {gap, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0}}},
        {"爆発", {}},
        {"包囲", {{"距離(hbl)", 0, 40, 6}}},
    };
    static_assert(std::size(arrangements) == SHOTARRANGE_COUNT);
    for (int k = 0; k < SHOTARRANGE_COUNT; ++k) {
        SCOPED_TRACE(testing::Message() << "arrangement " << k);
        ExpectKind(ShotArrangeTable[k].szLabel, ShotArrangeTable[k].aParam, arrangements[k]);
        EXPECT_NE(ShotArrangeTable[k].lpArrange, nullptr);
    }

    const Param turn{"軌道変更(hbl)", 0, 40, 0}, side{"対象勢力", 0, 7, 0};
    const Param from{"誘導開始(hbl)", 0, 40, 0}, until{"誘導終了(hbl)", 0, 999, 999};
    const KindRow motions[] = {
        {"直進", {}},
        {"主人公を狙う", {turn}},
        {"近いキャラを狙う", {turn, side}},
        {"ターゲットを狙う", {turn}},
        {"主人公へ誘導", {from, until}},
        {"近いキャラへ誘導（対象死亡時、誘導を無効化）", {from, until, side}},
        {"ターゲットへ誘導", {from, until}},
        {"近いキャラへ誘導（対象死亡時、対象を変更）", {from, until, side}},
        {"ウェーブ", {{"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0}}},
        {"落下", {turn}},
    };
    static_assert(std::size(motions) == SHOTMOTION_COUNT);
    for (int k = 0; k < SHOTMOTION_COUNT; ++k) {
        SCOPED_TRACE(testing::Message() << "motion " << k);
        ExpectKind(ShotMotionTable[k].szLabel, ShotMotionTable[k].aParam, motions[k]);
        EXPECT_NE(ShotMotionTable[k].lpMotion, nullptr);
    }
    // The two nearest-character homings move alike.
    EXPECT_TRUE(ShotMotionTable[SHOTMOTION_HOME_NEAREST2].lpMotion == ShotMotionTable[SHOTMOTION_HOME_NEAREST].lpMotion);
}

TEST(ShotTables, TheRecordsChoicesEndWithAnEmptyRow)
{
    using Texts = std::vector<std::string>;
    struct Case {
        const char* what;
        const Texts& labels;
        Texts expected;
    };
    const Case cases[] = {
        {"reference", aShotReferenceLabel, {"ターゲット", "主人公", "自分", ""}},
        {"block summon", aBlockSummonModeLabel,
         {"ブロックを召喚", "ブロックを消す", "ブロックがなければ召喚、ブロックがあれば消す", ""}},
        {"summon palette", aPaletteLabel, {"コモンパレット", "ステージパレット", ""}},
        {"common palette only", aCommonPaletteOnlyLabel, {"コモンパレット", ""}},
        {"summon layer", aSummonLayerModeLabel, {"パレットの設定に準ずる", "使用者と同じ", "番号で指定", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.labels, c.expected) << c.what;
}
