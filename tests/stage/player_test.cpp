// The player: boxes and their display, the view that follows it, and the
// jump controlled by the jump key.
#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "files/stage_file.h"
#include "app/system/input_runs.h"
#include "records/command_data.h"
#include "records/command_labels.h"
#include "records/key_cond_data.h"
#include "stage/script/key_input.h"
#include "stage/objects/message.h"
#include "stage/script/running_flow.h"
#include "stage/objects/play_links.h"
#include "stage/objects/player.h"
#include "stage/script/running_command.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_harness.h"

namespace {

// A stage with a floor along row 20 of its 40 x 30 cells; objects may go
// out to the edge of the margin.
HarnessStage FloorStage(int level)
{
    HarnessStage stage;
    stage.nHitCheckLevel = level;
    stage.nObjectLimitX = (40 + 20) * 32 - 640;
    stage.nObjectLimitY = (30 + 20) * 32 - 640;
    stage.Blocks.assign(21, std::string());
    stage.Blocks[20] = std::string(40, '#');
    return stage;
}

cPlayer& StandingPlayer(int column)
{
    Player.emplace_back();
    cPlayer& p = Player[P1];
    p.Setup(0, HarnessCharaDef(0, 10), 0, 0);
    p.SetBlockPos(column, 19);
    return p;
}

// A jump command as its set-up prepares it: the start speed of its height and
// the passes up to the apex, rounded up to a tenth of a second.
struct JumpCommand {
    cCommandData def;
    cRunningCommand run;
    JumpCommand(const cChara& chara, int keyMode, int halfBlocks)
    {
        def.m_Params = {keyMode, 0, halfBlocks, 0, 0};
        run.m_lpCommandData = &def;
        run.m_dSpeed = chara.JumpSpeedForHalfBlocks(static_cast<int8_t>(halfBlocks));
        run.m_nLength = chara.JumpAscentTenths(static_cast<int8_t>(halfBlocks)) * 6 * SubStepCount();
    }
};

// The jump key: button 1, pressed in the flow's one key step.
struct JumpKey {
    cInputRuns runs;
    cKeyCondData step;
    std::vector<const cInputRuns*> savedInputs = KeyInputs;
    JumpKey()
    {
        KeyInputs.assign(1, &runs);
        step.m_KeyStates.assign(KEYSTATE_COUNT, KEYMARK_NONE);
        step.m_KeyStates[KEYSTATE_FIRST_BUTTON + 1] = KEYMARK_PRESSED;
    }
    ~JumpKey() { KeyInputs = savedInputs; }
};

// Gives the player a flow of the jump command whose key step is the jump
// key, then runs frames through the play step's sub-steps: keys[i] is
// whether the key is down in frame i. Returns the top edge after each frame.
std::vector<double> RunJump(cPlayer& p, JumpCommand& jump, JumpKey& key, const std::vector<int>& keys)
{
    jump.def.m_cKind = FLOWCMD_JUMP;
    p.m_Flows.clear();
    StageHarness::GiveCommand(p, jump.run).m_KeySteps = {&key.step};
    std::vector<double> tops;
    for (int down : keys) {
        key.runs.AddRunFrame(0, down ? 1 : 0);
        for (int s = 1; s <= SubStepCount(); ++s) CharaSubStep(p, s);
        tops.push_back(p.m_dTop);
    }
    return tops;
}

// Frames with no command: the player settles on the floor.
void Settle(cPlayer& p, int frames)
{
    for (int f = 0; f < frames; ++f)
        for (int s = 1; s <= SubStepCount(); ++s) CharaSubStep(p, s);
}

// The player's box display, entry by entry: the box, its mode and its colour.
struct SHOWNBOX {
    int box, mode, colour;
};
void ExpectBoxDisplay(const cPlayer& p, const std::vector<SHOWNBOX>& shown)
{
    ASSERT_EQ(p.m_BoxDisplay.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(p.m_BoxDisplay[i].nBox, shown[i].box) << i;
        EXPECT_EQ(p.m_BoxDisplay[i].nMode, shown[i].mode) << i;
        EXPECT_EQ(p.m_BoxDisplay[i].nColor, shown[i].colour) << i;
    }
}

} // namespace

TEST(PlayerSetup, BoxesSitInTheCellAndTheDisplayIsOrderedBySize)
{
    StageHarness h(FloorStage(1));
    HarnessScene scene;
    StageData.m_BoxDisplayMode[0] = 1;     // body, hit box, shot box, item box
    StageData.m_BoxDisplayMode[1] = 2;
    StageData.m_BoxDisplayMode[2] = 0;
    StageData.m_BoxDisplayMode[3] = 1;
    for (int i = 0; i < 4; ++i) StageData.m_BoxDisplayColor[i] = i;
    cPlayer& p = StandingPlayer(5);

    EXPECT_EQ(p.m_nHitW, 16);
    EXPECT_EQ(p.m_nHitH, 24);
    EXPECT_EQ(p.m_nDrawOffX, 8);
    EXPECT_EQ(p.m_nDrawOffY, 8);
    struct Box {
        const HITBOX* box;
        int offX, offY, w, h;
    };
    const Box boxes[] = {{&p.m_HitBox, 0, 0, 16, 24}, {&p.m_ShotBox, 2, 4, 12, 8}, {&p.m_ItemBox, 0, 0, 16, 16}};
    for (const Box& b : boxes) {
        EXPECT_EQ(b.box->nOffX, b.offX);
        EXPECT_EQ(b.box->nOffY, b.offY);
        EXPECT_EQ(b.box->nW, b.w);
        EXPECT_EQ(b.box->nH, b.h);
        EXPECT_EQ(b.box->rect.left, static_cast<int>(p.m_dLeft) + b.offX);
        EXPECT_EQ(b.box->rect.bottom, static_cast<int>(p.m_dTop) + b.offY + b.h - 1);
    }

    ExpectBoxDisplay(p, {{0, 1, 208}, {1, 2, 212}, {2, 1, 220}, {3, 0, 216}});
}

TEST(PlayerSetup, ADisplayModeOrColourOutsideItsChoicesShowsTheNearestOne)
{
    // Modes 0 to 2, colours 0 to 7 (palette 208 to 236).
    StageHarness h(FloorStage(1));
    HarnessScene scene;
    const int modes[4] = {3, -1, INT_MAX, INT_MIN};        // body, hit box, shot box, item box
    const int colours[4] = {1073741824, -8, 9, INT_MIN};
    std::copy(std::begin(modes), std::end(modes), StageData.m_BoxDisplayMode);
    std::copy(std::begin(colours), std::end(colours), StageData.m_BoxDisplayColor);
    ExpectBoxDisplay(StandingPlayer(5), {{0, 2, 236}, {1, 0, 208}, {2, 0, 208}, {3, 2, 236}});
}

TEST(PlayerView, TheViewFollowsThePlayerWithinItsLimits)
{
    StageHarness h(FloorStage(1));
    HarnessScene scene;
    cPlayer& p = StandingPlayer(5);
    struct Case {
        double left;
        int autoScroll;
        double view;
    };
    const Case cases[] = {
        {900, 0, 900 - 312},       // centred: 320 - half the hit width
        {400, 0, 320},             // held at the lower limit
        {1500, 0, 1600 - 640},     // the view's right edge stays inside
        {900, 1, 77},              // an auto-scrolling axis keeps its own place
    };
    for (const Case& c : cases) {
        h.AxisX().m_dPos = 77;
        h.AxisX().m_bAutoScroll = c.autoScroll;
        p.m_dLeft = c.left;
        p.ClampX();
        EXPECT_DOUBLE_EQ(h.AxisX().m_dPos, c.view) << "left " << c.left;
    }
}

TEST(PlayerJump, ReleasingHalfwayCutsTheRiseWhileHoldingRisesFully)
{
    // One sub-step a frame with the full speed limit, so the start speed is
    // not held at 6 pixels a frame.
    StageHarness h(FloorStage(11));
    HarnessScene scene;
    JumpKey key;
    cPlayer& p = StandingPlayer(5);
    ASSERT_EQ(p.m_lpInput, &key.runs);
    std::vector<int> heldKeys(56, 1);
    std::vector<int> releasedKeys(40, 0);
    std::fill(releasedKeys.begin(), releasedKeys.begin() + 5, 1);

    double peaks[2];
    std::vector<double> tops[2];
    for (int released : {0, 1}) {
        p.m_dVy = 0;
        p.SetBlockPos(5, 19);
        Settle(p, 3);
        ASSERT_EQ(p.m_bInAir, 0);
        double ground = p.m_dTop;
        JumpCommand jump(p, 1, 4);
        std::vector<int> keys = released ? releasedKeys : heldKeys;
        keys.insert(keys.begin(), 0);
        tops[released] = RunJump(p, jump, key, keys);
        tops[released].erase(tops[released].begin());
        peaks[released] = ground - *std::min_element(tops[released].begin(), tops[released].end());
        // Landed with the key still down: no second jump.
        if (!released) {
            for (size_t f = 46; f < tops[0].size(); ++f) EXPECT_NEAR(tops[0][f], ground, 1) << "frame " << f;
        }
    }
    // Held: the full rise of 4 half blocks (64 pixels, less the player's
    // side's 2 per cent of speed).
    EXPECT_GT(peaks[0], 58);
    EXPECT_LT(peaks[0], 64);
    // Released after five frames: from then on the rise is 0.3 of its speed,
    // and gravity (0.4, one sub-step) is added before the move.
    double v5 = tops[1][4] - tops[1][3];
    EXPECT_NEAR(tops[1][5] - tops[1][4], v5 * 0.3 + 0.4, 1e-9);
    EXPECT_LT(peaks[1], 40);
    EXPECT_DOUBLE_EQ(tops[0][4], tops[1][4]);
}

TEST(PlayerJump, FromACharactersBackOnlyInTheLastSubStepAndFaster)
{
    StageHarness h(FloorStage(3));
    HarnessScene scene;
    cPlayer& p = StandingPlayer(5);
    JumpCommand jump(p, 0, 4);
    p.m_bInAir = 0;
    p.m_bRiding = 1;
    for (int s = 1; s <= 3; ++s) {
        scene.Scene().m_nSubStep = s;
        p.m_bJumpControlled = 0;
        p.m_dVy = 0;
        p.Jump(*lpStageScene, &jump.run);
        if (s < 3) {
            EXPECT_EQ(p.m_dVy, 0) << s;
            EXPECT_EQ(p.m_bRiding, 1) << s;
        }
    }
    EXPECT_DOUBLE_EQ(p.m_dVy, jump.run.m_dSpeed * 1.0199999809265137);
    EXPECT_EQ(p.m_bRiding, 0);
    EXPECT_EQ(jump.run.m_bBegun, 1);
}

TEST(PlayerJump, KeyModeTwoTakesItsHeightFromTheRunningSpeed)
{
    StageHarness h(FloorStage(2));
    HarnessScene scene;
    cPlayer& p = StandingPlayer(5);
    // Thresholds 30 and 10 tenths of a pixel a frame, heights 6 and 2 half
    // blocks. Two sub-steps, gravity 0.1 a sub-step: a height of h pixels
    // starts at (-0.1 - sqrt(0.1 x (8h + 0.1))) / 2 x (0.99 - 0.025 x 0.4).
    struct Case {
        double ax;      // pixels a sub-step; full speed is 30 / 20 = 1.5
        int height;
        double speed;
    };
    const Case cases[] = {{1.5, 6, -4.343424}, {-2.0, 6, -4.343424}, {0.5, 2, -2.528710},
                          {0.2, 2, -2.528710}, {0.75, 4, -3.555497}, {1.2, 5, -3.969306}};
    for (const Case& c : cases) {
        cCommandData def;
        def.m_Params = {2, 30, 6, 10, 2};
        cRunningCommand run;
        run.m_lpCommandData = &def;
        p.m_dAx = c.ax;
        p.m_bJumpControlled = 0;
        p.Jump(*lpStageScene, &run);
        EXPECT_NEAR(run.m_dSpeed, c.speed, 1e-6) << "ax " << c.ax << ", height " << c.height;
    }
}

TEST(PlayerJump, AFlyingPlayerDoesNotJump)
{
    StageHarness h(FloorStage(1));
    HarnessScene scene;
    cPlayer& p = StandingPlayer(5);
    p.SetFlying(1, 0);
    EXPECT_EQ(p.m_nSqueezeGrace, 2);
    EXPECT_EQ(p.m_nHitH, 16);
    JumpCommand jump(p, 0, 4);
    p.m_bInAir = 0;
    p.Jump(*lpStageScene, &jump.run);
    EXPECT_EQ(p.m_dVy, 0);
    EXPECT_EQ(p.m_bJumpControlled, 0);
}

TEST(PlayerItems, APickUpPopupRisesAboveThePlayerForThirtyFrames)
{
    StageHarness h(FloorStage(1));
    HarnessScene scene;
    cPlayer& p = StandingPlayer(5);
    p.AddItemPopup(*lpStageScene, 2, 17, 1);
    ASSERT_EQ(scene.Scene().m_MessageList.size(), 1u);
    const cMessage& m = scene.Scene().m_MessageList.back();
    EXPECT_EQ(m.m_nMode, MSGMODE_CHIP);
    EXPECT_EQ(m.m_nValue1, 2);
    EXPECT_EQ(m.m_nValue2, 17);
    EXPECT_EQ(m.m_nValue3, 1);
    EXPECT_EQ(m.m_nPlacement, MSGPLACE_ABOVE_HERO);
    EXPECT_EQ(m.m_nTimeMode, SHOW_TIMED);
    EXPECT_EQ(m.m_nFrames, 30);
    EXPECT_EQ(m.m_nAnchor, p.m_nRef);
}
