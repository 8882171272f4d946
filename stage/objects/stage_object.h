#pragma once
// The base of everything that moves in a running stage: its hit rectangle in
// stage pixels, speeds, sizes, facing and animation player, and the geometry
// that play is built from (clamping, movement, gravity, friction, the block
// probe, screen and range tests, aiming).
//
// Stage coordinates: the stage's cells are surrounded by 10 empty cells on
// every side; a cell is 32 pixels and the cell of c is trunc(c) >> 5. Right
// and bottom edges are inclusive (left + width - 1). Speeds, gravity and
// friction are per sub-step.
#include <cstdint>

#include "stage/objects/anime_seq.h"

class cRunningCommand;
class cScreenEdgeData;

// Edge codes of ClampX/ClampY (and MoveX/MoveY).
enum {
    EDGE_NONE = 0,
    EDGE_VIEW = 1,            // outside the view limits (y: above)
    EDGE_STAGE = 2,           // outside the stage proper (y: above)
    EDGE_OUTER = 3,           // held at the outer limit (y: at the top)
    EDGE_VIEW_BELOW = 4,
    EDGE_STAGE_BELOW = 5,
    EDGE_OUTER_BELOW = 6,
};

// Motion modes of SetMode.
enum { MOTION_GRAVITY = 0, MOTION_FREE = 1, MOTION_FLYING = 2, MOTION_FRAGILE = 3 };
// Block modes: how blocks treat an object.
enum { BLOCKMODE_PASS = 0, BLOCKMODE_STOP = 1, BLOCKMODE_KILL = 2 };

class cStageObject {
public:
    int m_nRef = 0;                   // creator reference: the object's serial
    int m_nLife = 0;                  // sub-steps left; 2147483647 unlimited
    int m_nFacing = 0;                // 0 left, 1 right
    int16_t m_sParamIndex = 0;
    int m_nGraphic = 0;
    cAnimeSeq m_Anime;
    int m_nScreenLeft = 0, m_nScreenTop = 0, m_nScreenRight = 0, m_nScreenBottom = 0;
    int m_nDrawOffX = 0, m_nDrawOffY = 0;     // drawing corner to hit corner, scaled
    int m_nDrawW = 0, m_nDrawH = 0;
    int m_nBaseDrawOffX = 0, m_nBaseDrawOffY = 0;
    int m_nBaseDrawW = 0, m_nBaseDrawH = 0;
    int m_nSide = 0;                  // 0 the player's side, 1 the computer's
    int m_nClass2 = 0;                // second class value, handed to shots
    int m_nHitLayer = 0;              // 0..7
    double m_dLeft = 0, m_dTop = 0, m_dRight = 0, m_dBottom = 0;
    int m_nCellLeft = 0, m_nCellRight = 0, m_nCellTop = 0, m_nCellBottom = 0;
    double m_dVx = 0, m_dVy = 0;
    double m_dAx = 0, m_dAy = 0;      // added speed, decays by friction
    double m_dFriction = 0;           // friction step a sub-step
    int m_bFrictionX = 0, m_bFrictionY = 0;
    int m_bScrollSync = 0;            // moves with an auto-scrolling view
    int m_nHitW = 0, m_nHitH = 0;
    int m_nBaseHitW = 0, m_nBaseHitH = 0;
    int m_bNoGravity = 0;
    uint8_t m_cBlockMode = 0;
    int m_bActive = 0;                // its conditions hold this sub-step
    int m_bOnScreen = 0;              // it overlaps the view this sub-step
    uint8_t m_bCondLatch = 0;

    cStageObject() = default;
    virtual ~cStageObject() = default;
    // The common state of another object (everything above).
    virtual void CopyState(const cStageObject& other);
    virtual void Rescale(int newFactor, int oldFactor);
    // The place part of a rescale: re-centred on x, then ShiftForRescale.
    void KeepPlaceOnRescale(int newFactor, int oldFactor);
    virtual void ScaleBoxes(int factor) {}
    virtual void ShiftForRescale(int newFactor, int oldFactor) {}
    virtual void UpdateBoxesX() {}
    virtual void UpdateBoxesY() {}
    virtual void SetCenter(int x, int y) {}
    virtual void SetCenterAndHalt(int x, int y, cRunningCommand* command);
    virtual void SetCenterX(int x) {}
    virtual void SetCenterXAndHalt(int x, cRunningCommand* command);
    virtual void SetCenterY(int y) {}
    virtual void SetCenterYAndHalt(int y, cRunningCommand* command);

    void Setup(int ref, int side, int class2, int hitLayer, int graphic, AnimeTable sequences,
               int startSequence, int drawOffX, int drawOffY, int hitW, int hitH, int drawW,
               int drawH, int facing, int motionMode, int16_t paramIndex);
    void SetMode(int mode);
    // Places the hit rectangle's corner and brings the derived values up to date.
    void SetPosition(double left, double top);

    int ClampX(int mode);
    int ClampY(int mode);
    int MoveX(int mode);
    int MoveY(int mode);
    void ApplyGravity();
    void ApplyFriction(double& value, int on) const;

    void UpdateScreenPos();
    bool IsOnScreen() const;
    bool IsOnScreenAxes(int skipX, int skipY) const;
    bool IsInsideBounds(int mode) const;
    int FacingSign() const { return m_nFacing ? 1 : -1; }
    void ImpactSpeeds(double& outX, double& outY, signed char impact, double dx, double dy) const;
    bool HitsBlock();
    bool HitsBlock(int ignored) { return HitsBlock(); }
    bool OverlapsRect(double left, double top, double right, double bottom) const;
    bool IsInReach(int pos, int size, int otherLow, int otherHigh, int inset, int reachBack,
                   int reachFront, int wholeExtent) const;
    bool IsOutOfRange(const cScreenEdgeData& edge) const;

    // The centre of the drawing rectangle on the screen.
    int ScreenCentreX() const { return m_nScreenLeft + m_nDrawW / 2; }
    int ScreenCentreY() const { return m_nScreenTop + m_nDrawH / 2; }

    void MoveTarget(double& x, double& y, const cRunningCommand& command) const;
    int AimAt(cRunningCommand& command, const cStageObject* mover, double toX, double toY,
              int scrollMode, int arriveTest);
    int AimAtX(cRunningCommand& command, const cStageObject* mover, double toX, int scrollMode,
               int arriveTest);
    int AimAtY(cRunningCommand& command, const cStageObject* mover, double toY, int scrollMode,
               int arriveTest);

private:
    void AfterClampX();
    void AfterClampY();
};

// The velocity (WaveCos) and the acceleration (WaveSin) of a sine motion of
// the given amplitude, from the accumulator's value before the call; each
// then advances the accumulator by step, wrapping it at 360 x speed scale.
double WaveCos(int amplitude, int rate, double& phaseAcc, double step, double phase);
double WaveSin(int amplitude, int rate, double& phaseAcc, double step, double phase);

// Speeds that carry an object from one screen point toward another, with the
// view's auto-scroll taken into account. Returns 1 when arriveTest is set and
// the target lies within one step.
int ComputeAimSpeed(double& outVx, double& outVy, int& outDir, const cStageObject* mover,
                    double fromX, double fromY, double toX, double toY, double speed,
                    int scrollMode, int straightAway, int arriveTest);
int ComputeAimSpeedX(double& outVx, double& outVy, int& outDir, const cStageObject* mover,
                     double fromX, double toX, double speed, int scrollMode, int arriveTest);
int ComputeAimSpeedY(double& outVx, double& outVy, int& outDir, const cStageObject* mover,
                     double fromY, double toY, double speed, int scrollMode, int arriveTest);

// A count of sub-steps in seconds at 60 frames a second.
double SubStepsToSeconds(double subSteps);

// The friction step of a character's stopping ease (0..200): hundredths of a
// pixel a frame, spread over the sub-steps of the frame on both counts.
double StopToFriction(int stop);
