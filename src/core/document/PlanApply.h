#pragma once

// A plan read from a code, brought into the planner the way a user would
// enter it, so that the planner's own rules decide what it shows: the class
// is picked (a class change restarts the plan, every skill at its minimum),
// the level is entered, and every skill is entered and left in the
// catalogue's order. Whatever the rules refuse (points the level does not
// grant, a skill locked at this level or by full slots, a value above the
// level) is reported, never forced.

#include "PlanCode.h"
#include "Planner.h"

#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

struct PlanApplication {
    bool applied = false; // false: nothing was changed, message says why
    // Each value the planner shows other than the plan asked for: before is
    // the plan's, after the planner's.
    std::vector<SkillChange> differences;
    std::string message; // German; empty when the plan was taken over exactly
};

// Enters a plan that PlanProblem accepts; any other leaves the planner as it is.
PlanApplication ApplyPlan(Planner &planner, const Plan &plan);

// "Plan einfügen": finds the first code in what the clipboard held and applies
// it; without one (no text at all, or no code in it), nothing changes and the
// message says why. The message gives each difference its reason
// ("Waffenkunde: 5 statt 10 (5 weniger): die Stufe 5 begrenzt sie auf 5
// Punkte") and names a second code in the text.
PlanApplication PastePlan(Planner &planner, ClipboardContent content, std::string_view text);

} // namespace rollwerk
