#pragma once

// The point and slot budget of a character.

#include "Catalogue.h"

#include <cstdint>
#include <optional>

namespace rollwerk {

using SkillValues = SkillArray<std::int32_t>;

// Points granted by levels 1..level plus the 2 points of the starting skills.
// A level of 0 or less grants nothing; levels above 250 go on at 4 a level.
std::int64_t SkillPointBudget(std::int32_t level);

// Budget minus the sum of the skill values; negative when overspent.
std::int64_t FreeSkillPoints(std::int32_t level, const SkillValues &values);

// Skill slots of a level 1..250 (2 to 8); no value outside that range.
std::optional<int> SkillSlots(std::int32_t level);

// Skills with a value greater than 0.
int ChosenSkillCount(const SkillValues &values);

} // namespace rollwerk
