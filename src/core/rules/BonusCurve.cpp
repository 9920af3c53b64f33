#include "BonusCurve.h"

#include "Extended.h"

namespace rollwerk {

std::int32_t BonusCurve(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t s)
{
    // Many results are exact halves in real arithmetic (126.5 for 9, 150,
    // s = 36), so the rounding of every step decides them: keep the order
    // and each separately rounded operation exactly as they are.
    const Extended one = Extended::FromInt(1);
    const Extended t = Extended::FromInt(std::int64_t{s} - 1) / Extended::FromInt(std::int64_t{c} - 1);
    const Extended u = one / (t + one);
    const Extended w = one - u;
    const Extended scaled = w * Extended::FromInt(2 * (std::int64_t{b} - a));
    const Extended r = scaled + Extended::FromInt(a);
    return static_cast<std::int32_t>(r.RoundToInt64());
}

} // namespace rollwerk
