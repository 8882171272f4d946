// The stage set-up: a stage built in memory (and the sample game's stages)
// set up in the stage-play screen, and the characters, items and blocks that
// summons bring in during play.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/palette_data.h"
#include "records/shot_data.h"
#include "stage/objects/play_links.h"
#include "stage/objects/random.h"
#include "stage/scene/stage_boxes.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tools/sample/definitions.h"
#include "tools/sample/stages.h"

namespace {

int MapIndex(int column, int row, int shift) { return (column + 10) + ((row + 10) << shift); }

// The cell of the stage proper under an object's centre.
std::pair<int, int> CellOf(const cStageObject& o)
{
    return {(static_cast<int>((o.m_dLeft + o.m_dRight) / 2) >> 5) - 10,
            (static_cast<int>((o.m_dTop + o.m_dBottom) / 2) >> 5) - 10};
}

cCharaData Placed(int control, int column, int row, int copies = 0, int link = -1)
{
    cCharaData c;
    c.m_cControl = static_cast<int8_t>(control);
    c.m_sCellX = static_cast<int16_t>(column);
    c.m_sCellY = static_cast<int16_t>(row);
    c.m_cExtraCopies = static_cast<int8_t>(copies);
    c.m_sOffsetXStep = 32;
    c.m_nItemLink = link;
    c.m_nMaxHp = 5;
    return c;
}

cItemData PlacedItem(int column, int row)
{
    cItemData i;
    i.m_sCellX = static_cast<int16_t>(column);
    i.m_sCellY = static_cast<int16_t>(row);
    return i;
}

cBlockData SolidBlock(int column, int row, int graphic = 1)
{
    cBlockData b;
    b.m_sGraphic = static_cast<int16_t>(graphic);
    b.m_cCollision = BLOCK_SOLID;
    b.m_sCellX = static_cast<int16_t>(column);
    b.m_sCellY = static_cast<int16_t>(row);
    return b;
}

std::vector<std::pair<int, int>>* lpTunes = nullptr;

// The screen and the globals a set-up writes, put back when the test ends.
class StageSetup : public ::testing::Test {
protected:
    StageSetup()
        : m_SavedStage(StageData), m_SavedPlay(PlayStageData), m_SavedProgress(GameProgress),
          m_SavedSystem(SystemData), m_SavedPalette(CommonPalette),
          m_lpSavedX(lpScrollX), m_lpSavedY(lpScrollY), m_lpSavedScene(lpStageScene)
    {
        m_Scene = std::make_unique<cStageScene>();
        lpStageScene = m_Scene.get();
        lpTunes = &m_Tunes;
        m_Host.onRequestBgm = [](int n, int loop) { lpTunes->push_back({n, loop}); };
        CommonPalette.m_Blocks.assign(2, cBlockData());
        CommonPalette.m_Blocks[0].m_sGraphic = 0;
        CommonPalette.m_Blocks[0].m_cCollision = BLOCK_PASSABLE;
        StageData.Reset();
        StageData.m_nWidth = 12;
        StageData.m_nHeight = 10;
        StageData.m_nObjectLimitX = StageData.m_nObjectLimitY = 2000;
        StageData.m_PlacedCharas = {Placed(CHARA_PLAYER, 2, 5)};
        StageData.m_PlacedItems.clear();
        StageData.m_PlacedBlocks.clear();
        GameProgress.m_bNextStart = 0;
        GameProgress.m_nBgm = 0;
        SystemData.m_bReplay = 0;
        SystemData.m_bLegacyStartTrigger = 0;
        SystemData.m_bPlaceIgnoresCond = 0;
    }
    ~StageSetup() override
    {
        m_Scene.reset();
        Player.clear();
        CharaList.clear();
        ItemList.clear();
        BlockMap.clear();
        lpStageScene = m_lpSavedScene;
        lpScrollX = m_lpSavedX;
        lpScrollY = m_lpSavedY;
        StageData = m_SavedStage;
        PlayStageData = m_SavedPlay;
        GameProgress = m_SavedProgress;
        SystemData = m_SavedSystem;
        CommonPalette = m_SavedPalette;
        Replay.Clear();
        LastReplay.Clear();
        lpTunes = nullptr;
    }

    // Sets up the stage as a first start, the settings taken from the stage.
    bool SetUp(bool firstStart = true)
    {
        CopyPlaySettings(PlayStageData, StageData);
        return Scene().SetStage(true, firstStart);
    }
    cStageScene& Scene() { return *m_Scene; }
    int Shift() const { return lpScrollX->m_nShift; }

    std::vector<std::pair<int, int>> m_Tunes;
    // Headless but for the tunes, which it records.
    cHarnessHost m_Host;

private:
    cStageData m_SavedStage, m_SavedPlay;
    cGameProgress m_SavedProgress;
    cSystemData m_SavedSystem;
    cPaletteData m_SavedPalette;
    cScrollAxis* m_lpSavedX;
    cScrollAxis* m_lpSavedY;
    cStageScene* m_lpSavedScene;
    std::unique_ptr<cStageScene> m_Scene;
};

} // namespace

TEST_F(StageSetup, TheBlockMapIsPaddedToAPowerOfTwoAndHoldsThePlacedBlocks)
{
    const struct {
        int width, height, pitch;
    } cases[] = {{12, 10, 32}, {300, 15, 512}, {13, 10, 64}, {1, 3, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        StageData.m_nWidth = c.width;
        StageData.m_nHeight = c.height;
        // Two blocks off the map (one past the end of its row) are left out.
        StageData.m_PlacedBlocks = {SolidBlock(0, 0), SolidBlock(c.width - 1, c.height - 1, 7),
                                    SolidBlock(c.pitch - 10, 0, 8), SolidBlock(-11, 0, 8)};
        ASSERT_TRUE(SetUp());
        EXPECT_EQ(lpScrollX, &Scene().m_ScrollX);
        EXPECT_EQ(lpScrollY, &Scene().m_ScrollY);
        EXPECT_EQ(Scene().m_ScrollX.m_nPitch, c.pitch);
        EXPECT_EQ(Scene().m_ScrollY.m_nPitch, c.height + 20);
        EXPECT_EQ(Scene().m_ScrollX.m_nDefaultUpper, (c.width + 10) * 32);
        ASSERT_EQ(BlockMap.size(), static_cast<size_t>(c.pitch * (c.height + 20)));
        int solid = 0;
        for (const cBlockData& b : BlockMap) solid += b.m_cCollision != BLOCK_PASSABLE;
        EXPECT_EQ(solid, 2);
        EXPECT_EQ(BlockMap[MapIndex(0, 0, Shift())].m_sGraphic, 1);
        EXPECT_EQ(BlockMap[MapIndex(c.width - 1, c.height - 1, Shift())].m_sGraphic, 7);
        EXPECT_EQ(BlockMapCell(10, 10), &BlockMap[MapIndex(0, 0, Shift())]);
    }
}

TEST_F(StageSetup, AMapBeyondWhatPlayBuildsIsRefusedWithItsBoxBeforeAnythingIsMade)
{
    // The loader refuses such stages; one made otherwise is refused here.
    static std::vector<std::string> boxes;
    boxes.clear();
    lpStageBoxSink = [](const char* text, int) { boxes.push_back(text); };
    const struct {
        int width, height;
    } cases[] = {{100000, 15}, {INT_MAX, 60}, {60, INT_MAX}, {1005, 1005}, {-1, 15}};
    const int width = StageData.m_nWidth, height = StageData.m_nHeight;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " by " << c.height);
        StageData.m_nWidth = width;
        StageData.m_nHeight = height;
        ASSERT_TRUE(SetUp());
        ASSERT_FALSE(BlockMap.empty());
        StageData.m_nWidth = c.width;
        StageData.m_nHeight = c.height;
        boxes.clear();
        EXPECT_FALSE(SetUp());
        EXPECT_EQ(boxes, std::vector<std::string>{"メモリ不足により、ステージの初期設定に失敗しました！"});
        EXPECT_TRUE(BlockMap.empty());
    }
    lpStageBoxSink = nullptr;
}

TEST_F(StageSetup, PlayersCharactersAndItemsStandOnTheirCellsWithSerialsInOrder)
{
    StageData.m_PlacedCharas = {
        Placed(CHARA_PLAYER, 2, 5),
        Placed(CHARA_COMPUTER, 4, 5, 0, 0),    // carries item 0
        Placed(CHARA_COMPUTER, 6, 5, 1),       // two instances side by side
        Placed(CHARA_COMPUTER, 8, 5, -1),      // none
        Placed(CHARA_COMPUTER, 10, 2, 2),      // the third instance falls outside
        Placed(CHARA_COMPUTER, 1, 1, 0, 9),    // a link beyond the items counts as none
        Placed(CHARA_PLAYER, 3, 3),            // a second player placement is neither hero nor spawned
    };
    StageData.m_PlacedItems = {PlacedItem(0, 0), PlacedItem(3, 7)};
    ASSERT_TRUE(SetUp());
    cStageScene& s = Scene();

    ASSERT_EQ(Player.size(), 1u);
    EXPECT_EQ(s.m_nPlayers, 1);
    EXPECT_EQ(Player[P1].m_nRef, 0);
    EXPECT_EQ(CellOf(Player[P1]), std::make_pair(2, 5));

    // The characters without items first, then those carrying one.
    std::vector<std::pair<int, int>> cells;
    std::vector<int> serials;
    for (const cNpc& c : CharaList) {
        cells.push_back(CellOf(c));
        serials.push_back(c.m_nRef);
    }
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{6, 5}, {7, 5}, {10, 2}, {11, 2}, {1, 1}, {4, 5}}));
    EXPECT_EQ(serials, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(s.m_nNextCharaSerial, 7);
    cNpc& carrier = CharaList.back();
    ASSERT_NE(carrier.GetItem(), nullptr);
    EXPECT_EQ(carrier.GetItem()->m_nRef, 0);
    EXPECT_EQ(CharaList.front().GetItem(), nullptr);

    ASSERT_EQ(ItemList.size(), 1u);
    EXPECT_EQ(ItemList.front().m_nRef, 1);
    EXPECT_EQ(CellOf(ItemList.front()), std::make_pair(3, 7));
    EXPECT_EQ(s.m_nNextItemSerial, 2);

    // Player 1 first in its hit layer, then the characters in list order.
    ASSERT_EQ(s.m_CharaLayers.size(), 8u);
    ASSERT_EQ(s.m_ShotLayers.size(), 8u);
    const std::list<cChara*>& layer = s.m_CharaLayers[Player[P1].m_nHitLayer];
    ASSERT_EQ(layer.size(), 7u);
    EXPECT_EQ(layer.front(), &Player[P1]);
    EXPECT_EQ(layer.back(), &carrier);

    EXPECT_EQ(s.m_StageVars, std::vector<int>(256, 0));
    EXPECT_EQ(s.m_ActiveGroups, std::vector<char>(60, 0));
}

TEST_F(StageSetup, ARestartEmptiesWhatThePlayLeftAndRestoresTheSettings)
{
    StageData.m_PlacedCharas.push_back(Placed(CHARA_COMPUTER, 4, 5));
    StageData.m_bTimeLimit = 1;
    StageData.m_nTimeLimit = 120;
    ASSERT_TRUE(SetUp());
    cStageScene& s = Scene();
    s.m_StageVars[7] = 3;
    s.m_ActiveGroups[2] = 1;
    s.m_nTime = 5;
    s.m_nFrame = 99;
    StageData.m_nTimeLimit = 1;   // changed by a command during play
    ItemList.emplace_back();
    CharaList.emplace_back();
    ASSERT_TRUE(s.SetStage(true, false));
    EXPECT_EQ(StageData.m_nTimeLimit, 120);
    EXPECT_EQ(s.m_nTime, 120);
    EXPECT_EQ(s.m_bTimerOff, 0);
    EXPECT_EQ(s.m_nFrame, 0);
    EXPECT_EQ(s.m_StageVars[7], 0);
    EXPECT_EQ(s.m_ActiveGroups[2], 0);
    EXPECT_EQ(CharaList.size(), 1u);
    EXPECT_TRUE(ItemList.empty());
    EXPECT_EQ(CharaList.front().m_nRef, 1);
}

TEST_F(StageSetup, TheNextStartPointMovesTheHeroAndStaysForRestarts)
{
    GameProgress.m_bNextStart = 1;
    GameProgress.m_nNextStartX = 7;
    GameProgress.m_nNextStartY = 3;
    GameProgress.m_nNextStartDir = 1;
    ASSERT_TRUE(SetUp());
    EXPECT_EQ(CellOf(Player[P1]), std::make_pair(7, 3));
    EXPECT_EQ(Player[P1].m_nFacing, 1);
    EXPECT_EQ(StageData.m_PlacedCharas[0].m_sCellX, 7);
    GameProgress.m_bNextStart = 0;
    ASSERT_TRUE(Scene().SetStage(false, false));
    EXPECT_EQ(CellOf(Player[P1]), std::make_pair(7, 3));
}

TEST_F(StageSetup, TheSeedRepeatsItsDrawsAndARecordedPlayTakesANewOne)
{
    Scene().m_nRandomSeed = 4242;
    ASSERT_TRUE(SetUp());
    int first[3] = {GameRand(), GameRand(), GameRand()};
    ASSERT_TRUE(Scene().SetStage(true, false));
    int again[3] = {GameRand(), GameRand(), GameRand()};
    EXPECT_EQ(std::vector<int>(first, first + 3), std::vector<int>(again, again + 3));
    GameSrand(4242);
    EXPECT_EQ(GameRand(), first[0]);

    // Recording: the last play's replay is kept and the new one takes the new seed.
    SystemData.m_bReplay = 1;
    m_Host.onNewSeed = cHarnessHost::FixedSeed(777u);
    Replay.m_nSeed = 4242;
    Replay.RecordFrame(1, 2);
    ASSERT_TRUE(Scene().SetStage(true, false));
    EXPECT_EQ(Scene().m_nRandomSeed, 777);
    EXPECT_EQ(Replay.m_nSeed, 777);
    EXPECT_TRUE(Replay.m_DirValues.empty());
    EXPECT_EQ(LastReplay.m_nSeed, 4242);
    EXPECT_EQ(LastReplay.m_DirValues.size(), 1u);
    int recorded = GameRand();
    GameSrand(777);
    EXPECT_EQ(GameRand(), recorded);
}

TEST_F(StageSetup, TheTuneIsAskedForAsTheStartAndTheKeepSwitchSay)
{
    const struct {
        bool firstStart;
        int keep, stageTune, playing;
        std::vector<std::pair<int, int>> asked;
    } cases[] = {
        {true, 0, 3, 3, {{3, 1}}},   // keep off: always restarted
        {true, 1, 3, 3, {}},
        {true, 1, 3, 2, {{3, 1}}},
        {true, 1, 0, 0, {{0, 1}}},   // a silent stage stops the music
        {false, 0, 3, 3, {}},        // a restart never restarts the tune playing
        {false, 1, 3, 2, {{3, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.firstStart << c.keep << c.stageTune << c.playing);
        StageData.m_bBgmKeep = c.keep;
        StageData.m_nBgm = c.stageTune;
        StageData.m_bBgmLoop = 1;
        GameProgress.m_nBgm = c.playing;
        m_Tunes.clear();
        ASSERT_TRUE(SetUp(c.firstStart));
        EXPECT_EQ(m_Tunes, c.asked);
    }
}

TEST_F(StageSetup, TheHitScheduleSpreadsTheShotPassesOverTheSubSteps)
{
    StageData.m_nShotHitPasses = 0;
    ASSERT_TRUE(SetUp());
    EXPECT_EQ(Scene().m_HitSchedule, std::vector<int>(StageData.m_nSubSteps, 1));
    StageData.m_nHitCheckLevel = 4;
    StageData.m_nShotHitPasses = 3;
    ASSERT_TRUE(SetUp());
    ASSERT_EQ(StageData.m_nSubSteps, 4);
    EXPECT_EQ(Scene().m_HitSchedule, (std::vector<int>{1, 1, 1, 0}));
}

// -- summons --

TEST_F(StageSetup, ASummonedCharacterStandsAtItsCornerInFrontOfItsLayer)
{
    ASSERT_TRUE(SetUp());
    cStageScene& s = Scene();
    cEdShot shot;
    shot.m_bNoScore = 1;
    shot.m_bLifetime = 1;
    shot.m_sLifetime = 5;
    cCharaData def = Placed(CHARA_COMPUTER, 0, 0, 1);
    def.m_nScore = 100;
    int serial = s.m_nNextCharaSerial;
    s.SpawnCharacter(CharaList, 15 * 32, 14 * 32, 3, 1, 0, shot, def, serial);
    ASSERT_EQ(CharaList.size(), 2u);
    EXPECT_EQ(serial, s.m_nNextCharaSerial + 2);
    const cNpc& first = CharaList.front();
    EXPECT_EQ(first.m_dLeft, 15 * 32 + first.m_nDrawOffX);
    EXPECT_EQ(first.m_dTop, 14 * 32 + first.m_nDrawOffY);
    EXPECT_EQ(CharaList.back().m_dLeft - first.m_dLeft, 32);
    EXPECT_EQ(first.m_nHitLayer, 3);
    EXPECT_EQ(first.m_nFacing, 1);
    EXPECT_EQ(first.m_Def.m_nScore, 0);
    EXPECT_EQ(first.m_nLife, 5 * StageData.m_nSubSteps6);
    ASSERT_EQ(s.m_CharaLayers[3].size(), 2u);
    EXPECT_EQ(s.m_CharaLayers[3].front(), &CharaList.back());

    // Outside the stage: nothing.
    s.SpawnCharacter(CharaList, 2 * 32, 14 * 32, 3, 1, 0, shot, Placed(CHARA_COMPUTER, 0, 0), serial);
    EXPECT_EQ(CharaList.size(), 2u);
}

TEST_F(StageSetup, ASummonedItemStandsAtItsCornerMovedByItsOffsets)
{
    ASSERT_TRUE(SetUp());
    cEdShot shot;
    cItemData def;
    def.m_sOffsetX = 3;
    def.m_sOffsetY = -2;
    int serial = 4;
    Scene().SpawnItem(ItemList, 15 * 32, 14 * 32, 0, shot, def, serial);
    ASSERT_EQ(ItemList.size(), 1u);
    EXPECT_EQ(serial, 5);
    const cItem& item = ItemList.front();
    EXPECT_EQ(item.m_nRef, 4);
    EXPECT_EQ(item.m_dLeft, 15 * 32 + item.m_nDrawOffX + 3);
    EXPECT_EQ(item.m_dTop, 14 * 32 + item.m_nDrawOffY - 2);
    Scene().SpawnItem(ItemList, -100, 0, 0, shot, def, serial);
    EXPECT_EQ(ItemList.size(), 1u);
    EXPECT_EQ(serial, 5);
}

TEST_F(StageSetup, BlockSummonsPlaceRemoveAndToggleEachCellOnce)
{
    StageData.m_PlacedBlocks = {SolidBlock(5, 2, 4)};
    ASSERT_TRUE(SetUp());
    cStageScene& s = Scene();
    cBlockData brick = SolidBlock(0, 0, 9);
    cEdShot shot;
    auto at = [&](int column, int row) -> cBlockData& { return BlockMap[MapIndex(column, row, Shift())]; };
    auto px = [](int cell) { return (cell + 10) * 32.0; };

    shot.m_cBlockSummonMode = 0;
    s.PlaceBlock(px(1), px(1), shot, brick);
    EXPECT_EQ(at(1, 1).m_sGraphic, 9);
    shot.m_cBlockSummonMode = 1;
    s.PlaceBlock(px(1), px(1), shot, brick);
    EXPECT_EQ(at(1, 1).m_sGraphic, 0);
    EXPECT_EQ(at(1, 1).m_cCollision, BLOCK_PASSABLE);

    // Toggle: the block there goes, and the same summon does not bring it back.
    shot.m_cBlockSummonMode = 2;
    s.m_SummonedBlocks.clear();
    s.PlaceBlock(px(5), px(2), shot, brick);
    s.PlaceBlock(px(5) + 3, px(2), shot, brick);
    EXPECT_EQ(at(5, 2).m_sGraphic, 0);
    s.PlaceBlock(px(6), px(2), shot, brick);
    EXPECT_EQ(at(6, 2).m_sGraphic, 9);
    EXPECT_EQ(s.m_SummonedBlocks.size(), 2u);

    // A protected block stays; so does every cell off the map.
    cBlockData guard = SolidBlock(0, 0, 5);
    guard.m_bProtected = 1;
    shot.m_cBlockSummonMode = 0;
    s.PlaceBlock(px(3), px(3), shot, guard);
    s.PlaceBlock(px(3), px(3), shot, brick);
    EXPECT_EQ(at(3, 3).m_sGraphic, 5);
    std::vector<cBlockData> before = BlockMap;
    for (double x : {-40.0, 32.0 * 40, 0.0})
        for (double y : {-40.0, 32.0 * 40}) s.PlaceBlock(x, y, shot, brick);
    s.PlaceBlock(32.0 * s.m_ScrollX.m_nPitch, 0, shot, brick);
    int changed = 0;
    for (size_t i = 0; i < BlockMap.size(); ++i) changed += BlockMap[i].m_sGraphic != before[i].m_sGraphic;
    EXPECT_EQ(changed, 0);
}

TEST_F(StageSetup, ABlockSummonOntoThePlayerGivesWayWhenTheShotSaysSo)
{
    ASSERT_TRUE(SetUp());
    cStageScene& s = Scene();
    cBlockData brick = SolidBlock(0, 0, 9);
    cEdShot shot;
    auto [column, row] = CellOf(Player[P1]);
    double x = (column + 10) * 32.0, y = (row + 10) * 32.0;
    cBlockData& cell = BlockMap[MapIndex(column, row, Shift())];

    shot.m_cBlockSummonMode = 2;
    shot.m_bCancelOnPlayer = 1;
    s.m_SummonedBlocks.clear();
    s.PlaceBlock(x, y, shot, brick);
    EXPECT_EQ(cell.m_sGraphic, 0);
    EXPECT_TRUE(s.m_SummonedBlocks.empty());
    EXPECT_EQ(Player[P1].m_nSqueezeGrace, 2);

    Player[P1].m_nSqueezeGrace = 0;
    shot.m_bCancelOnPlayer = 0;
    s.PlaceBlock(x, y, shot, brick);
    EXPECT_EQ(cell.m_sGraphic, 9);
    EXPECT_EQ(s.m_SummonedBlocks.size(), 1u);
    EXPECT_EQ(Player[P1].m_nSqueezeGrace, 2);
}

// -- the sample game --

TEST_F(StageSetup, TheSampleStagesSetUpWithTheirHeroAndPlacedObjects)
{
    UseSampleDatabaseCounts();
    CommonPalette = MakeCommonPalette();
    std::vector<cStageFile> stages = MakeStages(CommonPalette);
    ASSERT_FALSE(stages.empty());
    for (const cStageFile& file : stages) {
        SCOPED_TRACE(file.sPath);
        StageData = file.Stage;
        int hero = StageData.FindHero();
        ASSERT_GE(hero, 0);
        size_t spawned = 0;
        for (const cCharaData& c : StageData.m_PlacedCharas)
            if (c.m_cControl != CHARA_PLAYER) spawned += c.m_cExtraCopies >= 0 ? c.m_cExtraCopies + 1 : 0;
        ASSERT_TRUE(SetUp());
        const cCharaData& h = StageData.m_PlacedCharas[hero];
        EXPECT_EQ(CellOf(Player[P1]), std::make_pair(int{h.m_sCellX}, int{h.m_sCellY}));
        EXPECT_EQ(CharaList.size(), spawned);
        // No sample character carries an item: every placed item is in play.
        EXPECT_EQ(ItemList.size(), StageData.m_PlacedItems.size());
        for (const cBlockData& b : StageData.m_PlacedBlocks)
            EXPECT_EQ(BlockMap[MapIndex(b.m_sCellX, b.m_sCellY, Shift())].m_sGraphic, b.m_sGraphic);
        // The view shows the hero.
        EXPECT_GE(Player[P1].m_nScreenLeft, 0);
        EXPECT_LT(Player[P1].m_nScreenLeft, 640);
        EXPECT_GE(Player[P1].m_nScreenTop, 0);
        EXPECT_LT(Player[P1].m_nScreenTop, 480);
    }
}

// After the before-start flows a character out of hit points leaves the
// stage; only characters that take part are tried, unless the settings ask
// for the old order that tries every one.
TEST_F(StageSetup, CharactersOutOfHitPointsLeaveAfterTheBeforeStartFlows)
{
    StageData.m_nWidth = 100;
    StageData.m_nObjectLimitX = 4000;
    cCharaData near = Placed(CHARA_COMPUTER, 4, 5), far = Placed(CHARA_COMPUTER, 90, 5);
    near.m_nMaxHp = far.m_nMaxHp = 0;
    StageData.m_PlacedCharas.push_back(near);
    StageData.m_PlacedCharas.push_back(far);
    StageData.m_PlacedCharas.push_back(Placed(CHARA_COMPUTER, 5, 5));
    for (int legacy : {0, 1}) {
        SCOPED_TRACE(legacy);
        SystemData.m_bLegacyStartTrigger = legacy;
        ASSERT_TRUE(SetUp());
        std::vector<int> left;
        for (const cNpc& c : CharaList) left.push_back(CellOf(c).first);
        EXPECT_EQ(left, (legacy ? std::vector<int>{5} : std::vector<int>{90, 5}));
        size_t layered = 0;
        for (const auto& layer : Scene().m_CharaLayers) layered += layer.size();
        EXPECT_EQ(layered, CharaList.size() + 1);
    }
}
