#pragma once
// The movement record of a command: where and how the movement kinds and the
// warp move a character. A command holds at most one, through a shared
// pointer of its own (never shared with another command).
//
// Stored form: the record part only, 32 fields (52 bytes) at the current
// version; fields that came later are missing from older files and are set
// by Load as those files meant them.
#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "records/data_record.h"

class cEdMove : public cDataRecord {
public:
    uint8_t m_cMode = 0;           // straight move: 0 by direction/angle, 1 to target; warp: 0..2
    uint8_t m_cDirection = 0;      // direction list 0..12; circle: turning sense 0..3
    int16_t m_sAngle = 0;
    int16_t m_sAngleStep = 0;
    uint8_t m_bMirrorAngle = 1;    // facing right: angle becomes 360 - angle
    uint8_t m_bUseX = 1;
    uint8_t m_bUseY = 1;
    int16_t m_sTargetX = 0;        // target offset in blocks
    int16_t m_sTargetY = 0;
    int16_t m_sTargetDotX = 0;     // added to the target offset, in pixels
    int16_t m_sTargetDotY = 0;
    uint8_t m_cCoordKind = 0;      // 0 placement, 1 character, 2 stage, 3 screen
    uint8_t m_bArrivalCheck = 1;   // the command ends on arrival
    uint8_t m_bLockX = 0;          // no horizontal motion
    uint8_t m_bLockY = 0;          // no vertical motion
    uint8_t m_bMirrorX = 1;
    uint8_t m_bMirrorY = 0;
    uint8_t m_bReverseOnTurn = 1;
    uint8_t m_bStopOnArrival = 0;
    uint8_t m_bKeepFacing = 0;
    uint8_t m_cTiming = 0;         // 0 time and speed, 1 time and distance, 2 speed and distance
    int16_t m_sSpeed = 10;         // tenths of a pixel per frame
    int16_t m_sSpeedStep = 0;
    int16_t m_sDistance = 0;       // circle: the end angle
    int16_t m_sDistanceStep = 0;
    uint8_t m_cDistanceUnit = 0;   // 0 half blocks, 1 pixels
    int16_t m_sRadius = 0;         // circle: radius in half blocks; homing: its value
    int16_t m_sRadiusStep = 0;
    uint8_t m_bInertia = 0;        // the motion accelerates up to the inertia limit
    int16_t m_sInertiaLimit = 0;   // tenths of a pixel per frame
    double m_dReversal = 1.0;      // acceleration factor against the current speed
    uint8_t m_bKeepAnime = 0;

    // Registered with DATA_VERSION, cleared, then the defaults above.
    cEdMove();
    cEdMove(const cEdMove&) = default;
    cEdMove& operator=(const cEdMove&) = default;

    void RegisterFields(int version) override;
    // The record, then the values of fields older files do not hold.
    bool Load(cDataReader& in) override;
};

// Makes p the only owner of a new movement record with its defaults,
// letting go of what p held. Returns 1.
int NewEdMove(boost::shared_ptr<cEdMove>& p);
