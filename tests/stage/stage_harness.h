#pragma once
// A stage in memory that steps with no window: its settings, its two view
// axes and a minimal block map of its own (until the stage set-up builds the
// real one), stepped frame by frame with scripted input while the test reads
// each frame's state. Later stage code joins the step as it is built.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/system/input_runs.h"
#include "records/command_data.h"
#include "tests/stage/harness_host.h"
#include "stage/objects/scroll_axis.h"

class cChara;
class cNpc;
class cRunningCommand;
class cRunningFlow;
class cCharaData;
class cStageObject;
class cStageScene;

// What a test asks of the stage. Blocks are given as rows of the stage proper
// (row 0 at the top): '#' solid, '!' deadly, anything else empty.
struct HarnessStage {
    int nWidth = 40;            // cells
    int nHeight = 30;
    int nHitCheckLevel = 1;
    double dGravity = 0.4;
    int nObjectLimitX = 0;      // the stage's extent for objects, less 640
    int nObjectLimitY = 0;
    std::vector<std::string> Blocks;
};

// One frame's state of a character, after the frame.
struct FrameState {
    double left, top, vx, vy;
};

class StageHarness {
public:
    explicit StageHarness(const HarnessStage& stage);
    ~StageHarness();
    StageHarness(const StageHarness&) = delete;
    StageHarness& operator=(const StageHarness&) = delete;

    // The stage's host while the harness lives: the headless base's
    // members until a test hooks them.
    cHarnessHost& Host() { return m_Host; }
    cScrollAxis& AxisX() { return m_ScrollX; }
    cScrollAxis& AxisY() { return m_ScrollY; }
    void SetView(double x, double y);
    // Pixel of the left (top) edge of a stage cell, margin included.
    static int CellPixel(int cell) { return (cell + 10) * 32; }

    // Runs a character through the play step's own sub-steps (CharaSubStep)
    // for the given frames and returns its state after each frame.
    std::vector<FrameState> Run(cChara& chara, int frames);

    // The stage-play screen of the harness (lpStageScene while the harness
    // lives): its eight lists per hit layer, 256 stage variables, 60
    // activation groups. The harness removes it, then empties the players,
    // characters and items.
    cStageScene& Scene() { return *m_lpScene; }
    // The shots' part of the play step for the given frames: in every
    // sub-step the shots are marked active and on screen or not, as the
    // condition refresh marks them, and the scene steps them. Returns the
    // shots left.
    int StepShots(int frames);

    // Gives a character a running flow of one command, started as the flow
    // control starts a flow, so that its flow loop runs the command from the
    // next sub-step on. The flow (and in it a copy of the command) is the
    // character's last.
    static cRunningFlow& GiveCommand(cChara& chara, const cRunningCommand& command);

private:
    // The harness is headless: a wait runs no sub-loop thread unless a test
    // hooks the host's.
    cHarnessHost m_Host;
    cScrollAxis m_ScrollX;
    cScrollAxis m_ScrollY;
    cScrollAxis* m_lpSavedX;
    cScrollAxis* m_lpSavedY;
    std::unique_ptr<cStageScene> m_lpScene;
    cStageScene* m_lpSavedScene = nullptr;
};

// The database's effect tables as start-up builds them, from the lists the
// test has set (entry 0 alone where a list is empty); kept when already built.
void PrepareEffectTables();
// Character-effect entry 1 and screen-effect entry 1 of the given kinds and
// parameters, with the effect runs built from them.
void SetEffectEntries(int charaKind, const std::array<int, 5>& chara, int scrKind, const std::array<int, 5>& scr);

// An object set up with a hit box of w x h, drawn in a 32 x 32 cell, in the
// given motion mode, its hit rectangle's corner at (left, top).
void PlaceObject(cStageObject& object, double left, double top, int w, int h, int motionMode);

// A stage-play screen for the characters: lpStageScene points at it while it
// lives, and the run-time containers (players, characters, items) are empty
// when it starts and when it ends.
class HarnessScene {
public:
    HarnessScene();
    ~HarnessScene();
    HarnessScene(const HarnessScene&) = delete;
    HarnessScene& operator=(const HarnessScene&) = delete;
    cStageScene& Scene() { return *m_Scene; }
    // The stage's host while the screen lives (headless until hooked).
    cHarnessHost& Host() { return m_Host; }

private:
    cHarnessHost m_Host;
    std::unique_ptr<cStageScene> m_Scene;
    cStageScene* m_lpSaved;
};

// A definition of a character of the given side (0 the player's, 1 the
// computer's) with the given maximum HP, walking, size 1, stopping ease 0.
cCharaData HarnessCharaDef(int side, int maxHp);

// A character of that definition set up at the end of CharaList, its hit
// rectangle's corner at (left, top).
cNpc& HarnessNpc(const cCharaData& def, double left, double top);

// One sub-step of a character as the play step runs it, with the scene's
// sub-step number set to subStep (1-based): what every sub-step begins with
// (invincibility, the contact flags, the position kept), its flows (the
// always-flows fired, the flow loop) and then the scene's own move of a
// player (MovePlayer) or of a computer-side character (MoveCharacter). The
// other objects do not act. The move's outcome: one of CHARA_MOVE_* for a
// character, 1 when the player died.
int CharaSubStep(cChara& chara, int subStep);
// A stage-play screen for the flows: the stage of a StageHarness, a screen
// (lpStageScene), player 1 reading the harness's own input history, and
// characters whose flows are fired and stepped frame by frame as the play
// step does: the input recorded, the firing marks reset, then in every
// sub-step each character in order fires its always-flows and makes its pass
// of the flows (cChara::StepFlowPass, then TidyFlows when it ran through).
class FlowHarness {
public:
    explicit FlowHarness(int hitCheckLevel = 1);
    ~FlowHarness();
    FlowHarness(const FlowHarness&) = delete;
    FlowHarness& operator=(const FlowHarness&) = delete;

    cStageScene& Scene() { return m_Scene.Scene(); }
    cInputRuns& Input() { return m_Input; }
    // Characters stepped by Frame, in order.
    void Add(cChara& chara) { m_Charas.push_back(&chara); }
    // One frame with these direction bits (left 1, right 2, up 4, down 8) and
    // button bits (button i + 1 at bit i).
    void Frame(int directionBits = 0, int buttonBits = 0);
    // Starts flow i of a character as the flow-control command would.
    static void StartFlow(cChara& chara, int flow);

    // A command that ran in a pass of its flow loop, as its counter and done
    // flag show: frame counted from 1, sub-step from 1.
    struct Ran {
        int frame, subStep, chara, flow, command, finished;
    };
    std::vector<Ran> m_Ran;
    int m_nFrame = 0;

private:
    StageHarness m_Stage;
    HarnessScene m_Scene;
    cInputRuns m_Input;
    std::vector<const cInputRuns*> m_SavedInputs;
    int32_t m_SavedFlags[3];
    std::vector<cChara*> m_Charas;
};

// A command of a flow definition: its kind, its time in tenths of a second
// and its no-wait flag.
cCommandData FlowCommand(int kind, int tenths, bool noWait = false);
