#pragma once

// A complete snapshot of the plan: every field, label, list line and planner
// array. A run of a planner procedure that would start in exactly the state
// of a run of the same procedure still in progress would repeat it for ever;
// the planner compares snapshots to stop such runs. Snapshots of different
// runs nearly always differ in the planner arrays, so the comparison looks
// at those first and stops at the first difference.

#include "BonusTable.h"
#include "Budget.h"
#include "Colours.h"

#include <array>
#include <cstdint>
#include <string>

namespace rollwerk {

struct FieldState {
    std::string text;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    bool enabled = false;
    Rgb colour{};
    bool captionEnabled = false;
    friend bool operator==(const FieldState &, const FieldState &) = default;
};

struct PlannerState {
    FieldState level;
    SkillArray<FieldState> skills;
    std::string classText;
    std::string freePointsText;
    std::string freeSlotsText;
    BonusLines bonuses;
    SkillValues skillValue;
    SkillValues previousValues;
    SkillArray<std::int64_t> editDelta;
    std::string lastClass;

    friend bool operator==(const PlannerState &a, const PlannerState &b);
};

} // namespace rollwerk
