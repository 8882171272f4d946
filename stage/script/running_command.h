#pragma once
// The run-time state of one command of a running flow: its definition, its
// length and the passes left, the movement values worked out when the flow
// list is built, and the working values of the command kinds.
//
// Units: lengths and counters are passes (one a sub-step); speeds are pixels
// a pass.
#include <cstdint>
#include <list>
#include <utility>

#include "records/move_data.h"

class cCommandData;
class cStageWorld;

class cRunningCommand {
public:
    const cCommandData* m_lpCommandData = nullptr;   // its definition
    int m_nMoveX = 0;                 // movement target offset in pixels
    int m_nMoveY = 0;
    double m_dSpeed = 0;              // movement speed in pixels a pass
    double m_dStepX = 0;              // the movement's speed, set by aiming
    double m_dStepY = 0;
    int m_nFacingCode = 0;            // 1 left, 2 right, 0 neither
    const cEdMove* m_lpMove = nullptr;   // the command's movement record, if any

    int m_bDone = 0;                  // finished in the current run of the flow
    int m_nLength = 0;                // passes it runs
    int m_nCounter = 0;               // passes left; 0: not started
    uint8_t m_nMoveDir = 0;           // the movement record's direction choice
    int m_nAngle = 0;                 // movement angle in degrees
    double m_dSpeed2 = 0;             // second speed in pixels a pass
    int m_nPass = 0;                  // passes run so far
    int m_bBegun = 0;                 // the movement's first pass is done
    double m_dAngleX = 0;             // circle: the two wave angles
    double m_dAngleY = 0;
    int m_nMoveTime = 0;              // circle: the radius term; homing: the delay
    int m_nStartAngle = 0;            // circle
    int m_nEndAngle = 0;
    int m_nLastFacing = 0;            // straight movement: the facing at the previous pass
    std::list<std::pair<double, double>> m_HomingQueue;   // homing: points still to aim at

    // Prepares the command for its first pass.
    void Reset();
    // One pass with the scene's current character; 1 when it has finished.
    // A command of length L runs on L passes, one of length 0 once.
    int Run(cStageWorld& world);
    // With a timing mode of the movement record: the speed from the length
    // (mode 1) or the length from the speed (mode 2), over the distance.
    void DeriveMoveTiming(const cCommandData& def, int16_t instance);
};
