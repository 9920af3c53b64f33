#pragma once

// The bonus curve: a at s = 1, b at s = c, approaching 2b - a for large s.

#include <cstdint>

namespace rollwerk {

// Computed step by step in Extended so that every platform and compiler gets
// the same integer. Throws std::domain_error when c is 1 or s - 1 = 1 - c.
std::int32_t BonusCurve(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t s);

} // namespace rollwerk
