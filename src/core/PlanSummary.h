#pragma once

// The plan as plain German text for the clipboard, to be passed on in a chat
// or a forum post and pasted back: the code on a line of its own is what a
// planner reads from it.

#include "Planner.h"

#include <string>

namespace rollwerk {

// The bonus lines as the list shows them, one a line.
std::string BonusText(const Planner &planner);

// Class and level, every skill with points, the bonus lines and the plan's code.
std::string PlanSummary(const Planner &planner);

} // namespace rollwerk
