#pragma once
// The run-time state of one command of a running flow. For now it holds only
// what the aiming of stage objects reads and writes; the flow interpreter
// completes it.
#include <cstdint>
#include <list>
#include <utility>

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

    // -- movement --
    int m_nLength = 0;                // passes the command lasts
    int m_nCounter = 0;               // passes left; 0 not started
    uint8_t m_nMoveDir = 0;           // the movement record's direction choice
    int m_nAngle = 0;                 // degrees, below 360
    double m_dSpeed2 = 0;             // inertia: the limit of the added speed a pass
    int m_nPass = 0;                  // passes run so far (turn, avoid, homing, jump)
    int m_bBegun = 0;                 // the movement's first pass is done
    double m_dAngleX = 0, m_dAngleY = 0;   // circle: the two wave angles
    int m_nMoveTime = 0;              // circle: the radius term; homing: the delay
    int m_nStartAngle = 0, m_nEndAngle = 0;
    int m_nLastFacing = 0;            // straight movement: the facing at the previous pass
    std::list<std::pair<double, double>> m_HomingQueue;   // homing: points waiting to be aimed at
    // Speed or length of a movement from its distance, by the record's timing mode.
    void DeriveMoveTiming(const cCommandData& def, int16_t instance);
};
