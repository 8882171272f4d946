#pragma once
// Firing: the volleys of a shot command and the formations that place its
// shots, and the three summons that place blocks, characters and items with
// the same formations.
//
// Angles are in degrees: 0 points left, 90 up, 180 right, 270 down; a
// velocity at angle a and speed v is (-cos a x v, -sin a x v), y downward.
#include <cstdint>
#include <list>

#include "records/effect_vocabulary.h"

class cChara;
class cEdShot;
class cRunningCommand;
class cShot;

// Arrangement kinds of a shot record.
enum {
    SHOTARRANGE_STRAIGHT_A = 0,
    SHOTARRANGE_STRAIGHT_B,
    SHOTARRANGE_SPREAD,
    SHOTARRANGE_THUNDER,
    SHOTARRANGE_BURST,
    SHOTARRANGE_SURROUND,
    SHOTARRANGE_COUNT
};

// Direction codes of a shot record; the first six and the last are resolved
// by the firer's facing (and the input) into one of the eight others.
enum {
    SHOTDIR_FORWARD = 0,
    SHOTDIR_BACK,
    SHOTDIR_LEFT,
    SHOTDIR_RIGHT,
    SHOTDIR_FORWARD_Y,
    SHOTDIR_BACK_Y,
    SHOTDIR_UP,
    SHOTDIR_DOWN,
    SHOTDIR_UP_LEFT,
    SHOTDIR_DOWN_LEFT,
    SHOTDIR_UP_RIGHT,
    SHOTDIR_DOWN_RIGHT,
    SHOTDIR_INPUT,
    SHOTDIR_COUNT
};

// Reference characters of "落雷" and "包囲".
enum { SHOTREF_TARGET = 0, SHOTREF_HERO = 1, SHOTREF_SELF = 2 };

// Where and how the next object of a formation is made.
struct SHOTPLACE {
    int m_nIndex = 0;                 // volley number (16-bit), 0 for summons
    double m_dSpeed = 0;              // pixels a frame
    int m_nAngle = 0;                 // degrees
    int m_nRange = 0;                 // half blocks
    int m_nLifetime = 0;              // tenths of a second
    double m_dVelX = 0, m_dVelY = 0;  // pixels a frame
    int m_nX = 0, m_nY = 0;           // the next object
    int m_nStartX = 0, m_nStartY = 0; // the first object
    int m_nStepX = 0, m_nStepY = 0;   // from one object to the next
    int m_nRowStepX = 0, m_nRowStepY = 0;   // from one row to the next ("落雷")
    int m_nWidth = 0, m_nHeight = 0;  // size of a placed object
    int8_t m_cSize = 0;               // the record's size factor (swords)
    int m_nOffsetX = 0, m_nOffsetY = 0;
    int m_nDirection = 0;             // resolved: 2, 3, 6..11
};

// An arrangement kind of a shot record: its label, what each of the record's
// three arrangement parameters means (an empty row where the kind has none)
// and the function that places one volley's objects. Row k is kind k.
struct SHOTARRANGEKIND {
    const char* szLabel;
    EFFECTPARAMDESC aParam[3];
    void (*lpArrange)(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& record,
                      SHOTPLACE& place);
};
extern const SHOTARRANGEKIND ShotArrangeTable[SHOTARRANGE_COUNT];

// Notes in the report log, once for each table and kind, that a record names
// a kind the table does not hold (nothing is then done for it).
void ReportShotKindOutsideTable(const char* table, int kind);

// The base angle of a resolved direction code, or -1 for a code that has
// none (the codes the firer's facing resolves, and unknown ones).
int ShotBaseAngle(int direction);

// The direction code a record's direction gives for a firer facing this way
// (1 right) whose flow fired with this input direction (0..9).
int ResolveShotDirection(int direction, int facing, int inputDirection);

// All volleys of a shot command into shots.
void FireShot(std::list<cShot>* shots, cChara* firer, cRunningCommand* command, const cEdShot& record);
// One formation of blocks, characters or items.
void SummonBlock(cChara* firer, cRunningCommand* command, const cEdShot& record);
void SummonChara(cChara* firer, cRunningCommand* command, const cEdShot& record);
void SummonItem(cChara* firer, cRunningCommand* command, const cEdShot& record);

// Makes one object at (m_nX, m_nY) by the kind of the command.
void CreateShot(std::list<cShot>* shots, SHOTPLACE& place, cChara* firer, cRunningCommand* command,
                const cEdShot& record);

// Sets a shot (kind 11) or a sword (kind 12) up at the end of the scene's
// shot list with the scene's next shot serial, and lists it by its hit
// layer. Null, with nothing added, when the set-up refuses (a sword type
// with no part).
cShot* AddShot(std::list<cShot>& shots, int kind, cChara* firer, const cEdShot& record, const SHOTPLACE& place);

// The angle from a point of the stage to the firer's target. Under an
// auto-scrolling view the aim is predicted, and the placement's speed is
// corrected to the speed of the predicted flight.
int AimAngle(double x, double y, cChara* firer, const cEdShot& record, SHOTPLACE& place);
