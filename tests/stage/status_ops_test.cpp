// The operations of the status commands: arithmetic at each width, the clamp
// into the status's range, and overflow held at the range's bound.
#include <gtest/gtest.h>

#include "stage/script/conditions.h"
#include "stage/script/status_ops.h"

namespace {

struct IntOpCase {
    int32_t value, operand;
    int op, low, high;
    int32_t expected;
};

TEST(StatusOps, IntOperationsClampIntoTheRange)
{
    const IntOpCase cases[] = {
        {7, 3, STATUSOP_SET, -999999, 999999, 3},
        {999998, 5, STATUSOP_ADD, -999999, 999999, 999999},
        {-999998, 5, STATUSOP_SUB, -999999, 999999, -999999},
        {500000, 3, STATUSOP_MUL, 0, 999999, 999999},
        {-500000, 3, STATUSOP_MUL, -999999, 999999, -999999},
        // Products beyond 32 bits keep their sign: held at the bound, not wrapped.
        {2000000000, 2000000000, STATUSOP_MUL, -999999, 999999, 999999},
        {-2000000000, 2000000000, STATUSOP_MUL, -999999, 999999, -999999},
        {-2147483647 - 1, -1, STATUSOP_DIV, -999999, 999999, 999999},
        {7, 0, STATUSOP_DIV, -999999, 999999, 7},
        {-7, 2, STATUSOP_DIV, -999999, 999999, -3},
        {7, 0, STATUSOP_MOD, -999999, 999999, 7},
        {-7, 3, STATUSOP_MOD, -999999, 999999, -1},
        {5, 50, STATUSOP_PERCENT, -999999, 999999, 3},
        {-5, 50, STATUSOP_PERCENT, -999999, 999999, -3},
        {123, 9, 7, -999999, 999999, 123},
        {1200, 1, STATUSOP_ADD, 0, 999, 999},
    };
    for (const IntOpCase& c : cases) {
        int32_t v = c.value;
        ApplyStatusOpInt(&v, c.operand, c.op, c.low, c.high);
        EXPECT_EQ(v, c.expected) << c.value << " op " << c.op << " " << c.operand;
    }
}

TEST(StatusOps, NarrowFormsClampInsteadOfWrapping)
{
    int8_t imp = 20;
    ApplyStatusOpByte(&imp, 120, STATUSOP_ADD, -20, 20);
    EXPECT_EQ(imp, 20);
    int8_t z = 5;
    ApplyStatusOpByte(&z, 100, STATUSOP_MUL, 0, 7);
    EXPECT_EQ(z, 7);
    int16_t mark = 100;
    ApplyStatusOpShort(&mark, 30000, STATUSOP_ADD, 0, 119);
    EXPECT_EQ(mark, 119);
    int16_t stop = 150;
    ApplyStatusOpShort(&stop, 0, STATUSOP_DIV, 0, 200);
    EXPECT_EQ(stop, 150);
}

TEST(StatusOps, PercentOfRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(PercentOf(5, 50), 3);
    EXPECT_EQ(PercentOf(-5, 50), -3);
    EXPECT_EQ(PercentOf(1, 50), 1);
    EXPECT_EQ(PercentOf(1, 49), 0);
    EXPECT_EQ(PercentOf(30, 50), 15);
    EXPECT_EQ(PercentOf(static_cast<int8_t>(-5), static_cast<int8_t>(50)), -3);
    EXPECT_EQ(PercentOf(static_cast<int16_t>(999), static_cast<int16_t>(150)), 1499);
    EXPECT_EQ(PercentOf(2000000000, 2000000000), 2147483647);
}

} // namespace
