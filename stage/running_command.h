#pragma once
// The run-time state of one command of a running flow. For now it holds only
// what the aiming of stage objects reads and writes; the flow interpreter
// completes it.
#include "records/move_data.h"

class cCommandData;

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

    // -- shots --
    int m_nPass = 0;                  // passes of the command so far
};
