#include <filesystem>

#include "files/file_copy.h"
#include "files/save_slots.h"
#include "tests/files/files_test_support.h"

namespace {

// The 32 ints of the record part in file order, with the first version that stores each.
struct ProgressField {
    const char* name;
    int32_t cGameProgress::*member;
    int since;
};

#define PF(member, since) ProgressField{#member, &cGameProgress::member, since}
const ProgressField kFields[32] = {
    PF(m_bCarryOver, 0),      PF(m_nMapX, 0),           PF(m_nMapY, 0),          PF(m_nMapStageRef, 0),
    PF(m_nLap, 0),            PF(m_nStageNo, 0),        PF(m_nArea, 0),          PF(m_nStartLives, 0),
    PF(m_nLives, 0),          PF(m_nScore, 0),          PF(m_nTotalScore, 0),    PF(m_nBestTotal, 0),
    PF(m_nTotalTimeLeft, 0),  PF(m_nTotalClearTime, 0), PF(m_nTotalHp, 182),     PF(m_nTotalSp, 182),
    PF(m_bLinked, 0),         PF(m_nBgm, 0),            PF(m_bBgmLoop, 166),     PF(m_nMapFacing, 194),
    PF(m_bBackFromStage, 190), PF(m_nMapSafeX, 191),    PF(m_nMapSafeY, 191),    PF(m_nChallengeOpen, 0),
    PF(m_nSlot, 0),           PF(m_bAutoSave, 169),     PF(m_bShowRanking, 0),   PF(m_nRankingGenre, 0),
    PF(m_bNextStart, 678),    PF(m_nNextStartX, 678),   PF(m_nNextStartY, 678),  PF(m_nNextStartDir, 679),
};
#undef PF

// The stored bytes of a default character definition, as its own record writes them.
std::vector<unsigned char> DefaultCharaBytes()
{
    cCharaData chara;
    EXPECT_EQ(chara.SaveFile("chara.dat"), 1);
    std::vector<unsigned char> bytes = ReadFileBytes("chara.dat");
    return std::vector<unsigned char>(bytes.begin() + 4, bytes.end());
}

// A progress body of a file of this version: every stored field holds its
// index, key "k.", name "bob", save time 2026-12-10 (Thu) 19:05:30.250, no
// carry-over record, one best value, no challenge, two clear flags {1, 1},
// three common variables {5, 6, 7}.
std::vector<unsigned char> IndexedBody(int version)
{
    FixtureBytes b;
    uint32_t n = 0;
    for (const ProgressField& f : kFields) n += f.since <= version;
    b.u32(n);
    for (int i = 0; i < 32; ++i)
        if (kFields[i].since <= version) b.i32(i);
    b.u32(2);
    Text(b, "k.");
    Text(b, "bob");
    b.hex("EA07 0C00 0400 0A00 1300 0500 1E00 FA00");
    if (version >= 501) Zeros(b.u32(3), 3);
    b.u32(0);
    b.u32(1).u32(1).i32(40).u32(1);
    Text(b, "k.");
    b.u32(0);
    b.u32(2).i32(1).i32(1);
    b.u32(3).i32(5).i32(6).i32(7);
    return b.get();
}

class GameProgressTest : public FilesTest {};

// A progress saved at the current version: every part typed out by hand.
TEST_F(GameProgressTest, SaveWritesTheWholeBody)
{
    SystemData.m_nChallengeCount = 2;
    cGameProgress p;
    p.m_nMapX = 3;
    p.m_nLives = 5;
    p.m_nTotalScore = 1234;
    p.m_sStageKey = "ab.";
    p.m_SaveTime = SAVETIME{2026, 12, 4, 10, 19, 5, 30, 0};
    p.m_CarryFlags[24] = 1;
    p.SetBestValue("ab.", 900);
    p.m_ClearFlags[2] = 1;
    p.m_CommonVars[255] = -2;

    FixtureBytes b;
    b.u32(32);
    b.i32(0).i32(3).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);  // carry .. start lives
    b.i32(5).i32(0).i32(1234).i32(900).i32(0).i32(0).i32(0).i32(0);  // lives .. total SP
    b.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);  // linked .. safe y
    b.i32(1).i32(-1).i32(0).i32(0).i32(0);  // challenge open, slot, auto save, show, genre
    b.i32(0).i32(0).i32(0).i32(0);  // next start
    b.u32(2).hex("04000000 61622E00").hex("04000000 61616100");
    b.hex("EA07 0C00 0400 0A00 1300 0500 1E00 0000");
    Zeros(b.u32(25), 24).i32(1);
    b.u32(1).u32(5);
    Zeros(b, 5).u32(0).bytes(DefaultCharaBytes());
    b.u32(1).u32(1).i32(900).u32(1).hex("04000000 61622E00");
    b.u32(2).u32(2).i32(0).i32(0).u32(0).u32(2).i32(0).i32(0).u32(0);
    b.u32(1000).i32(1).i32(0).i32(1);
    Zeros(b, 997);
    Zeros(b.u32(256), 255).i32(-2);
    EXPECT_EQ(SavedBody(p), b.get());
}

// Older files: the fields they lack get the upgrade values, or keep what the
// progress held (the next-start fields); the lists reach their reset sizes.
TEST_F(GameProgressTest, OlderFilesUpgrade)
{
    SystemData.m_nChallengeCount = 30;
    struct Row {
        int version;
        int bgmLoop, carryFlag;  // expected m_bBgmLoop and each carry flag
    };
    const Row rows[] = {{165, 1, 1}, {500, 18, 1}, {501, 18, 0}, {677, 18, 0}, {708, 18, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.version);
        WriteFileBytes("old.dat", WithHead(row.version, IndexedBody(row.version)));
        cGameProgress p;
        for (const ProgressField& f : kFields) p.*f.member = 7777;
        ASSERT_EQ(p.LoadFile("old.dat"), 1);
        for (int i = 0; i < 32; ++i) {
            const ProgressField& f = kFields[i];
            int expected = i;
            if (f.since > row.version) expected = f.since >= 678 ? 7777 : 0;
            if (f.member == &cGameProgress::m_bBgmLoop) expected = row.bgmLoop;
            if (f.member == &cGameProgress::m_nRankingGenre) expected = 0;  // 27 is no genre
            EXPECT_EQ(p.*f.member, expected) << f.name;
        }
        EXPECT_EQ(p.m_sStageKey, "k.");
        EXPECT_EQ(p.m_sPlayerName, "bob");
        EXPECT_EQ(p.m_SaveTime.wYear, 2026);
        EXPECT_EQ(p.m_SaveTime.wMilliseconds, 250);
        ASSERT_EQ(p.m_CarryFlags.size(), 25u);
        for (int32_t flag : p.m_CarryFlags) EXPECT_EQ(flag, row.carryFlag);
        EXPECT_EQ(p.m_CarryOver.size(), 1u);
        EXPECT_EQ(p.GetBestValue("k."), 40);
        EXPECT_EQ(p.m_ChallengeRecords.size(), 30u);
        ASSERT_EQ(p.m_ClearFlags.size(), 1000u);
        EXPECT_EQ(p.m_ClearFlags[1], 1);
        EXPECT_EQ(p.m_ClearFlags[2], 0);
        ASSERT_EQ(p.m_CommonVars.size(), 256u);
        EXPECT_EQ(p.m_CommonVars[2], 7);
    }
}

TEST_F(GameProgressTest, NormalizeClampsWhatTheGameIndexesWith)
{
    SystemData.m_nChallengeCount = 3;
    struct Row {
        int mapX, mapY, slot, genre, open;
        int wantX, wantY, wantSlot, wantGenre, wantOpen;
    };
    const Row rows[] = {
        {-1, 14, 98, 4, 3, -1, 14, 98, 4, 3},   // in range, negative map cells stay
        {20, 15, 99, -1, 4, 9, 7, -1, 0, 3},    // the map's size, beyond the slots and genres
        {5, 5, -2, 5, 0, 5, 5, -1, 0, 0},
    };
    for (const Row& row : rows) {
        cGameProgress p;
        p.m_nMapX = row.mapX;
        p.m_nMapY = row.mapY;
        p.m_nSlot = row.slot;
        p.m_nRankingGenre = row.genre;
        p.m_nChallengeOpen = row.open;
        p.m_CommonVars.resize(300, 9);
        p.m_ClearFlags.resize(3);
        p.m_ChallengeRecords.resize(5);
        p.Normalize();
        EXPECT_EQ(p.m_nMapX, row.wantX);
        EXPECT_EQ(p.m_nMapY, row.wantY);
        EXPECT_EQ(p.m_nSlot, row.wantSlot);
        EXPECT_EQ(p.m_nRankingGenre, row.wantGenre);
        EXPECT_EQ(p.m_nChallengeOpen, row.wantOpen);
        EXPECT_EQ(p.m_CommonVars.size(), 300u);  // never shrunk
        EXPECT_EQ(p.m_ClearFlags.size(), 1000u);
        EXPECT_EQ(p.m_ChallengeRecords.size(), 3u);
    }
}

TEST_F(GameProgressTest, SlotFilesAreNumberedFromOne)
{
    const std::pair<int, const char*> rows[] = {
        {0, "user_data\\story\\Story01.dat"}, {8, "user_data\\story\\Story09.dat"},
        {9, "user_data\\story\\Story10.dat"}, {98, "user_data\\story\\Story99.dat"}};
    for (const auto& [slot, path] : rows) EXPECT_EQ(GetStorySlotPath(slot), path);
}

TEST_F(GameProgressTest, StageNames)
{
    struct Row {
        const char* name;
        const char* key;
        int linked;
    };
    const Row rows[] = {
        {"data\\stg4\\c05-1.stg4", "data\\stg4\\c05.", 1},
        {"stage-12.stg4", "stage.", 1},
        {"a-1b-10.stg4", "a-1b.", 1},  // the last "-1" counts
        {"a.b.stg4", "a.b.", 0},
        {"stage-2.stg4", "stage-2.", 0},
        {"abc", "", 0},
        {nullptr, "", 0},
    };
    for (const Row& row : rows) {
        cGameProgress p;
        p.SetStageName(row.name);
        EXPECT_EQ(p.m_sStageKey, row.key) << (row.name ? row.name : "null");
        EXPECT_EQ(p.m_bLinked, row.linked) << (row.name ? row.name : "null");
    }
}

TEST_F(GameProgressTest, BestValues)
{
    cGameProgress p;
    p.SetBestValue("a.", -50);  // a first negative value lowers the total
    EXPECT_EQ(p.m_nBestTotal, -50);
    p.SetBestValue("a.", -50);
    p.SetBestValue("a.", -80);
    EXPECT_EQ(p.m_nBestTotal, -50);
    p.SetBestValue("a.", 100);
    p.SetBestValue("b.", 30);
    EXPECT_EQ(p.m_nBestTotal, 130);
    EXPECT_EQ(p.GetBestValue("a."), 100);
    EXPECT_EQ(p.GetBestValue("c."), 0);

    // Only stages still on the map count.
    WorldMap.m_Points.resize(1);
    WorldMap.m_Points[0].m_Stages.resize(2);
    WorldMap.m_Points[0].m_Stages[0].m_sStageFile = "b-1";
    WorldMap.m_Points[0].m_Stages[1].m_sStageFile = "a";
    WorldMap.m_Points[0].m_Stages[1].m_nKind = WORLD_ROAD;
    p.SumBestValues();
    EXPECT_EQ(p.m_nBestTotal, 30);
}

TEST_F(GameProgressTest, StageStartAndLap)
{
    SystemData.m_bStoryRestoreVars = 0;
    SystemData.m_bDirectRestoreVars = 1;
    cGameProgress p;
    p.m_nLives = 3;
    p.m_nTotalScore = 10;
    p.m_CommonVars[1] = 4;
    p.SaveStageStart();
    struct Row {
        int all, mode, direct;
        int vars, lives;
    };
    const Row rows[] = {{1, 0, 0, 4, 3}, {0, 0, 0, 99, 1}, {0, 0, 1, 4, 1}, {0, 1, 0, 4, 1}, {0, 3, 0, 4, 1}};
    for (const Row& row : rows) {
        p.m_nLives = 1;
        p.m_nTotalScore = 500;
        p.m_CommonVars[1] = 99;
        p.RestoreStageStart(row.all, row.mode, row.direct);
        EXPECT_EQ(p.m_nTotalScore, 10);
        EXPECT_EQ(p.m_CommonVars[1], row.vars);
        EXPECT_EQ(p.m_nLives, row.lives);
    }
    p.m_ClearFlags[5] = 1;
    p.StartNextLap();
    EXPECT_EQ(p.m_nLap, 1);
    EXPECT_EQ(std::count(p.m_ClearFlags.begin(), p.m_ClearFlags.end(), 0), 1000);
    EXPECT_EQ(p.m_nMapX, 9);
    EXPECT_EQ(p.m_nMapY, 7);
}

TEST_F(GameProgressTest, RankingGenreSkipsDisabledGenres)
{
    struct Row {
        std::vector<uint8_t> genres;
        int from, steps, to;
    };
    const Row rows[] = {
        {{0, 1, 0, 1, 0}, 3, 1, 1},  {{0, 1, 0, 1, 0}, 3, -1, 1}, {{0, 1, 0, 1, 0}, 1, 2, 1},
        {{0, 1, 0, 1, 0}, 0, 0, 1},  {{0, 1, 0, 1, 0}, 3, 0, 3},  {{0, 0, 0, 0, 0}, 3, 1, 3},
        {{1, 1, 1, 1, 1}, 4, 1, 0},  {{1, 1, 1, 1, 1}, 0, -1, 4}, {{0, 0, 1}, 4, 1, 2},
        {{1, 0, 0, 0, 1}, 0, 2000000001, 4},
    };
    for (const Row& row : rows) {
        SystemData.m_ModeSettings[1].m_Genres = row.genres;
        cGameProgress p;
        p.m_nRankingGenre = row.from;
        p.StepRankingGenre(1, row.steps);
        EXPECT_EQ(p.m_nRankingGenre, row.to) << row.from << " by " << row.steps;
    }
}

// Each group alone: kept, stored, given back; not kept: nothing moves;
// forgotten after a lost life: not given back.
TEST_F(GameProgressTest, CarryOverGroups)
{
    struct Row {
        int group;
        void (*set)(cCharaData&);
        int (*get)(const cCharaData&);
        int stored;
    };
    const Row rows[] = {
        {0, [](cCharaData& c) { c.m_cGraphicKind = 3, c.m_sGraphic = 7, c.m_sChipOffset = 9; },
         [](const cCharaData& c) { return c.m_cGraphicKind * 10000 + c.m_sGraphic * 100 + c.m_sChipOffset; }, 30709},
        {1, [](cCharaData& c) { c.m_sAnimeSet = 12; }, [](const cCharaData& c) { return int(c.m_sAnimeSet); }, 12},
        {2, [](cCharaData& c) { c.m_cZOrder = 6; }, [](const cCharaData& c) { return int(c.m_cZOrder); }, 6},
        {3, [](cCharaData& c) { c.m_bTransparent = 1; }, [](const cCharaData& c) { return int(c.m_bTransparent); }, 1},
        {5, [](cCharaData& c) { c.m_bFixedFacing = 0; }, [](const cCharaData& c) { return int(c.m_bFixedFacing); }, 0},
        {6, [](cCharaData& c) { c.m_cFlying = 2; }, [](const cCharaData& c) { return int(c.m_cFlying); }, 2},
        {7, [](cCharaData& c) { c.m_cInvincible = 2; }, [](const cCharaData& c) { return int(c.m_cInvincible); }, 2},
        {8, [](cCharaData& c) { c.m_cSize = 4; }, [](const cCharaData& c) { return int(c.m_cSize); }, 4},
        {9, [](cCharaData& c) { c.m_bAutoScrollSync = 1; }, [](const cCharaData& c) { return int(c.m_bAutoScrollSync); }, 1},
        {10, [](cCharaData& c) { c.m_cSightShape = 2, c.m_cSightRange = 8; },
         [](const cCharaData& c) { return c.m_cSightShape * 100 + c.m_cSightRange; }, 208},
        {13, [](cCharaData& c) { c.m_nMaxHp = 500; }, [](const cCharaData& c) { return c.m_nMaxHp; }, 500},
        {14, [](cCharaData& c) { c.m_nMaxSp = 60; }, [](const cCharaData& c) { return c.m_nMaxSp; }, 60},
        {15, [](cCharaData& c) { c.m_cContactBox = 2; }, [](const cCharaData& c) { return int(c.m_cContactBox); }, 2},
        {16, [](cCharaData& c) { c.m_nPower = 33; }, [](const cCharaData& c) { return c.m_nPower; }, 33},
        {17, [](cCharaData& c) { c.m_cImpact = 5; }, [](const cCharaData& c) { return int(c.m_cImpact); }, 5},
        {18, [](cCharaData& c) { c.m_nDefence = 8; }, [](const cCharaData& c) { return c.m_nDefence; }, 8},
        {19, [](cCharaData& c) { c.m_cImpactResist = 3; }, [](const cCharaData& c) { return int(c.m_cImpactResist); }, 3},
        {20, [](cCharaData& c) { c.m_sStop = 150; }, [](const cCharaData& c) { return int(c.m_sStop); }, 150},
        {21, [](cCharaData& c) { c.m_Flows.resize(2); }, [](const cCharaData& c) { return int(c.m_Flows.size()); }, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.group);
        cCharaData source;
        row.set(source);
        const cCharaData fresh;
        for (int keep = 0; keep <= 1; ++keep) {
            SystemData.m_CarryOverKeep.assign(25, 0);
            SystemData.m_CarryOverKeep[row.group] = static_cast<uint8_t>(keep);
            cGameProgress p;
            p.StoreCarryOver(0, source, 1, 2, 3, 1, 0, 4, 5, 6);
            EXPECT_EQ(p.m_bCarryOver, 1);
            EXPECT_EQ(p.m_CarryFlags[row.group], keep);
            cCharaData restored;
            p.RestoreCarryOver(0, restored);
            EXPECT_EQ(row.get(restored), keep ? row.stored : row.get(fresh));

            SystemData.m_CarryOverReset.assign(25, 0);
            SystemData.m_CarryOverReset[row.group] = 1;
            p.ClearCarryOverFlags();
            cCharaData afterLoss;
            p.RestoreCarryOver(0, afterLoss);
            EXPECT_EQ(row.get(afterLoss), row.get(fresh));
        }
    }
}

// The groups whose values are not definition fields, and graphic 0.
TEST_F(GameProgressTest, CarryOverValues)
{
    SystemData.m_CarryOverKeep.assign(25, 1);
    cCharaData source;
    source.m_sGraphic = 0;
    cGameProgress p;
    p.RestoreCarryOverExtra(0, nullptr, nullptr);  // nothing stored yet: nothing happens
    p.StoreCarryOver(0, source, 40, 50, 17, 1, 0, 600, 8, 3);
    p.m_nLives = 1;
    cCharaData restored;
    int32_t time = 0, music = 0;
    p.RestoreCarryOver(0, restored, &time, &music);
    EXPECT_EQ(restored.m_sGraphic, 1);
    EXPECT_EQ(restored.m_sPlaceEffect, 17);
    EXPECT_EQ(restored.m_cPlaceEffectDir, 1);
    EXPECT_EQ(restored.m_bPlaceEffectLoop, 0);
    EXPECT_EQ(time, 600);
    EXPECT_EQ(music, 3);
    EXPECT_EQ(p.m_nLives, 8);
    int hp = 0, sp = 0;
    p.RestoreCarryOverExtra(0, &hp, &sp);
    EXPECT_EQ(hp, 40);
    EXPECT_EQ(sp, 50);

    SystemData.m_CarryOverReset.assign(25, 0);
    SystemData.m_CarryOverReset[11] = 1;
    p.ClearCarryOverFlags();
    hp = sp = 0;
    p.RestoreCarryOverExtra(0, &hp, &sp);
    EXPECT_EQ(hp, 0);
    EXPECT_EQ(sp, 50);
}

class SaveSlotTest : public FilesTest {
protected:
    void SetUp() override
    {
        FilesTest::SetUp();
        lpGetSaveTime = [](SAVETIME& t) { t = SAVETIME{2027, 1, 5, 8, 7, 6, 5, 4}; };
        SaveSlotList.assign(SAVE_SLOT_COUNT, cSaveSlotData());
    }
    void TearDown() override
    {
        lpGetSaveTime = saved;
        SaveSlotList.assign(SAVE_SLOT_COUNT, cSaveSlotData());
        FilesTest::TearDown();
    }
    void (*saved)(SAVETIME&) = lpGetSaveTime;
};

TEST_F(SaveSlotTest, SaveAndLoadWithTheLivesRule)
{
    cGameProgress p;
    p.m_nLives = INFINITE_LIVES;
    p.m_nStartLives = 4;
    p.m_nScore = 77;
    ASSERT_EQ(p.SaveSlot(2), 1);
    EXPECT_EQ(SaveSlotList[2].m_bExists, 1);
    EXPECT_EQ(SaveSlotList[2].m_Time.wYear, 2027);
    EXPECT_TRUE(FileIsPresent("user_data\\story\\Story03.dat"));

    struct Row {
        int infinite, defaultLives;
        int lives, startLives;
    };
    const Row rows[] = {{1, 3, INFINITE_LIVES, INFINITE_LIVES}, {0, 3, 3, 4}};
    for (const Row& row : rows) {
        SystemData.m_InfiniteLives[0] = row.infinite;
        SystemData.m_DefaultLives[0] = row.defaultLives;
        cGameProgress q;
        ASSERT_EQ(q.LoadSlot(2), 1);
        EXPECT_EQ(q.m_nScore, 77);
        EXPECT_EQ(q.m_nLives, row.lives);
        EXPECT_EQ(q.m_nStartLives, row.startLives);
    }
}

TEST_F(SaveSlotTest, MissingSlotLoadsNothing)
{
    cGameProgress p;
    p.m_nScore = 5;
    EXPECT_EQ(p.LoadSlot(0), 0);
    EXPECT_EQ(p.m_nScore, 5);
    EXPECT_EQ(p.LoadChallenge(), 0);
    EXPECT_EQ(p.m_nScore, 5);
}

// A save that cannot replace the slot's file says so, and the list does not
// show it as saved.
TEST_F(SaveSlotTest, FailedSaveIsReported)
{
    std::filesystem::create_directories("user_data\\story\\Story01.dat");
    cGameProgress p;
    EXPECT_EQ(p.SaveSlot(0), 0);
    EXPECT_EQ(SaveSlotList[0].m_bExists, 0);
}

// Each slot is read on its own: a damaged slot is listed as unreadable,
// shows no other slot's time and stays on the disk.
TEST_F(SaveSlotTest, ScanListsEachSlotOnItsOwn)
{
    cGameProgress p;
    ASSERT_EQ(p.SaveSlot(0), 1);
    std::vector<unsigned char> good = ReadFileBytes(GetStorySlotPath(0));
    std::vector<unsigned char> cut(good.begin(), good.begin() + 200);
    WriteFileBytes(GetStorySlotPath(1), cut);
    WriteFileBytes(GetStorySlotPath(2), HexBytes("C402"));
    std::vector<cSaveSlotData> list(5);
    list[4].m_bExists = 1;
    ScanSaveSlots(list);
    const int exists[5] = {1, 1, 1, 0, 0}, damaged[5] = {0, 1, 1, 0, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i].m_bExists, exists[i]) << i;
        EXPECT_EQ(list[i].m_bDamaged, damaged[i]) << i;
    }
    EXPECT_EQ(list[0].m_Time.wYear, 2027);
    EXPECT_EQ(list[1].m_Time.wYear, 0);
    EXPECT_EQ(ReadFileBytes(GetStorySlotPath(1)), cut);
    cGameProgress q;
    q.m_nScore = 3;
    EXPECT_EQ(q.LoadSlot(1), 0);
    EXPECT_EQ(q.m_nScore, 3);
}

// Damaged progress files: each load fails, reports once and changes nothing.
TEST_F(SaveSlotTest, DamagedProgressFiles)
{
    cGameProgress p;
    ASSERT_EQ(p.SaveSlot(0), 1);
    std::vector<unsigned char> good = ReadFileBytes(GetStorySlotPath(0));
    struct Row {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    // Offsets: head 4, fields 4 + 128, strings 4 + 4 + 8, time 16 -> the carry flags' count at 168.
    const Row rows[] = {
        {"cut in the fields", std::vector<unsigned char>(good.begin(), good.begin() + 40)},
        {"cut in the common variables", std::vector<unsigned char>(good.begin(), good.end() - 3)},
        {"field count beyond the version", Patched(good, 4, "21000000")},
        {"carry flag count beyond the file", Patched(good, 168, "FFFFFF0F")},
        {"string longer than the file", Patched(good, 136 + 4, "FFFFFF7F")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(WriteFileBytes(GetStorySlotPath(1), row.bytes));
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        cGameProgress q;
        q.m_nScore = 3;
        q.m_sPlayerName = "zed";
        EXPECT_EQ(q.LoadSlot(1), 0);
        EXPECT_EQ(q.m_nScore, 3);
        EXPECT_EQ(q.m_sPlayerName, "zed");
        EXPECT_EQ(DamageReports(), 1);
    }
}

// A challenge file that cannot be read is kept aside before the first save
// over it; a readable one is simply replaced.
TEST_F(SaveSlotTest, DamagedChallengeFileIsKeptAside)
{
    const std::string path = "user_data\\challenge\\Challenge.dat";
    const std::vector<unsigned char> damaged = HexBytes("C4020000 20000000 01");
    WriteFileBytes(path, damaged);
    cGameProgress p;
    EXPECT_EQ(p.LoadChallenge(), 0);
    p.m_nScore = 9;
    ASSERT_EQ(p.SaveChallenge(), 1);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), damaged);
    cGameProgress q;
    ASSERT_EQ(q.LoadChallenge(), 1);
    EXPECT_EQ(q.m_nScore, 9);

    p.m_nScore = 10;
    ASSERT_EQ(p.SaveChallenge(), 1);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), damaged);
}

} // namespace
