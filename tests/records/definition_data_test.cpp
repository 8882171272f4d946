// Block, character and item definitions: stored forms, upgrades of older
// files, the repair of references, the block's collision and the character's
// placement offsets.
#include <cstring>

#include "records/stage_sub_records.h"
#include "tests/records/definition_fixtures.h"

namespace {

std::vector<int> SetFlags(const std::vector<uint8_t>& flags)
{
    std::vector<int> set;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) set.push_back(static_cast<int>(i));
    return set;
}

} // namespace

TEST_F(DefinitionTest, DefinitionsReadAndWriteEveryStoredValue)
{
    // Two more inherit flags than the block has groups: kept and written back.
    BlockFixture b;
    b.name = "氷の床";
    b.condMode = 1, b.condLatch = 1, b.graphic = 12, b.kind = 4, b.offset = 3, b.front = 1, b.hidden = 1;
    b.markDisplay = 2, b.mark = 44, b.collision = 2, b.pass = 3, b.effect = 5, b.effectValue = -7;
    b.itemSource = 2, b.itemIndex = 9, b.protect = 1, b.cellX = -2, b.cellY = 300;
    b.flags = FlagsWith(13, {0, 11, 12});
    b.conditions = {ConditionBytes(4, 9), ConditionBytes(5, -1)};
    cBlockData block;
    ASSERT_EQ(LoadAt(block, 708, b.Stored()), 1);
    EXPECT_EQ(block.m_sName, "氷の床");
    EXPECT_EQ(block.m_sGraphic, 12);
    EXPECT_EQ(block.m_cGraphicKind, 4);
    EXPECT_EQ(block.m_cCollision, 2);
    EXPECT_EQ(block.m_cPassThrough, 3);
    EXPECT_EQ(block.m_nEffectValue, -7);
    EXPECT_EQ(block.m_cItemSource, 2);   // the item reference waits for the palette's row check
    EXPECT_EQ(block.m_sItemIndex, 9);
    EXPECT_EQ(block.m_sCellY, 300);
    EXPECT_EQ(block.m_InheritFlags.size(), 13u);
    ASSERT_EQ(block.m_Conditions.size(), 2u);
    EXPECT_EQ(block.m_Conditions[1].m_nValue, -1);
    EXPECT_EQ(SavedBody(block), b.Stored());

    ItemFixture i;
    i.name = "回復薬";
    i.condMode = 1, i.offsetX = -5, i.offsetY = 7, i.graphic = 30, i.kind = 1, i.offset = 2, i.z = 0, i.hidden = 1;
    i.markDisplay = 1, i.mark = 119, i.popUp = 0, i.take = 2, i.size = 10, i.sound = 39, i.cellX = 4, i.cellY = -4;
    i.flags = FlagsWith(15, {14});
    i.conditions = {ConditionBytes(1, 1)};
    CommandFixture sound;
    sound.item = 1, sound.kind = static_cast<int>(FLOWCMD_PLAY_SE) - ITEMCMD_TO_FLOWCMD, sound.params = {7};
    i.commands = {sound.Stored()};
    cItemData item;
    ASSERT_EQ(LoadAt(item, 708, i.Stored()), 1);
    EXPECT_EQ(item.m_sOffsetX, -5);
    EXPECT_EQ(item.m_cTakeKind, 2);
    EXPECT_EQ(item.m_cSize, 10);
    EXPECT_EQ(item.m_sSound, 39);
    ASSERT_EQ(item.m_Commands.size(), 1u);
    EXPECT_EQ(item.m_Commands[0].m_Params, std::vector<int32_t>{7});
    EXPECT_EQ(SavedBody(item), i.Stored());

    CharaFixture c;
    c.name = "スライム";
    int n = 0;
    for (FieldRow<cCharaData>& row : c.rows) row.value = 2 + n++;   // every field its own value
    c.Set("m_cInheritSource", 0).Set("m_cGraphicKind", 1).Set("m_sAnimeSet", 3).Set("m_sPlaceEffect", 4);
    c.Set("m_sDeathEffect", 5).Set("m_sDamageEffect", 6).Set("m_cContactBox", 1).Set("m_nMaxHp", 123456);
    c.cellX = 17, c.cellY = -3, c.itemLink = -1;
    c.flags = FlagsWith(40, {1, 38});
    c.conditions = {ConditionBytes(2, 3)};
    c.flows = {FlowWith(WaitCommand())};
    cCharaData chara;
    ASSERT_EQ(LoadAt(chara, 708, c.Stored()), 1);
    for (const FieldRow<cCharaData>& row : c.rows) EXPECT_EQ(row.get(chara), row.value) << row.name;
    EXPECT_EQ(chara.m_sName, "スライム");
    EXPECT_EQ(chara.m_nItemLink, -1);
    EXPECT_EQ(chara.m_InheritFlags.size(), 40u);
    EXPECT_EQ(chara.m_Flows.size(), 1u);
    EXPECT_EQ(SavedBody(chara), c.Stored());
}

TEST_F(DefinitionTest, ResetDefinitionsHoldTheirDefaults)
{
    cCharaData chara;
    for (const FieldRow<cCharaData>& row : CharaRows()) EXPECT_EQ(row.get(chara), row.value) << row.name;
    EXPECT_EQ(chara.m_InheritFlags, std::vector<uint8_t>(37, 0));
    cBlockData block;
    EXPECT_EQ(block.m_cCollision, BLOCK_SOLID);
    EXPECT_EQ(block.m_cPassThrough, -1);
    EXPECT_EQ(block.m_InheritFlags, std::vector<uint8_t>(11, 0));
    cItemData item;
    EXPECT_EQ(item.m_cGraphicKind, GRAPHIC_ITEM);
    EXPECT_EQ(item.m_cZOrder, 6);
    EXPECT_EQ(item.m_bPopUp, 1);
    EXPECT_EQ(item.m_cSize, 1);
    EXPECT_EQ(item.m_InheritFlags, std::vector<uint8_t>(13, 0));
}

TEST_F(DefinitionTest, ShotChipsOfFilesBefore219MoveOneOn)
{
    struct Row {
        int version, kind, graphic, expected;
    };
    const Row rows[] = {
        {218, GRAPHIC_SHOT, 7, 8},    {218, GRAPHIC_SHOT, 118, 119}, {218, GRAPHIC_SHOT, 119, 119},
        {218, GRAPHIC_SHOT, 300, 119}, {218, GRAPHIC_SHOT, -1, 0},    {219, GRAPHIC_SHOT, 7, 7},
        {218, GRAPHIC_BLOCK, 7, 7},   {218, GRAPHIC_ITEM, 7, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.version << " kind " << row.kind << " chip " << row.graphic);
        BlockFixture b;
        b.kind = row.kind, b.graphic = row.graphic;
        cBlockData block;
        ASSERT_EQ(LoadAt(block, row.version, b.Stored()), 1);
        EXPECT_EQ(block.m_sGraphic, row.expected);

        ItemFixture i;
        i.kind = row.kind, i.graphic = row.graphic;
        cItemData item;
        ASSERT_EQ(LoadAt(item, row.version, i.Stored()), 1);
        EXPECT_EQ(item.m_sGraphic, row.expected);

        CharaFixture c;
        c.version = row.version;
        c.Set("m_cGraphicKind", row.kind).Set("m_sGraphic", row.graphic);
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, row.version, c.Stored()), 1);
        EXPECT_EQ(chara.m_sGraphic, row.expected);
    }
}

TEST_F(DefinitionTest, BlockWithoutChipNeitherCollidesNorIsProtected)
{
    BlockFixture b;
    b.graphic = 0, b.collision = 1, b.protect = 1;
    cBlockData block;
    ASSERT_EQ(LoadAt(block, 708, b.Stored()), 1);
    EXPECT_EQ(block.m_cCollision, 0);
    EXPECT_EQ(block.m_bProtected, 0);

    // Repaired in memory before it is written, too.
    block.m_cCollision = BLOCK_DEADLY;
    block.m_bProtected = 1;
    BlockFixture written;
    written.collision = 0;
    EXPECT_EQ(SavedBody(block), written.Stored());
}

namespace {
int nConditionTests = 0;
bool bConditionsHold = true;
bool CountingConditionTest(cBlockData&)
{
    ++nConditionTests;
    return bConditionsHold;
}
} // namespace

TEST_F(DefinitionTest, BlockCollisionForAnObjectsPassNumber)
{
    struct Row {
        const char* what;
        int collision, passThrough, passNumber;
        bool conditions, hold;
        int expected;
    };
    const Row rows[] = {
        {"no conditions", 1, -1, 0, false, false, 1},
        {"deadly", 2, -1, 5, false, false, 2},
        {"pass-through matches", 1, 3, 3, false, false, 0},
        {"pass-through differs", 1, 3, 1, false, false, 1},
        {"255 matches 255 only", 2, -1, 127, false, false, 2},
        {"255 matches -1", 2, -1, -1, false, false, 0},
        {"conditions hold", 1, -1, 0, true, true, 1},
        {"conditions fail", 2, -1, 0, true, false, 0},
        {"not solid", 0, -1, 4, true, true, 0},
    };
    RecordContext.lpBlockConditionsHold = CountingConditionTest;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cBlockData block;
        block.m_sGraphic = 1;
        block.m_cCollision = static_cast<int8_t>(row.collision);
        block.m_cPassThrough = static_cast<int8_t>(row.passThrough);
        if (row.conditions) block.m_Conditions.resize(1);
        bConditionsHold = row.hold;
        nConditionTests = 0;
        EXPECT_EQ(block.GetCollision(row.passNumber), row.expected);
        EXPECT_EQ(nConditionTests, row.conditions ? 1 : 0);
    }
    // Outside stage play nothing can be evaluated: the block is as defined.
    RecordContext.lpBlockConditionsHold = nullptr;
    cBlockData block;
    block.m_sGraphic = 1;
    block.m_Conditions.resize(1);
    EXPECT_EQ(block.GetCollision(0), BLOCK_SOLID);
}

TEST_F(DefinitionTest, CharacterFieldsOfOlderVersions)
{
    // Every field its own value; the contact box 1 is below the choices that
    // moved in 206 (tested apart).
    CharaFixture stored;
    int n = 0;
    for (FieldRow<cCharaData>& row : stored.rows) row.value = 2 + n++;
    stored.Set("m_cInheritSource", 0).Set("m_cGraphicKind", 1).Set("m_sAnimeSet", 3).Set("m_sPlaceEffect", 4);
    stored.Set("m_sDeathEffect", 5).Set("m_sDamageEffect", 6).Set("m_cContactBox", 1);

    struct Row {
        int version;
        size_t storedFlags;
        std::vector<int> inherited;   // the groups an old layout lacked
    };
    const Row rows[] = {
        {100, 34, {21, 25, 29}}, {167, 34, {21, 25, 29}}, {168, 35, {21, 25}}, {195, 35, {21, 25}},
        {196, 35, {21, 25}},     {200, 35, {21, 25}},     {201, 36, {21}},     {209, 36, {21}},
        {210, 37, {}},           {284, 37, {}},           {285, 37, {}},       {708, 37, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.version);
        CharaFixture f = stored;
        f.version = row.version;
        f.flags.assign(row.storedFlags, 0);
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, row.version, f.Stored()), 1);
        for (const FieldRow<cCharaData>& field : f.rows)
            EXPECT_EQ(field.get(chara), ExpectedAt(field, row.version)) << field.name;
        EXPECT_EQ(chara.m_InheritFlags.size(), 37u);
        EXPECT_EQ(SetFlags(chara.m_InheritFlags), row.inherited);

        // Written in the current layout.
        CharaFixture written = f;
        written.version = 708;
        for (FieldRow<cCharaData>& field : written.rows) field.value = ExpectedAt(field, row.version);
        written.flags = FlagsWith(37, {});
        for (int g : row.inherited) written.flags[static_cast<size_t>(g)] = 1;
        EXPECT_EQ(SavedBody(chara), written.Stored());
    }
}

TEST_F(DefinitionTest, OldInheritFlagsMoveToTheirGroups)
{
    // A version-167 layout of 34 groups: sight 21, power 24, impact
    // resistance 27, flows 33 (the current 22, 26, 30 and 36).
    CharaFixture f;
    f.version = 167;
    f.flags = FlagsWith(34, {0, 20, 21, 24, 27, 33});
    cCharaData chara;
    ASSERT_EQ(LoadAt(chara, 167, f.Stored()), 1);
    EXPECT_EQ(SetFlags(chara.m_InheritFlags), (std::vector<int>{0, 20, 21, 22, 25, 26, 29, 30, 36}));

    // A layout of 201 (36 groups) with flags past it: the list is cut to 37.
    f.version = 201;
    f.flags = FlagsWith(40, {35, 39});
    ASSERT_EQ(LoadAt(chara, 201, f.Stored()), 1);
    EXPECT_EQ(SetFlags(chara.m_InheritFlags), (std::vector<int>{21, 36}));
}

TEST_F(DefinitionTest, ContactBoxChoicesMovedIn206)
{
    struct Row {
        int version, stored, expected;
    };
    for (const Row& row : {Row{201, 3, 4}, Row{205, 2, 3}, Row{205, 1, 1}, Row{205, 0, 0}, Row{205, -1, -1},
                           Row{206, 2, 2}, Row{708, 3, 3}}) {
        SCOPED_TRACE(testing::Message() << row.version << " box " << row.stored);
        CharaFixture f;
        f.version = row.version;
        f.Set("m_cContactBox", row.stored);
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, row.version, f.Stored()), 1);
        EXPECT_EQ(chara.m_cContactBox, row.expected);
    }
}

TEST_F(DefinitionTest, ReferencesIntoTheDatabaseOutsideTheirLists)
{
    struct Row {
        int length, stored, expected, expectedImage;
    };
    const Row rows[] = {
        {0, 0, 0, 0}, {0, 1, 0, 0},  {0, -1, 0, 0}, {1, 0, 0, 0},     {1, 1, 0, 0},  {1, -1, 0, 0},
        {5, 1, 1, 1}, {5, 4, 4, 4}, {5, 5, 0, 1},  {5, -1, 0, 1},   {5, -32768, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "length " << row.length << " index " << row.stored);
        RecordContext.nAnimeSets = RecordContext.nCharaEffects = RecordContext.nEffects = row.length;
        RecordContext.nSounds = RecordContext.nCharaImages = row.length;

        CharaFixture c;
        c.Set("m_sAnimeSet", row.stored).Set("m_sPlaceEffect", row.stored).Set("m_sDeathEffect", row.stored);
        c.Set("m_sDamageEffect", row.stored).Set("m_cGraphicKind", GRAPHIC_DEDICATED).Set("m_sGraphic", row.stored);
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, 708, c.Stored()), 1);
        EXPECT_EQ(chara.m_sAnimeSet, row.expected);
        EXPECT_EQ(chara.m_sPlaceEffect, row.expected);
        EXPECT_EQ(chara.m_sDeathEffect, row.expected);
        EXPECT_EQ(chara.m_sDamageEffect, row.expected);
        EXPECT_EQ(chara.m_sGraphic, row.expectedImage);

        ItemFixture i;
        i.sound = row.stored;
        cItemData item;
        ASSERT_EQ(LoadAt(item, 708, i.Stored()), 1);
        EXPECT_EQ(item.m_sSound, row.expected);
    }
    // Only the dedicated sheet's number names a list entry.
    RecordContext.nCharaImages = 0;
    CharaFixture c;
    c.Set("m_cGraphicKind", GRAPHIC_CHARA).Set("m_sGraphic", 40);
    cCharaData chara;
    ASSERT_EQ(LoadAt(chara, 708, c.Stored()), 1);
    EXPECT_EQ(chara.m_sGraphic, 40);
}

TEST_F(DefinitionTest, ReferencesIntoThePalettesOutsideTheirLists)
{
    struct Row {
        int rows, source, index;
        int expectedSource, expectedIndex;
    };
    const Row rows[] = {
        {5, 1, 4, 1, 4},   {5, 2, 4, 2, 4},  {5, 1, 5, 0, 5},   {5, 2, 5, 0, 5}, {5, 2, -1, 0, -1},
        {0, 1, 0, 0, 0},   {1, 1, 0, 1, 0},  {1, 2, 1, 0, 1},   {0, 2, 3, 0, 3}, {5, 3, 9, 3, 9},
        {5, -1, 9, -1, 9}, {5, 0, 7, 0, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.rows << " rows, source " << row.source << " index " << row.index);
        for (cPaletteData* palette : {&CommonPalette, &stage}) {
            palette->m_Blocks.resize(static_cast<size_t>(row.rows));
            palette->m_Charas.resize(static_cast<size_t>(row.rows));
            palette->m_Items.resize(static_cast<size_t>(row.rows));
        }
        SyncPaletteRowCounts();

        BlockFixture b;
        b.source = row.source, b.index = row.index, b.graphic = 1;
        cBlockData block;
        ASSERT_EQ(LoadAt(block, 708, b.Stored()), 1);
        EXPECT_EQ(block.m_cInheritSource, row.expectedSource);
        EXPECT_EQ(block.m_sInheritIndex, row.expectedIndex);

        ItemFixture i;
        i.source = row.source, i.index = row.index;
        cItemData item;
        ASSERT_EQ(LoadAt(item, 708, i.Stored()), 1);
        EXPECT_EQ(item.m_cInheritSource, row.expectedSource);
        EXPECT_EQ(item.m_sInheritIndex, row.expectedIndex);

        CharaFixture c;
        c.Set("m_cInheritSource", row.source).Set("m_sInheritIndex", row.index);
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, 708, c.Stored()), 1);
        EXPECT_EQ(chara.m_cInheritSource, row.expectedSource);
        EXPECT_EQ(chara.m_sInheritIndex, row.expectedIndex);

        // The validation alone (as before a save) clears the index as well.
        chara.m_cInheritSource = static_cast<int8_t>(row.source);
        chara.m_sInheritIndex = static_cast<int16_t>(row.index);
        chara.ValidateRefs();
        bool broken = PaletteOfSource(row.source) >= 0 && !IsInList(row.index, row.rows);
        EXPECT_EQ(chara.m_cInheritSource, broken ? 0 : row.source);
        EXPECT_EQ(chara.m_sInheritIndex, broken ? 0 : row.index);

        // A block's item is checked by the palette's row check only.
        block.m_cItemSource = static_cast<int8_t>(row.source);
        block.m_sItemIndex = static_cast<int16_t>(row.index);
        block.ValidateItemRef();
        EXPECT_EQ(block.m_cItemSource, broken ? 0 : row.source);
        EXPECT_EQ(block.m_sItemIndex, broken ? 0 : row.index);
    }
}

TEST_F(DefinitionTest, CharacterFlowsThatHoldNothingOrServeTheEditor)
{
    FlowFixture empty;
    FlowFixture editorOnly;
    editorOnly.editorOnly = 1;
    editorOnly.commands = {WaitCommand().Stored()};
    CharaFixture c;
    c.flows = {empty.Stored(), empty.Stored(), FlowWith(WaitCommand()), editorOnly.Stored(), empty.Stored()};

    struct Row {
        int fromEditor, keep;
        size_t flows;
    };
    for (const Row& row : {Row{0, 0, 1}, Row{1, 0, 2}, Row{0, 1, 2}}) {
        SCOPED_TRACE(testing::Message() << "editor " << row.fromEditor << " keep " << row.keep);
        RecordContext.bFromEditor = row.fromEditor;
        RecordContext.nKeepFlaggedFlows = row.keep;
        cCharaData chara;
        ASSERT_EQ(LoadAt(chara, 708, c.Stored()), 1);
        ASSERT_EQ(chara.m_Flows.size(), row.flows);
        for (const cFlowData& flow : chara.m_Flows) EXPECT_EQ(flow.m_Commands.size(), 1u);
    }

    // A flow emptied in memory is dropped when the definition is written.
    cCharaData chara;
    chara.m_Flows.assign(2, DefaultListFlow());
    chara.m_Flows[1].m_Commands.resize(1);
    CharaFixture written;
    FlowFixture kept;
    kept.keyWindow = 3;
    kept.commands = {CommandFixture().Stored()};
    written.flows = {kept.Stored()};
    EXPECT_EQ(SavedBody(chara), written.Stored());
    EXPECT_EQ(chara.m_Flows.size(), 1u);
}

TEST_F(DefinitionTest, SizeFactorBelowOneIsWrittenAsOne)
{
    for (int size : {0, -3}) {
        cCharaData chara;
        chara.m_cSize = static_cast<int8_t>(size);
        EXPECT_EQ(SavedBody(chara), CharaFixture().Stored());
        EXPECT_EQ(chara.m_cSize, 1);

        cItemData item;
        item.m_cSize = static_cast<int8_t>(size);
        EXPECT_EQ(SavedBody(item), ItemFixture().Stored());
        EXPECT_EQ(item.m_cSize, 1);
    }
}

TEST_F(DefinitionTest, PlacementOffsetsOfCopies)
{
    cCharaData chara;
    chara.m_sOffsetXBase = 4, chara.m_sOffsetXStep = 10;
    chara.m_sOffsetYBase = -3, chara.m_sOffsetYStep = 32767;
    EXPECT_EQ(chara.OffsetX(2, 0), 24);
    EXPECT_EQ(chara.OffsetX(2, 1), 24);
    EXPECT_EQ(chara.OffsetY(2, 1), 65531);   // no 16-bit wrap
    chara.m_bMirrorX = 1;
    EXPECT_EQ(chara.OffsetX(2, 1), -24);
    EXPECT_EQ(chara.OffsetX(2, 0), 24);
    EXPECT_EQ(chara.OffsetY(0, 1), -3);
    chara.m_bMirrorY = 1;
    EXPECT_EQ(chara.OffsetY(0, 1), 3);
}

TEST_F(DefinitionTest, InheritedFlowsAreNeverEmpty)
{
    // A base without flows gives exactly one default flow.
    CommonPalette.m_Charas.resize(3);
    SyncPaletteRowCounts();
    cCharaData chara;
    chara.m_cInheritSource = SOURCE_COMMON;
    chara.m_sInheritIndex = 2;
    chara.m_InheritFlags[cCharaData::FLOW_GROUP] = 1;
    chara.m_nMaxHp = 77;
    chara.Inherit();
    ASSERT_EQ(chara.m_Flows.size(), 1u);
    EXPECT_EQ(chara.m_Flows[0].m_cKeyWindow, 3);
    EXPECT_TRUE(chara.m_Flows[0].m_Commands.empty());
    EXPECT_EQ(chara.m_nMaxHp, 77);

    // A source naming no palette makes the definition its own base: only
    // the empty flow list changes.
    cCharaData self;
    self.m_cInheritSource = 7;
    self.m_sInheritIndex = 1;
    self.m_InheritFlags.assign(37, 1);
    self.m_nMaxHp = 55;
    self.m_Conditions.resize(2);
    self.Inherit();
    EXPECT_EQ(self.m_nMaxHp, 55);
    EXPECT_EQ(self.m_Conditions.size(), 2u);
    EXPECT_EQ(self.m_Flows.size(), 1u);
    EXPECT_EQ(self.m_cInheritSource, 7);
}

TEST_F(DefinitionTest, CarryOverHoldsACharacterDefinition)
{
    cCarryOverData carry;
    carry.m_nCarryHp = 7;
    carry.m_Chara.m_nMaxHp = 42;
    carry.m_Chara.m_Flows.assign(1, DefaultListFlow());
    carry.m_Chara.m_Flows[0].m_Commands.resize(1);
    FixtureBytes expected;
    expected.u32(5).i32(7).i32(0).i32(0).i32(0).i32(0).u32(0);
    CharaFixture chara;
    chara.Set("m_nMaxHp", 42);
    FlowFixture flow;
    flow.keyWindow = 3;
    flow.commands = {CommandFixture().Stored()};
    chara.flows = {flow.Stored()};
    expected.bytes(chara.Stored());
    EXPECT_EQ(SavedBody(carry), expected.get());

    cCarryOverData read;
    ASSERT_EQ(read.LoadFile("out.dat"), 1);
    EXPECT_EQ(read.m_nCarryHp, 7);
    EXPECT_EQ(read.m_Chara.m_nMaxHp, 42);
    EXPECT_EQ(read.m_Chara.m_Flows.size(), 1u);
}

namespace {

unsigned char* FieldBytes(cDataRecord& record, const DATAFIELD& field)
{
    return reinterpret_cast<unsigned char*>(&record) + field.nOffset;
}

// Which registered fields (numbered from 1 in registration order) of d
// hold the same bytes as in base; the inherit source and index (1 and 2),
// which are never inherited, are left out.
template <class T>
std::vector<int> FieldsLike(T& d, T& base)
{
    std::vector<int> same;
    for (size_t k = 2; k < d.Fields().size(); ++k) {
        const DATAFIELD& f = d.Fields()[k];
        size_t bytes = static_cast<size_t>(f.nCount) * static_cast<size_t>(f.cSize);
        if (std::memcmp(FieldBytes(d, f), FieldBytes(base, base.Fields()[k]), bytes) == 0)
            same.push_back(static_cast<int>(k) + 1);
    }
    return same;
}

// Each group copied alone from a base whose every field differs: exactly
// the fields of the group change, and the name and the lists only with
// their own groups.
template <class T>
void ExpectGroupCopies(std::vector<T>& commonRows, const std::vector<std::vector<int>>& groups, size_t nameGroup,
                       size_t conditionGroup, size_t listGroup)
{
    commonRows.resize(2);
    SyncPaletteRowCounts();
    T& base = commonRows[1];
    for (size_t k = 0; k < base.Fields().size(); ++k) {
        const DATAFIELD& f = base.Fields()[k];
        std::memset(FieldBytes(base, f), static_cast<int>(k + 1), static_cast<size_t>(f.nCount) * f.cSize);
    }
    base.m_sName = "基";
    base.m_Conditions.resize(2);
    ASSERT_EQ(groups.size(), T::INHERIT_GROUPS);
    for (size_t g = 0; g < groups.size(); ++g) {
        SCOPED_TRACE(testing::Message() << "group " << g);
        T d;
        d.Clear();
        d.m_cInheritSource = SOURCE_COMMON;
        d.m_sInheritIndex = 1;
        d.m_InheritFlags.assign(T::INHERIT_GROUPS, 0);
        d.m_InheritFlags[g] = 1;
        d.Inherit();
        EXPECT_EQ(FieldsLike(d, base), groups[g]);
        EXPECT_EQ(d.m_sName == "基", g == nameGroup);
        EXPECT_EQ(d.m_Conditions.size() == 2, g == conditionGroup);
        EXPECT_EQ(d.m_cInheritSource, SOURCE_COMMON);
        if constexpr (requires { d.m_Commands; }) {
            EXPECT_EQ(d.m_Commands.size() == 1, g == listGroup);
        }
        if constexpr (requires { d.m_Flows; }) {
            EXPECT_EQ(d.m_Flows.size() == 1, g == listGroup);
        }
    }
}

} // namespace

TEST_F(DefinitionTest, EachInheritGroupCopiesItsFieldsAndNothingElse)
{
    ExpectGroupCopies(CommonPalette.m_Blocks,
                      {{}, {3, 4}, {5, 6, 7}, {8}, {9}, {10, 11}, {12}, {13}, {14, 15}, {16, 17}, {18}}, 0, 1, 99);

    CommonPalette.m_Items.resize(2);
    CommonPalette.m_Items[1].m_Commands.resize(1);
    ExpectGroupCopies(CommonPalette.m_Items,
                      {{}, {3, 4}, {5}, {6}, {7, 8, 9}, {10}, {11}, {12, 13}, {16}, {15}, {14}, {17}, {}}, 0, 1, 12);

    // The base has one flow; group 36 gives a definition without flows that one.
    CommonPalette.m_Charas.resize(2);
    CommonPalette.m_Charas[1].m_Flows.assign(1, DefaultListFlow());
    ExpectGroupCopies(CommonPalette.m_Charas,
                      {{},           {26, 27},     {28},     {29},     {3, 4},   {5},      {6},      {7, 8, 11},
                       {9, 10, 12},  {13, 14, 15}, {16},     {17},     {18},     {19, 20, 21}, {22, 23}, {24, 25},
                       {31},         {30},         {32, 33}, {34},     {35},     {36},     {37, 38}, {39},
                       {40},         {42},         {43},     {44},     {45},     {46},     {47},     {41},
                       {52, 53},     {50, 51},     {48},     {49},     {}},
                      0, 4, 36);
}
