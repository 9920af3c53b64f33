#include "Extended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>

namespace rollwerk {

// Builds and reads values bit by bit; befriended by Extended.
struct ExtendedAccess {
    static Extended Make(bool negative, std::int32_t exponent, std::uint64_t significand)
    {
        Extended x;
        x.negative = negative;
        x.exponent = exponent;
        x.significand = significand;
        return x;
    }
    static bool Negative(const Extended &x) { return x.negative; }
    static std::int32_t Exponent(const Extended &x) { return x.exponent; }
    static std::uint64_t Significand(const Extended &x) { return x.significand; }
};

} // namespace rollwerk

namespace {

using rollwerk::Extended;
using rollwerk::ExtendedAccess;

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;

// value = (negative ? -1 : 1) * significand * 2^exponent
struct Bits {
    bool negative;
    std::int32_t exponent;
    std::uint64_t significand;
    bool operator==(const Bits &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Bits &b)
{
    const auto flags = out.flags();
    out << (b.negative ? '-' : '+') << "0x" << std::hex << b.significand << std::dec << "p" << b.exponent;
    out.flags(flags);
    return out;
}

Extended Make(Bits b)
{
    return ExtendedAccess::Make(b.negative, b.exponent, b.significand);
}

Bits Of(const Extended &x)
{
    return {ExtendedAccess::Negative(x), ExtendedAccess::Exponent(x), ExtendedAccess::Significand(x)};
}

enum class Op { Add, Subtract, Multiply, Divide };

Extended Apply(Op op, const Extended &a, const Extended &b)
{
    switch (op) {
    case Op::Add:
        return a + b;
    case Op::Subtract:
        return a - b;
    case Op::Multiply:
        return a * b;
    case Op::Divide:
        return a / b;
    }
    return {};
}

TEST(ExtendedTest, FromIntIsExact)
{
    const struct {
        std::int64_t value;
        Bits expected;
    } cases[] = {
        {0, {false, 0, 0}},
        {1, {false, -63, kTop}},
        {-1, {true, -63, kTop}},
        {3, {false, -62, 0xC000000000000000u}},
        {-49, {true, -58, 0xC400000000000000u}},
        {std::numeric_limits<std::int64_t>::max(), {false, -1, 0xFFFFFFFFFFFFFFFEu}},
        {std::numeric_limits<std::int64_t>::min(), {true, 0, kTop}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Of(Extended::FromInt(c.value)), c.expected) << c.value;
}

// Hand-worked roundings that run on every platform.
TEST(ExtendedTest, RoundsToNearestTiesToEven)
{
    const Bits one{false, -63, kTop};
    const Bits twoTo64{false, 1, kTop};
    const struct {
        const char *what;
        Op op;
        Bits a, b, expected;
    } cases[] = {
        {"2^64 + 1 ties down to even", Op::Add, twoTo64, one, twoTo64},
        {"2^64 + 3 ties up to even", Op::Add, twoTo64, {false, -62, 0xC000000000000000u}, {false, 1, kTop + 2}},
        {"2^64 + 1 + 2^-63 is past the tie", Op::Add, twoTo64, {false, -63, kTop + 1}, {false, 1, kTop + 1}},
        {"carry out of the top bit", Op::Add, {false, 0, ~std::uint64_t{0}}, one, {false, 1, kTop}},
        {"2^63 - 1/4 ties up to 2^63", Op::Subtract, {false, 0, kTop}, {false, -65, kTop}, {false, 0, kTop}},
        {"2^63 - 1/4 - 2^-65 is below the tie", Op::Subtract, {false, 0, kTop}, {false, -65, kTop + 1},
            {false, -1, ~std::uint64_t{0}}},
        {"2^63 - 2^-200 rounds back to 2^63", Op::Subtract, {false, 0, kTop}, {false, -263, kTop}, {false, 0, kTop}},
        {"cancellation is exact", Op::Subtract, {false, -63, kTop + 5}, {false, -63, kTop + 4}, {false, -126, kTop}},
        {"x - x is +0", Op::Subtract, {true, 7, kTop + 9}, {true, 7, kTop + 9}, {false, 0, 0}},
        {"x + -x is +0", Op::Add, {true, 7, kTop + 9}, {false, 7, kTop + 9}, {false, 0, 0}},
        {"-0 + -0 is -0", Op::Add, {true, 0, 0}, {true, 0, 0}, {true, 0, 0}},
        {"-0 - +0 is -0", Op::Subtract, {true, 0, 0}, {false, 0, 0}, {true, 0, 0}},
        {"0 * -3 is -0", Op::Multiply, {false, 0, 0}, {true, -62, 0xC000000000000000u}, {true, 0, 0}},
        {"(2^32+1)^2 ties down to even", Op::Multiply, {false, -31, 0x8000000080000000u},
            {false, -31, 0x8000000080000000u}, {false, 1, kTop + (1ull << 32)}},
        {"(2^32+1)(2^32+3) ties up to even", Op::Multiply, {false, -31, 0x8000000080000000u},
            {false, -31, 0x8000000180000000u}, {false, 1, kTop + (1ull << 33) + 2}},
        {"1 / 3 rounds up", Op::Divide, one, {false, -62, 0xC000000000000000u}, {false, -65, 0xAAAAAAAAAAAAAAABu}},
        {"-2 / 3", Op::Divide, {true, -62, kTop}, {false, -62, 0xC000000000000000u}, {true, -64, 0xAAAAAAAAAAAAAAABu}},
        {"1 / 7 rounds down", Op::Divide, one, {false, -61, 0xE000000000000000u}, {false, -66, 0x9249249249249249u}},
        {"0 / -5 is -0", Op::Divide, {false, 0, 0}, {true, -61, 0xA000000000000000u}, {true, 0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Of(Apply(c.op, Make(c.a), Make(c.b))), c.expected) << c.what;
}

TEST(ExtendedTest, DivisionByZeroThrows)
{
    EXPECT_THROW(Extended::FromInt(1) / Extended::FromInt(0), std::domain_error);
    EXPECT_THROW(Extended::FromInt(0) / Extended::FromInt(0), std::domain_error);
    EXPECT_THROW(Extended::FromInt(1) / (Extended::FromInt(3) - Extended::FromInt(3)), std::domain_error);
}

TEST(ExtendedTest, RoundToInt64HandWorked)
{
    const auto ratio = [](std::int64_t n, std::int64_t d) { return Extended::FromInt(n) / Extended::FromInt(d); };
    const struct {
        Extended value;
        std::int64_t expected;
    } cases[] = {
        {ratio(1, 2), 0},
        {ratio(3, 2), 2},
        {ratio(5, 2), 2},
        {ratio(-1, 2), 0},
        {ratio(-3, 2), -2},
        {ratio(-5, 2), -2},
        {ratio(7, 4), 2},
        {ratio(-7, 4), -2},
        {ratio(5, 4), 1},
        {ratio(1, 3), 0},
        {ratio(2, 3), 1},
        {ratio(-2, 3), -1},
        {Make({false, -300, kTop}), 0},
        {Make({false, -64, kTop}), 0},     // exactly 1/2
        {Make({false, -64, kTop + 1}), 1}, // just above 1/2
        {Extended::FromInt(std::numeric_limits<std::int64_t>::max()), std::numeric_limits<std::int64_t>::max()},
        {Extended::FromInt(std::numeric_limits<std::int64_t>::min()), std::numeric_limits<std::int64_t>::min()},
        {Make({false, -1, 0xFFFFFFFFFFFFFFFCu}), std::numeric_limits<std::int64_t>::max() - 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.value.RoundToInt64(), c.expected) << Of(c.value);
}

TEST(ExtendedTest, RoundToInt64OutOfRangeThrows)
{
    EXPECT_THROW(Make({false, 0, kTop}).RoundToInt64(), std::overflow_error);    // 2^63
    EXPECT_THROW(Make({true, 0, kTop + 1}).RoundToInt64(), std::overflow_error); // -(2^63 + 1)
    EXPECT_THROW(Make({false, 5, kTop}).RoundToInt64(), std::overflow_error);
    // 2^63 - 1/2 ties to the even 2^63, which no longer fits.
    EXPECT_THROW(Make({false, -1, ~std::uint64_t{0}}).RoundToInt64(), std::overflow_error);
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64

// The x87 format: 64-bit significand with explicit top bit, then 15 bits of
// biased exponent and the sign, little-endian. Our exponent counts from the
// last significand bit, hence the extra 63.
constexpr int kLongDoubleBias = 16383 + 63;

long double ToLongDouble(Bits b)
{
    std::uint16_t signAndExponent = b.negative ? 0x8000 : 0;
    if (b.significand != 0)
        signAndExponent |= static_cast<std::uint16_t>(b.exponent + kLongDoubleBias);
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &b.significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    long double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

Bits FromLongDouble(long double value)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    std::uint64_t significand;
    std::uint16_t signAndExponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
    const bool negative = (signAndExponent & 0x8000) != 0;
    if (significand == 0)
        return {negative, 0, 0};
    return {negative, (signAndExponent & 0x7FFF) - kLongDoubleBias, significand};
}

// Operands weighted towards the cases where rounding goes wrong: short
// significands (exact products and ties), all-ones and lone-bit patterns
// (carries), equal or nearly equal magnitudes (cancellation), gaps around
// the 64 and 128 bit window edges (round and sticky bits) and huge gaps.
class OperandSource {
public:
    explicit OperandSource(std::uint64_t seed) : rng_(seed) { }

    Bits First()
    {
        Bits b{Coin(), 0, 0};
        switch (Below(8)) {
        case 0: // a whole number, as the bonus curve uses them
            return Of(Extended::FromInt(Coin() ? Range(-1000, 1000) : static_cast<std::int64_t>(rng_() >> Below(64))));
        case 1: // huge exponent range
            b.significand = rng_() | kTop;
            b.exponent = static_cast<std::int32_t>(Range(-3000, 3000));
            return b;
        case 2:
            if (Below(16) == 0)
                return {Coin(), 0, 0};
            b.significand = Pattern();
            break;
        case 3:
        case 4:
            b.significand = Short();
            break;
        default:
            b.significand = rng_() | kTop;
            break;
        }
        b.exponent = static_cast<std::int32_t>(Range(-72, -56));
        return b;
    }

    Bits Second(const Bits &first)
    {
        if (first.significand == 0 || Below(4) == 0)
            return First();
        Bits b{Coin(), first.exponent, 0};
        switch (Below(6)) {
        case 0: // same magnitude
            return {Coin(), first.exponent, first.significand};
        case 1: // nearly the same: cancellation down to a few bits
            b.significand = first.significand ^ (rng_() >> Below(64));
            b.significand |= kTop;
            return b;
        case 2: // gap around the edges of the 128-bit window
        {
            static constexpr int edges[] = {0, 1, 2, 62, 63, 64, 65, 66, 126, 127, 128, 129};
            const int gap = edges[Below(std::size(edges))];
            b.exponent = first.exponent + (Coin() ? gap : -gap);
            b.significand = Below(2) == 0 ? Pattern() : rng_() | kTop;
            return b;
        }
        case 3:
            b.exponent = first.exponent + static_cast<std::int32_t>(Range(-2000, 2000));
            b.significand = rng_() | kTop;
            return b;
        case 4:
            b.exponent = first.exponent + static_cast<std::int32_t>(Range(-140, 140));
            b.significand = Short();
            return b;
        default:
            b.exponent = first.exponent + static_cast<std::int32_t>(Range(-8, 8));
            b.significand = rng_() | kTop;
            return b;
        }
    }

private:
    bool Coin() { return (rng_() & 1) != 0; }
    std::uint64_t Below(std::uint64_t n) { return rng_() % n; }
    std::int64_t Range(std::int64_t lo, std::int64_t hi)
    {
        return lo + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(hi - lo + 1)));
    }
    // 1 to 40 significant bits, left-aligned.
    std::uint64_t Short()
    {
        const int bits = 1 + static_cast<int>(Below(40));
        const std::uint64_t value = (rng_() >> (64 - bits)) | (std::uint64_t{1} << (bits - 1));
        return value << (64 - bits);
    }
    std::uint64_t Pattern()
    {
        static constexpr std::uint64_t patterns[] = {
            kTop,
            kTop + 1,
            ~std::uint64_t{0},
            ~std::uint64_t{0} - 1,
            0xAAAAAAAAAAAAAAAAu,
            0xC000000000000001u,
            0x8000000100000000u,
            0xFFFFFFFF00000000u,
            0x80000000FFFFFFFFu,
            0xFFFFFFFFFFFFFFFEu,
        };
        std::uint64_t value = patterns[Below(std::size(patterns))];
        if (Coin()) // flip one low bit to move a tie just off
            value ^= std::uint64_t{1} << Below(8);
        return value | kTop;
    }

    std::mt19937_64 rng_;
};

class ExtendedAgainstLongDouble : public testing::TestWithParam<Op> { };

TEST_P(ExtendedAgainstLongDouble, MatchesBitForBit)
{
    const Op op = GetParam();
    OperandSource source(0x5EED0000u + static_cast<unsigned>(op));
    constexpr int kOperations = 300000;
    int failures = 0;
    for (int i = 0; i < kOperations && failures < 10; ++i) {
        const Bits a = source.First();
        Bits b = source.Second(a);
        if (op == Op::Divide && b.significand == 0)
            b = {b.negative, -63, kTop};
        const long double x = ToLongDouble(a);
        const long double y = ToLongDouble(b);
        long double expected = 0;
        switch (op) {
        case Op::Add:
            expected = x + y;
            break;
        case Op::Subtract:
            expected = x - y;
            break;
        case Op::Multiply:
            expected = x * y;
            break;
        case Op::Divide:
            expected = x / y;
            break;
        }
        const Bits actual = Of(Apply(op, Make(a), Make(b)));
        if (actual != FromLongDouble(expected)) {
            ADD_FAILURE() << a << " op " << static_cast<int>(op) << " " << b << ": got " << actual << ", expected "
                          << FromLongDouble(expected);
            ++failures;
        }
    }
}

constexpr const char *kOpNames[] = {"Add", "Subtract", "Multiply", "Divide"};

std::string OpName(const testing::TestParamInfo<Op> &info)
{
    return kOpNames[static_cast<int>(info.param)];
}

void PrintTo(Op op, std::ostream *out)
{
    *out << kOpNames[static_cast<int>(op)];
}

INSTANTIATE_TEST_SUITE_P(
    AllOperations, ExtendedAgainstLongDouble, testing::Values(Op::Add, Op::Subtract, Op::Multiply, Op::Divide), OpName);

TEST(ExtendedTest, LongDoubleCodecRoundTrips)
{
    // Guards the comparison above against a wrong exponent bias.
    EXPECT_EQ(FromLongDouble(1.0L), (Bits{false, -63, kTop}));
    EXPECT_EQ(FromLongDouble(-0.375L), (Bits{true, -65, 0xC000000000000000u}));
    EXPECT_EQ(ToLongDouble({false, -62, 0xA000000000000000u}), 2.5L);
}

TEST(ExtendedTest, FromIntMatchesLongDouble)
{
    std::mt19937_64 rng(77);
    for (int i = 0; i < 20000; ++i) {
        const auto value = static_cast<std::int64_t>(rng() >> (1 + rng() % 63));
        ASSERT_EQ(Of(Extended::FromInt(value)), FromLongDouble(static_cast<long double>(value))) << value;
        ASSERT_EQ(Of(Extended::FromInt(-value)), FromLongDouble(static_cast<long double>(-value))) << value;
    }
}

TEST(ExtendedTest, RoundToInt64MatchesLlrintl)
{
    std::mt19937_64 rng(99);
    for (int i = 0; i < 100000; ++i) {
        Bits b{(rng() & 1) != 0, static_cast<std::int32_t>(-80 + static_cast<int>(rng() % 79)), rng() | kTop};
        if (i % 2 == 1) {
            // x.5 for an even or odd x of any size up to 2^62
            const std::uint64_t whole = rng() >> (2 + rng() % 62);
            b = Of(Extended::FromInt(static_cast<std::int64_t>(2 * whole + 1)) / Extended::FromInt(2));
            b.negative = (rng() & 1) != 0;
        }
        const Extended x = Make(b);
        ASSERT_EQ(x.RoundToInt64(), std::llrintl(ToLongDouble(b))) << b;
    }
}

#endif

} // namespace
