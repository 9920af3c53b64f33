#pragma once

#include <cstdint>

namespace rollwerk {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kSkyBlue{166, 202, 240};          // windows, labels, class box, level field
inline constexpr Rgb kPaperColour{249, 234, 213};      // bonus list, info text
inline constexpr Rgb kAvailableColour{130, 255, 139};  // a skill the class may take now
inline constexpr Rgb kLockedColour{255, 128, 128};     // a skill that is locked
inline constexpr Rgb kDifferenceColour{255, 230, 150}; // a saved plan's value that differs from the plan shown

} // namespace rollwerk
