// The flow lists of a character: lengths per instance and sub-step count,
// the move timing, insertion, removal and relinking with their serial
// numbers, the animation schedule and the basic animation set.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/database.h"
#include "files/frame_tables.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

cFlowData FlowWithId(int id, std::vector<cCommandData> commands = {FlowCommand(FLOWCMD_WAIT, 1)})
{
    cFlowData f;
    f.m_cTrigger = TRIGGER_NONE;
    f.m_cFlowId = static_cast<uint8_t>(id);
    f.m_Commands = std::move(commands);
    f.m_KeyConds.resize(1);
    return f;
}

// Every running flow points into the character's own definitions.
void ExpectLinked(const cChara& chara)
{
    ASSERT_EQ(chara.m_Flows.size(), chara.m_Def.m_Flows.size());
    for (size_t i = 0; i < chara.m_Flows.size(); ++i) {
        const cRunningFlow& r = chara.m_Flows[i];
        const cFlowData& d = chara.m_Def.m_Flows[i];
        EXPECT_EQ(r.m_nIndex, static_cast<int>(i));
        EXPECT_EQ(r.m_lpFlowData, &d);
        ASSERT_EQ(r.m_KeySteps.size(), d.m_KeyConds.size());
        for (size_t k = 0; k < d.m_KeyConds.size(); ++k) EXPECT_EQ(r.m_KeySteps[k], &d.m_KeyConds[k]);
        ASSERT_EQ(r.m_Commands.size(), d.m_Commands.size());
        for (size_t c = 0; c < d.m_Commands.size(); ++c) EXPECT_EQ(r.m_Commands[c].m_lpCommandData, &d.m_Commands[c]);
    }
}

std::vector<int> Serials(const cChara& chara)
{
    std::vector<int> serials;
    for (const cRunningFlow& r : chara.m_Flows) serials.push_back(r.m_nSerial);
    return serials;
}

std::vector<int> Ids(const cChara& chara)
{
    std::vector<int> ids;
    for (const cFlowData& d : chara.m_Def.m_Flows) ids.push_back(d.m_cFlowId);
    return ids;
}

} // namespace

TEST(FlowList, LengthsAndSpeedsFollowTheInstanceAndTheSubSteps)
{
    FlowHarness h(3);
    cChara chara;
    chara.m_sParamIndex = 2;   // the third member of its placement
    cCommandData wait = FlowCommand(FLOWCMD_WAIT, 10);
    wait.m_sTimeStep = 5;
    cCommandData move = FlowCommand(FLOWCMD_WAIT, 0);
    NewEdMove(move.m_pMove);
    move.m_pMove->m_sSpeed = 30;
    move.m_pMove->m_sSpeedStep = 6;
    move.m_pMove->m_bInertia = 1;
    move.m_pMove->m_sInertiaLimit = 15;
    move.m_pMove->m_cDirection = 7;
    chara.m_Def.m_Flows = {FlowWithId(1, {wait, move})};
    chara.InsertFlows(chara.m_Def.m_Flows, 0, 0, 0);
    const cRunningCommand& w = chara.m_Flows[0].m_Commands[0];
    const cRunningCommand& m = chara.m_Flows[0].m_Commands[1];
    EXPECT_EQ(w.m_nLength, 20 * 6 * 3);
    EXPECT_DOUBLE_EQ(m.m_dSpeed, 42 * 0.1 / 3);
    EXPECT_DOUBLE_EQ(m.m_dSpeed2, 15 * 0.1 / 3);
    EXPECT_EQ(m.m_nMoveDir, 7);
    EXPECT_EQ(m.m_lpMove, chara.m_Def.m_Flows[0].m_Commands[1].m_pMove.get());
    ExpectLinked(chara);
}

// Speed from length (mode 1) and length from speed (mode 2); a length of 0
// covers the distance in its one pass, a speed of 0 takes no time, and a
// negative time turns positive unless the old rule keeps it.
TEST(FlowList, MoveTiming)
{
    FlowHarness h;
    struct Case {
        int timing, unit, distance, step, length;
        double speed;
        int keepNegative;
        double wantSpeed;
        int wantLength;
    };
    const Case cases[] = {
        {1, 1, 60, 0, 30, 0, 0, 2.0, 30},       {1, 0, 3, 1, 10, 0, 0, 8.0, 10},
        {1, 1, 60, 0, 0, 0, 0, 60.0, 0},        {2, 1, 60, 0, 0, 4.0, 0, 4.0, 15},
        {2, 0, 2, 0, 0, 3.0, 0, 3.0, 10},       {2, 1, 60, 0, 9, 0.0, 0, 0.0, 0},
        {2, 1, -60, 0, 0, 4.0, 0, 4.0, 15},     {2, 1, -60, 0, 0, 4.0, 1, 4.0, -15},
        {2, 1, 32767, 0, 0, 1e-9, 0, 1e-9, 2147483647},
        {0, 1, 60, 0, 7, 1.5, 0, 1.5, 7},
    };
    for (const Case& c : cases) {
        SystemData.m_bKeepNegativeTime = c.keepNegative;
        cCommandData def = FlowCommand(FLOWCMD_LINEAR_MOVE, 0);
        NewEdMove(def.m_pMove);
        def.m_pMove->m_cTiming = static_cast<uint8_t>(c.timing);
        def.m_pMove->m_cDistanceUnit = static_cast<uint8_t>(c.unit);
        def.m_pMove->m_sDistance = static_cast<int16_t>(c.distance);
        def.m_pMove->m_sDistanceStep = static_cast<int16_t>(c.step);
        cRunningCommand r;
        r.m_nLength = c.length;
        r.m_dSpeed = c.speed;
        r.DeriveMoveTiming(def, 2);
        EXPECT_DOUBLE_EQ(r.m_dSpeed, c.wantSpeed) << c.timing << " " << c.distance;
        EXPECT_EQ(r.m_nLength, c.wantLength) << c.timing << " " << c.distance;
    }
}

TEST(FlowList, InsertingAtAPositionAndAppending)
{
    FlowHarness h;
    cChara chara;
    chara.m_Def.m_Flows = {FlowWithId(1), FlowWithId(2)};
    EXPECT_EQ(chara.InsertFlows(chara.m_Def.m_Flows, 0, 0, 0), 2);
    std::vector<cFlowData> extra = {FlowWithId(7), FlowWithId(8)};
    extra[1].m_bKeyRepeat = 1;
    EXPECT_EQ(chara.InsertFlows(extra, 0, 1, 1), 2);
    EXPECT_EQ(Ids(chara), (std::vector<int>{1, 7, 8, 2}));
    EXPECT_EQ(Serials(chara), (std::vector<int>{0, 2, 3, 1}));
    // Added during play: no firing on keys already held, unless repeating.
    EXPECT_EQ(chara.m_Flows[1].m_bKeyLatch, 1);
    EXPECT_EQ(chara.m_Flows[2].m_bKeyLatch, 0);
    EXPECT_EQ(chara.m_Flows[0].m_bKeyLatch, 0);
    ExpectLinked(chara);

    // Past the end or -1: appended. Its own list may be given.
    EXPECT_EQ(chara.InsertFlows(extra, 0, 1, 99), 2);
    EXPECT_EQ(chara.InsertFlows(chara.m_Def.m_Flows, 0, 1, -1), 6);
    EXPECT_EQ(Ids(chara), (std::vector<int>{1, 7, 8, 2, 7, 8, 1, 7, 8, 2, 7, 8}));
    EXPECT_EQ(Serials(chara), (std::vector<int>{0, 2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11}));
    ExpectLinked(chara);
}

TEST(FlowList, RemovingKeepsSerialsAndRelinks)
{
    FlowHarness h;
    cChara chara;
    chara.m_Def.m_Flows = {FlowWithId(1), FlowWithId(2), FlowWithId(1), FlowWithId(3), FlowWithId(0)};
    chara.InsertFlows(chara.m_Def.m_Flows, 0, 0, 0);
    chara.m_Def.m_Flows[0].m_cFlag = 4;
    FlowHarness::StartFlow(chara, 0);

    EXPECT_EQ(chara.RemoveFlowsById(9), -1);
    EXPECT_EQ(Serials(chara), (std::vector<int>{0, 1, 2, 3, 4}));

    EXPECT_EQ(chara.RemoveFlowsById(1), 0);
    EXPECT_EQ(Ids(chara), (std::vector<int>{2, 3, 0}));
    EXPECT_EQ(Serials(chara), (std::vector<int>{1, 3, 4}));
    // The running flow that went was ended first.
    EXPECT_EQ(chara.m_LetterEnded[4], 1);
    ExpectLinked(chara);

    chara.RemoveFlow(1);
    EXPECT_EQ(Serials(chara), (std::vector<int>{1, 4}));
    ExpectLinked(chara);
    chara.RemoveFlow(5);   // no such flow: reported, nothing removed
    EXPECT_EQ(Serials(chara), (std::vector<int>{1, 4}));

    EXPECT_EQ(chara.RemoveFlowsById(0), 0);
    EXPECT_TRUE(chara.m_Flows.empty());
    EXPECT_TRUE(chara.m_Def.m_Flows.empty());
}

TEST(FlowList, TheAnimationScheduleEndsEachLeadInAsItsCommandStarts)
{
    FlowHarness h;
    auto savedAnime = DataBase.m_Anime;
    // Animation 1: 2 tenths (12 frames) before its key frame.
    cAnimeData anime;
    anime.m_Frames.resize(3);
    anime.m_Frames[0].m_nTime = 1;
    anime.m_Frames[1].m_nTime = 1;
    anime.m_Frames[2].m_nTime = 4;
    anime.m_Frames[2].m_bKey = 1;
    DataBase.m_Anime = {cAnimeData{}, anime};

    auto withAnime = [](cCommandData c) {
        c.m_sStartAnime = 1;
        return c;
    };
    cChara chara;
    chara.m_Def.m_Flows = {
        FlowWithId(1, {FlowCommand(FLOWCMD_WAIT, 1), withAnime(FlowCommand(FLOWCMD_WAIT, 3))}),
        FlowWithId(2, {FlowCommand(FLOWCMD_WAIT, 3), FlowCommand(FLOWCMD_WAIT, 5, true), withAnime(FlowCommand(FLOWCMD_SWORD, 0))}),
        FlowWithId(3, {withAnime(FlowCommand(FLOWCMD_WAIT, 0))}),
    };
    chara.InsertFlows(chara.m_Def.m_Flows, 0, 0, 0);
    DataBase.m_Anime = savedAnime;

    auto entry = [&](int f) {
        EXPECT_EQ(chara.m_Flows[f].m_AnimSchedule.size(), 1u);
        const FLOWANIMENTRY& e = chara.m_Flows[f].m_AnimSchedule.at(0);
        return std::vector<int>{e.nStartPass, e.sAnime, e.sSkip, e.sFrames, e.sCommandFrames, e.nFlag};
    };
    // 6 frames of waiting before a 12-frame lead-in: at once, 6 skipped.
    EXPECT_EQ(entry(0), (std::vector<int>{0, 1, 6, 6, 18, 1}));
    // 18 frames of waiting (the no-wait command adds none): starts at 6; a sword holds no frame.
    EXPECT_EQ(entry(1), (std::vector<int>{6, 1, 0, 12, 0, 0}));
    EXPECT_EQ(entry(2), (std::vector<int>{0, 1, 12, 0, 0, 1}));
}

TEST(FlowList, TheBasicAnimationSet)
{
    FlowHarness h;
    auto savedSets = DataBase.m_AnimeSet;
    cAnimeSetData set;
    set.m_Animes.resize(2);
    set.m_Animes[0].m_Frames.resize(2);
    set.m_Animes[0].m_Frames[0].m_nCell = 5;
    set.m_Animes[0].m_Frames[0].m_nTime = 2;
    set.m_Animes[0].m_Frames[1].m_nCell = 6;
    set.m_Animes[0].m_Frames[1].m_nTime = 1;
    DataBase.m_AnimeSet = {cAnimeSetData{}, set};

    cChara chara;
    chara.SetBasicAnimSet(1, 1);
    const auto& sequences = chara.m_Anime.Sequences();
    ASSERT_EQ(sequences.size(), 2u);
    ASSERT_EQ(sequences[0].size(), 3u);
    EXPECT_EQ(sequences[0][0].nFrame, 5);
    EXPECT_EQ(sequences[0][0].nTime, 12);
    EXPECT_EQ(sequences[0][1].nTime, 6);
    EXPECT_EQ(sequences[0][2].nFrame, -2);
    EXPECT_EQ(sequences[1].size(), set.m_Animes[1].m_Frames.size() + 1);
    // The same set without force changes nothing; with force it is rebuilt.
    chara.m_Anime.Clear();
    chara.SetBasicAnimSet(1, 0);
    EXPECT_TRUE(chara.m_Anime.Sequences().empty());
    chara.SetBasicAnimSet(1, 1);
    EXPECT_EQ(chara.m_Anime.Sequences().size(), 2u);
    DataBase.m_AnimeSet = savedSets;
}

// An entry due at pass 0 of an always-flow starts in the sub-step that fired
// the flow: an overlay keyed by the flow's serial, its lead-in partly
// skipped, its key frame held while the command runs; the overlays go with
// their flow.
TEST(FlowList, ScheduledAnimationsStartAsOverlays)
{
    FlowHarness h;
    auto savedAnime = DataBase.m_Anime;
    auto savedTable = FrameTables.AnimeFrameTable;
    cAnimeData anime;
    anime.m_Frames.resize(3);
    for (int i = 0; i < 3; ++i) {
        anime.m_Frames[i].m_nCell = i + 1;
        anime.m_Frames[i].m_nTime = i < 2 ? 1 : 4;
    }
    anime.m_Frames[2].m_bKey = 1;
    DataBase.m_Anime = {cAnimeData{}, anime};
    FrameTables.AnimeFrameTable = {{{0, 1, 1}, {-2, 0, 1}}, {{1, 6, 0}, {2, 6, 0}, {3, 24, 1}, {-4, 0, 1}}};

    cCommandData animated = FlowCommand(FLOWCMD_WAIT, 3);
    animated.m_sStartAnime = 1;
    cChara chara;
    chara.m_nHp = 10;
    cFlowData flow;
    flow.m_cTrigger = TRIGGER_ALWAYS;
    flow.m_Commands = {FlowCommand(FLOWCMD_WAIT, 1), animated};
    chara.m_Def.m_Flows = {FlowWithId(5), flow};
    chara.InsertFlows(chara.m_Def.m_Flows, 0, 0, 0);
    h.Add(chara);
    h.Frame();

    ASSERT_EQ(chara.m_Overlays.size(), 1u);
    const OVERLAYANIM& o = chara.m_Overlays.front();
    EXPECT_EQ(o.nKey, chara.m_Flows[1].m_nSerial);
    EXPECT_EQ(o.bTimed, 1);
    EXPECT_EQ(o.nFrames, 6);
    EXPECT_EQ(o.nCommandFrames, 18);
    EXPECT_EQ(o.Anime.EntryIndex(), 1);
    EXPECT_EQ(o.Anime.Sequences().at(0).at(2).nTime, 24 + 17);
    // Not again while the flow runs on.
    h.Frame();
    EXPECT_EQ(chara.m_Overlays.size(), 1u);

    chara.RemoveFlow(0);
    EXPECT_EQ(chara.m_Overlays.size(), 1u);
    chara.RemoveFlow(0);
    EXPECT_TRUE(chara.m_Overlays.empty());
    DataBase.m_Anime = savedAnime;
    FrameTables.AnimeFrameTable = savedTable;
}
