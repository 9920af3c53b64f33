#pragma once

// A plan: the class, the level and the 28 skill values, as a code carries it
// and the fields show it; and a change of one of its values.

#include "Budget.h"

#include <cstdint>
#include <string>

namespace rollwerk {

struct Plan {
    std::string className;
    std::int32_t level = 1;
    SkillValues skills;
    friend bool operator==(const Plan &, const Plan &) = default;
};

// A value before and after: a step's effect on a skill, or a value a plan
// asked for (before) and the planner shows (after). Skill 0 is the level.
struct SkillChange {
    int skill = 0;
    std::int32_t before = 0;
    std::int32_t after = 0;
    friend bool operator==(const SkillChange &, const SkillChange &) = default;
};

} // namespace rollwerk
