#pragma once

// What one more point, or one point less, in a skill would do to the plan,
// told before the user spends it: the values that change, the free points
// and slots after it and every bonus line that changes; or why the step
// would change nothing. A pure function of the planner: it runs no
// procedure on it and changes no field.
//
// Every step is tried on a scratch planner put into the same state, so that
// the preview follows the rules themselves, cascades that zero or clamp
// other skills included, and has no second copy of them.

#include "Plan.h"
#include "Planner.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

// A line of the bonus list before and after; an empty text: not in the list.
struct BonusChange {
    std::string before;
    std::string after;
    friend bool operator==(const BonusChange &, const BonusChange &) = default;
};

struct StepPreview {
    bool offered = false;            // false: the button does nothing that shows (one point less at the minimum)
    bool takesEffect = false;        // the step changes the skill's value
    std::string reason;              // German: why it does not
    std::vector<SkillChange> skills; // every value that changes, in skill order
    std::string othersLowered;       // German: why the step lowers other skills, if it does
    std::int64_t freePoints = 0;     // shown after the step
    std::int64_t freeSlots = 0;
    std::vector<BonusChange> bonuses; // in the list's order
    friend bool operator==(const StepPreview &, const StepPreview &) = default;
};

struct SkillPreview {
    StepPreview up;   // one more point (the up button)
    StepPreview down; // one point less (the down button)
    friend bool operator==(const SkillPreview &, const SkillPreview &) = default;
};

using PlanPreview = SkillArray<SkillPreview>;

// The preview of every skill.
PlanPreview PreviewPlan(const Planner &planner);

// German text of a skill's preview, for a tooltip or an accessible description.
std::string DescribePreview(int skill, const SkillPreview &preview);

// The tooltip and accessible description of every skill field, as both front ends show them.
SkillArray<std::string> SkillTipTexts(const Planner &planner);

} // namespace rollwerk
