#pragma once

// The difference between two plans: the level, every skill value that
// changes, the free points and slots of both, and every bonus row whose
// value changes, old -> new with the signed difference. The rows of a plan
// the main window shows come from its bonus list's own value texts, so the
// numbers match the list even where the list still shows older values.

#include "BonusTable.h"
#include "PlanApply.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rollwerk {

// A bonus row before and after a change.
struct RowChange {
    int row = 0;
    std::int64_t before = 0;
    std::int64_t after = 0;
    friend bool operator==(const RowChange &, const RowChange &) = default;
};

struct SkillValueChange {
    int skill = 0;
    std::int32_t before = 0;
    std::int32_t after = 0;
    friend bool operator==(const SkillValueChange &, const SkillValueChange &) = default;
};

// One plan as compared: its level, its values and its rows.
struct PlanSide {
    std::int32_t level = 1;
    SkillValues skills;
    BonusRowValues rows{};
};

struct PlanComparison {
    std::int32_t levelBefore = 1;
    std::int32_t levelAfter = 1;
    std::vector<SkillValueChange> skills; // in skill order
    std::int64_t freePointsBefore = 0;
    std::int64_t freePointsAfter = 0;
    std::int64_t freeSlotsBefore = 0;
    std::int64_t freeSlotsAfter = 0;
    std::vector<RowChange> rows; // in the list's order
};

// Every row's value for a plan, as a rebuild of the bonus list computes it.
BonusRowValues RowValues(const SkillValues &skills);

PlanSide SideOf(std::int32_t level, const SkillValues &skills);
// The plan the main window shows, with the rows its bonus list shows.
PlanSide ShownSide(const Planner &planner);

PlanComparison ComparePlans(const PlanSide &before, const PlanSide &after);

// The row's label without its ": +" ("Lebensenergie").
std::string RowName(int row);
// A row value as the list shows it: "+85 %", "+7"; "0" when the row is left out.
std::string RowValueText(int row, std::int64_t value);

// "Schwertkunde: 12 → 40".
std::string SkillChangeLine(const SkillValueChange &change);
// "Lebensenergie: +85 % → +120 % (+35)".
std::string RowChangeLine(const RowChange &change);

// The whole comparison as German lines: level, skills, free points and slots, rows.
std::vector<std::string> DescribeComparison(const PlanComparison &comparison);

// The shown plan against another, such as the one on the clipboard ("Mit
// Plan vergleichen"): a heading, the class where it differs, then the lines
// of DescribeComparison, one text.
std::string DescribeAgainstShown(const Planner &planner, const Plan &other);

} // namespace rollwerk
