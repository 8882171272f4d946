#pragma once
// Condition lists of blocks, characters, items and flows: how a list holds
// (all or any, latched once it held), the seven condition kinds, the
// comparison operators and the percentages of the flow interpreter, and the
// checked stores of the variables that conditions, status operations and
// expressions read and write.
#include <cstdint>
#include <vector>

#include "records/condition_data.h"

class cChara;

// v against c: 0 ==, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 c is 0 or divides |v|,
// 7 c is not 0 and does not divide |v|; any other operator is false. The
// narrow forms compare at their width.
int CompareByOp(int v, int c, int op);
int CompareByOp(int8_t v, int8_t c, int op);
int CompareByOp(int16_t v, int16_t c, int op);

// round(a x b / 100), halves away from zero; kept inside the int range.
int PercentOf(int a, int b);
int8_t PercentOf(int8_t a, int8_t b);
int16_t PercentOf(int16_t a, int16_t b);

// v against the condition's operator and its own value field: with the
// percentage option against round(reference x value / 100) clamped to
// [low, high], else against the value. The stopping ease and the score
// of a character are compared so.
int CompareWithPercent(int v, int reference, const cConditionData& cond, int low, int high);
int CompareWithPercent(int16_t v, int reference, const cConditionData& cond, int low, int high);

// Kind 4: a status or variable against a constant, random, status or variable.
int CheckStatusCondition(const cConditionData& cond, cChara* chara);

// The variables of the flows, by index. An index outside its store reads 0
// and takes no write (null slot), with one report-log line for each store
// and index. Common variables are the game progress's, stage variables the
// running stage's (none while no stage runs), character variables the
// character's own (v1..v8 at 1..8), activation groups the running stage's.
int32_t* CommonVarSlot(int index);
int32_t* StageVarSlot(int index);
int32_t* CharaVarSlot(cChara& chara, int index);
char* ActiveGroupSlot(int index);
int ReadCommonVar(int index);
int ReadStageVar(int index);
int ReadCharaVar(cChara& chara, int index);
int ReadActiveGroup(int index);
