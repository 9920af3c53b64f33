#include "PlanComparison.h"

namespace rollwerk {

namespace {

std::string Signed(std::int64_t value)
{
    return (value > 0 ? "+" : "") + std::to_string(value);
}

std::string Arrow(std::int64_t before, std::int64_t after)
{
    return std::to_string(before) + " \u2192 " + std::to_string(after);
}

std::int64_t FreeSlots(const PlanSide &side)
{
    return SkillSlots(side.level).value_or(0) - ChosenSkillCount(side.skills);
}

} // namespace

BonusRowValues RowValues(const SkillValues &skills)
{
    BonusRowValues values{};
    for (int row = 1; row <= kBonusRowCount; ++row)
        values.at(static_cast<std::size_t>(row - 1)) = BonusRowValue(row, skills);
    return values;
}

PlanSide SideOf(std::int32_t level, const SkillValues &skills)
{
    return {level, skills, RowValues(skills)};
}

PlanSide ShownSide(const Planner &planner)
{
    const Plan plan = CurrentPlan(planner);
    return {plan.level, plan.skills, planner.LBBoni.Values()};
}

PlanComparison ComparePlans(const PlanSide &before, const PlanSide &after)
{
    PlanComparison comparison;
    comparison.levelBefore = before.level;
    comparison.levelAfter = after.level;
    for (int s = 1; s <= kSkillCount; ++s) {
        if (before.skills[s] != after.skills[s])
            comparison.skills.push_back({s, before.skills[s], after.skills[s]});
    }
    comparison.freePointsBefore = FreeSkillPoints(before.level, before.skills);
    comparison.freePointsAfter = FreeSkillPoints(after.level, after.skills);
    comparison.freeSlotsBefore = FreeSlots(before);
    comparison.freeSlotsAfter = FreeSlots(after);
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const auto index = static_cast<std::size_t>(row - 1);
        // Rows left out of both lists (0 or less) do not change what is shown.
        const std::int64_t old = std::max<std::int64_t>(before.rows.at(index), 0);
        const std::int64_t now = std::max<std::int64_t>(after.rows.at(index), 0);
        if (old != now)
            comparison.rows.push_back({row, old, now});
    }
    return comparison;
}

std::string RowName(int row)
{
    std::string_view label = BonusLabel(row);
    const std::string_view ending = ": +";
    if (label.ends_with(ending))
        label.remove_suffix(ending.size());
    return std::string(label);
}

std::string RowValueText(int row, std::int64_t value)
{
    if (value <= 0)
        return "0";
    return "+" + std::to_string(value) + std::string(BonusSuffix(row));
}

std::string SkillChangeLine(const SkillValueChange &change)
{
    return std::string(SkillCaption(change.skill)) + ": " + Arrow(change.before, change.after);
}

std::string RowChangeLine(const RowChange &change)
{
    return RowName(change.row) + ": " + RowValueText(change.row, change.before) + " \u2192 "
        + RowValueText(change.row, change.after) + " (" + Signed(change.after - change.before) + ")";
}

std::vector<std::string> DescribeComparison(const PlanComparison &comparison)
{
    std::vector<std::string> lines;
    if (comparison.levelBefore != comparison.levelAfter)
        lines.push_back("Stufe: " + Arrow(comparison.levelBefore, comparison.levelAfter));
    for (const SkillValueChange &change : comparison.skills)
        lines.push_back(SkillChangeLine(change));
    lines.push_back("Freie Fertigkeitspunkte: " + Arrow(comparison.freePointsBefore, comparison.freePointsAfter));
    lines.push_back("Freie Pl\u00e4tze: " + Arrow(comparison.freeSlotsBefore, comparison.freeSlotsAfter));
    for (const RowChange &change : comparison.rows)
        lines.push_back(RowChangeLine(change));
    return lines;
}

std::string DescribeAgainstShown(const Planner &planner, const Plan &other)
{
    std::string text = "Dieser Plan \u2192 Plan aus der Zwischenablage";
    if (other.className != planner.CBCharwahl.Text())
        text += "\nKlasse: " + planner.CBCharwahl.Text() + " \u2192 " + other.className;
    for (const std::string &line :
        DescribeComparison(ComparePlans(ShownSide(planner), SideOf(other.level, other.skills))))
        text += "\n" + line;
    return text;
}

} // namespace rollwerk
