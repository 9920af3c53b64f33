#pragma once

// What the goals window shows of an answer, as German texts, for the
// desktop window and the page alike.

#include "Comparison.h"
#include "Goal.h"
#include "GoalLimits.h"

#include <string>
#include <vector>

namespace rollwerk {

struct GoalTexts {
    std::string value;                      // LZielWert: the objective, or the reason there is no answer
    std::vector<std::string> proposal;      // LBVorschlag: a line per skill that changes
    std::vector<std::string> proposalTips;  // what the last point of each of those skills brings
    std::vector<std::string> lastPoints;    // LBLetzterPunkt: the answer's last point per skill
    std::vector<std::string> lastPointTips; // the same in the current plan
    std::vector<std::string> comparison;    // LBVergleich: a line per bonus line that changes
    std::vector<std::string> limits;        // a line per skill: what keeps it from going higher
};

// "Schwertkunde 197: Mehr Punkte bringen nichts mehr".
std::string DescribeLimit(const SkillLimit &limit);

// "Konstitution 40: Zielwert +12 (Lebensenergie +1 %)".
std::string DescribeLastPoint(const LastPoint &point);

// The texts of an answer against the plan the main window shows.
GoalTexts DescribeGoalAnswer(const Goal &goal, const GoalAnswer &answer, const PlanSide &shown);

// "Lebensenergie in % über Konstitution: jetzt 12, Vorschlag 40".
std::string CurveTitle(const RowCurve &curve);

} // namespace rollwerk
