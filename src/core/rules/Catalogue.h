#pragma once

// The fixed game data: the six classes, the 28 skills and the unlock table.

#include <array>
#include <optional>
#include <string_view>

namespace rollwerk {

inline constexpr int kClassCount = 6;
inline constexpr int kSkillCount = 28;
inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = 250;
// An unlock level no character reaches: the skill is never selectable.
inline constexpr int kNever = 251;

inline constexpr std::array<std::string_view, kClassCount> kClassNames
    = {"Gladiator", "Seraphim", "Waldelfin", "Dunkelelf", "Kampfmagier", "Vampirin"};

inline constexpr std::string_view kDefaultClass = kClassNames[0];

// Column of the unlock table (0 to 5) for a class text, compared exactly and
// case-sensitively in table order; no value when the text names no class.
std::optional<int> ClassColumn(std::string_view classText);

// Unlock level of skill 1..28 for a class column: 0 for a starting skill,
// 3..50 for the level from which it may be chosen, kNever otherwise.
int UnlockLevel(int skill, int classColumn);

// Caption of skill 1..28, as shown above its field.
std::string_view SkillCaption(int skill);

// Fixed-size array indexed by skill number 1..28, as the planner arrays are.
template <typename T> struct SkillArray {
    std::array<T, kSkillCount> items{};

    constexpr T &operator[](int skill) { return items[static_cast<std::size_t>(skill - 1)]; }
    constexpr const T &operator[](int skill) const { return items[static_cast<std::size_t>(skill - 1)]; }
    friend bool operator==(const SkillArray &, const SkillArray &) = default;
};

} // namespace rollwerk
