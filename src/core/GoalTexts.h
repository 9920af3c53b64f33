#pragma once

// What the goals window shows, as German texts, for the desktop window and
// the page alike, and the goal as it travels in a link beside the plan:
//   STUFE[,frei][,ZEILE:GEWICHT[:MINDESTWERT]]...
// "120,frei,3:5,17:2:100": target level 120, the points spent may move
// ("Vergebene Punkte behalten" off), row 3 weighted 5, row 17 weighted 2
// with at least 100. Rows without weight and minimum are left out.

#include "Goal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

struct GoalTexts {
    std::string value;                      // LZielWert: the objective, or the reason there is no answer
    std::vector<std::string> proposal;      // LBVorschlag: a line per skill that changes
    std::vector<std::string> proposalTips;  // what the last point of each of those skills brings
    std::vector<std::string> lastPoints;    // LBLetzterPunkt: the answer's last point per skill
    std::vector<std::string> lastPointTips; // the same in the current plan
    std::vector<std::string> comparison;    // LBVergleich: a line per bonus line that changes
};

// The texts of an answer against the plan the main window shows.
GoalTexts DescribeGoalAnswer(const Goal &goal, const GoalAnswer &answer, const PlanSide &shown);

// The plan that entering an answer asks for: the goal's class and level, the answer's values.
Plan ProposedPlan(const Goal &goal, const SkillValues &skills);

// "Lebensenergie in % über Konstitution: jetzt 12, Vorschlag 40".
std::string CurveTitle(const RowCurve &curve);

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
