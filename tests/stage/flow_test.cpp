// The flow interpreter through the headless harness: pass timing of no-wait
// and waiting commands, the start before the stage, always-flows across
// sub-steps with and without re-firing, flag letters, key-input sequences
// replayed into the input history, and the flow lists of a character.
#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/database.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/flow_data.h"
#include "stage/objects/chara.h"
#include "stage/script/flow_commands.h"
#include "stage/script/key_input.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

enum { LEFT = 1, RIGHT = 2, UP = 4, DOWN = 8, BUTTON1 = 1 };

// A command that lasts the given passes at one sub-step a frame.
cCommandData CommandOfPasses(int kind, int passes, bool noWait = false)
{
    cCommandData c = FlowCommand(kind, 0, noWait);
    c.m_sTime = static_cast<int16_t>(passes / 6);
    return c;
}

cFlowData Flow(int trigger, std::vector<cCommandData> commands, int letter = 0)
{
    cFlowData f;
    f.m_cTrigger = static_cast<int8_t>(trigger);
    f.m_cFlag = static_cast<uint8_t>(letter);
    f.m_Commands = std::move(commands);
    return f;
}

// A key step that needs these entries pressed for any length.
cKeyCondData Pressed(std::vector<int> entries, int mode = 0)
{
    cKeyCondData k;
    for (int e : entries) k.m_KeyStates[e] = KEYMARK_PRESSED;
    k.m_bAnyLength = 1;
    k.m_cMode = static_cast<int8_t>(mode);
    return k;
}

// A character with these flows, built as placement builds them.
void Build(cChara& chara, std::vector<cFlowData> flows, int facing = 0)
{
    chara.m_nHp = 10;
    chara.m_nFacing = facing;
    chara.m_Def.m_Flows = std::move(flows);
    chara.InsertFlows(chara.m_Def.m_Flows, facing, 0, 0);
}

// The passes (frame, sub-step) in which command c of flow f ran, and whether it finished.
std::vector<std::vector<int>> RunsOf(const FlowHarness& h, int f, int c)
{
    std::vector<std::vector<int>> runs;
    for (const auto& r : h.m_Ran)
        if (r.flow == f && r.command == c) runs.push_back({r.frame, r.subStep, r.finished});
    return runs;
}

std::vector<int> FinishFrames(const FlowHarness& h, int f, int c)
{
    std::vector<int> frames;
    for (const auto& r : h.m_Ran)
        if (r.flow == f && r.command == c && r.finished) frames.push_back(r.frame);
    return frames;
}

using Runs = std::vector<std::vector<int>>;

} // namespace

// -- passes --

TEST(FlowPasses, NoWaitAndWaitingCommands)
{
    // A flow started by hand, stepped at one sub-step a frame; passes counted
    // by frame. Each case: the commands, then per command its runs {frame,
    // sub-step, finished}.
    struct Case {
        const char* name;
        std::vector<cCommandData> commands;
        std::vector<Runs> runs;
        int runningAfter;   // frames after which the flow is still running
    };
    const std::vector<Case> cases = {
        {"a lone waiting command of time 0 runs once and finishes the flow",
         {FlowCommand(FLOWCMD_WAIT, 0)},
         {{{1, 1, 1}}},
         0},
        {"no-wait A (12 passes) with waiting B (6): B ends the flow, A stops with it",
         {CommandOfPasses(FLOWCMD_WAIT, 12, true), CommandOfPasses(FLOWCMD_WAIT, 6)},
         {{{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {4, 1, 0}, {5, 1, 0}, {6, 1, 0}},
          {{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {4, 1, 0}, {5, 1, 0}, {6, 1, 1}}},
         5},
        {"two no-wait commands and a waiting one all start in the first pass",
         {FlowCommand(FLOWCMD_WAIT, 0, true), CommandOfPasses(FLOWCMD_WAIT, 6, true), CommandOfPasses(FLOWCMD_WAIT, 6)},
         {{{1, 1, 1}},
          {{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {4, 1, 0}, {5, 1, 0}, {6, 1, 1}},
          {{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {4, 1, 0}, {5, 1, 0}, {6, 1, 1}}},
         5},
        {"a waiting command that finishes hands over in the next pass",
         {FlowCommand(FLOWCMD_WAIT, 0), FlowCommand(FLOWCMD_WAIT, 0), FlowCommand(FLOWCMD_WAIT, 0)},
         {{{1, 1, 1}}, {{2, 1, 1}}, {{3, 1, 1}}},
         2},
        {"an unknown kind runs for its length and does nothing",
         {FlowCommand(77, 0), FlowCommand(-5, 0)},
         {{{1, 1, 1}}, {{2, 1, 1}}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlowHarness h;
        cChara chara;
        Build(chara, {Flow(TRIGGER_NONE, c.commands)});
        h.Add(chara);
        FlowHarness::StartFlow(chara, 0);
        for (int frame = 1; frame <= 12; ++frame) {
            h.Frame();
            if (frame == c.runningAfter) {
                EXPECT_EQ(chara.m_Flows[0].m_bRunning, 1);
                EXPECT_EQ(chara.m_Flows[0].m_nFrames, frame);
            }
        }
        EXPECT_EQ(chara.m_Flows[0].m_bRunning, 0);
        for (size_t i = 0; i < c.runs.size(); ++i) EXPECT_EQ(RunsOf(h, 0, static_cast<int>(i)), c.runs[i]) << i;
    }
}

TEST(FlowPasses, TimeInTenthsLastsSixPassesPerSubStepAndFrame)
{
    FlowHarness h(3);
    cChara chara;
    Build(chara, {Flow(TRIGGER_NONE, {FlowCommand(FLOWCMD_WAIT, 10)})});
    EXPECT_EQ(chara.m_Flows[0].m_Commands[0].m_nLength, 180);
    h.Add(chara);
    FlowHarness::StartFlow(chara, 0);
    for (int i = 0; i < 60; ++i) h.Frame();
    EXPECT_EQ(FinishFrames(h, 0, 0), std::vector<int>{60});
}

// The flow-control command, acting on its own flow, ends the pass at once:
// the commands after it in the list do not run in that pass.
TEST(FlowPasses, AFlowBreakingOnItself)
{
    struct Case {
        int op;   // "終了", "一時停止", "削除"
        int running, paused, flowsLeft;
    };
    for (const Case& c : {Case{1, 0, 0, 1}, Case{2, 1, 1, 1}, Case{4, 0, 0, 0}}) {
        SCOPED_TRACE(c.op);
        FlowHarness h;
        cChara chara;
        cCommandData control = FlowCommand(FLOWCMD_FLOW_CONTROL, 0, true);
        control.m_Params.assign(8, 0);
        control.m_Params[0] = c.op;
        control.m_Params[1] = 0;   // this flow
        Build(chara, {Flow(TRIGGER_NONE, {control, FlowCommand(FLOWCMD_WAIT, 0)})});
        h.Add(chara);
        FlowHarness::StartFlow(chara, 0);
        h.Frame();
        EXPECT_EQ(RunsOf(h, 0, 1), Runs{});
        ASSERT_EQ(chara.m_Flows.size(), static_cast<size_t>(c.flowsLeft));
        if (c.flowsLeft) {
            EXPECT_EQ(chara.m_Flows[0].m_bRunning, c.running);
            EXPECT_EQ(chara.m_Flows[0].m_bPaused, c.paused);
        }
    }
}

// A no-wait flow-control command of 5 tenths that ends the flows of an ID
// no flow has: it runs and acts on nothing.
static cCommandData EndFlowsOfId(int id)
{
    cCommandData control = FlowCommand(FLOWCMD_FLOW_CONTROL, 5, true);
    control.m_Params.assign(8, 0);
    control.m_Params[0] = 1;   // "終了"
    control.m_Params[1] = 2;   // by ID
    control.m_Params[2] = id;
    return control;
}

TEST(FlowPasses, BeforeTheStageStartsOnlyNoWaitCommandsOfTheLaterKindsRun)
{
    FlowHarness h;
    cChara chara;
    Build(chara, {Flow(TRIGGER_BEFORE_STAGE_START,
                       {FlowCommand(FLOWCMD_MESSAGE, 0), FlowCommand(FLOWCMD_PLAY_SE, 0, true), FlowCommand(FLOWCMD_WAIT, 0, true),
                        FlowCommand(FLOWCMD_SHOT, 0, true), EndFlowsOfId(9),
                        FlowCommand(FLOWCMD_SET_TARGET, 0)})});
    chara.FireTrigger(TRIGGER_BEFORE_STAGE_START);
    const cRunningFlow& flow = chara.m_Flows[0];
    EXPECT_EQ(flow.m_bRunning, 0);
    EXPECT_EQ(flow.m_bStarted, 1);
    std::vector<int> done;
    for (const cRunningCommand& c : flow.m_Commands) done.push_back(c.m_bDone);
    EXPECT_EQ(done, (std::vector<int>{0, 1, 0, 0, 1, 0}));
    EXPECT_EQ(lpStageScene->m_lpCurChara, nullptr);
}

// -- the flow loop --

TEST(FlowLoop, ACharacterOutOfHpLeavesItsLaterFlowsAndNoCurrentCharacter)
{
    FlowHarness h;
    cChara chara;
    Build(chara, {Flow(TRIGGER_NONE, {CommandOfPasses(FLOWCMD_WAIT, 12)}),
                  Flow(TRIGGER_NONE, {CommandOfPasses(FLOWCMD_WAIT, 12)}),
                  Flow(TRIGGER_DIED, {CommandOfPasses(FLOWCMD_WAIT, 12)})});
    for (int i = 0; i < 3; ++i) FlowHarness::StartFlow(chara, i);
    chara.m_nHp = 0;
    lpStageScene->m_lpCurChara = &chara;
    EXPECT_EQ(chara.StepFlows(*lpStageScene, 0), 1);
    EXPECT_EQ(lpStageScene->m_lpCurChara, nullptr);
    EXPECT_EQ(chara.m_Flows[0].m_nFrames, 1);
    EXPECT_EQ(chara.m_Flows[1].m_nFrames, 0);

    // Dying: only the death flows step, and the loop goes through.
    EXPECT_EQ(chara.StepFlows(*lpStageScene, 1), 0);
    EXPECT_EQ(chara.m_Flows[0].m_nFrames, 1);
    EXPECT_EQ(chara.m_Flows[1].m_nFrames, 0);
    EXPECT_EQ(chara.m_Flows[2].m_nFrames, 1);

    chara.m_nHp = 5;
    chara.m_bVanish = 1;
    EXPECT_EQ(chara.StepFlows(*lpStageScene, 0), 1);
    EXPECT_EQ(chara.m_Flows[1].m_nFrames, 0);
}

TEST(FlowLoop, FlowsAskedToGoAreRemovedAtTheEndOfTheLoop)
{
    FlowHarness h;
    cChara chara;
    Build(chara, {Flow(TRIGGER_NONE, {}), Flow(TRIGGER_NONE, {}), Flow(TRIGGER_NONE, {}), Flow(TRIGGER_NONE, {})});
    chara.m_Flows[1].m_bDeleteRequest = 1;
    chara.m_Flows[2].m_bDeleteRequest = 1;
    chara.m_bFlowDeleted = 1;
    chara.TidyFlows(*lpStageScene);
    ASSERT_EQ(chara.m_Flows.size(), 2u);
    EXPECT_EQ(chara.m_Flows[0].m_nSerial, 0);
    EXPECT_EQ(chara.m_Flows[1].m_nSerial, 3);
    EXPECT_EQ(chara.m_Flows[1].m_nIndex, 1);
    EXPECT_EQ(chara.m_bFlowDeleted, 0);
}

// -- triggers --

// An always-flow [wait 10 tenths; add 1 to a stage variable] at three
// sub-steps a frame raises the variable in frames 61, 122, 183 (each new
// run waits for the next frame's firing); with the old re-firing in every
// sub-step it starts again at once: 61, 121, 181, 242.
TEST(FlowTriggers, AnAlwaysFlowAcrossSubStepsWithAndWithoutRefiring)
{
    for (int refire = 0; refire <= 1; ++refire) {
        SCOPED_TRACE(refire);
        FlowHarness h(3);
        SystemData.m_bFlowRefire = refire;
        cCommandData add = FlowCommand(FLOWCMD_RUN_CODE, 0, true);
        add.m_sText = "S1 = S1 + 1";
        cChara chara;
        Build(chara, {Flow(TRIGGER_ALWAYS, {FlowCommand(FLOWCMD_WAIT, 10), add})});
        h.Add(chara);
        std::vector<int> raised;
        for (int frame = 1; frame <= 243; ++frame) {
            const int before = h.Scene().m_StageVars[1];
            h.Frame();
            if (h.Scene().m_StageVars[1] != before) raised.push_back(frame);
        }
        const std::vector<int> expected = refire ? std::vector<int>{61, 121, 181, 242} : std::vector<int>{61, 122, 183};
        EXPECT_EQ(raised, expected);
        EXPECT_EQ(FinishFrames(h, 0, 1), expected);
    }
}

TEST(FlowTriggers, FlowsSharingALetterRunOneAtATime)
{
    FlowHarness h;
    cChara chara;
    cFlowData first = Flow(TRIGGER_ALWAYS, {CommandOfPasses(FLOWCMD_WAIT, 12)}, 1);
    first.m_KeyConds = {Pressed({KEYSTATE_FIRST_BUTTON + 1})};
    Build(chara, {first, Flow(TRIGGER_ALWAYS, {CommandOfPasses(FLOWCMD_WAIT, 6)}, 1)});
    h.Add(chara);
    std::vector<int> started;
    for (int frame = 1; frame <= 14; ++frame) {
        h.Frame(0, frame == 1 ? BUTTON1 : 0);
        started.push_back(chara.m_Flows[0].m_bStarted + 2 * chara.m_Flows[1].m_bStarted);
    }
    // The first runs frames 1-12 and ends in 12; the second fires in 13.
    EXPECT_EQ(started, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0}));
    EXPECT_EQ(FinishFrames(h, 0, 0), std::vector<int>{12});
}

TEST(FlowTriggers, EventTriggersStartEveryIdleFlowOfTheirNumberOnce)
{
    FlowHarness h;
    cChara chara;
    Build(chara, {Flow(TRIGGER_DAMAGED, {CommandOfPasses(FLOWCMD_WAIT, 6)}),
                  Flow(TRIGGER_IMPACTED, {CommandOfPasses(FLOWCMD_WAIT, 6)}),
                  Flow(TRIGGER_DAMAGED, {CommandOfPasses(FLOWCMD_WAIT, 6)})});
    h.Input().AddRunFrame(UP | LEFT, 0);   // held by player 1 at the firing
    chara.ResetFlowMarks();
    chara.FireTrigger(TRIGGER_DAMAGED);
    EXPECT_EQ(chara.m_Flows[0].m_nInputDirection, 5);
    EXPECT_EQ(chara.m_Flows[0].m_bRunning, 1);
    EXPECT_EQ(chara.m_Flows[1].m_bRunning, 0);
    EXPECT_EQ(chara.m_Flows[2].m_bRunning, 1);
    EXPECT_EQ(lpStageScene->m_lpCurChara, nullptr);
    // Running: a second hit neither restarts nor queues.
    chara.m_Flows[0].m_nFrames = 4;
    chara.ResetFlowMarks();
    chara.FireTrigger(TRIGGER_DAMAGED);
    EXPECT_EQ(chara.m_Flows[0].m_nFrames, 4);
}

// -- key-input sequences --

namespace {

// Frames of input, each {direction bits, button bits}; the frames in which the
// flow with these key steps started.
std::vector<int> StartsOf(std::vector<cKeyCondData> steps, int window, const std::vector<std::pair<int, int>>& input,
                          int facing = 0, int repeat = 0, int overlap = 0)
{
    FlowHarness h;
    SystemData.m_bKeyOverlap = overlap;
    cChara chara;
    cFlowData flow = Flow(TRIGGER_ALWAYS, {FlowCommand(FLOWCMD_WAIT, 0)});
    flow.m_KeyConds = std::move(steps);
    flow.m_cKeyWindow = static_cast<int8_t>(window);
    flow.m_bKeyRepeat = static_cast<uint8_t>(repeat);
    Build(chara, {flow}, facing);
    h.Add(chara);
    std::vector<int> starts;
    for (const auto& [direction, buttons] : input) {
        h.Frame(direction, buttons);
        if (chara.m_Flows[0].m_bStarted) starts.push_back(h.m_nFrame);
    }
    return starts;
}

// Key entries 0..9.
enum { NEUTRAL = 0, K_LEFT = 1, K_RIGHT = 2, K_UP = 3, K_DOWN = 4, K_UP_LEFT = 5, K_DOWN_RIGHT = 8, K_ANY = 9 };

std::vector<cKeyCondData> Roll()
{
    return {Pressed({K_DOWN}), Pressed({K_DOWN_RIGHT}), Pressed({K_RIGHT})};
}

} // namespace

TEST(KeySequence, ARollMatchesWithinItsWindow)
{
    using In = std::vector<std::pair<int, int>>;
    const In roll = {{DOWN, 0}, {DOWN | RIGHT, 0}, {RIGHT, 0}, {0, 0}};
    EXPECT_EQ(StartsOf(Roll(), 0, roll), std::vector<int>{3});
    const In gap = {{DOWN, 0}, {0, 0}, {DOWN | RIGHT, 0}, {RIGHT, 0}, {0, 0}};
    EXPECT_EQ(StartsOf(Roll(), 0, gap), std::vector<int>{});
    EXPECT_EQ(StartsOf(Roll(), 5, gap), std::vector<int>{4});
    const In wideGap = {{DOWN, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {DOWN | RIGHT, 0}, {RIGHT, 0}};
    EXPECT_EQ(StartsOf(Roll(), 5, wideGap), std::vector<int>{});
    EXPECT_EQ(StartsOf(Roll(), 6, wideGap), std::vector<int>{9});
    // Out of order: no start.
    const In backwards = {{RIGHT, 0}, {DOWN | RIGHT, 0}, {DOWN, 0}};
    EXPECT_EQ(StartsOf(Roll(), 5, backwards), std::vector<int>{});
}

TEST(KeySequence, MirroredStepsFollowTheFacing)
{
    cKeyCondData right = Pressed({K_RIGHT});
    right.m_bMirror = 1;
    const std::vector<std::pair<int, int>> left = {{LEFT, 0}}, pressRight = {{RIGHT, 0}};
    EXPECT_EQ(StartsOf({right}, 0, left, 0), std::vector<int>{1});
    EXPECT_EQ(StartsOf({right}, 0, pressRight, 0), std::vector<int>{});
    EXPECT_EQ(StartsOf({right}, 0, pressRight, 1), std::vector<int>{1});
    right.m_bMirror = 0;
    EXPECT_EQ(StartsOf({right}, 0, left, 0), std::vector<int>{});
}

// Button 1 then right, pressed together in frame 2: the button is not found
// before the right key's hold, so it is looked for in the hold's first frame,
// where the right key holds as well; only the old overlap rule accepts that.
TEST(KeySequence, TheOverlapSwitch)
{
    const std::vector<std::pair<int, int>> input = {{0, 0}, {RIGHT, BUTTON1}, {RIGHT, BUTTON1}};
    std::vector<cKeyCondData> steps = {Pressed({KEYSTATE_FIRST_BUTTON + 1}), Pressed({K_RIGHT})};
    EXPECT_EQ(StartsOf(steps, 1, input, 0, 0, 0), std::vector<int>{});
    EXPECT_EQ(StartsOf(steps, 1, input, 0, 0, 1), std::vector<int>{2});
}

TEST(KeySequence, TheLatchStartsAHeldSequenceOnceTheRepeatFlagEveryTime)
{
    std::vector<std::pair<int, int>> input;
    for (int frame = 1; frame <= 8; ++frame) input.push_back({0, frame == 6 ? 0 : BUTTON1});
    const std::vector<cKeyCondData> step = {Pressed({KEYSTATE_FIRST_BUTTON + 1})};
    EXPECT_EQ(StartsOf(step, 0, input, 0, 0), (std::vector<int>{1, 7}));
    EXPECT_EQ(StartsOf(step, 0, input, 0, 1), (std::vector<int>{1, 2, 3, 4, 5, 7, 8}));
}

TEST(KeySequence, HoldLimitsAndModes)
{
    cKeyCondData shortHold = Pressed({K_DOWN});
    shortHold.m_bAnyLength = 0;
    shortHold.m_sMinFrames = 2;
    shortHold.m_sMaxFrames = 3;
    std::vector<std::pair<int, int>> held(5, {DOWN, 0});
    // Held 2 and 3 frames match (repeating, so in both frames).
    EXPECT_EQ(StartsOf({shortHold}, 0, held, 0, 1), (std::vector<int>{2, 3}));

    cKeyCondData exactlyOne = Pressed({K_LEFT, KEYSTATE_FIRST_BUTTON + 1}, 2);
    const std::vector<std::pair<int, int>> both = {{LEFT, BUTTON1}, {LEFT, 0}};
    EXPECT_EQ(StartsOf({exactlyOne}, 0, both, 0, 1), std::vector<int>{2});
    cKeyCondData any = Pressed({K_LEFT, KEYSTATE_FIRST_BUTTON + 1}, 1);
    const std::vector<std::pair<int, int>> buttonOnly = {{0, BUTTON1}, {0, 0}};
    EXPECT_EQ(StartsOf({any}, 0, buttonOnly, 0, 1), std::vector<int>{1});
    cKeyCondData released = Pressed({});
    released.m_KeyStates[KEYSTATE_FIRST_BUTTON + 1] = KEYMARK_RELEASED;
    EXPECT_EQ(StartsOf({released}, 0, buttonOnly, 0, 1), std::vector<int>{2});
}

// The search never runs past the oldest run of the history: a step that is
// only found there does not match, and a sequence of steps without keys
// (one frame each) matches at once.
TEST(KeySequence, TheSearchStopsAtTheOldestRun)
{
    std::vector<std::pair<int, int>> input;
    for (int i = 0; i < 40; ++i) input.push_back({i % 2 ? LEFT : RIGHT, 0});
    std::vector<cKeyCondData> steps = {Pressed({K_UP}), Pressed({K_LEFT})};
    EXPECT_EQ(StartsOf(steps, 100, input, 0, 1), std::vector<int>{});
    std::vector<cKeyCondData> empty(40, Pressed({}));
    EXPECT_EQ(StartsOf(empty, 0, {{0, 0}, {0, 0}}, 0, 1), (std::vector<int>{1, 2}));

    // Straight against the history: moving the cursor back and forward again
    // lands where it began.
    cInputRuns runs;
    for (int i = 0; i < 10; ++i) runs.AddRunFrame(i < 4 ? DOWN : 0, 0);
    KEYCURSOR start, cursor;
    StartKeyCursor(start, runs);
    cursor = start;
    AdvanceKeyCounters(cursor, runs, 7);
    EXPECT_EQ(cursor.nRun[K_DOWN], 1);
    EXPECT_EQ(cursor.nFrames[K_DOWN], 3);
    AdvanceKeyCounters(cursor, runs, 500);
    AdvanceKeyCounters(cursor, runs, -507);
    for (int e = 0; e < KEY_ENTRIES; ++e) {
        EXPECT_EQ(cursor.nRun[e], start.nRun[e]) << e;
        EXPECT_EQ(cursor.nFrames[e], start.nFrames[e]) << e;
        EXPECT_EQ(cursor.nPast[e], 0) << e;
    }
}

TEST(KeySequence, PresentStepsAndTheHeldDirection)
{
    struct Case {
        int direction;
        int entry;
        int expected;
    };
    const Case cases[] = {
        {UP | LEFT, K_ANY, 1}, {LEFT, K_ANY, 1},      {UP | LEFT, K_LEFT, 0}, {UP | LEFT, K_UP_LEFT, 1},
        {0, NEUTRAL, 1},       {0, K_ANY, 0},         {DOWN, K_DOWN, 1},      {DOWN | RIGHT, K_DOWN, 0},
    };
    for (const Case& c : cases) {
        cInputRuns runs;
        runs.AddRunFrame(c.direction, 0);
        EXPECT_EQ(cChara::CheckKeyStep(&runs, Pressed({c.entry})), c.expected) << c.direction << " " << c.entry;
    }
    cInputRuns runs;
    runs.AddRunFrame(UP | LEFT, 0);
    EXPECT_EQ(cChara::GetFirstPressedDirection(&runs), K_UP_LEFT);
    runs.AddRunFrame(0, 0);
    EXPECT_EQ(cChara::GetFirstPressedDirection(&runs), NEUTRAL);
    EXPECT_EQ(cChara::GetFirstPressedDirection(nullptr), 0);

    auto saved = KeyInputs;
    std::vector<cInputRuns> inputs(2);
    KeyInputs = {&inputs[0], &inputs[1]};
    EXPECT_EQ(KeyInputOf(1), &inputs[1]);
    EXPECT_EQ(KeyInputOf(2), nullptr);
    EXPECT_EQ(KeyInputOf(-1), nullptr);
    KeyInputs = saved;
}

TEST(FlowPasses, AFlowBeforeTheStageThatRestartsItselfRunsOnce)
{
    FlowHarness h;
    cChara chara;
    cCommandData restart = FlowCommand(FLOWCMD_FLOW_CONTROL, 0, true);
    restart.m_Params.assign(8, 0);   // "開始", this flow
    Build(chara, {Flow(TRIGGER_BEFORE_STAGE_START, {FlowCommand(FLOWCMD_PLAY_SE, 0, true), restart})});
    chara.FireTrigger(TRIGGER_BEFORE_STAGE_START);
    // The restart breaks off the instant; the flow has ended.
    EXPECT_EQ(chara.m_Flows[0].m_bRunning, 0);
}
