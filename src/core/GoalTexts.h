#pragma once

// What the goals window shows, as German texts, for the desktop window and
// the page alike, and the goal as it travels in a link beside the plan:
//   STUFE[,frei][,ZEILE:GEWICHT[:MINDESTWERT]]...
// "120,frei,3:5,17:2:100": target level 120, the points spent may move
// ("Vergebene Punkte behalten" off), row 3 weighted 5, row 17 weighted 2
// with at least 100. Rows without weight and minimum are left out.

#include "Goal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

// The window's fixed texts: a widget's caption (the window's title, a
// field's label, a list's heading, a button's text; '&' before the desktop's
// access key) and the name a screen reader announces for the widget.
struct GoalWindowText {
    std::string_view widget;
    std::string_view caption;
    std::string_view accessibleName; // empty: the caption's, without '&' and colon
};

// clang-format off
inline constexpr std::array<GoalWindowText, 10> kGoalWindowTexts = {{
    {"FZiel", "Plan optimieren", ""},
    {"SpEZielStufe", "&Zielstufe:", ""},
    {"CBBehalten", "Vergebene &Punkte behalten", ""},
    {"LZielWert", "", "Zielwert"},
    {"LBVorschlag", "&Vorschlag:", ""},
    {"LBLetzterPunkt", "&Letzter Punkt je Fertigkeit:", ""},
    {"LBVergleich", "B&oni vorher und nachher:", ""},
    {"PBKurven", "&Kurven:", ""},
    {"BUebernehmen", "\u00dc&bernehmen", ""},
    {"BSchliessen", "&Schlie\u00dfen", ""},
}};
// clang-format on

// The heads of the bonus rows' columns.
inline constexpr std::array<std::string_view, 3> kGoalColumnHeads = {"Bonus", "Gewicht", "Mindestens"};
// A row's two number fields are announced with the row's name after these.
inline constexpr std::string_view kGoalWeightNamePrefix = "Gewicht: ";
inline constexpr std::string_view kGoalMinimumNamePrefix = "Mindestwert: ";
// While no row is weighted: the curves' description for a screen reader, and what they show.
inline constexpr std::string_view kNoCurvesDescription = "Keine Zeile gewichtet";
inline constexpr std::string_view kNoCurvesText = "Gewichtete Zeilen zeigen hier ihre Kurve.";

// The caption of a widget of kGoalWindowTexts, with its '&'; empty for any other.
std::string_view GoalCaption(std::string_view widget);

// The name a screen reader announces for a widget of kGoalWindowTexts; empty for any other.
std::string GoalAccessibleName(std::string_view widget);

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
