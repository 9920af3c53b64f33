#pragma once

// A binary floating-point number with a 64-bit significand, as the x87
// extended format holds it, with exactly rounded arithmetic (round to
// nearest, ties to even, after every operation). Integer-only, so the bonus
// curve gives the same bits on every compiler, platform and set of
// optimisation flags.

#include <cstdint>

namespace rollwerk {

class Extended {
public:
    constexpr Extended() = default;

    // Exact: every 64-bit integer fits the 64-bit significand.
    static Extended FromInt(std::int64_t value);

    friend Extended operator+(const Extended &lhs, const Extended &rhs);
    friend Extended operator-(const Extended &lhs, const Extended &rhs);
    friend Extended operator*(const Extended &lhs, const Extended &rhs);
    // Throws std::domain_error on division by zero.
    friend Extended operator/(const Extended &lhs, const Extended &rhs);

    // Nearest integer, ties to the even neighbour.
    std::int64_t RoundToInt64() const;

    friend bool operator==(const Extended &, const Extended &) = default;

private:
    // value = (negative ? -1 : 1) * significand * 2^exponent; a non-zero
    // significand is normalised (top bit set). Zero has significand 0.
    bool negative = false;
    std::int32_t exponent = 0;
    std::uint64_t significand = 0;

    // Rounds the exact value (hi * 2^64 + lo + a fraction of the last unit
    // if sticky) * 2^exponent to 64 bits; see Extended.cpp.
    static Extended Round(bool negative, std::int64_t exponent, std::uint64_t hi, std::uint64_t lo, bool sticky);

    friend struct ExtendedAccess; // for tests that build operands bit by bit
};

} // namespace rollwerk
