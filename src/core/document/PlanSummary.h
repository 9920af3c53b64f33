#pragma once

// The plan as plain German text for the clipboard, to be passed on in a chat
// or a forum post and pasted back: the code on a line of its own is what a
// planner reads from it.

#include "Planner.h"

#include <string>

namespace rollwerk {

// The bonus lines as the list shows them, one a line.
std::string BonusText(const Planner &planner);

// Class and level, every skill with points, the free points and slots, the
// bonus lines, the plan's code and the program's name and version.
std::string PlanSummary(const Planner &planner);

} // namespace rollwerk
