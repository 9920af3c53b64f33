#include "ComparisonTexts.h"

#include "Words.h"

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

} // namespace

std::string SkillChangeLine(const SkillChange &change)
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
    for (const SkillChange &change : comparison.skills)
        lines.push_back(SkillChangeLine(change));
    lines.push_back(std::string(kFreePointsCaption) + Arrow(comparison.freePointsBefore, comparison.freePointsAfter));
    lines.push_back("Freie Pl\u00e4tze: " + Arrow(comparison.freeSlotsBefore, comparison.freeSlotsAfter));
    for (const RowChange &change : comparison.rows)
        lines.push_back(RowChangeLine(change));
    return lines;
}

std::string DescribeAgainstShown(const std::string &shownClass, const PlanSide &shown, const Plan &other)
{
    const PlanComparison comparison = ComparePlans(shown, SideOf(other.level, other.skills));
    if (other.className == shownClass && comparison.Same())
        return std::string(kSamePlansText);
    std::string text = "Dieser Plan \u2192 Plan aus der Zwischenablage";
    if (other.className != shownClass)
        text += "\nKlasse: " + shownClass + " \u2192 " + other.className;
    for (const std::string &line : DescribeComparison(comparison))
        text += "\n" + line;
    return text;
}

} // namespace rollwerk
