#include "Comparison.h"

#include <algorithm>

namespace rollwerk {

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

std::int64_t FreePoints(const PlanSide &side)
{
    return FreeSkillPoints(side.level, side.skills);
}

std::int64_t FreeSlots(const PlanSide &side)
{
    return SkillSlots(side.level).value_or(0) - ChosenSkillCount(side.skills);
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
    comparison.freePointsBefore = FreePoints(before);
    comparison.freePointsAfter = FreePoints(after);
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

bool PlanComparison::Same() const
{
    return levelBefore == levelAfter && skills.empty() && rows.empty();
}

} // namespace rollwerk
