// Palettes: rows inheriting while the file is read, the reserved row 0, the
// two-row rule, the row check after all lists are read, and the common
// palette kept as it was when its file is missing or damaged.
#include "tests/records/definition_fixtures.h"

namespace {

CommandFixture GetItemCommand(int palette, int row)
{
    CommandFixture c;
    c.kind = FLOWCMD_GET_ITEM;
    c.params = {palette, row};
    return c;
}

CommandFixture ItemSoundCommand(int sound)
{
    CommandFixture c;
    c.item = 1;
    c.kind = static_cast<int>(FLOWCMD_PLAY_SE) - ITEMCMD_TO_FLOWCMD;
    c.params = {sound};
    return c;
}

// Two rows in each list: row 0 as reading leaves it, row 1 a definition
// holding something in every part of its stored form.
Bytes NormalPaletteBody()
{
    BlockFixture block0;
    block0.collision = 0;   // a cell without a chip does not collide
    BlockFixture block1;
    block1.name = "レンガ", block1.graphic = 5, block1.collision = 2, block1.pass = 1, block1.effect = 3;
    block1.effectValue = 150, block1.itemSource = 1, block1.itemIndex = 1, block1.cellX = 3;
    CharaFixture chara1;
    chara1.name = "敵";
    chara1.Set("m_nMaxHp", 30).Set("m_cFacing", 1).Set("m_sAnimeSet", 2).Set("m_cInvincibleColor", 4);
    chara1.itemLink = -1;
    chara1.flows = {FlowWith(GetItemCommand(0, 1))};
    ItemFixture item1;
    item1.name = "コイン", item1.sound = 3, item1.take = 1;
    item1.commands = {ItemSoundCommand(4).Stored()};
    return PaletteBody({block0.Stored(), block1.Stored()}, {CharaFixture().Stored(), chara1.Stored()},
                       {ItemFixture().Stored(), item1.Stored()});
}

} // namespace

TEST_F(DefinitionTest, RowsInheritFromTheirPaletteWhileItIsRead)
{
    std::vector<Bytes> blocks;
    {
        BlockFixture reserved;
        reserved.name = "予約", reserved.graphic = 3;
        reserved.conditions = {ConditionBytes(1, 2)};
        BlockFixture base;
        base.name = "土台", base.graphic = 5, base.collision = 2, base.effect = 1, base.effectValue = 7;
        base.markDisplay = 1, base.mark = 9;
        BlockFixture earlier;   // name and effect from row 1; three flags past the table
        earlier.source = 1, earlier.index = 1, earlier.graphic = 9, earlier.flags = FlagsWith(14, {0, 8, 13});
        BlockFixture later;     // chip and collision from row 4, not read yet
        later.source = 1, later.index = 4, later.graphic = 9, later.protect = 1, later.flags = FlagsWith(11, {2, 6});
        BlockFixture self;      // names itself
        self.name = "自分", self.source = 1, self.index = 4, self.graphic = 11, self.collision = 2;
        self.flags = FlagsWith(11, {0, 2, 6});
        BlockFixture beyond;    // a row the list does not hold
        beyond.source = 1, beyond.index = 99, beyond.graphic = 6, beyond.flags = FlagsWith(11, {2});
        BlockFixture staged;    // the stage palette holds one row while the common palette is read
        staged.source = 2, staged.index = 1, staged.graphic = 6, staged.flags = FlagsWith(11, {2});
        blocks = {reserved.Stored(), base.Stored(), earlier.Stored(), later.Stored(),
                  self.Stored(),     beyond.Stored(), staged.Stored()};
    }
    std::vector<Bytes> charas;
    {
        CharaFixture parent;
        parent.name = "親";
        parent.Set("m_nMaxHp", 50);
        // Item row 2 of the common palette, which is read after the characters.
        parent.flows = {FlowWith(GetItemCommand(0, 2)), FlowWith(GetItemCommand(0, 5))};
        CharaFixture child;
        child.Set("m_cInheritSource", 1).Set("m_sInheritIndex", 1).Set("m_nMaxHp", 5);
        child.flags = FlagsWith(37, {23, 36});
        CharaFixture noFlows;   // its base, a later row, has no flows yet
        noFlows.Set("m_cInheritSource", 1).Set("m_sInheritIndex", 4).Set("m_nMaxHp", 8);
        noFlows.flags = FlagsWith(37, {36});
        noFlows.flows = {FlowWith(WaitCommand())};
        CharaFixture last;
        last.Set("m_nMaxHp", 99);
        last.flows = {FlowWith(WaitCommand())};
        charas = {CharaFixture().Stored(), parent.Stored(), child.Stored(), noFlows.Stored(), last.Stored()};
    }
    std::vector<Bytes> items;
    {
        ItemFixture base;
        base.name = "薬", base.sound = 3, base.size = 2;
        base.commands = {ItemSoundCommand(7).Stored()};
        ItemFixture copy;
        copy.source = 1, copy.index = 1, copy.flags = FlagsWith(13, {0, 11, 12});
        items = {ItemFixture().Stored(), base.Stored(), copy.Stored()};
    }
    ASSERT_EQ(ReadCommonAt(708, PaletteBody(blocks, charas, items)), 1);

    const std::vector<cBlockData>& b = CommonPalette.m_Blocks;
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[0].m_sName, "");
    EXPECT_EQ(b[0].m_sGraphic, 0);
    EXPECT_EQ(b[0].m_Conditions.size(), 1u);   // row 0 keeps its lists
    EXPECT_EQ(b[2].m_sName, "土台");
    EXPECT_EQ(b[2].m_cEffect, 1);
    EXPECT_EQ(b[2].m_nEffectValue, 7);
    EXPECT_EQ(b[2].m_sGraphic, 9);
    EXPECT_EQ(b[2].m_cMarkDisplay, 0);
    EXPECT_EQ(b[2].m_InheritFlags, std::vector<uint8_t>(14, 0));
    EXPECT_EQ(b[3].m_sGraphic, 0);   // row 4's default, so it neither collides nor is protected
    EXPECT_EQ(b[3].m_cCollision, 0);
    EXPECT_EQ(b[3].m_bProtected, 0);
    EXPECT_EQ(b[4].m_sName, "自分");
    EXPECT_EQ(b[4].m_sGraphic, 11);
    EXPECT_EQ(b[4].m_cCollision, 2);
    EXPECT_EQ(b[5].m_cInheritSource, 0);
    EXPECT_EQ(b[5].m_sInheritIndex, 99);
    EXPECT_EQ(b[5].m_sGraphic, 6);
    EXPECT_EQ(b[6].m_cInheritSource, 0);
    EXPECT_EQ(b[6].m_sGraphic, 6);

    const std::vector<cCharaData>& c = CommonPalette.m_Charas;
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[2].m_nMaxHp, 50);
    ASSERT_EQ(c[2].m_Flows.size(), 2u);
    EXPECT_EQ(c[2].m_cInheritSource, 1);
    // Command references are checked once every list is read: item row 2
    // stands, row 5 falls back to the first real row.
    EXPECT_EQ(c[1].m_Flows[0].m_Commands[0].m_Params, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(c[1].m_Flows[1].m_Commands[0].m_Params, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(c[2].m_Flows[1].m_Commands[0].m_Params, (std::vector<int32_t>{0, 1}));
    // The base had no flows: the one default flow it is given holds nothing
    // and is removed by the validation that ends the row's reading.
    EXPECT_TRUE(c[3].m_Flows.empty());
    EXPECT_EQ(c[3].m_nMaxHp, 8);
    for (const cCharaData& row : c) EXPECT_EQ(row.m_InheritFlags, std::vector<uint8_t>(37, 0));

    const std::vector<cItemData>& i = CommonPalette.m_Items;
    ASSERT_EQ(i.size(), 3u);
    EXPECT_EQ(i[2].m_sName, "薬");
    EXPECT_EQ(i[2].m_sSound, 3);
    EXPECT_EQ(i[2].m_cSize, 1);   // group 8 not inherited
    ASSERT_EQ(i[2].m_Commands.size(), 1u);
    CommonPalette.m_Items[2].m_Commands[0].m_Params[0] = 9;
    EXPECT_EQ(i[1].m_Commands[0].m_Params[0], 7);

    EXPECT_EQ(RecordContext.nPaletteBlocks[PALETTE_COMMON], 7);
    EXPECT_EQ(RecordContext.nPaletteCharas[PALETTE_COMMON], 5);
    EXPECT_EQ(RecordContext.nPaletteItems[PALETTE_COMMON], 3);
}

TEST_F(DefinitionTest, EveryPaletteListHoldsTwoRowsWithRowZeroReset)
{
    for (size_t rows : {size_t{0}, size_t{1}, size_t{3}}) {
        SCOPED_TRACE(rows);
        BlockFixture block;
        block.name = "x", block.graphic = 4, block.conditions = {ConditionBytes(3, 4)};
        CharaFixture chara;
        chara.name = "x";
        chara.Set("m_nMaxHp", 1).Set("m_cZOrder", 7);
        chara.cellX = 5;
        chara.flows = {FlowWith(WaitCommand())};
        ItemFixture item;
        item.name = "x", item.z = 1;
        item.commands = {ItemSoundCommand(2).Stored()};
        ASSERT_EQ(ReadCommonAt(708, PaletteBody(std::vector<Bytes>(rows, block.Stored()),
                                                std::vector<Bytes>(rows, chara.Stored()),
                                                std::vector<Bytes>(rows, item.Stored()))),
                  1);
        size_t expected = std::max<size_t>(rows, 2);
        ASSERT_EQ(CommonPalette.m_Blocks.size(), expected);
        ASSERT_EQ(CommonPalette.m_Charas.size(), expected);
        ASSERT_EQ(CommonPalette.m_Items.size(), expected);
        // Row 0 takes the reset values; its lists stay as read.
        const cCharaData& chara0 = CommonPalette.m_Charas[0];
        EXPECT_EQ(chara0.m_sName, "");
        EXPECT_EQ(chara0.m_nMaxHp, 10);
        EXPECT_EQ(chara0.m_sCellX, 0);
        EXPECT_EQ(chara0.m_Flows.size(), rows ? 1u : 0u);
        EXPECT_EQ(CommonPalette.m_Blocks[0].m_sGraphic, 0);
        EXPECT_EQ(CommonPalette.m_Blocks[0].m_Conditions.size(), rows ? 1u : 0u);
        EXPECT_EQ(CommonPalette.m_Items[0].m_cZOrder, 6);
        EXPECT_EQ(CommonPalette.m_Items[0].m_Commands.size(), rows ? 1u : 0u);
        // Rows read stay as read; rows added are defaults.
        EXPECT_EQ(CommonPalette.m_Charas[1].m_nMaxHp, rows > 1 ? 1 : 10);
        EXPECT_EQ(CommonPalette.m_Items[1].m_sName, rows > 1 ? "x" : "");
    }
}

TEST_F(DefinitionTest, PaletteFileWrittenAsItWasRead)
{
    Bytes body = NormalPaletteBody();
    ASSERT_EQ(ReadCommonAt(708, body), 1);
    EXPECT_EQ(CommonPalette.m_Charas[1].m_nMaxHp, 30);
    EXPECT_EQ(CommonPalette.m_Blocks[1].m_cItemSource, 1);
    EXPECT_EQ(SavedBody(CommonPalette), body);

    // A palette with a single character row is written with two.
    cPaletteData palette;
    palette.m_Blocks.resize(2);
    palette.m_Items.resize(2);
    ASSERT_EQ(palette.m_Charas.size(), 1u);
    Bytes written = SavedBody(palette);
    EXPECT_EQ(palette.m_Charas.size(), 2u);
    BlockFixture block;
    block.collision = 0;
    EXPECT_EQ(written, PaletteBody({block.Stored(), block.Stored()}, {CharaFixture().Stored(), CharaFixture().Stored()},
                                   {ItemFixture().Stored(), ItemFixture().Stored()}));
}

TEST_F(DefinitionTest, MissingOrDamagedPaletteLeavesTheCommonPaletteAsItWas)
{
    Bytes body = NormalPaletteBody();
    ASSERT_EQ(ReadCommonAt(708, body), 1);
    auto unchanged = [this] {
        EXPECT_EQ(CommonPalette.m_Blocks.size(), 2u);
        EXPECT_EQ(CommonPalette.m_Charas[1].m_sName, "敵");
        EXPECT_EQ(CommonPalette.m_Items[1].m_sName, "コイン");
        EXPECT_EQ(RecordContext.Palettes[PALETTE_COMMON].lpCharas, &CommonPalette.m_Charas);
        EXPECT_EQ(RecordContext.nPaletteCharas[PALETTE_COMMON], 2);
    };

    EXPECT_EQ(ReadCommonPalette("none.cplt4"), 0);
    unchanged();
    EXPECT_EQ(DamageReports(), 0);

    // Cut anywhere, the file is refused and reported.
    int reports = 0;
    for (size_t length = 0; length < body.size(); length += 7) {
        SCOPED_TRACE(length);
        EXPECT_EQ(ReadCommonAt(708, Bytes(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(length))), 0);
        unchanged();
        EXPECT_EQ(DamageReports(), ++reports);
    }
    // A count no file could hold.
    FixtureBytes huge;
    huge.u32(0).u32(0).u32(0x7FFFFFFF);
    EXPECT_EQ(ReadCommonAt(708, huge.get()), 0);
    unchanged();
}

TEST_F(DefinitionTest, InheritanceBuildsNoMoreThanTheFileSizeAllows)
{
    // Row 1 holds 200 flows of one command; every later row takes the flow
    // group (flag 36) of row 1. Each heir copies 400 records (200 flows and
    // their commands) while it adds some 200 bytes to the file, which may
    // build one record a byte.
    CharaFixture base;
    base.name = "base";
    base.flows = std::vector<Bytes>(200, FlowWith(WaitCommand()));
    CharaFixture heir;
    heir.Set("m_cInheritSource", SOURCE_COMMON).Set("m_sInheritIndex", 1);
    heir.flags = FlagsWith(37, {36});
    auto palette = [&](int heirs) {
        std::vector<Bytes> charas = {CharaFixture().Stored(), base.Stored()};
        charas.insert(charas.end(), static_cast<size_t>(heirs), heir.Stored());
        return PaletteBody({}, charas, {});
    };

    ASSERT_EQ(ReadCommonAt(708, palette(10)), 1);
    ASSERT_EQ(CommonPalette.m_Charas.size(), 12u);
    EXPECT_EQ(CommonPalette.m_Charas[11].m_Flows.size(), 200u);
    EXPECT_EQ(DamageReports(), 0);

    // 300 heirs would build 120,000 records from a file of some 80 KB.
    EXPECT_EQ(ReadCommonAt(708, palette(300)), 0);
    EXPECT_EQ(CommonPalette.m_Charas.size(), 12u);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("inheritance copies more than"), std::string::npos);
}
