#include "BonusCurve.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

using rollwerk::BonusCurve;

constexpr std::int32_t kC = 50;

struct Pair {
    std::int32_t a;
    std::int32_t b;
};

// Every (a, b) the planner uses.
constexpr Pair kPairs[]
    = {{12, 200}, {9, 150}, {6, 100}, {7, 125}, {15, 250}, {13, 225}, {4, 130}, {6, 150}, {12, 250}, {1, 10}};

struct Point {
    std::int32_t a, b, s, expected;
};

// All exact halves in real arithmetic: the rounding of each step decides
// them, and exact or double arithmetic gets several of them wrong.
constexpr Point kCheckValues[] = {
    {9, 150, 36, 127},
    {9, 150, 140, 218},
    {9, 150, 148, 220},
    {15, 250, 140, 363},
    {4, 130, 24, 85},
    {4, 130, 120, 183},
    {1, 10, 36, 8},
    {1, 10, 148, 14},
    {6, 150, 144, 220},
    {7, 125, 8, 36},
    {15, 250, 92, 320},
    {12, 250, 88, 316},
};

constexpr Point kReferenceValues[] = {
    {12, 200, 1, 12},
    {12, 200, 2, 20},
    {12, 200, 5, 40},
    {12, 200, 10, 70},
    {12, 200, 25, 136},
    {12, 200, 50, 200},
    {12, 200, 100, 264},
    {12, 200, 250, 326},
    {6, 100, 1, 6},
    {6, 100, 10, 35},
    {6, 100, 50, 100},
    {6, 100, 100, 132},
    {6, 100, 250, 163},
    {1, 10, 1, 1},
    {1, 10, 10, 4},
    {1, 10, 50, 10},
    {1, 10, 250, 16},
};

TEST(BonusCurveTest, CheckValues)
{
    for (const Point &p : kCheckValues)
        EXPECT_EQ(BonusCurve(p.a, p.b, kC, p.s), p.expected) << p.a << ", " << p.b << ", s = " << p.s;
}

TEST(BonusCurveTest, ReferenceValues)
{
    for (const Point &p : kReferenceValues)
        EXPECT_EQ(BonusCurve(p.a, p.b, kC, p.s), p.expected) << p.a << ", " << p.b << ", s = " << p.s;
}

TEST(BonusCurveTest, StartsAtAAndReachesBAtC)
{
    for (const Pair &p : kPairs) {
        EXPECT_EQ(BonusCurve(p.a, p.b, kC, 1), p.a) << p.a << ", " << p.b;
        EXPECT_EQ(BonusCurve(p.a, p.b, kC, kC), p.b) << p.a << ", " << p.b;
    }
}

TEST(BonusCurveTest, RisesTowardsTwiceBMinusA)
{
    for (const Pair &p : kPairs) {
        std::int32_t previous = BonusCurve(p.a, p.b, kC, 1);
        for (std::int32_t s = 2; s <= 5000; ++s) {
            const std::int32_t value = BonusCurve(p.a, p.b, kC, s);
            ASSERT_GE(value, previous) << p.a << ", " << p.b << ", s = " << s;
            ASSERT_LE(value, 2 * p.b - p.a) << p.a << ", " << p.b << ", s = " << s;
            previous = value;
        }
        EXPECT_EQ(BonusCurve(p.a, p.b, kC, std::numeric_limits<std::int32_t>::max()), 2 * p.b - p.a);
    }
}

TEST(BonusCurveTest, DegenerateDenominatorThrows)
{
    EXPECT_THROW(BonusCurve(12, 200, 1, 5), std::domain_error);
    EXPECT_THROW(BonusCurve(12, 200, kC, 2 - kC), std::domain_error); // t + 1 = 0
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64

// The same five steps in the x87 format, which Extended reproduces.
std::int32_t LongDoubleCurve(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t s)
{
    const long double t = static_cast<long double>(std::int64_t{s} - 1) / static_cast<long double>(std::int64_t{c} - 1);
    const long double u = 1.0L / (t + 1.0L);
    const long double w = 1.0L - u;
    const long double scaled = w * static_cast<long double>(2 * (std::int64_t{b} - a));
    const long double r = scaled + static_cast<long double>(a);
    return static_cast<std::int32_t>(std::llrintl(r));
}

TEST(BonusCurveTest, MatchesLongDoubleForEveryPlannerInput)
{
    for (const Pair &p : kPairs)
        for (std::int32_t s = 1; s <= 999; ++s)
            ASSERT_EQ(BonusCurve(p.a, p.b, kC, s), LongDoubleCurve(p.a, p.b, kC, s))
                << p.a << ", " << p.b << ", s = " << s;
}

#endif

#if FLT_EVAL_METHOD == 0

std::int32_t DoubleCurve(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t s)
{
    const double t = static_cast<double>(std::int64_t{s} - 1) / static_cast<double>(std::int64_t{c} - 1);
    const double u = 1.0 / (t + 1.0);
    const double w = 1.0 - u;
    const double scaled = w * static_cast<double>(2 * (std::int64_t{b} - a));
    const double r = scaled + static_cast<double>(a);
    return static_cast<std::int32_t>(std::llrint(r));
}

// Why Extended exists: double rounding already gets a check value wrong.
TEST(BonusCurveTest, DoubleMissesACheckValue)
{
    int misses = 0;
    for (const Point &p : kCheckValues)
        if (DoubleCurve(p.a, p.b, kC, p.s) != p.expected)
            ++misses;
    EXPECT_GT(misses, 0);
}

#endif

} // namespace
