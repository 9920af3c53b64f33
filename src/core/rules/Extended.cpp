#include "Extended.h"

#include <bit>
#include <limits>
#include <stdexcept>

// Exponents are kept as int32. The bonus curve stays within a few dozen
// binades of 1, so overflow and underflow are only caught by throwing
// std::overflow_error when an exponent would leave the int32 range; there
// are no infinities, NaNs or subnormals.

namespace rollwerk {
namespace {

constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

struct Wide {
    std::uint64_t hi;
    std::uint64_t lo;
};

// Full 128-bit product from 32-bit halves; MSVC has no __int128.
Wide MultiplyWide(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t mask = 0xFFFFFFFFu;
    const std::uint64_t ll = (a & mask) * (b & mask);
    const std::uint64_t lh = (a & mask) * (b >> 32);
    const std::uint64_t hl = (a >> 32) * (b & mask);
    const std::uint64_t hh = (a >> 32) * (b >> 32);
    // At most 3 * (2^32 - 1), so the middle column cannot overflow.
    const std::uint64_t mid = (ll >> 32) + (lh & mask) + (hl & mask);
    return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & mask)};
}

} // namespace

// hi and lo are never both 0. Normalising shifts left; with sticky set that
// shift must stay below 64 so the unknown bits under lo cannot reach the
// round bit. All callers keep it at 1 (add, subtract) or about 62 (divide).
Extended Extended::Round(bool negative, std::int64_t exponent, std::uint64_t hi, std::uint64_t lo, bool sticky)
{
    if (hi == 0) { // only after exact cancellation, never with sticky set
        hi = lo;
        lo = 0;
        exponent -= 64;
    }
    const int shift = std::countl_zero(hi);
    if (shift > 0) {
        hi = (hi << shift) | (lo >> (64 - shift));
        lo <<= shift;
        exponent -= shift;
    }
    // hi is the significand; the top bit of lo is the round bit, the other
    // bits of lo together with sticky decide whether a tie is really a tie.
    if (lo > kTopBit || (lo == kTopBit && (sticky || (hi & 1) != 0))) {
        if (++hi == 0) { // carried out of the top bit: 1.111.. became 10.000..
            hi = kTopBit;
            ++exponent;
        }
    }
    exponent += 64;
    if (exponent < std::numeric_limits<std::int32_t>::min() || exponent > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("Extended: exponent out of range");
    Extended result;
    result.negative = negative;
    result.exponent = static_cast<std::int32_t>(exponent);
    result.significand = hi;
    return result;
}

Extended Extended::FromInt(std::int64_t value)
{
    Extended result;
    if (value == 0)
        return result;
    // Negate in unsigned arithmetic so INT64_MIN does not overflow.
    const std::uint64_t magnitude
        = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    result.negative = value < 0;
    result.exponent = -shift;
    result.significand = magnitude << shift;
    return result;
}

Extended operator+(const Extended &lhs, const Extended &rhs)
{
    if (rhs.significand == 0) {
        if (lhs.significand != 0)
            return lhs;
        Extended zero; // -0 only when both are -0
        zero.negative = lhs.negative && rhs.negative;
        return zero;
    }
    if (lhs.significand == 0)
        return rhs;

    // Larger magnitude first, so the difference below never goes negative.
    const bool swap
        = lhs.exponent < rhs.exponent || (lhs.exponent == rhs.exponent && lhs.significand < rhs.significand);
    const Extended &big = swap ? rhs : lhs;
    const Extended &small = swap ? lhs : rhs;
    const std::int64_t gap = std::int64_t{big.exponent} - small.exponent;

    // Align small to big in a 128-bit window whose upper half is big. The
    // lower 64 bits keep everything that can affect rounding; what falls off
    // below only matters as a sticky bit.
    std::uint64_t smallHi = 0;
    std::uint64_t smallLo = 0;
    bool sticky = false;
    if (gap == 0) {
        smallHi = small.significand;
    } else if (gap < 64) {
        smallHi = small.significand >> gap;
        smallLo = small.significand << (64 - gap);
    } else if (gap == 64) {
        smallLo = small.significand;
    } else if (gap < 128) {
        smallLo = small.significand >> (gap - 64);
        sticky = (small.significand << (128 - gap)) != 0;
    } else {
        sticky = true;
    }

    std::int64_t exponent = std::int64_t{big.exponent} - 64;
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
    if (lhs.negative == rhs.negative) {
        hi = big.significand + smallHi; // big's lower half is 0: no carry in
        lo = smallLo;
        // On a carry out, shift right by one. The bit lost from lo is 0: a
        // carry needs a gap below 64, which leaves the low bits of lo clear.
        if (hi < big.significand) {
            lo = (lo >> 1) | (hi << 63);
            hi = (hi >> 1) | kTopBit;
            ++exponent;
        }
    } else {
        lo = 0 - smallLo;
        hi = big.significand - smallHi - (smallLo != 0 ? 1 : 0);
        // The true difference lies a fraction below (hi, lo): take one unit
        // off and let sticky stand for the fraction above it.
        if (sticky) {
            if (lo == 0)
                --hi;
            --lo;
        }
        if (hi == 0 && lo == 0)
            return Extended{}; // x - x is +0 when rounding to nearest
    }
    return Extended::Round(big.negative, exponent, hi, lo, sticky);
}

Extended operator-(const Extended &lhs, const Extended &rhs)
{
    Extended negated = rhs;
    negated.negative = !negated.negative;
    return lhs + negated;
}

Extended operator*(const Extended &lhs, const Extended &rhs)
{
    const bool negative = lhs.negative != rhs.negative;
    if (lhs.significand == 0 || rhs.significand == 0) {
        Extended zero;
        zero.negative = negative;
        return zero;
    }
    // The 128-bit product is exact, so no sticky bit is needed.
    const Wide product = MultiplyWide(lhs.significand, rhs.significand);
    return Extended::Round(negative, std::int64_t{lhs.exponent} + rhs.exponent, product.hi, product.lo, false);
}

Extended operator/(const Extended &lhs, const Extended &rhs)
{
    if (rhs.significand == 0)
        throw std::domain_error("Extended: division by zero");
    const bool negative = lhs.negative != rhs.negative;
    if (lhs.significand == 0) {
        Extended zero;
        zero.negative = negative;
        return zero;
    }
    // Long division, one quotient bit at a time: 66 bits give the 64-bit
    // significand plus the round bit even when the quotient is below 1, and
    // the remainder is the sticky bit.
    const std::uint64_t divisor = rhs.significand;
    std::uint64_t remainder = lhs.significand;
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
    for (int i = 0; i < 66; ++i) {
        bool bit = false;
        if (i > 0) {
            // remainder < divisor, so twice it minus the divisor fits again;
            // a bit shifted out means it certainly exceeds the divisor.
            const bool carry = (remainder & kTopBit) != 0;
            remainder <<= 1;
            bit = carry || remainder >= divisor;
        } else {
            bit = remainder >= divisor;
        }
        if (bit)
            remainder -= divisor;
        hi = (hi << 1) | (lo >> 63);
        lo = (lo << 1) | (bit ? 1 : 0);
    }
    const std::int64_t exponent = std::int64_t{lhs.exponent} - rhs.exponent - 65;
    return Extended::Round(negative, exponent, hi, lo, remainder != 0);
}

std::int64_t Extended::RoundToInt64() const
{
    if (significand == 0)
        return 0;
    if (exponent >= 0) {
        // Only -2^63 itself fits; everything else is out of range.
        if (exponent > 0 || !negative || significand != kTopBit)
            throw std::overflow_error("Extended: value out of int64 range");
        return std::numeric_limits<std::int64_t>::min();
    }
    if (exponent < -64)
        return 0; // below 1/2
    const int shift = -exponent;
    const std::uint64_t whole = shift == 64 ? 0 : significand >> shift;
    const std::uint64_t fraction = shift == 64 ? significand : significand & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    std::uint64_t magnitude = whole;
    if (fraction > half || (fraction == half && (whole & 1) != 0))
        ++magnitude;
    if (magnitude > (negative ? kTopBit : kTopBit - 1))
        throw std::overflow_error("Extended: value out of int64 range");
    return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

} // namespace rollwerk
