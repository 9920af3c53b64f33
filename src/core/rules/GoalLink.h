#pragma once

// The goal as it travels in a link beside the plan:
//   STUFE[,frei][,ZEILE:GEWICHT[:MINDESTWERT]]...
// "120,frei,3:5,17:2:100": target level 120, the points spent may move
// ("Vergebene Punkte behalten" off), row 3 weighted 5, row 17 weighted 2
// with at least 100. Rows without weight and minimum are left out.

#include "Goal.h"

#include <optional>
#include <string>
#include <string_view>

namespace rollwerk {

// The goal's level, keepSpent, weights and minimums as a link's goal part.
std::string EncodeGoalLink(const Goal &goal);

struct GoalLinkDecoding {
    std::optional<Goal> goal; // class and current plan left at their defaults
    std::string error;        // German, when the text is no goal
};

// Reads a link's goal part; what may follow a link in a text (a full stop,
// a bracket, a space and more words) is left out.
GoalLinkDecoding DecodeGoalLink(std::string_view text);

} // namespace rollwerk
