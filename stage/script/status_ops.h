#pragma once
// The operations of the status commands on one value: set, add, subtract,
// multiply, divide, remainder and percentage, then the clamp into the
// value's range. The result is worked out in 64 bits, so no operation
// overflows before the clamp; the narrow forms take their operand at the
// value's width.
#include <cstdint>

enum {
    STATUSOP_SET = 0, STATUSOP_ADD, STATUSOP_SUB, STATUSOP_MUL, STATUSOP_DIV, STATUSOP_MOD, STATUSOP_PERCENT,
};

void ApplyStatusOpInt(int32_t* value, int32_t operand, int op, int low, int high);
void ApplyStatusOpByte(int8_t* value, int8_t operand, int op, int low, int high);
void ApplyStatusOpShort(int16_t* value, int16_t operand, int op, int low, int high);
