#pragma once
// Stored forms of block, character and item definitions and of palette files,
// typed field by field, for fixtures of any data version. Every fixture
// starts from the values a reset definition holds.
#include <string>
#include <vector>

#include "records/block_data.h"
#include "records/chara_data.h"
#include "records/item_data.h"
#include "records/palette_data.h"
#include "tests/records/field_table.h"
#include "tests/records/flow_fixtures.h"

inline void PutFlags(FixtureBytes& b, const std::vector<int>& flags)
{
    b.u32(static_cast<uint32_t>(flags.size()));
    for (int f : flags) b.u8(f);
}

// A condition of kind 1 (common variable [index] = value) as version 708 stores it.
inline Bytes ConditionBytes(int index, int value)
{
    return ConditionFixture{.kind = CONDITION_COMMON_VAR, .value = value, .index = index}.Stored();
}

// Flags of count entries with the listed ones set.
inline std::vector<int> FlagsWith(size_t count, std::initializer_list<int> set)
{
    std::vector<int> flags(count, 0);
    for (int i : set) flags[static_cast<size_t>(i)] = 1;
    return flags;
}

struct BlockFixture {
    int source = 0, index = 0, condMode = 0, condLatch = 0, graphic = 0, kind = 0, offset = 0, front = 0, hidden = 0,
        markDisplay = 0, mark = 0, collision = 1, pass = 255, effect = 0, effectValue = 0, itemSource = 0,
        itemIndex = 0, protect = 0;
    std::string name;
    int cellX = 0, cellY = 0;
    std::vector<int> flags = std::vector<int>(11, 0);
    std::vector<Bytes> conditions;

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(18).u8(source).i16(index).u8(condMode).u8(condLatch).i16(graphic).u8(kind).i16(offset).u8(front);
        b.u8(hidden).u8(markDisplay).i16(mark).u8(collision).u8(pass).u8(effect).i32(effectValue).u8(itemSource);
        b.i16(itemIndex).u8(protect);
        b.u32(1);
        PutString(b, name);
        b.i16(cellX).i16(cellY);
        PutFlags(b, flags);
        b.bytes(StoredList(conditions));
        return b.get();
    }
};

struct ItemFixture {
    int source = 0, index = 0, condMode = 0, condLatch = 0, offsetX = 0, offsetY = 0, graphic = 0, kind = 2,
        offset = 0, z = 6, hidden = 0, markDisplay = 0, mark = 0, popUp = 1, take = 0, size = 1, sound = 0;
    std::string name;
    int cellX = 0, cellY = 0;
    std::vector<int> flags = std::vector<int>(13, 0);
    std::vector<Bytes> conditions, commands;

    Bytes Stored() const
    {
        FixtureBytes b;
        b.u32(17).u8(source).i16(index).u8(condMode).u8(condLatch).i16(offsetX).i16(offsetY).i16(graphic).u8(kind);
        b.i16(offset).u8(z).u8(hidden).u8(markDisplay).i16(mark).u8(popUp).u8(take).u8(size).i16(sound);
        b.u32(1);
        PutString(b, name);
        b.i16(cellX).i16(cellY);
        PutFlags(b, flags);
        b.bytes(StoredList(conditions));
        b.bytes(StoredList(commands));
        return b.get();
    }
};

#define CHARA_ROW(member, size, value, since, fixedBelow, fixedValue) \
    FIELD_ROW(cCharaData, member, size, value, since, fixedBelow, fixedValue, false)

// The character's registered fields in stored order with their reset values;
// fields that came later say since when, and what a file before that reads as.
inline std::vector<FieldRow<cCharaData>> CharaRows()
{
    return {
        CHARA_ROW(m_cInheritSource, 1, 0, 0, 0, 0),    CHARA_ROW(m_sInheritIndex, 2, 0, 0, 0, 0),
        CHARA_ROW(m_cCondMode, 1, 0, 0, 0, 0),         CHARA_ROW(m_bCondLatch, 1, 0, 0, 0, 0),
        CHARA_ROW(m_cFacing, 1, 0, 0, 0, 0),           CHARA_ROW(m_cExtraCopies, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sOffsetXBase, 2, 0, 0, 0, 0),      CHARA_ROW(m_sOffsetXStep, 2, 0, 0, 0, 0),
        CHARA_ROW(m_sOffsetYBase, 2, 0, 0, 0, 0),      CHARA_ROW(m_sOffsetYStep, 2, 0, 0, 0, 0),
        CHARA_ROW(m_bMirrorX, 1, 0, 0, 0, 0),          CHARA_ROW(m_bMirrorY, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sGraphic, 2, 0, 0, 0, 0),          CHARA_ROW(m_cGraphicKind, 1, 1, 0, 0, 0),
        CHARA_ROW(m_sChipOffset, 2, 0, 0, 0, 0),       CHARA_ROW(m_sAnimeSet, 2, 0, 0, 0, 0),
        CHARA_ROW(m_cZOrder, 1, 3, 0, 0, 0),           CHARA_ROW(m_bTransparent, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sPlaceEffect, 2, 0, 0, 0, 0),      CHARA_ROW(m_cPlaceEffectDir, 1, 0, 196, 196, 0),
        CHARA_ROW(m_bPlaceEffectLoop, 1, 1, 0, 0, 0),  CHARA_ROW(m_sDeathEffect, 2, 0, 0, 0, 0),
        CHARA_ROW(m_cDeathEffectDir, 1, 0, 196, 196, 0), CHARA_ROW(m_bMark, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sMark, 2, 0, 0, 0, 0),             CHARA_ROW(m_cControl, 1, 1, 0, 0, 0),
        CHARA_ROW(m_cPlayerNo, 1, 0, 0, 0, 0),         CHARA_ROW(m_cPass, 1, 1, 0, 0, 0),
        CHARA_ROW(m_cCharaId, 1, 0, 0, 0, 0),          CHARA_ROW(m_cFlying, 1, 0, 0, 0, 0),
        CHARA_ROW(m_bFixedFacing, 1, 1, 0, 0, 0),      CHARA_ROW(m_cInvincible, 1, 0, 0, 0, 0),
        CHARA_ROW(m_cInvincibleColor, 1, 0, 285, 285, 1), CHARA_ROW(m_bFullCellBoxes, 1, 0, 0, 0, 0),
        CHARA_ROW(m_cSize, 1, 1, 0, 0, 0),             CHARA_ROW(m_bAutoScrollSync, 1, 0, 210, 210, 0),
        CHARA_ROW(m_cSightShape, 1, 0, 0, 0, 0),       CHARA_ROW(m_cSightRange, 1, 0, 0, 0, 0),
        CHARA_ROW(m_nMaxHp, 4, 10, 0, 0, 0),           CHARA_ROW(m_nMaxSp, 4, 0, 0, 0, 0),
        CHARA_ROW(m_sStop, 2, 10, 0, 0, 0),            CHARA_ROW(m_cContactBox, 1, 0, 201, 201, 0),
        CHARA_ROW(m_nPower, 4, 0, 0, 0, 0),            CHARA_ROW(m_cImpact, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sDamageEffect, 2, 0, 0, 0, 0),     CHARA_ROW(m_nDefence, 4, 0, 168, 168, 0),
        CHARA_ROW(m_cImpactResist, 1, 0, 0, 0, 0),     CHARA_ROW(m_nScore, 4, 0, 0, 0, 0),
        CHARA_ROW(m_cReserved, 1, 1, 0, 0, 0),         CHARA_ROW(m_bGroupOn, 1, 0, 0, 0, 0),
        CHARA_ROW(m_sGroup, 2, 0, 0, 0, 0),            CHARA_ROW(m_cRange, 1, 0, 0, 0, 0),
        CHARA_ROW(m_cAppear, 1, 0, 0, 0, 0),
    };
}

struct CharaFixture {
    std::vector<FieldRow<cCharaData>> rows = CharaRows();
    int version = 708;   // the fields stored are those of this version
    std::string name;
    int cellX = 0, cellY = 0, itemLink = 0;
    std::vector<int> flags = std::vector<int>(37, 0);
    std::vector<Bytes> conditions, flows;

    CharaFixture& Set(const char* member, double value)
    {
        rows = WithStored(rows, member, value);
        return *this;
    }

    Bytes Stored() const
    {
        FixtureBytes b = StoredFields(rows, version);
        b.u32(1);
        PutString(b, name);
        b.i16(cellX).i16(cellY).i32(itemLink);
        PutFlags(b, flags);
        b.bytes(StoredList(conditions));
        b.bytes(StoredList(flows));
        return b.get();
    }
};

// A palette file's body: the empty record part, then the three lists.
inline Bytes PaletteBody(const std::vector<Bytes>& blocks, const std::vector<Bytes>& charas,
                         const std::vector<Bytes>& items)
{
    FixtureBytes b;
    b.u32(0).u32(0);
    b.bytes(StoredList(blocks));
    b.bytes(StoredList(charas));
    b.bytes(StoredList(items));
    return b.get();
}

// A flow that runs one command and so is kept by the validation.
inline Bytes FlowWith(const CommandFixture& command)
{
    FlowFixture flow;
    flow.commands = {command.Stored()};
    return flow.Stored();
}

inline CommandFixture WaitCommand()
{
    CommandFixture c;
    c.kind = FLOWCMD_WAIT;
    c.time = 5;
    return c;
}

// The tests of the definitions: the database of the flow tests, and the
// palettes' lists named in the context (the common palette as the palette
// under test reads it, a stage palette of the test's own).
class DefinitionTest : public FlowRecordTest {
protected:
    void SetUp() override
    {
        FlowRecordTest::SetUp();
        RecordContext.nCharaImages = 8;
        Reset(CommonPalette);
        RegisterPalette(PALETTE_COMMON, CommonPalette.Lists());
        RegisterPalette(PALETTE_STAGE, stage.Lists());
    }
    void TearDown() override
    {
        Reset(CommonPalette);
        FlowRecordTest::TearDown();
    }
    static void Reset(cPaletteData& palette) { palette = cPaletteData(); }

    // Reads a palette file of the given version holding body as the common
    // palette; the result of ReadCommonPalette.
    int ReadCommonAt(int version, const Bytes& body)
    {
        EXPECT_TRUE(WriteFileBytes("CommonPalette.cplt4", FileOf(version, body)));
        return ReadCommonPalette("CommonPalette.cplt4");
    }

    cPaletteData stage;
};
