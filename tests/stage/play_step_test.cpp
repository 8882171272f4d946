// The stage-play screen stepped frame by frame through its real states and
// play step, on stages built in memory and on the sample game's stages, with
// the shell's part scripted by the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "files/game_progress.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "records/command_labels.h"
#include "records/flow_data.h"
#include "records/move_data.h"
#include "records/palette_data.h"
#include "stage/objects/play_links.h"
#include "stage/objects/random.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/script/key_input.h"
#include "stage/objects/npc.h"
#include "tests/stage/harness_host.h"
#include "stage/script/status_access.h"
#include "tests/stage/crowd_stage.h"
#include "tests/stage/play_digest.h"
#include "tests/stage/play_snapshot.h"
#include "tests/stage/stage_harness.h"
#include "tools/sample/definitions.h"
#include "tools/sample/stages.h"
#ifdef _WIN32
#include "tests/support/message_sink.h"
#endif

namespace {

// What the scripted shell was given and was asked for.
struct SCRIPT {
    uint16_t wDirection = 0, wButtons = 0;
    int bSpace = 0;
    int bImagesFail = 0;
    std::vector<int> Sounds;
    std::vector<int> HandOvers;        // next scene of each hand-over
    std::vector<std::string> Restarts; // stage files started afresh
    std::vector<int> RestartDirectPlay; // the direct-play flag of each
    int bRestartFails = 0;
    std::vector<std::pair<uint16_t, uint16_t>> Written;
};
SCRIPT* lpScript = nullptr;

void ScriptShell(cHarnessHost& shell)
{
    shell.onReadInput = [](uint16_t& d, uint16_t& b) {
        d = lpScript->wDirection;
        b = lpScript->wButtons;
    };
    shell.onWriteInput = [](uint16_t d, uint16_t b, int) {
        lpScript->wDirection = d;
        lpScript->wButtons = b;
        lpScript->Written.push_back({d, b});
    };
    shell.onKeyDown = [](int key) { return key == STAGEKEY_PAUSE ? lpScript->bSpace : 0; };
    shell.onLoadImages = [](int) { return lpScript->bImagesFail ? 0 : 1; };
    shell.onHandOver = [](int nextScene) { lpScript->HandOvers.push_back(nextScene); };
    shell.onStartStageFile = [](const char* path, int directPlay) {
        lpScript->Restarts.push_back(path);
        lpScript->RestartDirectPlay.push_back(directPlay);
        return lpScript->bRestartFails ? 0 : 1;
    };
    shell.onPlaySE = [](int n) { lpScript->Sounds.push_back(n); };
    shell.onNewSeed = cHarnessHost::FixedSeed(12345u);
}

cCharaData Placed(int control, int column, int row)
{
    cCharaData c;
    c.m_cControl = static_cast<int8_t>(control);
    c.m_sCellX = static_cast<int16_t>(column);
    c.m_sCellY = static_cast<int16_t>(row);
    c.m_nMaxHp = 5;
    c.m_nItemLink = -1;
    return c;
}

// The screen, the shell and the globals a play writes, put back at the end.
class StagePlay : public ::testing::Test {
protected:
    StagePlay()
        : m_SavedStage(StageData), m_SavedPlay(PlayStageData), m_SavedProgress(GameProgress),
          m_SavedSystem(SystemData), m_SavedPalette(CommonPalette),
          m_lpSavedX(lpScrollX), m_lpSavedY(lpScrollY), m_lpSavedScene(lpStageScene)
    {
        lpScript = &m_Script;
        ScriptShell(m_Host);
        m_Host.Modes.nPlayMode = 2;
        m_Host.Modes.nStartKind = 3;
        CommonPalette.m_Blocks.assign(2, cBlockData());
        CommonPalette.m_Blocks[0].m_cCollision = BLOCK_PASSABLE;
        StageData.Reset();
        StageData.m_nWidth = 20;
        StageData.m_nHeight = 15;
        StageData.m_nObjectLimitX = StageData.m_nObjectLimitY = 2000;
        StageData.m_nHitCheckLevel = 1;
        StageData.m_PlacedCharas = {Placed(CHARA_PLAYER, 3, 5)};
        StageData.m_PlacedCharas[0].m_cFlying = 1;
        StageData.m_PlacedItems.clear();
        StageData.m_PlacedBlocks.clear();
        StageData.m_bStartBanner1 = StageData.m_bStartBanner2 = 0;
        StageData.m_bTimeLimit = 0;
        CopyPlaySettings(PlayStageData, StageData);
        GameProgress.m_nLives = GameProgress.m_nStartLives = 3;
        SystemData.m_bReplay = 1;
        PrepareEffectTables();
        NewScene();
    }
    ~StagePlay() override
    {
        m_Scene.reset();
        Player.clear();
        CharaList.clear();
        ItemList.clear();
        BlockMap.clear();
        lpStageScene = m_lpSavedScene;
        lpScrollX = m_lpSavedX;
        lpScrollY = m_lpSavedY;
        StageData = m_SavedStage;
        PlayStageData = m_SavedPlay;
        GameProgress = m_SavedProgress;
        SystemData = m_SavedSystem;
        CommonPalette = m_SavedPalette;
        Replay.Clear();
        LastReplay.Clear();
        lpScript = nullptr;
    }

    cStageScene& Scene() { return *m_Scene; }
    // A screen of its own, before its Init.
    void NewScene()
    {
        m_Scene = std::make_unique<cStageScene>();
        m_Scene->m_Modes.nNextScene = SCENE_STAGE;
        lpStageScene = m_Scene.get();
    }
    // Frames of the screen; the states each frame ended in.
    std::vector<int> Frames(int n)
    {
        std::vector<int> states;
        for (int i = 0; i < n; ++i) {
            Scene().Run();
            states.push_back(Scene().m_nState);
        }
        return states;
    }
    // Runs the screen until it plays (at most 400 frames).
    void StartPlaying()
    {
        for (int i = 0; i < 400 && Scene().m_nState != STAGE_PLAY; ++i) Scene().Run();
        ASSERT_EQ(Scene().m_nState, STAGE_PLAY);
        ASSERT_EQ(Scene().m_bHalted, 0);
    }
    int Count(int sound) const { return static_cast<int>(std::count(m_Script.Sounds.begin(), m_Script.Sounds.end(), sound)); }

    SCRIPT m_Script;
    // The scripted shell; its modes are the shell's hand-over values.
    cHarnessHost m_Host;

private:
    cStageData m_SavedStage, m_SavedPlay;
    cGameProgress m_SavedProgress;
    cSystemData m_SavedSystem;
    cPaletteData m_SavedPalette;
    cScrollAxis* m_lpSavedX;
    cScrollAxis* m_lpSavedY;
    cStageScene* m_lpSavedScene;
    std::unique_ptr<cStageScene> m_Scene;
};

// -- states --

TEST_F(StagePlay, FadeInGoesToPlayAfterTheBannersThatTheStageShows)
{
    struct {
        int banner1, banner2, startKind, readyFrames;
    } cases[] = {
        {0, 0, 3, 1},     // no banner: one frame of Ready
        {1, 0, 3, 80},    // the stage banner shows 79 frames
        {1, 1, 3, 159},   // then the start banner 79 more
        {1, 1, 4, 80},    // replay playback: only the replay banner
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.readyFrames);
        StageData.m_bStartBanner1 = c.banner1;
        StageData.m_bStartBanner2 = c.banner2;
        CopyPlaySettings(PlayStageData, StageData);
        m_Host.Modes.nStartKind = c.startKind;
        if (c.startKind == 4) Replay.RecordFrame(0, 0);
        Scene().m_nState = -1;
        // The first frame fades in; Ready runs readyFrames frames.
        std::vector<int> states = Frames(c.readyFrames + 1);
        EXPECT_EQ(states.front(), STAGE_READY);
        EXPECT_EQ(states[static_cast<size_t>(c.readyFrames) - 1], STAGE_READY);
        EXPECT_EQ(states.back(), STAGE_PLAY);
    }
}

TEST_F(StagePlay, ThePauseKeyOpensTheMenuAndCancelResumesWithTheButtonsHeld)
{
    StartPlaying();
    m_Script.bSpace = 1;
    Frames(1);
    EXPECT_EQ(Scene().m_nState, STAGE_PAUSEMENU);
    EXPECT_EQ(Scene().m_nSavedState, STAGE_PLAY);
    EXPECT_EQ(Count(4), 1);
    m_Script.bSpace = 0;
    Frames(1);
    EXPECT_EQ(Scene().m_nCursor, 1);
    m_Script.wButtons = 2;
    Frames(1);
    EXPECT_EQ(Scene().m_nState, STAGE_PLAY);
    EXPECT_EQ(Scene().m_bHoldButtons, 1);
    // The cancel button still held reads as released until it is let go.
    const int frames = Scene().m_nFrame;
    Frames(1);
    EXPECT_EQ(Scene().m_nFrame, frames + 1);
    EXPECT_EQ(m_Script.wButtons, 0);
    m_Script.wButtons = 0;
    Frames(1);
    EXPECT_EQ(Scene().m_bHoldButtons, 0);
}

// A stage that cannot be set up never plays: the screen only fills and
// waits for a button, then leaves for the title (direct play: the program closes).
TEST_F(StagePlay, AFailedSetUpHaltsUntilThePlayerLeaves)
{
    for (int cause : {0, 1}) {
        SCOPED_TRACE(cause);
        m_Script = SCRIPT();
        if (cause == 0) m_Script.bImagesFail = 1;
        else StageData.m_PlacedCharas.clear();
        Scene().m_nState = -1;
        std::vector<int> states = Frames(5);
        EXPECT_EQ(Scene().m_bHalted, 1);
        EXPECT_EQ(states, std::vector<int>(5, STAGE_FADEIN));
        EXPECT_EQ(Scene().m_nFrame, 0);
        EXPECT_TRUE(m_Script.HandOvers.empty());
        m_Script.wButtons = 1;
        Frames(1);
        EXPECT_EQ(m_Script.HandOvers, std::vector<int>{SCENE_TITLE});
        EXPECT_EQ(Scene().m_nState, -1);
        StageData.m_PlacedCharas = {Placed(CHARA_PLAYER, 3, 5)};
    }
    m_Host.Modes.bDirectPlay = 1;
    m_Script = SCRIPT();
    m_Script.bImagesFail = 1;
    Frames(2);
    m_Script.wButtons = 1;
    Frames(3);
    EXPECT_TRUE(m_Script.HandOvers.empty());
}

// A quit request is served before any state runs, so a fade-out that would
// hand the screen over does not.
TEST_F(StagePlay, AQuitRequestStopsEveryState)
{
    StartPlaying();
    Scene().m_nState = STAGE_FADEOUT;
    Scene().m_bQuit = 1;
    Frames(3);
    EXPECT_EQ(Scene().m_nState, STAGE_FADEOUT);
    EXPECT_TRUE(m_Script.HandOvers.empty());
    Scene().m_bQuit = 0;
    Frames(1);
    EXPECT_EQ(m_Script.HandOvers, std::vector<int>{SCENE_STAGE});
}

// A single stage file is read afresh at the fade-out whatever comes next; a
// file that cannot be read closes the program only when it was to be played
// again.
TEST_F(StagePlay, TheFadeOutRestartsASingleStageFileForEveryNextScreen)
{
    struct Case {
        const char* what;
        int next, startKind, linked, directPlay, fails;
        bool restarts;
        int closes;
    };
    const Case cases[] = {
        {"again", SCENE_STAGE, 3, 0, 0, 0, true, 0},
        {"to the title", SCENE_TITLE, 3, 0, 0, 0, true, 0},
        {"to the world map", SCENE_WORLDMAP, 3, 0, 0, 0, true, 0},
        {"again in direct play", SCENE_STAGE, 3, 0, 1, 0, true, 0},
        {"a linked chain goes on from what it loaded", SCENE_STAGE, 3, 1, 0, 0, false, 0},
        {"a story stage", SCENE_STAGE, 0, 0, 0, 0, false, 0},
        {"a replay", SCENE_TITLE, 4, 0, 0, 0, false, 0},
        {"unreadable, to be played again", SCENE_STAGE, 3, 0, 0, 1, true, 1},
        {"unreadable, on the way to the title", SCENE_TITLE, 3, 0, 0, 1, true, 0},
    };
    StageData.m_sPath = "data/stg4/a.stg4_000";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
#ifdef _WIN32
        ScopedMainWindow window;
#endif
        m_Script.Restarts.clear();
        m_Script.RestartDirectPlay.clear();
        m_Script.bRestartFails = c.fails;
        Scene().m_Modes.nNextScene = c.next;
        m_Host.Modes.nStartKind = c.startKind;
        m_Host.Modes.bDirectPlay = c.directPlay;
        GameProgress.m_bLinked = c.linked;
        Scene().m_nState = STAGE_FADEOUT;
        Frames(1);
        EXPECT_EQ(Scene().m_nState, -1);
        if (c.restarts) {
            EXPECT_EQ(m_Script.Restarts, std::vector<std::string>{"data/stg4/a.stg4_000"});
            EXPECT_EQ(m_Script.RestartDirectPlay, std::vector<int>{c.directPlay});
        } else {
            EXPECT_TRUE(m_Script.Restarts.empty());
        }
        EXPECT_EQ(m_Script.HandOvers.back(), c.next);
#ifdef _WIN32
        EXPECT_EQ(window.sink.CountPosted(WM_CLOSE), c.closes);
#endif
    }
}

TEST_F(StagePlay, DeathsTakeLivesUntilGameOverAndNeverInDirectPlay)
{
    StartPlaying();
    GameProgress.m_nLives = 1;
    Scene().EndPlayerDeath();
    EXPECT_EQ(Scene().m_nState, STAGE_READY);
    EXPECT_EQ(GameProgress.m_nLives, 0);
    Scene().EndPlayerDeath();
    EXPECT_EQ(Scene().m_nState, STAGE_GAMEOVER);
    GameProgress.m_nLives = 0;
    Scene().m_Modes.bDirectPlay = 1;
    Scene().EndPlayerDeath();
    EXPECT_EQ(Scene().m_nState, STAGE_READY);
}

// -- the play step --

TEST_F(StagePlay, TimeUpKillsThePlayerOnce)
{
    StageData.m_bTimeLimit = 1;
    StageData.m_nTimeLimit = 2;
    CopyPlaySettings(PlayStageData, StageData);
    StartPlaying();
    EXPECT_EQ(Scene().m_nTime, 2);
    Frames(119);
    EXPECT_EQ(Scene().m_nTime, 1);
    EXPECT_EQ(Player[P1].m_bDead, 0);
    Frames(1);
    EXPECT_EQ(Scene().m_nTime, 0);
    EXPECT_EQ(Player[P1].m_bDead, 1);
    // The time stays up while the player dies: it is not killed again.
    for (int i = 0; i < 200 && Player[P1].m_bDead && Scene().m_nState == STAGE_PLAY; ++i) Frames(1);
    EXPECT_EQ(Count(8), 1);
}

TEST_F(StagePlay, AnyStoredTimeCountsDownWithoutWrapping)
{
    // The count-down keeps the time within 0 to 999: a time at or below 0
    // is up at the first count (the player dies once), one above 999 is 999.
    struct Case {
        int limit;
        int after;
        bool dead;
    };
    const Case cases[] = {{INT_MIN, 0, true}, {-5, 0, true}, {INT_MAX, 999, false}, {1000, 999, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "time limit " << c.limit);
        StageData.m_bTimeLimit = 1;
        StageData.m_nTimeLimit = c.limit;
        CopyPlaySettings(PlayStageData, StageData);
        NewScene();
        StartPlaying();
        Frames(60);
        EXPECT_EQ(Scene().m_nTime, c.after);
        EXPECT_EQ(Player[P1].m_bDead, c.dead ? 1 : 0);
    }
}

TEST_F(StagePlay, OutOfRangeRemovalRunsOnlyInTheFirstSubStep)
{
    StageData.m_nWidth = 60;
    StageData.m_ScreenEdges[0].m_bRight = 1;
    StageData.m_ScreenEdges[2].m_bRight = 1;
    StageData.m_PlacedCharas.push_back(Placed(CHARA_COMPUTER, 5, 5));
    StageData.m_PlacedCharas.back().m_cFlying = 1;
    StageData.m_PlacedCharas.back().m_cRange = RANGE_EVERYWHERE;
    cItemData item;
    item.m_sCellX = 5;
    item.m_sCellY = 5;
    StageData.m_PlacedItems = {item};
    StageData.m_nHitCheckLevel = 4;
    CopyPlaySettings(PlayStageData, StageData);
    StartPlaying();
    ASSERT_EQ(CharaList.size(), 1u);
    ASSERT_EQ(ItemList.size(), 1u);
    // Cell 45, right of the view: out of a range with no margin.
    const double right = StageHarness::CellPixel(45);
    for (int subStep : {2, 1}) {
        SCOPED_TRACE(subStep);
        CharaList.front().SetPosition(right, CharaList.front().m_dTop);
        ItemList.front().SetPosition(right, ItemList.front().m_dTop);
        EXPECT_FALSE(Scene().RunSubStep(subStep));
        EXPECT_EQ(CharaList.size(), subStep == 1 ? 0u : 1u);
        EXPECT_EQ(ItemList.size(), subStep == 1 ? 0u : 1u);
    }
}

// A character whose life runs out is gone in the sub-step in which its count
// falls below 0, before anything acts; an unlimited one stays.
TEST_F(StagePlay, ALifeCountdownRemovesTheCharacterBeforeItActs)
{
    for (int i = 0; i < 3; ++i) {
        StageData.m_PlacedCharas.push_back(Placed(CHARA_COMPUTER, 6 + i, 5));
        StageData.m_PlacedCharas.back().m_cFlying = 1;
    }
    CopyPlaySettings(PlayStageData, StageData);
    StartPlaying();
    ASSERT_EQ(CharaList.size(), 3u);
    auto it = CharaList.begin();
    (it++)->m_nLife = 0;
    (it++)->m_nLife = 1;
    it->m_nLife = INT_MAX;
    const double top = CharaList.front().m_dTop;
    Scene().RunSubStep(1);
    ASSERT_EQ(CharaList.size(), 2u);
    EXPECT_EQ(CharaList.front().m_nLife, 0);
    EXPECT_EQ(CharaList.front().m_dTop, top);
    Scene().RunSubStep(2);
    ASSERT_EQ(CharaList.size(), 1u);
    EXPECT_EQ(CharaList.front().m_nLife, INT_MAX);
}

// -- moves and jumps in play --

// A floor of solid cells on one row, from column first to column last.
void PlaceFloor(int row, int first, int last)
{
    for (int column = first; column <= last; ++column) {
        cBlockData floor;
        floor.m_sGraphic = 1;
        floor.m_cCollision = BLOCK_SOLID;
        floor.m_sCellX = static_cast<int16_t>(column);
        floor.m_sCellY = static_cast<int16_t>(row);
        StageData.m_PlacedBlocks.push_back(floor);
    }
}

// A computer-side character's jump command starts its jump once, however
// many passes the floor test takes to see the character leave the ground:
// it rises the height of the command (its start speed rises that height
// with gravity added before each sub-step's move) and plays its sound once.
TEST_F(StagePlay, AComputerCharactersJumpStartsOnceAndRisesItsHeight)
{
    struct JumpRow {
        int level;          // hit-check level: sub-steps a frame
        int halfBlocks;     // the command's height
    };
    // Heights whose start speed stays under the speed limit of 6 pixels a sub-step.
    const JumpRow rows[] = {{1, 2}, {2, 4}, {4, 4}};
    m_Host.onPlayUserSE = [](int n) { lpScript->Sounds.push_back(1000 + n); };
    for (const JumpRow& row : rows) {
        SCOPED_TRACE(row.level);
        StageData.m_nHitCheckLevel = row.level;
        cCharaData jumper = Placed(CHARA_COMPUTER, 8, 10);
        jumper.m_cRange = RANGE_EVERYWHERE;
        cCommandData jump = FlowCommand(FLOWCMD_JUMP, 0);
        jump.m_Params = {0, 0, row.halfBlocks};
        jump.m_sSound = 7;
        jump.m_bSoundOnScreen = 0;
        cFlowData flow;
        // Half a second to land from the placement, the jump, then a long
        // wait: one jump, from the ground, in the run.
        flow.m_Commands = {FlowCommand(FLOWCMD_WAIT, 5), jump, FlowCommand(FLOWCMD_WAIT, 100)};
        jumper.m_Flows = {flow};
        StageData.m_PlacedCharas.resize(1);
        StageData.m_PlacedCharas.push_back(jumper);
        StageData.m_PlacedBlocks.clear();
        PlaceFloor(11, 6, 10);
        CopyPlaySettings(PlayStageData, StageData);
        m_Script.Sounds.clear();
        Scene().m_nState = -1;
        StartPlaying();
        ASSERT_EQ(CharaList.size(), 1u);
        const cNpc& npc = CharaList.front();
        // The top while it stands before the jump, the highest top during it.
        double standing = 0, highest = 0;
        bool stood = false, jumped = false, landed = false;
        for (int f = 0; f < 300 && !landed; ++f) {
            Frames(1);
            if (!jumped && npc.m_bJumping) {
                jumped = true;
                highest = npc.m_dTop;
            } else if (jumped) {
                highest = std::min(highest, npc.m_dTop);
                landed = !npc.m_bJumping;
            } else if (!npc.m_bInAir) {
                standing = npc.m_dTop;
                stood = true;
            }
        }
        ASSERT_TRUE(stood && landed);
        // Read once a frame, the highest top may miss the apex by what the
        // sub-steps around it rise: a fraction of a pixel.
        EXPECT_NEAR(standing - highest, row.halfBlocks * 16, 0.5);
        EXPECT_EQ(Count(1007), 1);
    }
}

// A straight move to a point 100 pixels away at 5 pixels a pass, which ends
// on arrival, takes 20 passes from a character placed on a cell: its centre
// is the centre of its drawn picture, on the cell's centre, and it ends on
// the point.
TEST_F(StagePlay, AStraightMoveToAPointEndsOnThePoint)
{
    struct MoveRow {
        const char* name;
        int coordKind;      // 0 from the placement point, 1 from the character, 2 a stage point
        int offsetX, offsetY;   // pixels
    };
    const int column = 8, row = 5;
    const MoveRow rows[] = {
        {"from the placement point", 0, 100, 0},
        {"from the character", 1, 100, 0},
        // Stage points count from the first cell's centre.
        {"a stage point", 2, column * 32 + 100, row * 32},
    };
    for (const MoveRow& m : rows) {
        SCOPED_TRACE(m.name);
        cCharaData mover = Placed(CHARA_COMPUTER, column, row);
        mover.m_cFlying = 1;
        mover.m_cRange = RANGE_EVERYWHERE;
        cCommandData move = FlowCommand(FLOWCMD_LINEAR_MOVE, 100);
        NewEdMove(move.m_pMove);
        move.m_pMove->m_cMode = 1;
        move.m_pMove->m_cCoordKind = static_cast<uint8_t>(m.coordKind);
        move.m_pMove->m_sTargetDotX = static_cast<int16_t>(m.offsetX);
        move.m_pMove->m_sTargetDotY = static_cast<int16_t>(m.offsetY);
        move.m_pMove->m_bArrivalCheck = 1;
        move.m_pMove->m_sSpeed = 50;   // tenths of a pixel a frame: 5 a pass at one sub-step
        cFlowData flow;
        flow.m_Commands = {move, FlowCommand(FLOWCMD_WAIT, 100)};
        mover.m_Flows = {flow};
        StageData.m_PlacedCharas.resize(1);
        StageData.m_PlacedCharas.push_back(mover);
        CopyPlaySettings(PlayStageData, StageData);
        Scene().m_nState = -1;
        StartPlaying();
        ASSERT_EQ(CharaList.size(), 1u);
        const cNpc& npc = CharaList.front();
        // Placed half a pixel right of the cell's edge, its picture on the cell.
        const double start = StageHarness::CellPixel(column) + 0.5;
        int moving = 0;
        double last = npc.m_dLeft - npc.m_nDrawOffX;
        for (int f = 0; f < 60; ++f) {
            Frames(1);
            const double now = npc.m_dLeft - npc.m_nDrawOffX;
            if (now != last) ++moving;
            last = now;
        }
        EXPECT_EQ(moving, 20);
        EXPECT_NEAR(last, start + 100, 1e-9);
    }
}

// -- replays and repeatability --

// The input of frame f of a scripted play: walking, turning, jumping, firing.
void ScriptInput(int f)
{
    lpScript->wDirection = static_cast<uint16_t>((f / 40) % 3 == 0 ? 2 : (f / 40) % 3 == 1 ? 1 : 0);
    lpScript->wButtons = static_cast<uint16_t>((f % 25) < 5 ? 1 : (f % 31) < 3 ? 2 : 0);
}

TEST_F(StagePlay, TheSameInputAndSeedGiveTheSameStateEveryFrameAndTheReplayRepeatsIt)
{
    UseSampleDatabaseCounts();
    CommonPalette = MakeCommonPalette();
    std::vector<cStageFile> stages = MakeStages(CommonPalette);
    ASSERT_FALSE(stages.empty());
    StageData = stages.front().Stage;
    CopyPlaySettings(PlayStageData, StageData);
    const int frames = 300;
    auto play = [&](int startKind) {
        std::vector<std::string> shots;
        m_Host.Modes.nStartKind = startKind;
        Scene().m_nState = -1;
        StartPlaying();
        for (int f = 0; f < frames; ++f) {
            ScriptInput(f);
            if (startKind == 4) m_Script.wDirection = m_Script.wButtons = 0;
            Scene().Run();
            if (Scene().m_nState != STAGE_PLAY) break;
            shots.push_back(PlaySnapshot());
        }
        return shots;
    };
    const std::vector<std::string> first = play(3);
    const cReplay recorded = Replay;
    const std::vector<std::string> second = play(3);
    // The scripted run may end in a death; it must last long enough to show.
    ASSERT_GE(first.size(), static_cast<size_t>(50));
    EXPECT_EQ(first, second);
    // Played back from the recording: the same frames, whatever is pressed now.
    Replay = recorded;
    Replay.Rewind();
    const std::vector<std::string> replayed = play(4);
    EXPECT_EQ(replayed, first);
}

// When a played-back replay runs out, the stage starts again from its start.
TEST_F(StagePlay, TheEndOfAPlayedBackReplayRestartsTheStage)
{
    m_Host.Modes.nStartKind = 4;
    Replay.Clear();
    for (int i = 0; i < 5; ++i) Replay.RecordFrame(2, 0);
    Replay.m_nSeed = 99;
    StartPlaying();
    EXPECT_EQ(Scene().m_nRandomSeed, 99);
    Frames(5);
    EXPECT_EQ(Scene().m_nState, STAGE_PLAY);
    EXPECT_EQ(Scene().m_nFrame, 5);
    Frames(1);
    EXPECT_EQ(Scene().m_nState, STAGE_READY);
    EXPECT_EQ(Scene().m_nFrame, 0);
    EXPECT_EQ(Scene().m_nRandomSeed, 99);
    EXPECT_EQ(m_Script.Written.back(), std::make_pair(uint16_t{2}, uint16_t{0}));
}

// -- digests of whole plays --

// The play of a stage from its first playing frame, with the scripted input,
// digested every frame; the running digest is kept every 50 frames, so a
// difference is found within 50 frames of where it starts.
struct DIGESTCASE {
    const char* sName;
    int nFrames;
    std::vector<uint64_t> Expected;
};

// Player 1's key history, which the characters' key conditions read, fed
// with the scripted words.
cInputRuns* lpDigestKeys = nullptr;

// The input of frame f of a digested play: mostly walking right, now and
// then back, jumping and firing.
void DigestInput(int f)
{
    lpScript->wDirection = static_cast<uint16_t>(f % 100 < 70 ? 2 : f % 100 < 85 ? 1 : 0);
    lpScript->wButtons = static_cast<uint16_t>((f % 25) < 6 ? 1 : (f % 13) < 2 ? 2 : 0);
}

// Set PLAY_DIGESTS_PRINT to print the digests of this build instead of
// comparing them, after a deliberate change of play's results.
TEST_F(StagePlay, PlaysOfFixedStagesAndInputKeepTheirDigestsFrameByFrame)
{
    cInputRuns keys;
    lpDigestKeys = &keys;
    const std::vector<const cInputRuns*> savedKeyInputs = KeyInputs;
    KeyInputs.assign(1, &keys);
    m_Host.onRecordInput = [] { lpDigestKeys->AddRunFrame(lpScript->wDirection, lpScript->wButtons); };
    struct Restore {
        std::vector<const cInputRuns*> keyInputs;
        ~Restore()
        {
            KeyInputs = keyInputs;
            lpDigestKeys = nullptr;
        }
    } restore{savedKeyInputs};
    const DIGESTCASE cases[] = {
        {"Meadow.stg4_001", 300, {0xDF60019DB64933FAull, 0x8417F440CEA0DB58ull, 0x0340DBB74116CF99ull, 0x3E5BDD07D4CE47CDull, 0x7B7168FCC268F451ull, 0x76683069EAD7E941ull, }},
        {"c01-1.stg4_000", 300, {0x0A82F25C2D7F2A72ull, 0x299798CCACB81026ull, 0xC243E6BCCC09322Aull, 0x15E954E7317C95EEull, 0x8CB5E8CBC1E0EC12ull, 0x690A00A774362D87ull, }},
        {"crowd", 100, {0x1A07981732967E06ull, 0x04FA842F7751BCD5ull, }},
    };
    const bool print = std::getenv("PLAY_DIGESTS_PRINT") != nullptr;
    UseSampleDatabaseCounts();
    const cPaletteData samplePalette = MakeCommonPalette();
    const std::vector<cStageFile> stages = MakeStages(samplePalette);
    for (const DIGESTCASE& c : cases) {
        SCOPED_TRACE(c.sName);
        const bool crowd = std::strcmp(c.sName, "crowd") == 0;
        if (crowd) {
            SetUpCrowdStage();
        } else {
            auto stage = std::find_if(stages.begin(), stages.end(),
                                      [&](const cStageFile& f) { return f.sPath.find(c.sName) != std::string::npos; });
            ASSERT_NE(stage, stages.end());
            CommonPalette = samplePalette;
            StageData = stage->Stage;
            CopyPlaySettings(PlayStageData, StageData);
        }
        GameProgress.m_nLives = GameProgress.m_nStartLives = 3;
        GameProgress.m_nScore = 0;
        keys.ResetRunLengths();
        Scene().m_nState = -1;
        StartPlaying();
        if (crowd) {
            ASSERT_EQ(PlaceCrowdShots(Scene()), 200);
        }
        cPlayDigest digest;
        std::vector<uint64_t> kept;
        for (int f = 0; f < c.nFrames; ++f) {
            DigestInput(f);
            Scene().Run();
            digest.AddFrame(Scene());
            if ((f + 1) % 50 == 0) kept.push_back(digest.Value());
        }
        if (print) {
            std::printf("        {\"%s\", %d, {", c.sName, c.nFrames);
            for (uint64_t d : kept) std::printf("0x%016llXull, ", static_cast<unsigned long long>(d));
            std::printf("}},\n");
            continue;
        }
        ASSERT_EQ(kept.size(), c.Expected.size());
        for (size_t k = 0; k < kept.size(); ++k)
            ASSERT_EQ(kept[k], c.Expected[k]) << "first difference within frames " << k * 50 << " to " << (k + 1) * 50;
    }
}

} // namespace
