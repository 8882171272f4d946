// Flows and key conditions: the stored form, trigger upgrades, the name,
// editor-only flows, and a nested flow that survives a round trip whole.
#include "records/flow_data.h"
#include "tests/records/flow_fixtures.h"

TEST_F(FlowRecordTest, FlowOfVersion131ShiftsItsTrigger)
{
    // Trigger 11 ("above and below" then) with flag letter 3; no name before 676.
    const char* v131 = "08000000 02 03 00 01 01 0B 05 01 00000000 00000000 00000000 00000000";
    cFlowData flow;
    ASSERT_EQ(LoadAt(flow, 131, v131), 1);
    EXPECT_EQ(flow.m_cFlowId, 2);
    EXPECT_EQ(flow.m_cCondMode, 1);
    EXPECT_EQ(flow.m_bCondLatch, 1);
    EXPECT_EQ(flow.m_cTrigger, TRIGGER_BLOCK_ABOVE);
    EXPECT_EQ(flow.m_cFlag, 0);
    EXPECT_EQ(flow.m_cKeyWindow, 5);
    EXPECT_EQ(flow.m_bKeyRepeat, 1);
    // Saved with the name, empty.
    EXPECT_EQ(SavedBody(flow), HexBytes("08000000 02 00 00 01 01 0E 05 01 01000000 01000000 00000000 00000000 00000000"));
}

TEST_F(FlowRecordTest, FlowTriggerUpgradesByVersion)
{
    struct Row {
        int version, trigger, flag;
        int expectedTrigger, expectedFlag;
    };
    const Row rows[] = {
        {131, 12, 0, 15, 0}, {131, 11, 3, 14, 0}, {131, 10, 0, 12, 0}, {131, 5, 0, 7, 0}, {131, 4, 2, 4, 0},
        {131, 0, 3, 0, 3},   {132, 11, 0, 13, 0}, {162, 1, 4, 1, 0},   {163, 6, 4, 8, 4},  {163, 4, 4, 4, 4},
        {164, 6, 4, 6, 4},   {708, 19, 26, 19, 26},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.version << " trigger " << row.trigger << " flag " << row.flag);
        FlowFixture f;
        f.storesName = false;
        f.trigger = row.trigger;
        f.flag = row.flag;
        cFlowData flow;
        ASSERT_EQ(LoadAt(flow, row.version, f.Stored()), 1);
        EXPECT_EQ(flow.m_cTrigger, row.expectedTrigger);
        EXPECT_EQ(flow.m_cFlag, row.expectedFlag);
    }
}

TEST_F(FlowRecordTest, FlowNameIsStoredFrom676AndAlwaysDropped)
{
    struct Row {
        int version;
        bool storesName;
    };
    for (const Row& row : {Row{675, false}, Row{676, true}, Row{708, true}}) {
        SCOPED_TRACE(row.version);
        FlowFixture f;
        f.storesName = row.storesName;
        f.name = row.storesName ? "ジャンプ攻撃" : "";
        f.trigger = TRIGGER_DAMAGED;
        cFlowData flow;
        flow.m_sName = "前の名前";
        ASSERT_EQ(LoadAt(flow, row.version, f.Stored()), 1);
        EXPECT_EQ(flow.m_sName, "");
        EXPECT_EQ(flow.m_cTrigger, TRIGGER_DAMAGED);
        FlowFixture saved = f;
        saved.storesName = true;
        saved.name = "";
        EXPECT_EQ(SavedBody(flow), saved.Stored());
    }
    // A name in a file that cannot hold one is damage.
    FlowFixture f;
    f.name = "x";
    cFlowData flow;
    EXPECT_EQ(LoadAt(flow, 675, f.Stored()), 0);
    EXPECT_EQ(DamageReports(), 1);
}

TEST_F(FlowRecordTest, KeyConditionsKeepTheirStoredCount)
{
    cKeyCondData fresh;
    EXPECT_EQ(fresh.m_KeyStates, std::vector<uint8_t>(KEYSTATE_COUNT, 0));

    for (size_t count : {size_t{5}, size_t{0}, size_t{19}, size_t{25}}) {
        SCOPED_TRACE(count);
        KeyCondFixture k;
        k.mirror = 1;
        k.minFrames = 3;
        k.maxFrames = 10;
        k.anyLength = 1;
        k.mode = 2;
        k.states.assign(count, 0);
        for (size_t i = 0; i < count; ++i) k.states[i] = static_cast<int>(i % 3);
        cKeyCondData key;
        ASSERT_EQ(LoadAt(key, 708, k.Stored()), 1);
        ASSERT_EQ(key.m_KeyStates.size(), count);
        for (size_t i = 0; i < count; ++i) EXPECT_EQ(key.m_KeyStates[i], i % 3);
        EXPECT_EQ(key.m_bMirror, 1);
        EXPECT_EQ(key.m_sMinFrames, 3);
        EXPECT_EQ(key.m_sMaxFrames, 10);
        EXPECT_EQ(key.m_bAnyLength, 1);
        EXPECT_EQ(key.m_cMode, 2);
        EXPECT_EQ(SavedBody(key), k.Stored());
    }
}

TEST_F(FlowRecordTest, FlowListsGrowWithAKeyWindowOf3)
{
    // Flows stored with six of their eight bytes keep the list's key window.
    FixtureBytes six;
    six.hex("06000000 01 00 00 00 00 00 00000000 00000000 00000000 00000000");
    ASSERT_TRUE(WriteFileBytes("list.dat", FileOf(708, StoredList({six.get(), six.get()}))));
    std::vector<cFlowData> list(4);
    auto in = DataFileOpenRead("list.dat");
    ASSERT_TRUE(in);
    ASSERT_TRUE(ReadFlowList(list, *in));
    ASSERT_EQ(list.size(), 2u);
    for (const cFlowData& flow : list) {
        EXPECT_EQ(flow.m_cFlowId, 1);
        EXPECT_EQ(flow.m_cKeyWindow, 3);
        EXPECT_EQ(flow.m_cTrigger, TRIGGER_ALWAYS);
    }
    EXPECT_EQ(cFlowData().m_cKeyWindow, 0);
}

TEST_F(FlowRecordTest, EditorOnlyFlowsAreDroppedUnlessKept)
{
    struct Row {
        const char* what;
        int fromEditor, keep;
        std::vector<int> expectedIds;
    };
    const Row rows[] = {
        {"normal run", 0, 0, {2}},
        {"editor test play", 1, 0, {1, 2, 3}},
        {"flow-keep setting", 0, 1, {1, 2, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RecordContext.bFromEditor = row.fromEditor;
        RecordContext.nKeepFlaggedFlows = row.keep;
        // An item command whose flows 1 and 3 serve the editor only.
        CommandFixture command;
        command.item = 1;
        command.kind = ITEMCMD_CHANGE_FLOW;
        for (int id = 1; id <= 3; ++id) {
            FlowFixture flow;
            flow.flowId = id;
            flow.editorOnly = id != 2;
            command.flows.push_back(flow.Stored());
        }
        cCommandData c;
        ASSERT_EQ(LoadAt(c, 708, command.Stored()), 1);
        std::vector<int> ids;
        for (const cFlowData& flow : c.m_Flows) ids.push_back(flow.m_cFlowId);
        EXPECT_EQ(ids, row.expectedIds);

        // The same on a list read by its owner.
        std::vector<cFlowData> list(3);
        for (int i = 0; i < 3; ++i) list[i].m_cFlowId = static_cast<uint8_t>(i + 1), list[i].m_bEditorOnly = i != 1;
        EraseMarkedFlows(list);
        ids.clear();
        for (const cFlowData& flow : list) ids.push_back(flow.m_cFlowId);
        EXPECT_EQ(ids, row.expectedIds);
    }
}

namespace {

// A flow of each part: two conditions, two key steps, and commands that carry
// a movement, a shot, a sword, and an item command with a flow of its own
// that moves and shoots again.
Bytes RichFlow()
{
    const ConditionFixture cond1{.kind = 4, .value = 50, .randomLow = 1, .randomHigh = 9, .subject = 1, .status = 2,
                                 .index = 3, .rightSource = 2, .rightSubject = 1, .rightStatus = 12, .op = 2,
                                 .percent = 1};
    const ConditionFixture cond2{.kind = 7, .value = 6, .subject = 1, .rightIndex = -8, .op = 1, .axis = 6};

    KeyCondFixture key1, key2;
    key1.states[2] = 1;
    key1.states[11] = 1;
    key1.minFrames = 1;
    key1.maxFrames = 8;
    key2.states = {0, 2, 0, 1, 0};
    key2.mirror = 1;
    key2.mode = 1;

    // 32 movement fields, 52 bytes.
    FixtureBytes move;
    move.u32(32).u8(1).u8(3).i16(45).i16(5).u8(1).u8(1).u8(0).i16(4).i16(-2).i16(7).i16(-7).u8(2).u8(1).u8(0).u8(1);
    move.u8(1).u8(0).u8(1).u8(1).u8(1).u8(2).i16(15).i16(3).i16(12).i16(-1).u8(1).i16(6).i16(2).u8(1).i16(60);
    move.f64(0.75).u8(1).u32(0);

    // 60 shot fields, 93 bytes: motion 2 and arrangement 3, power 500, hit effect 4, item 2/70.
    auto shot = [](int motion, int palette, int index) {
        FixtureBytes s;
        s.u32(60).u8(2).u8(3).i16(1).i16(2).i16(3).u8(1).u8(4).u8(1).i16(90).i16(10).u8(1).i16(5).u8(1).u8(2);
        s.i16(8).i16(1).i16(-8).i16(-1).u8(1).u8(0).i16(33).u8(4).u8(0).u8(1).u8(3).u8(9).u8(2).u8(7).u8(motion);
        s.i16(5).i16(1).i16(0).u8(0).i16(40).i16(2).u8(1).i16(3).i16(1).i16(20).u8(1).i16(2).u8(0).u8(1).i16(30);
        s.i16(0).u8(0).u8(1).u8(1).u8(1).u8(3).i32(500).i16(-9).u8(4).i16(4).u8(2).i16(70).u8(1).u8(1).u8(0);
        s.u8(palette).i16(index).u8(1).u8(0).u8(1).u32(0);
        return s.get();
    };

    CommandFixture walk;
    walk.kind = FLOWCMD_LINEAR_MOVE;
    walk.time = 30;
    walk.timeStep = 2;
    walk.startAnime = 5;
    walk.hasMove = true;
    walk.move = move.get();

    CommandFixture fire;
    fire.kind = FLOWCMD_SHOT;
    fire.noWait = 1;
    fire.sound = 12;
    fire.soundOnScreen = 0;
    fire.hasShot = true;
    fire.shot = shot(2, 1, 7);

    CommandFixture sword;
    sword.kind = FLOWCMD_SWORD;
    sword.time = 60;  // the frames of sword type 1
    sword.hasShot = true;
    sword.shot = shot(1, 0, 0);

    CommandFixture say;
    say.kind = FLOWCMD_MESSAGE;
    say.text = "こんにちは";
    say.params = std::vector<int>(17, 0);
    say.params[16] = 1;

    FlowFixture inner;
    inner.flowId = 5;
    inner.trigger = TRIGGER_NONE;
    inner.keyWindow = 3;
    inner.commands = {walk.Stored(), fire.Stored()};

    CommandFixture change;
    change.item = 1;
    change.kind = ITEMCMD_CHANGE_FLOW;
    change.params = {1, 5};
    change.flows = {inner.Stored()};

    FlowFixture flow;
    flow.flowId = 1;
    flow.flag = 2;
    flow.condMode = 1;
    flow.condLatch = 1;
    flow.trigger = TRIGGER_HIT_SHOT;
    flow.keyWindow = 4;
    flow.keyRepeat = 1;
    flow.conditions = {cond1.Stored(), cond2.Stored()};
    flow.keyConds = {key1.Stored(), key2.Stored()};
    flow.commands = {walk.Stored(), fire.Stored(), sword.Stored(), say.Stored(), change.Stored()};
    return flow.Stored();
}

} // namespace

TEST_F(FlowRecordTest, NestedFlowRoundTripsByteForByte)
{
    const Bytes stored = RichFlow();
    cFlowData flow;
    ASSERT_EQ(LoadAt(flow, 708, stored), 1);
    ASSERT_EQ(flow.m_Conditions.size(), 2u);
    EXPECT_EQ(flow.m_Conditions[1].m_cKind, CONDITION_DISTANCE);
    EXPECT_EQ(flow.m_Conditions[1].m_sRightIndex, -8);
    ASSERT_EQ(flow.m_KeyConds.size(), 2u);
    EXPECT_EQ(flow.m_KeyConds[1].m_KeyStates.size(), 5u);
    ASSERT_EQ(flow.m_Commands.size(), 5u);
    const cCommandData& walk = flow.m_Commands[0];
    ASSERT_TRUE(walk.m_pMove);
    EXPECT_FALSE(walk.m_pShot);
    EXPECT_EQ(walk.m_pMove->m_sInertiaLimit, 60);
    EXPECT_EQ(walk.m_pMove->m_dReversal, 0.75);
    ASSERT_TRUE(flow.m_Commands[1].m_pShot);
    EXPECT_EQ(flow.m_Commands[1].m_pShot->m_nPower, 500);
    EXPECT_EQ(flow.m_Commands[2].m_sTime, 60);
    EXPECT_EQ(flow.m_Commands[3].m_sText, "こんにちは");
    const cCommandData& change = flow.m_Commands[4];
    ASSERT_EQ(change.m_Flows.size(), 1u);
    EXPECT_EQ(change.m_Flows[0].m_cTrigger, TRIGGER_NONE);
    ASSERT_EQ(change.m_Flows[0].m_Commands.size(), 2u);
    EXPECT_TRUE(change.m_Flows[0].m_Commands[1].m_pShot);

    EXPECT_EQ(SavedBody(flow), stored);
    EXPECT_EQ(DamageReports(), 0);

    // A copy shares no record at any depth: changing every part of it leaves
    // the original's bytes as they were.
    cFlowData copy;
    copy = flow;
    cFlowData constructed(flow);
    for (cFlowData* c : {&copy, &constructed}) {
        EXPECT_NE(c->m_Commands[0].m_pMove, flow.m_Commands[0].m_pMove);
        EXPECT_NE(c->m_Commands[4].m_Flows[0].m_Commands[1].m_pShot, flow.m_Commands[4].m_Flows[0].m_Commands[1].m_pShot);
        c->m_Conditions[0].m_nValue = 1;
        c->m_KeyConds[0].m_KeyStates[2] = 2;
        c->m_Commands[0].m_pMove->m_sSpeed = 1;
        c->m_Commands[1].m_pShot->m_nPower = 1;
        c->m_Commands[3].m_sText = "x";
        c->m_Commands[4].m_Flows[0].m_Commands[0].m_pMove->m_sAngle = 1;
        c->m_Commands[4].m_Flows[0].m_Commands[1].m_pShot->m_cRepeat = 9;
    }
    EXPECT_EQ(SavedBody(flow), stored);
}

TEST_F(FlowRecordTest, ACutFlowFailsWithAReportAndStaysUsable)
{
    const Bytes stored = RichFlow();
    int reports = DamageReports();
    for (size_t cut = 0; cut < stored.size(); ++cut) {
        SCOPED_TRACE(cut);
        cFlowData flow;
        ASSERT_EQ(LoadAt(flow, 708, Bytes(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(cut))), 0);
        EXPECT_EQ(DamageReports(), ++reports);
        // What was read can be written and read again.
        ASSERT_EQ(flow.SaveFile("partial.dat"), 1);
        cFlowData again;
        EXPECT_EQ(again.LoadFile("partial.dat"), 1);
    }
}

TEST_F(FlowRecordTest, DamagedFlowsOfAnyVersionNeverCrash)
{
    const Bytes stored = RichFlow();
    // Versions on either side of the upgrades, so that damaged values pass
    // through them too.
    const int versions[] = {100, 131, 159, 160, 167, 180, 193, 202, 209, 218, 219, 513, 540, 555, 675, 708};
    uint32_t state = 4321;
    auto next = [&state](uint32_t below) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % below;
    };
    const unsigned char values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = stored;
        int changes = 1 + static_cast<int>(next(4));
        for (int i = 0; i < changes; ++i) {
            uint32_t at = next(static_cast<uint32_t>(bytes.size()));
            bytes[at] = next(2) ? values[next(5)] : static_cast<unsigned char>(next(256));
        }
        nFileVersion = versions[next(sizeof versions / sizeof versions[0])];
        cDataReader in("fuzz.dat", std::move(bytes));
        cFlowData flow;
        bool ok = flow.Load(in);
        EXPECT_EQ(ok, in.Ok()) << "round " << round;
        // Whatever was read validates and copies.
        cFlowData copy(flow);
        copy.ValidateRefs();
        for (const cCommandData& c : copy.m_Commands) {
            int count = c.ParamCount();
            if (count >= 0) {
                EXPECT_EQ(c.m_Params.size(), static_cast<size_t>(count)) << "round " << round;
            }
        }
    }
}
