#pragma once
// Stage file bodies typed part by part: the stage record from a table of its
// fields, the screen edges, the palette and placed-object lists from the
// definition fixtures, the background layers and texts.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "records/stage_data.h"
#include "tests/records/definition_fixtures.h"

// The stage record's fields in file order: number, the first data version
// that stores it, whether it is a double, the value after a reset.
struct StageField {
    int number;
    int from;
    bool isDouble;
    double reset;
};

inline const StageField kStageFields[] = {
    {1, 0, false, 0},    {2, 0, false, 0},    {3, 0, false, 0},    {4, 0, false, 0},    {5, 0, false, 0},
    {6, 0, false, 0},    {7, 0, false, 0},    {8, 0, false, 0},    {9, 0, false, 0},    {10, 0, false, 0},
    {11, 0, false, 0},   {12, 0, false, 0},   {13, 0, false, 60},  {14, 0, false, 0},   {15, 0, false, 200},
    {16, 0, false, 20},  {17, 0, false, 0},   {18, 0, false, 0},   {19, 0, false, 0},   {20, 0, false, 0},
    {21, 0, true, 0.4},  {22, 0, false, 10},  {23, 0, false, 0},   {24, 0, false, 0},   {25, 166, false, 0},
    {26, 199, false, 0}, {27, 0, false, 1},   {28, 0, false, 0},   {29, 0, false, 0},   {30, 183, false, 1},
    {31, 184, false, 0}, {32, 0, false, 0},   {33, 225, false, 1}, {34, 0, false, 1},   {35, 0, false, 1},
    {36, 200, false, 16}, {37, 200, false, 24}, {38, 200, false, 16}, {39, 200, false, 16}, {40, 0, false, 16},
    {41, 0, false, 24},  {42, 155, false, 16}, {43, 155, false, 16}, {44, 0, false, 12},  {45, 0, false, 8},
    {46, 0, false, 16},  {47, 0, false, 16},  {48, 200, false, 1}, {49, 200, false, 0}, {50, 155, false, 1},
    {51, 155, false, 0}, {52, 200, false, 0}, {53, 0, false, 0},   {54, 0, false, 0},   {55, 0, false, 0},
    {56, 200, false, 0}, {57, 0, false, 0},   {58, 0, false, 0},   {59, 0, false, 0},   {60, 200, false, 16},
    {61, 200, false, 24}, {62, 200, false, 16}, {63, 200, false, 16}, {64, 0, false, 12},  {65, 0, false, 24},
    {66, 155, false, 12}, {67, 155, false, 16}, {68, 0, false, 30},  {69, 0, false, 30},  {70, 200, false, 1},
    {71, 200, false, 0}, {72, 155, false, 1}, {73, 155, false, 0}, {74, 0, false, 28},  {75, 0, false, 28},
    {76, 0, false, 16},  {77, 0, false, 16},  {78, 0, false, 16},  {79, 0, false, 16},  {80, 0, false, 16},
    {81, 0, false, 16},  {82, 0, false, 16},  {83, 0, false, 16},  {84, 0, false, 1},   {85, 0, false, 0},
    {86, 0, false, 0},   {87, 0, false, 0},   {88, 0, true, 0},    {89, 0, true, 0},    {90, 0, true, 0},
    {91, 0, true, 0},    {92, 0, true, 0},    {93, 0, false, 0},   {94, 0, false, 1},   {95, 0, false, 30},
    {96, 0, false, 0},   {97, 0, false, 30},  {98, 0, false, 0},
};

// The values the fixtures store: each field its own number, except a stage
// of 100 by 60 cells, gravity 0.5, hit-check level 15 and 3 shot-hit passes.
// The tune (24) needs a music list of 25 tunes or more to stay.
inline double StoredValue(int number)
{
    switch (number) {
    case 1: return 100;
    case 4: return 60;
    case 21: return 0.5;
    case 22: return 15;
    case 23: return 3;
    default: return number;
    }
}

// The timing values of hit-check level 15 (5 sub-steps) with gravity 0.5.
inline const std::map<int, double> kLevel15Timing = {{87, 5},          {88, 5},  {89, 25}, {90, 60},
                                                     {91, 0.5 / 25}, {92, 12}, {93, 40}};

// The record of the fixtures at a version: the stored values, with the
// timing values of level 15 where timing is given; then the text "st".
inline Bytes StoredStageRecord(int version, const std::map<int, double>& timing = {})
{
    FixtureBytes fields;
    uint32_t n = 0;
    for (const StageField& f : kStageFields) {
        if (version < f.from) continue;
        ++n;
        fields.sized(f.isDouble ? 8 : 4, timing.count(f.number) ? timing.at(f.number) : StoredValue(f.number));
    }
    FixtureBytes record;
    record.u32(n).bytes(fields.get()).hex("01000000 03000000 737400");
    return record.get();
}

// The five screen edges of the fixtures, in the current layout.
inline const char* const kStageEdges =
    "08000000 01000000 00000000 01000000 00000000 00000000 01000000 02000000 03000000 00000000"
    "08000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 02000000 02000000 02000000 02000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 00000000 00000000 00000000 00000000 00000000"
    "08000000 01000000 01000000 01000000 01000000 0A000000 0A000000 0A000000 0A000000 00000000";
// One background layer showing "sky.bmp"; two texts.
inline const char* const kStageBackgrounds =
    "01000000 0A000000 00000000 01000000 05000000 01000000 000000000000D03F 000000000000E03F 01000000"
    "         00000000 000000000000F83F 0000000000000000 01000000 08000000 736B792E626D7000";
inline const char* const kStageTexts =
    "02000000 00000000 01000000 06000000 68656C6C6F00"
    "         00000000 01000000 01000000";
inline const char* const kStageEndMarker = "15CD5B07";

// Each palette list as a normalised stage holds it when the file held none:
// two default rows (a block without a chip does not collide).
inline Bytes DefaultPaletteLists()
{
    BlockFixture block;
    block.collision = 0;
    return FixtureBytes()
        .bytes(StoredList({block.Stored(), block.Stored()}))
        .bytes(StoredList({CharaFixture().Stored(), CharaFixture().Stored()}))
        .bytes(StoredList({ItemFixture().Stored(), ItemFixture().Stored()}))
        .get();
}

// A current stage file's body with something in every list. Where each list
// count lies is kept, for fixtures that spoil one.
struct StageFixture {
    std::vector<int> ranks = {1, 0, 1, 0, 1};
    std::vector<Bytes> blocks, charas, items;           // the palette
    std::vector<Bytes> placedBlocks, placedCharas, placedItems;
    uint32_t unused = 0;                                // the u32 before each placed record

    // Two rows in each palette list, one placed block, one placed hero and
    // one placed item.
    static StageFixture Full()
    {
        StageFixture s;
        BlockFixture block0;
        block0.collision = 0;
        BlockFixture brick;
        brick.name = "レンガ", brick.graphic = 5, brick.collision = 1, brick.itemSource = 2, brick.itemIndex = 1;
        brick.conditions = {ConditionBytes(2, 9)};
        CharaFixture hero;
        hero.name = "主人公";
        hero.Set("m_cControl", 0).Set("m_nMaxHp", 30);
        CharaFixture enemy;
        enemy.name = "敵";
        enemy.flows = {FlowWith(WaitCommand())};
        ItemFixture coin;
        coin.name = "コイン", coin.graphic = 4;
        s.blocks = {block0.Stored(), brick.Stored()};
        s.charas = {CharaFixture().Stored(), enemy.Stored()};
        s.items = {ItemFixture().Stored(), coin.Stored()};
        BlockFixture placedBrick = brick;
        placedBrick.cellX = 3, placedBrick.cellY = 4;
        CharaFixture placedHero = hero;
        placedHero.cellX = 2, placedHero.cellY = 5, placedHero.itemLink = 0;
        CharaFixture placedEnemy = enemy;
        placedEnemy.cellX = 9, placedEnemy.cellY = 5, placedEnemy.itemLink = -1;
        ItemFixture placedCoin = coin;
        placedCoin.cellX = 7, placedCoin.cellY = 1;
        s.placedBlocks = {placedBrick.Stored()};
        s.placedCharas = {placedEnemy.Stored(), placedHero.Stored()};
        s.placedItems = {placedCoin.Stored()};
        return s;
    }

    Bytes Stored() { return Build().get(); }
    // Offsets in the body of the rank list's count and of every list count
    // after the edges.
    std::vector<size_t> CountOffsets()
    {
        Build();
        return m_Counts;
    }

private:
    FixtureBytes Build()
    {
        m_Counts.clear();
        FixtureBytes b;
        b.bytes(StoredStageRecord(708, kLevel15Timing));
        Count(b).u32(static_cast<uint32_t>(ranks.size()));
        for (int r : ranks) b.i32(r);
        b.hex(kStageEdges);
        for (const std::vector<Bytes>* list : {&blocks, &charas, &items}) {
            Count(b).u32(static_cast<uint32_t>(list->size()));
            for (const Bytes& e : *list) b.bytes(e);
        }
        for (const std::vector<Bytes>* list : {&placedBlocks, &placedCharas, &placedItems}) {
            Count(b).u32(static_cast<uint32_t>(list->size()));
            for (const Bytes& e : *list) b.u32(unused).bytes(e);
        }
        Count(b).hex(kStageBackgrounds);
        Count(b).hex(kStageTexts).hex(kStageEndMarker);
        return b;
    }
    FixtureBytes& Count(FixtureBytes& b)
    {
        m_Counts.push_back(b.get().size());
        return b;
    }
    std::vector<size_t> m_Counts;
};

// A file of version 708 holding body.
inline Bytes StageFileOf(const Bytes& body)
{
    return FixtureBytes().u32(708).bytes(body).get();
}
