#pragma once
// Where the statuses that conditions and status operations share are kept:
// a character's (its definition copy, HP, SP, variables) and the system's
// (time, auto-scroll speeds, score, lives), each at its own width with the
// ranges of both uses, and the operand sources they share.
#include <cstdint>

class cChara;

// Character statuses.
enum {
    CSTATUS_VAR = 0, CSTATUS_HP, CSTATUS_SP, CSTATUS_MAXHP, CSTATUS_MAXSP, CSTATUS_ID, CSTATUS_Z,
    CSTATUS_MARK, CSTATUS_SIGHT, CSTATUS_POWER, CSTATUS_IMPACT, CSTATUS_DEFENCE, CSTATUS_IMPACT_RESIST,
    CSTATUS_STOP, CSTATUS_SCORE,
};
// System statuses.
enum { SSTATUS_TIME = 0, SSTATUS_SCROLL_X, SSTATUS_SCROLL_Y, SSTATUS_SCORE, SSTATUS_LIVES };
// Subjects.
enum { SUBJECT_SELF = 0, SUBJECT_TARGET = 1, SUBJECT_SYSTEM = 2 };
// Value sources.
enum { SOURCE_CONSTANT = 0, SOURCE_RANDOM = 1, SOURCE_STATUS = 2, SOURCE_VARIABLE = 3 };

// One status: exactly one of the three pointers is set.
struct StatusField {
    int32_t* pInt = nullptr;
    int16_t* pShort = nullptr;
    int8_t* pByte = nullptr;
    int condLow = 0, condHigh = 0;   // the range a condition clamps its percentage into
    int opLow = 0, opHigh = 0;       // the range an operation clamps into
    int Read() const { return pInt ? *pInt : pShort ? *pShort : pByte ? *pByte : 0; }
};

// The status of a character; false for a status that does not exist, a
// variable index outside the character's variables, or the sight of a
// character of the computer's side (it has none). Reaching the stopping ease
// also brings the character's friction step up to date.
bool CharaStatusField(cChara& chara, int status, int varIndex, StatusField& out);
// The status of the system; false for a status that does not exist or the
// time while no stage runs.
bool SystemStatusField(int status, StatusField& out);

// Where an operand comes from.
struct ValueSource {
    int kind = SOURCE_CONSTANT;
    int constant = 0;
    int low = 0, high = 0;            // random bounds, either order
    int subject = 0, status = 0;      // status source
    int scope = 0, index = 0;         // variable source (scope 0 common, 1 stage); the character variable of status 0
};
// The operand; false when there is none (the status of a missing target or
// the sight of a character of the computer's side). A random operand draws
// once. Unlimited lives read as 0, the time as 0 in a stage without a limit.
bool TakeValue(const ValueSource& source, cChara* chara, int& out);
