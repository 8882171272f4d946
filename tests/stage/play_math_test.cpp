// Play's sine, cosine and arc tangent: the library's values within a unit in
// the last place (a little more near the zeros of the library's own, which is
// not exact there in every build), exact values at the points play asks for
// most, and every edge of atan2.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "stage/physics/play_math.h"

namespace {

// Agreement within two units in the last place, or 1e-15 near zero.
::testing::AssertionResult Close(double got, double want)
{
    const double tolerance = std::max(2 * (std::nextafter(std::fabs(want), 10.0) - std::fabs(want)), 1e-15);
    if (std::fabs(got - want) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " against " << want;
}

TEST(PlayMath, FollowsTheLibraryOverEveryQuadrantAndLargeAngles)
{
    uint32_t state = 1;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1664525u + 1013904223u;
        const double span = i < 10000 ? 8.0 : 5000.0;
        const double x = (state / 4294967296.0 * 2 - 1) * span;
        SCOPED_TRACE(x);
        ASSERT_TRUE(Close(PlaySin(x), std::sin(x)));
        ASSERT_TRUE(Close(PlayCos(x), std::cos(x)));
        const double y = (static_cast<double>(state % 1000) - 500) / 7;
        ASSERT_TRUE(Close(PlayAtan2(y, x), std::atan2(y, x)));
        ASSERT_TRUE(Close(PlayAtan2(x, y), std::atan2(x, y)));
    }
}

TEST(PlayMath, ExactWhereTheMeaningIsPlain)
{
    const double pi = 3.14159265358979323846;
    EXPECT_EQ(PlaySin(0.0), 0.0);
    EXPECT_EQ(PlayCos(0.0), 1.0);
    EXPECT_EQ(PlaySin(pi / 2), 1.0);
    EXPECT_EQ(PlayCos(pi), -1.0);
    // The double nearest pi is not pi: its sine is the difference.
    EXPECT_EQ(PlaySin(pi), 1.2246467991473532e-16);
    EXPECT_EQ(PlaySin(-pi), -1.2246467991473532e-16);
    EXPECT_EQ(PlayCos(pi / 2), 6.123233995736766e-17);
    EXPECT_TRUE(std::isnan(PlaySin(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(PlayCos(std::numeric_limits<double>::quiet_NaN())));
}

TEST(PlayMath, Atan2OnTheAxesAndAtInfinity)
{
    const double pi = 3.14159265358979323846, inf = std::numeric_limits<double>::infinity();
    struct {
        double y, x, want;
    } cases[] = {
        {0.0, 1.0, 0.0},         {0.0, -1.0, pi},      {-0.0, -1.0, -pi},     {1.0, 0.0, pi / 2},
        {-1.0, 0.0, -pi / 2},    {1.0, 1.0, pi / 4},   {1.0, -1.0, 3 * pi / 4}, {-1.0, -1.0, -3 * pi / 4},
        {1.0, inf, 0.0},         {1.0, -inf, pi},      {inf, 1.0, pi / 2},    {inf, inf, pi / 4},
        {-inf, -inf, -3 * pi / 4}, {1e300, 1e-300, pi / 2}, {1e-300, -1e300, pi},
    };
    for (const auto& c : cases) EXPECT_EQ(PlayAtan2(c.y, c.x), c.want) << c.y << ", " << c.x;
    EXPECT_TRUE(std::signbit(PlayAtan2(-0.0, 1.0)));
}

} // namespace
