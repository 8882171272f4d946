#pragma once
// A stage in memory that steps with no window: its settings, its two view
// axes and a minimal block map of its own (until the stage set-up builds the
// real one), stepped frame by frame with scripted input while the test reads
// each frame's state. Later stage code joins the step as it is built.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "stage/scroll_axis.h"

class cChara;
class cRunningCommand;
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

// One frame's state of an object, after the frame.
struct FrameState {
    double left, top, vx, vy;
    int edgeX, edgeY;           // the last sub-step's edge codes
};

class StageHarness {
public:
    explicit StageHarness(const HarnessStage& stage);
    ~StageHarness();
    StageHarness(const StageHarness&) = delete;
    StageHarness& operator=(const StageHarness&) = delete;

    cScrollAxis& AxisX() { return m_ScrollX; }
    cScrollAxis& AxisY() { return m_ScrollY; }
    void SetView(double x, double y);
    // Pixel of the left (top) edge of a stage cell, margin included.
    static int CellPixel(int cell) { return (cell + 10) * 32; }

    // What one sub-step does to an object; it receives the frame's input
    // word and returns the edge codes (x, y) it met.
    using SubStep = std::function<std::pair<int, int>(cStageObject&, uint16_t input)>;
    // Runs one frame per input word (the stage's sub-steps each) and returns
    // the object's state after each frame.
    std::vector<FrameState> Run(cStageObject& object, const std::vector<uint16_t>& inputs, const SubStep& step);
    // Runs frames with no input.
    std::vector<FrameState> Run(cStageObject& object, int frames, const SubStep& step);

    // The sub-step of a body left to itself: gravity, then the move on x and
    // on y with the given clamp mode.
    static SubStep Falling(int clampMode);

    // The stage-play screen of the harness (lpStageScene while the harness
    // lives): 256 stage variables, 60 activation groups.
    cStageScene& Scene() { return *m_lpScene; }

    // A command run on a character as its flow loop runs it, one pass a
    // sub-step: the speeds cleared (y only without gravity), the command
    // executed while its length lasts (once for a length of 0), the added
    // speeds carried in with their friction, gravity when asked, then the
    // moves on x and y in stage mode. passes counts the passes executed.
    static SubStep CommandStep(cChara& chara, cRunningCommand& command, void (*exec)(cChara*, cRunningCommand*),
                               bool gravity, int* passes = nullptr);

private:
    cScrollAxis m_ScrollX;
    cScrollAxis m_ScrollY;
    cScrollAxis* m_lpSavedX;
    cScrollAxis* m_lpSavedY;
    cStageScene* m_lpScene;
    cStageScene* m_lpSavedScene;
};

// An object set up with a hit box of w x h, drawn in a 32 x 32 cell, in the
// given motion mode, its hit rectangle's corner at (left, top).
void PlaceObject(cStageObject& object, double left, double top, int w, int h, int motionMode);
