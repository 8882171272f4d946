// Commands: the stored form, the upgrades of older files, validation against
// the vocabulary, the database and the palettes, and copies that share nothing.
#include "records/command_data.h"
#include "records/flow_data.h"
#include "tests/records/flow_fixtures.h"

namespace {

std::vector<int> Range(int from, int to)
{
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}

std::vector<int> ParamsOf(const cCommandData& c) { return std::vector<int>(c.m_Params.begin(), c.m_Params.end()); }

} // namespace

TEST_F(FlowRecordTest, SetTargetOfVersion180IsReLaidOut)
{
    // "ターゲットの設定" (kind 21) with the nine parameters 1 to 9 of its old layout.
    const char* v180 =
        "08000000 00 15 0500 0100 00 0300 01 0200 01000000 01000000 "
        "00000000 00000000 00000000 "
        "09000000 01000000 02000000 03000000 04000000 05000000 06000000 07000000 08000000 09000000";
    cCommandData c;
    ASSERT_EQ(LoadAt(c, 180, v180), 1);
    EXPECT_EQ(c.m_cKind, FLOWCMD_SET_TARGET);
    EXPECT_EQ(c.m_sTime, 5);
    EXPECT_EQ(c.m_sTimeStep, 1);
    EXPECT_EQ(c.m_sSound, 3);
    EXPECT_EQ(c.m_sStartAnime, 2);
    EXPECT_EQ(ParamsOf(c), (std::vector<int>{1, 2, 0, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(SavedBody(c), HexBytes("08000000 00 15 0500 0100 00 0300 01 0200 01000000 01000000 "
                                     "00000000 00000000 00000000 "
                                     "0A000000 01000000 02000000 00000000 03000000 04000000 05000000 "
                                     "06000000 07000000 08000000 09000000"));
}

TEST_F(FlowRecordTest, CommandParameterUpgradesByVersion)
{
    struct Row {
        const char* what;
        int version, item, kind;
        std::vector<int> stored, expected;
    };
    const std::vector<int> message17 = {7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    const Row rows[] = {
        {"stage clear grows to 9", 144, 0, FLOWCMD_STAGE_CLEAR, {1, 2, 3}, {1, 2, 3, 0, 0, 0, 0, 0, 0}},
        {"music loops before 166", 165, 0, FLOWCMD_PLAY_BGM, {3}, {3, 1}},
        {"music of 166 as stored", 166, 0, FLOWCMD_PLAY_BGM, {3}, {3, 0}},
        {"item music loops before 166", 165, 1, 20, {3}, {3, 1}},
        {"status 10 at 160 moves twice", 160, 0, FLOWCMD_STATUS_OP, {0, 0, 0, 0, 10},
         {0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"item status 12 at 167", 167, 1, 7, {0, 0, 0, 1, 12}, {0, 0, 0, 1, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"system status kept", 160, 0, FLOWCMD_STATUS_OP, {0, 0, 0, 2, 12},
         {0, 0, 0, 2, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"variable on the left kept", 160, 0, FLOWCMD_STATUS_OP, {1, 0, 0, 0, 12},
         {1, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"status 12 at 168 moves once", 168, 0, FLOWCMD_STATUS_OP, {0, 0, 0, 0, 12},
         {0, 0, 0, 0, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"right status at 202", 202, 0, FLOWCMD_STATUS_OP,
         {5, 0, 0, 0, 7, 0, 2, 0, 0, 0, 0, 0, 1, 7, 0, 0, 0, 0},
         {5, 0, 0, 0, 7, 0, 2, 0, 0, 0, 0, 0, 1, 8, 0, 0, 0, 0}},
        {"statuses kept at 203", 203, 0, FLOWCMD_STATUS_OP,
         {0, 0, 0, 0, 7, 0, 2, 0, 0, 0, 0, 0, 1, 7, 0, 0, 0, 0},
         {0, 0, 0, 0, 7, 0, 2, 0, 0, 0, 0, 0, 1, 7, 0, 0, 0, 0}},
        {"target of 180", 180, 0, FLOWCMD_SET_TARGET, Range(1, 9), {1, 2, 0, 3, 4, 5, 6, 7, 8, 9}},
        {"item target of 188", 188, 1, 6, Range(1, 9), {1, 2, 0, 3, 4, 5, 6, 7, 8, 9}},
        {"target of 189 as stored", 189, 0, FLOWCMD_SET_TARGET, Range(1, 9), {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
        {"picture of 193", 193, 0, FLOWCMD_SHOW_PICTURE, Range(1, 13), {1, 2, 3, 4, 5, 6, 1, 7, 8, 9, 10, 0, 0, 0}},
        {"picture of 544", 544, 0, FLOWCMD_SHOW_PICTURE, Range(1, 14), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0, 0}},
        {"picture of 546", 546, 1, 16, Range(1, 14), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0}},
        {"picture of 547 as stored", 547, 0, FLOWCMD_SHOW_PICTURE, Range(1, 14), Range(1, 14)},
        {"chara effect of 194", 194, 0, FLOWCMD_CHARA_EFFECT, {5, 6}, {5, 0, 6}},
        {"item screen effect of 194", 194, 1, 15, {5, 6}, {5, 0, 6}},
        // Item kind 14 is the character effect, not the character summon.
        {"item chara effect of 202", 202, 1, 14, {5, 6, 7}, {5, 6, 7}},
        {"chara summon of 202 loses its parameters", 202, 0, FLOWCMD_SUMMON_CHARA, {5, 6, 7}, {}},
        {"chara effect of 195 as stored", 195, 0, FLOWCMD_CHARA_EFFECT, {5, 6}, {5, 6, 0}},
        {"state 6 at 209", 209, 0, FLOWCMD_STATUS_OP2, {0, 6, 4}, {0, 7, 4}},
        {"system state kept", 209, 0, FLOWCMD_STATUS_OP2, {2, 6, 4}, {2, 6, 4}},
        {"state 6 at 210 kept", 210, 1, 8, {0, 6, 4}, {0, 6, 4}},
        {"graphic of kind 3 at 218", 218, 0, FLOWCMD_CHANGE_GRAPHIC, {3, 5, 9}, {3, 6, 9}},
        {"graphic capped at 119", 218, 0, FLOWCMD_CHANGE_GRAPHIC, {3, 119, 9}, {3, 119, 9}},
        {"graphic of another kind kept", 218, 1, 10, {2, 5, 9}, {2, 5, 9}},
        {"graphic of 219 as stored", 219, 0, FLOWCMD_CHANGE_GRAPHIC, {3, 5, 9}, {3, 5, 9}},
        {"message of 540 from the centre", 540, 0, FLOWCMD_MESSAGE, message17,
         {7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 0, 0, 0, 1, 0, 1}},
        {"message of 545 elsewhere", 545, 1, 4, {3, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
         {3, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 1, 0, 1}},
        {"message of 546 keeps p10", 546, 0, FLOWCMD_MESSAGE, message17,
         {7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 0, 0, 1, 0, 1}},
        {"message of 555", 555, 0, FLOWCMD_MESSAGE, message17,
         {7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1}},
        {"message of 556 as stored", 556, 0, FLOWCMD_MESSAGE, message17, message17},
        // Positions the stored list does not reach read as 0.
        {"short status list", 160, 0, FLOWCMD_STATUS_OP, {0}, std::vector<int>(18, 0)},
        {"short graphic list", 218, 0, FLOWCMD_CHANGE_GRAPHIC, {3}, {3, 1, 0}},
        {"empty message of 540", 540, 0, FLOWCMD_MESSAGE, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1}},
        // Kinds outside the vocabulary keep their parameters and change nothing.
        {"unknown character kind", 150, 0, 50, {1, 2, 3}, {1, 2, 3}},
        {"negative kind", 150, 0, -1, {1, 2, 3}, {1, 2, 3}},
        {"unknown item kind", 150, 1, 22, {4}, {4}},
        {"flow change", 150, 1, ITEMCMD_CHANGE_FLOW, {1, 2, 3, 4}, {1, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CommandFixture f;
        f.item = row.item;
        f.kind = row.kind;
        f.params = row.stored;
        cCommandData c;
        ASSERT_EQ(LoadAt(c, row.version, f.Stored()), 1);
        EXPECT_EQ(c.m_cKind, row.kind);
        EXPECT_EQ(ParamsOf(c), row.expected);
        // Saved as it now is.
        CommandFixture current = f;
        current.params = row.expected;
        EXPECT_EQ(SavedBody(c), current.Stored());
    }
}

TEST_F(FlowRecordTest, CommandRecordUpgradesOfShotGraphicAndCharge)
{
    // A shot record of version 219 stored up to its graphic number (18 fields).
    auto shotWithGraphic = [](int graphic) {
        FixtureBytes b;
        b.hex("12000000 00 00 000000000000 00 00 0000 0000 01 0000 00 00 0000 0000 0000 0000 01 00").i16(graphic).u32(0);
        return b.get();
    };
    struct ShotRow {
        int version, kind, graphic, expected;
    };
    const ShotRow shotRows[] = {
        {219, FLOWCMD_SHOT, 5, 6}, {219, FLOWCMD_SHOT, 119, 119}, {219, FLOWCMD_SWORD, 5, 5}, {220, FLOWCMD_SHOT, 5, 5}};
    for (const ShotRow& row : shotRows) {
        SCOPED_TRACE(testing::Message() << row.version << " kind " << row.kind << " graphic " << row.graphic);
        CommandFixture f;
        f.kind = row.kind;
        f.hasShot = true;
        f.shot = shotWithGraphic(row.graphic);
        cCommandData c;
        ASSERT_EQ(LoadAt(c, row.version, f.Stored()), 1);
        ASSERT_TRUE(c.m_pShot);
        EXPECT_EQ(c.m_pShot->m_sGraphic, row.expected);
    }

    // A charge's movement (five fields: angle 30, step 5, no mirror) loses its angle before 514.
    for (int version : {513, 514}) {
        SCOPED_TRACE(version);
        CommandFixture f;
        f.kind = FLOWCMD_CHARGE_MOVE;
        f.hasMove = true;
        f.move = HexBytes("05000000 00 00 1E00 0500 00 00000000");
        cCommandData c;
        ASSERT_EQ(LoadAt(c, version, f.Stored()), 1);
        ASSERT_TRUE(c.m_pMove);
        EXPECT_EQ(c.m_pMove->m_sAngle, version < 514 ? 0 : 30);
        EXPECT_EQ(c.m_pMove->m_sAngleStep, version < 514 ? 0 : 5);
        EXPECT_EQ(c.m_pMove->m_bMirrorAngle, version < 514 ? 1 : 0);
    }
}

TEST_F(FlowRecordTest, CommandValidationAgainstTheDatabase)
{
    struct Row {
        const char* what;
        int item, kind;
        std::vector<int> params, expected;
        void (*context)(cRecordContext&);
    };
    auto none = [](cRecordContext&) {};
    const Row rows[] = {
        {"jump keeps its first five", 0, FLOWCMD_JUMP, Range(1, 20), Range(1, 5), none},
        {"message gets 17", 0, FLOWCMD_MESSAGE, {}, std::vector<int>(17, 0), none},
        {"animation past the list", 0, FLOWCMD_PLAY_ANIM, {500}, {1}, none},
        {"last animation kept", 0, FLOWCMD_PLAY_ANIM, {19}, {19}, none},
        {"animation set past the list", 0, FLOWCMD_CHANGE_ANIMSET, {500}, {0}, none},
        {"item animation set", 1, 11, {-1}, {0}, none},
        {"effect below 0", 0, FLOWCMD_PLAY_EFFECT, {-1}, {1, 0, 0, 0, 0, 0, 0, 0}, none},
        {"item chara effect", 1, 14, {12, 0, 0}, {1, 0, 0}, none},
        {"screen effect", 0, FLOWCMD_SCREEN_EFFECT, {13, 1, 2}, {1, 1, 2}, none},
        {"picture", 1, 16, {14}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, none},
        {"sound", 0, FLOWCMD_PLAY_SE, {40}, {1}, none},
        {"music", 1, 20, {15, 1}, {1, 1}, none},
        // With no entry past the reserved first one, 1 names nothing: 0 instead.
        {"one animation", 0, FLOWCMD_PLAY_ANIM, {5}, {0}, [](cRecordContext& c) { c.nAnimes = 1; }},
        {"no animations", 0, FLOWCMD_PLAY_ANIM, {5}, {0}, [](cRecordContext& c) { c.nAnimes = 0; }},
        {"two pictures", 0, FLOWCMD_SHOW_PICTURE, {5}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         [](cRecordContext& c) { c.nPictures = 2; }},
        {"unknown kind untouched", 0, 40, {500, 7}, {500, 7}, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRecordContext saved = RecordContext;
        row.context(RecordContext);
        cCommandData c;
        c.m_bItemCommand = static_cast<uint8_t>(row.item);
        c.m_cKind = static_cast<int8_t>(row.kind);
        c.m_Params.assign(row.params.begin(), row.params.end());
        c.Validate();
        EXPECT_EQ(ParamsOf(c), row.expected);
        RecordContext = saved;
    }

    // Sound and start animation of every kind.
    cCommandData c;
    c.m_sStartAnime = 20;
    c.m_sSound = -1;
    c.Validate();
    EXPECT_EQ(c.m_sStartAnime, 0);
    EXPECT_EQ(c.m_sSound, 0);
    c.m_sStartAnime = 19;
    c.m_sSound = 39;
    c.Validate();
    EXPECT_EQ(c.m_sStartAnime, 19);
    EXPECT_EQ(c.m_sSound, 39);
}

TEST_F(FlowRecordTest, SwordTimeIsTheSumOfItsFrames)
{
    struct Row {
        const char* what;
        std::vector<std::vector<int16_t>> swords;
        int type, expectedType, expectedTime;
    };
    const Row rows[] = {
        {"type 1", {{2, 3}, {10, 20, 30}}, 1, 1, 60},
        {"type past the list", {{2, 3}, {10, 20, 30}}, 5, 0, 5},
        {"negative type", {{2, 3}}, -2, 0, 5},
        // A 16-bit sum would wrap below zero here.
        {"capped at 9999", {{30000, 30000, 5}}, 0, 0, 9999},
        {"stays at 9999", {{9000, 1000, -5000}}, 0, 0, 9999},
        {"never negative", {{-5, 2}}, 0, 0, 0},
        // A 32-bit sum would wrap past the cap here.
        {"many negative frames", {std::vector<int16_t>(65537, -32768)}, 0, 0, 0},
        {"no sword types", {}, 3, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RecordContext.SwordFrames = row.swords;
        cCommandData c;
        c.m_cKind = FLOWCMD_SWORD;
        c.m_sTime = 77;
        NewEdShot(c.m_pShot);
        c.m_pShot->m_cMotion = static_cast<int8_t>(row.type);
        c.Validate();
        EXPECT_EQ(c.m_pShot->m_cMotion, row.expectedType);
        EXPECT_EQ(c.m_sTime, row.expectedTime);
    }
    // Without a shot record the time stands.
    cCommandData c;
    c.m_cKind = FLOWCMD_SWORD;
    c.m_sTime = 77;
    c.Validate();
    EXPECT_EQ(c.m_sTime, 77);
}

TEST_F(FlowRecordTest, CommandReferencesIntoThePalettes)
{
    // Item palettes: 70 common rows, 71 stage rows; characters 60/61; blocks 50/51.
    struct Row {
        const char* what;
        int kind, itemSource, item, palette, index;
        int expectedSource, expectedItem, expectedIndex;
    };
    const Row rows[] = {
        {"shot item in the common list", FLOWCMD_SHOT, 1, 69, 0, 0, 1, 69, 0},
        {"shot item past the common list", FLOWCMD_SHOT, 1, 70, 0, 0, 0, 0, 0},
        {"sword item in the stage list", FLOWCMD_SWORD, 2, 70, 0, 0, 2, 70, 0},
        {"sword item below 0", FLOWCMD_SWORD, 2, -1, 0, 0, 0, 0, 0},
        {"no item", FLOWCMD_SHOT, 0, 500, 0, 0, 0, 500, 0},
        {"other choice left alone", FLOWCMD_SHOT, 3, 500, 0, 0, 3, 500, 0},
        {"block past the common list", FLOWCMD_SUMMON_BLOCK, 0, 0, 0, 50, 0, 0, 1},
        {"block in the stage list", FLOWCMD_SUMMON_BLOCK, 0, 0, 1, 50, 0, 0, 50},
        {"character past the stage list", FLOWCMD_SUMMON_CHARA, 0, 0, 1, 61, 0, 0, 1},
        {"item summon below 0", FLOWCMD_SUMMON_ITEM, 0, 0, 0, -3, 0, 0, 1},
        {"summon choice 2 left alone", FLOWCMD_SUMMON_ITEM, 0, 0, 2, 900, 0, 0, 900},
        {"summon item of a shot left alone", FLOWCMD_SHOT, 0, 0, 0, 900, 0, 0, 900},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cCommandData c;
        c.m_cKind = static_cast<int8_t>(row.kind);
        NewEdShot(c.m_pShot);
        c.m_pShot->m_cHitItemSource = static_cast<int8_t>(row.itemSource);
        c.m_pShot->m_sHitItem = static_cast<int16_t>(row.item);
        c.m_pShot->m_cPalette = static_cast<int8_t>(row.palette);
        c.m_pShot->m_sPaletteIndex = static_cast<int16_t>(row.index);
        c.ValidateRefs();
        EXPECT_EQ(c.m_pShot->m_cHitItemSource, row.expectedSource);
        EXPECT_EQ(c.m_pShot->m_sHitItem, row.expectedItem);
        EXPECT_EQ(c.m_pShot->m_sPaletteIndex, row.expectedIndex);
    }

    struct ItemRow {
        const char* what;
        int item;
        std::vector<int> params, expected;
        int commonItems;
    };
    const ItemRow itemRows[] = {
        {"common item kept", 0, {0, 69}, {0, 69}, 70},
        {"common item past the list", 0, {0, 70}, {0, 1}, 70},
        {"stage item past the list (item command)", 1, {1, 71}, {1, 1}, 70},
        {"other palette choice kept", 0, {2, 5000}, {2, 5000}, 70},
        {"only the reserved row", 0, {0, 3}, {0, 0}, 1},
        {"no rows", 1, {0, 3}, {0, 0}, 0},
    };
    for (const ItemRow& row : itemRows) {
        SCOPED_TRACE(row.what);
        RecordContext.nPaletteItems[PALETTE_COMMON] = row.commonItems;
        cCommandData c;
        c.m_bItemCommand = static_cast<uint8_t>(row.item);
        c.m_cKind = static_cast<int8_t>(row.item ? int{FLOWCMD_GET_ITEM} - int{ITEMCMD_TO_FLOWCMD} : int{FLOWCMD_GET_ITEM});
        c.m_Params.assign(row.params.begin(), row.params.end());
        c.ValidateRefs();
        EXPECT_EQ(ParamsOf(c), row.expected);
    }
}

TEST_F(FlowRecordTest, CommandCopiesOwnTheirRecords)
{
    cCommandData a;
    a.m_cKind = FLOWCMD_SHOT;
    a.m_Params = {1, 2};
    a.m_sText = "弾";
    NewEdMove(a.m_pMove);
    a.m_pMove->m_sSpeed = 40;
    NewEdShot(a.m_pShot);
    a.m_pShot->m_nPower = 12;
    a.m_Flows.resize(1);
    a.m_Flows[0].m_Commands.resize(1);
    NewEdShot(a.m_Flows[0].m_Commands[0].m_pShot);

    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way ? "assignment" : "copy construction");
        cCommandData b;
        NewEdMove(b.m_pMove);
        boost::shared_ptr<cEdMove> old = b.m_pMove;
        if (way) b = a;
        cCommandData c(a);
        cCommandData& copy = way ? b : c;
        ASSERT_TRUE(copy.m_pMove && copy.m_pShot);
        EXPECT_NE(copy.m_pMove, a.m_pMove);
        EXPECT_NE(copy.m_pShot, a.m_pShot);
        EXPECT_NE(copy.m_pMove, old);
        EXPECT_EQ(copy.m_pMove->m_sSpeed, 40);
        EXPECT_EQ(copy.m_pShot->m_nPower, 12);
        EXPECT_EQ(copy.m_sText, "弾");
        EXPECT_NE(copy.m_Flows[0].m_Commands[0].m_pShot, a.m_Flows[0].m_Commands[0].m_pShot);
        copy.m_pMove->m_sSpeed = 1;
        copy.m_pShot->m_nPower = 2;
        EXPECT_EQ(a.m_pMove->m_sSpeed, 40);
        EXPECT_EQ(a.m_pShot->m_nPower, 12);
    }

    // Assigning a command without records empties the target's.
    cCommandData bare;
    cCommandData target(a);
    target = bare;
    EXPECT_FALSE(target.m_pMove);
    EXPECT_FALSE(target.m_pShot);
    EXPECT_TRUE(target.m_Flows.empty());
}

TEST_F(FlowRecordTest, CommandRecordsKeepTheirPresence)
{
    for (int present = 0; present < 4; ++present) {
        SCOPED_TRACE(present);
        cCommandData c;
        c.m_cKind = FLOWCMD_LINEAR_MOVE;
        if (present & 1) {
            NewEdMove(c.m_pMove);
            c.m_pMove->m_sDistance = 9;
        }
        if (present & 2) {
            NewEdShot(c.m_pShot);
            c.m_pShot->m_cRepeat = 4;
        }
        Bytes body = SavedBody(c);
        cCommandData back;
        ASSERT_EQ(back.LoadFile("out.dat"), 1);
        EXPECT_EQ(!!back.m_pMove, (present & 1) != 0);
        EXPECT_EQ(!!back.m_pShot, (present & 2) != 0);
        if (back.m_pMove) {
            EXPECT_EQ(back.m_pMove->m_sDistance, 9);
        }
        if (back.m_pShot) {
            EXPECT_EQ(back.m_pShot->m_cRepeat, 4);
        }
        EXPECT_EQ(SavedBody(back), body);
    }
    // Any non-zero presence counts.
    CommandFixture f;
    f.hasMove = true;
    f.move = HexBytes("00000000 00000000");
    Bytes stored = f.Stored();
    stored[4 + 12 + 4 + 4] = 7;  // after the record part and its empty text
    cCommandData c;
    ASSERT_EQ(LoadAt(c, 708, stored), 1);
    EXPECT_TRUE(c.m_pMove);
}

TEST_F(FlowRecordTest, CommandsNestedTooDeeplyAreRefused)
{
    // A command carrying one flow carrying one command, 40 levels deep.
    Bytes inner = CommandFixture().Stored();
    for (int level = 0; level < 40; ++level) {
        FlowFixture flow;
        flow.commands = {inner};
        CommandFixture outer;
        outer.item = 1;
        outer.kind = ITEMCMD_CHANGE_FLOW;
        outer.flows = {flow.Stored()};
        inner = outer.Stored();
    }
    cCommandData c;
    EXPECT_EQ(LoadAt(c, 708, inner), 0);
    EXPECT_EQ(DamageReports(), 1);
    EXPECT_NE(ReadFileText("Report_Game.txt").find("nested"), std::string::npos);
}
