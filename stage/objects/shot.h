#pragma once
// A shot or a sword swing alive in the running stage.
//
// A shot flies by its record's motion kind (straight, re-aimed, homing,
// waving or falling), may accelerate, has an optional range and lifetime
// counted in sub-steps, and is removed when it ends, leaves its area or
// touches a block. A sword follows its owner through the timed parts of its
// sword type. Shots live by value in the scene's shot list and by pointer in
// the list of their hit layer.
//
// Units: positions in stage pixels, speeds in pixels a sub-step; every
// counter counts calls of Update, one a sub-step.
#include <list>
#include <vector>

#include "records/effect_vocabulary.h"
#include "records/shot_data.h"
#include "stage/objects/hit_rect.h"
#include "stage/objects/stage_object.h"

class cChara;
class cSwordTypeData;
struct SHOTPLACE;
struct DDSURFACEDATA;

// Motion kinds of a shot record.
enum {
    SHOTMOTION_STRAIGHT = 0,
    SHOTMOTION_AIM_PLAYER,
    SHOTMOTION_AIM_NEAREST,
    SHOTMOTION_AIM_TARGET,
    SHOTMOTION_HOME_PLAYER,
    SHOTMOTION_HOME_NEAREST,
    SHOTMOTION_HOME_TARGET,
    SHOTMOTION_HOME_NEAREST2,
    SHOTMOTION_WAVE,
    SHOTMOTION_FALL,
    SHOTMOTION_COUNT
};

// 1/sqrt(2): the share of a diagonal speed on each axis.
extern const double ShotDiagonal;

// A computed position, step, count or angle as an int, truncated toward
// zero. A value that is no number becomes 0 and one beyond the int range is
// held at its end, so that a degenerate formation places objects somewhere
// harmless instead of anywhere.
int TruncToInt(double value);

class cShot : public cStageObject {
public:
    int m_nOwner = 0;                 // creator reference of the firer (the sword's owner)
    int m_bChip = 1;                  // 1 a shot, 0 a sword
    int m_nRangeLeft = 0;             // updates until the end of the range
    int m_nLifeLeft = 0;              // updates of lifetime left
    int m_nMotionCount = 0;           // updates since launch; a sword: updates in its part
    int m_nSwordPart = 0;
    double m_dAccel = 0;              // acceleration magnitude
    double m_dMotionSpeed = 0;        // speed of the aiming and homing motions
    double m_dOwnVX = 0, m_dOwnVY = 0;   // the shot's own velocity, added to the base speed
    int m_bAccelOn = 0;
    int m_nMotionStart = 0;           // update count at which the motion acts
    int m_nMotionEnd = 0;             // update count at which homing stops
    int m_bMotionDone = 0;
    double m_dWavePhase = 0;          // wave phase accumulator, in updates
    double m_dWaveSin = 0, m_dWaveCos = 0;   // unit vector across the flight
    HITBOX m_HitBox;                  // the box that hits characters
    std::list<cChara*> m_HitList;     // characters already hit
    cEdShot m_EdShot;                 // the shot's own copy of its record
    cChara* m_lpTarget = nullptr;     // the character a target motion aims at

    cShot() = default;
    cShot(const cShot&) = default;
    cShot& operator=(const cShot&) = default;
    // Leaves the list of shots aiming at its target.
    ~cShot() override;

    void ScaleBoxes(int factor) override;
    void ShiftForRescale(int newFactor, int oldFactor) override;
    void UpdateBoxesX() override;
    void UpdateBoxesY() override;

    // Sets a shot (kind 11) or a sword (kind 12) up from its record and the
    // placement the firing computed. False only for a sword whose sword type
    // has no part to show (nothing is then set up).
    bool Setup(int serial, cChara* firer, int kind, const cEdShot& record, const SHOTPLACE& place);
    // One sub-step of motion; 1 when the shot is to be removed.
    int Update();
    int UpdateSword();
    // -- draw --
    // Draws the shot (or sword) in frame f of its animation.
    void Draw(DDSURFACEDATA* target, int f);
    // Apply the speeds of this sub-step.
    void MoveX();
    void MoveY();
    // Holds x inside the objects' outer limits: 3 when it had to, else 0.
    int ClampX();
    // Whether a block stops the shot where it is.
    bool HitsBlock();

    // The accelerations per sub-step along the velocity (vx, vy).
    void SplitAccel(double vx, double vy);

    // -- the motion kinds, run by Update through ShotMotionTable --
    void MotionStraight() {}
    void MotionAimPlayer();
    void MotionAimNearest();
    void MotionAimTarget();
    void MotionHomePlayer();
    void MotionHomeNearest();
    void MotionHomeTarget();
    void MotionWave();
    void MotionFall();

private:
    // Whom an aiming or homing motion heads for.
    enum MotionGoal { GOAL_HERO, GOAL_NEAREST, GOAL_TARGET };
    void RunMotion();
    void MotionAim(MotionGoal goal, int layer);
    const cChara* MotionTarget(MotionGoal goal, int layer);
    void MotionHome(MotionGoal goal, int layer);
    void HomeStep(const cChara* target, int u);
    // The motion speed and the update count at which the motion starts
    // (and, for homing, ends), on the motion's first call.
    void BeginMotion(bool withEnd);
    void StopAtRange();
};

// A motion kind of a shot record: its label, what each of the record's three
// motion parameters means (an empty row where the kind has none) and the
// motion that runs once an update. Row k is kind k; kinds 5 and 7 move alike.
struct SHOTMOTIONKIND {
    const char* szLabel;
    EFFECTPARAMDESC aParam[3];
    void (cShot::*lpMotion)();
};
extern const SHOTMOTIONKIND ShotMotionTable[SHOTMOTION_COUNT];

// The sword type a sword record names, with at least one part. A type
// outside the sword database is reported by the checked access and type 0
// is used; with no sword type, or a type without parts, there is no sword:
// null, with one report-log line.
const cSwordTypeData* ShotSwordType(int type);

// Takes a shot out of the list of its hit layer and out of the shot list,
// and destroys it. Returns the next shot of the list.
std::list<cShot>::iterator EraseShot(std::list<cShot>& shots, std::vector<std::list<cShot*>>& layers,
                                     std::list<cShot>::iterator shot);
