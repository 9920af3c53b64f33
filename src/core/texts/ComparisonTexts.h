#pragma once

// A comparison of two plans as German lines: "Stufe: 60 → 80",
// "Schwertkunde: 12 → 40", "Lebensenergie: +85 % → +120 % (+35)".

#include "Comparison.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rollwerk {

// "Schwertkunde: 12 → 40".
std::string SkillChangeLine(const SkillChange &change);
// "Lebensenergie: +85 % → +120 % (+35)".
std::string RowChangeLine(const RowChange &change);

// The whole comparison as German lines: level, skills, free points and slots, rows.
std::vector<std::string> DescribeComparison(const PlanComparison &comparison);

inline constexpr std::string_view kSamePlansText = "Der Plan aus der Zwischenablage ist derselbe wie dieser.";

// The plan shown (of class shownClass) against another, such as the one on
// the clipboard ("Mit Plan vergleichen"): a heading, the class where it
// differs, then the lines of DescribeComparison, one text; kSamePlansText
// when nothing differs.
std::string DescribeAgainstShown(const std::string &shownClass, const PlanSide &shown, const Plan &other);

} // namespace rollwerk
